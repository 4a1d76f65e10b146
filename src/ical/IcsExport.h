#pragma once

#include "caldata/KalenderDatei.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace kb {

// One day of a calendar as the exchange sees it.
struct IcsTag {
    QDate datum;
    QString text;
    QString notizen;
    int kennung = 0; // above 0 a public holiday, below 0 a special day
    bool erinnern = false;
};

struct IcsExportOptionen {
    // Leaves out public holidays and special days.
    bool ohneFeiertage = false;
    // DTSTAMP of every event (UTC).
    QDateTime zeitstempel = QDateTime::currentDateTimeUtc();
};

// The part of every event's UID that names the calendar: the same calendar file gives the
// same UIDs on every export, so a receiving calendar updates its events instead of adding
// them again.
QString icsKalenderKennung(const KalenderDatei &kalender);

// The calendar's days as an iCalendar file (UTF-8, lines folded and text escaped by libical):
// one all-day event for every day with a day text; the notes as DESCRIPTION, "Feiertag" or
// "Besonderer Tag" as CATEGORIES, a display alarm in the morning of a day marked "erinnern".
QByteArray icsAusTagen(
    const QList<IcsTag> &tage, const QString &kalenderKennung, const IcsExportOptionen &optionen);

// The days of the calendar's year table, in order. Throws kb::Error as the table engine does.
QList<IcsTag> icsTageLesen(const KalenderDatei &kalender);

// Writes the calendar as an iCalendar file (atomically); returns the number of events.
int icsExportieren(
    const KalenderDatei &kalender, const QString &zielPfad, const IcsExportOptionen &optionen);

} // namespace kb
