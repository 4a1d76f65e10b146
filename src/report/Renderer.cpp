#include "report/Renderer.h"

#include "report/Fonts.h"
#include "report/TextLayout.h"

#include <QPaintDevice>
#include <QPainter>

namespace kb::report {
namespace {

QPen penOf(const PenSpec &spec)
{
    QPen pen(spec.color, spec.width, spec.style, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

// Draws a text the way TextLayout measured it: line by line, each placed by the alignment.
class TextPainter {
public:
    TextPainter(QPainter &painter)
        : m_painter(painter)
        , m_dpi(painter.device() ? painter.device()->logicalDpiY() : kPixelsPerInch)
    {
    }

    void draw(const TextItem &item)
    {
        if (item.background)
            m_painter.fillRect(item.rect, *item.background);
        if (item.text.isEmpty())
            return;
        const TextBlock block = layoutText(item.text, item.font, item.wordWrap, item.rect.width());
        const bool clip = block.width() > item.rect.width() + 0.01
            || block.height() > item.rect.height() + 0.01;
        if (clip) {
            m_painter.save();
            m_painter.setClipRect(item.rect, Qt::IntersectClip);
        }
        useFont(item.font);
        m_painter.setPen(item.color);
        double y = firstLineTop(item, block);
        for (qsizetype i = 0; i < block.lines.size(); ++i, y += block.lineHeight) {
            if (block.lines[i].isEmpty())
                continue;
            const double x = lineLeft(item, block.lineWidths[std::size_t(i)]);
            m_painter.drawText(QPointF(x, y + block.ascent), block.lines[i]);
        }
        if (clip) {
            // The restore takes the font back too: the next text sets its own again.
            m_painter.restore();
            m_hasFont = false;
        }
    }

private:
    void useFont(const FontSpec &spec)
    {
        if (m_hasFont && spec == m_font)
            return;
        m_font = spec;
        m_hasFont = true;
        m_painter.setFont(fontFor(spec, m_dpi));
    }

    static double firstLineTop(const TextItem &item, const TextBlock &block)
    {
        if (item.alignment & Qt::AlignBottom)
            return item.rect.bottom() - block.height();
        if (item.alignment & Qt::AlignVCenter)
            return item.rect.top() + (item.rect.height() - block.height()) / 2;
        return item.rect.top();
    }

    static double lineLeft(const TextItem &item, double lineWidth)
    {
        if (item.alignment & Qt::AlignRight)
            return item.rect.right() - lineWidth;
        if (item.alignment & Qt::AlignHCenter)
            return item.rect.left() + (item.rect.width() - lineWidth) / 2;
        return item.rect.left();
    }

    QPainter &m_painter;
    double m_dpi;
    FontSpec m_font;
    bool m_hasFont = false;
};

void drawRect(QPainter &painter, const RectItem &item)
{
    if (item.fill)
        painter.fillRect(item.rect, *item.fill);
    if (item.frame) {
        painter.setPen(penOf(*item.frame));
        painter.setBrush(Qt::NoBrush);
        const double inset = item.frame->width / 2;
        painter.drawRect(item.rect.adjusted(inset, inset, -inset, -inset));
    }
}

} // namespace

void renderPage(const Page &page, QPainter &painter, double scale)
{
    painter.save();
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    TextPainter texts(painter);
    for (const Primitive &primitive : page.items) {
        if (const auto *text = std::get_if<TextItem>(&primitive)) {
            texts.draw(*text);
        } else if (const auto *line = std::get_if<LineItem>(&primitive)) {
            painter.setPen(penOf(line->pen));
            painter.drawLine(line->line);
        } else if (const auto *rect = std::get_if<RectItem>(&primitive)) {
            drawRect(painter, *rect);
        } else if (const auto *picture = std::get_if<PictureItem>(&primitive)) {
            if (!picture->image.isNull())
                painter.drawImage(picture->rect, picture->image);
        }
    }
    painter.restore();
}

} // namespace kb::report
