#include "designer/TEntwurf.h"

#include "designer/Eigenschaften.h"
#include "designer/EigenschaftsListe.h"
#include "designer/EntwurfElemente.h"
#include "designer/Formulardruck.h"
#include "designer/TReportEinst.h"
#include "platform/Error.h"
#include "platform/Ui.h"
#include "settings/ColorValue.h"
#include "storage/Table.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>

namespace kb::designer {

namespace {

using enum ElementType;

constexpr int kFett = 1, kKursiv = 2, kUnterstrichen = 4;

bool beginntMit(const QString &name, std::initializer_list<const char *> prefixe)
{
    for (const char *p : prefixe) {
        if (name.startsWith(QLatin1StringView(p)))
            return true;
    }
    return false;
}

QIcon farbSymbol(qint32 wert)
{
    QPixmap p(12, 12);
    p.fill(formColor(wert));
    return QIcon(p);
}

} // namespace

TEntwurf::TEntwurf(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Entwurf"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    aktionenAnlegen();
    menueAnlegen();
    werkzeugleistenAnlegen();

    m_ansicht = new EntwurfAnsicht(&m_szene, &m_szene);
    m_einst = new TReportEinst(this);
    m_hilfeText = new QTextEdit;
    m_hilfeText->setReadOnly(true);
    m_hilfeText->setFixedWidth(252);
    m_hilfeText->setPlainText(entwurfHilfe());
    m_hilfeText->setVisible(false);

    auto *koerper = new QWidget;
    auto *zeile = new QHBoxLayout(koerper);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(0);
    zeile->addWidget(seitenPanel());
    zeile->addWidget(m_ansicht, 1);
    zeile->addWidget(m_hilfeText);
    setCentralWidget(koerper);

    m_status0 = new QLabel;
    m_status0->setFixedWidth(400);
    m_status1 = new QLabel;
    m_status1->setMinimumWidth(50);
    // The selection's position and size while it moves, at the right.
    m_lage = new QLabel;
    // Whether the data boxes show a calendar's values, and if not, why.
    m_quellenHinweis = new QLabel;
    statusBar()->addWidget(m_status0);
    statusBar()->addWidget(m_status1, 1);
    statusBar()->addPermanentWidget(m_lage);
    statusBar()->addPermanentWidget(m_quellenHinweis);

    verbinden();
    panelZeigen();
    bandZeigen(m_szene.aktivesBand());
    auswahlZeigen();
    m_status0->setText(QStringLiteral(" Formular-Kopf aktiv "));
}

TEntwurf::~TEntwurf() = default;

void TEntwurf::aktionenAnlegen()
{
    const auto neu = [this](const char *text, const char *hinweis = nullptr) {
        auto *a = new QAction(QString::fromUtf8(text), this);
        a->setToolTip(QString::fromUtf8(hinweis ? hinweis : text));
        return a;
    };
    m_a.loeschen = neu("selektiertes Element löschen");
    m_a.loeschen->setShortcut(QKeySequence::Delete);
    m_a.schliessen = neu("Formular-Entwurf schliessen");
    m_a.rueckgaengig = m_szene.verlauf()->createUndoAction(this, QStringLiteral("Rückgängig"));
    m_a.rueckgaengig->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_a.wiederholen = m_szene.verlauf()->createRedoAction(this, QStringLiteral("Wiederholen"));
    m_a.wiederholen->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) });
    m_a.vergroessern = neu("Vergrößern");
    m_a.vergroessern->setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal) });
    m_a.verkleinern = neu("Verkleinern");
    m_a.verkleinern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    m_a.originalgroesse = neu("Originalgröße");
    m_a.originalgroesse->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    m_a.einstellungen = neu("Einstellungen", "Formular einstellungen");
    m_a.neuerText = neu("Text", "neues Textfeld");
    m_a.neuesDatenfeld = neu("Datenfeld", "neues Datenfeld");
    m_a.neuesSystemfeld = neu("System", "neues System-Tool");
    m_a.rechteck = neu("Rechteck");
    m_a.neuesBild = neu("Bild", "neues Bild aus Datei einfügen");
    m_a.bildAendern = neu("Bild ändern", "Bild öffnen/ändern");
    m_a.datenbankBild
        = neu("DB-Bild", "Monatsbilder / Detailband\r\nund Tagesbilder / Subdetailband einfügen");
    m_a.links = neu("links", "linksausgerichtet");
    m_a.zentriert = neu("mitte", "zentriert");
    m_a.rechts = neu("rechts", "rechtsausgerichtet");
    m_ausrichtungen = new QActionGroup(this);
    for (QAction *a : { m_a.links, m_a.zentriert, m_a.rechts }) {
        a->setCheckable(true);
        m_ausrichtungen->addAction(a);
    }
    m_a.fett = neu("F", "Fett");
    m_a.kursiv = neu("K", "Kursiv");
    m_a.unterstrichen = neu("U", "Unterstrichen");
    m_a.transparent = neu("transparent");
    for (QAction *a : { m_a.fett, m_a.kursiv, m_a.unterstrichen, m_a.transparent })
        a->setCheckable(true);
    QFont f = m_a.fett->font();
    f.setBold(true);
    m_a.fett->setFont(f);
    f = m_a.kursiv->font();
    f.setItalic(true);
    m_a.kursiv->setFont(f);
    f = m_a.unterstrichen->font();
    f.setUnderline(true);
    m_a.unterstrichen->setFont(f);
    m_a.schriftart = neu("Schriftart");
    m_a.vorschau = neu("Seitenvorschau");
    m_a.hilfe = neu("Hilfe", "Hilfe zum Formular-Editor");
    m_a.hilfe->setCheckable(true);
}

