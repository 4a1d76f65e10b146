#include "days/TageGridSpalten.h"

#include <algorithm>

namespace kb {

namespace {

constexpr int kGroessteBreite = 4000;

TageGridSpalte spalte(const char *feld, const char *titel, int breite, Qt::Alignment ausrichtung)
{
    TageGridSpalte s;
    s.feld = QString::fromLatin1(feld);
    s.titel = QString::fromLatin1(titel);
    s.designBreite = breite;
    s.ausrichtung = ausrichtung;
    return s;
}

} // namespace

const QList<TageGridSpalte> &tageGridSpalten()
{
    static const QList<TageGridSpalte> spalten = [] {
        const Qt::Alignment mitte = Qt::AlignCenter;
        const Qt::Alignment links = Qt::AlignLeft | Qt::AlignVCenter;
        QList<TageGridSpalte> s {
            spalte("Nummer", "Tag im Jahr", 49, mitte),
            spalte("Tag", "Tag", 37, links),
            spalte("Datum", "Datum", -1, mitte),
            spalte("Woche", "Woche", -1, mitte),
            spalte("Text", "Text", 100, links),
            spalte("Alarm", "erinnern", -1, mitte),
        };
        s[1].fett = true;
        s[4].editierbar = true;
        s[5].editierbar = true;
        s[5].sichtbar = false;
        return s;
    }();
    return spalten;
}

TageGridBreiten designBreiten()
{
    TageGridBreiten b {};
    for (int i = 0; i < kTageGridBreiten; ++i) {
        const int design = tageGridSpalten()[i].designBreite;
        b[i] = design < 0 ? kStandardBreite : design;
    }
    return b;
}

TageGridBreiten breitenAusIni(const std::array<qint32, kTageGridBreiten> &ini)
{
    TageGridBreiten b = designBreiten();
    for (int i = 0; i < kTageGridBreiten; ++i) {
        if (ini[i] != -1)
            b[i] = std::clamp(int(ini[i]), 1, kGroessteBreite);
    }
    return b;
}

TageGridBreiten feldgroesseAnpassen(int bildschirmBreite)
{
    return { 30, 30, 64, 64, bildschirmBreite >= 810 ? 585 : 390 };
}

} // namespace kb
