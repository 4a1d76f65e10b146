#include "report/export/Export.h"

#include "report/Fonts.h"

#include <QBuffer>
#include <QtMath>

namespace kb::report {
namespace {

// A number for CSS and SVG: at most two decimals, no trailing zeros.
QString num(double v)
{
    QString s = QString::number(v, 'f', 2);
    while (s.contains(QLatin1Char('.'))
        && (s.endsWith(QLatin1Char('0')) || s.endsWith(QLatin1Char('.'))))
        s.chop(1);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}

QString px(double v)
{
    return num(v) + QLatin1String("px");
}

QString cssColor(const QColor &c)
{
    if (c.alpha() == 255)
        return c.name(QColor::HexRgb);
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(num(c.alphaF()));
}

// Escapes for text and for attribute values in double quotes; control characters other than
// tab and line feed have no place in HTML and are dropped.
QString esc(const QString &s)
{
    QString clean;
    clean.reserve(s.size());
    for (QChar c : s) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            clean += c;
    }
    return clean.toHtmlEscaped();
}

QString box(const QRectF &r)
{
    return QLatin1String("left:") + px(r.left()) + QLatin1String(";top:") + px(r.top())
        + QLatin1String(";width:") + px(r.width()) + QLatin1String(";height:") + px(r.height())
        + QLatin1Char(';');
}

QString borderStyle(Qt::PenStyle s)
{
    switch (s) {
    case Qt::NoPen:
        return QStringLiteral("none");
    case Qt::DotLine:
        return QStringLiteral("dotted");
    case Qt::DashLine:
    case Qt::DashDotLine:
    case Qt::DashDotDotLine:
        return QStringLiteral("dashed");
    default:
        return QStringLiteral("solid");
    }
}

QString dashArray(const PenSpec &pen)
{
    const double w = std::max(1.0, pen.width);
    switch (pen.style) {
    case Qt::DashLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %2\"").arg(num(4 * w), num(2 * w));
    case Qt::DotLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %1\"").arg(num(w));
    case Qt::DashDotLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %2 %2 %2\"").arg(num(4 * w), num(w));
    case Qt::DashDotDotLine:
        return QStringLiteral(" stroke-dasharray=\"%1 %2 %2 %2 %2 %2\"").arg(num(4 * w), num(w));
    default:
        return {};
    }
}

QString fontCss(const FontSpec &f)
{
    // The face as the layout names it, then the face this program draws it with.
    QStringList faces;
    for (const QString &face : { f.family, installedFamily(f.family) }) {
        const QString quoted
            = QLatin1Char('\'') + esc(QString(face).remove(QLatin1Char('\''))) + QLatin1Char('\'');
        if (!face.trimmed().isEmpty() && !faces.contains(quoted))
            faces.append(quoted);
    }
    faces.append(QStringLiteral("sans-serif"));
    QString css = QLatin1String("font-family:") + faces.join(QLatin1Char(','))
        + QLatin1String(";font-size:") + num(f.pointSize) + QLatin1String("pt;");
    if (f.bold)
        css += QLatin1String("font-weight:bold;");
    if (f.italic)
        css += QLatin1String("font-style:italic;");
    if (f.underline || f.strikeOut) {
        css += QLatin1String("text-decoration:");
        css += f.underline ? QLatin1String(" underline") : QLatin1String("");
        css += f.strikeOut ? QLatin1String(" line-through") : QLatin1String("");
        css += QLatin1Char(';');
    }
    return css;
}

QString alignCss(Qt::Alignment a)
{
    QString css;
    if (a & Qt::AlignRight)
        css += QLatin1String("text-align:right;");
    else if (a & Qt::AlignHCenter)
        css += QLatin1String("text-align:center;");
    if (a & Qt::AlignBottom)
        css += QLatin1String("justify-content:flex-end;");
    else if (a & Qt::AlignVCenter)
        css += QLatin1String("justify-content:center;");
    return css;
}

QString textHtml(const TextItem &t)
{
    QString style = box(t.rect) + fontCss(t.font) + QLatin1String("color:") + cssColor(t.color)
        + QLatin1Char(';') + alignCss(t.alignment);
    if (t.wordWrap)
        style += QLatin1String("white-space:pre-wrap;");
    if (t.background)
        style += QLatin1String("background:") + cssColor(*t.background) + QLatin1Char(';');
    return QLatin1String("<div class=\"t\" style=\"") + style + QLatin1String("\">") + esc(t.text)
        + QLatin1String("</div>\n");
}

