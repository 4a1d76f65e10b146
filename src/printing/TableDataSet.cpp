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

// A field the table does not have, or a table without records, prints empty.
bool TableDataSet::readable(const QString &field) const
{
    return m_table.isOpen() && !m_table.isEmpty() && m_table.hasField(field);
}

QVariant TableDataSet::value(const QString &field) const
{
    return readable(field) ? m_table.value(field) : QVariant();
}

QImage TableDataSet::image(const QString &field) const
{
    return readable(field) ? m_table.image(field) : QImage();
}

} // namespace kb
