#include "storage/Passwords.h"

#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "platform/Haltepunkt.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QStringList>

namespace kb {

PasswordRewrite::PasswordRewrite(sqlite3 *db, const QString &path, const QString &password)
    : m_path(dateien::ziel(path))
    , m_copy(m_path + QStringLiteral(".kbtmp"))
    , m_password(password)
{
    // A link stays a link: the file it leads to is rewritten, beside itself.
    if (!dateien::beschreibbar(m_path))
        throw Error(QStringLiteral("Die Tabelle '%1' ist schreibgeschützt; das Passwort wurde "
                                   "nicht geändert.")
                        .arg(tablefile::displayName(path)));
    try {
        tablefile::exportCopy(db, m_copy, password);
    } catch (const sql::SqlError &e) {
        throw tablefile::toError(e, path);
    }
    try {
        dateien::besitzerUebernehmen(m_path, m_copy);
    } catch (...) {
        QFile::remove(m_copy);
        throw;
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
    haltepunkt("passwort-kopie-geschrieben");
    // The copy is readable only by its owner until it has replaced the table; then it gets
    // the table's permissions.
    const unsigned modus = dateien::modus(m_path);
    tablefile::replaceFile(m_copy, m_path, true);
    dateien::modusSetzen(m_path, modus);
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
}

QStringList Session::passwords()
{
    return knownPasswords();
}

} // namespace kb
