#include "caldata/TPersForm.h"

#include "caldata/PersDaten.h"
#include "caldata/PersModell.h"
#include "caldata/TDatenAnlegenF.h"
#include "platform/Error.h"
#include "platform/MitMeldung.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "storage/Datensatzleiste.h"
#include "storage/Navigation.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace kb {

namespace {

// Day and month from drop-down lists of twelve visible rows; the text from suggestions or
// typed freely.
class PersDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *box = new QComboBox(parent);
        box->setMaxVisibleItems(12);
        switch (index.column()) {
        case PersModell::SpalteTag:
            box->addItems(PersModell::tage());
            break;
        case PersModell::SpalteMonat:
            box->addItems(PersModell::monate());
            break;
        default:
            box->setEditable(true);
            box->addItems(PersModell::textVorschlaege());
            box->lineEdit()->setMaxLength(255);
            break;
        }
        return box;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        const QVariant wert = index.data(Qt::EditRole);
        if (index.column() == PersModell::SpalteText) {
            box->setEditText(wert.toString());
        } else {
            const int zahl = wert.toInt();
            box->setCurrentIndex(zahl >= 1 && zahl <= box->count() ? zahl - 1 : 0);
        }
    }

    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        if (index.column() == PersModell::SpalteText)
            model->setData(index, box->currentText(), Qt::EditRole);
        else
            model->setData(index, box->currentIndex() + 1, Qt::EditRole);
    }
};

} // namespace

TPersForm::TPersForm(Table *pers, Table *jahr, QWidget *parent)
    : QDialog(parent)
    , m_pers(pers)
    , m_jahr(jahr)
{
    setWindowTitle(QStringLiteral("persönliche Stammdaten eingeben...."));
    setObjectName(QStringLiteral("TPersForm"));
    setSizeGripEnabled(true);

    m_hinweis = new QLabel(QStringLiteral("geben Sie hier den Tag, Monat und Ihren Text ein,\r\n"
                                          " für die wiederkehrenden Daten eines Jahres."),
        this);
    m_modell = new PersModell(pers, this);
    m_grid = new QTableView(this);
    m_grid->setModel(m_modell);
    m_grid->setItemDelegate(new PersDelegate(m_grid));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // A click only selects: an editor opens on a double click, on F2 or when the user types,
    // never merely because the current cell changed (the list re-sorts after every save, and
    // an editor opened there would take the next typing into another date).
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 10);
    m_grid->setColumnWidth(PersModell::SpalteTag, 60);
    m_grid->setColumnWidth(PersModell::SpalteMonat, 70);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    m_navigator = new Datensatzleiste(pers, vollerNavigator(), this);
    // The buttons take no focus, so an editor still open hands its value over first.
    m_navigator->setVorher([this] { return editorUebergeben(); });
    connect(m_navigator, &Datensatzleiste::ausgefuehrt, this, [this](NavKnopf knopf) {
        if (knopf == NavKnopf::Einfuegen)
            neueZeileBearbeiten();
    });
    m_uebernehmen = new QPushButton(QStringLiteral("Daten in aktiven Kalender schreiben..."), this);
    m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);

    auto *v = new QVBoxLayout(this);
    v->addWidget(m_hinweis);
    v->addWidget(m_navigator);
    v->addWidget(m_grid, 1);
    auto *h = new QHBoxLayout;
    h->addWidget(m_uebernehmen);
    h->addStretch(1);
    h->addWidget(m_abbrechen);
    v->addLayout(h);
    resize(480, 420);

    connect(m_uebernehmen, &QPushButton::clicked, this, &TPersForm::uebernehmenKlick);
    connect(m_abbrechen, &QPushButton::clicked, this, &QDialog::reject);
    // The grid's row follows the cursor, and a click on a row moves the cursor there.
    connect(m_modell, &TableModel::currentRowChanged, this, &TPersForm::aktuelleZeileZeigen);
    connect(m_modell, &QAbstractItemModel::modelReset, this,
        [this] { aktuelleZeileZeigen(m_modell->aktuelleZeile()); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (!m_pers || !m_pers->isOpen() || !current.isValid()
                || current.row() == m_modell->aktuelleZeile()
                || current.row() >= m_pers->recordCount())
                return;
            if (!mitMeldung([&] { m_pers->setRecNo(current.row() + 1); }))
                aktuelleZeileZeigen(m_modell->aktuelleZeile());
        });
}

