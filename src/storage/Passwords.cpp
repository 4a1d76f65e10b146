#include "storage/Passwords.h"

#include "platform/Error.h"
#include "storage/KeyDerivation.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QStringList>

namespace kb {

PasswordRewrite::PasswordRewrite(sqlite3 *db, const QString &path, const QString &password)
    : m_path(path)
    , m_copy(path + QStringLiteral(".kbtmp"))
    , m_password(password)
{
    try {
        tablefile::exportCopy(db, m_copy, password);
    } catch (const sql::SqlError &e) {
        throw tablefile::toError(e, path);
    }
}

PasswordRewrite::~PasswordRewrite()
{
    if (!m_installed)
        QFile::remove(m_copy);
}

void PasswordRewrite::install()
{
    tablefile::runRewriteHook(m_copy);
    tablefile::replaceFile(m_copy, m_path, true);
    m_installed = true;
    if (!m_password.isEmpty())
        Session::addPassword(m_password);
}

// --- the passwords known in this program run ----------------------------------------------

namespace {
QStringList &knownPasswords()
{
    static QStringList passwords;
    return passwords;
}
} // namespace

void Session::addPassword(const QString &password)
{
    if (!knownPasswords().contains(password))
        knownPasswords().append(password);
}

void Session::removeAllPasswords()
{
    knownPasswords().clear();
    cipher::forgetKeys();
}

QStringList Session::passwords()
{
    return knownPasswords();
}

} // namespace kb
