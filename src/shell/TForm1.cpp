#include "shell/TForm1.h"

#include "caldata/FerienSeiten.h"
#include "caldata/TDatenAnlegenF.h"
#include "caldata/TForm2.h"
#include "caldata/TPersForm.h"
#include "days/OrganizerPanel.h"
#include "days/TBuchForm.h"
#include "days/TageGrid.h"
#include "days/TalleDAT.h"
#include "days/Textbibliothek.h"
#include "designer/Berichtsablage.h"
#include "designer/EntwurfLeiste.h"
#include "designer/Entwurfsliste.h"
#include "designer/TEntwurf.h"
#include "designer/TSimpleDemoMainForm.h"
#include "pictures/MonatsBilderPanel.h"
#include "pictures/Monatsbilder.h"
#include "pictures/TMultiBildBetrachter.h"
#include "platform/Error.h"
#include "platform/FileTypeRegistration.h"
#include "platform/Logging.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "printing/DruckLayouts.h"
#include "printing/TKalenderForm.h"
#include "printing/TMonateKalenderForm.h"
#include "report/Fonts.h"
#include "settings/TKalenderEinstForm.h"
#include "settings/TReportMarginForm.h"
#include "shell/FerienVorschlag.h"
#include "shell/Hilfe.h"
#include "shell/HilfeFenster.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/Startablauf.h"
#include "shell/StatusLeiste.h"
#include "shell/TAboutBox.h"
#include "shell/TPasswordDlg.h"
#include "shell/TSicherungForm.h"
#include "shell/TSuchForm.h"
#include "widgets/CaptionPanel.h"
#include "widgets/GradientPanel.h"
#include "widgets/NavigationBar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTreeWidget>

namespace kb {

namespace {

// The organizer and the month pictures without an open calendar.
QString kalenderOeffnenFrage()
{
    return QStringLiteral("Es ist derzeit kein Kalender geöffnet, soll ein Kalender geöffnet "
                          "werden ?");
}

} // namespace

TForm1::TForm1(const Optionen &optionen)
    : m_sitzung(std::make_unique<KalenderSitzung>(optionen.heute))
    , m_dateitypRegistrieren(optionen.dateitypRegistrieren)
{
    setWindowTitle(startTitel());
    setFont(QFont(report::installedFamily(QStringLiteral("Arial")), 8));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xe9, 0xe9, 0xe9));
    setPalette(pal);
    m_leisten = new Befehlsleisten(
        this, menuBar(), [this](Befehl b, int variante) { ausfuehren(b, variante); });
    m_status = new StatusLeiste(this);
    setStatusBar(m_status);
    arbeitsflaecheBauen();

    connect(m_sitzung.get(), &KalenderSitzung::zustandGeaendert, this, &TForm1::zustandZeigen);
    connect(navigation(), &widgets::NavigationBar::currentGroupChanged, this,
        &TForm1::gruppeGewechselt);

    formCreate();
}

TForm1::~TForm1() = default;

void TForm1::arbeitsflaecheBauen()
{
    // The window itself paints the grey background behind the panels.
    auto *mitte = new QWidget(this);
    auto *h = new QHBoxLayout(mitte);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    h->addWidget(m_leisten->linkeLeiste());
    h->addWidget(navigation());

    m_flaeche = new QStackedWidget(mitte);
    m_keinPanel = new QWidget(m_flaeche);
    m_flaeche->addWidget(m_keinPanel);
    h->addWidget(m_flaeche, 1);
    setCentralWidget(mitte);
}

