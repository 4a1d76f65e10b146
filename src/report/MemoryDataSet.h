#pragma once

#include "report/DataSet.h"

#include <QHash>
#include <vector>

namespace kb::report {

// Records held in memory: for reports over computed rows, tests and benchmarks.
class MemoryDataSet final : public DataSet {
public:
    using Record = QHash<QString, QVariant>;

    MemoryDataSet() = default;
    explicit MemoryDataSet(std::vector<Record> records)
        : m_records(std::move(records))
    {
    }

    void append(Record record) { m_records.push_back(std::move(record)); }
    std::size_t size() const { return m_records.size(); }
    // Index of the current record (the last one once eof() is true).
    std::size_t position() const { return m_index; }

    void first() override;
    void next() override;
    bool eof() const override { return m_eof; }
    QVariant value(const QString &field) const override;
    QImage image(const QString &field) const override;

private:
    std::vector<Record> m_records;
    std::size_t m_index = 0;
    bool m_eof = true;
};

} // namespace kb::report
