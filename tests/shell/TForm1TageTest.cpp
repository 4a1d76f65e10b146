#include "ShellTestUtil.h"

#include "caldata/Schemas.h"
#include "days/Kachelfeld.h"
#include "days/OrganizerPanel.h"
#include "days/TBuchForm.h"
#include "days/TageGrid.h"
#include "days/TageGridModell.h"
#include "days/TalleDAT.h"
#include "platform/ProgramDir.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "storage/Datensatzleiste.h"
#include "storage/TableModel.h"
#include "widgets/NavigationBar.h"
#include "widgets/OvalButton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace kb;

namespace {

const QDate kHeute(2024, 3, 14);
const QString kDatum = QStringLiteral("Datum");
using Ort = Befehlsleisten::Ort;

class TForm1TageTest : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        einstellungenAnlegen();
        TForm1::Optionen o;
        o.heute = kHeute;
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        f->resize(1366, 740);
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        return f;
    }
    void oeffnen(TForm1 &f, const KalenderDatei &k)
    {
        ui->answerFile(k.qvkPfad());
        f.ausfuehren(Befehl::Oeffnen);
        ASSERT_TRUE(f.sitzung().offen());
    }
    static Table &jahr(TForm1 &f) { return f.sitzung().jahr(); }
    static TageGrid *grid(TForm1 &f) { return f.kalenderPanel()->tage(); }
    static QPoint zelle(TageGrid *g, int zeile, int spalte)
    {
        return g->visualRect(g->model()->index(zeile, spalte)).center();
    }
    void texteAnlegen()
    {
        Table t;
        t.setDirectory(ProgramDir::calendarDataDir());
        t.setTableName(QStringLiteral("Texte.db"));
        Schemas::anlegen(t, Schemas::texteTabelle());
        t.open();
        t.append();
        t.setString(QStringLiteral("Text"), QStringLiteral("Urlaub"));
        t.post();
    }
};

TEST_F(TForm1TageTest, TheOrganizerItemAsksForACalendarWhenNoneIsOpen)
{
    auto f = fenster();
    ui->answerQuestion(false);
    f->ausfuehren(Befehl::NavOrganizer);
    EXPECT_EQ(ui->questions(),
        QStringList { QStringLiteral(
            "Es ist derzeit kein Kalender geöffnet, soll ein Kalender geöffnet werden ?") });
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Keins);

    ui->answerQuestion(true);
    ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
    f->ausfuehren(Befehl::NavOrganizer);
    EXPECT_TRUE(f->sitzung().offen());
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Organizer);
    EXPECT_TRUE(f->organizerPanel()->isVisible());

    // With a calendar open the groups choose the panel.
    f->navigation()->setCurrentGroup(int(NavGruppenIndex::KronoblattDrucken));
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Kalender);
    f->navigation()->setCurrentGroup(int(NavGruppenIndex::OrganizerBilderTexte));
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Organizer);
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm1TageTest, AfterAReminderTheNavigationOpenShowsTodayInTheOrganizer)
{
    auto f = fenster();
    const KalenderDatei k = kalender(QStringLiteral("Mit"), 2024);
    alarmSetzen(k, kHeute);
    ui->answerFile(k.qvkPfad());
    f->ausfuehren(Befehl::NavOeffnen);
    EXPECT_EQ(ui->beeps(), 1);
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Organizer);
    EXPECT_EQ(f->navigation()->currentGroup(), int(NavGruppenIndex::OrganizerBilderTexte));
    EXPECT_EQ(f->organizerPanel()->monate()->currentIndex(), 3);
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 3);
    EXPECT_EQ(jahr(*f).filter(), QStringLiteral("MonatNr='3'"));
    // Today's tile: index day - 1.
    EXPECT_EQ(f->organizerPanel()->kacheln()->tabellenModell()->currentRow(), 13);
    EXPECT_EQ(jahr(*f).asDate(kDatum), kHeute);
    EXPECT_EQ(
        f->organizerPanel()->datumLang()->text(), QStringLiteral("Donnerstag, 14. März 2024"));
}

