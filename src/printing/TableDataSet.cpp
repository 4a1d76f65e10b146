#include "printing/TableDataSet.h"

#include "storage/Table.h"

namespace kb {

void TableDataSet::first()
{
    m_table.first();
}

void TableDataSet::next()
{
    m_table.next();
}

bool TableDataSet::eof() const
{
    return m_table.eof();
}

QVariant TableDataSet::value(const QString &field) const
{
    if (!m_table.isOpen() || m_table.isEmpty() || !m_table.hasField(field))
        return {};
    return m_table.value(field);
}

QImage TableDataSet::image(const QString &field) const
{
    if (!m_table.isOpen() || m_table.isEmpty() || !m_table.hasField(field))
        return {};
    const FieldType type = m_table.fieldDef(field).type;
    if (type != FieldType::Graphic && type != FieldType::Blob)
        return {};
    if (m_table.isNull(field))
        return {};
    return m_table.image(field);
}

} // namespace kb
