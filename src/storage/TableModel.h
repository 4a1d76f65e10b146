#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include "storage/Table.h"

#include <functional>

namespace kb {

// A grid's view of a cursor: rows are the cursor's records in its order, filter and
// master link and, while a new record is being entered, one more row at the end for it;
// columns are chosen fields. Editing a cell moves the cursor to that row and leaves the
// change pending there until post, cancel or a move.
class TableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TableModel(Table *table, QObject *parent = nullptr);

    // The shown fields in order; empty: all fields of the table.
    void setFields(const QStringList &fields);
    QStringList fields() const { return m_columns; }
    // Column titles in the order of the fields; a missing title shows the field's name.
    void setTitles(const QStringList &titles) { m_titles = titles; }
    // How a column shows its values (DisplayRole); the edit role keeps the stored value.
    void setDisplay(int column, std::function<QString(const QVariant &)> display);
    Table *table() const { return m_table; }
    // The row of the cursor's current record (the new one's row while it is entered), -1
    // without one.
    int currentRow() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    void currentRowChanged(int row);

private:
    void reload();
    void stateChanged();
    void currentValuesChanged();
    bool pendingNewRow() const;
    int rowsOfTable() const;
    QVariant valueAt(int row, const QString &field) const;

    QPointer<Table> m_table;
    QStringList m_chosen;
    QStringList m_columns;
    QStringList m_titles;
    QHash<int, std::function<QString(const QVariant &)>> m_display;
    int m_rows = 0;
    int m_current = -1;
};

} // namespace kb
