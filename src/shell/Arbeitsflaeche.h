#pragma once

#include "shell/Befehle.h"

namespace kb {

// The work panels of the main window; at most one is shown at a time, none while no
// calendar is open.
enum class Panel { Keins, Kalender, Organizer, Bilder };

// The panel shown after the navigation bar opened `gruppe`, with `jetzt` shown before:
// "Kalender" shows the calendar panel; "Organizer/Bilder/Texte" the organizer unless the
// month pictures are shown; "Kronoblatt drucken" the calendar panel. Without an open calendar
// nothing changes, and a panel whose window is not part of the program yet is never chosen.
Panel panelNachGruppenwechsel(NavGruppenIndex gruppe, bool kalenderOffen, Panel jetzt);

} // namespace kb
