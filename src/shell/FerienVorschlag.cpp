#include "shell/FerienVorschlag.h"

#include "caldata/Schulferien.h"

namespace kb {

FerienVorschlag amtlicheFerien(const QString &land, int jahr)
{
    const FerienTermine termine = ferientermine(land, jahr);
    FerienVorschlag v;
    if (!termine.vorhanden) {
        v.fehlt = termine.meldung;
        return v;
    }
    v.perioden = termine.perioden;
    v.vorlaeufig = termine.vorlaeufig;
    v.ausgelassen = termine.ausgelassen;
    return v;
}

} // namespace kb
