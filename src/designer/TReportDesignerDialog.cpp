#include "designer/TReportDesignerDialog.h"

#include "designer/BerichtsDruck.h"
#include "designer/BerichtsStrom.h"
#include "designer/BerichtsSzene.h"
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
    Bericht b;
    b.titel = titel;
    TReportDesignerDialog dialog(
        titel, std::move(b), kalender,
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
    m_ansicht = new QGraphicsView(m_szene);
    m_ansicht->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_ansicht->setAcceptDrops(true);

    auto *leiste = new QToolBar(this);
    werkzeuge(leiste);
    m_seiten = new QTabWidget;
    m_seiten->addTab(datenSeite(), QStringLiteral("Datenquelle"));
    m_seiten->addTab(seitenSeite(), QStringLiteral("Seite"));
    auto *teiler = new QSplitter;
    teiler->addWidget(m_seiten);
    teiler->addWidget(m_ansicht);
    teiler->addWidget(eigenschaften());
    teiler->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(leiste);
    layout->addWidget(teiler, 1);

    connect(m_szene, &BerichtsSzene::auswahlGeaendert, this, &TReportDesignerDialog::auswahlZeigen);
    connect(m_szene, &BerichtsSzene::berichtGeaendert, this,
        &TReportDesignerDialog::einstellungenZeigen);
    m_szene->laden(std::move(b));
    einstellungenZeigen();
    auswahlZeigen();
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

void TReportDesignerDialog::werkzeuge(QWidget *leisteWidget)
{
    auto *leiste = static_cast<QToolBar *>(leisteWidget);
    const auto aktion = [&](const QString &text, auto handler) {
        QAction *a = leiste->addAction(text);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    m_a.speichern = aktion(QStringLiteral("Speichern"), [this] { speichern(); });
    m_a.speichern->setShortcut(QKeySequence::Save);
    m_a.vorschau = aktion(QStringLiteral("Vorschau"), [this] { vorschau(); });
    m_a.rueckgaengig = m_szene->verlauf()->createUndoAction(this, QStringLiteral("Rückgängig"));
    m_a.rueckgaengig->setShortcut(QKeySequence::Undo);
    m_a.wiederholen = m_szene->verlauf()->createRedoAction(this, QStringLiteral("Wiederholen"));
    m_a.wiederholen->setShortcut(QKeySequence::Redo);
    leiste->addAction(m_a.rueckgaengig);
    leiste->addAction(m_a.wiederholen);
    leiste->addSeparator();
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
    m_a.loeschen = aktion(QStringLiteral("Löschen"), [this] { m_szene->loeschen(); });
    m_a.loeschen->setShortcut(QKeySequence::Delete);
    leiste->addSeparator();
    m_bandWahl = new QComboBox;
    m_bandWahl->addItem(QStringLiteral("Band hinzufügen ..."));
    for (int art = 0; art < bericht::kBandArten; ++art)
        m_bandWahl->addItem(bericht::bandName(BandArt(art)));
    leiste->addWidget(m_bandWahl);
    connect(m_bandWahl, &QComboBox::activated, this, [this](int index) {
        if (index > 0)
            bandHinzufuegen(index - 1);
        m_bandWahl->setCurrentIndex(0);
    });
    leiste->addSeparator();
    m_a.schliessen = aktion(QStringLiteral("Schliessen"), [this] { close(); });
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
    m_felder = new QListWidget;
    m_felder->setDragEnabled(true);
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
    m_papier->addItems({ QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5") });
    m_lage = new QComboBox;
    m_lage->addItems({ QStringLiteral("Hochformat"), QStringLiteral("Querformat") });
    form->addRow(QStringLiteral("Titel:"), m_titel);
    form->addRow(QStringLiteral("Papier:"), m_papier);
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
    m_art = new QLabel;
    layout->addWidget(m_art);

    m_elementFelder = new QGroupBox(QStringLiteral("Element"));
    auto *form = new QFormLayout(m_elementFelder);
    m_text = new QLineEdit;
    m_maske = new QLineEdit;
    m_maske->setToolTip(QStringLiteral("z. B. dd.mm.yyyy, dddd, #,##0.00"));
    m_systemwert = new QComboBox;
    m_systemwert->addItems(systemwertNamen());
    m_ausrichtung = new QComboBox;
    m_ausrichtung->addItems(
        { QStringLiteral("links"), QStringLiteral("zentriert"), QStringLiteral("rechts") });
    form->addRow(QStringLiteral("Text/Feld:"), m_text);
    form->addRow(QStringLiteral("Maske:"), m_maske);
    form->addRow(QStringLiteral("Systemwert:"), m_systemwert);
    const QString geo[4] = { QStringLiteral("Links:"), QStringLiteral("Oben:"),
        QStringLiteral("Breite:"), QStringLiteral("Höhe:") };
    for (int i = 0; i < 4; ++i) {
        m_geo[i] = new QSpinBox;
        m_geo[i]->setRange(i < 2 ? -2000 : 0, 5000);
        form->addRow(geo[i], m_geo[i]);
        connect(m_geo[i], &QSpinBox::valueChanged, this, [this] {
            elementAendern([this](bericht::Element &e) {
                e.geometrie = QRectF(
                    m_geo[0]->value(), m_geo[1]->value(), m_geo[2]->value(), m_geo[3]->value());
            });
        });
    }
    form->addRow(QStringLiteral("Ausrichtung:"), m_ausrichtung);
    m_transparent = new QCheckBox(QStringLiteral("transparent"));
    m_umbruch = new QCheckBox(QStringLiteral("Zeilenumbruch"));
    m_autoStrecken = new QCheckBox(QStringLiteral("Höhe wächst mit dem Text"));
    m_strecken = new QCheckBox(QStringLiteral("Bild einpassen"));
    for (QCheckBox *c : { m_transparent, m_umbruch, m_autoStrecken, m_strecken })
        form->addRow(c);
    auto *schrift = new QPushButton(QStringLiteral("Schrift..."));
    form->addRow(schrift);
    layout->addWidget(m_elementFelder);

    m_bandFelder = new QGroupBox(QStringLiteral("Band"));
    auto *bandForm = new QFormLayout(m_bandFelder);
    m_bandHoehe = new QSpinBox;
    m_bandHoehe->setRange(0, 5000);
    m_gruppenfeld = new QLineEdit;
    m_neueSpalte = new QCheckBox(QStringLiteral("neue Spalte"));
    auto *bandLoeschen = new QPushButton(QStringLiteral("Band entfernen"));
    bandForm->addRow(QStringLiteral("Höhe:"), m_bandHoehe);
    bandForm->addRow(QStringLiteral("Gruppenfeld:"), m_gruppenfeld);
    bandForm->addRow(m_neueSpalte);
    bandForm->addRow(bandLoeschen);
    layout->addWidget(m_bandFelder);
    layout->addStretch(1);

    connect(m_text, &QLineEdit::editingFinished, this,
        [this] { elementAendern([this](bericht::Element &e) { e.text = m_text->text(); }); });
    connect(m_maske, &QLineEdit::editingFinished, this,
        [this] { elementAendern([this](bericht::Element &e) { e.maske = m_maske->text(); }); });
    connect(m_systemwert, &QComboBox::activated, this,
        [this](int i) { elementAendern([i](bericht::Element &e) { e.systemwert = quint8(i); }); });
    connect(m_ausrichtung, &QComboBox::activated, this, [this](int i) {
        elementAendern([i](bericht::Element &e) { e.ausrichtung = report::HAlign(i); });
    });
    connect(m_transparent, &QCheckBox::toggled, this,
        [this](bool an) { elementAendern([an](bericht::Element &e) { e.transparent = an; }); });
    connect(m_umbruch, &QCheckBox::toggled, this,
        [this](bool an) { elementAendern([an](bericht::Element &e) { e.umbruch = an; }); });
    connect(m_autoStrecken, &QCheckBox::toggled, this,
        [this](bool an) { elementAendern([an](bericht::Element &e) { e.autoStrecken = an; }); });
    connect(m_strecken, &QCheckBox::toggled, this, [this](bool an) {
        elementAendern([an](bericht::Element &e) { e.strecken = e.seitenverhaeltnis = an; });
    });
    connect(schrift, &QPushButton::clicked, this, [this] {
        const bericht::Element *e = m_szene->ausgewaehlt();
        if (!e)
            return;
        const report::FontSpec alt = e->schrift.value_or(m_szene->bericht().schrift);
        QFont f(alt.family);
        f.setPointSizeF(alt.pointSize);
        f.setBold(alt.bold);
        f.setItalic(alt.italic);
        f.setUnderline(alt.underline);
        const std::optional<QFont> neu = ui().font(f);
        if (!neu)
            return;
        elementAendern([&](bericht::Element &el) {
            el.schrift = report::FontSpec { .family = neu->family(),
                .pointSize = std::clamp(neu->pointSizeF(), 1.0, 500.0),
                .bold = neu->bold(),
                .italic = neu->italic(),
                .underline = neu->underline(),
                .strikeOut = neu->strikeOut() };
        });
    });
    connect(m_bandHoehe, &QSpinBox::valueChanged, this,
        [this](int h) { bandAendern([h](bericht::Band &b) { b.hoehe = h; }); });
    connect(m_gruppenfeld, &QLineEdit::editingFinished, this, [this] {
        const QString feld = m_gruppenfeld->text().trimmed();
        if (!feld.isEmpty())
            bandAendern([&](bericht::Band &b) {
                if (b.art == BandArt::Gruppenkopf || b.art == BandArt::Gruppenfuss)
                    b.gruppenfeld = feld;
            });
    });
    connect(m_neueSpalte, &QCheckBox::toggled, this,
        [this](bool an) { bandAendern([an](bericht::Band &b) { b.neueSpalte = an; }); });
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

void TReportDesignerDialog::elementAendern(const std::function<void(bericht::Element &)> &f)
{
    if (m_zeigt)
        return;
    const ElementOrt ort = m_szene->auswahl();
    if (!m_szene->ausgewaehlt())
        return;
    m_szene->aendern(QStringLiteral("Eigenschaft"), [&](Bericht &b) {
        f(b.baender[std::size_t(ort.band)].elemente[std::size_t(ort.element)]);
    });
}

void TReportDesignerDialog::bandAendern(const std::function<void(bericht::Band &)> &f)
{
    const int band = m_szene->aktivesBand();
    if (m_zeigt || band < 0 || band >= int(m_szene->bericht().baender.size()))
        return;
    m_szene->aendern(QStringLiteral("Band"), [&](Bericht &b) { f(b.baender[std::size_t(band)]); });
}

void TReportDesignerDialog::auswahlZeigen()
{
    m_zeigt = true;
    const bericht::Element *e = m_szene->ausgewaehlt();
    m_elementFelder->setEnabled(e != nullptr);
    if (e) {
        const QStringList arten
            = { QStringLiteral("Text"), QStringLiteral("Feld"), QStringLiteral("Systemwert"),
                  QStringLiteral("Bild"), QStringLiteral("Feldbild"), QStringLiteral("Rechteck"),
                  QStringLiteral("waagrechte Linie"), QStringLiteral("senkrechte Linie") };
        m_art->setText(arten.value(int(e->art)));
        m_text->setText(e->text);
        m_maske->setText(e->maske);
        m_systemwert->setCurrentIndex(e->systemwert);
        const QRectF g = e->geometrie;
        const int werte[4] = { int(g.left()), int(g.top()), int(g.width()), int(g.height()) };
        for (int i = 0; i < 4; ++i)
            m_geo[i]->setValue(werte[i]);
        m_ausrichtung->setCurrentIndex(int(e->ausrichtung));
        m_transparent->setChecked(e->transparent);
        m_umbruch->setChecked(e->umbruch);
        m_autoStrecken->setChecked(e->autoStrecken);
        m_strecken->setChecked(e->strecken);
    } else {
        m_art->setText(QString());
    }
    const int band = m_szene->aktivesBand();
    const auto &baender = m_szene->bericht().baender;
    const bool bandDa = band >= 0 && band < int(baender.size());
    m_bandFelder->setEnabled(bandDa);
    if (bandDa) {
        const bericht::Band &b = baender[std::size_t(band)];
        m_bandFelder->setTitle(QStringLiteral("Band: ") + bericht::bandName(b.art));
        m_bandHoehe->setValue(int(b.hoehe));
        m_gruppenfeld->setText(b.gruppenfeld);
        m_gruppenfeld->setEnabled(b.art == BandArt::Gruppenkopf);
        m_neueSpalte->setChecked(b.neueSpalte);
    }
    m_zeigt = false;
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
    m_papier->setCurrentIndex(
        b.papier == report::PaperSize::A3 ? 0 : (b.papier == report::PaperSize::A5 ? 2 : 1));
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
        const report::PaperSize papiere[3]
            = { report::PaperSize::A3, report::PaperSize::A4, report::PaperSize::A5 };
        if (b.papier != report::PaperSize::Custom || m_papier->currentIndex() != 1)
            b.papier = papiere[std::clamp(m_papier->currentIndex(), 0, 2)];
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
