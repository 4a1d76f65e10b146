#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "platform/Error.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace kb;

namespace {

TEST(KalenderDatei, TablesAreFoundByReplacingTheExtension)
{
    const KalenderDatei k = KalenderDatei::ausQvk(QStringLiteral("/daten/Test.QVK"));
    EXPECT_EQ(k.directory, QStringLiteral("/daten/"));
    EXPECT_EQ(k.jahrPfad(), QStringLiteral("/daten/Test.DB"));
    EXPECT_EQ(k.bildPfad(), QStringLiteral("/daten/TestBild.DB"));
    EXPECT_EQ(KalenderDatei::ausQvk(QStringLiteral("/d/a.b.qvk")).jahrTabelle,
              QStringLiteral("a.b.DB"));

    EXPECT_TRUE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.QVK")));
    EXPECT_TRUE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.qvk")));
    EXPECT_FALSE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.Qvk")));
    EXPECT_FALSE(KalenderDatei::istKalenderdatei(QStringLiteral("/d/Test.DB")));
}

TEST(KalenderDatei, PasswordProtectsTheYearTableOnly)
{
    test::TempDir dir;
    AnlageEingaben e;
    e.verzeichnis = dir.path();
    e.datei = QStringLiteral("Geheim");
    e.jahr = 2024;
    const KalenderDatei k = kalenderAnlegen(e).dateien;

    Table jahr;
    jahr.setFilePath(k.jahrPfad());
    Table bild;
    bild.setFilePath(k.bildPfad());
    jahr.open();
    bild.open();
    // Twelve characters typed; the password is the first ten.
    passwortSetzen(jahr, &bild, QStringLiteral("Kalender12XY"));
    EXPECT_TRUE(jahr.isOpen());
    EXPECT_TRUE(bild.isOpen());
    EXPECT_FALSE(jahr.exclusive());
    EXPECT_TRUE(jahr.isProtected());
    EXPECT_FALSE(bild.isProtected());
    EXPECT_EQ(jahr.recordCount(), 366);
    jahr.close();
    bild.close();

    Session::removeAllPasswords();
    Session::addPassword(QStringLiteral("Kalender12XY"));
    EXPECT_THROW(jahr.open(), Error); // nobody answers the password question in tests
    bild.open();                      // the picture table has no password
    EXPECT_EQ(bild.recordCount(), 12);

    Session::removeAllPasswords();
    Session::addPassword(QStringLiteral("Kalender12"));
    jahr.open();
    EXPECT_EQ(jahr.recordCount(), 366);
    Session::removeAllPasswords();
}

} // namespace
