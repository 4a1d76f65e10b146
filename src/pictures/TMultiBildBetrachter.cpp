#include "pictures/TMultiBildBetrachter.h"

#include "pictures/BildauswahlModell.h"
#include "pictures/Bildregeln.h"
#include "platform/Error.h"
#include "platform/Ui.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace kb {

namespace {

// Grid lines are 6 pixels wide: each cell takes 96 × 126 pixels of the grid.
constexpr int kLinie = 6;
constexpr int kZellenBreite = 90 + kLinie;
constexpr int kZellenHoehe = 120 + kLinie;
const QColor kLinienFarbe(0xd4, 0xd0, 0xc8);

// Paints a cell: the thumbnail from the cache (white while it is on its way), the grid line
// right and below, and the focus rectangle around the current cell.
class ZellenMaler : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(
        QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect zelle(option.rect.topLeft(), kThumbnailGroesse);
        p->fillRect(option.rect, kLinienFarbe);
        p->fillRect(zelle, Qt::white);
        const QVariant bild = index.data(Qt::DecorationRole);
        if (bild.isValid())
            p->drawImage(zelle, bild.value<QImage>());
        if (option.state & QStyle::State_Selected) {
            // The selected cell stays marked when the grid loses the focus.
            p->setPen(QPen(option.palette.color(QPalette::Highlight), 3));
            p->setBrush(Qt::NoBrush);
            p->drawRect(zelle.adjusted(1, 1, -2, -2));
        }
        if (option.state & QStyle::State_HasFocus) {
            QPen stift(Qt::black, 1, Qt::DotLine);
            p->setPen(stift);
            p->setBrush(Qt::NoBrush);
            p->drawRect(zelle.adjusted(0, 0, -1, -1));
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return { kZellenBreite, kZellenHoehe };
    }
};

QString ohneSchraegstrich(QString pfad)
{
    while (
        pfad.size() > 1 && pfad.endsWith(QLatin1Char('/')) && !pfad.endsWith(QLatin1String(":/")))
        pfad.chop(1);
    return pfad;
}

} // namespace

