#include "ShellTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/Schemas.h"
#include "days/OrganizerPanel.h"
#include "days/TageGrid.h"
#include "designer/BerichtsStrom.h"
#include "designer/Berichtsablage.h"
#include "designer/FertigeBerichte.h"
#include "designer/TSimpleDemoMainForm.h"
#include "pictures/MonatsBilderPanel.h"
#include "platform/ProgramDir.h"
#include "printing/TKalenderForm.h"
#include "report/PreviewWindow.h"
#include "report/Previewer.h"
#include "settings/IniFile.h"
#include "settings/KalenderIni.h"
#include "shell/HilfeFenster.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/StatusLeiste.h"
#include "shell/TAboutBox.h"
#include "shell/TForm1.h"
#include "shell/TPasswordDlg.h"
#include "storage/Table.h"
#include "widgets/CaptionPanel.h"
#include "widgets/GradientPanel.h"
#include "widgets/NavigationBar.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

using namespace kb;

namespace {

const QDate kHeute(2024, 3, 14);
using Ort = Befehlsleisten::Ort;

class TForm1Test : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        TForm1::Optionen o;
        o.heute = kHeute;
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        return f;
    }
    static void ausloesen(TForm1 &f, Ort ort, Befehl b, int variante = -1)
    {
        QAction *a = f.leisten()->aktion(ort, b, variante);
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->isEnabled());
        a->trigger();
    }
    static QStringList menueTexte(const QMenu *menu)
    {
        QStringList texte;
        for (const QAction *a : menu->actions())
            texte << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texte;
    }
    QString kalenderIni() const { return home.file(QStringLiteral("kalender.INI")); }
};

TEST_F(TForm1Test, FirstStartWithoutKalenderIniWritesAllSixKeysAtExit)
{
    einstellungenAnlegen();
    auto f = fenster();
    EXPECT_TRUE(ui->messages().isEmpty());
    const TageGrid::Breiten breiten = f->kalenderPanel()->tage()->spaltenbreiten();
    EXPECT_EQ(breiten, (TageGrid::Breiten { 1, 37, 64, 64, 100 }));

    // The widths hold in the list once a calendar shows its days.
    ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);
    EXPECT_EQ(f->kalenderPanel()->tage()->columnWidth(0), 1);
    EXPECT_EQ(f->kalenderPanel()->tage()->columnWidth(4), 100);

    // Opening remembers the calendar at once; the widths wait for the exit.
    ASSERT_FALSE(IniFile(kalenderIni()).hasKey(QStringLiteral("Size"), QStringLiteral("spalte1")));
    EXPECT_EQ(KalenderIni::read(kalenderIni()).zuletzt,
        QFileInfo(daten + QStringLiteral("Test.QVK")).absoluteFilePath());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Beenden);
    EXPECT_FALSE(f->sitzung().offen());
    const IniFile ini(kalenderIni());
    const struct {
        const char *key;
        int wert;
    } spalten[] = { { "spalte1", 1 }, { "spalte2", 37 }, { "spalte3", 64 }, { "spalte4", 64 },
        { "spalte5", 100 } };
    for (const auto &s : spalten) {
        EXPECT_TRUE(ini.hasKey(QStringLiteral("Size"), QString::fromLatin1(s.key))) << s.key;
        EXPECT_EQ(ini.readInteger(QStringLiteral("Size"), QString::fromLatin1(s.key), -99), s.wert);
    }
    EXPECT_EQ(ini.readString(QStringLiteral("Datei"), QStringLiteral("Dateiname"), {}),
        QStringLiteral("Kalvalues.ini"));
    // The selected form name went back into the settings file.
    EXPECT_TRUE(IniFile(home.file(QStringLiteral("Kalvalues.ini")))
                    .hasKey(QStringLiteral("User"), QStringLiteral("Datei")));
}

TEST_F(TForm1Test, ColumnWidthsChangedByTheUserSurviveARestart)
{
    einstellungenAnlegen();
    {
        auto f = fenster();
        ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
        ausloesen(*f, Ort::Menue, Befehl::Oeffnen);
        f->kalenderPanel()->tage()->horizontalHeader()->resizeSection(4, 333);
        // A change of the month filter re-reads the records; the width stays.
        f->kalenderPanel()->monate()->setCurrentIndex(2);
        EXPECT_EQ(f->kalenderPanel()->tage()->columnWidth(4), 333);
        f->close();
    }
    auto f = fenster();
    EXPECT_EQ(f->kalenderPanel()->tage()->spaltenbreiten()[4], 333);
}

