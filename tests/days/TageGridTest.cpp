#include "DaysTestUtil.h"

#include "days/TageGrid.h"
#include "days/TageGridDelegate.h"
#include "days/TageGridModell.h"
#include "days/Tagesbearbeitung.h"
#include "settings/ColorValue.h"
#include "storage/Datensatzleiste.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace kb;

namespace {

const QString kText = QStringLiteral("Text");
const QString kZuLang
    = QStringLiteral("Der Text für Feld 'Text' ist zu lang (höchstens 255 Zeichen)");

class TageGridTest : public test::TageTest {
protected:
    void SetUp() override { kalenderOeffnen(2004); }

    // The grid shown on the offscreen screen, as the calendar panel shows it.
    std::unique_ptr<TageGrid> grid()
    {
        auto g = std::make_unique<TageGrid>(&jahr, &farben);
        g->setSpaltenbreiten({ 49, 37, 64, 64, 300 });
        g->resize(700, 600);
        g->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(g.get()));
        return g;
    }
    static QModelIndex zelle(const TageGrid &g, int zeile, int spalte)
    {
        return g.model()->index(zeile, spalte);
    }
    // Opens the text editor on the current day.
    static QLineEdit *bearbeiten(TageGrid &g)
    {
        const QModelIndex index = zelle(g, g.jahr()->currentRow(), 4);
        g.setCurrentIndex(index);
        g.edit(index);
        EXPECT_NE(g.textEditor(), nullptr);
        return g.textEditor();
    }
    // A double-click as the window system sends it: press, release, double-click, release.
    static void doppelklick(QWidget *w, const QPoint &p)
    {
        QTest::mouseClick(w, Qt::LeftButton, {}, p);
        QTest::mouseDClick(w, Qt::LeftButton, {}, p);
        QTest::mouseRelease(w, Qt::LeftButton, {}, p);
    }
    // The colour painted at the left edge of a cell.
    static QColor gemalt(TageGrid &g, int zeile, int spalte)
    {
        const QImage bild = g.viewport()->grab().toImage();
        const QRect r = g.visualRect(zelle(g, zeile, spalte));
        return bild.pixelColor(r.left() + 2, r.top() + 2);
    }
};

