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