// A line is a small SVG over its bounding box, so any direction and pen style draw alike.
QString lineHtml(const LineItem &l)
{
    const double pad = std::max(1.0, l.pen.width);
    const QRectF bounds
        = QRectF(l.line.p1(), l.line.p2()).normalized().adjusted(-pad, -pad, pad, pad);
    const QPointF a = l.line.p1() - bounds.topLeft();
    const QPointF b = l.line.p2() - bounds.topLeft();
    return QLatin1String("<svg class=\"s\" style=\"") + box(bounds)
        + QStringLiteral("\" viewBox=\"0 0 %1 %2\"><line x1=\"%3\" y1=\"%4\" x2=\"%5\" y2=\"%6\" "
                         "stroke=\"%7\" stroke-width=\"%8\"%9/></svg>\n")
              .arg(num(bounds.width()), num(bounds.height()), num(a.x()), num(a.y()), num(b.x()),
                  num(b.y()), cssColor(l.pen.color), num(l.pen.width), dashArray(l.pen));
}

QString rectHtml(const RectItem &r)
{
    QString style = box(r.rect);
    if (r.fill)
        style += QLatin1String("background:") + cssColor(*r.fill) + QLatin1Char(';');
    if (r.frame && r.frame->style != Qt::NoPen)
        style += QLatin1String("border:") + px(std::max(1.0, r.frame->width)) + QLatin1Char(' ')
            + borderStyle(r.frame->style) + QLatin1Char(' ') + cssColor(r.frame->color)
            + QLatin1Char(';');
    return QLatin1String("<div class=\"r\" style=\"") + style + QLatin1String("\"></div>\n");
}

// Opaque pictures travel as JPEG, pictures with transparency as PNG.
QString dataUri(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool alpha = image.hasAlphaChannel();
    image.save(&buffer, alpha ? "PNG" : "JPEG", alpha ? -1 : 90);
    return (alpha ? QLatin1String("data:image/png;base64,")
                  : QLatin1String("data:image/jpeg;base64,"))
        + QString::fromLatin1(bytes.toBase64());
}

QString pictureHtml(const PictureItem &p)
{
    if (p.image.isNull())
        return {};
    return QLatin1String("<img class=\"p\" alt=\"\" style=\"") + box(p.rect)
        + QLatin1String("\" src=\"") + dataUri(p.image) + QLatin1String("\"/>\n");
}

QString primitiveHtml(const Primitive &p)
{
    return std::visit(
        [](const auto &item) -> QString {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, TextItem>)
                return item.text.isEmpty() ? QString() : textHtml(item);
            else if constexpr (std::is_same_v<T, LineItem>)
                return lineHtml(item);
            else if constexpr (std::is_same_v<T, RectItem>)
                return rectHtml(item);
            else
                return pictureHtml(item);
        },
        p);
}

QString styleSheet(const Document &doc)
{
    const QSizeF size = doc.pageSize();
    return QStringLiteral(
        "body{margin:0;padding:16px 0;background:#808080}\n"
        "section.seite{position:relative;overflow:hidden;background:#fff;margin:0 auto "
        "16px auto;width:%1;height:%2;box-shadow:2px 2px 6px rgba(0,0,0,.5)}\n"
        "section.seite>*{position:absolute;box-sizing:border-box;margin:0}\n"
        "div.t{display:flex;flex-direction:column;justify-content:flex-start;"
        "white-space:pre;overflow:hidden;line-height:1.15}\n"
        "img.p{display:block}\n"
        "@media print{body{padding:0;background:none}section.seite{margin:0;"
        "box-shadow:none;break-after:page}}\n")
        .arg(px(size.width()), px(size.height()));
}

} // namespace

QByteArray htmlExport(const Document &doc)
{
    QString out = QLatin1String("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n"
                                "<meta charset=\"utf-8\"/>\n<title>")
        + esc(doc.title) + QLatin1String("</title>\n<style>\n") + styleSheet(doc)
        + QLatin1String("</style>\n</head>\n<body>\n");
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        out += QStringLiteral("<section class=\"seite\" id=\"seite-%1\">\n").arg(i + 1);
        for (const Primitive &p : doc.pages[i].items)
            out += primitiveHtml(p);
        out += QLatin1String("</section>\n");
    }
    out += QLatin1String("</body>\n</html>\n");
    return out.toUtf8();
}

} // namespace kb::report
