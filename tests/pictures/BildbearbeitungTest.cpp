#include "PicturesTestUtil.h"

#include "pictures/Bildbearbeitung.h"
#include "pictures/TQRBildForm.h"
#include "report/Previewer.h"

using namespace kb;
using test::zweifarbig;

namespace {

QRgb pixel(const QImage &bild, int x, int y)
{
    return bild.pixel(x, y) & RGB_MASK;
}

TEST(Graustufen, EveryPixelGetsTheWeightedGreyOfItsColours)
{
    struct Fall {
        const char *was;
        QRgb farbe;
        int grau; // (77 R + 151 G + 28 B) div 256, worked out by hand
    };
    const Fall faelle[] = {
        { "pure red", qRgb(255, 0, 0), 76 },
        { "white stays white: the weights add up to 256", qRgb(255, 255, 255), 255 },
        { "black", qRgb(0, 0, 0), 0 },
        { "pure green", qRgb(0, 255, 0), 150 },
        { "pure blue", qRgb(0, 0, 255), 27 },
        { "the division truncates", qRgb(10, 20, 30), 18 },
        { "a grey stays the grey it was", qRgb(128, 128, 128), 128 },
    };
    QImage bild(int(std::size(faelle)), 2, QImage::Format_ARGB32);
    for (int x = 0; x < bild.width(); ++x) {
        bild.setPixel(x, 0, faelle[x].farbe | 0xff000000);
        bild.setPixel(x, 1, faelle[x].farbe | 0xff000000);
    }
    graustufen(bild);
    for (int x = 0; x < bild.width(); ++x) {
        const int g = faelle[x].grau;
        EXPECT_EQ(pixel(bild, x, 0), qRgb(g, g, g) & RGB_MASK) << faelle[x].was;
        EXPECT_EQ(pixel(bild, x, 1), qRgb(g, g, g) & RGB_MASK) << faelle[x].was;
        EXPECT_EQ(
            grauwert(qRed(faelle[x].farbe), qGreen(faelle[x].farbe), qBlue(faelle[x].farbe)), g)
            << faelle[x].was;
    }
}

TEST(Graustufen, APictureOfAnyFormatBecomesGrey)
{
    QImage bild(4, 3, QImage::Format_RGB888);
    bild.fill(QColor(255, 0, 0));
    graustufen(bild);
    EXPECT_EQ(bild.size(), QSize(4, 3));
    EXPECT_EQ(pixel(bild, 3, 2), qRgb(76, 76, 76) & RGB_MASK);
}

TEST(Bildbearbeitung, MirroringTwiceGivesThePictureBackButStillCountsAsAChange)
{
    const QImage rotBlau = zweifarbig(QSize(64, 48), Qt::red, Qt::blue);
    Bildbearbeitung b(rotBlau);
    EXPECT_FALSE(b.frageBeimSchliessen());

    b.waagerechtSpiegeln();
    EXPECT_EQ(pixel(b.bild(), 0, 0), qRgb(0, 0, 255) & RGB_MASK);
    b.waagerechtSpiegeln();
    EXPECT_EQ(b.bild(), rotBlau.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(b.geaendert());
    EXPECT_TRUE(b.frageBeimSchliessen());
}

TEST(Bildbearbeitung, TopBottomMirrorFlipsRows)
{
    QImage bild(2, 2, QImage::Format_RGB32);
    bild.setPixel(0, 0, qRgb(255, 0, 0));
    bild.setPixel(1, 0, qRgb(255, 0, 0));
    bild.setPixel(0, 1, qRgb(0, 255, 0));
    bild.setPixel(1, 1, qRgb(0, 255, 0));
    Bildbearbeitung b(bild);
    b.senkrechtSpiegeln();
    EXPECT_EQ(pixel(b.bild(), 0, 0), qRgb(0, 255, 0) & RGB_MASK);
    EXPECT_EQ(pixel(b.bild(), 1, 1), qRgb(255, 0, 0) & RGB_MASK);
    EXPECT_TRUE(b.geaendert());
}

TEST(Bildbearbeitung, UndoAllAfterGreyscaleRestoresTheColoursAndAsksNothing)
{
    const QImage bild = zweifarbig(QSize(40, 30), Qt::red, Qt::green);
    Bildbearbeitung b(bild);
    b.graustufen();
    EXPECT_EQ(pixel(b.bild(), 0, 0), qRgb(76, 76, 76) & RGB_MASK);
    b.ovalUmranden();
    b.allesRueckgaengig();
    EXPECT_EQ(b.bild(), b.original());
    EXPECT_EQ(pixel(b.bild(), 0, 0), qRgb(255, 0, 0) & RGB_MASK);
    EXPECT_FALSE(b.geaendert());
    EXPECT_FALSE(b.frageBeimSchliessen());
}

TEST(Bildbearbeitung, AnOvalCutAfterAMirrorCutsTheUnmirroredPicture)
{
    Bildbearbeitung b(zweifarbig(QSize(640, 480), Qt::red, Qt::blue));
    b.waagerechtSpiegeln();
    b.ovalSchneiden();
    const QImage &oval = b.bild();
    ASSERT_EQ(oval.size(), QSize(300, 400));
    EXPECT_TRUE(b.geaendert());
    // Inside the ellipse the picture, stretched and not mirrored: red left, blue right.
    EXPECT_EQ(pixel(oval, 80, 200), qRgb(255, 0, 0) & RGB_MASK);
    EXPECT_EQ(pixel(oval, 220, 200), qRgb(0, 0, 255) & RGB_MASK);
    // Outside it white: the corners and beside the ellipse's narrowest rows.
    for (const QPoint &p : { QPoint(0, 0), QPoint(299, 0), QPoint(0, 399), QPoint(299, 399),
             QPoint(20, 20), QPoint(150 - 40, 2) })
        EXPECT_EQ(pixel(oval, p.x(), p.y()), qRgb(255, 255, 255) & RGB_MASK)
            << p.x() << "," << p.y();
}

TEST(Bildbearbeitung, TheOvalOutlineIsBlackOnTheEdgeAndLeavesTheMiddle)
{
    Bildbearbeitung b(zweifarbig(QSize(200, 100), Qt::white, Qt::white));
    b.ovalUmranden();
    const QImage &bild = b.bild();
    EXPECT_EQ(bild.size(), QSize(200, 100));
    // Where the ellipse touches the picture's edges (middle of each side) the pen is black.
    for (const QPoint &p : { QPoint(100, 1), QPoint(100, 98), QPoint(1, 50), QPoint(198, 50) })
        EXPECT_LT(qGray(bild.pixel(p)), 60) << p.x() << "," << p.y();
    EXPECT_EQ(pixel(bild, 100, 50), qRgb(255, 255, 255) & RGB_MASK);
    EXPECT_EQ(pixel(bild, 0, 0), qRgb(255, 255, 255) & RGB_MASK);
    EXPECT_TRUE(b.geaendert());
}

class BildSpeichernTest : public test::BilderTest { };

TEST_F(BildSpeichernTest, StoringWritesTheWorkingPictureIntoTheCurrentMonth)
{
    bildSpeichern(4, zweifarbig(QSize(64, 48), Qt::red, Qt::blue));
    bilder.refresh();
    monat(4);
    Bildbearbeitung b(bilder.image(QStringLiteral("Bild")));
    b.graustufen();
    b.speichern(bilder);
    EXPECT_EQ(bilder.state(), Table::State::Browse);
    const QImage gespeichert = QImage::fromData(gespeichertesBild(4));
    EXPECT_EQ(pixel(gespeichert, 0, 0), qRgb(76, 76, 76) & RGB_MASK);
    EXPECT_TRUE(gespeichertesBild(5).isEmpty());
}

TEST(TQRBildForm, OnePagePortraitA4WithThePictureOfTheBox60PixelsHigher)
{
    const QImage bild = zweifarbig(QSize(300, 400), Qt::red, Qt::blue);
    TQRBildForm form(bild, QRect(16, 80, 233, 304), true);
    const report::Document doc = form.generate();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.paper, report::PaperSize::A4);
    EXPECT_EQ(doc.orientation, report::Orientation::Portrait);
    EXPECT_EQ(form.report().margins(), (Margins { 0, 0, 0, 0 }));
    const report::Page &page = doc.pages.front();
    ASSERT_EQ(page.bands.size(), 1u);
    EXPECT_EQ(page.bands.front().kind, report::BandKind::Title);
    EXPECT_DOUBLE_EQ(page.bands.front().rect.height(), 145);
    std::vector<report::PictureItem> bilder;
    for (const report::Primitive &p : page.items) {
        if (const auto *pic = std::get_if<report::PictureItem>(&p))
            bilder.push_back(*pic);
    }
    ASSERT_EQ(bilder.size(), 1u);
    EXPECT_EQ(bilder.front().rect, QRectF(16, 20, 233, 304));
    EXPECT_EQ(pixel(bilder.front().image, 0, 0), qRgb(255, 0, 0) & RGB_MASK);
}

// The box as it sits in the window at its start (y 32) prints whole: not 28 pixels above the
// paper; a box larger than the page shrinks to it.
TEST(TQRBildForm, ThePictureAlwaysPrintsWholeOnThePage)
{
    const QSizeF a4(report::mmToPixels(210), report::mmToPixels(297));
    const struct {
        const char *was;
        QRect box;
        QRectF erwartet;
    } faelle[] = {
        { "box at its start", QRect(16, 32, 233, 304), QRectF(16, 0, 233, 304) },
        { "lower box", QRect(16, 80, 233, 304), QRectF(16, 20, 233, 304) },
        { "dragged left out", QRect(-40, 100, 200, 100), QRectF(0, 40, 200, 100) },
        { "below the page", QRect(10, 1100, 200, 100), QRectF(10, a4.height() - 100, 200, 100) },
        { "wider than the page", QRect(0, 60, 1588, 400),
            QRectF(0, 0, a4.width(), 400 * a4.width() / 1588) },
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.was);
        const QRectF r = TQRBildForm::druckBox(f.box, a4);
        EXPECT_NEAR(r.left(), f.erwartet.left(), 1e-6);
        EXPECT_NEAR(r.top(), f.erwartet.top(), 1e-6);
        EXPECT_NEAR(r.width(), f.erwartet.width(), 1e-6);
        EXPECT_NEAR(r.height(), f.erwartet.height(), 1e-6);
    }
    // The generated page draws the whole picture of a box at its start.
    TQRBildForm form(zweifarbig(QSize(300, 400), Qt::red, Qt::blue), QRect(16, 32, 233, 304), true);
    const report::Document doc = form.generate();
    int bilder = 0;
    for (const report::Primitive &p : doc.pages.front().items) {
        if (const auto *pic = std::get_if<report::PictureItem>(&p)) {
            ++bilder;
            EXPECT_EQ(pic->rect, QRectF(16, 0, 233, 304));
        }
    }
    EXPECT_EQ(bilder, 1);
}

TEST(TQRBildForm, AHiddenBoxPrintsNoPicture)
{
    TQRBildForm form(zweifarbig(QSize(30, 40), Qt::red, Qt::blue), QRect(16, 32, 233, 304), false);
    const report::Document doc = form.generate();
    ASSERT_EQ(doc.pages.size(), 1u);
    for (const report::Primitive &p : doc.pages.front().items)
        EXPECT_FALSE(std::holds_alternative<report::PictureItem>(p));
}

TEST(TQRBildForm, ThePreviewShowsTheReportWhileItIsMade)
{
    const report::ScopedRecordingPreviewer vorschau;
    TQRBildForm form(zweifarbig(QSize(30, 40), Qt::red, Qt::blue), QRect(16, 32, 233, 304), true);
    form.previewWhileGenerating();
    ASSERT_EQ(vorschau.documents().size(), 1u);
    EXPECT_EQ(vorschau.documents().front().pages.size(), 1u);
}

} // namespace
