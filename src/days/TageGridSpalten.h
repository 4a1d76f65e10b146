#pragma once

#include <QList>
#include <QString>
#include <Qt>
#include <array>

namespace kb {

// One column of the day grid.
struct TageGridSpalte {
    QString feld;
    QString titel;
    bool editierbar = false;
    int designBreite = -1; // pixels; -1: the grid's standard width
    Qt::Alignment ausrichtung = Qt::AlignLeft | Qt::AlignVCenter;
    bool fett = false;
    bool sichtbar = true;
};

// The six columns in their order: "Tag im Jahr" (Nummer), Tag, Datum, Woche, Text and the
// hidden "erinnern" (Alarm). Only Text and Alarm are edited.
const QList<TageGridSpalte> &tageGridSpalten();

// The widths of the five visible columns, as "kalender.INI" keeps them.
inline constexpr int kTageGridBreiten = 5;
using TageGridBreiten = std::array<int, kTageGridBreiten>;
// The standard width of a column without a designed one.
inline constexpr int kStandardBreite = 64;
// 49, 37, 64, 64 and 100 pixels.
TageGridBreiten designBreiten();
// The widths of "kalender.INI": -1 keeps the designed width, any other value is taken as it is
// within 1 to 4000 pixels (a column of 0 pixels or less could not be seen nor dragged open
// again, and a huge one pushes the text out of reach).
TageGridBreiten breitenAusIni(const std::array<qint32, kTageGridBreiten> &ini);
// "Feldgrösse anpassen": 30, 30, 64, 64 and a text column of 585 pixels on a screen at least
// 810 pixels wide, of 390 pixels on a narrower one.
TageGridBreiten feldgroesseAnpassen(int bildschirmBreite);

} // namespace kb