void TEntwurf::vorschau()
{
    if (!m_jahr || !m_jahr->isOpen() || !m_druck) {
        ui().message(QStringLiteral("Für die Seitenvorschau muss ein Kalender geöffnet sein: "
                                    "das Formular wird mit seinen Tagen gefüllt."));
        return;
    }
    try {
        formularVorschau(
            m_szene.formular(), *m_jahr, m_bild.data(), *m_druck, formularTitel(m_pfad, *m_jahr));
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void TEntwurf::menueAnlegen()
{
    QMenu *bearbeiten = menuBar()->addMenu(QStringLiteral("Bearbeiten"));
    bearbeiten->addAction(m_a.rueckgaengig);
    bearbeiten->addAction(m_a.wiederholen);
    bearbeiten->addSeparator();
    bearbeiten->addAction(m_a.loeschen);
    bearbeiten->addSeparator();
    bearbeiten->addAction(m_a.schliessen);
    QMenu *ansicht = menuBar()->addMenu(QStringLiteral("Ansicht"));
    ansicht->addAction(m_a.vergroessern);
    ansicht->addAction(m_a.verkleinern);
    ansicht->addAction(m_a.originalgroesse);
    ansicht->addSeparator();
    ansicht->addAction(m_a.vorschau);
    ansicht->addAction(m_a.hilfe);
}

void TEntwurf::werkzeugleistenAnlegen()
{
    m_leiste1 = addToolBar(QStringLiteral("Elemente und Format"));
    for (QAction *a : { m_a.neuerText, m_a.neuesDatenfeld, m_a.neuesSystemfeld })
        m_leiste1->addAction(a);
    m_leiste1->addAction(m_a.einstellungen);
    m_leiste1->addAction(m_a.rechteck);
    m_leiste1->addAction(m_a.neuesBild);
    m_leiste1->addAction(m_a.bildAendern);
    m_leiste1->addAction(m_a.datenbankBild);
    m_leiste1->addSeparator();
    for (QAction *a : { m_a.links, m_a.zentriert, m_a.rechts, m_a.fett, m_a.kursiv,
             m_a.unterstrichen, m_a.transparent, m_a.schriftart, m_a.vorschau })
        m_leiste1->addAction(a);
    m_leiste1->addSeparator();
    m_leiste1->addAction(m_a.rueckgaengig);
    m_leiste1->addAction(m_a.wiederholen);
    m_leiste1->addAction(m_a.hilfe);
    m_schriftBox = new QFontComboBox;
    m_schriftBox->setToolTip(QStringLiteral("Schrift"));
    m_schriftBox->setMaximumWidth(170);
    m_leiste1->addWidget(m_schriftBox);
    m_farbBox = new QComboBox;
    m_farbBox->setToolTip(QStringLiteral("Schrift-Hintergrundfarbe"));
    // The colours of the settings' pickers: standard, extended and system colours, "none".
    for (const FarbEintrag &f : farbEintraege(true)) {
        if (f.wert != kColorDefault)
            m_farbBox->addItem(farbSymbol(f.wert), f.name, f.wert);
    }
    m_farbBox->addItem(QStringLiteral("Benutzerdefiniert …"));
    m_leiste1->addWidget(m_farbBox);

    addToolBarBreak();
    m_leiste2 = addToolBar(QStringLiteral("freier Text"));
    m_leiste2->addWidget(new QLabel(QStringLiteral("freien Text eingeben :   ")));
    m_textEingabe = new QLineEdit;
    m_textEingabe->setToolTip(QStringLiteral("freien Text eingeben"));
    m_textEingabe->setMinimumWidth(260);
    m_textEingabe->setMaximumWidth(420);
    m_leiste2->addWidget(m_textEingabe);

    m_leiste3 = addToolBar(QStringLiteral("Daten"));
    m_leiste3->addWidget(new QLabel(QStringLiteral("Datenquelle :  ")));
    m_quelle = new QComboBox;
    m_quelle->setToolTip(QStringLiteral("Datenquelle"));
    m_quelle->setMinimumWidth(140);
    m_leiste3->addWidget(m_quelle);
    m_leiste3->addWidget(new QLabel(QStringLiteral("Datenfeld :")));
    m_feld = new QComboBox;
    m_feld->setToolTip(QStringLiteral("Datenfeld"));
    m_feld->setMaxVisibleItems(16);
    m_feld->setMinimumWidth(140);
    m_leiste3->addWidget(m_feld);

    m_leiste4 = addToolBar(QStringLiteral("System-Tool"));
    m_leiste4->addWidget(new QLabel(QStringLiteral("System-Tool :  ")));
    m_systemTool = new QComboBox;
    m_systemTool->addItems({ QStringLiteral("Systemdatum"), QStringLiteral("Systemzeit"),
        QStringLiteral("System-Datum-Zeit"), QStringLiteral("Seitennummerierung") });
    m_leiste4->addWidget(m_systemTool);
}

QWidget *TEntwurf::seitenPanel()
{
    auto *panel = new QWidget;
    panel->setFixedWidth(169);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0xF8, 0xF8, 0xF8));
    panel->setPalette(pal);
    auto *l = new QVBoxLayout(panel);
    const auto titel = [&](const QString &text) { l->addWidget(new QLabel(text)); };

    titel(QStringLiteral("Papier-Ausrichtung"));
    m_ausrichtung = new QComboBox;
    m_ausrichtung->addItems({ QStringLiteral("Hochformat"), QStringLiteral("Querformat") });
    m_ausrichtung->setToolTip(QStringLiteral("Papier-Format"));
    l->addWidget(m_ausrichtung);
    titel(QStringLiteral(" Wochen anzeigen  "));
    m_wochen = new QComboBox;
    m_wochen->addItems({ QStringLiteral("nein"), QStringLiteral("ja") });
    m_wochen->setToolTip(QStringLiteral("Woche anzeigen"));
    l->addWidget(m_wochen);
    titel(QStringLiteral("Spaltenanzahl"));
    m_spalten = new QSpinBox;
    m_spalten->setRange(1, 12);
    l->addWidget(m_spalten);
    titel(QStringLiteral("Spaltenabstand  "));
    m_abstand = new QSpinBox;
    m_abstand->setRange(0, 50);
    m_abstand->setToolTip(QStringLiteral("Abstand der Spalten"));
    l->addWidget(m_abstand);
    titel(QString::fromUtf8("Papiergrösse"));
    m_papier = new QComboBox;
    for (PaperItem p : { PaperItem::A4, PaperItem::A3, PaperItem::Custom })
        m_papier->addItem(paperText(p));
    l->addWidget(m_papier);
    m_breiteText = new QLabel(QStringLiteral("Breite in mm"));
    l->addWidget(m_breiteText);
    m_breite = new QSpinBox;
    m_breite->setRange(60, 1500);
    l->addWidget(m_breite);
    m_hoeheText = new QLabel(QString::fromUtf8("Höhe in mm"));
    l->addWidget(m_hoeheText);
    m_hoehe = new QSpinBox;
    m_hoehe->setRange(60, 1500);
    l->addWidget(m_hoehe);
    l->addSpacing(8);
    auto *schattierung = new QLabel(QStringLiteral("Hintergrundfarbe anzeigen für :"));
    schattierung->setWordWrap(true);
    l->addWidget(schattierung);
    const char *tage[] = { "Samstag", "Sonntag", "Feiertage", "Ferien" };
    for (std::size_t i = 0; i < m_schattierung.size(); ++i) {
        m_schattierung[i] = new QCheckBox(QString::fromUtf8(tage[i]));
        l->addWidget(m_schattierung[i]);
    }
    l->addSpacing(8);
    l->addWidget(new QLabel(QStringLiteral("Eigenschaften")));
    m_eigenschaften = new EigenschaftsListe;
    m_eigenschaften->setColumnWidth(0, 72);
    l->addWidget(m_eigenschaften, 1);
    return panel;
}

