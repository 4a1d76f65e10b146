#include "pictures/Bildsymbole.h"

#include "widgets/Symbolbild.h"

namespace kb {

namespace {

QString symbolName(Bildsymbol symbol)
{
    switch (symbol) {
    case Bildsymbol::Browser:
        return QStringLiteral("bild-browser");
    case Bildsymbol::Einfuegen:
        return QStringLiteral("bild-einfuegen");
    case Bildsymbol::Kopieren:
        return QStringLiteral("bild-kopieren");
    case Bildsymbol::Loeschen:
        return QStringLiteral("bild-loeschen");
    case Bildsymbol::Vergroessern:
        return QStringLiteral("bild-vergroessern");
    case Bildsymbol::Drucken:
        return QStringLiteral("bild-drucken");
    case Bildsymbol::WaagerechtSpiegeln:
        return QStringLiteral("bild-waagerecht-spiegeln");
    case Bildsymbol::SenkrechtSpiegeln:
        return QStringLiteral("bild-senkrecht-spiegeln");
    case Bildsymbol::Graustufen:
        return QStringLiteral("bild-graustufen");
    case Bildsymbol::Oval:
        return QStringLiteral("bild-oval");
    case Bildsymbol::OvalRand:
        return QStringLiteral("bild-oval-rand");
    case Bildsymbol::Rueckgaengig:
        return QStringLiteral("bild-rueckgaengig");
    }
    return {};
}

} // namespace

QIcon bildsymbol(Bildsymbol symbol)
{
    return QIcon(widgets::symbolPixmap(symbolName(symbol), 64));
}

} // namespace kb
