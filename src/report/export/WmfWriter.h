#pragma once

#include "report/Page.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace kb::report {

// Writes one page as a placeable Windows metafile (the plain 16-bit format with the Aldus
// header, not an enhanced metafile). Coordinates are logical units of `unitsPerPixel` per
// layout pixel (15 = twips while the page fits the format's 16-bit coordinates); texts are
// Windows-1252; pictures are 24-bit device-independent bitmaps.
class WmfWriter {
public:
    explicit WmfWriter(QSizeF pageSize);

    void draw(const Primitive &item);
    // The complete file: placeable header, metafile header, records, end-of-file record.
    QByteArray finish();

    int unitsPerPixel() const { return m_scale; }

private:
    struct Pen {
        std::uint16_t style;
        std::int16_t width;
        std::uint32_t color;
        friend bool operator==(const Pen &, const Pen &) = default;
    };
    struct Brush {
        std::uint16_t style;
        std::uint32_t color;
        friend bool operator==(const Brush &, const Brush &) = default;
    };

    void drawText(const TextItem &t);
    void drawLine(const LineItem &l);
    void drawRect(const RectItem &r);
    void drawPicture(const PictureItem &p);
    void textLine(const TextItem &t, const QString &line, double y);

    void usePen(const Pen &pen);
    void useBrush(const Brush &brush);
    void useFont(const FontSpec &font, std::uint32_t color);
    void useBackgroundMode(std::uint16_t mode);
    // Creates a GDI object in the lowest free slot, selects it and deletes `*current`.
    void replaceObject(int *current, QByteArray params, std::uint16_t function);

    void record(std::uint16_t function, const QByteArray &params);
    std::int16_t x(double px) const;
    std::int16_t y(double px) const { return x(px); }

    QSizeF m_size;
    int m_scale = 15;
    QByteArray m_records;
    std::uint32_t m_maxRecordWords = 0;
    std::vector<bool> m_slots; // true = in use
    std::size_t m_maxObjects = 0;
    int m_pen = -1, m_brush = -1, m_font = -1;
    std::optional<Pen> m_currentPen;
    std::optional<Brush> m_currentBrush;
    std::optional<FontSpec> m_currentFont;
    std::optional<std::uint32_t> m_textColor;
    std::optional<std::uint16_t> m_textAlign;
    std::optional<std::uint16_t> m_bkMode;
};

} // namespace kb::report
