#pragma once

#include <QColor>
#include <QList>

namespace kb::widgets {

// One horizontal band of a stepped vertical gradient: rows [top, top + height).
struct GradientBand {
    int top = 0;
    int height = 0;
    QColor color;
    friend bool operator==(const GradientBand &, const GradientBand &) = default;
};

// A gradient from `from` (top) to `to` (bottom) over `height` rows in `steps` bands of equal
// colour. The bands cover every row exactly once; the first has `from`, the last `to`. With
// fewer rows than steps each row is a band of its own. No bands for a height below 1.
QList<GradientBand> gradientBands(const QColor &from, const QColor &to, int steps, int height);

// The colour of step `step` (0 .. steps - 1) between `from` and `to`.
QColor gradientStep(const QColor &from, const QColor &to, int steps, int step);

} // namespace kb::widgets
