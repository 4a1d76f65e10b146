#include "DaysTestUtil.h"

#include "days/Kachelfeld.h"
#include "days/OrganizerPanel.h"
#include "days/TageGrid.h"
#include "storage/TableModel.h"
#include "widgets/OvalButton.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace kb;

namespace {

const QString kText = QStringLiteral("Text");
const QString kNotizen = QStringLiteral("Notizen");
const QString kDatum = QStringLiteral("Datum");

class OrganizerTest : public test::TageTest {
protected:
    void SetUp() override { kalenderOeffnen(2024); }

    std::unique_ptr<OrganizerPanel> panel()
    {
        auto p = std::make_unique<OrganizerPanel>(&jahr);
        p->resize(1100, 700);
        p->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(p.get()));
        return p;
    }
    // The stored notes of the day, read through a cursor of its own.
    QString gespeicherteNotizen(const QDate &datum) const
    {
        Table t;
        t.setFilePath(kalender.jahrPfad());
        t.open();
        return t.locate(kDatum, datum) ? t.asString(kNotizen) : QStringLiteral("<kein Tag>");
    }
    static void klicken(Kachelfeld *k, int zeile, Qt::MouseButton knopf = Qt::LeftButton)
    {
        QTest::mouseClick(k->viewport(), knopf, {}, k->kachelRechteck(zeile).center());
    }
};

TEST_F(OrganizerTest, TheDetailStripShowsTheCurrentDay)
{
    auto p = panel();
    EXPECT_EQ(p->caption(), QStringLiteral("  Organizer / Tagebuch"));
    EXPECT_EQ(p->bearbeitenKnopf()->text(), QStringLiteral("bearbeiten"));
    EXPECT_EQ(p->speichernKnopf()->text(), QStringLiteral("speichern"));
    EXPECT_EQ(p->verwerfenKnopf()->text(), QStringLiteral("verwerfen"));
    EXPECT_EQ(p->zumFormular()->toolTip(), QStringLiteral("zum Formular"));
    EXPECT_EQ(p->notizen()->toolTip(), QStringLiteral("Notizen"));
    EXPECT_EQ(p->erinnern()->text(), QStringLiteral("erinnern"));
    EXPECT_EQ(p->datumLang()->font().pixelSize(), 19);
    EXPECT_TRUE(p->datumLang()->font().italic());
    EXPECT_EQ(p->monate()->count(), 13);
    EXPECT_EQ(p->monate()->tabText(3), QStringLiteral("März"));
    EXPECT_EQ(p->teiler()->count(), 2);

    jahr.setBool(QStringLiteral("Alarm"), true);
    jahr.setString(kNotizen, QStringLiteral("Zeugnisse abholen"));
    jahr.post();
    gehe(QDate(2024, 3, 14));
    EXPECT_EQ(p->datumLang()->text(), QStringLiteral("Donnerstag, 14. März 2024"));
    EXPECT_EQ(p->woche()->text(), QStringLiteral("11"));
    EXPECT_FALSE(p->erinnern()->isChecked());
    gehe(QDate(2024, 1, 1));
    EXPECT_EQ(p->text()->text(), QStringLiteral("Neujahr"));
    EXPECT_TRUE(p->erinnern()->isChecked());
    EXPECT_EQ(p->notizen()->toPlainText(), QStringLiteral("Zeugnisse abholen"));
}

