#include "storage/StatementCache.h"

#include "storage/Table.h"

#include <QStringList>

namespace kb {

void StatementCache::open(sql::DbHandle db)
{
    close();
    m_db = std::move(db);
}

void StatementCache::close()
{
    m_inserts.clear();
    m_updates.clear();
    m_byText.clear();
    m_db.reset();
}

sql::Stmt &StatementCache::get(const QString &text)
{
    std::unique_ptr<sql::Stmt> &slot = m_byText[text];
    if (!slot) {
        try {
            slot = std::make_unique<sql::Stmt>(m_db.get(), text);
        } catch (...) {
            m_byText.erase(text);
            throw;
        }
    } else {
        slot->reset();
    }
    return *slot;
}

void StatementCache::exec(const QString &text)
{
    sql::Stmt &stmt = get(text);
    const ResetOnExit reset(stmt);
    while (stmt.step()) { }
}

sql::Stmt &StatementCache::insert(const QList<FieldDef> &fields, const QByteArray &positions)
{
    return writer(true, fields, positions);
}

sql::Stmt &StatementCache::update(const QList<FieldDef> &fields, const QByteArray &positions)
{
    return writer(false, fields, positions);
}

sql::Stmt &StatementCache::writer(
    bool insert, const QList<FieldDef> &fields, const QByteArray &positions)
{
    QHash<QByteArray, sql::Stmt *> &known = insert ? m_inserts : m_updates;
    if (sql::Stmt *stmt = known.value(positions)) {
        stmt->reset();
        return *stmt;
    }
    QStringList columns, marks;
    for (const char position : positions) {
        columns.append(sql::quoted(fields[uchar(position)].name)
            + (insert ? QString() : QStringLiteral(" = ?")));
        marks.append(QStringLiteral("?"));
    }
    QString text;
    if (!insert)
        text = QStringLiteral("UPDATE records SET %1 WHERE kb_rid = ?")
                   .arg(columns.join(QLatin1Char(',')));
    else if (columns.isEmpty())
        text = QStringLiteral("INSERT INTO records DEFAULT VALUES");
    else
        text = QStringLiteral("INSERT INTO records(%1) VALUES(%2)")
                   .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    sql::Stmt &stmt = get(text);
    known.insert(positions, &stmt);
    return stmt;
}

} // namespace kb
