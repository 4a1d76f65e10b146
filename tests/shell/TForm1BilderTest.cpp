#include "ShellTestUtil.h"

#include "days/TageGrid.h"
#include "pictures/MonatsBilderPanel.h"
#include "pictures/MonatsKacheln.h"
#include "printing/TMonateKalenderForm.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "widgets/NavigationBar.h"

#include <QLabel>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace kb;

namespace {

class TForm1BilderTest : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        einstellungenAnlegen();
        TForm1::Optionen o;
        o.heute = QDate(2024, 3, 14);
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        f->resize(1366, 740);
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        return f;
    }
    // A calendar whose month m has a picture m pixels wide.
    KalenderDatei kalenderMitBildern()
    {
        const KalenderDatei k = kalender(QStringLiteral("Bilder"), 2024);
        Table t;
        t.setFilePath(k.bildPfad());
        t.open();
        for (t.first(); !t.eof(); t.next()) {
            QImage bild(10 * t.asInt(QStringLiteral("MonatNR")), 30, QImage::Format_RGB32);
            bild.fill(Qt::darkGreen);
            t.setImage(QStringLiteral("Bild"), bild);
            t.post();
        }
        return k;
    }
};

TEST_F(TForm1BilderTest, WithoutACalendarTheItemAsksAndYesOpensOneInTheCalendarPanel)
{
    auto f = fenster();
    ui->answerQuestion(false);
    f->ausfuehren(Befehl::NavBilderTexte);
    EXPECT_EQ(ui->questions(),
        QStringList { QStringLiteral(
            "Es ist derzeit kein Kalender geöffnet, soll ein Kalender geöffnet werden ?") });
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Keins);

    ui->answerQuestion(true);
    ui->answerFile(kalenderMitBildern().qvkPfad());
    f->ausfuehren(Befehl::NavBilderTexte);
    EXPECT_TRUE(f->sitzung().offen());
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Kalender);
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm1BilderTest, TheItemShowsAllTwelveMonthsAndPrintingGoesBackToTheCalendar)
{
    auto f = fenster();
    ui->answerFile(kalenderMitBildern().qvkPfad());
    f->ausfuehren(Befehl::Oeffnen);
    // A month calendar print leaves the picture table linked; the area lists all months.
    bilderVerknuepfen(f->sitzung().bild(), f->sitzung().jahr());
    ASSERT_EQ(f->sitzung().bild().recordCount(), 1);
    f->ausfuehren(Befehl::NavBilderTexte);
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Bilder);
    EXPECT_TRUE(f->bilderPanel()->isVisible());
    EXPECT_EQ(f->sitzung().bild().recordCount(), 12);
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(f->bilderPanel()->bilderRaster()->bild(m - 1).width(), 10 * m);

    f->navigation()->setCurrentGroup(int(NavGruppenIndex::KronoblattDrucken));
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Kalender);
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(TForm1BilderTest, ChoosingJulyOnTheSinglePictureShowsJulysPictureAndDays)
{
    auto f = fenster();
    ui->answerFile(kalenderMitBildern().qvkPfad());
    f->ausfuehren(Befehl::Oeffnen);
    f->ausfuehren(Befehl::NavBilderTexte);
    MonatsBilderPanel *panel = f->bilderPanel();
    panel->seiten()->setCurrentIndex(int(BilderSeite::EinzelBild));
    EXPECT_TRUE(panel->monate()->isVisible());

    QTest::mouseClick(panel->monate(), Qt::LeftButton, {}, panel->monate()->tabRect(6).center());
    Table &jahr = f->sitzung().jahr();
    EXPECT_EQ(jahr.filter(), QStringLiteral("MonatNr='7'"));
    EXPECT_TRUE(jahr.filtered());
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 7);
    EXPECT_EQ(f->kalenderPanel()->tage()->model()->rowCount(), 31);
    EXPECT_EQ(aktuellerMonat(f->sitzung().bild()), 7);
    EXPECT_EQ(panel->einzelBild()->bild().width(), 70);
    EXPECT_EQ(panel->monatsLabel()->text(), QStringLiteral("    Juli"));

    // The day grid's own tabs move the single picture along.
    f->kalenderPanel()->monate()->setCurrentIndex(2);
    EXPECT_EQ(panel->monate()->currentIndex(), 1);
    EXPECT_EQ(panel->einzelBild()->bild().width(), 20);

    // Back on the grid of all pictures: unlinked again.
    panel->seiten()->setCurrentIndex(int(BilderSeite::AlleBilder));
    EXPECT_EQ(f->sitzung().bild().recordCount(), 12);
    EXPECT_TRUE(ui->messages().isEmpty());
}

} // namespace
