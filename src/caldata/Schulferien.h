#pragma once

#include "settings/LayoutSettings.h"

#include <QString>

namespace kb {

// The school-holiday table installed with the program: "schulferien.csv" in the program
// directory, else beside the executable; empty when there is none.
QString schulferienDatei();

// The school holidays of `land` (a name of bundeslaender()) in `jahr`, read from a table of
// lines "land;schuljahr;art;beginn;ende;..." (dates dd.mm.yyyy; lines starting with '#' and
// lines that do not parse are skipped), placed into the nine periods of the settings file:
// each kind into its own period, a second one of a kind into a free additional one. The
// Christmas holidays are split at the turn of the year: the days at the start of `jahr` are
// Weihnachten1, those at its end Weihnachten2. A period that finds no free place is left out.
// Throws kb::Error when the file cannot be read.
FerienPerioden schulferien(const QString &csvPfad, const QString &land, int jahr);

} // namespace kb
