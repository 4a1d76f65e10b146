#include "days/TBuchForm.h"

#include "days/Tagesbearbeitung.h"
#include "days/Textbibliothek.h"
#include "platform/Ui.h"
#include "storage/Datensatzleiste.h"
#include "storage/Table.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace kb {

TexteGrid::TexteGrid(Table *texte, QWidget *parent)
    : QTableView(parent)
    , m_texte(texte)
{
}

void TexteGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && (event->modifiers() & Qt::ControlModifier)) {
        if (m_texte && navKnopfAktiv(NavKnopf::Loeschen, *m_texte))
            mitMeldung([this] { navKnopfAusfuehren(NavKnopf::Loeschen, *m_texte); });
        return;
    }
    QTableView::keyPressEvent(event);
}

TBuchForm::TBuchForm(Table *texte, Table *jahr, QWidget *parent)
    : QDialog(parent, Qt::Tool)
    , m_texte(texte)
    , m_jahr(jahr)
{
    setWindowTitle(QStringLiteral("Texte"));
    setObjectName(QStringLiteral("TBuchForm"));
    setSizeGripEnabled(true);
    resize(420, 360);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x00, 0x00, 0xC0));
    setPalette(pal);

    m_modell = new TexteModell(texte, this);
    m_grid = new TexteGrid(texte, this);
    m_grid->setModel(m_modell);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double-click takes the text over; typing or F2 edits it.
    m_grid->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->verticalHeader()->hide();
    QPalette gridPal = m_grid->palette();
    for (auto rolle : { QPalette::Highlight, QPalette::HighlightedText })
        gridPal.setColor(QPalette::Inactive, rolle, gridPal.color(QPalette::Active, rolle));
    m_grid->setPalette(gridPal);

    m_navigator = new Datensatzleiste(texte, vollerNavigator(), this);
    m_uebernehmen = new QPushButton(QStringLiteral("Text übernehmen "), this);
    m_schliessen = new QPushButton(QStringLiteral(" Schliessen"), this);

    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(8, 8, 8, 8);
    v->addWidget(m_navigator);
    v->addWidget(m_grid, 1);
    auto *h = new QHBoxLayout;
    h->addStretch(1);
    h->addWidget(m_uebernehmen);
    h->addWidget(m_schliessen);
    v->addLayout(h);

    connect(m_uebernehmen, &QPushButton::clicked, this, &TBuchForm::textUebernehmenKlick);
    connect(m_schliessen, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QAbstractItemView::doubleClicked, this, &TBuchForm::textUebernehmenKlick);
    connect(m_modell, &TableModel::currentRowChanged, this, &TBuchForm::aktuelleZeileZeigen);
    connect(m_modell, &QAbstractItemModel::modelReset, this,
        [this] { aktuelleZeileZeigen(m_modell->aktuelleZeile()); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (!m_texte || !m_texte->isOpen() || !current.isValid()
                || current.row() == m_modell->aktuelleZeile()
                || current.row() >= m_texte->recordCount())
                return;
            if (!mitMeldung([&] { m_texte->setRecNo(current.row() + 1); }))
                aktuelleZeileZeigen(m_modell->aktuelleZeile());
        });
}

void TBuchForm::aktuelleZeileZeigen(int zeile)
{
    if (zeile < 0)
        return;
    const QModelIndex index = m_modell->index(zeile, 0);
    if (m_grid->currentIndex() != index)
        m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

void TBuchForm::textUebernehmenKlick()
{
    if (!m_texte || !m_jahr || !m_texte->isOpen() || !m_jahr->isOpen())
        return;
    const bool ok = mitMeldung([this] {
        if (m_texte->recordCount() == 0 && m_texte->state() != Table::State::Insert)
            return;
        textUebernehmen(*m_jahr, m_texte->asString(QStringLiteral("Text")));
    });
    if (ok)
        accept();
}

void tageGridEditButtonClick(Table &texte, TBuchForm &fenster)
{
    if (!texteVorhanden(texte)) {
        ui().message(texteFehlenMeldung(texte));
        return;
    }
    if (!mitMeldung([&] { texte.open(); }))
        return;
    ui().runModal(&fenster);
    mitMeldung([&] { texte.close(); });
}

} // namespace kb