void TEntwurf::verbinden()
{
    connect(m_a.loeschen, &QAction::triggered, &m_szene, &EntwurfSzene::loeschen);
    connect(m_a.schliessen, &QAction::triggered, this, &QWidget::close);
    connect(m_a.vergroessern, &QAction::triggered, this,
        [this] { m_ansicht->setZoom(m_ansicht->zoom() + 25); });
    connect(m_a.verkleinern, &QAction::triggered, this,
        [this] { m_ansicht->setZoom(m_ansicht->zoom() - 25); });
    connect(m_a.originalgroesse, &QAction::triggered, this, [this] { m_ansicht->setZoom(100); });
    connect(m_a.hilfe, &QAction::toggled, m_hilfeText, &QWidget::setVisible);
    connect(m_a.einstellungen, &QAction::triggered, this, [this] {
        if (ui().runModal(m_einst) != QDialog::Accepted)
            return;
        m_szene.aendern(QStringLiteral("Formular-Einstellungen"),
            [this](Formular &f) { m_einst->uebernehmen(f.page()); });
    });

    const std::pair<QAction *, ElementType> neu[]
        = { { m_a.neuerText, FreeText }, { m_a.neuesDatenfeld, DataField },
              { m_a.neuesSystemfeld, SystemField }, { m_a.rechteck, Rectangle },
              { m_a.neuesBild, Picture }, { m_a.datenbankBild, DataPicture } };
    for (const auto &[aktion, typ] : neu) {
        connect(aktion, &QAction::triggered, this, [this, typ = typ] {
            m_ansicht->horizontalScrollBar()->setValue(0);
            m_szene.neu(typ);
        });
    }
    const std::pair<QAction *, quint8> ausrichtungen[] = { { m_a.links, kAlignLeft },
        { m_a.zentriert, kAlignCenter }, { m_a.rechts, kAlignRight } };
    for (const auto &[aktion, wert] : ausrichtungen) {
        connect(aktion, &QAction::triggered, this, [this, wert = wert] {
            textAendern(QStringLiteral("Ausrichtung"), [&](FormElement &e) { e.alignment = wert; });
        });
    }
    connect(m_a.fett, &QAction::triggered, this, [this](bool an) { stilUmschalten(kFett, an); });
    connect(
        m_a.kursiv, &QAction::triggered, this, [this](bool an) { stilUmschalten(kKursiv, an); });
    connect(m_a.unterstrichen, &QAction::triggered, this,
        [this](bool an) { stilUmschalten(kUnterstrichen, an); });
    connect(m_a.transparent, &QAction::triggered, this, [this](bool an) {
        if (m_szene.wocheGewaehlt())
            return; // the week label always prints transparent
        const QString name = m_szene.auswahl();
        m_szene.aendern(QStringLiteral("transparent"), [&](Formular &f) {
            if (FormElement *e = f.find(name);
                e && e->type() != Rectangle && e->type() != DataPicture)
                e->transparent = an;
        });
    });
    connect(m_a.schriftart, &QAction::triggered, this, &TEntwurf::schriftDialog);
    connect(m_a.vorschau, &QAction::triggered, this, &TEntwurf::vorschau);
    connect(m_a.bildAendern, &QAction::triggered, this, &TEntwurf::bildOeffnen);
    connect(m_schriftBox, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        textAendern(
            QStringLiteral("Schrift"), [&](FormElement &e) { e.font.name = font.family(); });
    });
    connect(m_farbBox, &QComboBox::activated, this, [this](int index) {
        QVariant wert = m_farbBox->itemData(index);
        if (!wert.isValid()) {
            const std::optional<QColor> c = ui().color(Qt::white);
            if (!c)
                return;
            wert = storedColor(*c);
        }
        textAendern(QStringLiteral("Hintergrundfarbe"),
            [&](FormElement &e) { e.color = qint32(wert.toInt()); });
    });
    connect(m_textEingabe, &QLineEdit::textEdited, this, [this](const QString &text) {
        const QString name = m_szene.auswahl();
        m_szene.aendern(
            QStringLiteral("Text ") + name,
            [&](Formular &f) {
                if (name == QLatin1StringView(kSettingsName))
                    f.weekLabel().caption = text;
                else if (FormElement *e = f.find(name);
                         e && (e->type() == FreeText || e->type() == SystemField))
                    e->caption = text;
            },
            2);
    });
    connect(m_systemTool, &QComboBox::activated, this, [this](int) {
        const QString name = m_szene.auswahl();
        const QString text = m_systemTool->currentText();
        m_szene.aendern(QStringLiteral("System-Tool"), [&](Formular &f) {
            if (FormElement *e = f.find(name); e && e->type() == SystemField)
                e->caption = text;
        });
        m_textEingabe->setText(text);
    });
    connect(m_quelle, &QComboBox::activated, this, &TEntwurf::quelleGewaehlt);
    connect(m_feld, &QComboBox::activated, this, [this](int) {
        const QString name = m_szene.auswahl();
        const QString feld = m_feld->currentText();
        m_szene.aendern(QStringLiteral("Datenfeld"), [&](Formular &f) {
            if (FormElement *e = f.find(name);
                e && (e->type() == DataField || e->type() == DataPicture))
                e->dataField = feld.left(30);
        });
    });

    connect(m_ausrichtung, &QComboBox::activated, this, [this](int index) {
        panelAendern([&](Formular &f) {
            f.panel().orientation
                = index == 0 ? OrientationBox::Portrait : OrientationBox::Landscape;
        });
    });
    connect(m_wochen, &QComboBox::activated, this,
        [this](int index) { panelAendern([&](Formular &f) { chooseWeeks(f, index == 1); }); });
    connect(m_spalten, &QSpinBox::valueChanged, this,
        [this](int n) { panelAendern([&](Formular &f) { f.panel().columns = n; }); });
    connect(m_abstand, &QSpinBox::valueChanged, this,
        [this](int n) { panelAendern([&](Formular &f) { f.panel().columnSpacing = n; }); });
    connect(m_papier, &QComboBox::activated, this, [this](int index) {
        panelAendern([&](Formular &f) { choosePaper(f, PaperItem(index)); });
    });
    connect(m_breite, &QSpinBox::valueChanged, this,
        [this](int n) { panelAendern([&](Formular &f) { f.panel().paperWidth = n; }); });
    connect(m_hoehe, &QSpinBox::valueChanged, this,
        [this](int n) { panelAendern([&](Formular &f) { f.panel().paperHeight = n; }); });
    for (std::size_t i = 0; i < m_schattierung.size(); ++i) {
        connect(m_schattierung[i], &QCheckBox::toggled, this, [this, i](bool an) {
            panelAendern([&](Formular &f) {
                PagePanel &p = f.panel();
                bool *schalter[] = { &p.shadeSaturdays, &p.shadeSundays, &p.shadeHolidays,
                    &p.shadeSchoolHolidays };
                *schalter[i] = an;
            });
        });
    }

    connect(&m_szene, &EntwurfSzene::formularGeaendert, this, [this] {
        panelZeigen();
        auswahlZeigen();
    });
    connect(&m_szene, &EntwurfSzene::auswahlGeaendert, this, &TEntwurf::auswahlZeigen);
    connect(m_eigenschaften, &EigenschaftsListe::geaendert, this, &TEntwurf::eigenschaftGeaendert);
    connect(&m_szene, &EntwurfSzene::bandAktiviert, this, &TEntwurf::bandZeigen);
    connect(&m_szene, &EntwurfSzene::lage, this,
        [this](const QString &text) { m_lage->setText(text); });
}

