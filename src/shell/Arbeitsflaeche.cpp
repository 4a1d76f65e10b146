#include "shell/Arbeitsflaeche.h"

namespace kb {

Panel panelNachGruppenwechsel(NavGruppenIndex gruppe, bool kalenderOffen, Panel jetzt)
{
    if (!kalenderOffen)
        return jetzt;
    switch (gruppe) {
    case NavGruppenIndex::Kalender:
    case NavGruppenIndex::KronoblattDrucken:
        return Panel::Kalender;
    case NavGruppenIndex::OrganizerBilderTexte:
        if (jetzt == Panel::Bilder || !befehlVorhanden(Befehl::NavOrganizer))
            return jetzt;
        return Panel::Organizer;
    case NavGruppenIndex::Stammdaten:
        break;
    }
    return jetzt;
}

} // namespace kb
