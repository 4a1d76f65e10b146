#include "designer/TSimpleDemoMainForm.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/Table.h"
#include "storage/TableModel.h"
#include "widgets/GradientPanel.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace kb::designer {
namespace {

const QString kName = QStringLiteral("Reportname");
const QString kDaten = QStringLiteral("Reportdata");
// The designer window's title is at most this long.
constexpr int kMaxTitel = 255;

QPushButton *knopf(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 4px; font-size: 8pt;"));
    return b;
}

QGroupBox *gruppe(QWidget *parent, const QRect &lage, const QList<QPushButton *> &knoepfe)
{
    auto *g = new QGroupBox(parent);
    g->setGeometry(lage);
    g->setStyleSheet(
        QStringLiteral("QGroupBox { border: 1px solid #8080ff; border-radius: 4px; }"));
    auto *layout = new QVBoxLayout(g);
    for (QPushButton *b : knoepfe) {
        b->setParent(g);
        layout->addWidget(b);
    }
    return g;
}

} // namespace

TSimpleDemoMainForm::TSimpleDemoMainForm(Table &berichte, KalenderQuelle kalender, QWidget *parent)
    : QDialog(parent)
    , m_berichte(berichte)
    , m_kalender(std::move(kalender))
{
    setWindowTitle(QStringLiteral("Report-Kronoblatt-Designer/Report-Verwaltung"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint);
    setFixedSize(497, 500);

    auto *hintergrund = new widgets::GradientPanel(this);
    hintergrund->setGradient(Qt::blue, Qt::black, 64);
    hintergrund->setGeometry(rect());

    m_modell = new TableModel(&m_berichte, this);
    m_modell->setFields({ kName });
    m_modell->setTitles({ QStringLiteral("Reportname") });
    m_liste = new QTableView(hintergrund);
    m_liste->setModel(m_modell);
    m_liste->setGeometry(8, 8, 281, 409);
    m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
    m_liste->verticalHeader()->setDefaultSectionSize(20);
    m_liste->setColumnWidth(0, 257);
    m_liste->setToolTip(QStringLiteral("Doppelklick um Vorschau zu erzeugen"));

    m_neu = knopf(QStringLiteral("neuen Report anlegen............"), this);
    m_loeschen = knopf(QStringLiteral("selektierten Report löschen....."), this);
    m_bearbeiten = knopf(QStringLiteral("selektierten Report editieren....."), this);
    m_vorschau = knopf(QStringLiteral("selektierte Report-Vorschau....."), this);
    m_drucken = knopf(QStringLiteral("selektierten Report drucken....."), this);
    gruppe(hintergrund, QRect(297, 8, 192, 84), { m_neu, m_loeschen });
    gruppe(hintergrund, QRect(297, 104, 192, 118), { m_bearbeiten, m_vorschau, m_drucken });
    m_schliessen = new QPushButton(QStringLiteral("Schliessen"), hintergrund);
    m_schliessen->setGeometry((497 - 100) / 2, 440, 100, 30);

    connect(m_neu, &QPushButton::clicked, this, &TSimpleDemoMainForm::neu);
    connect(m_loeschen, &QPushButton::clicked, this, &TSimpleDemoMainForm::loeschen);
    connect(m_bearbeiten, &QPushButton::clicked, this, &TSimpleDemoMainForm::bearbeiten);
    connect(m_vorschau, &QPushButton::clicked, this, &TSimpleDemoMainForm::vorschau);
    connect(m_drucken, &QPushButton::clicked, this, &TSimpleDemoMainForm::drucken);
    connect(m_schliessen, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_liste, &QTableView::doubleClicked, this, &TSimpleDemoMainForm::vorschau);
    connect(m_liste->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &index) {
            if (index.isValid() && index.row() != m_berichte.currentRow())
                mitMeldung([&] { m_berichte.setRecNo(index.row() + 1); });
        });
    connect(m_modell, &TableModel::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_liste->selectRow(row);
    });
}

TSimpleDemoMainForm::~TSimpleDemoMainForm() = default;

void TSimpleDemoMainForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    if (m_modell->currentRow() >= 0)
        m_liste->selectRow(m_modell->currentRow());
}

void TSimpleDemoMainForm::mitMeldung(const std::function<void()> &aenderung)
{
    try {
        aenderung();
    } catch (const Error &e) {
        if (m_berichte.state() != Table::State::Browse)
            m_berichte.cancel();
        ui().message(e.message());
    }
}

// The record is posted whether or not the designer saved: a report closed unsaved is kept
// with its name and empty data.
void TSimpleDemoMainForm::neu()
{
    const std::optional<QString> name = ui().inputQuery(
        QStringLiteral("Report-Bezeichnung"), QStringLiteral("Report-Name:"), QString());
    if (!name)
        return;
    mitMeldung([&] {
        m_berichte.append();
        m_berichte.setString(kName, *name);
        TReportDesignerDialog::neuInFeld(
            m_berichte, kDaten, name->left(kMaxTitel), m_kalender, this);
        m_berichte.post();
    });
}

void TSimpleDemoMainForm::loeschen()
{
    mitMeldung([&] {
        if (!m_berichte.isEmpty())
            m_berichte.remove();
    });
}

void TSimpleDemoMainForm::bearbeiten()
{
    if (m_berichte.isEmpty())
        return;
    mitMeldung([&] {
        m_berichte.edit();
        const QString titel = m_berichte.asString(kName).left(kMaxTitel);
        TReportDesignerDialog::bearbeitenAusFeld(m_berichte, kDaten, titel, m_kalender, this);
        m_berichte.post();
    });
}

void TSimpleDemoMainForm::vorschau()
{
    if (!m_berichte.isEmpty())
        TReportDesignerDialog::vorschauAusFeld(m_berichte, kDaten, m_kalender);
}

void TSimpleDemoMainForm::drucken()
{
    if (!m_berichte.isEmpty())
        TReportDesignerDialog::druckenAusFeld(m_berichte, kDaten, m_kalender, this);
}

} // namespace kb::designer