void TEntwurf::laden(const QString &path)
{
    m_pfad = path;
    m_status1->setText(QDir::toNativeSeparators(path));
    m_unlesbar.clear();
    Formular form;
    try {
        form.load(path);
    } catch (const Error &e) {
        ui().message(e.message());
        form = Formular {};
        m_unlesbar = QFileInfo(path).absoluteFilePath();
    }
    m_einst->setzen(form.page());
    m_szene.laden(std::move(form));
}

void TEntwurf::datenquellenSetzen(Table *jahr, Table *bild)
{
    m_jahr = jahr;
    m_bild = bild;
    {
        const QSignalBlocker b(m_quelle);
        m_quelle->clear();
        m_quelle->addItems({ QLatin1StringView(kMainTable), QLatin1StringView(kDetailTable) });
        m_quelle->setCurrentIndex(-1);
    }
    for (Table *t : { jahr, bild }) {
        if (!t)
            continue;
        for (auto signal : { &Table::currentChanged, &Table::valuesChanged, &Table::recordsReset })
            connect(t, signal, &m_szene, &EntwurfSzene::datenAktualisieren);
    }
    m_quellenHinweis->clear();
    m_szene.setWerte(
        [this](const QString &quelle, const QString &feld) { return datenwert(quelle, feld); });
    auswahlZeigen();
}

