#pragma once

#include "caldata/KalenderDatei.h"
#include "platform/Dateisperre.h"
#include "storage/Table.h"

#include <chrono>

namespace kb {

// One writer per calendar. Every command and window that changes a calendar's files holds
// this lock from its first read to its last rename, so two programs never rewrite the same
// tables at once. The lock is an advisory lock on the hidden file `.<name>.kbsperre` beside
// the calendar file (the name in lower case, as calendars whose names differ only in case
// are refused). Taking it first removes what killed runs on this calendar left behind.
class KalenderSperre {
public:
    // How long a second writer waits before it gives up.
    static constexpr std::chrono::milliseconds kWartezeit { 3000 };

    // Waits up to `warten` and then throws kb::Error with belegtMeldung().
    explicit KalenderSperre(
        const KalenderDatei &kalender, std::chrono::milliseconds warten = kWartezeit);

    static QString sperrdatei(const KalenderDatei &kalender);
    // "Der Kalender „…“ wird gerade von einem anderen Programm geändert. …"
    static QString belegtMeldung(const KalenderDatei &kalender);

private:
    Dateisperre m_sperre;
};

// The write guard of a calendar's tables held open by a window (see Table::setWriteGuard):
// every write takes the calendar's lock, which first puts back what a killed run left (the
// table then opens anew), and holds it until the write ends. The first write after the
// calendar was opened first copies it (Sicherungen::vorAenderung). In a directory nobody may
// write no program can rewrite the tables, and no lock is taken.
Table::WriteGuard kalenderSchreibschutz(const KalenderDatei &kalender);

// The hidden file that marks a generation of `kalender` while it runs: its first line names
// the generation's temporary files ("tag <tag>"), later lines the files it moves into place
// ("<Tabelle> <Kennung>"). Once the calendar file is in place the mark is removed.
QString anlageMarke(const KalenderDatei &kalender);

// The prefix of the temporary files of the generation with the tag `tag`.
QString anlagePraefix(const QString &tag);

// Removes what killed runs left of `kalender`: the temporary copies of password and table
// rewrites, and an unfinished generation (its temporary files and, when the calendar file
// never followed, the tables it had already moved into place). Call only while holding the
// calendar's lock; done by KalenderSperre.
void resteEntfernen(const KalenderDatei &kalender);

} // namespace kb
