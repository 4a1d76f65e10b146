#pragma once

#include "report/DataSet.h"
#include "report/Page.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <optional>

namespace kb::report {

enum class HAlign { Left, Center, Right };

// What a printable may read while its band prints.
struct PrintContext {
    const DataSet *dataSet = nullptr; // the report's data set (may be null)
    int pageNumber = 1;
    int detailNumber = 0; // running number of the current record, from 1
    int detailCount = 0; // detail bands printed so far
    QString reportTitle;
    QDateTime now; // fixed for one generation
};

// Something placed on a band at Left/Top (layout pixels, relative to the band). Hooks may change
// any property between two prints of the band; a change stays until changed again.
class Printable {
public:
    virtual ~Printable() = default;

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double v) { m_left = v; }
    void setTop(double v) { m_top = v; }
    void setWidth(double v) { m_width = v; }
    void setHeight(double v) { m_height = v; }
    void setSize(double w, double h) { m_width = w, m_height = h; }
    void setGeometry(double l, double t, double w, double h)
    {
        m_left = l, m_top = t, m_width = w, m_height = h;
    }

    // The printable's own font, or the report font while it has none.
    FontSpec font() const;
    bool hasOwnFont() const { return m_font.has_value(); }
    void setFont(const FontSpec &font) { m_font = font; }
    QColor color() const { return m_color; }
    void setColor(const QColor &c) { m_color = c; }
    QColor background() const { return m_background; }
    void setBackground(const QColor &c) { m_background = c; }
    // A transparent printable does not fill its background.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on) { m_transparent = on; }

    HAlign alignment() const { return m_alignment; }
    void setAlignment(HAlign a) { m_alignment = a; }
    // Sits at the band's left edge, centre or right edge according to the alignment.
    bool alignToBand() const { return m_alignToBand; }
    void setAlignToBand(bool on) { m_alignToBand = on; }
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on) { m_autoSize = on; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool on) { m_wordWrap = on; }
    bool autoStretch() const { return m_autoStretch; }
    void setAutoStretch(bool on) { m_autoStretch = on; }
    bool stretch() const { return m_stretch; }
    void setStretch(bool on) { m_stretch = on; }
    bool visible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }
    // Text that does not fit its box (when it neither auto-sizes nor stretches) ends at the
    // last whole line that fits, with "…", instead of being cut through a line.
    bool elide() const { return m_elide; }
    void setElide(bool on) { m_elide = on; }

    // Measure: the height the printable needs in a band of `bandWidth` (auto-stretch).
    virtual double neededHeight(const PrintContext &ctx, double bandWidth) const;
    // Place: appends the printable's primitives for a band landed at `band`.
    virtual void print(const PrintContext &ctx, const QRectF &band, Page &page) const = 0;
    // The box as set (Left, Top, Width, Height, alignment) in a band landed at `band`: where
    // the printable sits when it printed nothing.
    QRectF nominalBox(const QRectF &band) const;

protected:
    // x of the box inside a band of `bandWidth` for a box of width `w` (align-to-band, and
    // auto-size keeping the edge the alignment names).
    double boxLeft(double w, double bandWidth) const;

private:
    friend class Band;
    const FontSpec *m_reportFont = nullptr;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    std::optional<FontSpec> m_font;
    QColor m_color = Qt::black;
    QColor m_background = Qt::white;
    bool m_transparent = false;
    HAlign m_alignment = HAlign::Left;
    bool m_alignToBand = false;
    bool m_autoSize = false;
    bool m_wordWrap = false;
    bool m_autoStretch = false;
    bool m_stretch = false;
    bool m_visible = true;
    bool m_elide = false;
};

// A printable that shows a text.
class TextPrintable : public Printable {
public:
    virtual QString text(const PrintContext &ctx) const = 0;

    double neededHeight(const PrintContext &ctx, double bandWidth) const override;
    void print(const PrintContext &ctx, const QRectF &band, Page &page) const override;

    // The box the text takes in a band of `bandWidth`, relative to the band.
    QRectF box(const QString &text, double bandWidth) const;

protected:
    // A label with an empty caption prints nothing; other texts still fill their background.
    virtual bool printsWhenEmpty() const { return true; }
};

// A printable that shows a picture.
class PicturePrintable : public Printable {
public:
    virtual QImage picture(const PrintContext &ctx) const = 0;

    // The picture's colour at its bottom-left pixel becomes see-through.
    bool transparentPicture() const { return m_transparentPicture; }
    void setTransparentPicture(bool on) { m_transparentPicture = on; }
    // With stretch: the picture keeps its proportions, as large as the box allows and centred
    // in it, instead of being distorted to the box's shape.
    bool keepAspect() const { return m_keepAspect; }
    void setKeepAspect(bool on) { m_keepAspect = on; }
    // With stretch: the picture keeps its proportions and fills the whole box, cut centred
    // where it is wider or taller than the box.
    bool cover() const { return m_cover; }
    void setCover(bool on) { m_cover = on; }

    void print(const PrintContext &ctx, const QRectF &band, Page &page) const override;

private:
    bool m_transparentPicture = false;
    bool m_keepAspect = false;
    bool m_cover = false;
};

} // namespace kb::report