TEST_F(TageGridTest, ColumnsTitlesAndTheHiddenReminder)
{
    auto g = grid();
    EXPECT_EQ(g->model()->rowCount(), 366);
    QStringList titel;
    for (int i = 0; i < g->model()->columnCount(); ++i)
        titel << g->model()->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(
        titel.join(QLatin1Char('|')), QStringLiteral("Tag im Jahr|Tag|Datum|Woche|Text|erinnern"));
    EXPECT_TRUE(g->isColumnHidden(5));
    EXPECT_FALSE(g->verticalScrollBar()->isVisible());
    // Only the text (and the hidden reminder) can be changed.
    for (int spalte = 0; spalte < 4; ++spalte)
        EXPECT_FALSE(zelle(*g, 0, spalte).flags() & Qt::ItemIsEditable) << spalte;
    EXPECT_TRUE(zelle(*g, 0, 4).flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(zelle(*g, 0, 5).flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(zelle(*g, 59, 2).data().toString(), QStringLiteral("29.02.2004"));
    EXPECT_EQ(zelle(*g, 59, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_TRUE(zelle(*g, 59, 1).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(g->font().pointSize(), 8);
}

TEST_F(TageGridTest, RowsArePaintedInTheColoursOfTheirDay)
{
    farben.periode(Ferien::Weihnachten2) = { QStringLiteral("23.12."), QStringLiteral("31.12.") };
    auto g = grid();
    monat(12);
    gehe(QDate(2004, 12, 1));
    const struct {
        int tag;
        qint32 farbe;
    } faelle[] = {
        { 18, test::kSamstag },
        { 19, test::kSonntag },
        { 22, 0xFFFFFF },
        { 23, test::kFerien },
        { 25, test::kFeiertag }, // a Saturday
        { 26, test::kFeiertag }, // a Sunday
        { 27, test::kFerien },
        { 31, test::kFerien },
    };
    for (const auto &f : faelle) {
        const int zeile = f.tag - 1;
        EXPECT_EQ(g->tageModell()->zeilenfarben(zeile).hintergrund, f.farbe) << f.tag;
        for (int spalte : { 0, 3 })
            EXPECT_EQ(gemalt(*g, zeile, spalte), toQColor(f.farbe)) << f.tag << " " << spalte;
    }

    // A changed setting shows at the next paint; an unreadable bound leaves the others.
    farben.periode(Ferien::Weihnachten2) = FerienPeriode {};
    farben.periode(Ferien::Winter) = { QStringLiteral("31.02."), QStringLiteral("05.03.") };
    farben.periode(Ferien::Zusatz) = { QStringLiteral("27.12."), QStringLiteral("28.12.") };
    g->viewport()->repaint();
    EXPECT_EQ(gemalt(*g, 22, 3), QColor(Qt::white));
    EXPECT_EQ(gemalt(*g, 26, 3), toQColor(test::kFerien));
    EXPECT_EQ(g->tageModell()->ferien().unlesbar, QList<Ferien> { Ferien::Winter });
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(TageGridTest, TheGridFollowsTheSharedCursor)
{
    auto g = grid();
    gehe(QDate(2004, 7, 14));
    EXPECT_EQ(g->currentIndex().row(), jahr.currentRow());
    EXPECT_EQ(g->currentIndex().column(), 4) << "the day text is the cell to start in";
    EXPECT_EQ(
        g->model()->headerData(jahr.currentRow(), Qt::Vertical).toString(), QStringLiteral("▸"));

    // A click makes its day current.
    const QModelIndex ziel = zelle(*g, jahr.currentRow() + 2, 2);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(ziel).center());
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2004, 7, 16));

    // A month filter shows that month only; the grid stays on the current day.
    monat(2);
    EXPECT_EQ(g->model()->rowCount(), 29);
    EXPECT_EQ(g->currentIndex().row(), jahr.currentRow());
}

TEST_F(TageGridTest, TheGridScrollsToWholeRowsAtTheYearsEnd)
{
    auto g = grid();
    const int zeilenhoehe = g->verticalHeader()->defaultSectionSize();
    // Heights that leave a part of a row over, and one that holds whole rows only.
    for (int rest : { 1, zeilenhoehe / 2, zeilenhoehe - 1, 0 }) {
        g->resize(700, 600);
        gehe(QDate(2004, 1, 1));
        const int fensterhoehe = 600 - (g->viewport()->height() % zeilenhoehe) + rest;
        g->resize(700, fensterhoehe);
        QCoreApplication::processEvents();
        for (const QDate &tag : { QDate(2004, 12, 31), QDate(2004, 12, 30), QDate(2004, 12, 31) }) {
            gehe(tag);
            const QRect oben = g->visualRect(zelle(*g, g->rowAt(0), 4));
            EXPECT_EQ(oben.top(), 0) << rest << " " << tag.day();
            const QRect aktuell = g->visualRect(zelle(*g, jahr.currentRow(), 4));
            EXPECT_LE(aktuell.bottom(), g->viewport()->height()) << rest;
            EXPECT_GE(aktuell.top(), 0) << rest;
        }
        // Paged back to the start, the first day sits at the top again.
        gehe(QDate(2004, 1, 1));
        EXPECT_EQ(g->rowAt(0), 0) << rest;
        EXPECT_EQ(g->visualRect(zelle(*g, 0, 4)).top(), 0) << rest;
    }
}

TEST_F(TageGridTest, ATypedTextStaysPendingUntilTheDayChanges)
{
    auto g = grid();
    monat(5);
    gehe(QDate(2004, 5, 10));
    QLineEdit *editor = bearbeiten(*g);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Zahnarzt"));
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Zahnarzt"));
    EXPECT_EQ(gespeicherterText(QDate(2004, 5, 10)), QString());
    EXPECT_EQ(
        g->model()->headerData(jahr.currentRow(), Qt::Vertical).toString(), QStringLiteral("I"));

    // Enter moves on as Tab does: past the hidden reminder to the next day, which posts.
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(g->textEditor(), nullptr);
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2004, 5, 11));
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_EQ(gespeicherterText(QDate(2004, 5, 10)), QStringLiteral("Zahnarzt"));

    // Posted by the navigator.
    editor = bearbeiten(*g);
    QTest::keyClicks(editor, QStringLiteral("Friseur"));
    ASSERT_TRUE(g->eingabeUebernehmen());
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    navKnopfAusfuehren(NavKnopf::Speichern, jahr);
    EXPECT_EQ(gespeicherterText(QDate(2004, 5, 11)), QStringLiteral("Friseur"));

    // Escape takes back what the editor changed.
    editor = bearbeiten(*g);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Urlaub"));
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Urlaub"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Friseur"));
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(TageGridTest, ATextLongerThanTheFieldIsRefusedAndStaysToBeShortened)
{
    auto g = grid();
    monat(6);
    gehe(QDate(2004, 6, 8));
    QLineEdit *editor = bearbeiten(*g);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Notiz "));
    // Pasted: 300 characters.
    const QString lang(300, QLatin1Char('x'));
    QGuiApplication::clipboard()->setText(lang);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("Notiz ") + lang);
    // The day keeps the last text the field took.
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Notiz "));
    EXPECT_TRUE(ui->messages().isEmpty()) << "no message while typing";

    // Enter, an arrow key and a click on another day are refused with the engine's message.
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Down);
    const QModelIndex anderer = zelle(*g, jahr.currentRow() + 3, 2);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(anderer).center());
    EXPECT_EQ(ui->messages(), QStringList(3, kZuLang));
    EXPECT_EQ(g->textEditor(), editor);
    EXPECT_EQ(editor->text().size(), 306);
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2004, 6, 8));
    EXPECT_FALSE(g->eingabeUebernehmen());
    EXPECT_EQ(ui->messages().size(), 4);

    // Shortened, it goes in.
    editor->setText(QStringLiteral("Notiz ") + QString(249, QLatin1Char('x')));
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(jahr.asString(kText).size(), 254);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(g->textEditor(), nullptr);
    EXPECT_EQ(gespeicherterText(QDate(2004, 6, 8)).size(), 254);
    EXPECT_EQ(ui->messages().size(), 4);
}

