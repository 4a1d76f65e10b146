#include "PicturesTestUtil.h"

#include "pictures/TBildgross.h"
#include "report/Previewer.h"
#include "widgets/GrabHandles.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolBar>

using namespace kb;
using test::zweifarbig;
using Aktion = TBildgross::Aktion;

namespace {

class TBildgrossTest : public test::BilderTest {
protected:
    void SetUp() override
    {
        BilderTest::SetUp();
        bildSpeichern(5, original);
        bilder.refresh();
        monat(5);
        gespeichert = gespeichertesBild(5);
    }
    std::unique_ptr<TBildgross> fenster()
    {
        auto f = std::make_unique<TBildgross>(bilder.image(QStringLiteral("Bild")), &bilder);
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        return f;
    }
    static void klick(TBildgross &f, Aktion a) { f.aktion(a)->trigger(); }

    const QImage original = zweifarbig(QSize(640, 480), Qt::red, Qt::blue);
    QByteArray gespeichert;
};

TEST_F(TBildgrossTest, TheToolBarOffersTheEditsByTheirHints)
{
    auto f = fenster();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Bild"));
    const QStringList erwartet { QStringLiteral("Vorschau/Drucken"),
        QStringLiteral("waagerecht spiegeln"), QStringLiteral("senkrecht spiegeln"),
        QStringLiteral("in Graustufen umwandeln"), QStringLiteral("Bild oval/kreisförmig"),
        QStringLiteral("oval umranden"), QStringLiteral("alles rückgängig") };
    for (int i = 0; i < erwartet.size(); ++i)
        EXPECT_EQ(f->aktion(Aktion(i))->toolTip(), erwartet[i]);
    // The landscape picture gets a box of its own proportions, not the upright 233 x 304.
    EXPECT_EQ(f->bildBox()->geometry(), QRect(16, 32, 304, 228));
    EXPECT_EQ(f->bildBox()->toolTip(), QStringLiteral("klick auf Bild um Grösse zu verändern"));
}

TEST_F(TBildgrossTest, TheWindowTakesThePicturesWidthAndItsHeightPlusTheToolBar)
{
    auto f = fenster();
    f->groesseFuerBild(QSize(640, 480));
    EXPECT_EQ(f->width(), 640);
    EXPECT_EQ(f->height(), 480 + f->werkzeuge()->height());
    // A tiny picture still leaves room for the box; a huge one fits the screen.
    f->groesseFuerBild(QSize(50, 40));
    EXPECT_GT(f->width(), f->bildBox()->geometry().right());
    EXPECT_GT(f->height(), f->bildBox()->geometry().bottom());
    f->groesseFuerBild(QSize(20000, 15000));
    EXPECT_LE(f->width(), f->screen()->availableGeometry().width());
    EXPECT_LE(f->height(), f->screen()->availableGeometry().height());
}

TEST_F(TBildgrossTest, MirroringTwiceStillAsksAndYesStoresThePicture)
{
    auto f = fenster();
    klick(*f, Aktion::Waagerecht);
    klick(*f, Aktion::Waagerecht);
    ui->answerQuestion(true);
    f->close();
    EXPECT_EQ(ui->questions(),
        QStringList { QStringLiteral("Soll das geänderte Bild gespeichert werden?") });
    EXPECT_EQ(bilder.state(), Table::State::Browse);
    // Stored again: the same picture, now as the window's working picture.
    EXPECT_EQ(QImage::fromData(gespeichertesBild(5)).convertToFormat(QImage::Format_RGB32),
        original.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TBildgrossTest, AnsweringNoLeavesTheStoredPicture)
{
    auto f = fenster();
    klick(*f, Aktion::Grau);
    ui->answerQuestion(false);
    f->reject();
    EXPECT_EQ(ui->questions().size(), 1);
    EXPECT_EQ(gespeichertesBild(5), gespeichert);
    EXPECT_EQ(bilder.state(), Table::State::Browse);
}

TEST_F(TBildgrossTest, UndoAllThenClosingAsksNothing)
{
    auto f = fenster();
    klick(*f, Aktion::Grau);
    klick(*f, Aktion::OvalRand);
    klick(*f, Aktion::Rueckgaengig);
    f->close();
    EXPECT_TRUE(ui->questions().isEmpty());
    EXPECT_EQ(gespeichertesBild(5), gespeichert);
}

TEST_F(TBildgrossTest, GreyscaleShowsThePictureAgainWithAnEmptyStatusAndNormalCursor)
{
    auto f = fenster();
    klick(*f, Aktion::Grau);
    EXPECT_TRUE(f->bildBox()->isVisible());
    EXPECT_TRUE(f->status()->text().isEmpty());
    EXPECT_EQ(ui->busyDepth(), 0);
    const QImage &bild = f->bearbeitung().bild();
    EXPECT_EQ(bild.pixel(0, 0) & RGB_MASK, qRgb(76, 76, 76) & RGB_MASK);
    EXPECT_EQ(bild.pixel(639, 0) & RGB_MASK, qRgb(27, 27, 27) & RGB_MASK);
}

TEST_F(TBildgrossTest, TheOvalCutIsStoredAs300By400)
{
    auto f = fenster();
    klick(*f, Aktion::Waagerecht);
    klick(*f, Aktion::Oval);
    ui->answerQuestion(true);
    f->close();
    const QImage gespeichertesOval = QImage::fromData(gespeichertesBild(5));
    EXPECT_EQ(gespeichertesOval.size(), QSize(300, 400));
    EXPECT_EQ(gespeichertesOval.pixel(80, 200) & RGB_MASK, qRgb(255, 0, 0) & RGB_MASK);
}

TEST_F(TBildgrossTest, AFailedStoreIsReportedAndTheWindowStillCloses)
{
    auto f = fenster();
    klick(*f, Aktion::Senkrecht);
    bilder.close();
    ui->answerQuestion(true);
    f->close();
    EXPECT_FALSE(f->isVisible());
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(gespeichertesBild(5), gespeichert);
}

TEST_F(TBildgrossTest, ClickOnThePictureShowsHandlesThatSizeTheBoxClickBesideRemovesThem)
{
    auto f = fenster();
    widgets::GrabHandles *griffe = f->griffe();
    EXPECT_FALSE(griffe->attached());
    QTest::mouseClick(f->bildBox(), Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_TRUE(griffe->attached());
    QWidget *untenRechts = griffe->handle(4);
    ASSERT_TRUE(untenRechts && untenRechts->isVisible());
    const QPoint mitte = untenRechts->rect().center();
    QTest::mousePress(untenRechts, Qt::LeftButton, {}, mitte);
    QTest::mouseMove(untenRechts, mitte + QPoint(40, 30));
    QTest::mouseRelease(untenRechts, Qt::LeftButton, {}, mitte + QPoint(40, 30));
    // The box grows to the right and down from its place (it starts 304 x 228 for the
    // landscape picture).
    const QRect box = f->bildBox()->geometry();
    EXPECT_EQ(box.topLeft(), QPoint(16, 32));
    EXPECT_GT(box.width(), 304);
    EXPECT_GT(box.height(), 228);
    // Sizing is no change of the picture.
    EXPECT_FALSE(f->bearbeitung().geaendert());

    QTest::mouseClick(f.get(), Qt::LeftButton, {}, QPoint(600, 400));
    EXPECT_FALSE(griffe->attached());
    f->close();
    EXPECT_TRUE(ui->questions().isEmpty());
}

TEST_F(TBildgrossTest, ThePreviewPrintsTheWorkingPictureInTheBoxAsItIsNow)
{
    const report::ScopedRecordingPreviewer vorschau;
    auto f = fenster();
    klick(*f, Aktion::Waagerecht);
    f->bildBox()->setGeometry(100, 200, 150, 200);
    klick(*f, Aktion::Drucken);
    ASSERT_EQ(vorschau.documents().size(), 1u);
    const report::Page &seite = vorschau.documents().front().pages.at(0);
    const report::PictureItem *bild = nullptr;
    for (const report::Primitive &p : seite.items) {
        if (const auto *pic = std::get_if<report::PictureItem>(&p))
            bild = pic;
    }
    ASSERT_TRUE(bild);
    EXPECT_EQ(bild->rect, QRectF(100, 140, 150, 200));
    EXPECT_EQ(bild->image.pixel(0, 0) & RGB_MASK, qRgb(0, 0, 255) & RGB_MASK);
}

TEST(GrabHandles, DraggedSidesFollowAndTheBoxKeepsAMinimumSize)
{
    using widgets::GrabHandles;
    const QRect start(10, 20, 100, 80);
    struct Fall {
        const char *was;
        int griff;
        QPoint delta;
        QRect erwartet;
    };
    const Fall faelle[] = {
        { "top-left grows up and left", 0, QPoint(-5, -10), QRect(5, 10, 105, 90) },
        { "top moves only the top", 1, QPoint(30, 10), QRect(10, 30, 100, 70) },
        { "right moves only the right", 3, QPoint(20, 50), QRect(10, 20, 120, 80) },
        { "bottom-right", 4, QPoint(-10, 5), QRect(10, 20, 90, 85) },
        { "left cannot pass the right side", 7, QPoint(500, 0),
            QRect(100, 20, GrabHandles::kMindestgroesse, 80) },
        { "bottom cannot pass the top", 5, QPoint(0, -500),
            QRect(10, 20, 100, GrabHandles::kMindestgroesse) },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(GrabHandles::resized(start, f.griff, f.delta), f.erwartet) << f.was;
}

} // namespace
