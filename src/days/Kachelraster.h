#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kb {

// The organizer's day tiles: pages of 5 columns by 7 rows. Consecutive days fill a column from
// top to bottom, then the next column to the right, so a page shows 35 days in columns of
// seven (not aligned to weekdays) and the tiles scroll sideways, a column at a time.
inline constexpr int kKachelSpalten = 5;
inline constexpr int kKachelZeilen = 7;
// The designed size of one tile.
inline constexpr QSize kKachelGroesse(134, 50);

struct KachelPlatz {
    int spalte = 0;
    int zeile = 0;
    friend bool operator==(const KachelPlatz &, const KachelPlatz &) = default;
};

// Tile `index` sits in column index / 7, row index % 7.
KachelPlatz kachelPlatz(int index);
// The columns `tage` days need.
int kachelSpaltenFuer(int tage);
// The size of one tile when a page of 5 x 7 fills `flaeche`; never below half the designed
// size.
QSize kachelGroesseIn(const QSize &flaeche);
// The first visible column after bringing column `spalte` into view, with `erste` the first
// column shown so far and `sichtbar` columns on a page; `spalten` columns in all.
int ersteSpalteFuer(int spalte, int erste, int sichtbar, int spalten);
// The tile's rectangle in the view, with column `erste` at the left edge.
QRect kachelRechteck(int index, int erste, const QSize &kachel);
// The index of the tile under `punkt` (view coordinates); -1 over no day.
int kachelAn(const QPoint &punkt, int erste, const QSize &kachel, int tage);

} // namespace kb