TEST_F(OrganizerTest, EditsStayPendingUntilSaveDiscardOrAChangeOfDay)
{
    auto p = panel();
    monat(3);
    gehe(QDate(2024, 3, 14));
    const QDate tag(2024, 3, 14);

    // "bearbeiten" starts the edit and hands the focus to the notes.
    QApplication::setActiveWindow(p.get());
    QTest::mouseClick(p->bearbeitenKnopf(), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    EXPECT_TRUE(p->notizen()->hasFocus());

    QTest::keyClicks(p->notizen(), QStringLiteral("Elternabend 19 Uhr"));
    QTest::mouseClick(p->erinnern(), Qt::LeftButton);
    EXPECT_EQ(jahr.asString(kNotizen), QStringLiteral("Elternabend 19 Uhr"));
    EXPECT_TRUE(jahr.asBool(QStringLiteral("Alarm")));
    EXPECT_EQ(gespeicherteNotizen(tag), QString());

    // "verwerfen" restores what is stored.
    QTest::mouseClick(p->verwerfenKnopf(), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_EQ(p->notizen()->toPlainText(), QString());
    EXPECT_FALSE(p->erinnern()->isChecked());

    // "speichern" posts.
    QTest::keyClicks(p->text(), QStringLiteral("Elternabend"));
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    QTest::mouseClick(p->speichernKnopf(), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_EQ(gespeicherterText(tag), QStringLiteral("Elternabend"));

    // "speichern" without an edit does nothing.
    QTest::mouseClick(p->speichernKnopf(), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Browse);

    // A change of day posts.
    QTest::keyClicks(p->notizen(), QStringLiteral("Tagebuch"));
    klicken(p->kacheln(), 14);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 3, 15));
    EXPECT_EQ(gespeicherteNotizen(tag), QStringLiteral("Tagebuch"));
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(OrganizerTest, ATextLongerThanTheFieldIsRefusedAndThePendingTextStays)
{
    auto p = panel();
    gehe(QDate(2024, 5, 2));
    QTest::keyClicks(p->text(), QStringLiteral("Arzt"));
    QGuiApplication::clipboard()->setText(QString(260, QLatin1Char('y')));
    QTest::keyClick(p->text(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ui->messages(),
        QStringList {
            QStringLiteral("Der Text für Feld 'Text' ist zu lang (höchstens 255 Zeichen)") });
    EXPECT_EQ(p->text()->text(), QStringLiteral("Arzt"));
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Arzt"));
    EXPECT_EQ(jahr.state(), Table::State::Edit);
}

TEST_F(OrganizerTest, TilesFillColumnsOfSevenAndScrollThroughTheYear)
{
    auto p = panel();
    Kachelfeld *k = p->kacheln();
    EXPECT_GE(k->kachelGroesse().width(), 134);
    EXPECT_GE(k->kachelGroesse().height(), 50);

    // The whole year: the last day is current, its column at the right of the page.
    jahr.last();
    EXPECT_EQ(k->ersteSpalte(), 48);
    EXPECT_EQ(k->horizontalScrollBar()->maximum(), 48);
    jahr.first();
    EXPECT_EQ(k->ersteSpalte(), 0);
    // Tile 9 is the tenth day: second column, third row.
    klicken(k, 9);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 1, 10));
    EXPECT_EQ(k->kachelRechteck(9).topLeft(),
        QPoint(k->kachelGroesse().width(), 2 * k->kachelGroesse().height()));
    k->horizontalScrollBar()->setValue(10);
    klicken(k, 70);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 3, 11));

    // One month fits on a page and does not scroll.
    monat(2);
    EXPECT_EQ(k->tabellenModell()->rowCount(), 29);
    EXPECT_EQ(k->horizontalScrollBar()->maximum(), 0);
    klicken(k, 28);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 2, 29));
    // Keys move through the days: down a row, right a column.
    QTest::keyClick(k, Qt::Key_Home);
    QTest::keyClick(k, Qt::Key_Right);
    QTest::keyClick(k, Qt::Key_Down);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 2, 9));
}

TEST_F(OrganizerTest, TheTileMenuAndTheButtonAskForTheDayDetails)
{
    auto p = panel();
    monat(4);
    QSignalSpy details(p.get(), &OrganizerPanel::tagesdatenGewuenscht);
    Kachelfeld *k = p->kacheln();
    EXPECT_EQ(k->kontextmenue()->actions().size(), 1);
    EXPECT_EQ(k->zumFormular()->text(), QStringLiteral("zum Formular"));

    // The menu acts on the tile under the mouse.
    QContextMenuEvent menue(
        QContextMenuEvent::Mouse, k->kachelRechteck(20).center(), QPoint(), Qt::NoModifier);
    QApplication::sendEvent(k->viewport(), &menue);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 4, 21));
    EXPECT_TRUE(k->kontextmenue()->isVisible());
    k->zumFormular()->trigger();
    k->kontextmenue()->hide();
    EXPECT_EQ(details.count(), 1);

    QTest::mouseClick(p->zumFormular(), Qt::LeftButton);
    EXPECT_EQ(details.count(), 2);
}

TEST_F(OrganizerTest, GridAndOrganizerShowTheSameDayAndFilter)
{
    auto p = panel();
    TageGrid grid(&jahr, &farben);
    grid.resize(700, 500);
    grid.show();
    QSignalSpy tab(p.get(), &OrganizerPanel::monatGewaehlt);

    p->monate()->setCurrentIndex(7);
    EXPECT_EQ(tab.takeFirst().at(0).toInt(), 7);
    monat(7); // what the month tabs ask for
    p->monatZeigen(7);
    EXPECT_EQ(grid.model()->rowCount(), 31);
    EXPECT_EQ(p->kacheln()->tabellenModell()->rowCount(), 31);

    klicken(p->kacheln(), 3);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    grid.setCurrentIndex(grid.model()->index(20, 2));
    EXPECT_EQ(p->kacheln()->tabellenModell()->currentRow(), 20);
    EXPECT_EQ(p->datumLang()->text(), QStringLiteral("Sonntag, 21. Juli 2024"));

    // A text typed in the organizer shows in the grid before it is saved.
    QTest::keyClicks(p->text(), QStringLiteral("Sommerfest"));
    EXPECT_EQ(grid.model()->index(20, 4).data().toString(), QStringLiteral("Sommerfest"));
    // Showing a month again changes nothing and asks for nothing.
    p->monatZeigen(7);
    EXPECT_TRUE(tab.isEmpty());
}

} // namespace
