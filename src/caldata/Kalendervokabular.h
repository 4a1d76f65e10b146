#pragma once

#include <QStringList>

namespace kb {

// The words a calendar is written in, shared by generation, views and layouts.

// "Januar" to "Dezember".
const QStringList &monatsnamen();
// "Mo" to "So" for the ISO weekdays 1 to 7.
const QStringList &wochentagKuerzel();

} // namespace kb