TMultiBildBetrachter::TMultiBildBetrachter(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Bild - Auswahl"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint);
    setFixedSize(631, 338);

    auto *teiler = new QSplitter(Qt::Horizontal, this);
    teiler->setChildrenCollapsible(false);
    teiler->addWidget(linksBauen());
    teiler->addWidget(rechtsBauen());
    const int rechts = std::max(406, teiler->widget(1)->minimumSizeHint().width());
    teiler->setSizes({ 631 - rechts - teiler->handleWidth(), rechts });
    teiler->setStretchFactor(1, 1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(teiler);

    m_ordner = ohneSchraegstrich(QDir::currentPath());
    listeLesen(true);
    baumAufOrdner(m_ordner);
    const int index = auswahlIndex();
    if (index >= 1 && index <= m_modell->dateien().size())
        zelleWaehlen((index - 1) / kGitterSpalten, (index - 1) % kGitterSpalten);
    m_gitter->setFocus();
}

TMultiBildBetrachter::~TMultiBildBetrachter() = default;

QWidget *TMultiBildBetrachter::linksBauen()
{
    auto *links = new QWidget(this);
    links->setMinimumWidth(50);
    auto *spalte = new QVBoxLayout(links);
    spalte->setContentsMargins(4, 4, 2, 4);
    spalte->setSpacing(4);

    m_zaehler = new QLineEdit(links);
    m_zaehler->setReadOnly(true);
    m_zaehler->setFocusPolicy(Qt::NoFocus);
    spalte->addWidget(m_zaehler);

    m_laufwerke = new QComboBox(links);
    m_laufwerke->addItems(kb::laufwerke(QDir::currentPath()));
    spalte->addWidget(m_laufwerke);

    m_dateisystem = new QFileSystemModel(this);
    m_dateisystem->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dateisystem->setReadOnly(true);
    m_baum = new QTreeView(links);
    m_baum->setModel(m_dateisystem);
    for (int c = 1; c < m_dateisystem->columnCount(); ++c)
        m_baum->hideColumn(c);
    m_baum->setHeaderHidden(true);
    m_baum->setUniformRowHeights(true);
    spalte->addWidget(m_baum, 1);

    // The folders load in the background: once they are there, the current one is shown.
    connect(m_dateisystem, &QFileSystemModel::directoryLoaded, this,
        [this] { m_baum->scrollTo(m_baum->currentIndex(), QAbstractItemView::PositionAtCenter); });
    connect(m_laufwerke, &QComboBox::activated, this, &TMultiBildBetrachter::laufwerkGewaehlt);
    connect(m_baum, &QTreeView::clicked, this,
        [this](const QModelIndex &index) { ordnerWechseln(m_dateisystem->filePath(index)); });
    connect(m_baum, &QTreeView::activated, this,
        [this](const QModelIndex &index) { ordnerWechseln(m_dateisystem->filePath(index)); });
    return links;
}

QWidget *TMultiBildBetrachter::rechtsBauen()
{
    auto *rechts = new QWidget(this);
    auto *spalte = new QVBoxLayout(rechts);
    spalte->setContentsMargins(2, 4, 4, 4);
    spalte->setSpacing(4);

    m_modell = new BildauswahlModell(this);
    m_gitter = new QTableView(rechts);
    m_gitter->setModel(m_modell);
    m_gitter->setItemDelegate(new ZellenMaler(m_gitter));
    m_gitter->setShowGrid(false);
    m_gitter->horizontalHeader()->hide();
    m_gitter->verticalHeader()->hide();
    m_gitter->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_gitter->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_gitter->horizontalHeader()->setMinimumSectionSize(1);
    m_gitter->verticalHeader()->setMinimumSectionSize(1);
    m_gitter->horizontalHeader()->setDefaultSectionSize(kZellenBreite);
    m_gitter->verticalHeader()->setDefaultSectionSize(kZellenHoehe);
    m_gitter->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gitter->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_gitter->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gitter->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_gitter->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gitter->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_gitter->verticalScrollBar()->setSingleStep(kZellenHoehe / 3);
    // The pane is never narrower than the grid's columns: nothing of them can scroll out of
    // sight to the left.
    m_gitter->setMinimumWidth(kGitterSpalten * kZellenBreite + 2 * m_gitter->frameWidth()
        + m_gitter->verticalScrollBar()->sizeHint().width());
    QPalette pal = m_gitter->palette();
    pal.setColor(QPalette::Base, Qt::white);
    m_gitter->setPalette(pal);
    spalte->addWidget(m_gitter, 1);

    m_pfad = new QLineEdit(rechts);
    m_pfad->setReadOnly(true);
    m_pfad->setFocusPolicy(Qt::NoFocus);
    spalte->addWidget(m_pfad);

    auto *knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    m_uebernehmen = new QPushButton(QStringLiteral("übernehmen"), rechts);
    m_uebernehmen->setDefault(true);
    m_schliessen = new QPushButton(QStringLiteral("Schließen"), rechts);
    knoepfe->addWidget(m_uebernehmen);
    knoepfe->addWidget(m_schliessen);
    spalte->addLayout(knoepfe);

    m_menue = new QMenu(this);
    m_loeschen = m_menue->addAction(QStringLiteral("Bild löschen"));
    m_speichern = m_menue->addAction(QStringLiteral("Bild speichern in..."));
    m_kopieren = m_menue->addAction(QStringLiteral("in Zwischenablage kopieren"));
    connect(m_loeschen, &QAction::triggered, this, &TMultiBildBetrachter::bildLoeschenKlick);
    connect(m_speichern, &QAction::triggered, this, &TMultiBildBetrachter::bildSpeichernKlick);
    connect(m_kopieren, &QAction::triggered, this, &TMultiBildBetrachter::zwischenablageKlick);
    m_gitter->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_gitter, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // The menu acts on the picture under the mouse.
        const QModelIndex zelle = m_gitter->indexAt(pos);
        if (zelle.isValid())
            zelleWaehlen(zelle.row(), zelle.column());
        m_menue->popup(m_gitter->viewport()->mapToGlobal(pos));
    });

    connect(m_gitter->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &jetzt) {
            if (jetzt.isValid())
                zelleWaehlen(jetzt.row(), jetzt.column());
        });
    connect(m_gitter, &QTableView::doubleClicked, this, [this] { uebernehmen(); });
    connect(m_uebernehmen, &QPushButton::clicked, this, &TMultiBildBetrachter::uebernehmen);
    connect(m_schliessen, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_gitter->verticalScrollBar(), &QScrollBar::valueChanged, this,
        &TMultiBildBetrachter::sichtbarPruefenSpaeter);
    connect(m_modell, &QAbstractItemModel::modelReset, this,
        &TMultiBildBetrachter::sichtbarPruefenSpaeter);
    connect(m_modell, &BildauswahlModell::wartendGeaendert, this,
        &TMultiBildBetrachter::wartenAnzeigen);
    return rechts;
}

