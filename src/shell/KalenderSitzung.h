#pragma once

#include "caldata/KalenderDatei.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"
#include "shell/Erinnern.h"
#include "storage/Table.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <optional>

namespace kb {

// The open calendar of the main window: its year table and picture table (the handles every
// view shares), open, close, month filter, password and the reminder check. No widgets: the
// main window shows what this decides, and the messages go through the Ui seam.
class KalenderSitzung : public QObject {
    Q_OBJECT
public:
    enum class Ausgang {
        Abgebrochen, // the file dialog was cancelled
        Abgelehnt, // not a calendar file; nothing changed
        Fehler, // the chosen calendar could not be opened; no calendar is open
        Geoeffnet,
    };
    struct Oeffnung {
        Ausgang ausgang = Ausgang::Abgebrochen;
        Erinnerung erinnerung;
        bool geoeffnet() const { return ausgang == Ausgang::Geoeffnet; }
    };

    // `heute` is the day the program started; reminders are for that day.
    explicit KalenderSitzung(const QDate &heute, QObject *parent = nullptr);
    ~KalenderSitzung() override;

    Table &jahr() { return m_jahr; }
    Table &bild() { return m_bild; }
    const Table &jahr() const { return m_jahr; }
    QDate heute() const { return m_heute; }

    // The settings file; null when it does not exist (reads then give the defaults and the
    // form name is not written).
    void setEinstellungen(IniFile *ini) { m_ini = ini; }
    IniFile *einstellungen() const { return m_ini; }
    LayoutSettings &layout() { return m_layout; }
    // The name of the selected designed form, written to User/Datei on open and close.
    void setFormularName(const QString &name) { m_formularName = name; }
    QString formularName() const { return m_formularName; }

    bool offen() const { return m_jahr.isOpen(); }
    KalenderDatei dateien() const { return m_dateien; }
    // The year of the first day record; 0 without a calendar.
    int jahrZahl() const { return m_jahrZahl; }
    // The selected month of the month tabs, 0 for "Alle".
    int monat() const { return m_monat; }

    // "RI-DOZU Kronoblatt " and the calendar file's path while a calendar is open;
    // startTitel() before the first, geschlossenTitel() after a close or a failed open.
    QString fensterTitel() const { return m_titel; }
    // "Kalender angelegt für das Jahr " + year, or "  Kalender" before the first open.
    QString kalenderTitel() const { return m_kalenderTitel; }
    // Status panel 4: the state of the current day, empty without a calendar.
    QString landText() const;

    // The open of the menu, the left button and the navigation bar: writes the form name,
    // forgets the known passwords and asks for the calendar file, then opens it.
    Oeffnung oeffnenMitDialog();
    // The same open for a file already chosen (the command line), without the dialog.
    Oeffnung oeffnenDatei(const QString &qvkPfad);
    // Opens the calendar of `qvkPfad`, with every check and message of the open. A file that
    // is no calendar file or does not exist is refused with a message, and an open calendar
    // stays open.
    Oeffnung oeffnen(const QString &qvkPfad);
    // Closes both tables. `formularSchreiben`: the menu and left button also write the form
    // name; the navigation bar does not.
    void schliessen(bool formularSchreiben);
    // Posts the pending edits of both tables before the calendar closes or the program ends.
    // An edit that cannot be saved is shown with its message and the question whether to
    // discard it: true when nothing is pending any more, false when the user keeps the edit
    // (the calendar then stays open with it).
    bool aenderungenSichern();
    // The month tabs: 0 removes the filter, 1 to 12 show only that month ("MonatNr='3'").
    void monatsfilter(int monat);
    // Protects the open calendar (year and picture table) with the password's first ten
    // characters; reports a failure through the Ui seam. The tables are open again afterwards.
    bool passwortSchuetzen(const QString &password);
    // "Datei → Als iCalendar exportieren…": asks for the file and whether holidays and
    // special days go with it, writes the open calendar's days and reports the number.
    void icsExportierenMitDialog();
    // "Datei → iCalendar-Datei einlesen…": asks for the file, writes its events into the open
    // calendar's days and re-reads the year table, so the grid and the organizer show them at
    // once; reports what was taken, left out and not taken.
    void icsEinlesenMitDialog();
    // Makes today's day current in today's month, as after a reminder.
    void heuteZeigen();
    // A search result: opens the calendar `qvkPfad` unless it is the open one, shows the
    // month of `datum` and makes that day current. False when the calendar did not open or has
    // no such day (the message was shown).
    bool tagZeigen(const QString &qvkPfad, const QDate &datum);
    // "Datei → Sicherung wiederherstellen…": posts pending edits, closes the calendar, puts the
    // copy `name` back (all or nothing, the current state copied first) and opens the
    // calendar again. A failure is shown; the calendar is open again either way.
    bool sicherungWiederherstellen(const QString &name);

    // After the wizard made a calendar: the shown calendar closes and the new one opens in
    // its place (no schema upgrade and no reminder check: it is new).
    void nachAnlage(const KalenderDatei &dateien);

Q_SIGNALS:
    // After every open and close of the year table (left-hand bar, caption, panels).
    void zustandGeaendert();
    // The month filter changed, also when the reminder check removed it.
    void monatGeaendert(int monat);

private:
    void formularSchreiben();
    void vorbereiten();
    void tabellenSchliessen();
    void auf(const KalenderDatei &k);
    void titelSetzen(const QString &titel);
    void jahrUndTitelLesen();
    void monatSetzen(int monat);
    bool neuerDatensatz();

    QDate m_heute;
    Table m_jahr;
    Table m_bild;
    IniFile *m_ini = nullptr;
    LayoutSettings m_layout;
    QString m_formularName;
    KalenderDatei m_dateien;
    QString m_titel;
    QString m_kalenderTitel;
    int m_jahrZahl = 0;
    int m_monat = 0;
};

// "RI-DOZU KRONOBLATT": the caption at start.
QString startTitel();
// "RI-DOZU Kronoblatt": the caption after a calendar was closed.
QString geschlossenTitel();
// "RI-DOZU Kronoblatt " followed by the calendar file's path.
QString kalenderFensterTitel(const QString &qvkPfad);
// "Es können keine Datensätze für das Jahr hinzugefügt werden !"
QString keineNeuenDatensaetze();
// "Kein Kalender geöffnet!"
QString keinKalenderOffen();
// The question after `meldung` when an edit cannot be saved: discard it or keep it.
QString aenderungVerwerfenFrage(const QString &meldung);

} // namespace kb