// The main window shows before its work panels and other windows are made. A window closed
// in between keeps the column widths it read; the first command makes them all first.
TEST_F(TForm1Test, PanelsAndWindowsAreMadeAfterTheMainWindowShows)
{
    einstellungenAnlegen();
    test::writeAll(kalenderIni(),
        "[Size]\r\nspalte1=1\r\nspalte2=37\r\nspalte3=64\r\nspalte4=64\r\nspalte5=222\r\n"
        "[Datei]\r\nDateiname=Kalvalues.ini\r\n");
    {
        TForm1::Optionen o;
        o.heute = kHeute;
        TForm1 f(o);
        EXPECT_EQ(f.kalenderPanel(), nullptr);
        EXPECT_EQ(f.passwortDialog(), nullptr);
        f.close();
    }
    EXPECT_EQ(
        IniFile(kalenderIni()).readInteger(QStringLiteral("Size"), QStringLiteral("spalte5"), 0),
        222);

    TForm1::Optionen o;
    o.heute = kHeute;
    TForm1 f(o);
    ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
    ausloesen(f, Ort::LinkeLeiste, Befehl::Oeffnen);
    ASSERT_NE(f.kalenderPanel(), nullptr);
    EXPECT_NE(f.passwortDialog(), nullptr);
    EXPECT_EQ(f.sichtbaresPanel(), Panel::Kalender);
    EXPECT_EQ(f.kalenderPanel()->tage()->columnWidth(4), 222);
    EXPECT_EQ(f.kalenderPanel()->caption(), f.sitzung().kalenderTitel());
    EXPECT_TRUE(f.kalenderPanel()->caption().contains(QStringLiteral("2024")));
}

TEST_F(TForm1Test, AMissingSettingsFileIsReportedAndNotCreated)
{
    auto f = fenster();
    EXPECT_EQ(ui->messages(),
        QStringList { QStringLiteral("Datei ")
            + QDir::toNativeSeparators(home.file(QStringLiteral("Kalvalues.ini")))
            + QStringLiteral(" nicht vorhanden!") });
    f->close();
    EXPECT_TRUE(QFile::exists(kalenderIni()));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("Kalvalues.ini"))));
}

