#include "pictures/TMultiBildBetrachter.h"
#include "BilderTestUtil.h"
#include "pictures/BildauswahlModell.h"
#include "pictures/Bildregeln.h"
#include "platform/Jpeg.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kb;
using namespace kb::test;

namespace {

// A folder of pictures that is the working directory while the test runs; the browser
// starts there. The selection index starts at 0 as in a fresh run.
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_vorher = QDir::currentPath();
        QDir::setCurrent(dir.path());
        setAuswahlIndex(0);
        thumbnailCache().leeren();
    }
    void TearDown() override { QDir::setCurrent(m_vorher); }

    QString bild(const QString &name, QSize groesse)
    {
        const bool bmp = name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
        return bildDatei(dir.file(name), bmp ? testBmp(groesse) : testJpeg(groesse));
    }
    void bilder(int anzahl)
    {
        for (int i = 1; i <= anzahl; ++i)
            bild(QStringLiteral("bild%1.jpg").arg(i, 2, 10, QLatin1Char('0')), { 160, 120 });
    }
    static QString zelle(TMultiBildBetrachter &b, int r, int c)
    {
        return b.modell()->index(r, c).data().toString();
    }

    TempDir dir;
    ScopedScriptedUi ui;

private:
    QString m_vorher;
};

TEST(Bildauswahl, GridRows)
{
    struct Fall {
        int anzahl;
        bool beimOeffnen;
        int zeilen;
    };
    const Fall faelle[] = {
        { 9, true, 3 },
        { 9, false, 3 },
        { 8, false, 2 },
        { 12, true, 3 },
        { 13, false, 4 },
        { 1, true, 2 },
        { 1, false, 1 },
        { 0, true, 2 },
        { 0, false, 0 },
        { 5000, false, 1250 },
    };
    for (const Fall &f : faelle)
        EXPECT_EQ(gitterZeilen(f.anzahl, f.beimOeffnen), f.zeilen)
            << f.anzahl << (f.beimOeffnen ? " at opening" : " after a change of folder");
}

TEST_F(BrowserTest, FileListFollowsTheMasksSortedByName)
{
    for (const char *name :
        { "b.jpg", "A.JPG", "c.Jpg", "d.jpeg", "eJPEG", "f.BMP", "g.png", "h.txt" })
        bildDatei(dir.file(QString::fromLatin1(name)), QByteArray("x"));
    QDir(dir.path()).mkdir(QStringLiteral("ordner.jpg"));
    QStringList namen;
    for (const Bilddatei &d : bilddateien(dir.path()))
        namen.append(d.name);
    EXPECT_EQ(namen.join(QLatin1Char(' ')), QStringLiteral("A.JPG b.jpg c.Jpg d.jpeg eJPEG f.BMP"));
}

TEST_F(BrowserTest, NinePicturesOpenInThreeRowsOfFour)
{
    bilder(9);
    TMultiBildBetrachter b;
    EXPECT_EQ(b.windowTitle(), QStringLiteral("Bild - Auswahl"));
    EXPECT_EQ(b.size(), QSize(631, 338));
    EXPECT_EQ(b.modell()->rowCount(), 3);
    EXPECT_EQ(b.modell()->columnCount(), 4);
    EXPECT_EQ(b.zaehler()->text(), QStringLiteral("9 Bilder"));
    EXPECT_EQ(zelle(b, 0, 0), QStringLiteral("bild01.jpg"));
    EXPECT_EQ(zelle(b, 2, 0), QStringLiteral("bild09.jpg"));
    EXPECT_EQ(zelle(b, 2, 1), QString());
    EXPECT_EQ(b.uebernehmenKnopf()->text(), QStringLiteral("übernehmen"));
    EXPECT_EQ(b.schliessenKnopf()->text(), QStringLiteral("Schließen"));
    EXPECT_EQ(b.loeschenAktion()->text(), QStringLiteral("Bild löschen"));
    EXPECT_EQ(b.speichernAktion()->text(), QStringLiteral("Bild speichern in..."));
    EXPECT_EQ(b.kopierenAktion()->text(), QStringLiteral("in Zwischenablage kopieren"));
}

