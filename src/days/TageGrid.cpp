#include "days/TageGrid.h"

#include "days/TageGridDelegate.h"
#include "days/TageGridModell.h"
#include "days/Tagesbearbeitung.h"
#include "platform/Ui.h"
#include "storage/Table.h"
#include "storage/TableModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace kb {

namespace {

int textSpalte()
{
    const QList<TageGridSpalte> &spalten = tageGridSpalten();
    for (int i = 0; i < spalten.size(); ++i) {
        if (spalten[i].feld == QLatin1String("Text"))
            return i;
    }
    return -1;
}

// Titles white on dark blue ($A00000), cells in the grid's face.
QString titelStil()
{
    return QStringLiteral(
        "QHeaderView::section { background-color: rgb(0, 0, 160); color: white;"
        " border: none; border-right: 1px solid rgb(0, 0, 110);"
        " border-bottom: 1px solid rgb(0, 0, 110); padding: 1px 1px; }"
        "QTableCornerButton::section { background-color: rgb(0, 0, 160); border: none; }");
}

} // namespace

TageGrid::TageGrid(Table *jahr, const LayoutSettings *farben, QWidget *parent)
    : QTableView(parent)
    , m_jahr(jahr)
    , m_modell(new TageGridModell(jahr, farben, this))
    , m_delegate(new TageGridDelegate(jahr, textSpalte(), this))
    , m_breiten(designBreiten())
{
    setModel(m_modell);
    setItemDelegate(m_delegate);
    setFont(QFont(QStringLiteral("Microsoft Sans Serif"), 8));
    horizontalHeader()->setStyleSheet(titelStil());
    verticalHeader()->setStyleSheet(titelStil());
    horizontalHeader()->setFont(font());
    QPalette pal = palette();
    pal.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80)); // navy
    // The current day stays marked when the grid loses the focus.
    for (auto rolle : { QPalette::Highlight, QPalette::HighlightedText })
        pal.setColor(QPalette::Inactive, rolle, pal.color(QPalette::Active, rolle));
    setPalette(pal);

    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    // "kalender.INI" may ask for a column of one pixel.
    horizontalHeader()->setMinimumSectionSize(1);

    // While the records change the header forgets its sizes; they are applied again after.
    connect(m_modell, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_anwenden = true;
        // The view drops its editor with the records; what it held went into the day already.
        m_delegate->editorGeschlossen(m_delegate->offenerEditor());
    });
    connect(m_modell, &QAbstractItemModel::modelReset, this, &TageGrid::breitenAnwenden);
    connect(m_modell->tabellenModell(), &TableModel::currentRowChanged, this,
        &TageGrid::aktuelleZeileZeigen);
    connect(
        horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
            if (!m_anwenden && section < kTageGridBreiten)
                m_breiten[section] = size;
        });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (eingabeUebernehmen())
            Q_EMIT tagesdatenGewuenscht();
    });
    connect(m_delegate, &TageGridDelegate::ellipseGeklickt, this, &TageGrid::ellipseGeklickt);
    breitenAnwenden();
}

void TageGrid::setSpaltenbreiten(const Breiten &breiten)
{
    std::array<qint32, kTageGridBreiten> ini {};
    std::copy(breiten.begin(), breiten.end(), ini.begin());
    m_breiten = breitenAusIni(ini);
    breitenAnwenden();
}

void TageGrid::feldgroesseAnpassen(int bildschirmBreite)
{
    m_breiten = kb::feldgroesseAnpassen(bildschirmBreite);
    breitenAnwenden();
}

void TageGrid::breitenAnwenden()
{
    m_anwenden = true;
    for (int i = 0; i < kTageGridBreiten && i < model()->columnCount(); ++i)
        setColumnWidth(i, m_breiten[i]);
    for (int i = 0; i < tageGridSpalten().size() && i < model()->columnCount(); ++i)
        setColumnHidden(i, !tageGridSpalten()[i].sichtbar);
    m_anwenden = false;
    aktuelleZeileZeigen(m_modell->tabellenModell()->currentRow());
}

void TageGrid::aktuelleZeileZeigen(int row)
{
    if (row < 0) {
        clearSelection();
        return;
    }
    // The day text is the cell to start in: typing there edits it.
    const int spalte = currentIndex().isValid() ? currentIndex().column() : textSpalte();
    const QModelIndex ziel = model()->index(row, spalte);
    if (currentIndex() != ziel)
        setCurrentIndex(ziel);
    else if (!selectionModel()->isSelected(ziel))
        selectionModel()->select(ziel, QItemSelectionModel::ClearAndSelect);
    scrollTo(ziel);
    viewport()->update();
}

void TageGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // An open editor writes into the day it was opened on before another becomes current.
    QTableView::currentChanged(current, previous);
    if (!current.isValid() || !m_jahr || !m_jahr->isOpen() || current.row() == m_jahr->currentRow())
        return;
    if (!mitMeldung([&] { m_jahr->setRecNo(current.row() + 1); }))
        aktuelleZeileZeigen(m_jahr->currentRow());
    // The text button moves with the current day.
    viewport()->update();
}

void TageGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    ganzeZeileOben();
}

void TageGrid::updateGeometries()
{
    QTableView::updateGeometries();
    ganzeZeileOben();
}

void TageGrid::ganzeZeileOben()
{
    // Scrolled to the end, the view would align the last day with the bottom and cut the top
    // row; the grid starts with a whole row always and leaves the rest below empty.
    QHeaderView *zeilen = verticalHeader();
    const int erste = zeilen->logicalIndex(verticalScrollBar()->value());
    if (erste < 0)
        return;
    const int ganz = zeilen->sectionPosition(erste);
    if (zeilen->offset() == ganz)
        return;
    zeilen->setOffset(ganz);
    updateEditorGeometries();
    viewport()->update();
}

void TageGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    m_delegate->editorGeschlossen(editor);
    QTableView::closeEditor(editor, hint);
}

QLineEdit *TageGrid::textEditor() const
{
    TextZellEditor *e = m_delegate->offenerEditor();
    return e ? e->zeile() : nullptr;
}

bool TageGrid::eingabeUebernehmen()
{
    TextZellEditor *e = m_delegate->offenerEditor();
    if (!e)
        return true;
    if (const QString fehler = m_delegate->editorFehler(); !fehler.isEmpty()) {
        ui().message(fehler);
        e->zeile()->setFocus();
        return false;
    }
    commitData(e);
    closeEditor(e, QAbstractItemDelegate::NoHint);
    return true;
}

void TageGrid::eingabeVerwerfen()
{
    if (TextZellEditor *e = m_delegate->offenerEditor())
        closeEditor(e, QAbstractItemDelegate::RevertModelCache);
}

void TageGrid::ellipseGeklickt()
{
    if (eingabeUebernehmen())
        Q_EMIT textbibliothekGewuenscht();
}

void TageGrid::keyPressEvent(QKeyEvent *event)
{
    // Enter moves to the next cell as Tab does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, event->modifiers() & ~Qt::KeypadModifier);
        QTableView::keyPressEvent(&tab);
        return;
    }
    QTableView::keyPressEvent(event);
}

void TageGrid::mousePressEvent(QMouseEvent *event)
{
    // A refused text keeps its day current until the user shortens it.
    if (m_delegate->offenerEditor()
        && indexAt(event->position().toPoint()).row() != m_delegate->offenerEditor()->index.row()) {
        if (!eingabeUebernehmen())
            return;
    }
    QTableView::mousePressEvent(event);
}

} // namespace kb