void TMultiBildBetrachter::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    sichtbareZellenPruefen();
}

void TMultiBildBetrachter::listeLesen(bool beimOeffnen)
{
    bool lesbar = true;
    m_modell->setDateien(bilddateien(m_ordner, &lesbar), beimOeffnen);
    anzeigeNachListe();
    if (!lesbar && !beimOeffnen)
        ui().message(QStringLiteral("Der Ordner \"%1\" kann nicht gelesen werden.")
                         .arg(QDir::toNativeSeparators(m_ordner)));
}

void TMultiBildBetrachter::anzeigeNachListe()
{
    m_zaehler->setText(bilderZaehler(static_cast<int>(m_modell->dateien().size())));
    const Bilddatei *d = ausgewaehlteDatei();
    m_pfad->setText(d ? QDir::toNativeSeparators(d->pfad) : QString());
    sichtbareZellenPruefen();
}

void TMultiBildBetrachter::ordnerWechseln(const QString &ordner)
{
    const QString neu = ohneSchraegstrich(QDir(ordner).absolutePath());
    m_ordner = neu;
    // The next opening of the browser starts in the folder last shown.
    if (QDir(neu).isReadable())
        QDir::setCurrent(neu);
    listeLesen(false);
    const QString laufwerk = laufwerkVon(kb::laufwerke(neu), neu);
    if (m_laufwerke->findText(laufwerk) < 0)
        m_laufwerke->addItem(laufwerk);
    m_laufwerke->setCurrentText(laufwerk);
}

void TMultiBildBetrachter::laufwerkGewaehlt(int index)
{
    const QString laufwerk = m_laufwerke->itemText(index);
    if (laufwerk.isEmpty())
        return;
    baumAufOrdner(laufwerk);
    ordnerWechseln(laufwerk);
}

void TMultiBildBetrachter::baumAufOrdner(const QString &ordner)
{
    const QString laufwerk = laufwerkVon(kb::laufwerke(ordner), ordner);
    m_dateisystem->setRootPath(laufwerk);
    m_baum->setRootIndex(m_dateisystem->index(laufwerk));
    const QModelIndex hier = m_dateisystem->index(ordner);
    if (hier.isValid()) {
        for (QModelIndex oben = hier.parent(); oben.isValid(); oben = oben.parent())
            m_baum->expand(oben);
        m_baum->setCurrentIndex(hier);
        m_baum->scrollTo(hier, QAbstractItemView::PositionAtCenter);
    }
    m_laufwerke->setCurrentText(laufwerk);
}

void TMultiBildBetrachter::zelleWaehlen(int zeile, int spalte)
{
    setAuswahlIndex(auswahlIndexVonZelle(zeile, spalte));
    const QModelIndex zelle = m_modell->index(zeile, spalte);
    if (zelle.isValid() && m_gitter->currentIndex() != zelle)
        m_gitter->setCurrentIndex(zelle);
    const Bilddatei *d = ausgewaehlteDatei();
    m_pfad->setText(d ? QDir::toNativeSeparators(d->pfad) : QString());
}

