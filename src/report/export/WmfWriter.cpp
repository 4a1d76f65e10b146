#include "report/export/WmfWriter.h"

#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "report/TextLayout.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace kb::report {
namespace {

// Record functions of the metafile format.
enum Function : std::uint16_t {
    META_EOF = 0x0000,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_RECTANGLE = 0x041B,
    META_EXTTEXTOUT = 0x0A32,
    META_STRETCHDIB = 0x0F43,
};

constexpr std::uint16_t MM_ANISOTROPIC = 8;
constexpr std::uint16_t TRANSPARENT = 1, OPAQUE = 2;
constexpr std::uint16_t PS_NULL = 5;
constexpr std::uint16_t BS_SOLID = 0;
constexpr std::uint16_t BS_NULL = 1;
constexpr std::uint16_t TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_BASELINE = 24;
constexpr std::uint16_t ETO_CLIPPED = 0x0004;
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kMaxCoordinate = 32767;

// Little-endian parameter bytes of a record.
class Params {
public:
    Params &u16(std::uint16_t v)
    {
        m_bytes.append(static_cast<char>(v & 0xFF));
        m_bytes.append(static_cast<char>(v >> 8));
        return *this;
    }
    Params &i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    Params &u32(std::uint32_t v)
    {
        return u16(v & 0xFFFF).u16(static_cast<std::uint16_t>(v >> 16));
    }
    Params &bytes(const QByteArray &b)
    {
        m_bytes.append(b);
        return *this;
    }
    // Pads to a whole number of 16-bit words.
    Params &pad()
    {
        if (m_bytes.size() % 2)
            m_bytes.append('\0');
        return *this;
    }
    const QByteArray &data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

std::uint32_t colorRef(const QColor &c)
{
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8
        | static_cast<std::uint32_t>(c.blue()) << 16;
}

std::uint16_t penStyle(Qt::PenStyle s)
{
    switch (s) {
    case Qt::NoPen:
        return PS_NULL;
    case Qt::DashLine:
        return 1;
    case Qt::DotLine:
        return 2;
    case Qt::DashDotLine:
        return 3;
    case Qt::DashDotDotLine:
        return 4;
    default:
        return 0;
    }
}

// The largest resolution at which the page still fits 16-bit coordinates.
int unitsFor(QSizeF page)
{
    const double largest = std::max(page.width(), page.height());
    for (int scale : { 15, 10, 5, 3, 2, 1 }) {
        if (largest * scale <= kMaxCoordinate)
            return scale;
    }
    throw Error(QStringLiteral("Die Seite ist zu groß für eine Windows-Metadatei."));
}

// A 24-bit bottom-up device-independent bitmap: BITMAPINFOHEADER and the pixel rows, each
// padded to four bytes. Transparent parts show white, as on paper.
QByteArray dib(const QImage &source)
{
    QImage image(source.size(), QImage::Format_RGB888);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawImage(0, 0, source);
    }
    const int w = image.width(), h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    Params p;
    p.u32(40).u32(static_cast<std::uint32_t>(w)).u32(static_cast<std::uint32_t>(h));
    p.u16(1).u16(24).u32(0).u32(static_cast<std::uint32_t>(stride * h));
    p.u32(3780).u32(3780).u32(0).u32(0); // 96 dpi
    QByteArray bits(static_cast<qsizetype>(stride) * h, '\0');
    for (int row = 0; row < h; ++row) {
        const uchar *src = image.constScanLine(h - 1 - row);
        char *dst = bits.data() + static_cast<qsizetype>(row) * stride;
        for (int col = 0; col < w; ++col) {
            dst[col * 3] = static_cast<char>(src[col * 3 + 2]);
            dst[col * 3 + 1] = static_cast<char>(src[col * 3 + 1]);
            dst[col * 3 + 2] = static_cast<char>(src[col * 3]);
        }
    }
    return p.data() + bits;
}

} // namespace

WmfWriter::WmfWriter(QSizeF pageSize)
    : m_size(pageSize)
    , m_scale(unitsFor(pageSize))
{
    record(META_SETMAPMODE, Params().u16(MM_ANISOTROPIC).data());
    record(META_SETWINDOWORG, Params().i16(0).i16(0).data());
    record(META_SETWINDOWEXT, Params().i16(y(m_size.height())).i16(x(m_size.width())).data());
}

// The background mode matters to texts (transparent: no box behind the glyphs) and to the gaps
// of dashed pens; solid fills are opaque in either mode, but some readers draw fills half
// transparent in transparent mode, so rectangles with solid or no frame are drawn opaque.
void WmfWriter::useBackgroundMode(std::uint16_t mode)
{
    if (m_bkMode == mode)
        return;
    m_bkMode = mode;
    record(META_SETBKMODE, Params().u16(mode).data());
}

std::int16_t WmfWriter::x(double px) const
{
    const double v = std::round(px * m_scale);
    return static_cast<std::int16_t>(std::clamp(v, -32768.0, 32767.0));
}

