#include "report/export/Export.h"
#include "report/export/TextRows.h"

#include "platform/Cp1252.h"

#include <QBuffer>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

// The RTF export keeps what a word processor can edit: the text rows of every page on tab
// stops at their horizontal positions, with exact line heights and spacing so that rows keep
// their vertical positions, and the pictures in frames at their place on the page. Lines and
// rectangles are left out.

namespace kb::report {
namespace {

int twips(double px)
{
    return static_cast<int>(std::lround(px * 1440.0 / kPixelsPerInch));
}

QByteArray rtfText(const QString &text)
{
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (const QByteArray b = toCp1252(QString(c)); b != "?") {
            out += "\\'" + b.toHex();
        } else {
            out += "\\u" + QByteArray::number(static_cast<std::int16_t>(u)) + '?';
        }
    }
    return out;
}

// The font and colour tables: each distinct face and colour once, numbered in order of use.
class Tables {
public:
    explicit Tables(const Document &doc)
    {
        for (const Page &page : doc.pages) {
            for (const Primitive &p : page.items) {
                if (const auto *t = std::get_if<TextItem>(&p)) {
                    add(m_fonts, t->font.family);
                    add(m_colors, t->color.rgb() & 0xFFFFFF);
                }
            }
        }
    }
    int font(const QString &family) const { return m_fonts.at(family); }
    int color(const QColor &c) const { return m_colors.at(c.rgb() & 0xFFFFFF) + 1; }

    QByteArray header() const
    {
        QByteArray out = "{\\fonttbl";
        for (const auto &[index, name] : sorted(m_fonts))
            out += "{\\f" + QByteArray::number(index) + "\\fnil\\fcharset0 " + rtfText(name) + ";}";
        out += "}\r\n{\\colortbl;";
        for (const auto &[index, rgb] : sorted(m_colors)) {
            const QColor c = QColor::fromRgb(rgb);
            out += "\\red" + QByteArray::number(c.red()) + "\\green" + QByteArray::number(c.green())
                + "\\blue" + QByteArray::number(c.blue()) + ';';
        }
        return out + "}\r\n";
    }

private:
    template<typename K> static void add(std::map<K, int> &m, const K &key)
    {
        m.emplace(key, static_cast<int>(m.size()));
    }
    template<typename K> static std::map<int, K> sorted(const std::map<K, int> &m)
    {
        std::map<int, K> out;
        for (const auto &[key, index] : m)
            out.emplace(index, key);
        return out;
    }