void TEntwurf::ohneDatenquellen(const QString &grund)
{
    m_jahr = nullptr;
    m_bild = nullptr;
    const QSignalBlocker b(m_quelle);
    m_quelle->clear();
    m_quellenHinweis->setText(grund);
    m_szene.setWerte({});
}

QStringList TEntwurf::datenfelder(const QString &quelle) const
{
    const Table *t = quelle == QLatin1StringView(kMainTable) ? m_jahr.data()
        : quelle == QLatin1StringView(kDetailTable)          ? m_bild.data()
                                                             : nullptr;
    if (!t || !t->isOpen())
        return {};
    QStringList felder = t->fieldNames();
    felder.sort(Qt::CaseInsensitive);
    return felder;
}

QVariant TEntwurf::datenwert(const QString &quelle, const QString &feld) const
{
    const Table *t = quelle == QLatin1StringView(kMainTable) ? m_jahr.data()
        : quelle == QLatin1StringView(kDetailTable)          ? m_bild.data()
                                                             : nullptr;
    if (!t || !t->isOpen() || !t->hasField(feld))
        return {};
    try {
        if (t->isEmpty())
            return QString();
        const FieldType typ = t->fieldDef(feld).type;
        if (typ == FieldType::Graphic)
            return t->image(feld);
        if (typ == FieldType::Blob)
            return QString();
        return t->asString(feld);
    } catch (const Error &) {
        // A record that cannot be read shows nothing; the table's own views report it.
        return {};
    }
}

