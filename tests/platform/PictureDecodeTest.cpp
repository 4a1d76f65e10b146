#include "platform/PictureDecode.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage filled(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

// A bitmap that only claims its size: the header of a 24-bit BMP, no pixels behind it.
QByteArray bitmapHeader(qint32 width, qint32 height)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54 + 64) << quint32(0) << quint32(54);
    out << quint32(40) << width << height << quint16(1) << quint16(24) << quint32(0) << quint32(0)
        << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    bytes.append(64, '\0');
    return bytes;
}

TEST(PictureDecode, APictureIsKeptOnlyAsLargeAsItPrints)
{
    const QByteArray png = encoded(filled(600, 400), "PNG");
    const QByteArray jpeg = encoded(filled(600, 400), "JPEG");
    const struct {
        const char *was;
        QByteArray bytes;
        kb::PictureFit fit;
        QSize expected;
    } cases[] = {
        { "as stored", png, {}, QSize(600, 400) },
        { "stretched into a symbol box", png, { QSize(51, 51), false }, QSize(51, 51) },
        { "JPEG stretched into a symbol box", jpeg, { QSize(51, 51), false }, QSize(51, 51) },
        { "keeping its proportions", png, { QSize(300, 300), true }, QSize(300, 200) },
        { "one side only larger", png, { QSize(1000, 100), false }, QSize(600, 100) },
        { "never enlarged", png, { QSize(2000, 2000), true }, QSize(600, 400) },
    };
    for (const auto &c : cases)
        EXPECT_EQ(kb::decodePicture(c.bytes, c.fit).size(), c.expected) << c.was;
}

TEST(PictureDecode, NoPictureGivesANullImage)
{
    EXPECT_TRUE(kb::decodePicture(QByteArray()).isNull());
    EXPECT_TRUE(kb::decodePicture("kein Bild").isNull());
    EXPECT_TRUE(kb::decodePicture(encoded(filled(10, 10), "PNG").left(30)).isNull());
}

TEST(PictureDecode, AHugePictureIsRefusedBeforeItIsDecoded)
{
    const QByteArray huge = bitmapHeader(9000, 9000);
    const QString message = QStringLiteral("Das Bild ist mit 9000 × 9000 Bildpunkten zu groß; "
                                           "erlaubt sind höchstens 50 Millionen Bildpunkte.");
    EXPECT_EQ(kb::test::errorOf([&] { kb::decodePicture(huge); }), message);
    EXPECT_EQ(kb::test::errorOf([&] {
        kb::decodePicture(huge, { QSize(17, 17), false });
    }),
        message);
    EXPECT_EQ(kb::test::errorOf([&] { kb::checkPictureSize(huge); }), message);
    // Just below the limit the header alone does not refuse it.
    EXPECT_EQ(
        kb::test::errorOf([&] { kb::checkPictureSize(bitmapHeader(5000, 5000)); }), QString());
}

} // namespace
