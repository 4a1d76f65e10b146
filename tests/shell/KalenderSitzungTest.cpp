#include "ShellTestUtil.h"

#include "settings/IniFile.h"
#include "shell/Erinnern.h"
#include "shell/KalenderSitzung.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

using namespace kb;

namespace {

const QDate kHeute(2024, 3, 14);

class KalenderSitzungTest : public test::ShellTest {
protected:
    KalenderSitzung sitzung { kHeute };
};

struct EndungFall {
    const char *datei;
    bool geoeffnet;
};

TEST_F(KalenderSitzungTest, OnlyExactUpperOrLowerCaseExtensionsOpen)
{
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    const EndungFall faelle[] = {
        { "Test.QVK", true },
        { "Test.qvk", true },
        { "Test.Qvk", false },
        { "Test.qvK", false },
        { "Test.DB", false },
    };
    for (const EndungFall &f : faelle) {
        const QString path = daten + QString::fromLatin1(f.datei);
        if (!QFile::exists(path)) {
            ASSERT_TRUE(QFile::copy(k.qvkPfad(), path));
        }
        sitzung.schliessen(false);
        ui->clear();
        const auto o = sitzung.oeffnenDatei(path);
        EXPECT_EQ(o.geoeffnet(), f.geoeffnet) << f.datei;
        EXPECT_EQ(sitzung.offen(), f.geoeffnet) << f.datei;
        // A refused file is said to be no calendar file, not silently ignored.
        EXPECT_EQ(ui->messages().size(), f.geoeffnet ? 0 : 1) << f.datei;
    }
}

TEST_F(KalenderSitzungTest, OpeningTestQvkUsesTestDbAndTestBildDb)
{
    kalender(QStringLiteral("Test"), 2024);
    QSignalSpy zustand(&sitzung, &KalenderSitzung::zustandGeaendert);
    const auto o = sitzung.oeffnenDatei(daten + QStringLiteral("Test.QVK"));
    ASSERT_TRUE(o.geoeffnet());
    EXPECT_EQ(sitzung.jahr().filePath(), daten + QStringLiteral("Test.DB"));
    EXPECT_EQ(sitzung.bild().filePath(), daten + QStringLiteral("TestBild.DB"));
    EXPECT_TRUE(sitzung.bild().isOpen());
    EXPECT_EQ(sitzung.bild().recordCount(), 12); // all twelve months, no master link
    EXPECT_EQ(sitzung.fensterTitel(),
        QStringLiteral("RI-DOZU Kronoblatt ")
            + QDir::toNativeSeparators(daten + QStringLiteral("Test.QVK")));
    EXPECT_EQ(sitzung.jahrZahl(), 2024);
    EXPECT_EQ(sitzung.kalenderTitel(), QStringLiteral("Kalender angelegt für das Jahr 2024"));
    EXPECT_EQ(sitzung.landText(), QStringLiteral("Baden-Württemberg"));
    // Without a reminder the check's walk leaves the year's last day current.
    EXPECT_EQ(sitzung.jahr().asDate(QStringLiteral("Datum")), QDate(2024, 12, 31));
    EXPECT_FALSE(o.erinnerung.gefunden);
    EXPECT_EQ(zustand.size(), 1);
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(KalenderSitzungTest, ARefusedFileKeepsTheOpenCalendar)
{
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    const QString titel = sitzung.fensterTitel();
    ASSERT_TRUE(QFile::copy(k.qvkPfad(), daten + QStringLiteral("Anders.Qvk")));

    EXPECT_EQ(sitzung.oeffnenDatei(daten + QStringLiteral("Anders.Qvk")).ausgang,
        KalenderSitzung::Ausgang::Abgelehnt);
    EXPECT_EQ(sitzung.oeffnenDatei(daten + QStringLiteral("Fehlt.QVK")).ausgang,
        KalenderSitzung::Ausgang::Abgelehnt);
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("keine Kalenderdatei")));
    EXPECT_TRUE(ui->messages()[1].contains(QStringLiteral("gibt es nicht")));
    EXPECT_TRUE(sitzung.offen());
    EXPECT_EQ(sitzung.jahr().filePath(), k.jahrPfad());
    EXPECT_EQ(sitzung.fensterTitel(), titel);
}

TEST_F(KalenderSitzungTest, AMissingTableEndsTheOpenWithNoCalendarOpen)
{
    const KalenderDatei alt = kalender(QStringLiteral("Alt"), 2023);
    const KalenderDatei k = kalender(QStringLiteral("Kaputt"), 2024);
    ASSERT_TRUE(sitzung.oeffnenDatei(alt.qvkPfad()).geoeffnet());
    ASSERT_TRUE(QFile::remove(k.bildPfad()));

    const auto o = sitzung.oeffnenDatei(k.qvkPfad());
    EXPECT_EQ(o.ausgang, KalenderSitzung::Ausgang::Fehler);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("KaputtBild.DB")));
    EXPECT_FALSE(sitzung.offen());
    EXPECT_FALSE(sitzung.bild().isOpen());
    EXPECT_EQ(sitzung.fensterTitel(), geschlossenTitel());
    EXPECT_TRUE(sitzung.landText().isEmpty());
}

