#pragma once

#include "storage/Table.h"

#include <QDate>
#include <QString>

namespace kb {

// What the reminder check found.
struct Erinnerung {
    bool gefunden = false;
    Bookmark tag; // today's record when a reminder fired
};

// "Für heute den: " + today + " ist ein Termin in der Erinnerungsliste eingetragen!"
QString erinnerungsText(const QDate &heute);

// The reminder check of a calendar open (`erinnern`): removes the year table's month filter,
// walks all days with bound views suspended and, for the day that is `heute` and has `Alarm`
// set, beeps and shows erinnerungsText() through the Ui seam. Leaves today's day current when
// a reminder fired, the year's last day otherwise.
Erinnerung erinnern(Table &jahr, const QDate &heute);

} // namespace kb
