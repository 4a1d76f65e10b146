#include "CliTestUtil.h"
#include "caldata/KalenderAnlage.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using kb::test::runCli;

namespace {

QStringList anlegen(const kb::test::TempDir &dir, const QString &land)
{
    return { QStringLiteral("anlegen"), QStringLiteral("--verzeichnis"), dir.path(),
        QStringLiteral("--datei"), QStringLiteral("Familie"), QStringLiteral("--jahr"),
        QStringLiteral("2024"), QStringLiteral("--land"), land, QStringLiteral("--name"),
        QStringLiteral("Schulz"), QStringLiteral("--vorname"), QStringLiteral("Anna") };
}

TEST(CmdAnlegen, CreatesTheCalendarAndPrintsTheCompletionMessage)
{
    kb::test::TempDir dir;
    const auto r = runCli(anlegen(dir, QStringLiteral("6")));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
        QStringLiteral("Kalender - Tabellen wurde angelegt !\n\rFür das Jahr 2024 "
                       "wurden : 366 Tage angelegt.   \n"));
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(kb::test::readAll(dir.file(QStringLiteral("Familie.QVK"))),
        QByteArray("RI-DOZU Kronoblatt www.ri-dozu.deKronoblatt angelegt von : "
                   "Schulz,Anna\r\n"));

    kb::Table jahr;
    jahr.setFilePath(dir.file(QStringLiteral("Familie.DB")));
    jahr.open();
    EXPECT_EQ(jahr.recordCount(), 366);
    EXPECT_EQ(jahr.asString(QStringLiteral("BLand")), QStringLiteral("Hessen"));
    EXPECT_EQ(jahr.asString(QStringLiteral("Name")), QStringLiteral("Schulz"));
    jahr.close();

    // The same name again, in other letters: refused, nothing changed.
    auto again = anlegen(dir, QStringLiteral("Hessen"));
    again[4] = QStringLiteral("FAMILIE");
    const auto refused = runCli(again);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, QStringLiteral("Tabelle existiert bereits!\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
        (QStringList { QStringLiteral(".familie.kbsperre"), QStringLiteral("Familie.DB"),
            QStringLiteral("Familie.QVK"), QStringLiteral("FamilieBild.DB") }));

    // Only the calendar file left over: the message names it.
    QFile::remove(dir.file(QStringLiteral("Familie.DB")));
    QFile::remove(dir.file(QStringLiteral("FamilieBild.DB")));
    const auto leftover = runCli(again);
    EXPECT_EQ(leftover.code, 1);
    EXPECT_EQ(leftover.err,
        QStringLiteral("Die Datei „%1“ ist schon vorhanden; der Kalender wird nicht angelegt.\n")
            .arg(QDir::toNativeSeparators(dir.file(QStringLiteral("Familie.QVK")))));
}

TEST(CmdAnlegen, TypedStateTextIsKeptWithANote)
{
    kb::test::TempDir dir;
    const auto r = runCli(anlegen(dir, QStringLiteral("Hessen-Nord")));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Hinweis: „Hessen-Nord“ ist kein Bundesland")));
    kb::Table jahr;
    jahr.setFilePath(dir.file(QStringLiteral("Familie.DB")));
    jahr.open();
    EXPECT_EQ(jahr.asString(QStringLiteral("BLand")), QStringLiteral("Hessen-Nord"));
}

TEST(CmdAnlegen, MissingOrWrongOptionsAreUsageErrors)
{
    kb::test::TempDir dir;
    QStringList noYear = anlegen(dir, QStringLiteral("1"));
    noYear.remove(5, 2);
    EXPECT_EQ(runCli(noYear).code, 2);
    QStringList badYear = anlegen(dir, QStringLiteral("1"));
    badYear[6] = QStringLiteral("20x4");
    EXPECT_EQ(runCli(badYear).code, 2);
    EXPECT_EQ(runCli(anlegen(dir, QStringLiteral("17"))).code, 2);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // A directory that does not exist is a failure with a German message.
    QStringList noDir = anlegen(dir, QStringLiteral("1"));
    noDir[2] = dir.file(QStringLiteral("gibtsnicht"));
    const auto r = runCli(noDir);
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Das Verzeichnis")));
}

// Only a plain file name names the calendar: no path and no directory name.
TEST(CmdAnlegen, NamesThatAreNoPlainFileNamesAreRefused)
{
    kb::test::TempDir dir;
    const struct {
        const char *datei;
        const char *meldung;
    } faelle[] = {
        { "..", "„..“ ist kein Dateiname." },
        { ".", "„.“ ist kein Dateiname." },
        { "../Familie", "Der Dateiname „../Familie“ enthält ein Zeichen" },
        { "a/b", "Der Dateiname „a/b“ enthält ein Zeichen" },
    };
    for (const auto &f : faelle) {
        QStringList args = anlegen(dir, QStringLiteral("1"));
        args[4] = QString::fromUtf8(f.datei);
        const auto r = runCli(args);
        EXPECT_EQ(r.code, 1) << f.datei;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(f.meldung))) << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