void WmfWriter::record(std::uint16_t function, const QByteArray &params)
{
    const auto words = static_cast<std::uint32_t>(3 + params.size() / 2);
    Params head;
    head.u32(words).u16(function);
    m_records += head.data() + params;
    m_maxRecordWords = std::max(m_maxRecordWords, words);
}

void WmfWriter::replaceObject(int *current, QByteArray params, std::uint16_t function)
{
    const auto free = std::find(m_slots.begin(), m_slots.end(), false);
    const int slot = static_cast<int>(free - m_slots.begin());
    if (free == m_slots.end())
        m_slots.push_back(true);
    else
        *free = true;
    m_maxObjects = std::max(m_maxObjects, m_slots.size());
    record(function, params);
    record(META_SELECTOBJECT, Params().u16(static_cast<std::uint16_t>(slot)).data());
    if (*current >= 0) {
        record(META_DELETEOBJECT, Params().u16(static_cast<std::uint16_t>(*current)).data());
        m_slots[static_cast<std::size_t>(*current)] = false;
    }
    *current = slot;
}

void WmfWriter::usePen(const Pen &pen)
{
    if (m_currentPen == pen)
        return;
    m_currentPen = pen;
    replaceObject(&m_pen, Params().u16(pen.style).i16(pen.width).i16(0).u32(pen.color).data(),
        META_CREATEPENINDIRECT);
}

void WmfWriter::useBrush(const Brush &brush)
{
    if (m_currentBrush == brush)
        return;
    m_currentBrush = brush;
    replaceObject(&m_brush, Params().u16(brush.style).u32(brush.color).u16(0).data(),
        META_CREATEBRUSHINDIRECT);
}

void WmfWriter::useFont(const FontSpec &font, std::uint32_t color)
{
    if (m_currentFont != font) {
        m_currentFont = font;
        QByteArray face = toCp1252(font.family).left(31);
        face.append('\0');
        Params p;
        p.i16(static_cast<std::int16_t>(
            -std::lround(font.pointSize * kPixelsPerInch / 72.0 * m_scale)));
        p.i16(0).i16(0).i16(0).i16(font.bold ? 700 : 400);
        p.bytes(QByteArray(1, font.italic ? '\1' : '\0'));
        p.bytes(QByteArray(1, font.underline ? '\1' : '\0'));
        p.bytes(QByteArray(1, font.strikeOut ? '\1' : '\0'));
        p.bytes(QByteArray(5, '\0')); // ANSI charset, default precisions, quality, pitch
        p.bytes(face).pad();
        replaceObject(&m_font, p.data(), META_CREATEFONTINDIRECT);
    }
    if (m_textColor != color) {
        m_textColor = color;
        record(META_SETTEXTCOLOR, Params().u32(color).data());
    }
}

void WmfWriter::draw(const Primitive &item)
{
    std::visit(
        [this](const auto &i) {
            using T = std::decay_t<decltype(i)>;
            if constexpr (std::is_same_v<T, TextItem>)
                drawText(i);
            else if constexpr (std::is_same_v<T, LineItem>)
                drawLine(i);
            else if constexpr (std::is_same_v<T, RectItem>)
                drawRect(i);
            else
                drawPicture(i);
        },
        item);
}

void WmfWriter::drawRect(const RectItem &r)
{
    const bool fill = r.fill && r.fill->alpha() > 0;
    const bool frame = r.frame && r.frame->style != Qt::NoPen;
    if (!fill && !frame)
        return;
    if (frame)
        usePen({ penStyle(r.frame->style),
            static_cast<std::int16_t>(std::max(1, int(x(r.frame->width)))),
            colorRef(r.frame->color) });
    else
        usePen({ PS_NULL, 0, 0 });
    useBrush(fill ? Brush { BS_SOLID, colorRef(*r.fill) } : Brush { BS_NULL, 0 });
    useBackgroundMode(frame && r.frame->style != Qt::SolidLine ? TRANSPARENT : OPAQUE);
    // The frame lies inside the rectangle, as on the other outputs.
    const double inset = frame ? r.frame->width / 2 : 0.0;
    const QRectF box = r.rect.adjusted(inset, inset, -inset, -inset);
    record(META_RECTANGLE,
        Params()
            .i16(y(box.bottom()))
            .i16(x(box.right()))
            .i16(y(box.top()))
            .i16(x(box.left()))
            .data());
}

void WmfWriter::drawLine(const LineItem &l)
{
    if (l.pen.style == Qt::NoPen)
        return;
    usePen({ penStyle(l.pen.style), static_cast<std::int16_t>(std::max(1, int(x(l.pen.width)))),
        colorRef(l.pen.color) });
    useBackgroundMode(TRANSPARENT);
    record(META_MOVETO, Params().i16(y(l.line.y1())).i16(x(l.line.x1())).data());
    record(META_LINETO, Params().i16(y(l.line.y2())).i16(x(l.line.x2())).data());
}