TEST_F(TForm1TageTest, BothMonthTabRowsFilterTheOneYearTable)
{
    auto f = fenster();
    oeffnen(*f, kalender(QStringLiteral("Test"), 2024));
    f->ausfuehren(Befehl::NavOrganizer);
    f->organizerPanel()->monate()->setCurrentIndex(5);
    EXPECT_EQ(jahr(*f).filter(), QStringLiteral("MonatNr='5'"));
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 5);
    EXPECT_EQ(grid(*f)->model()->rowCount(), 31);
    EXPECT_EQ(f->organizerPanel()->kacheln()->tabellenModell()->rowCount(), 31);

    f->kalenderPanel()->monate()->setCurrentIndex(0);
    EXPECT_FALSE(jahr(*f).filtered());
    EXPECT_EQ(f->organizerPanel()->monate()->currentIndex(), 0);
    EXPECT_EQ(f->organizerPanel()->kacheln()->tabellenModell()->rowCount(), 366);
}

TEST_F(TForm1TageTest, AnUnreadableSchoolHolidayBoundLeavesTheOtherPeriodsPainted)
{
    einstellungenAnlegen("[User]\r\nHintergrundFarbeFerien=65280\r\nHintergrundFeiertag=255\r\n"
                         "[Ferien]\r\nWinterBeginn=31.02.\r\nWinterEnde=04.03.\r\n"
                         "OsternBeginn=25.03.\r\nOsternEnde=05.04.\r\n");
    TForm1::Optionen o;
    o.heute = kHeute;
    TForm1 f(o);
    f.fensterErstellen();
    oeffnen(f, kalender(QStringLiteral("Test"), 2024));
    f.kalenderPanel()->monate()->setCurrentIndex(3);
    const TageGridModell *m = grid(f)->tageModell();
    EXPECT_EQ(m->zeilenfarben(25).hintergrund, 65280) << "26.03.";
    EXPECT_EQ(m->zeilenfarben(28).hintergrund, 255) << "Good Friday";
    f.kalenderPanel()->monate()->setCurrentIndex(2);
    EXPECT_EQ(m->zeilenfarben(27).hintergrund, 0xFFFFFF) << "28.02.";
    EXPECT_EQ(m->ferien().unlesbar, QList<Ferien> { Ferien::Winter });
    grid(f)->resize(800, 500);
    grid(f)->grab();
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(TForm1TageTest, TheDayViewsNeedNoPictureTable)
{
    auto f = fenster();
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    oeffnen(*f, k);
    f->sitzung().bild().close();
    ASSERT_TRUE(QFile::remove(k.bildPfad()));

    f->organizerPanel()->monate()->setCurrentIndex(6);
    f->ausfuehren(Befehl::NavOrganizer);
    Table &j = jahr(*f);
    j.setRecNo(4);
    QTest::keyClicks(f->organizerPanel()->text(), QStringLiteral("Ferienlager"));
    f->organizerPanel()->speichernKnopf()->click();
    f->kalenderPanel()->aktion(Befehl::TagNaechster)->trigger();
    EXPECT_EQ(j.asDate(kDatum), QDate(2024, 6, 5));
    EXPECT_EQ(grid(*f)->model()->index(3, 4).data().toString(), QStringLiteral("Ferienlager"));
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(TForm1TageTest, TheNavigatorAndFeldgroesseActOnTheGrid)
{
    auto f = fenster();
    oeffnen(*f, kalender(QStringLiteral("Test"), 2024));
    KalenderPanel *panel = f->kalenderPanel();
    EXPECT_EQ(jahr(*f).recNo(), 366);
    EXPECT_FALSE(panel->aktion(Befehl::TagNaechster)->isEnabled());
    EXPECT_FALSE(panel->aktion(Befehl::TagSpeichern)->isEnabled());
    panel->aktion(Befehl::TagErster)->trigger();
    EXPECT_EQ(jahr(*f).recNo(), 1);
    EXPECT_FALSE(panel->aktion(Befehl::TagVoriger)->isEnabled());
    panel->aktion(Befehl::TagNaechster)->trigger();
    EXPECT_EQ(jahr(*f).asDate(kDatum), QDate(2024, 1, 2));
    EXPECT_EQ(grid(*f)->currentIndex().row(), 1);

    panel->aktion(Befehl::TagBearbeiten)->trigger();
    EXPECT_TRUE(panel->aktion(Befehl::TagVerwerfen)->isEnabled());
    jahr(*f).setString(QStringLiteral("Text"), QStringLiteral("Neu"));
    panel->aktion(Befehl::TagSpeichern)->trigger();
    EXPECT_EQ(jahr(*f).state(), Table::State::Browse);
    EXPECT_EQ(jahr(*f).asString(QStringLiteral("Text")), QStringLiteral("Neu"));

    // The offscreen screen is 800 pixels wide: the text column gets 390 pixels.
    ASSERT_EQ(f->screen()->geometry().width(), 800);
    panel->aktion(Befehl::Feldgroesse)->trigger();
    EXPECT_EQ(grid(*f)->spaltenbreiten(), (TageGrid::Breiten { 30, 30, 64, 64, 390 }));
    EXPECT_EQ(f->kalenderIni().spalten[4], 390);
}

TEST_F(TForm1TageTest, ARefusedTextKeepsItsDayAndMonthUntilShortened)
{
    auto f = fenster();
    oeffnen(*f, kalender(QStringLiteral("Test"), 2024));
    f->kalenderPanel()->monate()->setCurrentIndex(2);
    TageGrid *g = grid(*f);
    const QModelIndex index = g->model()->index(9, 4);
    g->setCurrentIndex(index);
    g->edit(index);
    ASSERT_NE(g->textEditor(), nullptr);
    QGuiApplication::clipboard()->setText(QString(256, QLatin1Char('q')));
    QTest::keyClick(g->textEditor(), Qt::Key_V, Qt::ControlModifier);

    f->kalenderPanel()->monate()->setCurrentIndex(3);
    f->kalenderPanel()->aktion(Befehl::TagNaechster)->trigger();
    EXPECT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 2);
    EXPECT_EQ(jahr(*f).filter(), QStringLiteral("MonatNr='2'"));
    EXPECT_EQ(jahr(*f).asDate(kDatum), QDate(2024, 2, 10));
    ASSERT_NE(g->textEditor(), nullptr);

    // Cancel drops it.
    f->kalenderPanel()->aktion(Befehl::TagVerwerfen)->trigger();
    EXPECT_EQ(g->textEditor(), nullptr);
    EXPECT_EQ(jahr(*f).state(), Table::State::Browse);
    EXPECT_EQ(jahr(*f).asString(QStringLiteral("Text")), QString());
}

TEST_F(TForm1TageTest, TheGridOpensTheDayDetailsAndTheTextLibrary)
{
    auto f = fenster();
    oeffnen(*f, kalender(QStringLiteral("Test"), 2024));
    f->kalenderPanel()->monate()->setCurrentIndex(8);
    TageGrid *g = grid(*f);

    // The day details step on through the shared table.
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *d = qobject_cast<TalleDAT *>(w);
        ASSERT_EQ(d, f->tagesdaten());
        EXPECT_EQ(d->wert(kDatum)->text(), QStringLiteral("05.08.2024"));
        d->navigator()->ausfuehren(NavKnopf::Naechster);
    });
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, zelle(g, 4, 2));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, zelle(g, 4, 2));
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr(*f).asDate(kDatum), QDate(2024, 8, 6));
    EXPECT_EQ(g->currentIndex().row(), 5);

    // The text button: first without the library, then with it.
    const QRect knopf = g->visualRect(g->model()->index(5, 4));
    const QPoint taste(knopf.right() - 4, knopf.center().y());
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, taste);
    EXPECT_EQ(
        ui->messages(), QStringList { QStringLiteral("Tabelle \"Texte.db\" nicht vorhanden!") });
    texteAnlegen();
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *b = qobject_cast<TBuchForm *>(w);
        ASSERT_EQ(b, f->textbibliothek());
        b->textUebernehmenKlick();
    });
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, taste);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr(*f).asString(QStringLiteral("Text")), QStringLiteral("Urlaub"));
    EXPECT_EQ(jahr(*f).state(), Table::State::Edit);
    EXPECT_FALSE(f->texte().isOpen());

    // The organizer's button opens the same details window.
    f->ausfuehren(Befehl::NavOrganizer);
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) { EXPECT_EQ(w, f->tagesdaten()); });
    f->organizerPanel()->zumFormular()->click();
    EXPECT_TRUE(ui->scriptDone());
}

} // namespace

