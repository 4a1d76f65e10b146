#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace kb::sql {

struct DbCloser {
    void operator()(sqlite3 *db) const;
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt *stmt) const;
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;

// Why a statement failed, in the terms the table engine reports to the user.
enum class Failure { Other, NotADatabase, Corrupt, ReadOnly, Busy, Constraint, NotFound };

// An error of the SQL layer; the table engine turns it into a German kb::Error.
struct SqlError {
    Failure failure = Failure::Other;
    QString detail;
};

// A prepared statement. Values are always bound, never pasted into the text.
class Stmt {
public:
    Stmt(sqlite3 *db, const QString &sql);
    Stmt(Stmt &&) = default;
    Stmt &operator=(Stmt &&) = default;

    Stmt &bind(int index, const QVariant &value); // 1-based; an invalid QVariant binds NULL
    Stmt &bindText(int index, const QString &text);
    Stmt &bindInt(int index, qint64 value);
    Stmt &bindBlob(int index, const QByteArray &bytes);
    // Advances; true while a row is available.
    bool step();
    void reset();
    void exec() { step(); }

    bool isNull(int column) const;
    qint64 columnInt(int column) const;
    QString columnText(int column) const;
    QByteArray columnBlob(int column) const;

private:
    sqlite3 *m_db;
    std::unique_ptr<sqlite3_stmt, StmtFinalizer> m_stmt;
};

[[noreturn]] void throwSql(sqlite3 *db, int rc);
void exec(sqlite3 *db, const QString &sql);
// Opens an existing file (never creates it) or, with `create`, a new one.
DbHandle openFile(const QString &path, bool create, bool readOnly = false);
// Keys the connection with a password (SQLCipher); an empty password leaves it plain.
void key(sqlite3 *db, const QString &password);
bool isReadOnly(sqlite3 *db);
// Copies every page of the database "main" of `source` into "main" of `target` with SQLite's
// online backup, in one step (one read transaction on the source).
void backup(sqlite3 *source, sqlite3 *target);
qint64 lastInsertId(sqlite3 *db);
int changes(sqlite3 *db);
// Quotes a validated identifier.
QString quoted(const QString &identifier);

} // namespace kb::sql
