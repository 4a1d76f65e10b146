#pragma once

#include "storage/FilterExpression.h"
#include "storage/TableFile.h"

#include <QVector>
#include <vector>

namespace kb {

class StatementCache;

// One stored value as read: text for strings and memos; the number for integers, booleans,
// dates (as Julian day) and blobs (their size: the bytes are read on demand).
struct Cell {
    QString text;
    qint64 number = 0;
    bool null = true;
    bool operator==(const Cell &) const = default;
};

struct Row {
    qint64 rid = 0;
    QVector<Cell> cells;
    bool operator==(const Row &) const = default;
};

// The records of a cursor's selection as last read, and the position in them.
//
// The position is a row index (-1 without records). eof() is true after next() on the last
// row and on an empty set; bof() after first() and after prior() on the first row. The
// moves return true when another record became current.
class RecordCache {
public:
    RecordCache(const tablefile::Schema &schema, StatementCache &statements);

    // What load() changed.
    struct Change {
        bool records = false;
        bool current = false;
    };
    // The columns a query for load() selects.
    QString columns() const;
    // Reads the records of `query`. The record `keepRid` stays current when it is still
    // there, else the row at the same position.
    Change load(const filter::Condition &query, qint64 keepRid);
    void clear();

    // After an insert the records are read again only when someone looks at them, so that
    // a loop of appends stays linear.
    void markStale(qint64 rid);
    bool isStale() const { return m_stale; }
    qint64 staleRid() const { return m_staleRid; }
    // True when another connection changed the file since the last load().
    bool fileChanged() const;

    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int pos() const { return m_pos; }
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    qint64 currentRid() const { return m_pos >= 0 ? m_rows[m_pos].rid : 0; }
    const Row &row(int index) const { return m_rows[index]; }
    // The row with this id; -1 when it is not in the set.
    int find(qint64 rid) const;

    bool first();
    bool next();
    bool prior();
    bool last();
    // Makes the row current, inside the set (neither end reached).
    bool moveTo(int index);
    // Neither end is reached while a record is current.
    void markInside() { m_eof = m_bof = m_rows.empty(); }

    // The value of a row's field; blobs are read from the file.
    QVariant value(int index, int field) const;
    // The value a cell holds (blobs: their size).
    QVariant cellValue(int field, const Cell &cell) const;
    // Stores a posted value in the current row, which keeps its place.
    void storeCurrent(int field, const QVariant &value);
    QByteArray readBlob(qint64 rid, int field) const;

private:
    qint64 dataVersion() const;
    Row readRow(const sql::Stmt &stmt) const;
    bool setPos(int index);

    const tablefile::Schema &m_schema;
    StatementCache &m_statements;
    std::vector<Row> m_rows;
    int m_pos = -1;
    bool m_eof = true, m_bof = true;
    bool m_stale = false;
    qint64 m_staleRid = 0;
    qint64 m_seenVersion = -1;
};

} // namespace kb
