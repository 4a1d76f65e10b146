#pragma once

#include "report/Page.h"

#include <QString>
#include <QStringList>

namespace kb::report {

// Lines of a text as measured on the fixed 96-dpi basis of layout pixels. Measuring and
// drawing both use this, so auto-size, auto-stretch and the drawn lines agree on every device.
struct TextBlock {
    QStringList lines;
    std::vector<double> lineWidths;
    double lineHeight = 0; // ascent + descent
    double ascent = 0;

    double width() const;
    double height() const { return lineHeight * double(lines.size()); }
};

// Breaks `text` at its line breaks (CR LF, LF or CR) and, with `wordWrap`, also at blanks so
// that no line is wider than `width` (a single word wider than that is broken by characters).
TextBlock layoutText(const QString &text, const FontSpec &font, bool wordWrap, double width);

// `text` as it fits a box of `width` x `height`: the whole lines that fit (broken at blanks
// with `wordWrap`), the last of them ending in "…" when text was left out. A box lower than
// one line shows nothing.
QString elideText(
    const QString &text, const FontSpec &font, bool wordWrap, double width, double height);

// Width of one line of text in layout pixels.
double textWidth(const QString &text, const FontSpec &font);

} // namespace kb::report
