#include "pictures/Bildregeln.h"
#include "BilderTestUtil.h"
#include "platform/Jpeg.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kb;
using namespace kb::test;

namespace {

// --- the codec --------------------------------------------------------------------------

TEST(Jpeg, EncodedPictureDecodesWithItsSizeAndColours)
{
    const QByteArray bytes = testJpeg(QSize(320, 200));
    ASSERT_EQ(jpeg::groesse(bytes), QSize(320, 200));
    const QImage bild = jpeg::lesen(bytes);
    ASSERT_EQ(bild.size(), QSize(320, 200));
    EXPECT_TRUE(aehnlich(bild.pixelColor(10, 100), Qt::red));
    EXPECT_TRUE(aehnlich(bild.pixelColor(310, 100), Qt::blue));
}

TEST(Jpeg, ScaledDecodeIsTheSmallestDctScaleNotBelowTheWantedSize)
{
    struct Fall {
        const char *was;
        QSize quelle, mindestens, erwartet;
    };
    const Fall faelle[] = {
        { "12 megapixels for a thumbnail: 1/8", { 4000, 3000 }, { 90, 68 }, { 500, 375 } },
        { "12 megapixels for a month picture: 1/4", { 4000, 3000 }, { 640, 480 }, { 1000, 750 } },
        { "odd sizes round up", { 4001, 3001 }, { 90, 68 }, { 501, 376 } },
        { "smaller than wanted: full size", { 300, 900 }, { 480, 640 }, { 300, 900 } },
        { "no wanted size: full size", { 1600, 1200 }, {}, { 1600, 1200 } },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(jpeg::skalierteGroesse(f.quelle, f.mindestens), f.erwartet) << f.was;
}

TEST(Jpeg, ScaledDecodeDeliversTheScaledSize)
{
    const QImage bild = jpeg::lesen(testJpeg(QSize(1600, 1200)), QSize(90, 68));
    EXPECT_EQ(bild.size(), QSize(200, 150));
    EXPECT_TRUE(aehnlich(bild.pixelColor(5, 75), Qt::red));
    EXPECT_TRUE(aehnlich(bild.pixelColor(195, 75), Qt::blue));
}

TEST(Jpeg, BadInputIsRefusedWithAMessage)
{
    const QByteArray gut = testJpeg(QSize(400, 300));
    struct Fall {
        const char *was;
        QByteArray bytes;
        const char *meldung;
    };
    const Fall faelle[] = {
        { "empty", QByteArray(), "kein lesbares JPEG-Bild" },
        { "text", QByteArray("Hallo, ich bin kein Bild"), "kein lesbares JPEG-Bild" },
        { "header only", gut.left(20), "kein lesbares JPEG-Bild" },
        { "truncated", gut.left(gut.size() / 2), "beschädigt oder unvollständig" },
        { "20000 x 20000", mitKopfgroesse(gut, QSize(20000, 20000)),
            "zu groß (20000 × 20000 Bildpunkte)" },
    };
    for (const Fall &f : faelle) {
        const QString meldung = errorOf([&] { jpeg::lesen(f.bytes); });
        EXPECT_TRUE(meldung.contains(QString::fromUtf8(f.meldung)))
            << f.was << ": " << meldung.toStdString();
    }
}

TEST(Jpeg, TruncatedFileStillMakesAThumbnailWhenLenient)
{
    const QByteArray gut = testJpeg(QSize(400, 300));
    const QImage bild
        = jpeg::lesen(gut.left(gut.size() * 2 / 3), QSize(90, 68), jpeg::Nachsicht::Nachsichtig);
    ASSERT_EQ(bild.size(), QSize(100, 75));
    EXPECT_TRUE(aehnlich(bild.pixelColor(5, 2), Qt::red)); // the part read before the cut
}

TEST(Jpeg, HugePictureIsDecodedForAThumbnailOnlyAtReducedScale)
{
    // 20000 x 20000 at 1/8 is 2500 x 2500: within the limit, so the thumbnail is tried (and
    // comes out grey where the data is missing) without allocating 1.6 GB.
    const QByteArray riesig = mitKopfgroesse(testJpeg(QSize(400, 300)), QSize(20000, 20000));
    const QImage bild = jpeg::lesen(riesig, QSize(90, 120), jpeg::Nachsicht::Nachsichtig);
    EXPECT_EQ(bild.size(), QSize(2500, 2500));
    // At the largest size the format allows even 1/8 is too much.
    const QByteArray groesste = mitKopfgroesse(testJpeg(QSize(400, 300)), QSize(65000, 65000));
    EXPECT_TRUE(errorOf([&] {
        jpeg::lesen(groesste, QSize(90, 120), jpeg::Nachsicht::Nachsichtig);
    }).contains(QStringLiteral("zu groß")));
}

TEST(Jpeg, EmptyPictureIsNotEncoded)
{
    EXPECT_FALSE(errorOf([] { jpeg::schreiben(QImage()); }).isEmpty());
}

// --- the picture rules ------------------------------------------------------------------

TEST(Bildregeln, KindFollowsTheExtensionInAnyLetterCase)
{
    struct Fall {
        const char *name;
        Bildart art;
    };
    const Fall faelle[] = {
        { "a.jpg", Bildart::Jpeg },
        { "a.JPG", Bildart::Jpeg },
        { "a.Jpg", Bildart::Jpeg },
        { "a.jpeg", Bildart::Jpeg },
        { "a.JPEG", Bildart::Jpeg },
        { "a.bmp", Bildart::Bitmap },
        { "a.BMP", Bildart::Bitmap },
        { "bildJPEG", Bildart::Keine }, // the mask "*JPEG" lists it, but it has no extension
        { "a.png", Bildart::Keine },
        { "a.jpg.txt", Bildart::Keine },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(bildart(QString::fromLatin1(f.name)), f.art) << f.name;
}

TEST(Bildregeln, MonthPictureSizeByOrientation)
{
    EXPECT_EQ(monatsbildGroesse(QSize(1600, 1200)), QSize(640, 480));
    EXPECT_EQ(monatsbildGroesse(QSize(300, 900)), QSize(480, 640));
    EXPECT_EQ(monatsbildGroesse(QSize(500, 500)), QSize(480, 640)); // square counts as portrait
    EXPECT_EQ(monatsbildGroesse(QSize(501, 500)), QSize(640, 480));
}

TEST(Bildregeln, FilesAreTakenOverAtTheMonthPictureSize)
{
    TempDir dir;
    struct Fall {
        const char *was;
        QString pfad;
        QSize erwartet;
    };
    const Fall faelle[] = {
        { "landscape JPEG",
            bildDatei(dir.file(QStringLiteral("quer.jpg")), testJpeg({ 1600, 1200 })),
            { 640, 480 } },
        { "portrait bitmap", bildDatei(dir.file(QStringLiteral("hoch.BMP")), testBmp({ 300, 900 })),
            { 480, 640 } },
        { "square JPEG", bildDatei(dir.file(QStringLiteral("quadrat.JPG")), testJpeg({ 800, 800 })),
            { 480, 640 } },
        { ".jpeg like .jpg",
            bildDatei(dir.file(QStringLiteral("lang.jpeg")), testJpeg({ 900, 600 })),
            { 640, 480 } },
        // Decoded at 1/8 this would be 125 x 125 and so count as portrait.
        { "nearly square stays landscape",
            bildDatei(dir.file(QStringLiteral("fast.jpg")), testJpeg({ 1000, 993 })),
            { 640, 480 } },
    };
    for (const Fall &f : faelle) {
        const QImage bild = monatsbildAusDatei(f.pfad);
        ASSERT_EQ(bild.size(), f.erwartet) << f.was;
        EXPECT_EQ(bild.format(), QImage::Format_RGB32) << f.was;
        // Filled, not letter-boxed: the picture's own colours reach all four corners.
        const int r = bild.width() - 1, u = bild.height() - 1;
        EXPECT_TRUE(aehnlich(bild.pixelColor(0, 0), Qt::red)) << f.was;
        EXPECT_TRUE(aehnlich(bild.pixelColor(0, u), Qt::red)) << f.was;
        EXPECT_TRUE(aehnlich(bild.pixelColor(r, 0), Qt::blue)) << f.was;
        EXPECT_TRUE(aehnlich(bild.pixelColor(r, u), Qt::blue)) << f.was;
    }
}

// A circle in the middle of the picture, black on white.
QImage kreisBild(QSize groesse, int radius)
{
    QImage bild(groesse, QImage::Format_RGB32);
    bild.fill(Qt::white);
    QPainter p(&bild);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(groesse.width() / 2, groesse.height() / 2), radius, radius);
    return bild;
}

// Width and height of the dark shape through the picture's middle.
QSize dunkleAusdehnung(const QImage &bild)
{
    int breit = 0, hoch = 0;
    for (int x = 0; x < bild.width(); ++x)
        breit += qGray(bild.pixel(x, bild.height() / 2)) < 128;
    for (int y = 0; y < bild.height(); ++y)
        hoch += qGray(bild.pixel(bild.width() / 2, y)) < 128;
    return { breit, hoch };
}

// Square and panorama photos are cut centred to the month picture's shape before they are
// scaled: a circle stays round, and what lies outside the middle part is left away.
TEST(Bildregeln, MonthPicturesAreCutToShapeNotSquashed)
{
    TempDir dir;
    const struct {
        const char *was;
        QImage quelle;
        QSize erwartet;
    } faelle[] = {
        { "square", kreisBild({ 600, 600 }, 150), { 480, 640 } },
        { "panorama", kreisBild({ 1800, 400 }, 120), { 640, 480 } },
        { "tall strip", kreisBild({ 300, 1500 }, 100), { 480, 640 } },
        { "month shape already", kreisBild({ 640, 480 }, 100), { 640, 480 } },
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.was);
        const QString pfad = dir.file(QString::fromUtf8(f.was) + QStringLiteral(".bmp"));
        ASSERT_TRUE(f.quelle.save(pfad, "BMP"));
        for (const QImage &bild : { monatsbild(f.quelle), monatsbildAusDatei(pfad) }) {
            ASSERT_EQ(bild.size(), f.erwartet);
            const QSize kreis = dunkleAusdehnung(bild);
            EXPECT_GT(kreis.width(), 100);
            EXPECT_NEAR(kreis.width(), kreis.height(), 3);
            // The corners hold the picture's own white, not a border.
            EXPECT_TRUE(aehnlich(bild.pixelColor(0, 0), Qt::white));
            EXPECT_TRUE(aehnlich(bild.pixelColor(bild.width() - 1, bild.height() - 1), Qt::white));
        }
    }
    EXPECT_TRUE(monatsbild(QImage()).isNull());
}

TEST(Bildregeln, TheEnlargedPictureBoxKeepsThePicturesProportions)
{
    const struct {
        QSize bild;
        QRect box;
    } faelle[] = {
        { { 480, 640 }, QRect(16, 32, 233, 304) },
        { { 500, 500 }, QRect(16, 32, 233, 304) },
        { { 640, 480 }, QRect(16, 32, 304, 228) },
        { { 1800, 400 }, QRect(16, 32, 304, 68) },
        { {}, QRect(16, 32, 233, 304) },
    };
    for (const auto &f : faelle)
        EXPECT_EQ(startBildBox(f.bild), f.box) << f.bild.width() << "x" << f.bild.height();
}

TEST(Bildregeln, BadFilesAreRefusedWithAMessageNamingThem)
{
    TempDir dir;
    QByteArray kaputteBmp = testBmp({ 40, 30 });
    kaputteBmp[0] = 'X'; // no "BM" signature
    QByteArray kurzeBmp = testBmp({ 40, 30 }).left(30);
    const QByteArray grosseBmp = testBmp({ 640, 480 });
    const QByteArray jpg = testJpeg({ 400, 300 });
    struct Fall {
        const char *datei;
        QByteArray bytes;
        const char *meldung;
    };
    const Fall faelle[] = {
        { "text.jpg", QByteArray("kein Bild"),
            "\"text.jpg\": Die Datei ist kein lesbares JPEG-Bild." },
        { "halb.jpg", jpg.left(jpg.size() / 2), "\"halb.jpg\": Das JPEG-Bild ist beschädigt" },
        // Taken over at a reduced scale, so it is not too large, but its data is missing.
        { "riesig.jpg", mitKopfgroesse(jpg, { 20000, 20000 }),
            "\"riesig.jpg\": Das JPEG-Bild ist beschädigt" },
        { "kopf.bmp", kaputteBmp, "Die Datei \"kopf.bmp\" ist kein lesbares Bitmap-Bild" },
        { "kurz.bmp", kurzeBmp, "Die Datei \"kurz.bmp\" ist kein lesbares Bitmap-Bild" },
        // Cut inside the pixel data: the decoder would give the missing rows in black.
        { "dreiviertel.bmp", grosseBmp.left(grosseBmp.size() * 3 / 4),
            "Die Datei \"dreiviertel.bmp\" ist kein lesbares Bitmap-Bild: sie ist beschädigt oder "
            "unvollständig" },
        { "tausend.bmp", grosseBmp.left(1000),
            "Die Datei \"tausend.bmp\" ist kein lesbares Bitmap-Bild: sie ist beschädigt oder "
            "unvollständig" },
        { "einbytezuwenig.bmp", grosseBmp.chopped(1),
            "Die Datei \"einbytezuwenig.bmp\" ist kein lesbares Bitmap-Bild: sie ist beschädigt "
            "oder unvollständig" },
        { "bild.png", QByteArray("x"),
            "Die Datei \"bild.png\" ist kein Bild, das geladen werden kann" },
    };
    for (const Fall &f : faelle) {
        const QString pfad = bildDatei(dir.file(QString::fromLatin1(f.datei)), f.bytes);
        const QString meldung = errorOf([&] { monatsbildAusDatei(pfad); });
        EXPECT_TRUE(meldung.startsWith(QString::fromUtf8(f.meldung))
            || meldung.contains(QString::fromUtf8(f.meldung)))
            << f.datei << ": " << meldung.toStdString();
    }
    EXPECT_TRUE(errorOf([&] {
        monatsbildAusDatei(dir.file(QStringLiteral("fehlt.jpg")));
    }).startsWith(QStringLiteral("Die Datei \"fehlt.jpg\" kann nicht gelesen werden")));
}

TEST(Bildregeln, HugeBitmapIsRefusedBeforeDecoding)
{
    // 7100 x 7100 pixels at one bit each: a file of 6 MB that would take 200 MB decoded.
    QImage schwarzweiss(7100, 7100, QImage::Format_Mono);
    schwarzweiss.fill(0);
    QByteArray bmp;
    QBuffer puffer(&bmp);
    puffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(schwarzweiss.save(&puffer, "BMP"));
    TempDir dir;
    const QString pfad = bildDatei(dir.file(QStringLiteral("riesig.bmp")), bmp);
    EXPECT_EQ(errorOf([&] { bildLesen(pfad); }),
        QStringLiteral("Das Bild \"riesig.bmp\" ist zu groß (7100 × 7100 Bildpunkte). Es können "
                       "Bilder mit höchstens 50 Millionen Bildpunkten geladen werden."));
}

TEST(Bildregeln, HugeJpegIsRefusedAtFullSize)
{
    TempDir dir;
    const QString pfad = bildDatei(dir.file(QStringLiteral("riesig.jpg")),
        mitKopfgroesse(testJpeg({ 400, 300 }), { 20000, 20000 }));
    EXPECT_EQ(errorOf([&] { bildLesen(pfad); }),
        QStringLiteral("\"riesig.jpg\": Das Bild ist zu groß (20000 × 20000 Bildpunkte). Es können "
                       "Bilder mit höchstens 50 Millionen Bildpunkten geladen werden."));
}

} // namespace
