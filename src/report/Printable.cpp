#include "report/Printable.h"

#include "report/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace kb::report {
namespace {

Qt::Alignment qtAlignment(HAlign a)
{
    switch (a) {
    case HAlign::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case HAlign::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case HAlign::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QImage withKeyColourTransparent(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = out.pixel(0, out.height() - 1);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00ffffff) == (key & 0x00ffffff))
                line[x] = 0;
    }
    return out;
}

// The middle of `image` with the proportions of `box`.
QImage cutToShape(const QImage &image, const QSizeF &box)
{
    if (image.isNull() || box.width() <= 0 || box.height() <= 0)
        return image;
    const double aspect = box.width() / box.height();
    QRect cut = image.rect();
    if (double(image.width()) / image.height() > aspect) {
        const int w = std::max(1, int(std::lround(image.height() * aspect)));
        cut = QRect((image.width() - w) / 2, 0, w, image.height());
    } else {
        const int h = std::max(1, int(std::lround(image.width() / aspect)));
        cut = QRect(0, (image.height() - h) / 2, image.width(), h);
    }
    return cut == image.rect() ? image : image.copy(cut);
}

} // namespace

FontSpec Printable::font() const
{
    if (m_font)
        return *m_font;
    return m_reportFont ? *m_reportFont : FontSpec {};
}

double Printable::neededHeight(const PrintContext &, double) const
{
    return m_height;
}

QRectF Printable::nominalBox(const QRectF &band) const
{
    return { band.left() + boxLeft(m_width, band.width()), band.top() + m_top, m_width, m_height };
}

double Printable::boxLeft(double w, double bandWidth) const
{
    if (m_alignToBand) {
        switch (m_alignment) {
        case HAlign::Left:
            return 0;
        case HAlign::Center:
            return (bandWidth - w) / 2;
        case HAlign::Right:
            return bandWidth - w;
        }
    }
    if (!m_autoSize)
        return m_left;
    switch (m_alignment) {
    case HAlign::Center:
        return m_left + (m_width - w) / 2;
    case HAlign::Right:
        return m_left + m_width - w;
    case HAlign::Left:
        break;
    }
    return m_left;
}

QRectF TextPrintable::box(const QString &text, double bandWidth) const
{
    double w = width();
    double h = height();
    if (autoSize()) {
        const TextBlock block = layoutText(text, font(), false, 0);
        w = std::ceil(block.width());
        h = std::max(h, std::ceil(block.height()));
    }
    if (autoStretch()) {
        const TextBlock block = layoutText(text, font(), wordWrap(), w);
        h = std::max(h, std::ceil(block.height()));
    }
    return { boxLeft(w, bandWidth), top(), w, h };
}

double TextPrintable::neededHeight(const PrintContext &ctx, double bandWidth) const
{
    if (!visible() || !autoStretch())
        return height();
    return box(text(ctx), bandWidth).height();
}

void TextPrintable::print(const PrintContext &ctx, const QRectF &band, Page &page) const
{
    if (!visible())
        return;
    QString shown = text(ctx);
    if (shown.isEmpty() && !printsWhenEmpty())
        return;
    const QRectF r = box(shown, band.width()).translated(band.topLeft());
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (elide() && !autoSize() && !autoStretch())
        shown = elideText(shown, font(), wordWrap(), r.width(), r.height());
    TextItem item;
    item.rect = r;
    item.text = shown;
    item.font = font();
    item.color = color();
    item.alignment = qtAlignment(alignment());
    item.wordWrap = wordWrap();
    if (!transparent())
        item.background = background();
    page.items.emplace_back(std::move(item));
}

void PicturePrintable::print(const PrintContext &ctx, const QRectF &band, Page &page) const
{
    if (!visible() || (width() <= 0 && height() <= 0))
        return;
    QImage image = picture(ctx);
    if (image.isNull())
        return;
    if (m_transparentPicture)
        image = withKeyColourTransparent(image);
    double w = width();
    double h = height();
    if (autoSize()) {
        w = image.width();
        h = image.height();
    } else if (!stretch()) {
        // Unscaled: one picture pixel per layout pixel, cut off at the box.
        w = std::min(w, double(image.width()));
        h = std::min(h, double(image.height()));
        image = image.copy(0, 0, int(std::ceil(w)), int(std::ceil(h)));
    }
    if (w <= 0 || h <= 0)
        return;
    QRectF r(band.left() + boxLeft(w, band.width()), band.top() + top(), w, h);
    if (stretch() && m_cover && !autoSize()) {
        image = cutToShape(image, r.size());
    } else if (stretch() && m_keepAspect && !autoSize()) {
        const QSizeF fitted = QSizeF(image.size()).scaled(r.size(), Qt::KeepAspectRatio);
        r = QRectF(r.left() + (r.width() - fitted.width()) / 2,
            r.top() + (r.height() - fitted.height()) / 2, fitted.width(), fitted.height());
    }
    page.items.emplace_back(PictureItem { r, image });
}

} // namespace kb::report
