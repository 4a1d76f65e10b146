#include "storage/EditBuffer.h"

#include "platform/Error.h"
#include "storage/FieldValue.h"
#include "storage/StatementCache.h"
#include "storage/Transaktion.h"

namespace kb {

EditBuffer::EditBuffer(const tablefile::Schema &schema)
    : m_schema(schema)
{
}

bool EditBuffer::isModified() const
{
    return isActive() && m_changed.contains(true);
}

void EditBuffer::startEdit(const RecordCache &records, const Row &row)
{
    const int n = int(m_schema.fields.size());
    m_values.fill(QVariant(), n);
    m_changed.fill(false, n);
    m_loaded.fill(false, n);
    for (int i = 0; i < n; ++i) {
        if (!tablefile::isBlobType(m_schema.fields[i].type)) {
            m_values[i] = records.cellValue(i, row.cells[i]);
            m_loaded[i] = true;
        }
    }
    m_state = Table::State::Edit;
}

void EditBuffer::startInsert()
{
    const int n = int(m_schema.fields.size());
    m_values.fill(QVariant(), n);
    m_changed.fill(false, n);
    m_loaded.fill(true, n);
    m_state = Table::State::Insert;
}

void EditBuffer::clear()
{
    m_state = Table::State::Browse;
    m_values.clear();
    m_changed.clear();
    m_loaded.clear();
}

void EditBuffer::assign(int field, const QVariant &value)
{
    m_values[field] = value;
    m_changed[field] = true;
    m_loaded[field] = true;
}

void EditBuffer::checkRequired(const Row *row) const
{
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        const FieldDef &f = m_schema.fields[i];
        if (!f.required || f.type == FieldType::AutoInc)
            continue;
        const bool empty = m_loaded[i] ? !m_values[i].isValid() || m_values[i].isNull()
                                       : !row || row->cells[i].null;
        if (empty)
            throw Error(QStringLiteral("Feld '%1' muss einen Wert haben").arg(f.name));
    }
}

int EditBuffer::nextAutoInc(StatementCache &statements, int field)
{
    // The highest number ever given is kept in the catalogue, so that a number is never
    // given twice, not even after the record that had it was deleted.
    const QString key = QStringLiteral("autoinc:") + m_schema.fields[field].name.toLower();
    sql::Stmt &read = statements.get(
        QStringLiteral("SELECT max(coalesce((SELECT value FROM kb_meta WHERE key = ?), 1),"
                       " coalesce((SELECT max(%1) FROM records), 0) + 1)")
            .arg(sql::quoted(m_schema.fields[field].name)));
    qint64 next = 0;
    {
        const ResetOnExit reset(read);
        read.bindText(1, key);
        read.step();
        next = read.columnInt(0);
    }
    statements.get(QStringLiteral("INSERT OR REPLACE INTO kb_meta VALUES(?, ?)"))
        .bindText(1, key)
        .bindInt(2, next + 1)
        .exec();
    return int(next);
}

qint64 EditBuffer::write(StatementCache &statements, qint64 rid, const QString &shownName)
{
    bool counters = false;
    if (isInserting()) {
        for (const FieldDef &f : m_schema.fields)
            counters = counters || f.type == FieldType::AutoInc;
    }
    // One statement is one transaction by itself; an insert that also counts up an
    // auto-increment field needs a savepoint around its two statements.
    if (!counters)
        return writeValues(statements, rid, shownName);
    Transaktion sicherung([&statements](const QString &text) { statements.exec(text); },
        Transaktion::sicherungspunkt(QStringLiteral("kb_post")));
    const qint64 written = writeValues(statements, rid, shownName);
    sicherung.commit();
    return written;
}

qint64 EditBuffer::writeValues(StatementCache &statements, qint64 rid, const QString &shownName)
{
    const bool insert = isInserting();
    QByteArray positions;
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        if (m_changed[i] || (insert && m_schema.fields[i].type == FieldType::AutoInc))
            positions.append(char(i));
    }
    sql::Stmt &stmt = insert ? statements.insert(m_schema.fields, positions)
                             : statements.update(m_schema.fields, positions);
    int bound = 0;
    for (const char position : std::as_const(positions)) {
        const int i = uchar(position);
        const FieldType type = m_schema.fields[i].type;
        if (insert && type == FieldType::AutoInc)
            stmt.bindInt(++bound, nextAutoInc(statements, i));
        else
            fieldvalue::bind(stmt, ++bound, type, m_values[i]);
    }
    if (insert) {
        stmt.exec();
        return sql::lastInsertId(statements.db());
    }
    stmt.bindInt(++bound, rid);
    stmt.exec();
    if (sql::changes(statements.db()) == 0)
        throw Error(QStringLiteral("Der Datensatz in Tabelle '%1' wurde inzwischen gelöscht")
                        .arg(shownName));
    return rid;
}

} // namespace kb
