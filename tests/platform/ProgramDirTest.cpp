#include "platform/ProgramDir.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kb;

namespace {

class ProgramDirTest : public ::testing::Test
{
protected:
    void SetUp() override { m_saved = qgetenv("KRONOBLATT_HOME"); }
    void TearDown() override
    {
        qputenv("KRONOBLATT_HOME", m_saved);
        ProgramDir::reset();
    }
    QByteArray m_saved;
};

} // namespace

TEST_F(ProgramDirTest, HomeVariableWinsAndEndsWithSlash)
{
    test::TempDir dir;
    const QString home = dir.path() + QStringLiteral("mit Leerzeichen Ä");
    qputenv("KRONOBLATT_HOME", home.toUtf8());
    ProgramDir::reset();
    EXPECT_EQ(ProgramDir::path(), home + QLatin1Char('/'));
    EXPECT_TRUE(QFileInfo(home).isDir());
    EXPECT_EQ(ProgramDir::calendarDataDir(), home + QStringLiteral("/Kalenderdaten/"));
    EXPECT_EQ(ProgramDir::designerDir(), home + QStringLiteral("/Designer/"));
}

TEST_F(ProgramDirTest, SeedCopiesDataFilesWithoutOverwriting)
{
    test::TempDir from, to;
    QDir().mkpath(from.file(QStringLiteral("Kalenderdaten")));
    test::writeAll(from.file(QStringLiteral("Kalvalues.ini")), "[User]\r\n");
    test::writeAll(from.file(QStringLiteral("Kalenderdaten/Texte.db")), "table");
    test::writeAll(from.file(QStringLiteral("kronoblatt")), "program");
    test::writeAll(to.file(QStringLiteral("Kalvalues.ini")), "mine");

    ProgramDir::seed(from.path(), to.path());

    EXPECT_EQ(test::readAll(to.file(QStringLiteral("Kalvalues.ini"))), QByteArray("mine"));
    EXPECT_EQ(test::readAll(to.file(QStringLiteral("Kalenderdaten/Texte.db"))), QByteArray("table"));
    EXPECT_FALSE(QFileInfo::exists(to.file(QStringLiteral("kronoblatt"))));
}
