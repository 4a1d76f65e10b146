#include "designer/EigenschaftsListe.h"

#include "platform/Ui.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTimer>

namespace kb::designer {

namespace {

constexpr int kArtRolle = Qt::UserRole + 1;
constexpr int kAuswahlRolle = Qt::UserRole + 2;

QIcon farbfeld(const QString &text)
{
    const std::optional<QColor> f = farbe(text);
    if (!f)
        return {};
    // Framed, so that white shows on the white list too.
    QPixmap p(12, 12);
    p.fill(Qt::darkGray);
    QPainter maler(&p);
    maler.fillRect(1, 1, 10, 10, *f);
    maler.end();
    return QIcon(p);
}

// Choice rows are edited in a drop-down list of their values, every other row as text.
class WertDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override
    {
        if (Werteart(index.data(kArtRolle).toInt()) != Werteart::Auswahl)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto *liste = new QComboBox(parent);
        liste->addItems(index.data(kAuswahlRolle).toStringList());
        // A value picked is taken at once, not only when the cell loses the focus.
        connect(liste, &QComboBox::activated, this, [this, liste] {
            auto *self = const_cast<WertDelegate *>(this);
            Q_EMIT self->commitData(liste);
            Q_EMIT self->closeEditor(liste);
        });
        return liste;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *liste = qobject_cast<QComboBox *>(editor)) {
            liste->setCurrentIndex(liste->findText(index.data().toString()));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        if (auto *liste = qobject_cast<QComboBox *>(editor)) {
            model->setData(index, liste->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

EigenschaftsListe::EigenschaftsListe(QWidget *parent)
    : QTableWidget(0, 2, parent)
{
    setHorizontalHeaderLabels({ QStringLiteral("Eigenschaft"), QStringLiteral("Wert") });
    verticalHeader()->setVisible(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setColumnWidth(0, 96);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click is handled below: colours open the colour dialog.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
        | QAbstractItemView::SelectedClicked);
    setItemDelegateForColumn(1, new WertDelegate(this));
    connect(this, &QTableWidget::cellChanged, this, &EigenschaftsListe::zelleGeaendert);
    connect(this, &QTableWidget::cellDoubleClicked, this, &EigenschaftsListe::doppelklick);
}

void EigenschaftsListe::zeigen(std::vector<Listenzeile> zeilen, QVariant bezug)
{
    const QSignalBlocker b(this);
    m_zeilen = std::move(zeilen);
    m_bezug = std::move(bezug);
    setRowCount(int(m_zeilen.size()));
    for (std::size_t i = 0; i < m_zeilen.size(); ++i) {
        const Listenzeile &z = m_zeilen[i];
        auto *titel = new QTableWidgetItem(z.titel);
        titel->setFlags(Qt::ItemIsEnabled);
        titel->setData(Qt::UserRole, z.id);
        titel->setToolTip(z.titel);
        setItem(int(i), 0, titel);
        auto *wert = new QTableWidgetItem(z.wert);
        wert->setFlags(z.aenderbar ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                   : Qt::ItemIsEnabled);
        wert->setToolTip(z.wert);
        wert->setData(kArtRolle, int(z.art));
        wert->setData(kAuswahlRolle, z.auswahl);
        if (z.art == Werteart::Farbe)
            wert->setIcon(farbfeld(z.wert));
        setItem(int(i), 1, wert);
    }
}

int EigenschaftsListe::zeileVon(int id) const
{
    for (std::size_t i = 0; i < m_zeilen.size(); ++i)
        if (m_zeilen[i].id == id)
            return int(i);
    return -1;
}

void EigenschaftsListe::zelleGeaendert(int zeile, int spalte)
{
    if (spalte != 1 || zeile < 0 || zeile >= int(m_zeilen.size()) || !item(zeile, 1))
        return;
    melden(zeile, item(zeile, 1)->text());
}

void EigenschaftsListe::melden(int zeile, const QString &text)
{
    const Listenzeile &z = m_zeilen[std::size_t(zeile)];
    if (text == z.wert)
        return;
    // Posted: the designer rebuilds the list in answer, and the item that reported the
    // change is still inside its own update.
    QTimer::singleShot(0, this, [this, bezug = m_bezug, id = z.id, titel = z.titel, text] {
        Q_EMIT geaendert(bezug, id, titel, text);
    });
}

void EigenschaftsListe::doppelklick(int zeile, int spalte)
{
    if (zeile < 0 || zeile >= int(m_zeilen.size()) || !m_zeilen[std::size_t(zeile)].aenderbar)
        return;
    const Listenzeile &z = m_zeilen[std::size_t(zeile)];
    if (z.art != Werteart::Farbe) {
        if (QTableWidgetItem *wert = item(zeile, 1))
            editItem(wert);
        return;
    }
    (void)spalte;
    if (const std::optional<QColor> neu = ui().color(farbe(z.wert).value_or(Qt::white)))
        melden(zeile, farbText(*neu));
}

} // namespace kb::designer