TEST_F(KalenderSitzungTest, MonthTabsFilterTheSharedYearTable)
{
    kalender(QStringLiteral("Test"), 2024);
    ASSERT_TRUE(sitzung.oeffnenDatei(daten + QStringLiteral("Test.QVK")).geoeffnet());
    QSignalSpy monat(&sitzung, &KalenderSitzung::monatGeaendert);
    const struct {
        int monat;
        int tage;
    } faelle[] = { { 3, 31 }, { 2, 29 }, { 12, 31 }, { 0, 366 } };
    for (const auto &f : faelle) {
        sitzung.monatsfilter(f.monat);
        EXPECT_EQ(sitzung.jahr().recordCount(), f.tage) << f.monat;
        EXPECT_EQ(sitzung.jahr().filtered(), f.monat != 0) << f.monat;
        EXPECT_EQ(sitzung.monat(), f.monat);
    }
    sitzung.monatsfilter(3);
    EXPECT_EQ(sitzung.jahr().filter(), QStringLiteral("MonatNr='3'"));
    EXPECT_EQ(monat.size(), 5);
}

TEST_F(KalenderSitzungTest, NewDayRecordsAreRefused)
{
    kalender(QStringLiteral("Test"), 2024);
    ASSERT_TRUE(sitzung.oeffnenDatei(daten + QStringLiteral("Test.QVK")).geoeffnet());
    EXPECT_FALSE(sitzung.jahr().insert());
    EXPECT_FALSE(sitzung.jahr().append());
    EXPECT_EQ(ui->messages(), QStringList(2, keineNeuenDatensaetze()));
    EXPECT_EQ(sitzung.jahr().state(), Table::State::Browse);
    EXPECT_EQ(sitzung.jahr().recordCount(), 366);
}

struct ErinnerungFall {
    const char *was;
    int kalenderJahr;
    QDate alarmTag;
    bool gefunden;
};

TEST_F(KalenderSitzungTest, AReminderFiresForTodayOnly)
{
    const ErinnerungFall faelle[] = {
        { "today in this year's calendar", 2024, kHeute, true },
        { "another day of this year", 2024, kHeute.addDays(1), false },
        { "today's date in last year's calendar", 2023, QDate(2023, 3, 14), false },
    };
    int n = 0;
    for (const ErinnerungFall &f : faelle) {
        const KalenderDatei k = kalender(QStringLiteral("K%1").arg(++n), f.kalenderJahr);
        alarmSetzen(k, f.alarmTag);
        ui->clear();
        const auto o = sitzung.oeffnenDatei(k.qvkPfad());
        ASSERT_TRUE(o.geoeffnet()) << f.was;
        EXPECT_EQ(o.erinnerung.gefunden, f.gefunden) << f.was;
        EXPECT_EQ(ui->beeps(), f.gefunden ? 1 : 0) << f.was;
        EXPECT_EQ(ui->messages(),
            f.gefunden ? QStringList { QStringLiteral("Für heute den: 14.03.2024 ist ein "
                                                      "Termin in der Erinnerungsliste "
                                                      "eingetragen!") }
                       : QStringList())
            << f.was;
        // Today's day is current after a reminder, the year's last day otherwise.
        EXPECT_EQ(sitzung.jahr().asDate(QStringLiteral("Datum")),
            f.gefunden ? kHeute : QDate(f.kalenderJahr, 12, 31))
            << f.was;
    }
}

TEST_F(KalenderSitzungTest, TheReminderCheckSearchesTheWholeYearAndRemovesTheFilter)
{
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    alarmSetzen(k, kHeute);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    sitzung.monatsfilter(7);
    QSignalSpy monat(&sitzung, &KalenderSitzung::monatGeaendert);
    ui->clear();

    const auto o = sitzung.oeffnenDatei(k.qvkPfad());
    EXPECT_TRUE(o.erinnerung.gefunden);
    EXPECT_FALSE(sitzung.jahr().filtered());
    EXPECT_EQ(sitzung.monat(), 0);
    ASSERT_EQ(monat.size(), 1);
    EXPECT_EQ(monat.front().front().toInt(), 0);
    EXPECT_EQ(sitzung.jahr().recordCount(), 366);

    // After a reminder the calendar shows today's month with today current.
    sitzung.heuteZeigen();
    EXPECT_EQ(sitzung.monat(), 3);
    EXPECT_EQ(sitzung.jahr().recordCount(), 31);
    EXPECT_EQ(sitzung.jahr().asDate(QStringLiteral("Datum")), kHeute);
}

TEST_F(KalenderSitzungTest, TheErinnernWalkReportsTodaysPosition)
{
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    alarmSetzen(k, QDate(2024, 12, 31));
    Table jahr;
    jahr.setFilePath(k.jahrPfad());
    jahr.open();
    const Erinnerung e = erinnern(jahr, QDate(2024, 12, 31));
    EXPECT_TRUE(e.gefunden);
    EXPECT_FALSE(e.tag.isNull());
    EXPECT_FALSE(jahr.controlsDisabled());
    EXPECT_EQ(jahr.recNo(), 366);
}

