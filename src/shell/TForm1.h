#pragma once

#include "settings/IniFile.h"
#include "settings/KalenderIni.h"
#include "shell/Arbeitsflaeche.h"
#include "shell/Befehle.h"
#include "shell/Befehlsleisten.h"
#include "storage/Table.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class QStackedWidget;

namespace kb::designer {
class TEntwurf;
}

namespace kb {

namespace widgets {
class CaptionPanel;
class NavigationBar;
} // namespace widgets

class HilfeFenster;
class KalenderPanel;
class MonatsBilderPanel;
class KalenderSitzung;
class OrganizerPanel;
class StatusLeiste;
class TAboutBox;
class TBuchForm;
class TKalenderEinstForm;
class TDatenAnlegenF;
class TPersForm;
class TPasswordDlg;
class TReportMarginForm;
class TalleDAT;
class TSuchForm;

// The main window: the left-hand bar, the navigation bar, the menus, the status bar and the
// three work panels. It owns the open calendar (KalenderSitzung), the settings file and the
// long-lived dialogs, and starts every command.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    struct Optionen {
        // Make ".qvk" known to the desktop (the program does; tests do not).
        bool dateitypRegistrieren = false;
        // The day the program started: reminders are for this day.
        QDate heute = QDate::currentDate();
    };

    explicit TForm1(const Optionen &optionen);
    ~TForm1() override;

    // What is made once the main window first shows, in its order: the three work panels,
    // the file-type registration, the school-holiday pages, the password dialog, the settings
    // dialog, the margin dialog, the about box, the text library, the day details and the two
    // personal-dates windows. A window that fails is reported and the next one is made. Runs once;
    // a command, a change of navigation group or a calendar to open that comes earlier runs it
    // first.
    void fensterErstellen();
    // Shows the window maximised, filling the screen also without a window manager.
    void zeigen();

    // Runs a command as its button, menu item or navigation item does.
    void ausfuehren(Befehl befehl, int variante = -1);
    // The open of a calendar file named on the command line, with all checks and messages.
    void kalenderArgumentOeffnen(const QString &path);
    // A form file named on the command line: opens the calendar `kalender` (empty: the one
    // opened last, kalender.INI Zuletzt/Kalender) and the form in the designer on it. Without
    // a calendar the designer's data boxes stay empty and its status bar says why. After the
    // designer closes, this window stays with the calendar open.
    void formularArgumentOeffnen(const QString &kalender, const QString &formular);

    // The form designer bar's commands on the design name in its selector.
    void entwurfOeffnen();
    // "Seitenvorschau gewähltes Kalender-Design": the selected form filled with the calendar in
    // the report preview, without showing the designer.
    void entwurfVorschau();
    void entwurfNeu();
    // Lists the form files of the calendar data directory in the bar and shows the stored
    // design name (User/Datei of the settings file) as the selector's text.
    void entwurfslisteAuffrischen();

    KalenderSitzung &sitzung() const { return *m_sitzung; }
    StatusLeiste *statusLeiste() const { return m_status; }
    widgets::NavigationBar *navigation() const { return m_leisten->navigation(); }
    Befehlsleisten *leisten() const { return m_leisten; }
    KalenderPanel *kalenderPanel() const { return m_kalender; }
    OrganizerPanel *organizerPanel() const { return m_organizer; }
    MonatsBilderPanel *bilderPanel() const { return m_bilder; }
    Panel sichtbaresPanel() const { return m_panel; }
    TPasswordDlg *passwortDialog() const;
    TAboutBox *aboutBox() const;
    HilfeFenster *hilfeFenster() const;
    TalleDAT *tagesdaten() const;
    TKalenderEinstForm *einstellungsDialog() const;
    TReportMarginForm *blatteinzugDialog() const;
    TBuchForm *textbibliothek() const;
    TDatenAnlegenF *stammdatenFenster() const;
    TPersForm *persDatenFenster() const;
    // The search window (Bearbeiten → Suchen…); null until first shown.
    TSuchForm *suchFenster() const { return m_suche; }
    // The personal-dates table (open only while its entry window is shown).
    Table &persDaten() { return m_pers; }
    // The text library "Texte.db" in the calendar data directory (open only while its window
    // is shown).
    Table &texte() { return m_texte; }
    // The shell configuration as it stands now (column widths, settings file name).
    KalenderIni kalenderIni() const;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void formCreate();
    void arbeitsflaecheBauen();
    void panelsBauen();
    void zeige(Panel panel);
    void zustandZeigen();
    void gruppeGewechselt(int gruppe);

    void anlegen();
    void oeffnen(bool navigation);
    void schliessen(bool navigation);
    void passwort(bool navigation);
    void kronoblattDrucken(int variante, bool navigation);
    // Shows the layout of that name (as `kronoblatt-cli drucken` names it) in the preview.
    void layoutDrucken(const QString &name);
    void organizerZeigen();
    void bilderZeigen();
    void berichteVerwalten();
    void tagesdatenZeigen();
    void textbibliothekZeigen();
    void tagNavigieren(Befehl befehl);
    void kalenderMonatGewaehlt(int monat);
    void monatskalenderDrucken(int auswahl);
    void wochenkalenderDrucken();
    void tagebuchDrucken(int monat);
    void kalenderEinstClick();
    void toolButton10Click();
    IniFile &einstellungenZumSchreiben();
    void hilfeZeigen();
    void infoZeigen();
    void suchen();
    void suchtrefferZeigen(const QString &kalender, const QDate &datum);
    void sicherungWiederherstellen();
    const IniFile &einstellungenZumLesen();
    void formClose();
    // What the bar's commands do first: store the design name, link the picture table to the
    // days (the month-picture area shows the month tabs), go to the first day and make the
    // designer with the two data sources.
    std::unique_ptr<designer::TEntwurf> entwurfVorbereiten();
    // Loads `pfad` into the designer, shows it modally and destroys it.
    void entwurfZeigen(std::unique_ptr<designer::TEntwurf> fenster, const QString &pfad);

    std::unique_ptr<KalenderSitzung> m_sitzung;
    bool m_dateitypRegistrieren = false;
    Table m_texte;
    Table m_pers;
    std::optional<IniFile> m_einstellungen;
    std::optional<IniFile> m_leer; // read when the settings file is missing: all defaults
    KalenderIni m_kalenderIni;
    Befehlsleisten *m_leisten = nullptr;
    StatusLeiste *m_status = nullptr;
    QStackedWidget *m_flaeche = nullptr;
    QWidget *m_keinPanel = nullptr;
    TSuchForm *m_suche = nullptr;
    KalenderPanel *m_kalender = nullptr;
    OrganizerPanel *m_organizer = nullptr;
    MonatsBilderPanel *m_bilder = nullptr;
    Panel m_panel = Panel::Keins;
    QPointer<TPasswordDlg> m_passwort;
    QPointer<TAboutBox> m_about;
    QPointer<HilfeFenster> m_hilfe;
    QPointer<TBuchForm> m_buch;
    QPointer<TalleDAT> m_tagesdaten;
    QPointer<TKalenderEinstForm> m_einst;
    QPointer<TReportMarginForm> m_blatteinzug;
    QPointer<TDatenAnlegenF> m_stammdaten;
    QPointer<TPersForm> m_persDaten;
    // The state index of the last calendar the wizard made in this run: a typed state text
    // that names no state keeps it for the next one.
    int m_landVorher = 0;
    bool m_fensterErstellt = false;
    bool m_beendet = false;
};

} // namespace kb