QString TEntwurf::statusText(int panel) const
{
    switch (panel) {
    case 0:
        return m_status0->text();
    case 1:
        return m_status1->text();
    default:
        return m_quellenHinweis->text();
    }
}

void TEntwurf::panelZeigen()
{
    const Formular &f = m_szene.formular();
    const PagePanel &p = f.panel();
    const QSignalBlocker b1(m_ausrichtung), b2(m_wochen), b3(m_spalten), b4(m_abstand),
        b5(m_papier), b6(m_breite), b7(m_hoehe);
    m_ausrichtung->setCurrentIndex(p.orientation == OrientationBox::Empty
            ? -1
            : (p.orientation == OrientationBox::Portrait ? 0 : 1));
    m_wochen->setCurrentIndex(p.showWeeks ? 1 : 0);
    m_spalten->setValue(p.columns);
    m_abstand->setValue(p.columnSpacing);
    m_papier->setCurrentIndex(int(p.paper));
    m_breite->setValue(p.paperWidth);
    m_hoehe->setValue(p.paperHeight);
    const bool frei = p.paper == PaperItem::Custom;
    for (QWidget *w :
        std::initializer_list<QWidget *> { m_breite, m_hoehe, m_breiteText, m_hoeheText })
        w->setVisible(frei);
    const bool schalter[]
        = { p.shadeSaturdays, p.shadeSundays, p.shadeHolidays, p.shadeSchoolHolidays };
    for (std::size_t i = 0; i < m_schattierung.size(); ++i) {
        const QSignalBlocker b(m_schattierung[i]);
        m_schattierung[i]->setChecked(schalter[i]);
    }
}

void TEntwurf::bandZeigen(FormBand band)
{
    m_status0->setText(activeBandText(band));
    // The toolbars follow the band when nothing is selected.
    if (m_szene.auswahl().isEmpty())
        auswahlZeigen();
}

void TEntwurf::formatFreigeben(bool text, bool bild)
{
    for (QAction *a : { m_a.links, m_a.zentriert, m_a.rechts, m_a.fett, m_a.kursiv,
             m_a.unterstrichen, m_a.schriftart, m_a.transparent })
        a->setEnabled(text);
    m_schriftBox->setEnabled(text);
    m_farbBox->setEnabled(text);
    m_a.bildAendern->setEnabled(bild);
}

void TEntwurf::auswahlZeigen()
{
    const bool woche = m_szene.wocheGewaehlt();
    const FormElement *e = m_szene.ausgewaehlt();
    m_a.loeschen->setEnabled(e != nullptr);
    eigenschaftenZeigen();
    if (!e && !woche) {
        formatFreigeben(false, false);
        m_leiste2->setEnabled(m_szene.aktivesBand() == FormBand::Group);
        m_leiste3->setEnabled(false);
        m_leiste4->setEnabled(false);
        m_leiste3->setVisible(false);
        m_leiste4->setVisible(false);
        return;
    }
    const FormElement shown = m_szene.anzeige(m_szene.auswahl());
    const ElementType typ = woche ? FreeText : e->type();
    const bool text = typ == FreeText || typ == SystemField || typ == DataField;
    formatFreigeben(text, typ == Picture);
    m_a.transparent->setEnabled(text || typ == Picture);
    m_leiste2->setEnabled(true);
    m_leiste3->setEnabled(true);
    m_leiste4->setEnabled(true);
    m_leiste3->setVisible(typ == DataField || typ == DataPicture);
    m_leiste4->setVisible(typ == SystemField);

    const QSignalBlocker b1(m_textEingabe), b2(m_schriftBox), b3(m_quelle), b4(m_feld),
        b5(m_systemTool);
    if (text) {
        m_a.fett->setChecked(shown.font.style & kFett);
        m_a.kursiv->setChecked(shown.font.style & kKursiv);
        m_a.unterstrichen->setChecked(shown.font.style & kUnterstrichen);
        m_a.links->setChecked(shown.alignment == kAlignLeft);
        m_a.zentriert->setChecked(shown.alignment == kAlignCenter);
        m_a.rechts->setChecked(shown.alignment == kAlignRight);
        m_schriftBox->setCurrentFont(QFont(shown.font.name));
    }
    m_a.transparent->setChecked(shown.transparent);
    if (typ == FreeText || typ == SystemField)
        m_textEingabe->setText(shown.caption);
    if (typ == SystemField)
        m_systemTool->setCurrentText(shown.caption);
    if (typ == DataField || typ == DataPicture) {
        m_quelle->setCurrentIndex(m_quelle->findText(shown.source));
        m_feld->clear();
        m_feld->addItems(datenfelder(shown.source));
        m_feld->setCurrentIndex(m_feld->findText(shown.dataField));
        if (m_feld->currentIndex() < 0)
            m_feld->setEditText(shown.dataField);
    }
}