void TPersForm::aktuelleZeileZeigen(int zeile)
{
    if (zeile < 0)
        return;
    const int spalte = std::max(m_grid->currentIndex().column(), 0);
    const QModelIndex index = m_modell->index(zeile, spalte);
    if (m_grid->currentIndex() != index)
        m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

bool TPersForm::editorUebergeben()
{
    QWidget *editor = QApplication::focusWidget();
    while (editor && editor->parentWidget() != m_grid->viewport())
        editor = editor->parentWidget();
    if (!editor)
        return true;
    QAbstractItemDelegate *delegate = m_grid->itemDelegate();
    Q_EMIT delegate->commitData(editor);
    Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_grid->setFocus();
    return true;
}

void TPersForm::neueZeileBearbeiten()
{
    if (!m_pers || m_pers->state() != Table::State::Insert)
        return;
    const QModelIndex index = m_modell->index(m_modell->aktuelleZeile(), PersModell::SpalteTag);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
    m_grid->setFocus();
    m_grid->edit(index);
}

void TPersForm::uebernehmenKlick()
{
    if (!m_pers || !m_jahr)
        return;
    // An entry still pending belongs to the dates (an open editor has handed its text over
    // when the button took the focus).
    if (!mitMeldung([this] {
            if (m_pers->isOpen() && m_pers->isModified())
                m_pers->post();
        }))
        return;
    if (!m_jahr->isOpen() || !m_pers->isOpen() || m_pers->isEmpty()) {
        ui().message(keineDatenZumEintragen());
        reject();
        return;
    }
    if (m_vorher)
        m_vorher();
    PersUebernahme ergebnis;
    if (!mitMeldung([&] { ergebnis = persDatenUebernehmen(*m_jahr, *m_pers); }))
        return;
    ui().message(ergebnis.meldung());
    accept();
}

void persDatenZeigen(Table &pers, const QString &tabellenPfad, TPersForm &eingabe)
{
    if (!mitMeldung([&] {
            pers.close();
            if (!QFileInfo::exists(tabellenPfad))
                throw Error(QStringLiteral("Die Tabelle „%1“ gibt es nicht.")
                                .arg(QDir::toNativeSeparators(tabellenPfad)));
            pers.setFilePath(tabellenPfad);
            pers.setIndexName(QStringLiteral("SekTagMonat"));
            pers.open();
        }))
        return;
    ui().runModal(&eingabe);
    mitMeldung([&] {
        if (pers.isModified())
            pers.post();
    });
    mitMeldung([&] { pers.close(); });
}

void persDatenNeu(Table &pers, TDatenAnlegenF &anlegen, TPersForm &eingabe)
{
    mitMeldung([&] { pers.close(); });
    anlegen.leeren();
    ui().runModal(&anlegen);
    if (const std::optional<PersDatei> &neu = anlegen.angelegt())
        persDatenZeigen(pers, neu->tabellenPfad(), eingabe);
}

void personlichedatenopen(Table &pers, TPersForm &eingabe)
{
    const QString start = ProgramDir::calendarDataDir();
    QDir().mkpath(start);
    const QString datei = ui().openFileName(
        QStringLiteral("Öffnen"), start, QStringLiteral("persönliche Standarddaten (*.PER *.per)"));
    if (datei.isEmpty() || !PersDatei::istPersDatei(datei))
        return;
    persDatenZeigen(pers, PersDatei::ausPer(datei).tabellenPfad(), eingabe);
}

} // namespace kb
