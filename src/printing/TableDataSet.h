#pragma once

#include "report/DataSet.h"

namespace kb {

class Table;

// The report's view of a table cursor: walks the records in the cursor's order and through its
// filter. Unknown fields answer with an invalid value and a null picture, so a layout also
// prints calendars made before a field existed.
class TableDataSet final : public report::DataSet
{
public:
    explicit TableDataSet(Table &table)
        : m_table(table)
    {
    }

    void first() override;
    void next() override;
    bool eof() const override;
    QVariant value(const QString &field) const override;
    QImage image(const QString &field) const override;

private:
    Table &m_table;
};

} // namespace kb