void TForm1::panelsBauen()
{
    m_kalender = new KalenderPanel(&m_sitzung->jahr(), &m_sitzung->layout(), m_flaeche);
    m_organizer = new OrganizerPanel(&m_sitzung->jahr(), m_flaeche);
    m_bilder = new MonatsBilderPanel(&m_sitzung->bild(), &m_sitzung->jahr(), m_flaeche);
    m_bilder->setBrowser([](QWidget *parent) {
        return bildAuswaehlen(parent) ? Auswahl::Uebernommen : Auswahl::Geschlossen;
    });
    for (QWidget *w : { static_cast<QWidget *>(m_kalender), static_cast<QWidget *>(m_organizer),
             static_cast<QWidget *>(m_bilder) })
        m_flaeche->addWidget(w);
    for (widgets::CaptionPanel *p : { static_cast<widgets::CaptionPanel *>(m_kalender),
             static_cast<widgets::CaptionPanel *>(m_organizer),
             static_cast<widgets::CaptionPanel *>(m_bilder) })
        connect(p, &widgets::CaptionPanel::closed, this, [this] { zeige(Panel::Keins); });
    m_kalender->tage()->setSpaltenbreiten(m_kalenderIni.spalten);
    m_kalender->setCaption(m_sitzung->kalenderTitel());

    // The month tabs of the grid and of the organizer filter the one year table.
    connect(
        m_sitzung.get(), &KalenderSitzung::monatGeaendert, m_kalender, &KalenderPanel::monatZeigen);
    connect(m_sitzung.get(), &KalenderSitzung::monatGeaendert, m_organizer,
        &OrganizerPanel::monatZeigen);
    connect(m_kalender, &KalenderPanel::monatGewaehlt, this, &TForm1::kalenderMonatGewaehlt);
    // The month picture tabs choose the month of the day grid; the single picture follows it.
    connect(m_sitzung.get(), &KalenderSitzung::monatGeaendert, m_bilder,
        &MonatsBilderPanel::monatZeigen);
    connect(m_bilder, &MonatsBilderPanel::monatGewaehlt, this, &TForm1::kalenderMonatGewaehlt);
    connect(m_organizer, &OrganizerPanel::monatGewaehlt, m_sitzung.get(),
        &KalenderSitzung::monatsfilter);
    connect(m_kalender->tage(), &TageGrid::tagesdatenGewuenscht, this, &TForm1::tagesdatenZeigen);
    connect(m_kalender->tage(), &TageGrid::textbibliothekGewuenscht, this,
        &TForm1::textbibliothekZeigen);
    connect(m_organizer, &OrganizerPanel::tagesdatenGewuenscht, this, &TForm1::tagesdatenZeigen);
    connect(m_kalender, &KalenderPanel::befehlGewaehlt, this, [this](Befehl b) { ausfuehren(b); });
    connect(m_kalender, &KalenderPanel::jahreskalenderGewaehlt, this,
        [this](int variante) { kronoblattDrucken(variante, false); });
    connect(
        m_kalender, &KalenderPanel::monatskalenderGewaehlt, this, &TForm1::monatskalenderDrucken);
    connect(m_kalender, &KalenderPanel::tagebuchGewaehlt, this, &TForm1::tagebuchDrucken);

    designer::EntwurfLeiste *leiste = m_kalender->entwurfsLeiste();
    connect(leiste, &designer::EntwurfLeiste::vorschauGewaehlt, this, &TForm1::entwurfVorschau);
    connect(leiste, &designer::EntwurfLeiste::oeffnenGewaehlt, this, &TForm1::entwurfOeffnen);
    connect(leiste, &designer::EntwurfLeiste::neuGewaehlt, this, &TForm1::entwurfNeu);
    // The chosen name is what the open and the close of a calendar write back.
    connect(leiste, &designer::EntwurfLeiste::nameGeaendert, m_sitzung.get(),
        &KalenderSitzung::setFormularName);
    entwurfslisteAuffrischen();
}

void TForm1::formCreate()
{
    schritteAusfuehren({
        [] {
            // Dates read "dd.mm.yyyy" throughout; the locale gives German names.
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        },
        [this] {
            QDir().mkpath(ProgramDir::calendarDataDir());
            m_texte.setDirectory(ProgramDir::calendarDataDir());
            m_texte.setTableName(texteDateiname());
        },
        [this] { m_kalenderIni = KalenderIni::read(); },
        [this] {
            const IniFile ini = openSettingsFile(m_kalenderIni.settingsFilePath());
            if (ini.exists()) {
                m_einstellungen = ini;
                m_sitzung->setEinstellungen(&*m_einstellungen);
                m_sitzung->setFormularName(readDatei(*m_einstellungen));
            }
        },
        [this] {
            m_status->setPanel(StatusLeiste::Datum, kurzesDatum(m_sitzung->heute()));
            m_status->uhrAktualisieren();
            m_sitzung->layout().loadStartup(einstellungenZumLesen());
            m_sitzung->layout().load(einstellungenZumLesen());
        },
        [this] { zeige(Panel::Keins); },
    });
}

