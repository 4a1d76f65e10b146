#include "days/Tagesfarben.h"

#include "platform/Logging.h"

namespace kb {

namespace {

// "dd.mm." completed with the year, read as "dd.mm.yyyy"; invalid when it is no date.
QDate grenze(const QString &text, int jahr)
{
    return QDate::fromString(text + QString::number(jahr).rightJustified(4, QLatin1Char('0')),
        QStringLiteral("dd.MM.yyyy"));
}

} // namespace

bool FerienBereiche::enthaelt(const QDate &datum) const
{
    for (const FerienBereich &b : bereiche) {
        if (b.beginn <= datum && datum <= b.ende)
            return true;
    }
    return false;
}

FerienBereiche ferienBereiche(const FerienPerioden &perioden, int jahr)
{
    FerienBereiche result;
    for (int i = 0; i < kFerienCount; ++i) {
        const FerienPeriode &p = perioden[i];
        if (!p.isSet())
            continue;
        const auto periode = static_cast<Ferien>(i);
        const QDate beginn = grenze(p.beginn, jahr);
        const QDate ende = grenze(p.ende, jahr);
        if (!beginn.isValid() || !ende.isValid()) {
            qCInfo(lcDays) << "Ferien" << ferienName(periode) << p.beginn << p.ende
                           << "ergeben im Jahr" << jahr << "kein Datum und bleiben ungefärbt";
            result.unlesbar.append(periode);
            continue;
        }
        result.bereiche.append({ periode, beginn, ende });
    }
    return result;
}

bool istWochenende(const QString &tag)
{
    return tag == QLatin1String("Sa") || tag == QLatin1String("So");
}

Zellfarben tageGridDrawColumnCell(
    const TagesZeile &zeile, const FerienBereiche *ferien, const LayoutSettings &farben)
{
    Zellfarben f;
    if (zeile.tag == QLatin1String("Sa"))
        f.hintergrund = farben.hintergrundSamstag;
    else if (zeile.tag == QLatin1String("So"))
        f.hintergrund = farben.hintergrundWochenende;
    if (ferien && !istWochenende(zeile.tag) && zeile.kennung <= 0 && ferien->enthaelt(zeile.datum))
        f.hintergrund = farben.hintergrundFarbeFerien;
    if (zeile.kennung > 0)
        f.hintergrund = farben.hintergrundFeiertag;
    return f;
}

Kachelfarben dbCtrlGrid1PaintPanel(const QString &tag, int kennung)
{
    const QColor gruen(0x00, 0x80, 0x00);
    const QColor rot(0xFF, 0x00, 0x00);
    return { Qt::white, istWochenende(tag) || kennung >= 1 ? rot : gruen };
}

QColor kachelAusgewaehlt()
{
    return QColor(0xD6, 0xD6, 0xD6);
}

} // namespace kb