void TEntwurf::eigenschaftenZeigen()
{
    // The week label has no property list.
    const FormElement *e = m_szene.ausgewaehlt();
    m_eigenschaften->zeigen(
        e ? listenzeilen(*e) : std::vector<Listenzeile> {}, e ? QVariant(e->name()) : QVariant());
}

void TEntwurf::eigenschaftGeaendert(
    const QVariant &bezug, int id, const QString &titel, const QString &text)
{
    const QString name = bezug.toString();
    const FormElement *el = m_szene.formular().find(name);
    if (!el) {
        eigenschaftenZeigen();
        return;
    }
    FormElement geaendert = *el;
    if (const std::optional<QString> fehler = eigenschaftSetzen(geaendert, Eigenschaft(id), text)) {
        ui().message(*fehler);
        eigenschaftenZeigen();
        return;
    }
    m_szene.aendern(titel, [&](Formular &f) {
        if (FormElement *ziel = f.find(name))
            *ziel = geaendert;
    });
    eigenschaftenZeigen();
}

void TEntwurf::textAendern(const QString &was, const std::function<void(FormElement &)> &f)
{
    const QString name = m_szene.auswahl();
    if (name.isEmpty())
        return;
    m_szene.aendern(was, [&](Formular &form) {
        if (name == QLatin1StringView(kSettingsName)) {
            WeekLabel &w = form.weekLabel();
            FormElement e;
            e.font = w.font;
            e.alignment = w.alignment;
            f(e);
            w.font = e.font;
            w.alignment = e.alignment;
        } else if (FormElement *e = form.find(name); e
                   && (e->type() == FreeText || e->type() == SystemField
                       || e->type() == DataField)) {
            f(*e);
        }
    });
}

void TEntwurf::panelAendern(const std::function<void(Formular &)> &f)
{
    m_szene.aendern(QStringLiteral("Seiteneinstellungen"), f);
}

void TEntwurf::stilUmschalten(int bit, bool an)
{
    m_stil = an ? quint8(m_stil | bit) : quint8(m_stil & ~bit);
    const quint8 stil = m_stil;
    textAendern(QStringLiteral("Schriftstil"), [&](FormElement &e) { e.font.style = stil; });
}

void TEntwurf::schriftDialog()
{
    const QString name = m_szene.auswahl();
    if (name.isEmpty())
        return;
    const FormElement e = m_szene.anzeige(name);
    const bool text = m_szene.wocheGewaehlt() || (e.type() == FreeText || e.type() == SystemField);
    const bool vorbelegt = m_szene.wocheGewaehlt()
        || (text ? beginntMit(name, { "Label_", "Det", "Sub", "Sum", "Fus", "SYS" })
                 : beginntMit(name, { "DBT", "Det", "Sub", "Sum", "Fus" }));
    if (!text && e.type() != DataField)
        return;
    const std::optional<QFont> font = ui().font(vorbelegt ? elementFont(e.font) : m_letzteSchrift);
    if (!font)
        return;
    m_letzteSchrift = *font;
    quint8 stil = 0;
    stil |= font->bold() ? kFett : 0;
    stil |= font->italic() ? kKursiv : 0;
    stil |= font->underline() ? kUnterstrichen : 0;
    stil |= font->strikeOut() ? 8 : 0;
    const qint32 groesse
        = font->pointSize() > 0 ? font->pointSize() : qRound(font->pixelSize() * 72.0 / 96.0);
    const qint32 farbe = e.font.color;
    textAendern(QStringLiteral("Schriftart"), [&](FormElement &el) {
        el.font = FormFont { font->family().left(20), groesse, farbe, stil, el.font.pitch };
    });
    m_stil = stil & 7;
    m_a.fett->setChecked(stil & kFett);
    m_a.kursiv->setChecked(stil & kKursiv);
    m_a.unterstrichen->setChecked(stil & kUnterstrichen);
}

