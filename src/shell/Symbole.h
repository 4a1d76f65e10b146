#pragma once

#include "shell/Befehle.h"

#include <QIcon>

namespace kb {

// The picture of a command's button, drawn by the program (so it looks the same with every
// style and icon theme). A null icon for commands shown as text only.
QIcon symbol(Befehl befehl);

// The program's icon as drawn for the window title and the about box.
QIcon programmSymbol();

} // namespace kb
