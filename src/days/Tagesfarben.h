#pragma once

#include "settings/LayoutSettings.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>

namespace kb {

// A school-holiday period completed with the calendar's year.
struct FerienBereich {
    Ferien periode = Ferien::Weihnachten1;
    QDate beginn;
    QDate ende;
};

// The school-holiday periods of one calendar year, ready for painting: the set periods that
// form valid dates in that year, in the order they are tested (Weihnachten1, Winter, Ostern,
// Himmelfahrt, Sommer, Herbst, Weihnachten2, Zusatz, Zusatz2). A bound such as "31.02." that
// is no date of the year leaves its period out and is listed in `unlesbar`, so the remaining
// periods still paint.
struct FerienBereiche {
    QList<FerienBereich> bereiche;
    QList<Ferien> unlesbar;

    // True when `datum` lies in a period, both bounds included. A period whose begin lies
    // after its end marks no day.
    bool enthaelt(const QDate &datum) const;
};

FerienBereiche ferienBereiche(const FerienPerioden &perioden, int jahr);

// What one day of the grid shows: the same colours for every cell of its row.
struct TagesZeile {
    QString tag; // "Mo" .. "So"
    QDate datum;
    int kennung = 0; // holiday code: above 0 a public holiday
};

// Colours as the settings file stores them ($00BBGGRR).
struct Zellfarben {
    qint32 hintergrund = 0xFFFFFF;
    qint32 schrift = 0;
    friend bool operator==(const Zellfarben &, const Zellfarben &) = default;
};

// The colours of a day grid row (`TageGridDrawColumnCell`): white, or the Saturday or Sunday
// background; then the school-holiday background for a weekday that is no public holiday
// inside a period (only while the year table is open: `ferien` not null); last, for a public
// holiday, the holiday background whatever came before. The text is black. Special days
// (negative codes) get no colour of their own.
Zellfarben tageGridDrawColumnCell(
    const TagesZeile &zeile, const FerienBereiche *ferien, const LayoutSettings &farben);

// The colours of an organizer tile (`DBCtrlGrid1PaintPanel`).
struct Kachelfarben {
    QColor flaeche; // the tile's area when not selected
    QColor wochentag; // the weekday name at the bottom
    friend bool operator==(const Kachelfarben &, const Kachelfarben &) = default;
};
// White with a green weekday name on Monday to Friday, a red one on Saturday and Sunday and
// on every public holiday.
Kachelfarben dbCtrlGrid1PaintPanel(const QString &tag, int kennung);
// The selected tile: light grey $D6D6D6.
QColor kachelAusgewaehlt();

// True for "Sa" and "So".
bool istWochenende(const QString &tag);

} // namespace kb
