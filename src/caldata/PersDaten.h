#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace kb {

class Table;

// The files of one set of personal dates: `<name>.PER` marks it, `<name>.DB` holds the
// recurring dates (day, month, text). The table is found by replacing the marker file's
// four-character extension.
struct PersDatei {
    QString directory; // ends with '/'
    QString per; // file names without directory
    QString tabelle;

    QString perPfad() const { return directory + per; }
    QString tabellenPfad() const { return directory + tabelle; }

    // The files of the marker file at `path` (any extension of four characters).
    static PersDatei ausPer(const QString &path);
    // The files of new personal dates `name` in `directory`.
    static PersDatei neu(const QString &directory, const QString &name);
    // True for the extensions the open dialog accepts: exactly ".PER" or ".per".
    static bool istPersDatei(const QString &path);
};

// The one line of a .PER file, ending with CR LF: the banner, the maker's web address and
// "Kronoblatt angelegt von : " with last and first name.
QString persDateiZeile(const QString &name, const QString &vorname);

// What the master-data window asks for.
struct PersEingaben {
    QString verzeichnis;
    QString datei; // without extension
    QString name;
    QString vorname;
};

// The first thing wrong with the inputs, empty when they can be used: no directory, no file
// name, a file name with an extension, starting with a digit or holding a character no file
// name may hold, a directory that does not exist, and
// "Tabelle existiert bereits!" when the table (letter case ignored) or the .PER file exists.
QString persEingabenPruefen(const PersEingaben &eingaben);

// Creates the .PER file and the empty personal-dates table. Checks first (kb::Error with the
// message of persEingabenPruefen); a failure after the check removes what was made and
// throws kb::Error.
PersDatei persDatenAnlegen(const PersEingaben &eingaben);

// "Kein Kalender geöffnet um Daten einzutragen oder keine Daten zum Eintragen vorhanden !"
QString keineDatenZumEintragen();
// "Daten wurden in Kalender übernommen !"
QString datenUebernommen();

// What the merge wrote and what it left out.
struct PersUebernahme {
    int geschrieben = 0;
    // Personal dates that were not written, in month-then-day order, each saying why:
    // "31.04. Urlaub (gibt es 2027 nicht)", "05.03. Krank (zweiter Eintrag für den Tag)".
    QStringList ausgelassen;

    // datenUebernommen(), and when something was left out a line naming it.
    QString meldung() const;
};

// Writes the texts of the personal dates into the days of the open calendar, the year taken
// from the year table's current day. Every personal date is considered, in month-then-day
// order: its text replaces the day's `Text` (`Kennung` stays, so a holiday keeps its colour);
// a date the year does not have (29 February in a common year, 31 April) and a second date
// for a day already written are left out and named. The year table's views are suspended
// during the walk, which is one transaction: a failure writes nothing and throws kb::Error.
// A month filter is removed (the caller resets the month tabs). The year table's first day
// is current afterwards. A pending entry of the personal dates is posted first.
// Throws kb::Error with keineDatenZumEintragen() when the year table is closed or there are
// no personal dates.
PersUebernahme persDatenUebernehmen(Table &jahr, Table &pers);

} // namespace kb
