#pragma once

#include "designer/Bericht.h"

#include <vector>

// The reports installed in "designer.db", for users to start from.
namespace kb::bericht {

struct FertigerBericht {
    QString name;
    Bericht bericht;
};

// "Feiertage des Jahres", "Termine und Geburtstage", "Monatsbilder".
std::vector<FertigerBericht> fertigeBerichte();

} // namespace kb::bericht