void TForm1::fensterErstellen()
{
    if (m_fensterErstellt)
        return;
    m_fensterErstellt = true;
    panelsBauen();
    schritteAusfuehren({
        [this] {
            // Writes the desktop's entries only when they are missing or out of date.
            if (m_dateitypRegistrieren)
                FileType::registrieren(
                    QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                    QCoreApplication::applicationFilePath(),
                    ProgramDir::path() + QStringLiteral("kronoblatt.png"));
        },
        [] {
            // The school-holiday pages follow the installed table, also a newer one put in
            // place of it; a page that cannot be written is no reason to stop the start.
            const QString csv = schulferienDatei();
            if (csv.isEmpty())
                return;
            try {
                ferienSeitenAktualisieren(csv, ferienSeitenOrdner());
            } catch (const Error &e) {
                qCWarning(lcShell).noquote() << e.message();
            }
        },
        [this] { m_passwort = new TPasswordDlg(this); },
        [this] { m_einst = new TKalenderEinstForm(this); },
        [this] { m_blatteinzug = new TReportMarginForm(this); },
        [this] { m_about = new TAboutBox(this); },
        [this] { m_buch = new TBuchForm(&m_texte, &m_sitzung->jahr(), this); },
        [this] { m_tagesdaten = new TalleDAT(&m_sitzung->jahr(), bildAuswaehlen, this); },
        [this] { m_stammdaten = new TDatenAnlegenF(this); },
        [this] {
            m_persDaten = new TPersForm(&m_pers, &m_sitzung->jahr(), this);
            // The merge covers the whole year: the month tabs show "Alle".
            m_persDaten->setVorDerUebernahme([this] { m_sitzung->monatsfilter(0); });
        },
    });
}

TalleDAT *TForm1::tagesdaten() const
{
    return m_tagesdaten;
}

TKalenderEinstForm *TForm1::einstellungsDialog() const
{
    return m_einst;
}

TReportMarginForm *TForm1::blatteinzugDialog() const
{
    return m_blatteinzug;
}

TBuchForm *TForm1::textbibliothek() const
{
    return m_buch;
}

TDatenAnlegenF *TForm1::stammdatenFenster() const
{
    return m_stammdaten;
}

TPersForm *TForm1::persDatenFenster() const
{
    return m_persDaten;
}

TPasswordDlg *TForm1::passwortDialog() const
{
    return m_passwort;
}

TAboutBox *TForm1::aboutBox() const
{
    return m_about;
}

HilfeFenster *TForm1::hilfeFenster() const
{
    return m_hilfe;
}

void TForm1::zeigen()
{
    // Without a window manager nobody maximises the window: it takes the screen itself.
    if (const QScreen *s = screen())
        setGeometry(s->availableGeometry());
    showMaximized();
}

const IniFile &TForm1::einstellungenZumLesen()
{
    if (m_einstellungen)
        return *m_einstellungen;
    // Without a settings file every read gives its default.
    if (!m_leer)
        m_leer.emplace(m_kalenderIni.settingsFilePath());
    return *m_leer;
}

IniFile &TForm1::einstellungenZumSchreiben()
{
    // A settings file missing at start-up is made by the first save.
    if (!m_einstellungen) {
        m_einstellungen.emplace(m_kalenderIni.settingsFilePath());
        m_sitzung->setEinstellungen(&*m_einstellungen);
    }
    return *m_einstellungen;
}

KalenderIni TForm1::kalenderIni() const
{
    KalenderIni k = m_kalenderIni;
    if (!m_kalender)
        return k;
    const TageGrid::Breiten breiten = m_kalender->tage()->spaltenbreiten();
    std::copy(breiten.begin(), breiten.end(), k.spalten.begin());
    return k;
}

