#pragma once

// The device-independent result of a report run: pages of drawing primitives in layout
// pixels (1/96 inch, origin at the paper's top-left corner). The renderer draws them on any
// QPainter; the exporters read them. Plain values, no windows.

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace kb::report {

// Layout pixels per millimetre and back.
constexpr double kPixelsPerInch = 96.0;
constexpr double kMmPerInch = 25.4;
constexpr double mmToPixels(double mm)
{
    return mm * kPixelsPerInch / kMmPerInch;
}
constexpr double pixelsToMm(double px)
{
    return px * kMmPerInch / kPixelsPerInch;
}

// A font as the layouts name it: the face name stays as written ("Arial", "Small Fonts");
// fontFor() in Fonts.h maps it to an installed face for measuring and drawing.
struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

struct PenSpec {
    QColor color = Qt::black;
    double width = 1.0; // layout pixels
    Qt::PenStyle style = Qt::SolidLine;

    friend bool operator==(const PenSpec &, const PenSpec &) = default;
};

// Text drawn into a box. Lines are broken (when wordWrap) and measured on the fixed 96-dpi
// basis of TextLayout.h, so every device shows the same lines. Text outside the box is clipped.
struct TextItem {
    QRectF rect;
    QString text;
    FontSpec font;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    std::optional<QColor> background; // filled over rect before the text; none = transparent
};

struct LineItem {
    QLineF line;
    PenSpec pen;
};

struct RectItem {
    QRectF rect;
    std::optional<QColor> fill;
    std::optional<PenSpec> frame;
};

// A picture scaled into rect (the paginator has already cropped or scaled it as needed).
struct PictureItem {
    QRectF rect;
    QImage image;
};

using Primitive = std::variant<TextItem, LineItem, RectItem, PictureItem>;

// Which band a run of primitives came from; exporters use it to form rows.
// GroupFooter and Summary came later and stay at the end: saved documents store the number.
enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    GroupHeader,
    Detail,
    PageFooter,
    GroupFooter,
    Summary
};

// Where one printable of a band landed. Every printable of a printed band has one, also when it
// printed nothing (an empty label, a hidden printable, a missing picture): the row exports
// still give it its (empty) field, so all rows of a band have the same fields.
struct PlacedPrintable {
    QRectF rect; // its box on the page, layout pixels
    std::size_t firstItem = 0; // its primitives are items[firstItem, firstItem + itemCount)
    std::size_t itemCount = 0;
    bool text = false; // a label, field text or system data: one field of a row
};

struct PlacedBand {
    BandKind kind = BandKind::Detail;
    QRectF rect; // where the band landed on the page, layout pixels
    int column = 0; // 0-based column; 0 for bands spanning the printable width
    std::size_t firstItem = 0; // its primitives are items[firstItem, firstItem + itemCount)
    std::size_t itemCount = 0;
    std::optional<QColor> background; // the band's own fill, if it has one
    std::vector<PlacedPrintable> printables; // in the band's order (drawing order)
};

struct Page {
    std::vector<Primitive> items; // in drawing order
    std::vector<PlacedBand> bands; // in printing order
};

enum class PaperSize { A3, A4, A5, Custom };
enum class Orientation { Portrait, Landscape };

struct Document {
    QString title; // the job name for printers and file metadata
    PaperSize paper = PaperSize::A4;
    Orientation orientation = Orientation::Portrait;
    QSizeF paperSizeMm { 210.0, 297.0 }; // as oriented (landscape A4 is 297 x 210)
    std::vector<Page> pages;

    QSizeF pageSize() const
    {
        return { mmToPixels(paperSizeMm.width()), mmToPixels(paperSizeMm.height()) };
    }
};

} // namespace kb::report
