#include "pictures/Thumbnail.h"
#include "BilderTestUtil.h"
#include "support/TestUtil.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace kb;
using namespace kb::test;

namespace {

const QColor kGrau = QColor::fromRgb(kThumbnailGrau);

TEST(Thumbnail, HeightFollowsTheOldRule)
{
    struct Fall {
        const char *was;
        QSize quelle;
        int hoehe;
    };
    const Fall faelle[] = {
        // a = 4000 div (3000 div 120 + 1) = 153 > 90: 3000 div (4000 div 90) = 3000 div 44
        { "12 megapixels landscape", { 4000, 3000 }, 68 },
        // a = 3000 div 34 = 88 < 90
        { "12 megapixels portrait", { 3000, 4000 }, 119 },
        // a = 180 div 2 = 90 exactly
        { "a of exactly 90", { 180, 120 }, 120 },
        { "smaller than the cell", { 60, 40 }, 119 },
        { "640 x 480", { 640, 480 }, 480 / 7 },
        // 50 div (9000 div 90) would be 0
        { "thin panorama keeps a line", { 9000, 50 }, 1 },
        { "empty", { 0, 0 }, 0 },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(thumbnailHoehe(f.quelle), f.hoehe) << f.was;
}

TEST(Thumbnail, PictureIsStretchedToTheWidthAndCentredOnGrey)
{
    const QImage t = thumbnailBauen(zweifarbig({ 4000, 3000 }), QStringLiteral("urlaub.jpg"));
    ASSERT_EQ(t.size(), QSize(90, 120));
    // Drawn 68 high from 60 - 34 = 26 to 94.
    EXPECT_EQ(t.pixelColor(45, 10), kGrau);
    EXPECT_TRUE(aehnlich(t.pixelColor(2, 30), Qt::red));
    EXPECT_TRUE(aehnlich(t.pixelColor(87, 90), Qt::blue));
    EXPECT_EQ(t.pixelColor(45, 100), QColor(Qt::white)); // below the grey, above the name
}

TEST(Thumbnail, HeightOfAFileFollowsItsOwnSizeNotTheReducedDecode)
{
    TempDir dir;
    // 1200 x 900 is drawn 900 div (1200 div 90) = 69 high from 26; decoded at 1/8 as
    // 150 x 113, the rule would give 113. A 640 x 480 bitmap: 68 high from 26.
    const struct {
        const char *name;
        QByteArray bytes;
    } faelle[] = {
        { "quer.jpg", testJpeg({ 1200, 900 }) },
        { "quer.bmp", testBmp({ 640, 480 }) },
    };
    for (const auto &f : faelle) {
        const QImage t
            = thumbnailAusDatei(bildDatei(dir.file(QString::fromLatin1(f.name)), f.bytes));
        EXPECT_EQ(t.pixelColor(45, 20), kGrau) << f.name;
        EXPECT_TRUE(aehnlich(t.pixelColor(2, 30), Qt::red)) << f.name;
        EXPECT_TRUE(aehnlich(t.pixelColor(87, 90), Qt::blue)) << f.name;
        EXPECT_EQ(t.pixelColor(45, 100), QColor(Qt::white)) << f.name;
    }
}

TEST(Thumbnail, FileThatIsNoPictureIsGreyWithItsName)
{
    const QImage ohne = thumbnailBauen(QImage(), QString());
    const QImage mitName = thumbnailBauen(QImage(), QStringLiteral("kaputt.jpg"));
    EXPECT_EQ(ohne.pixelColor(45, 45), kGrau);
    EXPECT_EQ(ohne.pixelColor(45, 90), kGrau);
    EXPECT_EQ(ohne.pixelColor(45, 92), QColor(Qt::white));
    // The name is written into the white strip below the grey.
    EXPECT_NE(mitName.copy(0, 110, 90, 10), ohne.copy(0, 110, 90, 10));
    EXPECT_EQ(mitName.copy(0, 0, 90, 100), ohne.copy(0, 0, 90, 100));
}

TEST(Thumbnail, BadFilesGiveGreyThumbnails)
{
    TempDir dir;
    const QByteArray jpg = testJpeg({ 800, 600 });
    QByteArray bmp = testBmp({ 40, 30 });
    bmp[1] = 'X';
    const struct {
        const char *name;
        QByteArray bytes;
    } faelle[] = {
        { "text.jpg", QByteArray("Dies ist kein Bild.") }, { "leer.JPG", QByteArray() },
        { "kopf.bmp", bmp }, { "riesig.jpg", mitKopfgroesse(jpg, { 65000, 65000 }) },
        { "ohneEndungJPEG", jpg }, // listed by the mask, but of no picture kind
    };
    for (const auto &f : faelle) {
        const QImage t
            = thumbnailAusDatei(bildDatei(dir.file(QString::fromLatin1(f.name)), f.bytes));
        ASSERT_EQ(t.size(), QSize(90, 120)) << f.name;
        EXPECT_EQ(t.pixelColor(45, 60), kGrau) << f.name;
    }
    EXPECT_EQ(thumbnailAusDatei(dir.file(QStringLiteral("fehlt.jpg"))).pixelColor(45, 60), kGrau);
}

TEST(Thumbnail, TruncatedJpegShowsWhatCouldBeRead)
{
    TempDir dir;
    const QByteArray jpg = testJpeg({ 800, 600 });
    const QImage t = thumbnailAusDatei(
        bildDatei(dir.file(QStringLiteral("halb.jpg")), jpg.left(jpg.size() * 2 / 3)));
    EXPECT_TRUE(aehnlich(t.pixelColor(5, 30), Qt::red)); // the top rows were in the file
}

TEST(Thumbnail, CacheKeyChangesWithTheFile)
{
    TempDir dir;
    const QString pfad = bildDatei(dir.file(QStringLiteral("a.jpg")), testJpeg({ 100, 80 }));
    const auto datei = [&] {
        const QFileInfo info(pfad);
        return Bilddatei { info.fileName(), pfad, info.size(), info.lastModified() };
    };
    const QString vorher = datei().schluessel();
    bildDatei(pfad, testJpeg({ 120, 80 }, Qt::green, Qt::green));
    QFile(pfad).setFileTime(
        QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    EXPECT_NE(datei().schluessel(), vorher);
}

TEST(Thumbnail, CacheDropsTheOldestBeyondItsBudget)
{
    const QImage t = thumbnailBauen(QImage(), QString());
    ThumbnailCache cache(t.sizeInBytes() * 3);
    for (int i = 0; i < 5; ++i)
        cache.ablegen(QString::number(i), t);
    EXPECT_EQ(cache.anzahl(), 3);
    EXPECT_LE(cache.bytes(), t.sizeInBytes() * 3);
    EXPECT_EQ(cache.finden(QStringLiteral("0")), nullptr);
    EXPECT_NE(cache.finden(QStringLiteral("4")), nullptr);
}

TEST(Thumbnail, LoaderMakesThumbnailsOffTheCallingThreadAndDropsUnwantedRequests)
{
    TempDir dir;
    QList<Bilddatei> dateien;
    for (int i = 0; i < 6; ++i) {
        const QString pfad
            = bildDatei(dir.file(QStringLiteral("%1.jpg").arg(i)), testJpeg({ 400, 300 }));
        const QFileInfo info(pfad);
        dateien.append({ info.fileName(), pfad, info.size(), info.lastModified() });
    }
    ThumbnailCache cache;
    ThumbnailLader lader(cache);
    QSignalSpy fertig(&lader, &ThumbnailLader::fertig);
    for (const Bilddatei &d : dateien)
        lader.anfordern(d);
    lader.nurNoch({ dateien[0].schluessel(), dateien[5].schluessel() });
    lader.warten();
    // Delivered on this thread's event loop only.
    EXPECT_EQ(cache.anzahl(), 0);
    QCoreApplication::processEvents();
    // The two wanted ones certainly; those already running when the others were dropped may
    // come as well, but not all six need to.
    EXPECT_NE(cache.finden(dateien[0].schluessel()), nullptr);
    EXPECT_NE(cache.finden(dateien[5].schluessel()), nullptr);
    EXPECT_EQ(fertig.count(), cache.anzahl());
    EXPECT_FALSE(lader.wartet(dateien[0].schluessel()));
    // A cached thumbnail is not made again.
    lader.anfordern(dateien[0]);
    EXPECT_FALSE(lader.wartet(dateien[0].schluessel()));
}

} // namespace
