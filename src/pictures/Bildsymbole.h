#pragma once

#include <QIcon>

namespace kb {

// The pictures of the buttons of the month picture area and of the enlarged picture, from the
// program's own set (widgets/Symbolbild.h).
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