// All four columns fit the pane: the grid has nothing to scroll sideways, even when the
// divider is pulled to the right.
TEST_F(BrowserTest, TheGridIsNoWiderThanItsPane)
{
    bilder(9);
    TMultiBildBetrachter b;
    b.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b));
    auto *teiler = b.findChild<QSplitter *>();
    ASSERT_NE(teiler, nullptr);
    for (const QList<int> &groessen : { teiler->sizes(), QList<int> { 600, 31 } }) {
        teiler->setSizes(groessen);
        QCoreApplication::processEvents();
        QTableView *gitter = b.gitter();
        EXPECT_GE(gitter->viewport()->width(), gitter->horizontalHeader()->length());
        EXPECT_EQ(gitter->horizontalScrollBar()->maximum(), 0);
        gitter->setCurrentIndex(b.modell()->index(2, 3));
        gitter->scrollTo(gitter->currentIndex());
        EXPECT_EQ(gitter->horizontalScrollBar()->value(), 0);
        EXPECT_LE(teiler->widget(0)->geometry().right(), teiler->widget(1)->geometry().left());
        EXPECT_LE(teiler->widget(1)->geometry().right(), b.width());
    }
}

TEST_F(BrowserTest, EmptyFolderHasTwoEmptyRowsAtOpeningAndNoneAfterAChange)
{
    TMultiBildBetrachter b;
    EXPECT_EQ(b.modell()->rowCount(), 2);
    EXPECT_EQ(b.zaehler()->text(), QString());
    bild(QStringLiteral("x.jpg"), { 40, 30 });
    QDir(dir.path()).mkdir(QStringLiteral("leer"));
    b.ordnerWechseln(dir.file(QStringLiteral("leer")));
    EXPECT_EQ(b.modell()->rowCount(), 0);
    EXPECT_EQ(b.modell()->columnCount(), 0);
    EXPECT_EQ(b.zaehler()->text(), QString());
    // The next opening starts in the folder last shown.
    EXPECT_EQ(QDir::currentPath(), dir.file(QStringLiteral("leer")));
    b.ordnerWechseln(dir.path());
    EXPECT_EQ(b.modell()->rowCount(), 1);
    EXPECT_EQ(b.zaehler()->text(), QStringLiteral("1 Bilder"));
}

TEST_F(BrowserTest, AcceptPutsTheMonthPictureOnTheClipboardAndTheSelectionOutlivesTheWindow)
{
    bild(QStringLiteral("a_quer.jpg"), { 1600, 1200 });
    bild(QStringLiteral("b_hoch.bmp"), { 300, 900 });
    {
        TMultiBildBetrachter b;
        b.zelleWaehlen(0, 1);
        EXPECT_EQ(auswahlIndex(), 2);
        EXPECT_EQ(
            b.pfadFeld()->text(), QDir::toNativeSeparators(dir.file(QStringLiteral("b_hoch.bmp"))));
        b.uebernehmen();
        EXPECT_EQ(b.result(), QDialog::Accepted);
        EXPECT_EQ(ui->clipboardImage().size(), QSize(480, 640));
    }
    ui->answerModal(QDialog::Accepted, [](QWidget *w) {
        auto *b = qobject_cast<TMultiBildBetrachter *>(w);
        ASSERT_NE(b, nullptr);
        // The cell selected last time is selected again.
        EXPECT_EQ(b->gitter()->currentIndex(), b->modell()->index(0, 1));
        EXPECT_EQ(b->ausgewaehlteDatei()->name, QStringLiteral("b_hoch.bmp"));
        b->zelleWaehlen(0, 0);
        b->uebernehmen();
    });
    EXPECT_TRUE(bildAuswaehlen());
    EXPECT_EQ(ui->clipboardImage().size(), QSize(640, 480));
    EXPECT_EQ(auswahlIndex(), 1);
}

TEST_F(BrowserTest, SchliessenLeavesTheClipboardAlone)
{
    bild(QStringLiteral("a.jpg"), { 400, 300 });
    QImage ablage(5, 5, QImage::Format_RGB32);
    ablage.fill(Qt::green);
    ui->setClipboardImage(ablage);
    ui->answerModal(QDialog::Rejected, [](QWidget *w) {
        auto *b = qobject_cast<TMultiBildBetrachter *>(w);
        b->zelleWaehlen(0, 0);
        b->schliessenKnopf()->click();
    });
    EXPECT_FALSE(bildAuswaehlen());
    EXPECT_EQ(ui->clipboardImage(), ablage);
}

