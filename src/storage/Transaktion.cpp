#include "storage/Transaktion.h"

#include "platform/Error.h"
#include "platform/Logging.h"
#include "storage/Sqlite.h"

namespace kb {

Transaktion::Anweisungen Transaktion::sofort()
{
    return { QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("COMMIT"),
        { QStringLiteral("ROLLBACK") } };
}

Transaktion::Anweisungen Transaktion::sicherungspunkt(const QString &name)
{
    return { QStringLiteral("SAVEPOINT ") + name, QStringLiteral("RELEASE ") + name,
        { QStringLiteral("ROLLBACK TO ") + name, QStringLiteral("RELEASE ") + name } };
}

Transaktion::Transaktion(Ausfuehren ausfuehren, Anweisungen anweisungen)
{
    ausfuehren(anweisungen.beginn);
    m_abschluss = [ausfuehren, text = anweisungen.abschluss] { ausfuehren(text); };
    m_zurueck = [ausfuehren, texte = anweisungen.zurueck] {
        for (const QString &text : texte)
            ausfuehren(text);
    };
}

Transaktion::Transaktion(sqlite3 *db, Anweisungen anweisungen)
    : Transaktion([db](const QString &text) { sql::exec(db, text); }, std::move(anweisungen))
{
}

Transaktion::Transaktion(Table &table, Table::Journal journal)
{
    table.startTransaction(journal);
    m_abschluss = [&table] { table.commit(); };
    m_zurueck = [&table] { table.rollback(); };
}

Transaktion::~Transaktion()
{
    if (!m_offen)
        return;
    try {
        m_zurueck();
    } catch (const Error &e) {
        qCWarning(lcStorage).noquote() << e.message();
    } catch (const sql::SqlError &e) {
        qCWarning(lcStorage).noquote() << e.detail;
    }
}

void Transaktion::commit()
{
    m_abschluss();
    m_offen = false;
}

} // namespace kb
