#include "storage/RecordCache.h"

#include "storage/FieldValue.h"
#include "storage/StatementCache.h"

#include <QDate>

namespace kb {

RecordCache::RecordCache(const tablefile::Schema &schema, StatementCache &statements)
    : m_schema(schema)
    , m_statements(statements)
{
}

QString RecordCache::columns() const
{
    QStringList columns { QStringLiteral("kb_rid") };
    for (const FieldDef &f : m_schema.fields) {
        columns.append(tablefile::isBlobType(f.type)
                ? QStringLiteral("length(%1)").arg(sql::quoted(f.name))
                : sql::quoted(f.name));
    }
    return columns.join(QLatin1Char(','));
}

Row RecordCache::readRow(const sql::Stmt &stmt) const
{
    Row row;
    row.rid = stmt.columnInt(0);
    row.cells.resize(m_schema.fields.size());
    for (int i = 0; i < m_schema.fields.size(); ++i) {
        if (stmt.isNull(i + 1))
            continue;
        Cell &cell = row.cells[i];
        cell.null = false;
        switch (m_schema.fields[i].type) {
        case FieldType::String:
        case FieldType::Memo:
            cell.text = stmt.columnText(i + 1);
            break;
        case FieldType::Date:
            cell.number = fieldvalue::isoDate(stmt.columnText(i + 1)).toJulianDay();
            break;
        default:
            cell.number = stmt.columnInt(i + 1);
            break;
        }
    }
    return row;
}

RecordCache::Change RecordCache::load(const filter::Condition &query, qint64 keepRid)
{
    std::vector<Row> fresh;
    fresh.reserve(m_rows.size());
    {
        sql::Stmt &stmt = m_statements.get(query.sql);
        const ResetOnExit reset(stmt);
        for (int i = 0; i < query.params.size(); ++i)
            stmt.bind(i + 1, query.params[i]);
        while (stmt.step())
            fresh.push_back(readRow(stmt));
    }
    m_stale = false;
    const qint64 oldRid = currentRid();
    Change change;
    change.records = fresh != m_rows;
    m_rows = std::move(fresh);
    int pos = keepRid != 0 ? find(keepRid) : -1;
    if (pos < 0 && !m_rows.empty())
        pos = std::clamp(m_pos, 0, int(m_rows.size()) - 1);
    m_pos = pos;
    if (m_rows.empty())
        m_eof = m_bof = true;
    m_seenVersion = dataVersion();
    change.current = currentRid() != oldRid || change.records;
    return change;
}

void RecordCache::clear()
{
    m_rows.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_stale = false;
    m_seenVersion = -1;
}

void RecordCache::markStale(qint64 rid)
{
    m_stale = true;
    m_staleRid = rid;
}

qint64 RecordCache::dataVersion() const
{
    sql::Stmt &stmt = m_statements.get(QStringLiteral("PRAGMA data_version"));
    const ResetOnExit reset(stmt);
    stmt.step();
    return stmt.columnInt(0);
}

bool RecordCache::fileChanged() const
{
    return dataVersion() != m_seenVersion;
}

int RecordCache::find(qint64 rid) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].rid == rid)
            return int(i);
    }
    return -1;
}

bool RecordCache::setPos(int index)
{
    const bool moved = index != m_pos;
    m_pos = index;
    return moved;
}

bool RecordCache::first()
{
    const bool moved = setPos(m_rows.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_rows.empty();
    return moved;
}

bool RecordCache::next()
{
    bool moved = false;
    if (m_pos + 1 < size()) {
        moved = setPos(m_pos + 1);
        m_eof = false;
    } else {
        m_eof = true;
    }
    m_bof = m_rows.empty();
    return moved;
}

bool RecordCache::prior()
{
    bool moved = false;
    if (m_pos > 0) {
        moved = setPos(m_pos - 1);
        m_bof = false;
    } else {
        m_bof = true;
    }
    m_eof = m_rows.empty();
    return moved;
}

bool RecordCache::last()
{
    const bool moved = setPos(size() - 1);
    m_eof = true;
    m_bof = m_rows.empty();
    return moved;
}

bool RecordCache::moveTo(int index)
{
    const bool moved = setPos(index);
    m_eof = m_bof = false;
    return moved;
}

QVariant RecordCache::cellValue(int field, const Cell &cell) const
{
    if (cell.null)
        return QVariant();
    switch (m_schema.fields[field].type) {
    case FieldType::String:
    case FieldType::Memo:
        return cell.text;
    case FieldType::Date:
        return QDate::fromJulianDay(cell.number);
    case FieldType::Boolean:
        return cell.number != 0;
    case FieldType::Graphic:
    case FieldType::Blob:
        return cell.number;
    default:
        return int(cell.number);
    }
}

QVariant RecordCache::value(int index, int field) const
{
    const Cell &cell = m_rows[index].cells[field];
    if (!tablefile::isBlobType(m_schema.fields[field].type) || cell.null)
        return cellValue(field, cell);
    return readBlob(m_rows[index].rid, field);
}

void RecordCache::storeCurrent(int field, const QVariant &value)
{
    Cell cell;
    if (value.isValid() && !value.isNull()) {
        cell.null = false;
        switch (m_schema.fields[field].type) {
        case FieldType::String:
        case FieldType::Memo:
            cell.text = value.toString();
            break;
        case FieldType::Date:
            cell.number = value.toDate().toJulianDay();
            break;
        case FieldType::Graphic:
        case FieldType::Blob:
            cell.number = value.toByteArray().size();
            break;
        default:
            cell.number = value.toLongLong();
            break;
        }
    }
    m_rows[m_pos].cells[field] = cell;
}

QByteArray RecordCache::readBlob(qint64 rid, int field) const
{
    sql::Stmt &stmt = m_statements.get(QStringLiteral("SELECT %1 FROM records WHERE kb_rid = ?")
                                           .arg(sql::quoted(m_schema.fields[field].name)));
    const ResetOnExit reset(stmt);
    stmt.bindInt(1, rid);
    if (!stmt.step() || stmt.isNull(0))
        return QByteArray();
    return stmt.columnBlob(0);
}

} // namespace kb
