#pragma once

#include <QIcon>

namespace kb {

// The pictures of the buttons of the month picture area and of the enlarged picture, drawn by
// the program so they look the same with every style.
enum class Bildsymbol {
    Browser,
    Einfuegen,
    Kopieren,
    Loeschen,
    Vergroessern,
    Drucken,
    WaagerechtSpiegeln,
    SenkrechtSpiegeln,
    Graustufen,
    Oval,
    OvalRand,
    Rueckgaengig,
};

QIcon bildsymbol(Bildsymbol symbol);

} // namespace kb
