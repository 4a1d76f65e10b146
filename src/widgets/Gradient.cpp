#include "widgets/Gradient.h"

#include <algorithm>

namespace kb::widgets {

namespace {

int mix(int a, int b, int step, int last)
{
    // Rounded to the nearest value, so both ends are met exactly.
    return qRound(a + double(b - a) * step / last);
}

} // namespace

QColor gradientStep(const QColor &from, const QColor &to, int steps, int step)
{
    const int last = steps - 1;
    if (last <= 0)
        return from;
    step = std::clamp(step, 0, last);
    return QColor(mix(from.red(), to.red(), step, last), mix(from.green(), to.green(), step, last),
        mix(from.blue(), to.blue(), step, last));
}

QList<GradientBand> gradientBands(const QColor &from, const QColor &to, int steps, int height)
{
    QList<GradientBand> bands;
    if (height < 1 || steps < 1)
        return bands;
    const int count = std::min(steps, height);
    bands.reserve(count);
    for (int i = 0; i < count; ++i) {
        // Integer borders: band i covers [i * h / n, (i + 1) * h / n).
        const int top = i * height / count;
        const int bottom = (i + 1) * height / count;
        bands.append({ top, bottom - top, gradientStep(from, to, count, i) });
    }
    return bands;
}

} // namespace kb::widgets