namespace {

// The column of the field `name` in a model over the year table.
int spalte(const QAbstractItemModel *m, const QString &name)
{
    for (int c = 0; c < m->columnCount(); ++c)
        if (m->headerData(c, Qt::Horizontal).toString() == name)
            return c;
    return -1;
}

TEST_F(TForm1TageTest, TheICalendarEntriesOfTheFileMenuExportAndImportTheOpenCalendar)
{
    auto f = fenster();
    f->ausfuehren(Befehl::IcsImport);
    ASSERT_EQ(ui->messages(), QStringList { keinKalenderOffen() });

    oeffnen(*f, kalender(QStringLiteral("Test"), 2024));
    f->kalenderPanel()->monate()->setCurrentIndex(3);
    const QString ics = home.file(QStringLiteral("termine.ics"));
    test::writeAll(ics,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//DE\r\nBEGIN:VEVENT\r\nUID:1\r\n"
        "DTSTART;VALUE=DATE:20240312\r\nSUMMARY:Elternabend\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    ui->answerFile(ics);
    f->leisten()->aktion(Ort::Menue, Befehl::IcsImport)->trigger();
    EXPECT_EQ(ui->messages().last(),
        QStringLiteral("iCalendar-Datei eingelesen. Übernommen: 1, schon vorhanden: 0, "
                       "ausgelassen (anderes Jahr): 0, nicht übernommen (kein Platz): 0."));
    // Both views show the new text at once (12 March is row 11 of March).
    EXPECT_EQ(grid(*f)->model()->index(11, 4).data().toString(), QStringLiteral("Elternabend"));
    const QAbstractItemModel *kacheln = f->organizerPanel()->kacheln()->tabellenModell();
    EXPECT_EQ(kacheln->index(11, spalte(kacheln, QStringLiteral("Text"))).data().toString(),
        QStringLiteral("Elternabend"));

    const QString kaputt = home.file(QStringLiteral("kaputt.ics"));
    test::writeAll(kaputt, "kein Kalender\r\n");
    ui->answerFile(kaputt);
    f->leisten()->aktion(Ort::Menue, Befehl::IcsImport)->trigger();
    EXPECT_EQ(ui->messages().last(),
        QStringLiteral("Die Datei „kaputt.ics“ ist keine lesbare iCalendar-Datei: Sie enthält "
                       "keinen Kalender (VCALENDAR). Der Kalender bleibt unverändert."));
    EXPECT_EQ(grid(*f)->model()->index(11, 4).data().toString(), QStringLiteral("Elternabend"));

    const QString ziel = home.file(QStringLiteral("export.ics"));
    ui->answerFile(ziel);
    ui->answerQuestion(false); // without holidays and special days
    f->leisten()->aktion(Ort::Menue, Befehl::IcsExport)->trigger();
    EXPECT_TRUE(
        ui->messages().last().endsWith(QStringLiteral(" Termine nach %1 geschrieben.").arg(ziel)));
    const QByteArray datei = test::readAll(ziel);
    EXPECT_TRUE(datei.contains("SUMMARY:Elternabend\r\n"));
    EXPECT_FALSE(datei.contains("CATEGORIES"));
    EXPECT_TRUE(ui->scriptDone());
}

} // namespace