TEST_F(TForm1Test, MainWindowShowsItsBarsMenusAndStatusPanels)
{
    einstellungenAnlegen();
    auto f = fenster();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("RI-DOZU KRONOBLATT"));
    EXPECT_EQ(f->palette().color(QPalette::Window), QColor(0xe9, 0xe9, 0xe9));

    const QList<QAction *> menus = f->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menueTexte(menus[0]->menu()),
        (QStringList { QStringLiteral("Neuen Kronoblatt anlegen...."), QStringLiteral("-"),
            QStringLiteral("Kronoblatt öffnen...."), QStringLiteral("-"),
            QStringLiteral("Kronoblatt schliessen...."), QStringLiteral("-"),
            QStringLiteral("Als iCalendar exportieren…"),
            QStringLiteral("iCalendar-Datei einlesen…"), QStringLiteral("-"),
            QStringLiteral("Sicherung wiederherstellen…"), QStringLiteral("-"),
            QStringLiteral("Kronoblatt beenden") }));
    EXPECT_EQ(menueTexte(menus[1]->menu()),
        (QStringList { QStringLiteral("Suchen…"), QStringLiteral("-"),
            QStringLiteral("Kronoblatt mit Passwort schützen...") }));
    EXPECT_EQ(f->leisten()->aktion(Ort::Menue, Befehl::Suchen)->shortcut(),
        QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(menueTexte(menus[2]->menu()),
        (QStringList { QStringLiteral("Hilfethemen"), QStringLiteral("Info"),
            QStringLiteral("RI-DOZU Homepage") }));
    EXPECT_EQ(f->leisten()->aktion(Ort::Menue, Befehl::Hilfethemen)->shortcut(),
        QKeySequence(Qt::Key_F1));

    EXPECT_EQ(f->leisten()->linkeLeiste()->width(), 70);
    EXPECT_EQ(f->navigation()->width(), 123);
    const widgets::NavigationBar *nav = f->navigation();
    ASSERT_EQ(nav->groupCount(), 4);
    EXPECT_EQ(nav->groupTitle(1), QStringLiteral("Organizer/Bilder/Texte"));
    QStringList kalenderItems;
    for (const QAction *a : nav->items(0))
        kalenderItems << a->text();
    EXPECT_EQ(kalenderItems,
        (QStringList { QStringLiteral("Neu...."), QStringLiteral("Öffnen..."),
            QStringLiteral("Schliessen"), QStringLiteral("Passwort") }));
    EXPECT_EQ(nav->items(2).size(), 6);
    // Every item of the second group starts its window, the report management too.
    for (const QAction *a : nav->items(1))
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

    const struct {
        Befehl befehl;
        const char *text;
        bool ohneKalender;
    } links[] = { { Befehl::Anlegen, "Anlegen", true }, { Befehl::Oeffnen, "Öffnen", true },
        { Befehl::Schliessen, "Schliessen", false }, { Befehl::Passwort, "Passwort", false },
        { Befehl::Beenden, "Beenden", true } };
    for (const auto &l : links) {
        const QToolButton *b = f->leisten()->linkerButton(l.befehl);
        ASSERT_NE(b, nullptr) << l.text;
        EXPECT_EQ(b->text(), QString::fromUtf8(l.text));
        EXPECT_EQ(b->isEnabled(), l.ohneKalender) << l.text;
    }

    EXPECT_EQ(f->sichtbaresPanel(), Panel::Keins);
    EXPECT_EQ(f->kalenderPanel()->caption(), QStringLiteral("  Kalender"));
    EXPECT_EQ(f->organizerPanel()->caption(), QStringLiteral("  Organizer / Tagebuch"));
    EXPECT_EQ(f->bilderPanel()->caption(), QStringLiteral("  Kalender - Monats - Bilder / Texte"));

    const int breiten[] = { 400, 100, 100, 150, 100 };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f->statusLeiste()->panelLabel(i)->width(), breiten[i]) << i;
    EXPECT_EQ(f->statusLeiste()->panel(StatusLeiste::Datum), QStringLiteral("14.03.2024"));
    EXPECT_EQ(f->statusLeiste()->panel(StatusLeiste::Uhr).size(), 8);
    EXPECT_EQ(f->statusLeiste()->uhrTakt()->interval(), 1000);

    // Hints go to the first panel.
    QStatusTipEvent hint(QStringLiteral("Einen Kronoblatt öffnen"));
    QCoreApplication::sendEvent(f.get(), &hint);
    EXPECT_EQ(
        f->statusLeiste()->panel(StatusLeiste::Hinweis), QStringLiteral("Einen Kronoblatt öffnen"));
}

TEST_F(TForm1Test, OpenAndCloseUpdateCaptionButtonsPanelAndState)
{
    einstellungenAnlegen();
    auto f = fenster();
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    ui->answerFile(k.qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);

    EXPECT_EQ(f->windowTitle(), kalenderFensterTitel(k.qvkPfad()));
    EXPECT_TRUE(f->leisten()->linkerButton(Befehl::Schliessen)->isEnabled());
    EXPECT_TRUE(f->leisten()->linkerButton(Befehl::Passwort)->isEnabled());
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Kalender);
    EXPECT_EQ(f->kalenderPanel()->caption(), QStringLiteral("Kalender angelegt für das Jahr 2024"));
    EXPECT_EQ(f->statusLeiste()->panel(StatusLeiste::Land), QStringLiteral("Baden-Württemberg"));
    EXPECT_EQ(f->kalenderPanel()->tage()->model()->rowCount(), 366);

    // The month tabs filter the list.
    f->kalenderPanel()->monate()->setCurrentIndex(2);
    EXPECT_EQ(f->sitzung().jahr().filter(), QStringLiteral("MonatNr='2'"));
    EXPECT_EQ(f->kalenderPanel()->tage()->model()->rowCount(), 29);
    f->kalenderPanel()->monate()->setCurrentIndex(0);
    EXPECT_EQ(f->kalenderPanel()->tage()->model()->rowCount(), 366);

    ausloesen(*f, Ort::Navigation, Befehl::NavSchliessen);
    EXPECT_FALSE(f->sitzung().offen());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("RI-DOZU Kronoblatt"));
    EXPECT_FALSE(f->leisten()->linkerButton(Befehl::Schliessen)->isEnabled());
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Keins);
    EXPECT_TRUE(f->statusLeiste()->panel(StatusLeiste::Land).isEmpty());
}