void TEntwurf::quelleGewaehlt()
{
    const QSignalBlocker b(m_feld);
    m_feld->clear();
    m_feld->setEditText({});
    const FormElement *e = m_szene.ausgewaehlt();
    if (!e)
        return;
    const bool feld
        = e->type() == DataField && beginntMit(e->name(), { "DBT", "Det", "Sub", "Sum", "Fus" });
    const bool bild
        = e->type() == DataPicture && beginntMit(e->name(), { "DBI", "DBD", "DBS", "DBF" });
    if (!feld && !bild)
        return;
    const QString quelle = m_quelle->currentText();
    m_feld->addItems(datenfelder(quelle));
    m_feld->setCurrentIndex(-1);
    const QString name = e->name();
    m_szene.aendern(QStringLiteral("Datenquelle"), [&](Formular &f) {
        if (FormElement *el = f.find(name))
            el->source = quelle;
    });
}

void TEntwurf::bildOeffnen()
{
    const FormElement *e = m_szene.ausgewaehlt();
    if (!e || e->type() != Picture)
        return;
    const QString name = e->name();
    const QString datei
        = ui().openFileName(QStringLiteral("Bild öffnen"), QFileInfo(e->picturePath).path(),
            QStringLiteral("Alle (*.bmp *.jpg *.jpeg);;Bitmaps (*.bmp);;JEPEG (*.jpg *.jpeg)"));
    if (datei.isEmpty())
        return;
    if (QPixmap(datei).isNull()) {
        ui().message(
            QStringLiteral("Bild ") + datei + QStringLiteral(" kann nicht gelesen werden."));
        return;
    }
    m_szene.aendern(QStringLiteral("Bild"), [&](Formular &f) {
        if (FormElement *el = f.find(name)) {
            el->picturePath = QDir::toNativeSeparators(QFileInfo(datei).absoluteFilePath());
            el->placeholder = false;
        }
    });
}

bool TEntwurf::speichernFragen()
{
    if (!ui().question(QStringLiteral("Änderungen in ") + QDir::toNativeSeparators(m_pfad)
            + QStringLiteral(" speichern ?")))
        return true;
    const QString ziel = ui().saveFileName(QStringLiteral("Formular speichern"), m_pfad,
        QStringLiteral("Kalender-Formulare (*.qvf)"), QStringLiteral("qvf"));
    if (ziel.isEmpty())
        return true;
    if (!m_unlesbar.isEmpty() && QFileInfo(ziel).absoluteFilePath() == m_unlesbar) {
        // The window shows an empty form in place of the unreadable one; written there it
        // would destroy what may still be saved from that file.
        ui().message(QStringLiteral("Die Datei ") + QDir::toNativeSeparators(ziel)
            + QStringLiteral(" konnte nicht gelesen werden und wird nicht überschrieben. Bitte "
                             "das Formular unter einem anderen Namen speichern."));
        return false;
    }
    try {
        m_szene.formular().save(ziel);
    } catch (const Error &e) {
        // The designer stays open, so the form is not lost with the failed save.
        ui().message(e.message());
        return false;
    }
    m_pfad = ziel;
    m_unlesbar.clear();
    m_status1->setText(QDir::toNativeSeparators(ziel));
    m_szene.verlauf()->setClean();
    return true;
}

void TEntwurf::closeEvent(QCloseEvent *event)
{
    if (speichernFragen())
        event->accept();
    else
        event->ignore();
}

void TEntwurf::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_groesseGesetzt)
        return;
    m_groesseGesetzt = true;
    // Without a window manager "maximised" means nothing: take the screen's free area.
    if (const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect frei = s->availableGeometry();
        if (width() < frei.width() || height() < frei.height())
            setGeometry(frei);
    }
    setWindowState(windowState() | Qt::WindowMaximized);
    m_ansicht->setFocus();
    // The view would centre the 5000-pixel workspace; the bands start at its top left.
    QTimer::singleShot(0, this, [this] {
        m_ansicht->horizontalScrollBar()->setValue(0);
        m_ansicht->verticalScrollBar()->setValue(0);
    });
}

} // namespace kb::designer