TEST_F(BrowserTest, AcceptWithoutAPictureExplainsAndStaysOpen)
{
    bild(QStringLiteral("a.jpg"), { 400, 300 });
    bildDatei(dir.file(QStringLiteral("b.jpg")), QByteArray("kein Bild"));
    TMultiBildBetrachter b;
    b.uebernehmen(); // nothing selected yet in this run
    b.zelleWaehlen(1, 3); // an empty cell
    b.uebernehmen();
    b.zelleWaehlen(0, 1);
    b.uebernehmen();
    EXPECT_EQ(ui->messages(),
        QStringList({ QStringLiteral("Bitte wählen Sie zuerst ein Bild aus."),
            QStringLiteral("Bitte wählen Sie zuerst ein Bild aus."),
            QStringLiteral("\"b.jpg\": Die Datei ist kein lesbares JPEG-Bild.") }));
    EXPECT_NE(b.result(), QDialog::Accepted);
    EXPECT_TRUE(ui->clipboardImage().isNull());
}

TEST_F(BrowserTest, DeleteAsksAndLowersTheCounter)
{
    bilder(3);
    TMultiBildBetrachter b;
    b.zelleWaehlen(0, 1);
    ui->answerQuestion(false);
    b.loeschenAktion()->trigger();
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("bild02.jpg"))));
    ui->answerQuestion(true);
    b.loeschenAktion()->trigger();
    EXPECT_EQ(
        ui->questions(), QStringList(2, QStringLiteral("Wollen Sie bild02.jpg wirklich löschen?")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("bild02.jpg"))));
    EXPECT_EQ(b.zaehler()->text(), QStringLiteral("2 Bilder"));
    EXPECT_EQ(zelle(b, 0, 1), QStringLiteral("bild03.jpg"));
    // A file that is gone already: nothing happens, nothing is asked.
    QFile::remove(dir.file(QStringLiteral("bild03.jpg")));
    b.loeschenAktion()->trigger();
    EXPECT_EQ(ui->questions().size(), 2);
}

TEST_F(BrowserTest, SaveWritesAJpegCopyAndCopyPutsThePictureAtItsOwnSize)
{
    bild(QStringLiteral("foto.jpg"), { 800, 600 });
    bild(QStringLiteral("karte.bmp"), { 64, 48 });
    TMultiBildBetrachter b;
    b.zelleWaehlen(0, 0);
    const QString kopie = dir.file(QStringLiteral("kopie.JPG"));
    ui->answerFile(kopie);
    b.speichernAktion()->trigger();
    const std::optional<QSize> groesse = jpeg::groesse(readAll(kopie));
    EXPECT_EQ(groesse, QSize(800, 600));
    EXPECT_EQ(b.zaehler()->text(), QStringLiteral("3 Bilder")) << "the list is read again";

    b.zelleWaehlen(0, 1); // karte.bmp before kopie.JPG
    ui->answerFile(QString()); // cancelled: nothing written
    b.speichernAktion()->trigger();
    b.kopierenAktion()->trigger();
    EXPECT_EQ(ui->clipboardImage().size(), QSize(64, 48));
    EXPECT_EQ(ui->busyDepth(), 0);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(BrowserTest, BadFilesShowGreyThumbnailsAndLargeOnesAreRefusedWhereTheUserActs)
{
    const QByteArray jpg = testJpeg({ 400, 300 });
    bildDatei(dir.file(QStringLiteral("1_text.jpg")), QByteArray("kein Bild"));
    bildDatei(dir.file(QStringLiteral("2_halb.jpg")), jpg.left(jpg.size() / 2));
    bildDatei(dir.file(QStringLiteral("3_riesig.jpg")), mitKopfgroesse(jpg, { 20000, 20000 }));
    QByteArray bmp = testBmp({ 40, 30 });
    bmp[0] = 'X';
    bildDatei(dir.file(QStringLiteral("4_kopf.bmp")), bmp);
    bild(QStringLiteral("5_gut.jpg"), { 400, 300 });

    TMultiBildBetrachter b;
    b.show();
    b.modell()->lader().warten();
    QCoreApplication::processEvents();
    EXPECT_FALSE(b.wartet());
    const QColor grau = QColor::fromRgb(kThumbnailGrau);
    for (int c = 0; c < 4; ++c) {
        const QImage t = b.modell()->index(0, c).data(Qt::DecorationRole).value<QImage>();
        ASSERT_EQ(t.size(), QSize(90, 120)) << c;
        EXPECT_EQ(t.pixelColor(45, 20), grau) << c;
    }
    const QImage gut = b.modell()->index(1, 0).data(Qt::DecorationRole).value<QImage>();
    EXPECT_TRUE(aehnlich(gut.pixelColor(5, 60), Qt::red));

    b.zelleWaehlen(0, 2);
    b.kopierenAktion()->trigger();
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("zu groß (20000 × 20000 Bildpunkte)")));
    EXPECT_TRUE(ui->clipboardImage().isNull());
}

