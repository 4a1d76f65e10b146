#include "days/Kachelraster.h"

#include <algorithm>

namespace kb {

KachelPlatz kachelPlatz(int index)
{
    return { index / kKachelZeilen, index % kKachelZeilen };
}

int kachelSpaltenFuer(int tage)
{
    return tage <= 0 ? 0 : (tage + kKachelZeilen - 1) / kKachelZeilen;
}

QSize kachelGroesseIn(const QSize &flaeche)
{
    return { std::max(kKachelGroesse.width() / 2, flaeche.width() / kKachelSpalten),
        std::max(kKachelGroesse.height() / 2, flaeche.height() / kKachelZeilen) };
}

int ersteSpalteFuer(int spalte, int erste, int sichtbar, int spalten)
{
    sichtbar = std::max(1, sichtbar);
    if (spalte < erste)
        erste = spalte;
    else if (spalte >= erste + sichtbar)
        erste = spalte - sichtbar + 1;
    return std::clamp(erste, 0, std::max(0, spalten - sichtbar));
}

QRect kachelRechteck(int index, int erste, const QSize &kachel)
{
    const KachelPlatz p = kachelPlatz(index);
    return { QPoint((p.spalte - erste) * kachel.width(), p.zeile * kachel.height()), kachel };
}

int kachelAn(const QPoint &punkt, int erste, const QSize &kachel, int tage)
{
    if (punkt.x() < 0 || punkt.y() < 0 || kachel.isEmpty())
        return -1;
    const int zeile = punkt.y() / kachel.height();
    if (zeile >= kKachelZeilen)
        return -1;
    const int index = (erste + punkt.x() / kachel.width()) * kKachelZeilen + zeile;
    return index < tage ? index : -1;
}

} // namespace kb
