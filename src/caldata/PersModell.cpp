#include "caldata/PersModell.h"

namespace kb {

namespace {

QStringList zweistellig(int bis)
{
    QStringList result;
    for (int i = 1; i <= bis; ++i)
        result.append(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    return result;
}

QString zweistellig(const QVariant &wert)
{
    if (wert.isNull() || !wert.isValid())
        return QString();
    return QStringLiteral("%1").arg(wert.toInt(), 2, 10, QLatin1Char('0'));
}

} // namespace

PersModell::PersModell(Table *pers, QObject *parent)
    : TableModel(pers, parent)
{
    setFields({ QStringLiteral("FracTag"), QStringLiteral("FracMonat"), QStringLiteral("Text") });
    setTitles({ QStringLiteral("Tag"), QStringLiteral("Monat"), QStringLiteral("Text") });
    for (int spalte : { SpalteTag, SpalteMonat })
        setDisplay(spalte, [](const QVariant &wert) { return zweistellig(wert); });
}

QStringList PersModell::tage()
{
    return zweistellig(31);
}

QStringList PersModell::monate()
{
    return zweistellig(12);
}

QStringList PersModell::textVorschlaege()
{
    return { QStringLiteral("Urlaub"), QStringLiteral("Krank"), QStringLiteral("Geburtstag"),
        QStringLiteral("Hochzeitstag"), QStringLiteral("Todestag") };
}

} // namespace kb
