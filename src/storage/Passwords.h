#pragma once

#include <QString>

struct sqlite3;

namespace kb {

// Puts a table file under a new password: first an encrypted copy is written beside the
// table and flushed, then - with the table's own connection closed - the copy replaces the
// table in one rename. Until install() succeeds the table stays as it was, and a copy
// that was not installed is removed.
class PasswordRewrite {
public:
    // Writes the copy of the table open through `db` at `path`, encrypted with `password`
    // (plain when empty).
    PasswordRewrite(sqlite3 *db, const QString &path, const QString &password);
    PasswordRewrite(const PasswordRewrite &) = delete;
    PasswordRewrite &operator=(const PasswordRewrite &) = delete;
    ~PasswordRewrite();

    // Replaces the table by the copy and adds the password to the known passwords. The
    // table's connection must be closed.
    void install();

private:
    QString m_path, m_copy, m_password;
    bool m_installed = false;
};

} // namespace kb
