#include "report/Printables.h"

#include "report/FieldFormat.h"

#include <QImageReader>
#include <cmath>

namespace kb::report {

QString FieldText::text(const PrintContext &ctx) const
{
    const DataSet *source = m_dataSet ? m_dataSet : ctx.dataSet;
    if (!source)
        return {};
    return formatFieldValue(source->value(m_field), m_mask);
}

QImage FieldImage::picture(const PrintContext &ctx) const
{
    const DataSet *source = m_dataSet ? m_dataSet : ctx.dataSet;
    if (!source)
        return {};
    // A picture stretched into its box is kept only as large as it prints: the box at
    // kPictureDetail dots per layout pixel. Unstretched and self-sizing pictures print their
    // own pixels.
    PictureFit fit;
    if (stretch() && !autoSize() && width() > 0 && height() > 0) {
        // A photo covering its box is kept at 2 dots per layout pixel (192 dots per inch on
        // paper): sharp in print, and a year of camera photos decodes and prints in a second.
        const double detail = cover() ? 2.0 : kPictureDetail;
        fit.size = QSize(int(std::ceil(width() * detail)), int(std::ceil(height() * detail)));
        fit.keepAspect = keepAspect();
        fit.cover = cover();
    }
    return source->picture(m_field, fit);
}

bool Picture::loadFromFile(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // A picture too large to hold counts as unreadable; its size is known before decoding.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPicturePixels) {
        m_image = QImage();
        return false;
    }
    m_image = reader.read();
    return !m_image.isNull();
}

void Shape::print(const PrintContext &, const QRectF &band, Page &page) const
{
    if (!visible())
        return;
    const QRectF r(
        band.left() + boxLeft(width(), band.width()), band.top() + top(), width(), height());
    switch (m_kind) {
    case Kind::Rectangle: {
        RectItem item;
        item.rect = r;
        if (!transparent())
            item.fill = background();
        if (m_pen.style != Qt::NoPen && m_pen.width > 0)
            item.frame = m_pen;
        page.items.emplace_back(item);
        break;
    }
    case Kind::HorizontalLine:
        page.items.emplace_back(
            LineItem { QLineF(r.left(), r.center().y(), r.right(), r.center().y()), m_pen });
        break;
    case Kind::VerticalLine:
        page.items.emplace_back(
            LineItem { QLineF(r.center().x(), r.top(), r.center().x(), r.bottom()), m_pen });
        break;
    }
}

QString SystemData::text(const PrintContext &ctx) const
{
    QString value;
    switch (m_kind) {
    case Kind::Date:
        value = ctx.now.date().toString(QStringLiteral("dd.MM.yyyy"));
        break;
    case Kind::Time:
        value = ctx.now.time().toString(QStringLiteral("hh:mm:ss"));
        break;
    case Kind::DateTime:
        value = ctx.now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
        break;
    case Kind::PageNumber:
        value = QString::number(ctx.pageNumber);
        break;
    case Kind::DetailCount:
        value = QString::number(ctx.detailCount);
        break;
    case Kind::DetailNumber:
        value = QString::number(ctx.detailNumber);
        break;
    case Kind::ReportTitle:
        value = ctx.reportTitle;
        break;
    }
    return m_prefix + value;
}

} // namespace kb::report