TEST_F(TForm1Test, NavigationOpenGoesToTodayAfterAReminderAndToTheFirstDayOtherwise)
{
    einstellungenAnlegen();
    auto f = fenster();
    const KalenderDatei mit = kalender(QStringLiteral("Mit"), 2024);
    alarmSetzen(mit, kHeute);
    const KalenderDatei ohne = kalender(QStringLiteral("Ohne"), 2024);

    ui->answerFile(mit.qvkPfad());
    ausloesen(*f, Ort::Navigation, Befehl::NavOeffnen);
    EXPECT_EQ(ui->beeps(), 1);
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 3);
    EXPECT_EQ(f->sitzung().jahr().recordCount(), 31);
    EXPECT_EQ(f->sitzung().jahr().asDate(QStringLiteral("Datum")), kHeute);
    EXPECT_EQ(f->kalenderPanel()->tage()->currentIndex().row(), 13);

    ui->answerFile(ohne.qvkPfad());
    ausloesen(*f, Ort::Navigation, Befehl::NavOeffnen);
    EXPECT_EQ(ui->beeps(), 1);
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 0);
    EXPECT_EQ(f->sitzung().jahr().recNo(), 1);

    // The left button leaves the year's last day current.
    ui->answerFile(ohne.qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);
    EXPECT_EQ(f->sitzung().jahr().recNo(), 366);
}

struct OkFall {
    const char *was;
    const char *passwort;
    const char *wiederholung;
    bool ok;
};

TEST_F(TForm1Test, PasswordDialogEnablesOkExactlyWhenBothEntriesAreEqual)
{
    einstellungenAnlegen();
    auto f = fenster();
    TPasswordDlg *d = f->passwortDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Tabellen-Passwort"));
    EXPECT_FALSE(d->okButton()->isEnabled());

    const OkFall faelle[] = {
        { "both empty after an edit", "", "", true },
        { "different", "Sesam", "Sesa", false },
        { "equal", "Sesam", "Sesam", true },
        { "letter case counts", "Sesam", "sesam", false },
    };
    for (const OkFall &c : faelle) {
        d->passwortFeld()->setText(QStringLiteral("x"));
        d->passwortFeld()->setText(QString::fromUtf8(c.passwort));
        d->wiederholungFeld()->setText(QString::fromUtf8(c.wiederholung));
        EXPECT_EQ(d->okButton()->isEnabled(), c.ok) << c.was;
    }
    // Twelve characters cannot be typed; the first ten stay.
    d->passwortFeld()->clear();
    QTest::keyClicks(d->passwortFeld(), QStringLiteral("Kalender12XY"));
    EXPECT_EQ(d->passwort(), QStringLiteral("Kalender12"));
    EXPECT_EQ(d->passwortFeld()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d->wiederholungFeld()->echoMode(), QLineEdit::Password);
    // Unequal entries never close with OK.
    d->wiederholungFeld()->setText(QStringLiteral("anders"));
    d->accept();
    EXPECT_NE(d->result(), QDialog::Accepted);
}

