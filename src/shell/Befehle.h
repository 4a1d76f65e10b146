#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace kb {

// Everything the main window's buttons, menus, navigation items and tool bar start.
enum class Befehl {
    Anlegen, // new calendar wizard
    Oeffnen, // open a calendar
    Schliessen, // close it, writing the chosen form name
    Passwort, // protect the open calendar with a password
    Beenden, // end the program
    Hilfethemen,
    Info,
    Homepage,
    NavNeu,
    NavOeffnen, // open, then go to the reminder's day or the first day
    NavSchliessen, // close without writing the form name
    NavPasswort,
    NavOrganizer,
    NavBilderTexte,
    NavDesigner,
    NavKronoblattDrucken, // one year calendar layout (the entry's variant)
    NavStammNeu,
    NavStammOeffnen,
    TagErster,
    TagVoriger,
    TagNaechster,
    TagLetzter,
    TagBearbeiten,
    TagSpeichern,
    TagVerwerfen,
    TagAktualisieren,
    Jahreskalender, // the year calendar button's face; its menu entries print
    JahreskalenderDrucken,
    Wochenkalender,
    Monatskalender,
    Tagebuch,
    Feldgroesse,
    Seiteneinstellungen,
    Einstellungen,
    IcsExport, // the open calendar's days as an iCalendar file
    IcsImport, // an iCalendar file's events into the open calendar's days
    SicherungWiederherstellen, // put an automatic copy of the open calendar back
    Suchen, // the search window over the days' texts and notes
};

// One button, menu item or navigation item.
struct BefehlEintrag {
    Befehl befehl = Befehl::Anlegen;
    QString text;
    QString hinweis; // shown as tool tip and in the status bar's hint panel
    int variante = -1; // the year calendar layout of a print entry (0 = 1 page, 12 columns)
    QKeySequence taste;
    bool trenner = false; // a separator line in a menu instead of an item
};

struct Menue {
    QString titel;
    QList<BefehlEintrag> eintraege;
};

struct NavGruppe {
    QString titel;
    QList<BefehlEintrag> eintraege;
};

// The navigation bar's groups, by index.
enum class NavGruppenIndex {
    Kalender = 0,
    OrganizerBilderTexte = 1,
    KronoblattDrucken = 2,
    Stammdaten = 3
};

// The five buttons of the left-hand bar, top to bottom.
const QList<BefehlEintrag> &linkeLeiste();
// "Datei", "Bearbeiten", "Hilfe".
const QList<Menue> &hauptmenue();
// "Kalender", "Organizer/Bilder/Texte", "Kronoblatt drucken", "Stammdaten".
const QList<NavGruppe> &navigationsGruppen();
// The calendar panel's tool bar, left to right: the day record navigator, then the print,
// layout and settings buttons.
const QList<BefehlEintrag> &kalenderWerkzeuge();
// The year calendar button's drop-down entries (one per layout, in menu order).
const QList<BefehlEintrag> &jahreskalenderMenue();

// False for commands whose window or layout is not part of the program yet; they are shown
// but disabled, so nothing pretends to work.
bool befehlVorhanden(Befehl befehl);
// Whether a control starting `befehl` is enabled: the command exists, and "Schliessen" and
// "Passwort" of the left-hand bar only while a calendar is open.
bool befehlAktiv(Befehl befehl, bool kalenderOffen, bool linkeLeiste);

} // namespace kb
