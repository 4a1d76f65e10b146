#include "shell/FerienVorschlag.h"

#include "caldata/Schulferien.h"

#include <algorithm>

namespace kb {

FerienVorschlag amtlicheFerien(const QString &land, int jahr)
{
    FerienVorschlag v;
    const QString csv = schulferienDatei();
    if (csv.isEmpty()) {
        v.fehlt = QStringLiteral("Die Schulferien-Tabelle \"schulferien.csv\" ist nicht "
                                 "vorhanden.");
        return v;
    }
    v.perioden = schulferien(csv, land, jahr);
    if (std::none_of(
            v.perioden.begin(), v.perioden.end(), [](const FerienPeriode &p) { return p.isSet(); }))
        v.fehlt = QStringLiteral("Für %1 sind keine Schulferien des Jahres %2 hinterlegt.\r\n"
                                 "Die Ferien-Termine bleiben unverändert.")
                      .arg(land)
                      .arg(jahr);
    return v;
}

} // namespace kb
