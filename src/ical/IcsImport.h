#pragma once

#include "caldata/KalenderDatei.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QTimeZone>

namespace kb {

// What an import did. Events count once per day they land on; an event none of whose days
// lies in the calendar's year counts once as left out.
struct IcsImportErgebnis {
    int uebernommen = 0; // written into a day
    int vorhanden = 0; // the day's text already held it
    int anderesJahr = 0; // no day in the calendar's year
    int keinPlatz = 0; // the day's text would exceed its 255 characters

    // "iCalendar-Datei eingelesen. Übernommen: 3, schon vorhanden: 0, ..."
    QString meldung() const;
};

// One entry for one day: the event's summary, a timed event with its local time in front
// ("14:00 Elternabend").
struct IcsEintrag {
    QDate tag;
    QString text;
};

struct IcsTermine {
    QList<IcsEintrag> eintraege; // in the order of the file, each event's days in order
    int anderesJahr = 0;
};

// The entries of every event of the iCalendar text `ics` that land in `jahr`: recurrences
// expanded (RRULE, RDATE, EXDATE, moved occurrences), all-day events on every day they cover
// (DTEND exclusive), timed events on the date of their start in `zone`. `dateiName` names the
// file in messages. Throws kb::Error when libical cannot read the text, it holds no
// VCALENDAR, or an event has no valid start.
IcsTermine icsTermineImJahr(
    const QByteArray &ics, int jahr, const QTimeZone &zone, const QString &dateiName);

// How an entry joined a day's text.
enum class IcsEintragung { Uebernommen, Vorhanden, KeinPlatz };

// Adds `eintrag` to a day's text: an empty text becomes the entry; otherwise the entry is
// appended after "; " while the text stays within 255 characters. An entry the text already
// holds as one of its "; " parts is not added again, and an entry that is the text followed by
// "; " and more replaces it (the day as exported after something was appended to it).
IcsEintragung icsEintragen(QString &text, const QString &eintrag);

// Reads the iCalendar file and writes its events into the calendar's days, in one
// transaction under the calendar's lock. The file is read and checked before the calendar is
// touched; any failure leaves the calendar unchanged (kb::Error with a German message).
IcsImportErgebnis icsImportieren(
    const KalenderDatei &kalender, const QString &icsPfad, const QTimeZone &zone);

} // namespace kb
