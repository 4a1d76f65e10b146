#include "designer/TReportDesignerDialog.h"

#include "designer/Arbeitsflaeche.h"
#include "designer/BerichtsDruck.h"
#include "designer/BerichtsEigenschaften.h"
#include "designer/BerichtsStrom.h"
#include "designer/BerichtsSzene.h"
#include "designer/EigenschaftsListe.h"
#include "platform/Error.h"
#include "platform/Ui.h"
#include "report/PreviewWindow.h"
#include "report/Printables.h"
#include "storage/Table.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace kb::designer {

using bericht::BandArt;
using bericht::Bericht;
using bericht::ElementArt;

namespace {

// What a report that cannot be read or filled shows instead of its pages.
std::unique_ptr<report::Report> hinweisBericht(const QString &titel, const QString &hinweis)
{
    auto r = std::make_unique<report::Report>();
    r->setTitle(titel);
    report::Band &band = r->titleBand();
    band.setHeight(140);
    auto &kopf = band.add<report::Label>(titel.isEmpty() ? QStringLiteral("Bericht") : titel);
    kopf.setGeometry(0, 0, r->printableWidth(), 30);
    kopf.setFont({ .family = QStringLiteral("Arial"), .pointSize = 14, .bold = true });
    auto &text = band.add<report::Label>(hinweis);
    text.setGeometry(0, 40, r->printableWidth(), 90);
    text.setWordWrap(true);
    text.setFont({ .family = QStringLiteral("Arial"), .pointSize = 11 });
    return r;
}

// The field list: a field dragged from it carries its name as text, which the workspace
// takes where it is dropped.
class Feldliste final : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override
    {
        auto *daten = QListWidget::mimeData(items);
        if (!items.isEmpty())
            daten->setText(items.first()->text());
        return daten;
    }
};

std::optional<bericht::KalenderTabellen> kalenderVon(const KalenderQuelle &quelle)
{
    return quelle ? quelle() : std::nullopt;
}

void previewShow(report::Report &r)
{
    r.previewAndWait();
}

} // namespace

void TReportDesignerDialog::vorschauAusFeld(
    Table &table, const QString &feld, const KalenderQuelle &kalender)
{
    const QString name = table.asString(QStringLiteral("Reportname"));
    try {
        const Bericht b = bericht::berichtLesen(table.asBytes(feld));
        bericht::GefuellterBericht g = bericht::berichtFuellen(b, kalenderVon(kalender));
        previewShow(*g.report);
    } catch (const Error &e) {
        previewShow(*hinweisBericht(name, e.message()));
    }
}

void TReportDesignerDialog::druckenAusFeld(
    Table &table, const QString &feld, const KalenderQuelle &kalender, QWidget *parent)
{
    report::Document doc;
    try {
        doc = bericht::berichtErzeugen(table.asBytes(feld), kalenderVon(kalender));
    } catch (const Error &e) {
        ui().message(e.message());
        return;
    }
    report::PreviewWindow drucker(std::move(doc), parent);
    drucker.print();
}

void TReportDesignerDialog::neuInFeld(Table &table, const QString &feld, const QString &titel,
    const KalenderQuelle &kalender, QWidget *parent)
{
    TReportDesignerDialog dialog(
        titel, bericht::neuerBericht(titel), kalender,
        [&table, feld](const QByteArray &daten) { table.setBytes(feld, daten); }, parent);
    ui().runModal(&dialog);
}

void TReportDesignerDialog::bearbeitenAusFeld(Table &table, const QString &feld,
    const QString &titel, const KalenderQuelle &kalender, QWidget *parent)
{
    Bericht b;
    const QByteArray daten = table.asBytes(feld);
    if (!daten.isEmpty()) {
        try {
            b = bericht::berichtLesen(daten);
        } catch (const Error &e) {
            ui().message(e.message() + QStringLiteral(" Der Bericht wird leer geöffnet."));
        }
    }
    if (b.titel.isEmpty())
        b.titel = titel;
    TReportDesignerDialog dialog(
        titel, std::move(b), kalender,
        [&table, feld](const QByteArray &neu) { table.setBytes(feld, neu); }, parent);
    ui().runModal(&dialog);
}

