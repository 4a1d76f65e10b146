#include "CliTestUtil.h"
#include "platform/ProgramDir.h"
#include "settings/IniFile.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

class Demo : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_vorher = qgetenv("KRONOBLATT_HOME");
        qputenv("KRONOBLATT_HOME", home.path().toUtf8());
        kb::ProgramDir::reset();
        // The school-holiday table installed with the program.
        ASSERT_TRUE(
            QFile::copy(s(KB_SOURCE_DIR "/data/schulferien.csv"), home.file(s("schulferien.csv"))));
    }
    void TearDown() override
    {
        qputenv("KRONOBLATT_HOME", m_vorher);
        qunsetenv("KRONOBLATT_LAND");
        kb::ProgramDir::reset();
    }

    TempDir home;
    TempDir dir;

private:
    QByteArray m_vorher;
};

TEST_F(Demo, CreatesTheCalendarOnceAndPrintsItsYearCalendarToPdf)
{
    qputenv("KRONOBLATT_LAND", "Hessen");
    const QStringList args { s("demo"), s("--verzeichnis"), dir.path(), s("--jahr"), s("2026") };
    auto r = runCli(args);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString pdf = dir.file(s("Demo2026-Hessen.pdf"));
    EXPECT_TRUE(r.out.contains(s("Demo-Kalender angelegt: ")));
    EXPECT_TRUE(r.out.endsWith(s("als PDF: ") + QDir::toNativeSeparators(pdf) + s("\n")));
    EXPECT_TRUE(kb::test::readAll(pdf).startsWith("%PDF"));

    // The demo's own settings carry the state's school holidays of that year.
    const kb::IniFile ini(dir.file(s("Demo2026-Hessen.ini")));
    EXPECT_EQ(ini.readString(s("Ferien"), s("SommerBeginn"), {}), s("29.06."));
    EXPECT_EQ(ini.readString(s("Ferien"), s("Weihnachten1Beginn"), {}), s("01.01."));
    EXPECT_FALSE(QFile::exists(home.file(s("Kalvalues.ini")))); // the program's stay untouched

    // A week off in October shows the coloured texts; holidays keep their names.
    kb::Table tage;
    tage.setFilePath(dir.file(s("Demo2026-Hessen.DB")));
    tage.open();
    ASSERT_TRUE(tage.locate(s("Datum"), QDate(2026, 10, 5)));
    EXPECT_EQ(tage.asString(s("Text")), s("Urlaub"));
    ASSERT_TRUE(tage.locate(s("Datum"), QDate(2026, 10, 14)));
    EXPECT_EQ(tage.asString(s("Text")), s("Krank"));
    tage.close();

    QFile::remove(pdf);
    r = runCli(args);
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(s("Demo-Kalender vorhanden: ")));
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(Demo, StateDefaultsToBayernAndMustBeKnown)
{
    auto r = runCli({ s("demo"), s("--verzeichnis"), dir.path(), s("--jahr"), s("2027") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.file(s("Demo2027-Bayern.pdf"))));

    qputenv("KRONOBLATT_LAND", "Atlantis");
    r = runCli({ s("demo"), s("--verzeichnis"), dir.path() });
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.contains(s("Unbekanntes Bundesland: Atlantis")));
}

} // namespace
