#pragma once

#include "settings/KalenderEinst.h"

namespace kb {

// The official school-holiday dates of `land` for the calendar year `jahr` from the table
// "schulferien.csv" installed with the program, as the settings dialog's button
// "Ferien für Bundesland übernehmen" takes them over. Without a table, or without dates for
// the state and year, `fehlt` says so.
FerienVorschlag amtlicheFerien(const QString &land, int jahr);

} // namespace kb