TEST_F(BrowserTest, HourglassOnlyWhileACellInViewWaits)
{
    bilder(3);
    TMultiBildBetrachter b;
    b.show();
    // Thumbnails are delivered through the event loop, which has not run yet.
    EXPECT_TRUE(b.wartet());
    EXPECT_EQ(b.gitter()->viewport()->cursor().shape(), Qt::WaitCursor);
    b.modell()->lader().warten();
    QCoreApplication::processEvents();
    EXPECT_FALSE(b.wartet());
    EXPECT_NE(b.gitter()->viewport()->cursor().shape(), Qt::WaitCursor);

    // From the cache a second window paints at once.
    TMultiBildBetrachter wieder;
    wieder.show();
    EXPECT_FALSE(wieder.wartet());
}

TEST_F(BrowserTest, FolderOfFiveThousandFilesMakesOnlyTheThumbnailsInView)
{
    const QByteArray jpg = testJpeg({ 320, 240 });
    for (int i = 0; i < 5000; ++i)
        writeAll(dir.file(QStringLiteral("foto%1.jpg").arg(i, 4, 10, QLatin1Char('0'))), jpg);
    TMultiBildBetrachter b;
    b.show();
    EXPECT_EQ(b.zaehler()->text(), QStringLiteral("5000 Bilder"));
    EXPECT_EQ(b.modell()->rowCount(), 1250);
    b.modell()->lader().warten();
    QCoreApplication::processEvents();
    // The rows in view and one row around them.
    EXPECT_GT(thumbnailCache().anzahl(), 0);
    EXPECT_LE(thumbnailCache().anzahl(), 5 * 4);

    b.gitter()->scrollToBottom();
    QCoreApplication::processEvents();
    b.modell()->lader().warten();
    QCoreApplication::processEvents();
    EXPECT_FALSE(b.wartet());
    EXPECT_FALSE(b.modell()->index(1249, 3).data(Qt::DecorationRole).isNull());
    EXPECT_LE(thumbnailCache().anzahl(), 10 * 4);
}

TEST_F(BrowserTest, FolderGoneOrUnreadableIsAMessageAndAnEmptyGrid)
{
    bilder(2);
    TMultiBildBetrachter b;
    // Removed after the tree showed it.
    const QString weg = dir.file(QStringLiteral("weg"));
    b.ordnerWechseln(weg);
    EXPECT_EQ(b.modell()->rowCount(), 0);
    EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).absolutePath())
        << "the working directory stays";
    QStringList erwartet = { QStringLiteral("Der Ordner \"%1\" kann nicht gelesen werden.")
                                 .arg(QDir::toNativeSeparators(weg)) };

    if (geteuid() != 0) { // root reads every folder
        QDir(dir.path()).mkdir(QStringLiteral("gesperrt"));
        const QString gesperrt = dir.file(QStringLiteral("gesperrt"));
        bildDatei(gesperrt + QStringLiteral("/x.jpg"), testJpeg({ 40, 30 }));
        QFile::setPermissions(gesperrt, QFileDevice::Permissions());
        b.ordnerWechseln(gesperrt);
        QFile::setPermissions(
            gesperrt, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(b.modell()->rowCount(), 0);
        erwartet.append(QStringLiteral("Der Ordner \"%1\" kann nicht gelesen werden.")
                            .arg(QDir::toNativeSeparators(gesperrt)));
    }
    EXPECT_EQ(ui->messages(), erwartet);
    b.ordnerWechseln(dir.path());
    EXPECT_EQ(b.zaehler()->text(), QStringLiteral("2 Bilder"));
}

} // namespace
