#include "report/MemoryDataSet.h"

namespace kb::report {

void MemoryDataSet::first()
{
    m_index = 0;
    m_eof = m_records.empty();
}

void MemoryDataSet::next()
{
    if (m_eof)
        return;
    if (m_index + 1 < m_records.size())
        ++m_index;
    else
        m_eof = true;
}

QVariant MemoryDataSet::value(const QString &field) const
{
    if (m_records.empty())
        return {};
    return m_records[m_index].value(field);
}

QImage MemoryDataSet::image(const QString &field) const
{
    const QVariant v = value(field);
    if (v.canConvert<QImage>())
        return v.value<QImage>();
    if (v.typeId() == QMetaType::QByteArray)
        return decodePicture(v.toByteArray());
    return {};
}

QImage DataSet::picture(const QString &field, const PictureFit &fit) const
{
    const QImage stored = image(field);
    const QSize size = fittedPictureSize(stored.size(), fit);
    if (stored.isNull() || size == stored.size())
        return stored;
    return stored.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace kb::report