bool TForm1::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // Hints go to the first panel; the other panels stay as they are.
        m_status->setPanel(StatusLeiste::Hinweis, static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        m_status->uhrAktualisieren();
        // The window is drawn anew: the list of designs follows the directory.
        entwurfslisteAuffrischen();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void TForm1::zeige(Panel panel)
{
    m_panel = panel;
    QWidget *page = m_keinPanel;
    switch (panel) {
    case Panel::Kalender:
        page = m_kalender;
        break;
    case Panel::Organizer:
        page = m_organizer;
        break;
    case Panel::Bilder:
        page = m_bilder;
        break;
    case Panel::Keins:
        break;
    }
    if (!page) // the panels are made after the window first shows
        page = m_keinPanel;
    page->show();
    m_flaeche->setCurrentWidget(page);
}

void TForm1::zustandZeigen()
{
    const bool offen = m_sitzung->offen();
    setWindowTitle(m_sitzung->fensterTitel());
    m_leisten->aktualisieren(offen);
    m_status->setPanel(StatusLeiste::Land, m_sitzung->landText());
    if (m_kalender)
        m_kalender->setCaption(m_sitzung->kalenderTitel());
    if (!offen) {
        zeige(Panel::Keins);
        return;
    }
    entwurfslisteAuffrischen();
    // Remembered for a form file opened from the desktop without a calendar.
    const QString qvk = QFileInfo(m_sitzung->dateien().qvkPfad()).absoluteFilePath();
    if (qvk != m_kalenderIni.zuletzt) {
        m_kalenderIni.zuletzt = qvk;
        fehlerZeigen([&] { KalenderIni::zuletztSchreiben(qvk); });
    }
}

void TForm1::gruppeGewechselt(int gruppe)
{
    fensterErstellen();
    zeige(panelNachGruppenwechsel(NavGruppenIndex(gruppe), m_sitzung->offen(), m_panel));
}

void TForm1::ausfuehren(Befehl befehl, int variante)
{
    fensterErstellen(); // a command given before the windows were made waits for them
    switch (befehl) {
    case Befehl::Anlegen:
    case Befehl::NavNeu:
        anlegen();
        break;
    case Befehl::Oeffnen:
        oeffnen(false);
        break;
    case Befehl::NavOeffnen:
        oeffnen(true);
        break;
    case Befehl::Schliessen:
        schliessen(false);
        break;
    case Befehl::NavSchliessen:
        schliessen(true);
        break;
    case Befehl::Passwort:
        passwort(false);
        break;
    case Befehl::NavPasswort:
        passwort(true);
        break;
    case Befehl::Beenden:
        close();
        break;
    case Befehl::IcsExport:
        m_sitzung->icsExportierenMitDialog();
        break;
    case Befehl::IcsImport:
        m_sitzung->icsEinlesenMitDialog();
        break;
    case Befehl::SicherungWiederherstellen:
        sicherungWiederherstellen();
        break;
    case Befehl::Suchen:
        suchen();
        break;
    case Befehl::Hilfethemen:
        hilfeZeigen();
        break;
    case Befehl::Info:
        infoZeigen();
        break;
    case Befehl::Homepage:
        ui().openUrl(homepageAdresse());
        break;
    case Befehl::NavKronoblattDrucken:
        kronoblattDrucken(variante, true);
        break;
    case Befehl::JahreskalenderDrucken:
        kronoblattDrucken(variante, false);
        break;
    case Befehl::NavOrganizer:
        organizerZeigen();
        break;
    case Befehl::NavBilderTexte:
        bilderZeigen();
        break;
    case Befehl::NavDesigner:
        berichteVerwalten();
        break;
    case Befehl::TagErster:
    case Befehl::TagVoriger:
    case Befehl::TagNaechster:
    case Befehl::TagLetzter:
    case Befehl::TagBearbeiten:
    case Befehl::TagSpeichern:
    case Befehl::TagVerwerfen:
    case Befehl::TagAktualisieren:
        tagNavigieren(befehl);
        break;
    case Befehl::Feldgroesse:
        if (const QScreen *s = screen())
            m_kalender->tage()->feldgroesseAnpassen(s->geometry().width());
        break;
    case Befehl::Wochenkalender:
        wochenkalenderDrucken();
        break;
    case Befehl::Tagebuch: // the diary button's face: the days as shown
        tagebuchDrucken(0);
        break;
    case Befehl::Einstellungen:
        kalenderEinstClick();
        break;
    case Befehl::Seiteneinstellungen:
        toolButton10Click();
        break;
    case Befehl::NavStammNeu:
        if (m_stammdaten && m_persDaten)
            persDatenNeu(m_pers, *m_stammdaten, *m_persDaten);
        break;
    case Befehl::NavStammOeffnen:
        if (m_persDaten)
            personlichedatenopen(m_pers, *m_persDaten);
        break;
    default:
        // The faces of the year and month calendar buttons, and the commands still to come.
        break;
    }
}

void TForm1::anlegen()
{
    if (m_panel == Panel::Organizer || m_panel == Panel::Bilder)
        zeige(m_sitzung->offen() ? Panel::Kalender : Panel::Keins);
    TForm2 assistent(this);
    assistent.setLandVorher(m_landVorher);
    assistent.setNachAnlage([this](const AnlageErgebnis &ergebnis) {
        m_landVorher = ergebnis.landIndex;
        m_sitzung->nachAnlage(ergebnis.dateien);
        if (m_sitzung->offen())
            zeige(Panel::Kalender);
    });
    ui().runModal(&assistent);
}

void TForm1::oeffnen(bool navigation)
{
    if (navigation && (m_panel == Panel::Organizer || m_panel == Panel::Bilder))
        zeige(m_sitzung->offen() ? Panel::Kalender : Panel::Keins);
    const KalenderSitzung::Oeffnung o = m_sitzung->oeffnenMitDialog();
    if (!o.geoeffnet())
        return;
    zeige(Panel::Kalender);
    if (!navigation)
        return;
    if (o.erinnerung.gefunden) {
        // After a reminder the organizer shows today's tile in today's month.
        zeige(Panel::Organizer);
        m_sitzung->heuteZeigen();
        this->navigation()->setCurrentGroup(int(NavGruppenIndex::OrganizerBilderTexte));
    } else {
        fehlerZeigen([this] { m_sitzung->jahr().first(); });
    }
}

void TForm1::kalenderArgumentOeffnen(const QString &path)
{
    fensterErstellen();
    if (m_sitzung->oeffnenDatei(path).geoeffnet())
        zeige(Panel::Kalender);
}

void TForm1::formularArgumentOeffnen(const QString &kalender, const QString &formular)
{
    fensterErstellen();
    QString grund;
    const QString qvk = kalender.isEmpty() ? m_kalenderIni.zuletzt : kalender;
    if (qvk.isEmpty()) {
        grund = QStringLiteral("Noch kein Kalender geöffnet: die Datenfelder bleiben leer.");
    } else if (kalender.isEmpty() && !QFileInfo(qvk).isFile()) {
        grund = QStringLiteral("Der zuletzt geöffnete Kalender %1 ist nicht mehr vorhanden: die "
                               "Datenfelder bleiben leer.")
                    .arg(QDir::toNativeSeparators(qvk));
    } else if (m_sitzung->oeffnenDatei(qvk).geoeffnet()) {
        zeige(Panel::Kalender);
    } else {
        grund = QStringLiteral("Der Kalender %1 lässt sich nicht öffnen: die Datenfelder bleiben "
                               "leer.")
                    .arg(QDir::toNativeSeparators(qvk));
    }
    std::unique_ptr<designer::TEntwurf> fenster;
    if (m_sitzung->offen()) {
        fenster = entwurfVorbereiten();
    } else {
        fenster = std::make_unique<designer::TEntwurf>(this);
        fenster->setWindowTitle(QStringLiteral("Kalender gestalten"));
        fenster->ohneDatenquellen(grund);
    }
    entwurfZeigen(std::move(fenster), QFileInfo(formular).absoluteFilePath());
}

void TForm1::entwurfslisteAuffrischen()
{
    if (!m_kalender)
        return;
    const QString gespeichert = readDatei(einstellungenZumLesen());
    m_kalender->entwurfsLeiste()->auffrischen(ProgramDir::calendarDataDir(), gespeichert);
    m_sitzung->setFormularName(gespeichert);
}

std::unique_ptr<designer::TEntwurf> TForm1::entwurfVorbereiten()
{
    const QString name = m_kalender->entwurfsLeiste()->entwurfsname();
    m_sitzung->setFormularName(name);
    fehlerZeigen([&] { writeDatei(einstellungenZumSchreiben(), name); });
    m_bilder->seiteWaehlen(BilderSeite::EinzelBild);
    fehlerZeigen([this] { m_sitzung->jahr().first(); });
    auto w = std::make_unique<designer::TEntwurf>(this);
    w->setWindowTitle(QStringLiteral("Kalender gestalten"));
    w->datenquellenSetzen(&m_sitzung->jahr(), &m_sitzung->bild());
    w->setDruckEinstellungen(&m_sitzung->layout());
    return w;
}

void TForm1::entwurfZeigen(std::unique_ptr<designer::TEntwurf> fenster, const QString &pfad)
{
    fenster->laden(pfad);
    ui().runModal(fenster.get());
}

void TForm1::entwurfOeffnen()
{
    if (!m_sitzung->offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    const QString pfad = designer::entwurfsPfad(
        ProgramDir::calendarDataDir(), m_kalender->entwurfsLeiste()->entwurfsname());
    entwurfZeigen(entwurfVorbereiten(), pfad);
    entwurfslisteAuffrischen();
}

void TForm1::entwurfVorschau()
{
    if (!m_sitzung->offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    const QString pfad = designer::entwurfsPfad(
        ProgramDir::calendarDataDir(), m_kalender->entwurfsLeiste()->entwurfsname());
    const int monat = m_sitzung->monat();
    {
        // The designer is never shown: it loads the form and runs its preview.
        auto fenster = entwurfVorbereiten();
        fenster->szene()->alleEntfernen();
        fenster->laden(pfad);
        fenster->vorschau();
    }
    // The preview went through every day; the grid shows the month it showed before.
    if (monat != 0)
        m_sitzung->monatsfilter(monat);
    entwurfslisteAuffrischen();
}

void TForm1::entwurfNeu()
{
    if (!m_sitzung->offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    auto fenster = entwurfVorbereiten();
    entwurfZeigen(std::move(fenster),
        designer::entwurfsPfad(
            ProgramDir::calendarDataDir(), QLatin1StringView(designer::kNeuerEntwurf)));
    // The selector shows the design chosen before, not the new file.
    entwurfslisteAuffrischen();
}

void TForm1::schliessen(bool navigation)
{
    m_sitzung->schliessen(!navigation);
}

void TForm1::passwort(bool navigation)
{
    if (!m_sitzung->offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    if (!m_passwort) {
        ui().message(QStringLiteral("Der Passwort-Dialog steht nicht zur Verfügung."));
        return;
    }
    if (navigation && m_panel == Panel::Organizer)
        zeige(Panel::Kalender);
    if (ui().runModal(m_passwort) != QDialog::Accepted)
        return;
    m_sitzung->passwortSchuetzen(m_passwort->passwort());
    // The navigation item leaves the protected calendar out of sight.
    if (navigation)
        zeige(Panel::Keins);
}

void TForm1::kronoblattDrucken(int variante, bool navigation)
{
    const auto &varianten = kalenderVarianten();
    if (variante < 0 || variante >= int(varianten.size()))
        return;
    const QString name = varianten[variante].navText;
    fehlerZeigen([&] {
        m_sitzung->layout().load(einstellungenZumLesen());
        // The navigation entries are there also without a calendar; they say why nothing
        // prints.
        if (!m_sitzung->offen()) {
            if (navigation)
                ui().message(keinKalenderGeoeffnet());
            return;
        }
        layoutDrucken(name);
    });
}

void TForm1::layoutDrucken(const QString &name)
{
    const DruckLayout *layout = druckLayout(name);
    if (!layout)
        throw Error(QStringLiteral("Unbekanntes Layout \"%1\"").arg(name));
    DruckAuftrag auftrag { m_sitzung->jahr(), &m_sitzung->bild(), m_sitzung->layout(),
        einstellungenZumLesen() };
    layout->vorschau(auftrag);
}

void TForm1::organizerZeigen()
{
    if (!m_sitzung->offen()) {
        if (!ui().question(kalenderOeffnenFrage()))
            return;
        oeffnen(false);
        if (!m_sitzung->offen())
            return;
    }
    zeige(Panel::Organizer);
}

// The report management works on the report table, open while its window is; reports that
// read a calendar read the one open now.
void TForm1::berichteVerwalten()
{
    try {
        Table berichte;
        berichte.setFilePath(bericht::berichtTabellePfad());
        berichte.open();
        designer::TSimpleDemoMainForm fenster(
            berichte,
            [this]() -> std::optional<bericht::KalenderTabellen> {
                if (!m_sitzung->offen())
                    return std::nullopt;
                const KalenderDatei k = m_sitzung->dateien();
                return bericht::KalenderTabellen { .jahrPfad = k.jahrPfad(),
                    .bildPfad = k.bildPfad() };
            },
            this);
        ui().runModal(&fenster);
        berichte.close();
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void TForm1::bilderZeigen()
{
    if (!m_sitzung->offen()) {
        if (ui().question(kalenderOeffnenFrage()))
            oeffnen(false);
        return;
    }
    // The month tabs of the area filter the day table: the grid's editor hands over first.
    if (!m_kalender->tage()->eingabeUebernehmen())
        return;
    // The area takes its mode and month before it shows, so it is laid out once, complete.
    m_bilder->betreten();
    zeige(Panel::Bilder);
}

void TForm1::tagesdatenZeigen()
{
    if (m_sitzung->offen() && m_tagesdaten)
        ui().runModal(m_tagesdaten);
}

void TForm1::textbibliothekZeigen()
{
    if (!m_sitzung->offen())
        return;
    if (!m_buch)
        fehlerZeigen([this] { m_buch = new TBuchForm(&m_texte, &m_sitzung->jahr(), this); });
    if (m_buch)
        tageGridEditButtonClick(m_texte, *m_buch);
}

void TForm1::tagNavigieren(Befehl befehl)
{
    const auto knopf = KalenderPanel::navKnopf(befehl);
    if (!knopf || !m_sitzung->offen())
        return;
    // Cancel drops what the grid's editor holds; every other button takes it first.
    if (*knopf == NavKnopf::Verwerfen)
        m_kalender->tage()->eingabeVerwerfen();
    else if (!m_kalender->tage()->eingabeUebernehmen())
        return;
    fehlerZeigen([&] { navKnopfAusfuehren(*knopf, m_sitzung->jahr()); });
}

void TForm1::kalenderMonatGewaehlt(int monat)
{
    // A text the grid's editor cannot hand over keeps its month shown.
    if (!m_kalender->tage()->eingabeUebernehmen()) {
        m_kalender->monatZeigen(m_sitzung->monat());
        return;
    }
    m_sitzung->monatsfilter(monat);
}

// The month, week and diary layouts print from the calendar panel's tool bar, which shows
// only while a calendar is open. They leave the day table's filter as they set it.
void TForm1::monatskalenderDrucken(int auswahl)
{
    const auto &auswahlen = monatsAuswahlen();
    if (!m_sitzung->offen() || auswahl < 0 || auswahl >= int(auswahlen.size())
        || !m_kalender->tage()->eingabeUebernehmen())
        return;
    fehlerZeigen([&] {
        m_sitzung->layout().load(einstellungenZumLesen());
        layoutDrucken(auswahlen[std::size_t(auswahl)].layoutName);
    });
}

void TForm1::wochenkalenderDrucken()
{
    if (!m_sitzung->offen() || !m_kalender->tage()->eingabeUebernehmen())
        return;
    fehlerZeigen([&] {
        m_sitzung->layout().load(einstellungenZumLesen());
        layoutDrucken(QStringLiteral("Wochenkalender"));
    });
}

void TForm1::tagebuchDrucken(int monat)
{
    if (!m_sitzung->offen() || !m_kalender->tage()->eingabeUebernehmen())
        return;
    fehlerZeigen([&] {
        m_sitzung->layout().load(einstellungenZumLesen());
        layoutDrucken(tagebuchLayout(monat));
    });
}

void TForm1::kalenderEinstClick()
{
    if (!m_einst)
        fehlerZeigen([this] { m_einst = new TKalenderEinstForm(this); });
    if (!m_einst || !m_kalender->tage()->eingabeUebernehmen())
        return;
    // The periods are checked against the open calendar's year (without one: this year).
    const int jahr = m_sitzung->offen() && m_sitzung->jahrZahl() > 0 ? m_sitzung->jahrZahl()
                                                                     : m_sitzung->heute().year();
    bool gefuellt = false;
    fehlerZeigen([&] {
        m_einst->fuellen(
            einstellungenZumSchreiben(), m_sitzung->layout(), jahr, m_sitzung->landText());
        gefuellt = true;
    });
    if (!gefuellt)
        return;
    m_einst->setFerienQuelle(&amtlicheFerien);
    ui().runModal(m_einst);
    // The grid paints with the colours and holidays as they are now.
    m_kalender->tage()->viewport()->update();
}

void TForm1::toolButton10Click()
{
    if (!m_blatteinzug)
        fehlerZeigen([this] { m_blatteinzug = new TReportMarginForm(this); });
    if (m_blatteinzug)
        fehlerZeigen(
            [this] { blatteinzugBearbeiten(*m_blatteinzug, einstellungenZumSchreiben()); });
}

void TForm1::hilfeZeigen()
{
    if (!m_hilfe)
        m_hilfe = new HilfeFenster(this);
    m_hilfe->inhaltZeigen();
}

void TForm1::infoZeigen()
{
    if (!m_about)
        fehlerZeigen([this] { m_about = new TAboutBox(this); });
    if (m_about)
        ui().runModal(m_about);
}

void TForm1::suchen()
{
    if (!m_suche) {
        m_suche = new TSuchForm(
            [this] { return m_sitzung->offen() ? m_sitzung->dateien().qvkPfad() : QString(); },
            this);
        connect(m_suche, &TSuchForm::tagGewaehlt, this, &TForm1::suchtrefferZeigen);
    }
    m_suche->show();
    m_suche->raise();
    m_suche->activateWindow();
    m_suche->begriff()->setFocus();
    m_suche->begriff()->selectAll();
}

// A day of the search list: its calendar opens unless shown, and grid and organizer go to it.
void TForm1::suchtrefferZeigen(const QString &kalender, const QDate &datum)
{
    if (!m_kalender->tage()->eingabeUebernehmen())
        return;
    if (m_sitzung->tagZeigen(kalender, datum) && m_panel != Panel::Organizer)
        zeige(Panel::Kalender);
}

void TForm1::sicherungWiederherstellen()
{
    if (!m_sitzung->offen()) {
        ui().message(keinKalenderOffen());
        return;
    }
    if (!m_kalender->tage()->eingabeUebernehmen())
        return;
    const KalenderDatei k = m_sitzung->dateien();
    QList<Sicherungskopie> kopien;
    if (!fehlerZeigen([&] { kopien = Sicherungen::liste(k); }))
        return;
    TSicherungForm dialog(QDir::toNativeSeparators(k.qvkPfad()), kopien, this);
    if (ui().runModal(&dialog) != QDialog::Accepted || dialog.gewaehlt().isEmpty())
        return;
    if (m_sitzung->sicherungWiederherstellen(dialog.gewaehlt()))
        ui().message(
            QStringLiteral("Der Stand vom %1 ist wiederhergestellt.")
                .arg(kopien.at(dialog.liste()->indexOfTopLevelItem(dialog.liste()->currentItem()))
                         .zeit.toString(QStringLiteral("dd.MM.yyyy, HH:mm:ss"))));
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // An edit that cannot be saved keeps the window open unless the user discards it.
    if (!m_beendet && !m_sitzung->aenderungenSichern()) {
        event->ignore();
        return;
    }
    if (!m_beendet)
        formClose();
    m_beendet = true;
    event->accept();
}

void TForm1::formClose()
{
    if (m_hilfe)
        m_hilfe->close();
    fehlerZeigen([this] { m_sitzung->jahr().close(); });
    fehlerZeigen([this] { m_sitzung->bild().close(); });
    fehlerZeigen([this] { m_texte.close(); });
    fehlerZeigen([this] { m_pers.close(); });
    m_sitzung->schliessen(true);
    fehlerZeigen([this] { kalenderIni().write(); });
}

} // namespace kb
