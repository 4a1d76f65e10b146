#include "platform/PictureDecode.h"

#include "platform/Error.h"

#include <QBuffer>
#include <QImageReader>

namespace kb {

QSize fittedPictureSize(const QSize &stored, const PictureFit &fit)
{
    if (!fit.size.isValid() || fit.size.isEmpty())
        return stored;
    if (fit.cover) {
        if (stored.width() <= fit.size.width() || stored.height() <= fit.size.height())
            return stored;
        return stored.scaled(fit.size, Qt::KeepAspectRatioByExpanding).expandedTo(QSize(1, 1));
    }
    if (fit.keepAspect) {
        if (stored.width() <= fit.size.width() && stored.height() <= fit.size.height())
            return stored;
        return stored.scaled(fit.size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    }
    return stored.boundedTo(fit.size);
}

QString pictureTooLargeMessage(const QSize &size)
{
    return QStringLiteral("Das Bild ist mit %1 × %2 Bildpunkten zu groß; erlaubt sind höchstens "
                          "%3 Millionen Bildpunkte.")
        .arg(size.width())
        .arg(size.height())
        .arg(kMaxPicturePixels / 1'000'000);
}

void checkPictureSize(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const QSize stored = QImageReader(&buffer).size();
    if (stored.isValid() && qint64(stored.width()) * stored.height() > kMaxPicturePixels)
        throw Error(pictureTooLargeMessage(stored));
}

QImage decodePicture(const QByteArray &bytes, const PictureFit &fit)
{
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Formats that cannot tell their size before decoding still stop at this much memory.
    reader.setAllocationLimit(int(kMaxPicturePixels * 4 / (1024 * 1024)));
    const QSize stored = reader.size();
    if (stored.isValid() && qint64(stored.width()) * stored.height() > kMaxPicturePixels)
        throw Error(pictureTooLargeMessage(stored));
    const QSize wanted = stored.isValid() ? fittedPictureSize(stored, fit) : QSize();
    if (wanted.isValid() && wanted != stored)
        reader.setScaledSize(wanted);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (!stored.isValid()) {
        const QSize size = fittedPictureSize(image.size(), fit);
        if (size != image.size())
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

} // namespace kb