TEST_F(TForm1Test, PasswordProtectsTheCalendarAndTheNextOpenAsks)
{
    einstellungenAnlegen();
    auto f = fenster();
    ui->answerModal(QDialog::Accepted, {});
    ausloesen(*f, Ort::Menue, Befehl::Passwort);
    EXPECT_EQ(ui->messages(), QStringList { QStringLiteral("Kein Kalender geöffnet!") });
    EXPECT_FALSE(ui->scriptDone()); // no dialog without a calendar
    ui->clear();

    const KalenderDatei k = kalender(QStringLiteral("Geheim"), 2024);
    ui->answerFile(k.qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);
    ui->answerModal(QDialog::Accepted, [](QWidget *w) {
        auto *d = qobject_cast<TPasswordDlg *>(w);
        ASSERT_NE(d, nullptr);
        d->passwortFeld()->setText(QStringLiteral("Sesam"));
        d->wiederholungFeld()->setText(QStringLiteral("Sesam"));
    });
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Passwort);
    EXPECT_TRUE(f->sitzung().jahr().isProtected());
    EXPECT_TRUE(f->sitzung().bild().isProtected());
    EXPECT_TRUE(f->sitzung().offen());

    // Opened again, it asks for the password; a wrong one leaves it closed.
    ui->answerFile(k.qvkPfad());
    ui->answerInput(QStringLiteral("falsch"));
    ausloesen(*f, Ort::Navigation, Befehl::NavOeffnen);
    EXPECT_FALSE(f->sitzung().offen());
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Keins);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].startsWith(QStringLiteral("Falsches Passwort")));

    ui->answerFile(k.qvkPfad());
    ui->answerInput(QStringLiteral("Sesam"));
    ausloesen(*f, Ort::Navigation, Befehl::NavOeffnen);
    EXPECT_TRUE(f->sitzung().offen());
    EXPECT_TRUE(ui->scriptDone());

    // The dialog is made once and shows the previous entries again.
    ui->answerModal(QDialog::Rejected, [](QWidget *w) {
        EXPECT_EQ(qobject_cast<TPasswordDlg *>(w)->passwort(), QStringLiteral("Sesam"));
    });
    ausloesen(*f, Ort::Navigation, Befehl::NavPasswort);
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm1Test, YearCalendarEntriesPreviewAndLeaveTheTableAsItWas)
{
    einstellungenAnlegen();
    report::installWindowPreviewer();
    auto f = fenster();
    // Without a calendar the navigation items say how to open one.
    ausloesen(*f, Ort::Navigation, Befehl::NavKronoblattDrucken, 0);
    EXPECT_EQ(ui->messages(),
        QStringList { QStringLiteral("Es ist derzeit kein Kalender geöffnet !\r\nBitte öffnen "
                                     "Sie über den Schalter \"Kalender\" eine Kalenderdatei "
                                     "\r\num den Kronoblatt zu drucken!") });
    ui->clear();

    ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);
    f->kalenderPanel()->monate()->setCurrentIndex(5);
    f->sitzung().jahr().setRecNo(10);
    const int pages[] = { 1, 2, 3, 4, 6, 12 };

    for (int v = 0; v < 6; ++v) {
        ui->answerModal(0, [&, v](QWidget *w) {
            auto *preview = qobject_cast<report::PreviewWindow *>(w);
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->windowTitle(), QStringLiteral("Druck-Vorschau"));
            EXPECT_EQ(int(preview->document().pages.size()), pages[v]);
        });
        if (v % 2 == 0)
            f->kalenderPanel()->jahreskalenderAktionen()[v]->trigger();
        else
            ausloesen(*f, Ort::Navigation, Befehl::NavKronoblattDrucken, v);
        EXPECT_TRUE(ui->scriptDone()) << v;
    }
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_EQ(f->sitzung().jahr().filter(), QStringLiteral("MonatNr='5'"));
    EXPECT_EQ(f->sitzung().jahr().recNo(), 10);

    // The year calendar button's face does nothing.
    f->kalenderPanel()->kalenderButton()->defaultAction()->trigger();
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(f->kalenderPanel()->kalenderButton()->toolTip(),
        QStringLiteral("Standard Kronoblatt Seitenvorschau drucken"));
    report::installPreviewer(nullptr);
}

