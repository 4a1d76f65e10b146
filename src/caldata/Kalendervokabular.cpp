#include "caldata/Kalendervokabular.h"

namespace kb {

const QStringList &monatsnamen()
{
    static const QStringList names = {
        QStringLiteral("Januar"),
        QStringLiteral("Februar"),
        QStringLiteral("März"),
        QStringLiteral("April"),
        QStringLiteral("Mai"),
        QStringLiteral("Juni"),
        QStringLiteral("Juli"),
        QStringLiteral("August"),
        QStringLiteral("September"),
        QStringLiteral("Oktober"),
        QStringLiteral("November"),
        QStringLiteral("Dezember"),
    };
    return names;
}

const QStringList &wochentagKuerzel()
{
    static const QStringList names = {
        QStringLiteral("Mo"),
        QStringLiteral("Di"),
        QStringLiteral("Mi"),
        QStringLiteral("Do"),
        QStringLiteral("Fr"),
        QStringLiteral("Sa"),
        QStringLiteral("So"),
    };
    return names;
}

} // namespace kb