TEST_F(TageGridTest, EnterMovesToTheNextCellLikeTab)
{
    auto g = grid();
    gehe(QDate(2004, 3, 3));
    g->setCurrentIndex(zelle(*g, jahr.currentRow(), 1));
    QTest::keyClick(g.get(), Qt::Key_Return);
    EXPECT_EQ(g->currentIndex().column(), 2);
    EXPECT_EQ(g->textEditor(), nullptr);
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2004, 3, 3));
}

TEST_F(TageGridTest, DoubleClickAsksForTheDetailsAndTheTextButtonForTheLibrary)
{
    auto g = grid();
    monat(1);
    gehe(QDate(2004, 1, 5));
    QSignalSpy details(g.get(), &TageGrid::tagesdatenGewuenscht);
    QSignalSpy bibliothek(g.get(), &TageGrid::textbibliothekGewuenscht);

    doppelklick(g->viewport(), g->visualRect(zelle(*g, 7, 2)).center());
    EXPECT_EQ(details.count(), 1);
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2004, 1, 8));

    // The button sits in the current day's text cell only.
    const QRect knopf = TageGridDelegate::knopfRechteck(g->visualRect(zelle(*g, 7, 4)));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, knopf.center());
    EXPECT_EQ(bibliothek.count(), 1);
    EXPECT_EQ(g->textEditor(), nullptr);
    const QRect anderer = TageGridDelegate::knopfRechteck(g->visualRect(zelle(*g, 9, 4)));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, anderer.center());
    EXPECT_EQ(bibliothek.count(), 1);
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2004, 1, 10));

    // The editor's own button, with a typed text that goes into the day first.
    QLineEdit *editor = bearbeiten(*g);
    QTest::keyClicks(editor, QStringLiteral("Elternabend"));
    auto *e = qobject_cast<TextZellEditor *>(editor->parentWidget());
    ASSERT_NE(e, nullptr);
    QTest::mouseClick(e->knopf(), Qt::LeftButton);
    EXPECT_EQ(bibliothek.count(), 2);
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Elternabend"));
    EXPECT_EQ(jahr.state(), Table::State::Edit);
}

