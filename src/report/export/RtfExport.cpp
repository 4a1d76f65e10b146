#include "report/export/BandRows.h"
#include "report/export/Export.h"

#include "platform/Cp1252.h"

#include <QBuffer>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>

// The RTF export keeps what a word processor can edit: one paragraph per printed band, its
// fields on tab stops at their places in the band (so the day lines of every column line up),
// at least as tall as the band, its pictures after its texts. Lines and rectangles are left out.

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

// The page margins: where the bands start, so the tab stops count from the margin.
Origin origin(const Document &doc)
{
    Origin o { std::numeric_limits<double>::max(), std::numeric_limits<double>::max() };
    for (const Page &page : doc.pages) {
        for (const BandRow &row : bandRows(page)) {
            o.left = std::min(o.left, row.origin());
            o.top
                = std::min(o.top, row.band ? row.band->rect.top() : row.fields.front().rect.top());
        }
    }
    if (o.left == std::numeric_limits<double>::max())
        return {};
    return { std::max(0.0, o.left), std::max(0.0, o.top) };
}

QByteArray cellRtf(const Field &field, const Tables &tables)
{
    if (!field.item)
        return {};
    const TextItem &t = *field.item;
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
    return out + ' ' + rtfText(field.text) + '}';
}

QByteArray hexLines(const QByteArray &bytes)
{
    const QByteArray hex = bytes.toHex();
    QByteArray out;
    for (qsizetype i = 0; i < hex.size(); i += 128)
        out += hex.mid(i, 128) + "\r\n";
    return out;
}

// A picture at its printed size.
QByteArray pictRtf(const PictureItem &p)
{
    if (p.image.isNull() || p.rect.isEmpty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool alpha = p.image.hasAlphaChannel();
    p.image.save(&buffer, alpha ? "PNG" : "JPEG", alpha ? -1 : 90);
    return QByteArray("{\\pict") + (alpha ? "\\pngblip" : "\\jpegblip") + "\\picw"
        + QByteArray::number(p.image.width()) + "\\pich" + QByteArray::number(p.image.height())
        + "\\picwgoal" + QByteArray::number(twips(p.rect.width())) + "\\pichgoal"
        + QByteArray::number(twips(p.rect.height())) + "\r\n" + hexLines(bytes) + "}";
}

// A picture drawn outside every band: in a frame at its place on the page.
QByteArray framedPictureRtf(const PictureItem &p)
{
    const QByteArray pict = pictRtf(p);
    if (pict.isEmpty())
        return {};
    return "\\pard\\plain\\pvpg\\phpg\\posx" + QByteArray::number(twips(p.rect.left())) + "\\posy"
        + QByteArray::number(twips(p.rect.top())) + "\\absw"
        + QByteArray::number(twips(p.rect.width())) + "\\absh-"
        + QByteArray::number(twips(p.rect.height())) + pict + "\\par\r\n";
}

// The tab stop of each field, counted from the band's left edge; each lies right of the one
// before, so every field keeps a tab of its own. Nullopt for a first field at the edge.
std::vector<std::optional<QByteArray>> tabStops(const BandRow &row)
{
    std::vector<std::optional<QByteArray>> stops;
    int last = 0;
    for (const Field &field : row.fields) {
        const double left = field.rect.left() - row.origin();
        const Qt::Alignment a = field.item ? field.item->alignment : Qt::AlignLeft;
        QByteArray kind;
        double x = left;
        if (a & Qt::AlignRight) {
            kind = "\\tqr";
            x = field.rect.right() - row.origin();
        } else if (a & Qt::AlignHCenter) {
            kind = "\\tqc";
            x = field.rect.center().x() - row.origin();
        }
        if (stops.empty() && kind.isEmpty() && left < 1) {
            stops.emplace_back();
            continue;
        }
        const int at = std::max(twips(x), last + 20);
        last = at;
        stops.emplace_back(kind + "\\tx" + QByteArray::number(at));
    }
    return stops;
}

// One paragraph per band, at least as tall as the band; its pictures follow its texts.
QByteArray rowRtf(const BandRow &row, const Tables &tables)
{
    const double height = row.band ? row.band->rect.height() : 0;
    QByteArray out
        = "\\pard\\plain\\sa0\\sl" + QByteArray::number(std::max(0, twips(height))) + "\\slmult0";
    const auto stops = tabStops(row);
    for (const auto &stop : stops)
        if (stop)
            out += *stop;
    out += ' ';
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        if (stops[i])
            out += "\\tab";
        out += cellRtf(row.fields[i], tables);
    }
    for (const PictureItem *picture : row.pictures)
        out += pictRtf(*picture);
    return out + "\\par\r\n";
}

// Pictures that no band drew.
std::vector<const PictureItem *> strayPictures(const Page &page)
{
    std::vector<bool> inBand(page.items.size(), false);
    for (const PlacedBand &band : page.bands)
        std::fill_n(inBand.begin() + qsizetype(band.firstItem), band.itemCount, true);
    std::vector<const PictureItem *> out;
    for (std::size_t i = 0; i < page.items.size(); ++i)
        if (const auto *p = std::get_if<PictureItem>(&page.items[i]); p && !inBand[i])
            out.push_back(p);
    return out;
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
        for (const PictureItem *picture : strayPictures(doc.pages[i]))
            out += framedPictureRtf(*picture);
        for (const BandRow &row : bandRows(doc.pages[i]))
            out += rowRtf(row, tables);
    }
    return out + "}\r\n";
}

} // namespace kb::report
