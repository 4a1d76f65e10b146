#pragma once

#include "report/Printable.h"

namespace kb::report {

// A fixed caption. An empty caption prints nothing.
class Label final : public TextPrintable {
public:
    explicit Label(QString caption = {})
        : m_caption(std::move(caption))
    {
    }
    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }
    QString text(const PrintContext &) const override { return m_caption; }

protected:
    bool printsWhenEmpty() const override { return false; }

private:
    QString m_caption;
};

// The current record's value of one field, shown through an optional display mask ("d" is the
// day of month of a date). Reads the report's data set unless given one of its own.
class FieldText final : public TextPrintable {
public:
    explicit FieldText(QString field = {}, QString mask = {})
        : m_field(std::move(field))
        , m_mask(std::move(mask))
    {
    }
    const QString &field() const { return m_field; }
    void setField(const QString &field) { m_field = field; }
    const QString &mask() const { return m_mask; }
    void setMask(const QString &mask) { m_mask = mask; }
    void setDataSet(const DataSet *dataSet) { m_dataSet = dataSet; }
    QString text(const PrintContext &ctx) const override;

private:
    QString m_field;
    QString m_mask;
    const DataSet *m_dataSet = nullptr;
};

// Picture dots kept per layout pixel of a stretched picture's box: 3 gives 288 dots per inch
// on paper.
inline constexpr double kPictureDetail = 3.0;

// The current record's picture from a graphic field.
class FieldImage final : public PicturePrintable {
public:
    explicit FieldImage(QString field = {})
        : m_field(std::move(field))
    {
    }
    const QString &field() const { return m_field; }
    void setField(const QString &field) { m_field = field; }
    void setDataSet(const DataSet *dataSet) { m_dataSet = dataSet; }
    QImage picture(const PrintContext &ctx) const override;

private:
    QString m_field;
    const DataSet *m_dataSet = nullptr;
};

// A picture of its own, for instance loaded from a file.
class Picture final : public PicturePrintable {
public:
    explicit Picture(QImage image = {})
        : m_image(std::move(image))
    {
    }
    const QImage &image() const { return m_image; }
    void setImage(const QImage &image) { m_image = image; }
    // Loads the picture file at `path`; a missing or unreadable file leaves the picture empty
    // and returns false.
    bool loadFromFile(const QString &path);
    QImage picture(const PrintContext &) const override { return m_image; }

private:
    QImage m_image;
};

// A line or a rectangle in the printable's box.
class Shape final : public Printable {
public:
    enum class Kind { Rectangle, HorizontalLine, VerticalLine };

    explicit Shape(Kind kind = Kind::Rectangle)
        : m_kind(kind)
    {
        setTransparent(true);
    }
    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }
    const PenSpec &pen() const { return m_pen; }
    void setPen(const PenSpec &pen) { m_pen = pen; }
    // A rectangle is filled with background() unless the shape is transparent (the default).
    void print(const PrintContext &ctx, const QRectF &band, Page &page) const override;

private:
    Kind m_kind;
    PenSpec m_pen;
};

// A value the report itself knows: date, time, page number, record counters, title.
class SystemData final : public TextPrintable {
public:
    enum class Kind { Date, Time, DateTime, PageNumber, DetailCount, DetailNumber, ReportTitle };

    explicit SystemData(Kind kind = Kind::Date)
        : m_kind(kind)
    {
    }
    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }
    // Text printed before the value.
    const QString &prefix() const { return m_prefix; }
    void setPrefix(const QString &prefix) { m_prefix = prefix; }
    QString text(const PrintContext &ctx) const override;

private:
    Kind m_kind;
    QString m_prefix;
};

} // namespace kb::report
