#include "PicturesTestUtil.h"

#include "pictures/MonatsBilderPanel.h"
#include "pictures/MonatsKacheln.h"
#include "storage/Datensatzleiste.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace kb;
using test::zweifarbig;
using Aktion = MonatsBilderPanel::Aktion;

namespace {

QColor monatsFarbe(int monat)
{
    return QColor(QColor::fromHsv((monat * 30) % 360, 200, 220).rgb());
}

class MonatsBilderPanelTest : public test::BilderTest {
protected:
    void SetUp() override
    {
        BilderTest::SetUp();
        for (int m = 1; m <= 12; ++m)
            bildSpeichern(m, zweifarbig(QSize(64, 48), monatsFarbe(m), monatsFarbe(m)));
        bilder.refresh();
        panel = std::make_unique<MonatsBilderPanel>(&bilder, &jahr);
        panel->resize(1100, 640);
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
    void TearDown() override { panel.reset(); }

    std::unique_ptr<MonatsBilderPanel> panel;
};

TEST_F(MonatsBilderPanelTest, ThreePagesAndTheToolBarWithItsHints)
{
    QTabWidget *seiten = panel->seiten();
    ASSERT_EQ(seiten->count(), 3);
    EXPECT_EQ(seiten->tabText(0), QStringLiteral("alle Monats-Bilder"));
    EXPECT_EQ(seiten->tabText(1), QStringLiteral("alle Monats-Texte"));
    EXPECT_EQ(seiten->tabText(2), QStringLiteral("einzel Monats-Bild"));
    EXPECT_EQ(panel->caption(), QStringLiteral("  Kalender - Monats - Bilder / Texte"));
    const QStringList hinweise { QStringLiteral("neues Bild laden/Bild ändern"),
        QStringLiteral("aus Zwischenablage einfügen"),
        QStringLiteral("Bild in Zwischenablage kopieren"), QStringLiteral("Bild löschen"),
        QStringLiteral("Bild in neuem Fenster öffnen") };
    for (int i = 0; i < hinweise.size(); ++i)
        EXPECT_EQ(panel->aktion(Aktion(i))->toolTip(), hinweise[i]);
    ASSERT_EQ(panel->monate()->count(), 12);
    EXPECT_EQ(panel->monate()->tabText(0), QStringLiteral("Januar"));
    EXPECT_EQ(panel->monate()->tabText(11), QStringLiteral("Dezember"));
    // Until the main window gives a browser, its button does nothing.
    EXPECT_FALSE(panel->aktion(Aktion::Browser)->isEnabled());
}

TEST_F(MonatsBilderPanelTest, EachPageShowsWhatBelongsToIt)
{
    struct Fall {
        BilderSeite seite;
        bool leiste, navigator, monatsTabs;
        int datensaetze; // 12 unlinked, 1 linked
    };
    const Fall faelle[] = {
        { BilderSeite::AlleBilder, true, true, false, 12 },
        { BilderSeite::AlleTexte, false, false, false, 12 },
        { BilderSeite::EinzelBild, true, false, true, 1 },
        { BilderSeite::AlleBilder, true, true, false, 12 },
    };
    for (const Fall &f : faelle) {
        panel->seiteWaehlen(f.seite);
        const int i = int(f.seite);
        EXPECT_EQ(panel->werkzeuge()->isVisible(), f.leiste) << i;
        EXPECT_EQ(panel->navigator()->isVisible(), f.navigator) << i;
        EXPECT_EQ(panel->monatsLabel()->isVisible(), f.navigator) << i;
        EXPECT_EQ(panel->monate()->isVisible(), f.monatsTabs) << i;
        EXPECT_EQ(bilder.recordCount(), f.datensaetze) << i;
    }
}

TEST_F(MonatsBilderPanelTest, TheGridShowsTheTwelveMonthsInThreeRowsOfFour)
{
    BilderRaster *raster = panel->bilderRaster();
    EXPECT_EQ(BilderRaster::kachel(0).size(), QSize(146, 147));
    EXPECT_EQ(BilderRaster::kachel(3).top(), BilderRaster::kachel(0).top());
    EXPECT_GT(BilderRaster::kachel(3).left(), BilderRaster::kachel(2).left());
    EXPECT_GT(BilderRaster::kachel(4).top(), BilderRaster::kachel(0).top());
    EXPECT_EQ(BilderRaster::kachel(4).left(), BilderRaster::kachel(0).left());
    EXPECT_EQ(BilderRaster::kachel(11).top(), BilderRaster::kachel(8).top());
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(QColor(raster->bild(m - 1).pixel(5, 5)), monatsFarbe(m)) << m;
    EXPECT_EQ(raster->toolTip(), QStringLiteral("Doppelklick um Bild zu bearbeiten"));
}

TEST_F(MonatsBilderPanelTest, SelectingMarchAndDeletingClearsMarchOnly)
{
    BilderRaster *raster = panel->bilderRaster();
    QTest::mouseClick(raster, Qt::LeftButton, {}, BilderRaster::kachel(2).center());
    EXPECT_EQ(aktuellerMonat(bilder), 3);
    EXPECT_EQ(panel->monatsLabel()->text(), QStringLiteral("    März"));
    panel->aktion(Aktion::Loeschen)->trigger();
    EXPECT_TRUE(gespeichertesBild(3).isEmpty());
    EXPECT_TRUE(raster->bild(2).isNull());
    for (int m : { 1, 2, 4, 12 })
        EXPECT_FALSE(gespeichertesBild(m).isEmpty()) << m;
}

TEST_F(MonatsBilderPanelTest, CopyAndPasteMoveAPictureBetweenMonths)
{
    BilderRaster *raster = panel->bilderRaster();
    QTest::mouseClick(raster, Qt::LeftButton, {}, BilderRaster::kachel(0).center());
    panel->aktion(Aktion::Kopieren)->trigger();
    QTest::mouseClick(raster, Qt::LeftButton, {}, BilderRaster::kachel(9).center());
    panel->aktion(Aktion::Einfuegen)->trigger();
    EXPECT_EQ(QColor(QImage::fromData(gespeichertesBild(10)).pixel(1, 1)), monatsFarbe(1));
    EXPECT_EQ(QColor(raster->bild(9).pixel(1, 1)), monatsFarbe(1));
}

TEST_F(MonatsBilderPanelTest, DoubleClickOnAPictureEnlargesIt)
{
    BilderRaster *raster = panel->bilderRaster();
    QSize groesse;
    ui->answerModal(QDialog::Rejected, [&](QWidget *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Bild"));
        groesse = w->size();
    });
    QTest::mouseDClick(raster, Qt::LeftButton, {}, BilderRaster::kachel(5).center());
    EXPECT_EQ(aktuellerMonat(bilder), 6);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_FALSE(groesse.isEmpty());

    // A month without a picture says so instead.
    bildLoeschen(bilder);
    panel->vergroessern();
    EXPECT_EQ(ui->messages(), QStringList { keinBildMeldung() });
}

TEST_F(MonatsBilderPanelTest, TheBrowserHookStoresWhatItAccepted)
{
    int aufrufe = 0;
    panel->setBrowser([&](QWidget *) {
        ++aufrufe;
        ui->setClipboardImage(zweifarbig(QSize(640, 480), Qt::black, Qt::white));
        return Auswahl::Uebernommen;
    });
    EXPECT_TRUE(panel->aktion(Aktion::Browser)->isEnabled());
    QTest::mouseClick(panel->bilderRaster(), Qt::LeftButton, {}, BilderRaster::kachel(7).center());
    panel->aktion(Aktion::Browser)->trigger();
    EXPECT_EQ(aufrufe, 1);
    EXPECT_EQ(QImage::fromData(gespeichertesBild(8)).size(), QSize(640, 480));
    EXPECT_EQ(bilder.state(), Table::State::Browse);
}

TEST_F(MonatsBilderPanelTest, TypingAMonthTextIsStoredWhenTheMonthChanges)
{
    panel->seiteWaehlen(BilderSeite::AlleTexte);
    TexteRaster *texte = panel->texteRaster();
    QPlainTextEdit *april = texte->text(3);
    april->setFocus();
    EXPECT_EQ(aktuellerMonat(bilder), 4);
    EXPECT_EQ(texte->kopf()->text(), QStringLiteral("April"));
    QTest::keyClicks(april, QStringLiteral("Ostern"));
    QTest::keyClick(april, Qt::Key_Tab);
    QTest::keyClicks(april, QStringLiteral("frei"));
    EXPECT_EQ(bilder.state(), Table::State::Edit);
    EXPECT_TRUE(gespeicherterText(4).isEmpty());
    EXPECT_EQ(april->lineWrapMode(), QPlainTextEdit::NoWrap);

    texte->text(6)->setFocus();
    EXPECT_EQ(aktuellerMonat(bilder), 7);
    EXPECT_EQ(texte->kopf()->text(), QStringLiteral("Juli"));
    EXPECT_EQ(gespeicherterText(4), QStringLiteral("Ostern\tfrei"));
    EXPECT_EQ(april->toPlainText(), QStringLiteral("Ostern\tfrei"));
}

TEST_F(MonatsBilderPanelTest, DoubleClickOnAMonthTextLoadsAFile)
{
    panel->seiteWaehlen(BilderSeite::AlleTexte);
    const QString pfad = dir.file(QStringLiteral("text.txt"));
    test::writeAll(pfad, "Zeile 1\r\nZeile 2");
    ui->answerFile(pfad);
    QPlainTextEdit *november = panel->texteRaster()->text(10);
    QTest::mouseDClick(november->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(gespeicherterText(11), QStringLiteral("Zeile 1\r\nZeile 2"));
    EXPECT_EQ(november->toPlainText(), QStringLiteral("Zeile 1\nZeile 2"));
}

TEST_F(MonatsBilderPanelTest, TheSinglePictureFollowsTheDayTablesMonth)
{
    QSignalSpy gewaehlt(panel.get(), &MonatsBilderPanel::monatGewaehlt);
    panel->seiteWaehlen(BilderSeite::EinzelBild);
    // The main window filters the day table when a tab is chosen; here the test does.
    QObject::connect(panel.get(), &MonatsBilderPanel::monatGewaehlt, &jahr, [this](int m) {
        jahr.setFilter(QStringLiteral("MonatNr='%1'").arg(m));
        jahr.setFiltered(true);
    });
    QTest::mouseClick(panel->monate(), Qt::LeftButton, {}, panel->monate()->tabRect(6).center());
    ASSERT_EQ(gewaehlt.size(), 1);
    EXPECT_EQ(gewaehlt.front().front().toInt(), 7);
    EXPECT_EQ(aktuellerMonat(bilder), 7);
    EXPECT_EQ(panel->monatsLabel()->text(), QStringLiteral("    Juli"));
    EXPECT_EQ(QColor(panel->einzelBild()->bild().pixel(1, 1)), monatsFarbe(7));
    // Shown whole and centred, with its proportions.
    const QRect r = panel->einzelBild()->bildRect();
    EXPECT_NEAR(double(r.width()) / r.height(), 64.0 / 48.0, 0.02);
    EXPECT_NEAR(r.center().x(), panel->einzelBild()->width() / 2, 1);

    // Showing a month from outside selects its tab without choosing it again.
    panel->monatZeigen(2);
    EXPECT_EQ(panel->monate()->currentIndex(), 1);
    EXPECT_EQ(gewaehlt.size(), 1);
}

} // namespace