TEST_F(TForm1Test, MonthWeekAndDiaryButtonsPreviewAndLeaveTheirFilter)
{
    einstellungenAnlegen();
    report::installWindowPreviewer();
    auto f = fenster();
    ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);
    KalenderPanel *panel = f->kalenderPanel();
    const struct {
        Befehl befehl;
        const char *hinweis;
    } knoepfe[] = {
        { Befehl::Wochenkalender, "Standard Wochenkalender Einlagen" },
        { Befehl::Monatskalender, "Standard Monatskalender Seitenvorschau drucken" },
        { Befehl::Tagebuch, "Standard Tagebuch" },
    };
    for (const auto &k : knoepfe) {
        ASSERT_NE(panel->aktion(k.befehl), nullptr);
        EXPECT_TRUE(panel->aktion(k.befehl)->isEnabled()) << k.hinweis;
        EXPECT_EQ(panel->aktion(k.befehl)->toolTip(), QString::fromUtf8(k.hinweis));
    }

    // The month calendar button drops down its menu; the submenus hold pairs and months.
    QMenu *menu = panel->monatsKButton()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(panel->monatsKButton()->popupMode(), QToolButton::InstantPopup);
    const QStringList texte = menueTexte(menu);
    ASSERT_EQ(texte.size(), 15);
    EXPECT_EQ(
        texte[0], QStringLiteral("Kalender-Vorschau  3 Spalten/erstes Quartal/vertikale Bilder"));
    EXPECT_EQ(texte[4], QStringLiteral("-"));
    EXPECT_EQ(
        texte[8], QStringLiteral("Kalender-Vorschau  3 Spalten/viertes Quartal horiz.Bilder"));
    EXPECT_EQ(texte[14], QStringLiteral("Kalender-Vorschau  1 Spalte/horiz.Bilder"));
    EXPECT_EQ(menueTexte(menu->actions()[10]->menu()).join(QLatin1Char(',')),
        QStringLiteral("Januar/Februar,März/April,Mai/Juni,Juli/August,September/Oktober,"
                       "November/Dezember"));
    EXPECT_EQ(menueTexte(menu->actions()[13]->menu()).size(), 12);
    EXPECT_EQ(panel->tagebuchButton()->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(menueTexte(panel->tagebuchButton()->menu()), monatsnamen());

    const auto vorschau = [&](int seiten) {
        ui->answerModal(0, [seiten](QWidget *w) {
            auto *preview = qobject_cast<report::PreviewWindow *>(w);
            ASSERT_NE(preview, nullptr);
            EXPECT_EQ(preview->windowTitle(), QStringLiteral("Druck-Vorschau"));
            EXPECT_EQ(int(preview->document().pages.size()), seiten);
        });
    };
    Table &jahr = f->sitzung().jahr();
    vorschau(1);
    panel->monatskalenderAktionen()[1]->trigger(); // second quarter, upright pictures
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr.filter(), QStringLiteral("(MonatNr='4')or(MonatNr='5')or(MonatNr='6')"));
    EXPECT_EQ(jahr.recordCount(), 91);
    // The picture table follows the day table by month.
    Table &bild = f->sitzung().bild();
    EXPECT_EQ(bild.recordCount(), 1);
    EXPECT_EQ(bild.asInt(QStringLiteral("Nr")), jahr.asInt(QStringLiteral("MonatNr")));
    jahr.last();
    EXPECT_EQ(bild.asInt(QStringLiteral("Nr")), 6);
    EXPECT_FALSE(jahr.controlsDisabled());

    vorschau(1);
    panel->tagebuchAktionen()[6]->trigger(); // "Juli"
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr.filter(), QStringLiteral("(MonatNr='7')"));
    vorschau(1);
    panel->tagebuchButton()->defaultAction()->trigger(); // the face: July as shown
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(jahr.recordCount(), 31);

    // The tab "Alle" is still the selected one: clicking it shows the whole year again.
    ASSERT_EQ(panel->monate()->currentIndex(), 0);
    f->zeigen();
    QTest::mouseClick(panel->monate(), Qt::LeftButton, {}, panel->monate()->tabRect(0).center());
    EXPECT_FALSE(jahr.filtered());
    EXPECT_EQ(jahr.recordCount(), 366);

    jahr.setFilter(QStringLiteral("MonatNr='2'"));
    jahr.setFiltered(true);
    vorschau(27);
    panel->aktion(Befehl::Wochenkalender)->trigger();
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_FALSE(jahr.filtered());
    EXPECT_TRUE(ui->messages().isEmpty());
    report::installPreviewer(nullptr);
}