TEST_F(TageGridTest, ColumnWidthsHoldThroughFiltersAndFitTheScreen)
{
    auto g = grid();
    g->setSpaltenbreiten({ 1, -1, -1, -1, -1 });
    EXPECT_EQ(g->spaltenbreiten(), (TageGrid::Breiten { 1, 37, 64, 64, 100 }));
    g->horizontalHeader()->resizeSection(4, 250);
    monat(4);
    EXPECT_EQ(g->columnWidth(0), 1);
    EXPECT_EQ(g->columnWidth(4), 250);
    EXPECT_EQ(g->spaltenbreiten()[4], 250);
    EXPECT_TRUE(g->isColumnHidden(5));

    g->feldgroesseAnpassen(800);
    EXPECT_EQ(g->spaltenbreiten(), (TageGrid::Breiten { 30, 30, 64, 64, 390 }));
    EXPECT_EQ(g->columnWidth(4), 390);
    g->feldgroesseAnpassen(1366);
    EXPECT_EQ(g->columnWidth(4), 585);
}

TEST_F(TageGridTest, TheNavigatorEnablesWhatCanAct)
{
    Datensatzleiste leiste(&jahr, tagesNavigator());
    auto aktiv = [&](NavKnopf k) { return leiste.knopf(k)->isEnabled(); };
    EXPECT_EQ(leiste.knopf(NavKnopf::Einfuegen), nullptr);
    EXPECT_EQ(leiste.knopf(NavKnopf::Loeschen), nullptr);
    jahr.first();
    EXPECT_FALSE(aktiv(NavKnopf::Erster));
    EXPECT_FALSE(aktiv(NavKnopf::Voriger));
    EXPECT_TRUE(aktiv(NavKnopf::Naechster));
    EXPECT_TRUE(aktiv(NavKnopf::Bearbeiten));
    EXPECT_FALSE(aktiv(NavKnopf::Speichern));
    EXPECT_FALSE(aktiv(NavKnopf::Verwerfen));

    QTest::mouseClick(leiste.knopf(NavKnopf::Letzter), Qt::LeftButton);
    EXPECT_EQ(jahr.recNo(), 366);
    EXPECT_FALSE(aktiv(NavKnopf::Naechster));
    EXPECT_TRUE(aktiv(NavKnopf::Voriger));

    QTest::mouseClick(leiste.knopf(NavKnopf::Bearbeiten), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    EXPECT_FALSE(aktiv(NavKnopf::Bearbeiten));
    EXPECT_TRUE(aktiv(NavKnopf::Speichern));
    jahr.setString(kText, QStringLiteral("Jahresende"));
    QTest::mouseClick(leiste.knopf(NavKnopf::Verwerfen), Qt::LeftButton);
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Silvester"));

    // A stopping check runs first.
    leiste.setVorher([] { return false; });
    QTest::mouseClick(leiste.knopf(NavKnopf::Erster), Qt::LeftButton);
    EXPECT_EQ(jahr.recNo(), 366);

    jahr.close();
    for (NavKnopf k : tagesNavigator())
        EXPECT_FALSE(aktiv(k));
}

} // namespace