void WmfWriter::drawText(const TextItem &t)
{
    if (t.background)
        drawRect(RectItem { t.rect, t.background, std::nullopt });
    if (t.text.trimmed().isEmpty())
        return;
    useFont(t.font, colorRef(t.color));
    useBackgroundMode(TRANSPARENT);
    const std::uint16_t align = (t.alignment & Qt::AlignRight) ? TA_RIGHT
        : (t.alignment & Qt::AlignHCenter)                     ? TA_CENTER
                                                               : TA_LEFT;
    if (m_textAlign != (align | TA_BASELINE)) {
        m_textAlign = static_cast<std::uint16_t>(align | TA_BASELINE);
        record(META_SETTEXTALIGN, Params().u16(*m_textAlign).data());
    }
    // The lines break where the renderer breaks them; each is placed by its baseline.
    const TextBlock block = layoutText(t.text, t.font, t.wordWrap, t.rect.width());
    double top = t.rect.top();
    if (t.alignment & Qt::AlignBottom)
        top = t.rect.bottom() - block.height();
    else if (t.alignment & Qt::AlignVCenter)
        top = t.rect.top() + (t.rect.height() - block.height()) / 2;
    for (qsizetype i = 0; i < block.lines.size(); ++i)
        textLine(t, block.lines[i], top + double(i) * block.lineHeight + block.ascent);
}

// One line of text, clipped to the text's box like on every other output.
void WmfWriter::textLine(const TextItem &t, const QString &line, double baseline)
{
    QString text = line;
    text.remove(QLatin1Char('\r'));
    if (text.isEmpty())
        return;
    const QByteArray bytes = toCp1252(text).left(8000);
    const double refX = (t.alignment & Qt::AlignRight) ? t.rect.right()
        : (t.alignment & Qt::AlignHCenter)             ? t.rect.center().x()
                                                       : t.rect.left();
    Params p;
    p.i16(y(baseline)).i16(x(refX)).i16(static_cast<std::int16_t>(bytes.size())).u16(ETO_CLIPPED);
    p.i16(x(t.rect.left())).i16(y(t.rect.top())).i16(x(t.rect.right())).i16(y(t.rect.bottom()));
    p.bytes(bytes).pad();
    record(META_EXTTEXTOUT, p.data());
}

void WmfWriter::drawPicture(const PictureItem &pic)
{
    if (pic.image.isNull() || pic.rect.isEmpty())
        return;
    // More than twice the resolution of the target box only makes the file bigger.
    QImage image = pic.image;
    // Each side is reduced on its own; the picture is stretched to its box anyway.
    const QSize limit = (pic.rect.size() * 2)
                            .toSize()
                            .boundedTo(QSize(kMaxCoordinate, kMaxCoordinate))
                            .expandedTo(QSize(1, 1));
    if (const QSize target = image.size().boundedTo(limit); target != image.size())
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    Params p;
    p.u32(SRCCOPY).u16(0); // DIB_RGB_COLORS
    p.i16(static_cast<std::int16_t>(image.height())).i16(static_cast<std::int16_t>(image.width()));
    p.i16(0).i16(0);
    p.i16(static_cast<std::int16_t>(y(pic.rect.bottom()) - y(pic.rect.top())));
    p.i16(static_cast<std::int16_t>(x(pic.rect.right()) - x(pic.rect.left())));
    p.i16(y(pic.rect.top())).i16(x(pic.rect.left()));
    p.bytes(dib(image));
    record(META_STRETCHDIB, p.data());
}

QByteArray WmfWriter::finish()
{
    for (int *object : { &m_font, &m_brush, &m_pen }) {
        if (*object >= 0)
            record(META_DELETEOBJECT, Params().u16(static_cast<std::uint16_t>(*object)).data());
        *object = -1;
    }
    record(META_EOF, {});

    const auto totalWords = static_cast<std::uint32_t>((18 + m_records.size()) / 2);
    Params header;
    header.u16(1).u16(9).u16(0x0300).u32(totalWords);
    header.u16(static_cast<std::uint16_t>(m_maxObjects)).u32(m_maxRecordWords).u16(0);

    std::array<std::uint16_t, 10> words = {
        static_cast<std::uint16_t>(kPlaceableKey & 0xFFFF),
        static_cast<std::uint16_t>(kPlaceableKey >> 16),
        0, // handle
        0, 0, // left, top
        static_cast<std::uint16_t>(x(m_size.width())),
        static_cast<std::uint16_t>(y(m_size.height())),
        static_cast<std::uint16_t>(kPixelsPerInch * m_scale), // units per inch
        0, 0, // reserved
    };
    std::uint16_t checksum = 0;
    Params placeable;
    for (std::uint16_t w : words) {
        checksum ^= w;
        placeable.u16(w);
    }
    placeable.u16(checksum);
    return placeable.data() + header.data() + m_records;
}

} // namespace kb::report