const Bilddatei *TMultiBildBetrachter::ausgewaehlteDatei() const
{
    const int index = auswahlIndex();
    const QList<Bilddatei> &liste = m_modell->dateien();
    if (index < 1 || index > liste.size())
        return nullptr;
    return &liste[index - 1];
}

void TMultiBildBetrachter::uebernehmen()
{
    const Bilddatei *d = ausgewaehlteDatei();
    if (!d) {
        ui().message(QStringLiteral("Bitte wählen Sie zuerst ein Bild aus."));
        return;
    }
    try {
        QImage bild;
        {
            const BusyCursor sanduhr;
            bild = monatsbildAusDatei(d->pfad);
        }
        ui().setClipboardImage(bild);
        accept();
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void TMultiBildBetrachter::bildLoeschenKlick()
{
    const Bilddatei *d = ausgewaehlteDatei();
    if (!d || !QFileInfo::exists(d->pfad))
        return;
    if (!ui().question(loeschFrage(d->name)))
        return;
    try {
        bildLoeschen(d->pfad);
    } catch (const Error &e) {
        ui().message(e.message());
    }
    listeLesen(false);
}

void TMultiBildBetrachter::bildSpeichernKlick()
{
    const Bilddatei *d = ausgewaehlteDatei();
    if (!d)
        return;
    const QString quelle = d->pfad;
    const bool jpg
        = QFileInfo(quelle).suffix().compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0;
    const QString ziel
        = ui().saveFileName(QStringLiteral("Save bitmap as"), QDir(m_ordner).filePath(d->name),
            QStringLiteral("JEEPEG (*.JPG)"), jpg ? QStringLiteral("JPG") : QString());
    if (ziel.isEmpty())
        return;
    try {
        const BusyCursor sanduhr;
        bildSpeichernAls(quelle, ziel);
    } catch (const Error &e) {
        ui().message(e.message());
    }
    listeLesen(false);
}

void TMultiBildBetrachter::zwischenablageKlick()
{
    const Bilddatei *d = ausgewaehlteDatei();
    if (!d)
        return;
    try {
        QImage bild;
        {
            const BusyCursor sanduhr;
            bild = bildLesen(d->pfad);
        }
        ui().setClipboardImage(bild);
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void TMultiBildBetrachter::sichtbarPruefenSpaeter()
{
    if (m_pruefenGeplant)
        return;
    m_pruefenGeplant = true;
    QTimer::singleShot(0, this, [this] {
        m_pruefenGeplant = false;
        sichtbareZellenPruefen();
    });
}

void TMultiBildBetrachter::sichtbareZellenPruefen()
{
    const int zeilen = m_modell->rowCount();
    if (zeilen == 0) {
        wartenAnzeigen(m_modell->sichtbarMachen(0, -1));
        return;
    }
    const int hoehe = m_gitter->viewport()->height();
    int erste = m_gitter->rowAt(0);
    int letzte = m_gitter->rowAt(std::max(hoehe - 1, 0));
    if (erste < 0)
        erste = 0;
    if (letzte < 0)
        letzte = zeilen - 1;
    wartenAnzeigen(m_modell->sichtbarMachen(erste, letzte));
}

void TMultiBildBetrachter::wartenAnzeigen(int anzahl)
{
    m_wartet = anzahl > 0;
    if (m_wartet)
        m_gitter->viewport()->setCursor(Qt::WaitCursor);
    else
        m_gitter->viewport()->unsetCursor();
}

bool TMultiBildBetrachter::wartet() const
{
    return m_wartet;
}

bool bildAuswaehlen(QWidget *parent)
{
    TMultiBildBetrachter fenster(parent);
    ui().runModal(&fenster);
    return fenster.result() == QDialog::Accepted;
}

} // namespace kb
