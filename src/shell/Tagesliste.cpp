#include "shell/Tagesliste.h"

#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QHeaderView>
#include <QIdentityProxyModel>

namespace kb {

namespace {

// The column titles of the day list: "Tag im Jahr" for Nummer, the field name otherwise.
class Titel : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section == 0)
            return QStringLiteral("Tag im Jahr");
        if (o == Qt::Horizontal && role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return QIdentityProxyModel::headerData(section, o, role);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        // Everything but the text is centred.
        if (role == Qt::TextAlignmentRole && index.column() != 4)
            return int(Qt::AlignCenter);
        return QIdentityProxyModel::data(index, role);
    }
};

} // namespace

Tagesliste::Breiten Tagesliste::designBreiten()
{
    return { 49, 37, 64, 64, 100 };
}

Tagesliste::Tagesliste(Table *jahr, QWidget *parent)
    : QTableView(parent)
    , m_jahr(jahr)
    , m_model(new TableModel(jahr, this))
    , m_breiten(designBreiten())
{
    m_model->setFields({ QStringLiteral("Nummer"), QStringLiteral("Tag"), QStringLiteral("Datum"),
        QStringLiteral("Woche"), QStringLiteral("Text") });
    auto *titel = new Titel(this);
    titel->setSourceModel(m_model);
    setModel(titel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(false);
    // "kalender.INI" may ask for a column of one pixel.
    horizontalHeader()->setMinimumSectionSize(1);

    // While the records change the header forgets its sizes; they are applied again after.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_anwenden = true; });
    connect(m_model, &QAbstractItemModel::modelReset, this, &Tagesliste::breitenAnwenden);
    connect(m_model, &TableModel::currentRowChanged, this, &Tagesliste::aktuelleZeileZeigen);
    connect(
        horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
            if (!m_anwenden && section < kSpalten)
                m_breiten[section] = size;
        });
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &index) {
        if (m_jahr->isOpen() && index.row() != m_jahr->currentRow())
            m_jahr->setRecNo(index.row() + 1);
    });
}

void Tagesliste::setSpaltenbreiten(const Breiten &breiten)
{
    const Breiten design = designBreiten();
    for (int i = 0; i < kSpalten; ++i)
        m_breiten[i] = breiten[i] == -1 ? design[i] : breiten[i];
    breitenAnwenden();
}

void Tagesliste::breitenAnwenden()
{
    m_anwenden = true;
    for (int i = 0; i < kSpalten && i < model()->columnCount(); ++i)
        setColumnWidth(i, m_breiten[i]);
    m_anwenden = false;
    aktuelleZeileZeigen(m_model->currentRow());
}

void Tagesliste::aktuelleZeileZeigen(int row)
{
    if (row < 0) {
        clearSelection();
        return;
    }
    selectRow(row);
    scrollTo(model()->index(row, 0));
}

} // namespace kb
