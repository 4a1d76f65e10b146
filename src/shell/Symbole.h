#pragma once

#include "shell/Befehle.h"

#include <QIcon>
#include <QImage>

namespace kb {

// The picture of a command's button, drawn by the program (so it looks the same with every
// style and icon theme). A null icon for commands shown as text only.
QIcon symbol(Befehl befehl);

// The program's icon at 48 pixels, compiled into the program. Safe on any thread.
QImage programmSymbolBild();
// The program's icon for the windows' titles, made from that picture (null: drawn).
QIcon programmSymbol(const QImage &bild = programmSymbolBild());

} // namespace kb
