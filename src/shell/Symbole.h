#pragma once

#include "shell/Befehle.h"

#include <QIcon>
#include <QImage>

namespace kb {

// The picture of a command's button, from the program's own set (widgets/Symbolbild.h). A null
// icon for commands shown as text only.
QIcon symbol(Befehl befehl);

// The program's icon at 48 pixels, compiled into the program. Safe on any thread.
QImage programmSymbolBild();
// The program's icon for the windows' titles, made from that picture (null: the set's
// calendar sheet with a "K").
QIcon programmSymbol(const QImage &bild = programmSymbolBild());

} // namespace kb
