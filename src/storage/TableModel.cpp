#include "storage/TableModel.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/Table.h"

namespace kb {

TableModel::TableModel(Table *table, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
    connect(table, &Table::recordsReset, this, &TableModel::reload);
    connect(table, &Table::stateChanged, this, &TableModel::stateChanged);
    connect(table, &Table::valuesChanged, this, &TableModel::currentValuesChanged);
    connect(table, &Table::currentChanged, this, &TableModel::currentValuesChanged);
    reload();
}

void TableModel::setDisplay(int column, std::function<QString(const QVariant &)> display)
{
    m_display.insert(column, std::move(display));
}

bool TableModel::pendingNewRow() const
{
    return m_table && m_table->isOpen() && m_table->state() == Table::State::Insert;
}

int TableModel::rowsOfTable() const
{
    if (!m_table || !m_table->isOpen())
        return 0;
    return m_table->recordCount() + (pendingNewRow() ? 1 : 0);
}

QVariant TableModel::valueAt(int row, const QString &field) const
{
    if (pendingNewRow() && row == m_table->recordCount())
        return m_table->value(field);
    return m_table->valueAt(row, field);
}

void TableModel::setFields(const QStringList &fields)
{
    m_chosen = fields;
    reload();
}

int TableModel::currentRow() const
{
    if (!m_table || !m_table->isOpen())
        return -1;
    return pendingNewRow() ? m_table->recordCount() : m_table->currentRow();
}

void TableModel::reload()
{
    beginResetModel();
    m_columns.clear();
    m_rows = 0;
    if (m_table && m_table->isOpen()) {
        m_columns = m_chosen.isEmpty() ? m_table->fieldNames() : m_chosen;
        m_rows = rowsOfTable();
    }
    endResetModel();
    currentValuesChanged();
}

void TableModel::stateChanged()
{
    // Starting or dropping a new record adds or removes its row; a change of the edit state
    // alone keeps the rows, so that a view keeps its open editor.
    if (rowsOfTable() != m_rows)
        reload();
    else
        currentValuesChanged();
}

void TableModel::currentValuesChanged()
{
    const int row = currentRow();
    if (row >= 0 && row < m_rows && !m_columns.isEmpty())
        Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
    if (row != m_current) {
        m_current = row;
        Q_EMIT currentRowChanged(row);
    }
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_table || !m_table->isOpen() || index.row() >= m_rows
        || index.column() >= m_columns.size())
        return QVariant();
    const QString &field = m_columns[index.column()];
    try {
        const FieldType type = m_table->fieldDef(field).type;
        if (type == FieldType::Graphic || type == FieldType::Blob) {
            if (role != Qt::DisplayRole)
                return QVariant();
            const QVariant v = valueAt(index.row(), field);
            if (!v.isValid() || v.isNull())
                return QString();
            return type == FieldType::Graphic ? QStringLiteral("(Grafik)")
                                              : QStringLiteral("(Blob)");
        }
        if (type == FieldType::Boolean) {
            if (role != Qt::CheckStateRole)
                return QVariant();
            return valueAt(index.row(), field).toBool() ? Qt::Checked : Qt::Unchecked;
        }
        const QVariant v = valueAt(index.row(), field);
        if (role == Qt::EditRole)
            return v;
        if (role == Qt::DisplayRole) {
            if (const auto display = m_display.constFind(index.column());
                display != m_display.cend())
                return (*display)(v);
            if (type == FieldType::Date)
                return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
            return v.isValid() ? v.toString() : QString();
        }
    } catch (const Error &) {
        // A record deleted through another cursor shows empty until the next re-read.
    }
    return QVariant();
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !m_table || !m_table->isOpen() || index.row() >= m_rows
        || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    const QString &field = m_columns[index.column()];
    try {
        QVariant assigned = value;
        if (role == Qt::CheckStateRole)
            assigned = value.toInt() == Qt::Checked;
        else if (role != Qt::EditRole)
            return false;
        if (currentRow() != index.row())
            m_table->setRecNo(index.row() + 1);
        m_table->setValue(field, assigned);
        return true;
    } catch (const Error &e) {
        // No exception may cross the event loop: the user reads the engine's message.
        ui().message(e.message());
        return false;
    }
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !m_table || !m_table->isOpen() || index.column() >= m_columns.size())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const FieldType type = m_table->fieldDef(m_columns[index.column()]).type;
    if (m_table->isReadOnly() || type == FieldType::AutoInc || type == FieldType::Graphic
        || type == FieldType::Blob)
        return result;
    return result | (type == FieldType::Boolean ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_columns.size())
            return QVariant();
        return section < m_titles.size() ? m_titles[section] : m_columns[section];
    }
    return section + 1;
}

} // namespace kb
