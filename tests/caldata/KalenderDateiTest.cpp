#include "caldata/KalenderDatei.h"
#include "caldata/KalenderAnlage.h"
#include "platform/Error.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kb;

namespace {

TEST(KalenderDatei, TablesAreFoundByReplacingTheExtension)
{
    const KalenderDatei k = KalenderDatei::ausQvk(QStringLiteral("/daten/Test.QVK"));
    EXPECT_EQ(k.directory, QStringLiteral("/daten/"));
    EXPECT_EQ(k.jahrPfad(), QStringLiteral("/daten/Test.DB"));
    EXPECT_EQ(k.bildPfad(), QStringLiteral("/daten/TestBild.DB"));
    EXPECT_EQ(
        KalenderDatei::ausQvk(QStringLiteral("/d/a.b.qvk")).jahrTabelle, QStringLiteral("a.b.DB"));

    EXPECT_TRUE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.QVK")));
    EXPECT_TRUE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.qvk")));
    EXPECT_FALSE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.Qvk")));
    EXPECT_FALSE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.DB")));
}

class KalenderPasswort : public ::testing::Test {
protected:
    void SetUp() override
    {
        AnlageEingaben e;
        e.verzeichnis = dir.path();
        e.datei = QStringLiteral("Geheim");
        e.jahr = 2024;
        k = kalenderAnlegen(e).dateien;
        jahr.setFilePath(k.jahrPfad());
        bild.setFilePath(k.bildPfad());
    }
    void TearDown() override { Session::removeAllPasswords(); }

    test::TempDir dir;
    KalenderDatei k;
    Table jahr;
    Table bild;
};

// The user protects the calendar, not one of its files: days and months both need the
// password.
TEST_F(KalenderPasswort, ProtectsBothTablesWithTheFirstTenCharacters)
{
    jahr.open();
    bild.open();
    // Twelve characters typed; the password is the first ten.
    passwortSetzen(jahr, &bild, QStringLiteral("Kalender12XY"));
    EXPECT_TRUE(jahr.isOpen());
    EXPECT_TRUE(bild.isOpen());
    EXPECT_FALSE(jahr.exclusive());
    EXPECT_FALSE(bild.exclusive());
    EXPECT_TRUE(jahr.isProtected());
    EXPECT_TRUE(bild.isProtected());
    EXPECT_EQ(jahr.recordCount(), 366);
    EXPECT_EQ(bild.recordCount(), 12);
    jahr.close();
    bild.close();

    Session::removeAllPasswords();
    Session::addPassword(QStringLiteral("Kalender12XY"));
    EXPECT_THROW(jahr.open(), Error); // nobody answers the password question in tests
    EXPECT_THROW(bild.open(), Error);

    Session::removeAllPasswords();
    Session::addPassword(QStringLiteral("Kalender12"));
    jahr.open();
    bild.open();
    EXPECT_EQ(jahr.recordCount(), 366);
    EXPECT_EQ(bild.recordCount(), 12);

    // An empty password lifts the protection of both.
    passwortSetzen(jahr, &bild, QString());
    Session::removeAllPasswords();
    jahr.close();
    bild.close();
    jahr.open();
    bild.open();
    EXPECT_FALSE(jahr.isProtected());
    EXPECT_FALSE(bild.isProtected());
}

TEST_F(KalenderPasswort, PictureTableFailingLeavesTheYearTableAsItWas)
{
    jahr.open();
    // Another handle on the picture table keeps it from being opened exclusively.
    Table andere;
    andere.setFilePath(k.bildPfad());
    andere.open();
    EXPECT_THROW(passwortSetzen(jahr, &bild, QStringLiteral("geheim")), Error);
    EXPECT_TRUE(jahr.isOpen()); // open again, as before
    EXPECT_FALSE(jahr.isProtected());
    EXPECT_FALSE(bild.isOpen()); // was closed before
    andere.close();
    jahr.close();

    Session::removeAllPasswords();
    jahr.open();
    bild.open();
    EXPECT_FALSE(jahr.isProtected());
    EXPECT_FALSE(bild.isProtected());
    EXPECT_EQ(jahr.recordCount(), 366);
    // No backup copy is left beside the tables.
    EXPECT_FALSE(QFile::exists(k.jahrPfad() + QStringLiteral(".kbalt")));
}

TEST_F(KalenderPasswort, WithoutPictureTableOnlyTheYearTable)
{
    passwortSetzen(jahr, nullptr, QStringLiteral("geheim"));
    EXPECT_FALSE(jahr.isOpen()); // was closed before
    Session::removeAllPasswords();
    bild.open();
    EXPECT_FALSE(bild.isProtected());
    EXPECT_THROW(jahr.open(), Error);
}

} // namespace
