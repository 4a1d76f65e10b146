#pragma once

#include "storage/RecordCache.h"
#include "storage/Table.h"

namespace kb {

class StatementCache;

// The pending change of a cursor: the values of the record being edited or inserted and
// which of them were assigned. Blob values are loaded only when assigned; the others are
// all loaded when the edit starts.
class EditBuffer {
public:
    explicit EditBuffer(const tablefile::Schema &schema);

    // Browse, Edit or Insert.
    Table::State state() const { return m_state; }
    bool isActive() const { return m_state != Table::State::Browse; }
    bool isInserting() const { return m_state == Table::State::Insert; }
    bool isModified() const;

    // Starts editing `row` (the cached values of the current record).
    void startEdit(const RecordCache &records, const Row &row);
    // Starts a new record with every field empty.
    void startInsert();
    // Drops the pending change.
    void clear();

    bool isLoaded(int field) const { return m_loaded[field]; }
    bool isChanged(int field) const { return m_changed[field]; }
    const QVariant &value(int field) const { return m_values[field]; }
    // Assigns a logical value (as fieldvalue::fromInput() gives it).
    void assign(int field, const QVariant &value);

    // Throws when a required field is empty; `row` is the edited record's cached row.
    void checkRequired(const Row *row) const;
    // Writes the pending change in one transaction and returns the row id of the written
    // record; `rid` is the edited record's (ignored when inserting). The buffer keeps its
    // values, so that a refused post can be corrected.
    qint64 write(StatementCache &statements, qint64 rid, const QString &shownName);

private:
    int nextAutoInc(StatementCache &statements, int field);
    qint64 writeValues(StatementCache &statements, qint64 rid, const QString &shownName);

    const tablefile::Schema &m_schema;
    Table::State m_state = Table::State::Browse;
    QVector<QVariant> m_values;
    QVector<bool> m_changed, m_loaded;
};

} // namespace kb