    std::map<QString, int> m_fonts { { QStringLiteral("Arial"), 0 } };
    std::map<QRgb, int> m_colors { { 0, 0 } };
};

struct Origin {
    double left = 0;
    double top = 0;
};

// The page margins: as far as the texts leave room, so the tab stops start at the margin.
Origin origin(const Document &doc)
{
    Origin o { std::numeric_limits<double>::max(), std::numeric_limits<double>::max() };
    for (const Page &page : doc.pages) {
        for (const TextRow &row : textRows(page)) {
            o.top = std::min(o.top, row.top);
            for (const TextCell &cell : row.cells)
                o.left = std::min(o.left, cell.left);
        }
    }
    if (o.left == std::numeric_limits<double>::max())
        return {};
    return { std::max(0.0, o.left), std::max(0.0, o.top) };
}

QByteArray tabStop(const TextCell &cell, double left)
{
    const Qt::Alignment a = cell.item->alignment;
    if (a & Qt::AlignRight)
        return "\\tqr\\tx" + QByteArray::number(twips(cell.right - left));
    if (a & Qt::AlignHCenter)
        return "\\tqc\\tx" + QByteArray::number(twips((cell.left + cell.right) / 2 - left));
    return "\\tx" + QByteArray::number(twips(cell.left - left));
}

QByteArray cellRtf(const TextCell &cell, const Tables &tables)
{
    const TextItem &t = *cell.item;
    QByteArray out = "{\\f" + QByteArray::number(tables.font(t.font.family)) + "\\fs"
        + QByteArray::number(std::lround(t.font.pointSize * 2)) + "\\cf"
        + QByteArray::number(tables.color(t.color));
    if (t.font.bold)
        out += "\\b";
    if (t.font.italic)
        out += "\\i";
    if (t.font.underline)
        out += "\\ul";
    if (t.font.strikeOut)
        out += "\\strike";
    return out + ' ' + rtfText(cell.text) + '}';
}

QByteArray rowRtf(const TextRow &row, double previousBottom, Origin o, const Tables &tables)
{
    QByteArray out = "\\pard\\plain\\sb"
        + QByteArray::number(std::max(0, twips(row.top - previousBottom))) + "\\sa0\\sl-"
        + QByteArray::number(std::max(1, twips(row.bottom - row.top))) + "\\slmult0";
    for (const TextCell &cell : row.cells) {
        if (cell.left - o.left >= 1)
            out += tabStop(cell, o.left);
    }
    out += ' ';
    for (const TextCell &cell : row.cells) {
        if (cell.left - o.left >= 1)
            out += "\\tab";
        out += cellRtf(cell, tables);
    }
    return out + "\\par\r\n";
}

QByteArray hexLines(const QByteArray &bytes)
{
    const QByteArray hex = bytes.toHex();
    QByteArray out;
    for (qsizetype i = 0; i < hex.size(); i += 128)
        out += hex.mid(i, 128) + "\r\n";
    return out;
}

// A picture in a frame placed on the page, outside the flow of the text rows.
QByteArray pictureRtf(const PictureItem &p)
{
    if (p.image.isNull() || p.rect.isEmpty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool alpha = p.image.hasAlphaChannel();
    p.image.save(&buffer, alpha ? "PNG" : "JPEG", alpha ? -1 : 90);
    const QByteArray w = QByteArray::number(twips(p.rect.width()));
    const QByteArray h = QByteArray::number(twips(p.rect.height()));
    return "\\pard\\plain\\pvpg\\phpg\\posx" + QByteArray::number(twips(p.rect.left())) + "\\posy"
        + QByteArray::number(twips(p.rect.top())) + "\\absw" + w + "\\absh-" + h + "{\\pict"
        + (alpha ? "\\pngblip" : "\\jpegblip") + "\\picw" + QByteArray::number(p.image.width())
        + "\\pich" + QByteArray::number(p.image.height()) + "\\picwgoal" + w + "\\pichgoal" + h
        + "\r\n" + hexLines(bytes) + "}\\par\r\n";
}

QByteArray pageSetup(const Document &doc, Origin o)
{
    const QSizeF size = doc.pageSize();
    QByteArray out = "\\paperw" + QByteArray::number(twips(size.width())) + "\\paperh"
        + QByteArray::number(twips(size.height())) + "\\margl" + QByteArray::number(twips(o.left))
        + "\\margr0\\margt" + QByteArray::number(twips(o.top)) + "\\margb0";
    if (doc.orientation == Orientation::Landscape)
        out += "\\landscape";
    return out + "\r\n";
}

} // namespace

QByteArray rtfExport(const Document &doc)
{
    const Tables tables(doc);
    const Origin o = origin(doc);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031\r\n" + tables.header()
        + "{\\info{\\title " + rtfText(doc.title) + "}}\r\n" + pageSetup(doc, o);
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        if (i > 0)
            out += "\\page\r\n";
        for (const Primitive &p : doc.pages[i].items) {
            if (const auto *pic = std::get_if<PictureItem>(&p))
                out += pictureRtf(*pic);
        }
        double bottom = o.top;
        for (const TextRow &row : textRows(doc.pages[i])) {
            out += rowRtf(row, bottom, o, tables);
            bottom = row.bottom;
        }
    }
    return out + "}\r\n";
}

} // namespace kb::report