TEST_F(KalenderSitzungTest, ProtectReopenAsksOnceAndAWrongPasswordOpensNothing)
{
    const KalenderDatei k = kalender(QStringLiteral("Geheim"), 2024);
    EXPECT_FALSE(sitzung.passwortSchuetzen(QStringLiteral("x")));
    EXPECT_EQ(ui->messages(), QStringList { keinKalenderOffen() });

    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    sitzung.monatsfilter(4);
    ui->clear();
    ASSERT_TRUE(sitzung.passwortSchuetzen(QStringLiteral("Sesam12345XY")));
    EXPECT_TRUE(sitzung.offen());
    EXPECT_TRUE(sitzung.bild().isOpen());
    EXPECT_TRUE(sitzung.jahr().isProtected());
    EXPECT_TRUE(sitzung.bild().isProtected());
    EXPECT_EQ(sitzung.jahr().recordCount(), 30); // April is still shown
    EXPECT_TRUE(ui->messages().isEmpty());
    sitzung.schliessen(false);

    // The known passwords are forgotten on every open: the calendar asks, once for both tables.
    ui->answerInput(QStringLiteral("Sesam12345"));
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    EXPECT_EQ(ui->prompts().size(), 1);
    EXPECT_EQ(sitzung.bild().recordCount(), 12);
    sitzung.schliessen(false);

    ui->clear();
    ui->answerInput(QStringLiteral("sesam12345"));
    const auto falsch = sitzung.oeffnenDatei(k.qvkPfad());
    EXPECT_EQ(falsch.ausgang, KalenderSitzung::Ausgang::Fehler);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].startsWith(QStringLiteral("Falsches Passwort")));
    EXPECT_FALSE(sitzung.offen());
    EXPECT_FALSE(sitzung.bild().isOpen());
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(KalenderSitzungTest, FormNameIsWrittenOnOpenAndMenuCloseOnly)
{
    einstellungenAnlegen("[User]\r\nDatei=Alt\r\n");
    IniFile ini(home.file(QStringLiteral("Kalvalues.ini")));
    sitzung.setEinstellungen(&ini);
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);

    sitzung.setFormularName(QStringLiteral("Beim Öffnen"));
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    EXPECT_EQ(readDatei(ini), QStringLiteral("Beim Öffnen"));

    sitzung.setFormularName(QStringLiteral("Navigation"));
    sitzung.schliessen(false);
    EXPECT_EQ(readDatei(ini), QStringLiteral("Beim Öffnen"));
    EXPECT_EQ(sitzung.fensterTitel(), QStringLiteral("RI-DOZU Kronoblatt"));

    sitzung.setFormularName(QStringLiteral("Menü"));
    sitzung.schliessen(true);
    EXPECT_EQ(readDatei(ini), QStringLiteral("Menü"));
}

TEST_F(KalenderSitzungTest, WithoutSettingsFileNothingIsWritten)
{
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    sitzung.setFormularName(QStringLiteral("Formular"));
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    sitzung.schliessen(true);
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("Kalvalues.ini"))));
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(KalenderSitzungTest, SchoolHolidaysAreReadOnOpen)
{
    einstellungenAnlegen("[Ferien]\r\nSommerBeginn=01.08.\r\nSommerEnde=14.09.\r\n");
    IniFile ini(home.file(QStringLiteral("Kalvalues.ini")));
    sitzung.setEinstellungen(&ini);
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    EXPECT_EQ(sitzung.layout().periode(Ferien::Sommer).beginn, QStringLiteral("01.08."));
    EXPECT_TRUE(sitzung.layout().inFerien(QDate(2024, 8, 20)));
}

TEST_F(KalenderSitzungTest, AfterGenerationTheNewCalendarReplacesTheShownOne)
{
    const KalenderDatei alt = kalender(QStringLiteral("Alt"), 2023);
    ASSERT_TRUE(sitzung.oeffnenDatei(alt.qvkPfad()).geoeffnet());
    sitzung.monatsfilter(5);
    const KalenderDatei neu = kalender(QStringLiteral("Neu"), 2025);
    sitzung.nachAnlage(neu);
    EXPECT_TRUE(sitzung.offen());
    EXPECT_EQ(sitzung.jahr().filePath(), neu.jahrPfad());
    EXPECT_EQ(sitzung.jahr().recordCount(), 365);
    EXPECT_EQ(sitzung.monat(), 0);
    EXPECT_EQ(sitzung.jahrZahl(), 2025);
    EXPECT_EQ(sitzung.kalenderTitel(), QStringLiteral("Kalender angelegt für das Jahr 2025"));
    EXPECT_EQ(sitzung.fensterTitel(), kalenderFensterTitel(neu.qvkPfad()));
    EXPECT_FALSE(sitzung.jahr().insert());
}

} // namespace
