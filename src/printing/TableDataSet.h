#pragma once

#include "report/DataSet.h"

namespace kb {

class Table;

// A report's view of an open table cursor: its records in the cursor's current order and
// through its current filter. The table is not owned and stays open.
class TableDataSet final : public report::DataSet {
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
    bool readable(const QString &field) const;

    Table &m_table;
};

} // namespace kb
