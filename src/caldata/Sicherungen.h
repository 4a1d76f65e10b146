#pragma once

#include "caldata/KalenderDatei.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace kb {

// One copy of a calendar's two tables in the folder "Sicherungen" of the program directory.
struct Sicherungskopie {
    QString name; // "2026-12-11_08-30-15": the folder, named by when it was made
    QString pfad; // the folder, ending with '/'
    QDateTime zeit;
    qint64 tagestexte = 0; // days with a text in the copy
};

// Automatic copies of calendars. Before the first change a run of the program makes to a
// calendar, both tables are copied as they are (SQLite's online backup; a protected calendar's
// copies stay encrypted) into "Sicherungen/<Kalender>/<Datum_Zeit>/", unless they are
// unchanged since the newest copy. A copy is written under a hidden name and renamed when it
// is complete, so a failed or killed copy is never listed.
namespace Sicherungen {

// ProgramDir::path() + "Sicherungen/"
QString wurzel();

// The folder of the copies of `kalender`: named after the calendar; a calendar of the same
// name in another directory gets "<Name> (2)" and so on.
QString ordner(const KalenderDatei &kalender);

// The complete copies of `kalender`, newest first.
QList<Sicherungskopie> liste(const KalenderDatei &kalender);

// Which copies are kept at `jetzt`, for copies made at `zeiten` (newest first): the ten
// newest, and the newest of each of the twelve months up to and including the month of
// `jetzt`.
QList<bool> behalten(const QList<QDateTime> &zeiten, const QDateTime &jetzt);

// Copies both tables now, unless they are unchanged since the newest copy (nullopt), and then
// removes the copies behalten() no longer keeps. Call while holding the calendar's lock.
// Throws kb::Error when the copy cannot be made; nothing of it is left then.
std::optional<Sicherungskopie> anlegen(
    const KalenderDatei &kalender, const QDateTime &jetzt = QDateTime::currentDateTime());

// Before a change: the first call for a calendar in this program run makes a copy with
// anlegen(); later calls do nothing until vergessen(). A copy that fails is reported through
// the message function and never stops the change.
void vorAenderung(const KalenderDatei &kalender);
// The next change of `kalender` is the first again (the desktop program after an open).
void vergessen(const KalenderDatei &kalender);
// Where a failed copy is reported (by default through the Ui seam).
void setMeldung(std::function<void(const QString &)> meldung);

// After the calendar's password changed to `passwort` (empty: protection removed): every copy
// is rewritten with it, so no copy stays readable without the password the calendar now has.
// A copy that cannot be rewritten is removed rather than left readable; one that no known
// password opens stays as it is (it is encrypted). Never throws.
void passwortUebernehmen(const KalenderDatei &kalender, const QString &passwort);

// Puts the copy `name` back as the calendar's tables, all or nothing: under the calendar's
// lock, after copying the current state. The calendar's tables must not be open in this
// program. Throws kb::Error (the calendar then stays as it was).
void wiederherstellen(const KalenderDatei &kalender, const QString &name);

// "Die Sicherungskopie des Kalenders „…“ ist fehlgeschlagen: … – Die Änderung wird trotzdem
// gespeichert."
QString fehlgeschlagenMeldung(const KalenderDatei &kalender, const QString &grund);

} // namespace Sicherungen
} // namespace kb
