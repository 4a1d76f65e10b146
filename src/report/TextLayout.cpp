#include "report/TextLayout.h"

#include "report/Fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <memory>

namespace kb::report {
namespace {

// Font metrics on a 96-dpi image, cached per font: measuring is the hot path of pagination.
const QFontMetricsF &metricsFor(const FontSpec &spec)
{
    struct Cache {
        QImage device { 1, 1, QImage::Format_ARGB32_Premultiplied };
        QHash<QString, std::shared_ptr<QFontMetricsF>> metrics;
        Cache()
        {
            const int dotsPerMeter = qRound(kPixelsPerInch / 0.0254);
            device.setDotsPerMeterX(dotsPerMeter);
            device.setDotsPerMeterY(dotsPerMeter);
        }
    };
    static Cache cache;
    const QString key = spec.family + QLatin1Char('|') + QString::number(spec.pointSize)
        + QLatin1Char('|') + QString::number(int(spec.bold) | int(spec.italic) << 1);
    auto it = cache.metrics.find(key);
    if (it == cache.metrics.end())
        it = cache.metrics.insert(
            key, std::make_shared<QFontMetricsF>(fontFor(spec, kPixelsPerInch), &cache.device));
    return **it;
}

// Appends `word` to the lines, breaking it by characters when it alone is too wide.
void breakLongWord(const QString &word, const QFontMetricsF &fm, double width, QStringList &lines)
{
    QString piece;
    for (const QChar c : word) {
        if (!piece.isEmpty() && fm.horizontalAdvance(piece + c) > width) {
            lines.append(piece);
            piece.clear();
        }
        piece += c;
    }
    lines.append(piece);
}

void appendLine(const QString &line, const QFontMetricsF &fm, double width, QStringList &lines)
{
    if (!line.contains(QLatin1Char(' ')) && fm.horizontalAdvance(line) > width)
        breakLongWord(line, fm, width, lines);
    else
        lines.append(line);
}

void wrapParagraph(
    const QString &paragraph, const QFontMetricsF &fm, double width, QStringList &lines)
{
    if (fm.horizontalAdvance(paragraph) <= width) {
        lines.append(paragraph);
        return;
    }
    const QStringList words = paragraph.split(QLatin1Char(' '));
    QString line;
    for (const QString &word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (line.isEmpty() || fm.horizontalAdvance(candidate) <= width) {
            line = candidate;
            continue;
        }
        appendLine(line, fm, width, lines);
        line = word;
    }
    appendLine(line, fm, width, lines);
}

} // namespace

double TextBlock::width() const
{
    return lineWidths.empty() ? 0.0 : *std::max_element(lineWidths.begin(), lineWidths.end());
}

TextBlock layoutText(const QString &text, const FontSpec &font, bool wordWrap, double width)
{
    const QFontMetricsF &fm = metricsFor(font);
    TextBlock block;
    block.lineHeight = fm.height();
    block.ascent = fm.ascent();
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    const QStringList paragraphs = text.split(breaks);
    for (const QString &paragraph : paragraphs) {
        if (wordWrap && width > 0)
            wrapParagraph(paragraph, fm, width, block.lines);
        else
            block.lines.append(paragraph);
    }
    block.lineWidths.reserve(std::size_t(block.lines.size()));
    for (const QString &line : std::as_const(block.lines))
        block.lineWidths.push_back(fm.horizontalAdvance(line));
    return block;
}

double textWidth(const QString &text, const FontSpec &font)
{
    return metricsFor(font).horizontalAdvance(text);
}

QString elideText(
    const QString &text, const FontSpec &font, bool wordWrap, double width, double height)
{
    const TextBlock block = layoutText(text, font, wordWrap, width);
    // A hair of tolerance, so a box made exactly n lines high holds n lines.
    const int passen
        = block.lineHeight > 0 ? int(std::floor((height + 0.01) / block.lineHeight)) : 0;
    if (block.lines.size() <= passen)
        return text;
    if (passen <= 0)
        return QString();
    QStringList zeilen = block.lines.mid(0, passen);
    const QString ellipse = QString(QChar(0x2026));
    QString letzte = zeilen.last().trimmed();
    while (!letzte.isEmpty() && textWidth(letzte + ellipse, font) > width)
        letzte.chop(1);
    zeilen.last() = letzte + ellipse;
    return zeilen.join(QLatin1Char('\n'));
}

} // namespace kb::report
