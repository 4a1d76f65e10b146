#include "DaysTestUtil.h"

#include "days/Kachelfeld.h"
#include "days/OrganizerPanel.h"
#include "days/TBuchForm.h"
#include "days/TageGrid.h"
#include "days/Tagesbearbeitung.h"
#include "days/TalleDAT.h"
#include "days/Textbibliothek.h"
#include "pictures/TMultiBildBetrachter.h"
#include "platform/Jpeg.h"
#include "storage/Datensatzleiste.h"
#include "storage/TableModel.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace kb;

namespace {

const QString kText = QStringLiteral("Text");
const QString kDatum = QStringLiteral("Datum");

class TalleDATTest : public test::TageTest {
protected:
    void SetUp() override { kalenderOeffnen(2004); }
};

TEST_F(TalleDATTest, ShowsEveryValueOfTheCurrentDay)
{
    TalleDAT d(&jahr, bildAuswaehlen);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Tagesdaten"));
    EXPECT_EQ(d.size(), QSize(620, 350));
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    gehe(QDate(2004, 12, 25));
    const struct {
        const char *feld;
        QString wert;
    } werte[] = {
        { "Datum", QStringLiteral("25.12.2004") },
        { "DatumLang", QStringLiteral("Samstag, 25. Dezember 2004") },
        { "Nummer", QStringLiteral("360") },
        { "TagimMonat", QStringLiteral("25") },
        { "Tag", QStringLiteral("Sa") },
        { "Woche", QStringLiteral("52") },
        { "Monat", QStringLiteral("Dezember") },
        { "Kennung", jahr.asString(QStringLiteral("Kennung")) },
        { "Name", QStringLiteral("Muster") },
        { "Vorname", QStringLiteral("Erika") },
        { "BLand", QStringLiteral("Baden-Württemberg") },
    };
    for (const auto &w : werte) {
        const QLabel *l = d.wert(QString::fromLatin1(w.feld));
        ASSERT_NE(l, nullptr) << w.feld;
        EXPECT_EQ(l->text(), w.wert) << w.feld;
    }
    EXPECT_GT(d.wert(QStringLiteral("Kennung"))->text().toInt(), 0);
    EXPECT_EQ(d.text()->text(), QStringLiteral("1. Weihnachtstag"));
    EXPECT_EQ(d.symbol()->size(), QSize(41, 41));
    EXPECT_EQ(d.symbolEinfuegen()->toolTip(), QStringLiteral("Symbol einfügen"));
    EXPECT_TRUE(d.symbolEinfuegen()->isEnabled());
    EXPECT_EQ(d.symbolLoeschen()->toolTip(), QStringLiteral("Symbol löschen"));
    EXPECT_EQ(d.navigator()->knopf(NavKnopf::Einfuegen), nullptr);
    EXPECT_EQ(d.schliessen()->text(), QStringLiteral("schliessen"));
}

TEST_F(TalleDATTest, SteppingThroughDaysMovesTheGridAndTheOrganizer)
{
    TageGrid grid(&jahr, &farben);
    OrganizerPanel organizer(&jahr);
    TalleDAT d(&jahr, bildAuswaehlen);
    monat(3);
    gehe(QDate(2004, 3, 10));
    d.show();
    QTest::mouseClick(d.navigator()->knopf(NavKnopf::Naechster), Qt::LeftButton);
    QTest::mouseClick(d.navigator()->knopf(NavKnopf::Naechster), Qt::LeftButton);
    EXPECT_EQ(d.wert(kDatum)->text(), QStringLiteral("12.03.2004"));
    EXPECT_EQ(grid.currentIndex().row(), 11);
    EXPECT_EQ(organizer.kacheln()->tabellenModell()->currentRow(), 11);

    // Edited here, left pending on closing; the grid's cancel takes it back.
    QTest::keyClicks(d.text(), QStringLiteral("Termin"));
    QTest::keyClicks(d.notizen(), QStringLiteral("Notiz"));
    QTest::mouseClick(d.erinnern(), Qt::LeftButton);
    QTest::mouseClick(d.schliessen(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    EXPECT_EQ(grid.model()->index(11, 4).data().toString(), QStringLiteral("Termin"));
    EXPECT_EQ(organizer.text()->text(), QStringLiteral("Termin"));
    navKnopfAusfuehren(NavKnopf::Verwerfen, jahr);
    EXPECT_EQ(jahr.asString(kText), QString());
    EXPECT_FALSE(jahr.asBool(QStringLiteral("Alarm")));
    EXPECT_EQ(gespeicherterText(QDate(2004, 3, 12)), QString());
}

TEST_F(TalleDATTest, DeletingTheSymbolLeavesTheFieldEmpty)
{
    gehe(QDate(2004, 6, 1));
    QImage bild(64, 48, QImage::Format_RGB32);
    bild.fill(Qt::red);
    jahr.setImage(QStringLiteral("SymbolBild"), bild);
    jahr.post();
    TalleDAT d(&jahr, bildAuswaehlen);
    ASSERT_FALSE(d.symbol()->pixmap().isNull());
    EXPECT_TRUE(d.symbolLoeschen()->isEnabled());

    QTest::keyClicks(d.notizen(), QStringLiteral("mit Symbol"));
    QTest::mouseClick(d.symbolLoeschen(), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_TRUE(jahr.isNull(QStringLiteral("SymbolBild")));
    EXPECT_TRUE(d.symbol()->pixmap().isNull());
    Table t;
    t.setFilePath(kalender.jahrPfad());
    t.open();
    ASSERT_TRUE(t.locate(kDatum, QDate(2004, 6, 1)));
    EXPECT_EQ(t.blobSize(QStringLiteral("SymbolBild")), 0);
    EXPECT_EQ(t.asString(QStringLiteral("Notizen")), QStringLiteral("mit Symbol"));
}

// The picture browser starts in the working directory: a folder with one photo for the
// duration of a test.
class Bilderordner {
public:
    Bilderordner()
        : m_vorher(QDir::currentPath())
    {
        QImage sonne(300, 200, QImage::Format_RGB32);
        sonne.fill(QColor(255, 200, 0));
        test::writeAll(m_dir.file(QStringLiteral("sonne.jpg")), jpeg::schreiben(sonne));
        QDir::setCurrent(m_dir.path());
    }
    ~Bilderordner() { QDir::setCurrent(m_vorher); }

private:
    test::TempDir m_dir;
    QString m_vorher;
};

QByteArray gespeichertesSymbol(const QString &pfad, const QDate &tag)
{
    Table t;
    t.setFilePath(pfad);
    t.open();
    if (!t.locate(kDatum, tag))
        return {};
    return t.asBytes(QStringLiteral("SymbolBild"));
}

TEST_F(TalleDATTest, SymbolInsertedThroughThePictureBrowserAndDeletedAgain)
{
    const Bilderordner ordner;
    const QDate tag(2004, 6, 1);
    gehe(tag);
    TalleDAT d(&jahr, bildAuswaehlen);
    ASSERT_TRUE(d.symbol()->pixmap().isNull());
    ui->answerModal(QDialog::Accepted, [](QWidget *w) {
        auto *browser = qobject_cast<TMultiBildBetrachter *>(w);
        ASSERT_NE(browser, nullptr);
        browser->zelleWaehlen(0, 0);
        browser->uebernehmen();
    });
    QTest::mouseClick(d.symbolEinfuegen(), Qt::LeftButton);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_FALSE(d.symbol()->pixmap().isNull());
    // Stored at the size the browser delivers.
    const QImage gespeichert = QImage::fromData(gespeichertesSymbol(kalender.jahrPfad(), tag));
    EXPECT_EQ(gespeichert.size(), QSize(640, 480));

    QTest::mouseClick(d.symbolLoeschen(), Qt::LeftButton);
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_TRUE(d.symbol()->pixmap().isNull());
    EXPECT_TRUE(gespeichertesSymbol(kalender.jahrPfad(), tag).isEmpty());
}

TEST_F(TalleDATTest, ClosingThePictureBrowserLeavesTheDayInEditWithItsSymbol)
{
    const Bilderordner ordner;
    const QDate tag(2004, 6, 2);
    gehe(tag);
    QImage alt(64, 48, QImage::Format_RGB32);
    alt.fill(Qt::red);
    jahr.setImage(QStringLiteral("SymbolBild"), alt);
    jahr.post();
    const QByteArray vorher = gespeichertesSymbol(kalender.jahrPfad(), tag);
    QImage ablage(10, 10, QImage::Format_RGB32);
    ablage.fill(Qt::green);
    ui->setClipboardImage(ablage);

    TalleDAT d(&jahr, bildAuswaehlen);
    ui->answerModal(QDialog::Rejected, [](QWidget *w) {
        auto *browser = qobject_cast<TMultiBildBetrachter *>(w);
        ASSERT_NE(browser, nullptr);
        browser->zelleWaehlen(0, 0);
        browser->schliessenKnopf()->click();
    });
    // A click on the symbol box opens the browser as the button does.
    QTest::mouseClick(d.symbol(), Qt::LeftButton);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    EXPECT_EQ(ui->clipboardImage(), ablage) << "Schließen leaves the clipboard alone";
    EXPECT_EQ(jahr.image(QStringLiteral("SymbolBild")).size(), QSize(64, 48));
    jahr.cancel();
    EXPECT_EQ(gespeichertesSymbol(kalender.jahrPfad(), tag), vorher);
}

class TBuchFormTest : public test::TageTest {
protected:
    void SetUp() override
    {
        kalenderOeffnen(2024);
        texte.setDirectory(dir.path());
        texte.setTableName(texteDateiname());
    }
    // The text library's window as the main window keeps it, opened from the day grid.
    void oeffnen(const std::function<void(TBuchForm &)> &imFenster)
    {
        TBuchForm fenster(&texte, &jahr);
        ui->answerModal(QDialog::Rejected, [&](QWidget *w) {
            ASSERT_EQ(w, &fenster);
            ASSERT_TRUE(texte.isOpen());
            imFenster(fenster);
        });
        tageGridEditButtonClick(texte, fenster);
        EXPECT_TRUE(ui->scriptDone());
        EXPECT_FALSE(texte.isOpen());
    }
    QStringList gespeicherteTexte() const
    {
        Table t;
        t.setFilePath(texte.filePath());
        t.open();
        QStringList result;
        for (t.first(); !t.eof(); t.next())
            result << t.asString(kText);
        return result;
    }
    static void zeileWaehlen(TBuchForm &f, int zeile)
    {
        const QModelIndex index = f.grid()->model()->index(zeile, 0);
        QTest::mouseClick(
            f.grid()->viewport(), Qt::LeftButton, {}, f.grid()->visualRect(index).center());
    }

    Table texte;
};

TEST_F(TBuchFormTest, WithoutTheLibraryOnlyTheMessageShows)
{
    gehe(QDate(2024, 4, 2));
    TBuchForm fenster(&texte, &jahr);
    tageGridEditButtonClick(texte, fenster);
    EXPECT_EQ(
        ui->messages(), QStringList { QStringLiteral("Tabelle \"Texte.db\" nicht vorhanden!") });
    EXPECT_FALSE(texte.isOpen());
    EXPECT_FALSE(QFile::exists(texte.filePath())) << "nothing is created";
    EXPECT_EQ(jahr.state(), Table::State::Browse);
    EXPECT_EQ(jahr.asDate(kDatum), QDate(2024, 4, 2));
}

TEST_F(TBuchFormTest, TakingATextOverLeavesItPendingAndCancelRestoresTheOldText)
{
    texteAnlegen(
        { QStringLiteral("Urlaub"), QStringLiteral("Krank"), QStringLiteral("Geburtstag") });
    monat(12);
    gehe(QDate(2024, 12, 24));
    TageGrid grid(&jahr, &farben);
    oeffnen([&](TBuchForm &f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Texte"));
        EXPECT_EQ(f.uebernehmen()->text(), QStringLiteral("Text übernehmen "));
        EXPECT_EQ(f.schliessen()->text(), QStringLiteral(" Schliessen"));
        EXPECT_EQ(f.grid()->model()->rowCount(), 3);
        f.show();
        zeileWaehlen(f, 2);
        QTest::mouseClick(f.uebernehmen(), Qt::LeftButton);
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_EQ(jahr.state(), Table::State::Edit);
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Geburtstag"));
    EXPECT_EQ(grid.model()->index(23, 4).data().toString(), QStringLiteral("Geburtstag"));
    EXPECT_EQ(gespeicherterText(QDate(2024, 12, 24)), QStringLiteral("Heiligabend"));
    navKnopfAusfuehren(NavKnopf::Verwerfen, jahr);
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Heiligabend"));

    // A double-click takes over too; a change of day posts it.
    oeffnen([&](TBuchForm &f) {
        f.show();
        const QModelIndex index = f.grid()->model()->index(1, 0);
        const QPoint p = f.grid()->visualRect(index).center();
        QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(f.grid()->viewport(), Qt::LeftButton, {}, p);
    });
    EXPECT_EQ(jahr.asString(kText), QStringLiteral("Krank"));
    jahr.next();
    EXPECT_EQ(gespeicherterText(QDate(2024, 12, 24)), QStringLiteral("Krank"));
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(TBuchFormTest, TextsAreAddedChangedAndDeletedAfterAQuestion)
{
    texteAnlegen({ QStringLiteral("Urlaub"), QStringLiteral("Krank") });
    oeffnen([&](TBuchForm &f) {
        f.show();
        Datensatzleiste *nav = f.navigator();
        for (NavKnopf k : vollerNavigator())
            EXPECT_NE(nav->knopf(k), nullptr);

        // A new text gets a row of its own until it is saved.
        QTest::mouseClick(nav->knopf(NavKnopf::Einfuegen), Qt::LeftButton);
        EXPECT_EQ(f.grid()->model()->rowCount(), 3);
        EXPECT_TRUE(f.grid()->model()->setData(
            f.grid()->model()->index(2, 0), QStringLiteral("Dienstreise")));
        QTest::mouseClick(nav->knopf(NavKnopf::Speichern), Qt::LeftButton);
        EXPECT_EQ(texte.recordCount(), 3);

        // Changed in its cell, posted by moving on.
        f.grid()->model()->setData(f.grid()->model()->index(0, 0), QStringLiteral("Ferien"));
        zeileWaehlen(f, 1);

        // Deleting asks; No keeps the text.
        ui->answerQuestion(false);
        QTest::mouseClick(nav->knopf(NavKnopf::Loeschen), Qt::LeftButton);
        EXPECT_EQ(texte.recordCount(), 3);
        ui->answerQuestion(true);
        QTest::keyClick(f.grid(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(texte.recordCount(), 2);
        // A text longer than its field is refused with the engine's message.
        EXPECT_FALSE(f.grid()->model()->setData(
            f.grid()->model()->index(0, 0), QString(256, QLatin1Char('z'))));
    });
    EXPECT_EQ(ui->questions(), QStringList(2, QStringLiteral("Datensatz löschen?")));
    EXPECT_EQ(ui->messages(),
        QStringList {
            QStringLiteral("Der Text für Feld 'Text' ist zu lang (höchstens 255 Zeichen)") });
    EXPECT_EQ(gespeicherteTexte(),
        (QStringList { QStringLiteral("Ferien"), QStringLiteral("Dienstreise") }));
    EXPECT_EQ(jahr.state(), Table::State::Browse);
}

} // namespace
