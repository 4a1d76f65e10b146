#pragma once

#include "settings/LayoutSettings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace kb {

// The school-holiday table installed with the program: "schulferien.csv" in the program
// directory, else beside the executable; empty when there is none.
QString schulferienDatei();

// One line of the school-holiday table "land;schuljahr;art;beginn;ende;bestaetigt;
// umstritten;quelle" (dates dd.mm.yyyy, flags "ja"/"nein").
struct SchulferienEintrag {
    QString land;
    // The first year of the school year: 2025 for "2025/26".
    int schuljahr = 0;
    // "Sommerferien", "Winterferien [Halbjahresferien]", "Einzelner Ferientag [Brückentag]" ...
    QString art;
    QDate beginn;
    QDate ende;
    bool bestaetigt = false;
    bool umstritten = false;
    QString quelle;

    // A free day (or two) outside the holiday periods: "Einzelner Ferientag [...]".
    bool einzelnerTag() const;
    // Not confirmed by a second source, or another source names other days.
    bool vorlaeufig() const { return !bestaetigt || umstritten; }
};

// The whole table as read from the file. Lines starting with '#' at the top are its header
// (source and licence); the column line, blank lines and lines that do not parse (a missing
// field, a date that does not exist, an end before the begin) are skipped.
struct SchulferienTabelle {
    // The header lines without their leading "# ".
    QStringList kopf;
    QList<SchulferienEintrag> eintraege;

    // Throws kb::Error naming the file when it cannot be read.
    static SchulferienTabelle lesen(const QString &csvPfad);
    static SchulferienTabelle ausText(const QString &text);

    // The states in the order of bundeslaender() that have at least one line.
    QStringList laender() const;
    // True when the table has lines of `land` for the school year starting in `schuljahr`.
    bool hatSchuljahr(const QString &land, int schuljahr) const;
    // The calendar years whose holidays are complete for `land`: both school years that touch
    // the year, (Y-1)/Y and Y/(Y+1), are in the table. Ascending; empty for an unknown state.
    QList<int> vollstaendigeJahre(const QString &land) const;
};

// The school holidays of one state and calendar year, placed into the nine periods of the
// settings file.
struct FerienTermine {
    // False when the table has no complete data for the state and year; `meldung` then says
    // so and every period is unset.
    bool vorhanden = false;
    QString meldung;
    // Unset periods ("00.00.") are periods the state does not have that year.
    FerienPerioden perioden;
    // Periods filled from a line that is unconfirmed or disputed (see vorlaeufigeTermine()).
    std::array<bool, kFerienCount> vorlaeufig {};
    // Holidays that found no free period, as "dd.mm.yyyy bis dd.mm.yyyy (Art)".
    QStringList ausgelassen;
};

// "vorläufige Termine – bitte prüfen": the note beside periods filled from unconfirmed or
// disputed dates.
QString vorlaeufigeTermine();

// The school holidays of `land` (a name of bundeslaender()) for calendar year `jahr`:
// - Weihnachten1: the Christmas holidays of (jahr-1)/jahr from 01.01. to their end;
//   Weihnachten2: those of jahr/(jahr+1) from their begin up to 31.12.; a part that does not
//   reach into `jahr` leaves the period unset.
// - Winter, Ostern (Oster- and Frühjahrsferien), Himmelfahrt (Pfingstferien), Sommer and
//   Herbst: the period of that kind lying in `jahr`.
// - Single free days, and a second period of a kind, go into Zusatz and Zusatz2 in date
//   order while those are free; what does not fit is listed in `ausgelassen`.
// Without complete data for the year (see vollstaendigeJahre) the result is not `vorhanden`.
FerienTermine ferientermine(const SchulferienTabelle &tabelle, const QString &land, int jahr);
// The same from the installed table (schulferienDatei()); without one the result is not
// `vorhanden` and says so. Throws kb::Error when the file exists but cannot be read.
FerienTermine ferientermine(const QString &land, int jahr);

// Writes the nine periods into section Ferien of the settings file `iniPfad` in one step:
// the file holds either all eighteen new values or, after a failure, its old content. Every
// other section, key and comment stays, and so do the file's encoding and the spelling of
// its keys. Throws kb::Error when the file is missing or cannot be written.
void ferienSchreiben(const QString &iniPfad, const FerienPerioden &perioden);

// The periods of `land` in `jahr` as ferientermine() places them, but without the check for
// complete data: a year at the edge of the table gets what the table has of it. Used to seed
// the demo calendar. Throws kb::Error when the file cannot be read.
FerienPerioden schulferien(const QString &csvPfad, const QString &land, int jahr);

} // namespace kb