TReportDesignerDialog::TReportDesignerDialog(const QString &titel, Bericht b,
    KalenderQuelle kalender, std::function<void(const QByteArray &)> speichern, QWidget *parent)
    : QDialog(parent)
    , m_kalender(std::move(kalender))
    , m_speichern(std::move(speichern))
{
    setWindowTitle(QStringLiteral("Report-Designer - %1").arg(titel));
    setSizeGripEnabled(true);
    m_szene = new BerichtsSzene(this);
    m_ansicht = new EntwurfAnsicht(m_szene, m_szene);
    m_ansicht->setAcceptDrops(true);

    auto *leiste = new QToolBar(this);
    auto *elementLeiste = new QToolBar(this);
    werkzeuge(leiste, elementLeiste);
    m_seiten = new QTabWidget;
    m_seiten->addTab(datenSeite(), QStringLiteral("Datenquelle"));
    m_seiten->addTab(seitenSeite(), QStringLiteral("Seite"));
    m_seiten->setMaximumWidth(420);
    auto *teiler = new QSplitter;
    teiler->addWidget(m_seiten);
    teiler->addWidget(m_ansicht);
    teiler->addWidget(eigenschaften());
    teiler->setStretchFactor(1, 1);
    teiler->setChildrenCollapsible(false);
    // The workspace gets what the two side panels leave.
    teiler->setSizes({ 250, 800, 290 });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(leiste);
    layout->addWidget(elementLeiste);
    layout->addWidget(teiler, 1);

    connect(m_szene, &BerichtsSzene::auswahlGeaendert, this, &TReportDesignerDialog::auswahlZeigen);
    connect(m_szene, &BerichtsSzene::berichtGeaendert, this,
        &TReportDesignerDialog::einstellungenZeigen);
    m_szene->laden(std::move(b));
    einstellungenZeigen();
    auswahlZeigen();
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

// Two rows: saving, history, zoom and closing above; the printables and bands below.
void TReportDesignerDialog::werkzeuge(QWidget *obenWidget, QWidget *untenWidget)
{
    auto *oben = static_cast<QToolBar *>(obenWidget);
    auto *unten = static_cast<QToolBar *>(untenWidget);
    QToolBar *leiste = oben;
    const auto aktion = [&](const QString &text, auto handler) {
        QAction *a = leiste->addAction(text);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    m_a.speichern = aktion(QStringLiteral("Speichern"), [this] { speichern(); });
    m_a.speichern->setShortcut(QKeySequence::Save);
    m_a.vorschau = aktion(QStringLiteral("Vorschau"), [this] { vorschau(); });
    oben->addSeparator();
    m_a.rueckgaengig = m_szene->verlauf()->createUndoAction(this, QStringLiteral("Rückgängig"));
    m_a.rueckgaengig->setShortcut(QKeySequence::Undo);
    m_a.wiederholen = m_szene->verlauf()->createRedoAction(this, QStringLiteral("Wiederholen"));
    m_a.wiederholen->setShortcut(QKeySequence::Redo);
    oben->addAction(m_a.rueckgaengig);
    oben->addAction(m_a.wiederholen);
    oben->addSeparator();
    m_a.verkleinern = aktion(
        QStringLiteral("Verkleinern"), [this] { m_ansicht->setZoom(m_ansicht->zoom() - 25); });
    m_a.verkleinern->setShortcut(QKeySequence::ZoomOut);
    m_zoom = new QComboBox;
    for (int prozent = 50; prozent <= 400; prozent += 25)
        m_zoom->addItem(QStringLiteral("%1 %").arg(prozent), prozent);
    m_zoom->setCurrentIndex(m_zoom->findData(100));
    m_zoom->setToolTip(QStringLiteral("Zoom (Strg + Mausrad)"));
    oben->addWidget(m_zoom);
    m_a.vergroessern = aktion(
        QStringLiteral("Vergrößern"), [this] { m_ansicht->setZoom(m_ansicht->zoom() + 25); });
    m_a.vergroessern->setShortcut(QKeySequence::ZoomIn);
    m_a.originalgroesse = aktion(QStringLiteral("100 %"), [this] { m_ansicht->setZoom(100); });
    connect(m_zoom, &QComboBox::activated, this,
        [this](int i) { m_ansicht->setZoom(m_zoom->itemData(i).toInt()); });
    connect(m_ansicht, &EntwurfAnsicht::zoomGeaendert, this,
        [this](int prozent) { m_zoom->setCurrentIndex(m_zoom->findData(prozent)); });
    oben->addSeparator();
    m_a.schliessen = aktion(QStringLiteral("Schliessen"), [this] { close(); });

    leiste = unten;
    const auto neu = [&](const QString &text, ElementArt art) {
        return aktion(text, [this, art] { m_szene->neu(art); });
    };
    m_a.text = neu(QStringLiteral("Text"), ElementArt::Text);
    m_a.feld = neu(QStringLiteral("Feld"), ElementArt::Feld);
    m_a.systemwert = neu(QStringLiteral("Systemwert"), ElementArt::Systemwert);
    m_a.bild = neu(QStringLiteral("Bild"), ElementArt::Bild);
    m_a.feldbild = neu(QStringLiteral("Feldbild"), ElementArt::Feldbild);
    m_a.rechteck = neu(QStringLiteral("Rechteck"), ElementArt::Rechteck);
    m_a.linieWaagrecht = neu(QStringLiteral("Linie —"), ElementArt::LinieWaagrecht);
    m_a.linieSenkrecht = neu(QStringLiteral("Linie |"), ElementArt::LinieSenkrecht);
    unten->addSeparator();
    m_a.loeschen = aktion(QStringLiteral("Löschen"), [this] { m_szene->loeschen(); });
    m_a.loeschen->setShortcut(QKeySequence::Delete);
    unten->addSeparator();
    m_bandWahl = new QComboBox;
    m_bandWahl->addItem(QStringLiteral("Band hinzufügen ..."));
    for (int art = 0; art < bericht::kBandArten; ++art)
        m_bandWahl->addItem(bericht::bandName(BandArt(art)));
    unten->addWidget(m_bandWahl);
    connect(m_bandWahl, &QComboBox::activated, this, [this](int index) {
        if (index > 0)
            bandHinzufuegen(index - 1);
        m_bandWahl->setCurrentIndex(0);
    });
}

QGraphicsView *TReportDesignerDialog::ansicht() const
{
    return m_ansicht;
}

QWidget *TReportDesignerDialog::datenSeite()
{
    auto *seite = new QWidget;
    auto *layout = new QVBoxLayout(seite);
    m_quelleKeine = new QRadioButton(QStringLiteral("keine Daten"));
    m_quelleTabelle = new QRadioButton(QStringLiteral("Tabellendatei"));
    m_quelleAbfrage = new QRadioButton(QStringLiteral("SQL-Abfrage über Jahr und Bilder"));
    m_tabelle = new QLineEdit;
    auto *waehlen = new QPushButton(QStringLiteral("..."));
    waehlen->setFixedWidth(28);
    auto *tabellenZeile = new QHBoxLayout;
    tabellenZeile->addWidget(m_tabelle);
    tabellenZeile->addWidget(waehlen);
    m_abfrage = new QPlainTextEdit;
    m_abfrage->setPlaceholderText(QStringLiteral("SELECT Datum, Tag, Text FROM Jahr"));
    auto *pruefenKnopf = new QPushButton(QStringLiteral("Prüfen"));
    m_felder = new Feldliste;
    m_felder->setDragEnabled(true);
    m_felder->setDragDropMode(QAbstractItemView::DragOnly);
    m_felder->setSortingEnabled(true);
    m_felder->setToolTip(QStringLiteral("Felder auf ein Band ziehen"));
    layout->addWidget(m_quelleKeine);
    layout->addWidget(m_quelleTabelle);
    layout->addLayout(tabellenZeile);
    layout->addWidget(m_quelleAbfrage);
    layout->addWidget(m_abfrage, 1);
    layout->addWidget(pruefenKnopf);
    layout->addWidget(new QLabel(QStringLiteral("Felder:")));
    layout->addWidget(m_felder, 1);

    connect(waehlen, &QPushButton::clicked, this, [this] {
        const QString pfad = ui().openFileName(QStringLiteral("Tabelle wählen"), m_tabelle->text(),
            QStringLiteral("Tabellen (*.db *.DB)"));
        if (!pfad.isEmpty()) {
            m_tabelle->setText(pfad);
            m_quelleTabelle->setChecked(true);
            einstellungenUebernehmen();
        }
    });
    connect(pruefenKnopf, &QPushButton::clicked, this, [this] { pruefen(); });
    for (QRadioButton *r : { m_quelleKeine, m_quelleTabelle, m_quelleAbfrage })
        connect(r, &QRadioButton::toggled, this, [this](bool an) {
            if (an)
                einstellungenUebernehmen();
        });
    connect(m_tabelle, &QLineEdit::editingFinished, this,
        &TReportDesignerDialog::einstellungenUebernehmen);
    connect(m_abfrage, &QPlainTextEdit::textChanged, this,
        &TReportDesignerDialog::einstellungenUebernehmen);
    return seite;
}

QWidget *TReportDesignerDialog::seitenSeite()
{
    auto *seite = new QWidget;
    auto *form = new QFormLayout(seite);
    m_titel = new QLineEdit;
    m_papier = new QComboBox;
    m_papier->addItems({ QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5"),
        QStringLiteral("eigenes Format") });
    m_lage = new QComboBox;
    m_lage->addItems({ QStringLiteral("Hochformat"), QStringLiteral("Querformat") });
    form->addRow(QStringLiteral("Titel:"), m_titel);
    form->addRow(QStringLiteral("Papier:"), m_papier);
    const QString masse[2]
        = { QStringLiteral("Papierbreite (mm):"), QStringLiteral("Papierlänge (mm):") };
    for (int i = 0; i < 2; ++i) {
        m_papierMm[i] = new QDoubleSpinBox;
        m_papierMm[i]->setRange(20, 2000);
        m_papierMm[i]->setDecimals(1);
        form->addRow(masse[i], m_papierMm[i]);
        connect(m_papierMm[i], &QDoubleSpinBox::editingFinished, this,
            &TReportDesignerDialog::einstellungenUebernehmen);
    }
    form->addRow(QStringLiteral("Ausrichtung:"), m_lage);
    const QString raender[4]
        = { QStringLiteral("Rand links (mm):"), QStringLiteral("Rand rechts (mm):"),
              QStringLiteral("Rand oben (mm):"), QStringLiteral("Rand unten (mm):") };
    for (int i = 0; i < 4; ++i) {
        m_rand[i] = new QDoubleSpinBox;
        m_rand[i]->setRange(0, 100);
        form->addRow(raender[i], m_rand[i]);
        connect(m_rand[i], &QDoubleSpinBox::editingFinished, this,
            &TReportDesignerDialog::einstellungenUebernehmen);
    }
    m_spalten = new QSpinBox;
    m_spalten->setRange(1, 20);
    m_abstand = new QDoubleSpinBox;
    m_abstand->setRange(0, 100);
    form->addRow(QStringLiteral("Spalten:"), m_spalten);
    form->addRow(QStringLiteral("Spaltenabstand (mm):"), m_abstand);
    connect(m_titel, &QLineEdit::editingFinished, this,
        &TReportDesignerDialog::einstellungenUebernehmen);
    connect(
        m_papier, &QComboBox::activated, this, &TReportDesignerDialog::einstellungenUebernehmen);
    connect(m_lage, &QComboBox::activated, this, &TReportDesignerDialog::einstellungenUebernehmen);
    connect(m_spalten, &QSpinBox::editingFinished, this,
        &TReportDesignerDialog::einstellungenUebernehmen);
    connect(m_abstand, &QDoubleSpinBox::editingFinished, this,
        &TReportDesignerDialog::einstellungenUebernehmen);
    return seite;
}

QWidget *TReportDesignerDialog::eigenschaften()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_elementFelder = new QGroupBox(QStringLiteral("Element"));
    auto *elementLayout = new QVBoxLayout(m_elementFelder);
    m_elementListe = new EigenschaftsListe;
    m_elementListe->setColumnWidth(0, 124);
    elementLayout->addWidget(m_elementListe, 1);
    auto *knoepfe = new QHBoxLayout;
    m_schriftKnopf = new QPushButton(QStringLiteral("Schrift..."));
    m_bildKnopf = new QPushButton(QStringLiteral("Bild laden..."));
    knoepfe->addWidget(m_schriftKnopf);
    knoepfe->addWidget(m_bildKnopf);
    elementLayout->addLayout(knoepfe);
    layout->addWidget(m_elementFelder, 3);

    m_bandFelder = new QGroupBox(QStringLiteral("Band"));
    auto *bandLayout = new QVBoxLayout(m_bandFelder);
    m_bandListe = new EigenschaftsListe;
    m_bandListe->setColumnWidth(0, 124);
    bandLayout->addWidget(m_bandListe, 1);
    auto *bandLoeschen = new QPushButton(QStringLiteral("Band entfernen"));
    bandLayout->addWidget(bandLoeschen);
    layout->addWidget(m_bandFelder, 2);
    panel->setMinimumWidth(260);
    panel->setMaximumWidth(420);

    connect(m_elementListe, &EigenschaftsListe::geaendert, this,
        &TReportDesignerDialog::elementEigenschaft);
    connect(
        m_bandListe, &EigenschaftsListe::geaendert, this, &TReportDesignerDialog::bandEigenschaft);
    connect(m_schriftKnopf, &QPushButton::clicked, this, &TReportDesignerDialog::schriftWaehlen);
    connect(m_bildKnopf, &QPushButton::clicked, this, [this] { bildLaden(); });
    connect(bandLoeschen, &QPushButton::clicked, this, [this] {
        const int band = m_szene->aktivesBand();
        if (band < 0)
            return;
        m_szene->waehlen({});
        m_szene->aendern(QStringLiteral("Band entfernen"),
            [band](Bericht &b) { b.baender.erase(b.baender.begin() + band); });
    });
    return panel;
}

void TReportDesignerDialog::schriftWaehlen()
{
    const bericht::Element *e = m_szene->ausgewaehlt();
    if (!e)
        return;
    const report::FontSpec alt = e->schrift.value_or(m_szene->bericht().schrift);
    QFont f(alt.family);
    f.setPointSizeF(alt.pointSize);
    f.setBold(alt.bold);
    f.setItalic(alt.italic);
    f.setUnderline(alt.underline);
    f.setStrikeOut(alt.strikeOut);
    const std::optional<QFont> neu = ui().font(f);
    if (!neu)
        return;
    const ElementOrt ort = m_szene->auswahl();
    m_szene->aendern(QStringLiteral("Schrift"), [&](Bericht &b) {
        b.baender[std::size_t(ort.band)].elemente[std::size_t(ort.element)].schrift
            = report::FontSpec { .family = neu->family(),
                  .pointSize = std::clamp(neu->pointSizeF(), 1.0, 500.0),
                  .bold = neu->bold(),
                  .italic = neu->italic(),
                  .underline = neu->underline(),
                  .strikeOut = neu->strikeOut() };
    });
}

bool TReportDesignerDialog::bildLaden(const QString &vorgabe)
{
    const ElementOrt ort = m_szene->auswahl();
    const bericht::Element *e = m_szene->ausgewaehlt();
    if (!e || e->art != ElementArt::Bild)
        return false;
    const QString pfad = !vorgabe.isEmpty()
        ? vorgabe
        : ui().openFileName(QStringLiteral("Bild laden"), QString(),
            QStringLiteral("Bilder (*.jpg *.jpeg *.png "
                           "*.bmp *.gif);;Alle Dateien (*)"));
    if (pfad.isEmpty())
        return false;
    QByteArray png;
    try {
        png = bericht::bildAlsPng(pfad);
    } catch (const Error &fehler) {
        ui().message(fehler.message());
        return false;
    }
    m_szene->aendern(QStringLiteral("Bild laden"),
        [&](Bericht &b) { bericht::bildSetzen(b, ort.band, ort.element, png); });
    return true;
}

void TReportDesignerDialog::bandHinzufuegen(int art)
{
    const BandArt bandArt = BandArt(art);
    QString feld;
    if (bandArt == BandArt::Gruppenkopf || bandArt == BandArt::Gruppenfuss) {
        const std::optional<QString> eingabe
            = ui().inputQuery(bericht::bandName(bandArt), QStringLiteral("Gruppenfeld:"),
                m_felder->currentItem() ? m_felder->currentItem()->text() : QString());
        if (!eingabe || eingabe->trimmed().isEmpty())
            return;
        feld = eingabe->trimmed();
        const Bericht &b = m_szene->bericht();
        const bool kopfDa
            = std::any_of(b.baender.begin(), b.baender.end(), [&](const bericht::Band &x) {
                  return x.art == BandArt::Gruppenkopf && x.gruppenfeld == feld;
              });
        if (bandArt == BandArt::Gruppenfuss && !kopfDa) {
            ui().message(QStringLiteral("Zu \"%1\" gibt es keinen Gruppenkopf.").arg(feld));
            return;
        }
        if (bandArt == BandArt::Gruppenkopf && kopfDa)
            return;
    }
    m_szene->aendern(QStringLiteral("Band hinzufügen"), [&](Bericht &b) {
        if (feld.isEmpty()) {
            bericht::bandHolen(b, bandArt);
            return;
        }
        bericht::Band neu;
        neu.art = bandArt;
        neu.gruppenfeld = feld;
        const auto stelle = std::find_if(b.baender.begin(), b.baender.end(),
            [&](const bericht::Band &x) { return int(x.art) > art; });
        b.baender.insert(stelle, neu);
    });
}

void TReportDesignerDialog::elementEigenschaft(
    const QVariant &bezug, int id, const QString &titel, const QString &text)
{
    const QPoint stelle = bezug.toPoint();
    const ElementOrt ort { stelle.x(), stelle.y() };
    const Bericht &b = m_szene->bericht();
    if (ort.band < 0 || ort.band >= int(b.baender.size())
        || ort.element >= int(b.baender[std::size_t(ort.band)].elemente.size())) {
        auswahlZeigen();
        return;
    }
    bericht::Element neu = b.baender[std::size_t(ort.band)].elemente[std::size_t(ort.element)];
    if (const std::optional<QString> fehler = bericht::elementSetzen(neu, id, text, b.schrift)) {
        ui().message(*fehler);
        auswahlZeigen();
        return;
    }
    m_szene->aendern(titel, [&](Bericht &r) {
        r.baender[std::size_t(ort.band)].elemente[std::size_t(ort.element)] = neu;
    });
    auswahlZeigen();
}

void TReportDesignerDialog::bandEigenschaft(
    const QVariant &bezug, int id, const QString &titel, const QString &text)
{
    const int band = bezug.toInt();
    const Bericht &b = m_szene->bericht();
    if (band < 0 || band >= int(b.baender.size())) {
        auswahlZeigen();
        return;
    }
    bericht::Band neu = b.baender[std::size_t(band)];
    const QString altesFeld = neu.gruppenfeld;
    if (const std::optional<QString> fehler = bericht::bandSetzen(neu, id, text)) {
        ui().message(*fehler);
        auswahlZeigen();
        return;
    }
    m_szene->aendern(titel, [&](Bericht &r) {
        r.baender[std::size_t(band)] = neu;
        // A group footer belongs to its header: it follows the header's field.
        if (neu.art == BandArt::Gruppenkopf && neu.gruppenfeld != altesFeld)
            for (bericht::Band &fuss : r.baender)
                if (fuss.art == BandArt::Gruppenfuss && fuss.gruppenfeld == altesFeld)
                    fuss.gruppenfeld = neu.gruppenfeld;
    });
    auswahlZeigen();
}

void TReportDesignerDialog::auswahlZeigen()
{
    const bericht::Element *e = m_szene->ausgewaehlt();
    const ElementOrt ort = m_szene->auswahl();
    m_elementFelder->setEnabled(e != nullptr);
    m_elementFelder->setTitle(e ? QStringLiteral("Element: ") + bericht::elementArtName(e->art)
                                : QStringLiteral("Element"));
    m_elementListe->zeigen(
        e ? bericht::elementZeilen(*e, m_szene->bericht().schrift) : std::vector<Listenzeile> {},
        e ? QVariant(QPoint(ort.band, ort.element)) : QVariant());
    m_schriftKnopf->setEnabled(e
        && (e->art == ElementArt::Text || e->art == ElementArt::Feld
            || e->art == ElementArt::Systemwert));
    m_bildKnopf->setEnabled(e && e->art == ElementArt::Bild);

    const int band = m_szene->aktivesBand();
    const auto &baender = m_szene->bericht().baender;
    const bool bandDa = band >= 0 && band < int(baender.size());
    m_bandFelder->setEnabled(bandDa);
    m_bandFelder->setTitle(bandDa
            ? QStringLiteral("Band: ") + bericht::bandName(baender[std::size_t(band)].art)
            : QStringLiteral("Band"));
    m_bandListe->zeigen(
        bandDa ? bericht::bandZeilen(baender[std::size_t(band)]) : std::vector<Listenzeile> {},
        bandDa ? QVariant(band) : QVariant());
}

void TReportDesignerDialog::einstellungenZeigen()
{
    m_zeigt = true;
    const Bericht &b = m_szene->bericht();
    m_quelleKeine->setChecked(b.quelle == bericht::Quelle::Keine);
    m_quelleTabelle->setChecked(b.quelle == bericht::Quelle::Tabelle);
    m_quelleAbfrage->setChecked(b.quelle == bericht::Quelle::Abfrage);
    if (m_tabelle->text() != b.tabelle)
        m_tabelle->setText(b.tabelle);
    if (m_abfrage->toPlainText() != b.abfrage)
        m_abfrage->setPlainText(b.abfrage);
    m_titel->setText(b.titel);
    m_papier->setCurrentIndex(b.papier == report::PaperSize::A3
            ? 0
            : (b.papier == report::PaperSize::A5
                    ? 2
                    : (b.papier == report::PaperSize::Custom ? 3 : 1)));
    m_papierMm[0]->setValue(b.papierMm.width());
    m_papierMm[1]->setValue(b.papierMm.height());
    for (QDoubleSpinBox *m : m_papierMm)
        m->setEnabled(b.papier == report::PaperSize::Custom);
    m_lage->setCurrentIndex(b.lage == report::Orientation::Landscape ? 1 : 0);
    const double raender[4] = { b.raender.left, b.raender.right, b.raender.top, b.raender.bottom };
    for (int i = 0; i < 4; ++i)
        m_rand[i]->setValue(raender[i]);
    m_spalten->setValue(b.spalten);
    m_abstand->setValue(b.spaltenabstand);
    m_zeigt = false;
}

// The data-set and page controls into the report, as one step.
void TReportDesignerDialog::einstellungenUebernehmen()
{
    if (m_zeigt)
        return;
    m_szene->aendern(QStringLiteral("Einstellungen"), [this](Bericht &b) {
        b.quelle = m_quelleTabelle->isChecked()
            ? bericht::Quelle::Tabelle
            : (m_quelleAbfrage->isChecked() ? bericht::Quelle::Abfrage : bericht::Quelle::Keine);
        b.tabelle = m_tabelle->text();
        b.abfrage = m_abfrage->toPlainText();
        b.titel = m_titel->text();
        const report::PaperSize papiere[4] = { report::PaperSize::A3, report::PaperSize::A4,
            report::PaperSize::A5, report::PaperSize::Custom };
        b.papier = papiere[std::clamp(m_papier->currentIndex(), 0, 3)];
        b.papierMm = QSizeF(m_papierMm[0]->value(), m_papierMm[1]->value());
        b.lage = m_lage->currentIndex() == 1 ? report::Orientation::Landscape
                                             : report::Orientation::Portrait;
        b.raender = { .left = m_rand[0]->value(),
            .right = m_rand[1]->value(),
            .top = m_rand[2]->value(),
            .bottom = m_rand[3]->value() };
        b.spalten = m_spalten->value();
        b.spaltenabstand = m_abstand->value();
    });
}

void TReportDesignerDialog::feldlisteFuellen(const QStringList &felder)
{
    m_felder->clear();
    m_felder->addItems(felder);
}

bool TReportDesignerDialog::pruefen()
{
    const Bericht b = bericht();
    try {
        QStringList felder;
        if (b.quelle == bericht::Quelle::Abfrage) {
            const std::optional<bericht::KalenderTabellen> k = kalenderVon(m_kalender);
            if (!k)
                throw Error(QStringLiteral("Die Abfrage liest die Tage des geöffneten Kalenders. "
                                           "Bitte öffnen Sie zuerst einen Kalender."));
            felder = bericht::abfrageAusfuehren(b.abfrage, *k).spalten;
        } else if (b.quelle == bericht::Quelle::Tabelle) {
            Table t;
            t.setFilePath(b.tabelle);
            t.setReadOnly(true);
            t.open();
            felder = t.fieldNames();
        }
        feldlisteFuellen(felder);
        return true;
    } catch (const Error &e) {
        ui().message(e.message());
        return false;
    }
}

Bericht TReportDesignerDialog::bericht() const
{
    return m_szene->bericht();
}

void TReportDesignerDialog::speichern()
{
    try {
        m_speichern(bericht::berichtSchreiben(bericht()));
        m_szene->verlauf()->setClean();
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void TReportDesignerDialog::vorschau()
{
    const Bericht b = bericht();
    try {
        bericht::GefuellterBericht g = bericht::berichtFuellen(b, kalenderVon(m_kalender));
        previewShow(*g.report);
    } catch (const Error &e) {
        previewShow(*hinweisBericht(b.titel, e.message()));
    }
}

// Closing in any way (the button, the window's close box, Escape) ends here.
void TReportDesignerDialog::reject()
{
    if (!m_szene->verlauf()->isClean()
        && ui().question(QStringLiteral("Der Bericht wurde geändert. Änderungen speichern?")))
        speichern();
    QDialog::reject();
}

void TReportDesignerDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_groesseGesetzt)
        return;
    m_groesseGesetzt = true;
    if (const QScreen *s = screen()) {
        const QRect frei = s->availableGeometry();
        resize(std::min(1280, frei.width() - 40), std::min(820, frei.height() - 40));
        move(frei.center() - rect().center());
    }
    // The workspace opens at the report's top-left corner.
    QMetaObject::invokeMethod(
        this, [this] { m_ansicht->ensureVisible(QRectF(-30, -10, 1, 1), 0, 0); },
        Qt::QueuedConnection);
}

} // namespace kb::designer