TEST_F(TForm1Test, HelpAboutAndHomepage)
{
    einstellungenAnlegen();
    auto f = fenster();
    ausloesen(*f, Ort::Menue, Befehl::Hilfethemen);
    ASSERT_EQ(ui->messages().size(), 1); // no help pages in this program directory
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("Hilfe")));

    ProgramDir::seed(QStringLiteral(KB_SOURCE_DIR "/data"), home.path());
    ausloesen(*f, Ort::Menue, Befehl::Hilfethemen);
    ASSERT_NE(f->hilfeFenster(), nullptr);
    EXPECT_TRUE(f->hilfeFenster()->isVisible());
    EXPECT_EQ(f->hilfeFenster()->browser()->documentTitle(), QStringLiteral("Kronoblatt – Hilfe"));
    f->hilfeFenster()->browser()->setSource(QUrl(QStringLiteral("passwort.html")));
    EXPECT_EQ(f->hilfeFenster()->browser()->documentTitle(),
        QStringLiteral("Kronoblatt mit Passwort schützen"));

    ui->answerModal(QDialog::Accepted, [](QWidget *w) {
        auto *box = qobject_cast<TAboutBox *>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Info"));
        const QString texte = [&] {
            QString all;
            for (const QLabel *l : box->findChildren<QLabel *>())
                all += l->text() + QLatin1Char('|');
            return all;
        }();
        EXPECT_TRUE(texte.contains(QStringLiteral("|V 3.0|")));
        EXPECT_TRUE(texte.contains(QStringLiteral("GPL-3.0-or-later")));
        EXPECT_TRUE(texte.contains(QStringLiteral("|RI-DOZU|")));
        EXPECT_TRUE(texte.contains(QStringLiteral("www.ri-dozu.de")));
        Q_EMIT box->adresse()->linkActivated(QStringLiteral("http://www.ri-dozu.de/"));
    });
    ausloesen(*f, Ort::Menue, Befehl::Info);
    ausloesen(*f, Ort::Menue, Befehl::Homepage);
    EXPECT_EQ(ui->openedUrls(), QStringList(2, QStringLiteral("http://www.ri-dozu.de/")));
}

TEST_F(TForm1Test, CalendarFromTheCommandLine)
{
    einstellungenAnlegen();
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    const struct {
        const char *was;
        QString path;
        bool offen;
        const char *meldung;
    } faelle[] = {
        { "a calendar file", k.qvkPfad(), true, nullptr },
        { "a missing file", daten + QStringLiteral("Fehlt.QVK"), false, "gibt es nicht" },
        { "not a calendar file", k.jahrPfad(), false, "keine Kalenderdatei" },
    };
    for (const auto &c : faelle) {
        auto f = fenster();
        ui->clear();
        f->kalenderArgumentOeffnen(c.path);
        EXPECT_EQ(f->sitzung().offen(), c.offen) << c.was;
        EXPECT_EQ(f->sichtbaresPanel(), c.offen ? Panel::Kalender : Panel::Keins) << c.was;
        if (c.meldung) {
            ASSERT_EQ(ui->messages().size(), 1) << c.was;
            EXPECT_TRUE(ui->messages()[0].contains(QString::fromUtf8(c.meldung))) << c.was;
        } else {
            EXPECT_TRUE(ui->messages().isEmpty()) << c.was;
        }
    }
}

// "Datenbank Designer" opens the report management on the report table of the program
// directory; its reports read the calendar open in the main window.
TEST_F(TForm1Test, TheNavigationItemOpensTheReportManagementOnTheOpenCalendar)
{
    {
        QDir().mkpath(ProgramDir::designerDir());
        Table t;
        t.setFilePath(bericht::berichtTabellePfad());
        Schemas::anlegen(t, Schemas::designerTabelle());
        for (const bericht::FertigerBericht &b : bericht::fertigeBerichte())
            bericht::berichtAnhaengen(
                bericht::berichtTabellePfad(), b.name, bericht::berichtSchreiben(b.bericht));
    }
    einstellungenAnlegen();
    auto f = fenster();
    ui->answerFile(kalender(QStringLiteral("Test"), 2024).qvkPfad());
    ausloesen(*f, Ort::LinkeLeiste, Befehl::Oeffnen);
    ui->answerModal(0, [](QWidget *w) {
        auto *verwaltung = qobject_cast<designer::TSimpleDemoMainForm *>(w);
        ASSERT_NE(verwaltung, nullptr);
        EXPECT_EQ(verwaltung->liste()->model()->rowCount(), 3);
        EXPECT_EQ(verwaltung->liste()->model()->index(0, 0).data().toString(),
            QStringLiteral("Feiertage des Jahres"));
    });
    ausloesen(*f, Ort::Navigation, Befehl::NavDesigner);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join(u'|').toStdString();
}

} // namespace
