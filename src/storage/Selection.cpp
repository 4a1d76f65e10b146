#include "storage/Selection.h"

#include "platform/Error.h"

namespace kb {

namespace {

bool sameFields(const QStringList &a, const QStringList &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

void Selection::setFilter(const QString &expression, const tablefile::Schema *schema)
{
    filter::Condition condition = m_condition;
    if (schema)
        condition = filter::parse(expression, *schema);
    m_filterText = expression;
    if (m_filtered)
        m_condition = std::move(condition);
}

void Selection::setFiltered(bool filtered, const tablefile::Schema *schema)
{
    filter::Condition condition;
    if (schema && filtered)
        condition = filter::parse(m_filterText, *schema);
    m_filtered = filtered;
    m_condition = std::move(condition);
}

void Selection::setOrder(
    const QString &indexFields, const QString &indexName, const tablefile::Schema *schema)
{
    Selection next = *this;
    next.m_indexFields = indexFields;
    next.m_indexName = indexName;
    if (schema)
        next.resolveOrder(*schema);
    *this = std::move(next);
}

void Selection::resolve(const tablefile::Schema &schema)
{
    Selection next = *this;
    next.m_condition = m_filtered ? filter::parse(m_filterText, schema) : filter::Condition {};
    next.resolveOrder(schema);
    *this = std::move(next);
}

void Selection::resolveOrder(const tablefile::Schema &schema)
{
    QStringList fields;
    bool noCase = false;
    if (!m_indexFields.isEmpty()) {
        fields = schema.resolve(m_indexFields);
        for (const IndexDef &ix : schema.indexes) {
            if (sameFields(ix.fields, fields))
                noCase = ix.caseInsensitive;
        }
    } else {
        const IndexDef *chosen = nullptr;
        for (const IndexDef &ix : schema.indexes) {
            if (m_indexName.isEmpty() ? ix.primary
                                      : ix.name.compare(m_indexName, Qt::CaseInsensitive) == 0)
                chosen = &ix;
        }
        if (!m_indexName.isEmpty() && !chosen)
            throw Error(QStringLiteral("Index '%1' nicht gefunden").arg(m_indexName));
        if (chosen) {
            fields = schema.resolve(chosen->fields.join(QLatin1Char(';')));
            noCase = chosen->caseInsensitive;
        }
    }
    m_orderColumns.clear();
    for (const QString &field : std::as_const(fields)) {
        const FieldType type = schema.fields[schema.indexOf(field)].type;
        const bool text = type == FieldType::String || type == FieldType::Memo;
        m_orderColumns.append(
            sql::quoted(field) + (noCase && text ? QStringLiteral(" COLLATE NOCASE") : QString()));
    }
    // Records with equal keys keep the order they were written in.
    m_orderColumns.append(QStringLiteral("kb_rid"));
    m_orderFields = fields;
}

filter::Condition Selection::query(const QString &columns, const filter::Condition &link) const
{
    QStringList where;
    filter::Condition query;
    if (m_filtered && !m_condition.sql.isEmpty()) {
        where.append(m_condition.sql);
        query.params += m_condition.params;
    }
    if (!link.sql.isEmpty()) {
        where.append(link.sql);
        query.params += link.params;
    }
    query.sql = QStringLiteral("SELECT %1 FROM records").arg(columns);
    if (!where.isEmpty())
        query.sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    query.sql += QStringLiteral(" ORDER BY ") + m_orderColumns.join(QLatin1Char(','));
    return query;
}

bool Selection::dependsOn(const QString &field) const
{
    if (m_filtered && !m_condition.sql.isEmpty())
        return true;
    for (const QString &ordered : m_orderFields) {
        if (ordered.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace kb
