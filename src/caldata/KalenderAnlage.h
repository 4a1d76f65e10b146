#pragma once

#include "caldata/KalenderDatei.h"
#include "caldata/Kalendervokabular.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kb {

// One day of a new calendar, as generation writes it into the year table.
struct TagDatensatz {
    int nummer = 0; // 1 for 1 January
    QDate datum;
    QString text; // holiday name, "Barbaratag" / "Nikolaus", or empty
    int woche = 0; // ISO 8601 week
    QString monat;
    QString tag;
    int monatNr = 0;
    int tagNr = 0; // 1 = Monday
    int kennung = 0;
    int tagImMonat = 0;
};

// The days of one year for one state, in date order.
std::vector<TagDatensatz> tageDesJahres(int year, int state);

// What the wizard asks for.
struct AnlageEingaben {
    QString name;
    QString vorname;
    QString land; // the state as typed; an exact state name selects its holidays
    // The state index of the previous generation in this program run (0 at the first): a
    // state text that names no state keeps it. The caller that makes several calendars
    // hands over AnlageErgebnis::landIndex of the last one.
    int landVorher = 0;
    QString verzeichnis;
    QString datei; // without extension
    int jahr = 0;
};

struct AnlageErgebnis {
    KalenderDatei dateien;
    int tage = 0;
    int landIndex = 0;
    QString meldung; // the completion message
};

// Progress for the wizard's bar (0 to 100) and its status label.
using AnlageFortschritt = std::function<void(int position, const QString &status)>;

// The state index for the state text: the index of an exact name; otherwise `vorher`, the
// index the previous generation of this program run used.
int landIndexFuer(const QString &land, int vorher);

// A message when `datei` holds a character no file name may hold; empty otherwise.
QString dateinamenFehler(const QString &datei);

// The first thing wrong with the inputs, as the wizard says it ("Sie müssen einen
// Verzeichnispfad auswählen !", "Sie müssen einen Dateinamen eingeben !", a character no file
// name may hold, an entry too long for its field, a year out of range, a missing directory);
// empty when they can be used. Whether the calendar exists already is not checked here.
QString eingabenPruefen(const AnlageEingaben &eingaben);

// "Kalender - Tabellen wurde angelegt !" and the number of days.
QString fertigMeldung(int year, int days);

// Creates the calendar `datei` in `verzeichnis`: the calendar file, the year table with
// one record per day and the picture table with twelve months. All or nothing: the files
// are built under temporary names and moved into place at the end, the calendar file last;
// any failure removes what was made and throws kb::Error with the message. Refuses with
// "Tabelle existiert bereits!" when the year table exists, and with a message naming the
// file when a calendar file or picture table of that name is left over (letter case
// ignored).
AnlageErgebnis kalenderAnlegen(
    const AnlageEingaben &eingaben, const AnlageFortschritt &fortschritt = {});

} // namespace kb
