#pragma once

#include <QString>

namespace kb {

// The contents page of the help: ProgramDir::path() + "Hilfe/index.html".
QString hilfeInhalt();
// The maker's web page, as the about box and "RI-DOZU Homepage" open it.
QString homepageAdresse();
// The version text of the about box, from the program's version: "V 3.0".
QString versionsText();
// The licence line of the about box.
QString lizenzText();

} // namespace kb
