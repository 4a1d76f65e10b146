#include "CliTestUtil.h"
#include "settings/IniFile.h"
#include "storage/Table.h"
#include "support/Programmverzeichnis.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using kb::test::runCli;
using kb::test::TempDir;

namespace {

class Demo : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The school-holiday table installed with the program.
        ASSERT_TRUE(QFile::copy(QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv"),
            home.file(u"schulferien.csv"_s)));
    }
    void TearDown() override { qunsetenv("KRONOBLATT_LAND"); }

    TempDir home;
    TempDir dir;
    kb::test::Programmverzeichnis programm { home.path() };
};

TEST_F(Demo, CreatesTheCalendarOnceAndPrintsItsYearCalendarToPdf)
{
    qputenv("KRONOBLATT_LAND", "Hessen");
    const QStringList args { u"demo"_s, u"--verzeichnis"_s, dir.path(), u"--jahr"_s, u"2026"_s };
    auto r = runCli(args);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString pdf = dir.file(u"Demo2026-Hessen.pdf"_s);
    EXPECT_TRUE(r.out.contains(u"Demo-Kalender angelegt: "_s));
    EXPECT_TRUE(r.out.endsWith(u"als PDF: "_s + QDir::toNativeSeparators(pdf) + u"\n"_s));
    EXPECT_TRUE(kb::test::readAll(pdf).startsWith("%PDF"));

    // The demo's own settings carry the state's school holidays of that year.
    const kb::IniFile ini(dir.file(u"Demo2026-Hessen.ini"_s));
    EXPECT_EQ(ini.readString(u"Ferien"_s, u"SommerBeginn"_s, {}), u"29.06."_s);
    EXPECT_EQ(ini.readString(u"Ferien"_s, u"Weihnachten1Beginn"_s, {}), u"01.01."_s);
    EXPECT_FALSE(QFile::exists(home.file(u"Kalvalues.ini"_s))); // the program's stay untouched

    // A week off in October shows the coloured texts; holidays keep their names.
    kb::Table tage;
    tage.setFilePath(dir.file(u"Demo2026-Hessen.DB"_s));
    tage.open();
    ASSERT_TRUE(tage.locate(u"Datum"_s, QDate(2026, 10, 5)));
    EXPECT_EQ(tage.asString(u"Text"_s), u"Urlaub"_s);
    ASSERT_TRUE(tage.locate(u"Datum"_s, QDate(2026, 10, 14)));
    EXPECT_EQ(tage.asString(u"Text"_s), u"Krank"_s);
    tage.close();

    QFile::remove(pdf);
    r = runCli(args);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"Demo-Kalender vorhanden: "_s));
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(Demo, StateDefaultsToBayernAndMustBeKnown)
{
    auto r = runCli({ u"demo"_s, u"--verzeichnis"_s, dir.path(), u"--jahr"_s, u"2027"_s });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.file(u"Demo2027-Bayern.pdf"_s)));

    qputenv("KRONOBLATT_LAND", "Atlantis");
    r = runCli({ u"demo"_s, u"--verzeichnis"_s, dir.path() });
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(u"Unbekanntes Bundesland: Atlantis"_s));
}

} // namespace
