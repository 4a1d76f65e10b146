#include "platform/ProgramDir.h"
#include "support/Programmverzeichnis.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kb;

TEST(ProgramDirTest, HomeVariableWinsAndEndsWithSlash)
{
    test::TempDir dir;
    const QString home = dir.path() + QStringLiteral("mit Leerzeichen Ä");
    const test::Programmverzeichnis programm(home);
    EXPECT_EQ(ProgramDir::path(), home + QLatin1Char('/'));
    EXPECT_TRUE(QFileInfo(home).isDir());
    EXPECT_EQ(ProgramDir::calendarDataDir(), home + QStringLiteral("/Kalenderdaten/"));
    EXPECT_EQ(ProgramDir::designerDir(), home + QStringLiteral("/Designer/"));
}

TEST(ProgramDirTest, SeedCopiesDataFilesWithoutOverwriting)
{
    test::TempDir from, to;
    QDir().mkpath(from.file(QStringLiteral("Kalenderdaten")));
    test::writeAll(from.file(QStringLiteral("Kalvalues.ini")), "[User]\r\n");
    test::writeAll(from.file(QStringLiteral("Kalenderdaten/Texte.db")), "table");
    test::writeAll(from.file(QStringLiteral("kronoblatt")), "program");
    test::writeAll(to.file(QStringLiteral("Kalvalues.ini")), "mine");

    ProgramDir::seed(from.path(), to.path());

    EXPECT_EQ(test::readAll(to.file(QStringLiteral("Kalvalues.ini"))), QByteArray("mine"));
    EXPECT_EQ(
        test::readAll(to.file(QStringLiteral("Kalenderdaten/Texte.db"))), QByteArray("table"));
    EXPECT_FALSE(QFileInfo::exists(to.file(QStringLiteral("kronoblatt"))));
}

TEST(ProgramDirTest, SeedCopiesWholeFoldersAndLeavesCalendarsBehind)
{
    test::TempDir from, to;
    for (const char *dir : { "Kalenderdaten", "Hilfe/bilder" })
        QDir().mkpath(from.file(QString::fromLatin1(dir)));
    QDir().mkpath(to.file(QStringLiteral("Hilfe")));
    test::writeAll(from.file(QStringLiteral("Kalenderdaten/Texte.db")), "table");
    test::writeAll(from.file(QStringLiteral("Kalenderdaten/Familie.DB")), "calendar");
    test::writeAll(from.file(QStringLiteral("Kalenderdaten/Familie.QVK")), "calendar");
    test::writeAll(from.file(QStringLiteral("kalender.INI")), "[Size]\r\n");
    test::writeAll(from.file(QStringLiteral("Hilfe/index.html")), "index");
    test::writeAll(from.file(QStringLiteral("Hilfe/bilder/a.png")), "picture");
    test::writeAll(to.file(QStringLiteral("Hilfe/index.html")), "mine");

    ProgramDir::seed(from.path(), to.path());

    EXPECT_EQ(QDir(to.file(QStringLiteral("Kalenderdaten"))).entryList(QDir::Files),
        QStringList { QStringLiteral("Texte.db") });
    EXPECT_FALSE(QFileInfo::exists(to.file(QStringLiteral("kalender.INI"))));
    EXPECT_EQ(test::readAll(to.file(QStringLiteral("Hilfe/index.html"))), QByteArray("mine"));
    EXPECT_EQ(test::readAll(to.file(QStringLiteral("Hilfe/bilder/a.png"))), QByteArray("picture"));
    // Seeding a folder from itself changes nothing.
    ProgramDir::seed(from.path(), from.path() + QStringLiteral("Kalenderdaten/.."));
    EXPECT_EQ(
        test::readAll(from.file(QStringLiteral("Kalenderdaten/Texte.db"))), QByteArray("table"));
}

namespace {

// A file of each installed entry: the entry itself, or a page inside a folder entry.
QString fileOf(const QString &entry)
{
    return entry.endsWith(QLatin1Char('/')) ? entry + QStringLiteral("index.html") : entry;
}

void writeWithFolders(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    test::writeAll(path, bytes);
}

} // namespace

// Every kind of program directory gets the installed data files it lacks, from beside the
// executable or from <prefix>/share/kronoblatt.
TEST(ProgramDirTest, EveryProgramDirectoryGetsTheInstalledFilesItLacks)
{
    struct Case {
        const char *what;
        bool home; // KRONOBLATT_HOME set to an empty folder
        bool besideProgram; // data files beside the executable (else in share/kronoblatt)
        bool binExists; // a missing folder is one the program cannot write to
        const char *expected; // folder below the test's root that becomes the program dir
    };
    const Case cases[] = {
        { "home, data beside the program", true, true, true, "home/" },
        { "home, data in share", true, false, true, "home/" },
        { "writable program folder, data in share", false, false, true, "prefix/bin/" },
        { "unwritable program folder, data in share", false, false, false, "user/" },
    };
    for (const Case &c : cases) {
        test::TempDir root;
        const QString bin = root.file(QStringLiteral("prefix/bin/"));
        const QString data
            = c.besideProgram ? bin : root.file(QStringLiteral("prefix/share/kronoblatt/"));
        for (const QString &entry : ProgramDir::installedDataFiles())
            writeWithFolders(data + fileOf(entry), entry.toUtf8());
        if (c.binExists)
            QDir().mkpath(bin);
        else
            QDir(bin).removeRecursively();
        const QString home = c.home ? root.file(QStringLiteral("home")) : QString();
        if (c.home) // a file the user already has stays as it is
            writeWithFolders(home + QStringLiteral("/Kalvalues.ini"), "mine");

        const QString dir = ProgramDir::determine(home, bin, root.file(QStringLiteral("user")));

        EXPECT_EQ(dir, root.file(QString::fromLatin1(c.expected))) << c.what;
        for (const QString &entry : ProgramDir::installedDataFiles()) {
            const QByteArray expected
                = c.home && entry == QStringLiteral("Kalvalues.ini") ? "mine" : entry.toUtf8();
            EXPECT_EQ(test::readAll(dir + fileOf(entry)), expected)
                << c.what << " " << entry.toStdString();
        }
    }
}

// The list and the installation agree: every entry is installed, and every file in data/
// (but the text list Texte.db is made from and the descriptions the ready-made forms are made
// from) belongs to an entry.
TEST(ProgramDirTest, TheListNamesWhatTheBuildInstalls)
{
    const QStringList &entries = ProgramDir::installedDataFiles();
    for (const QString &entry : entries) {
        const QFileInfo installed(QStringLiteral(KB_BIN_DIR "/") + entry);
        EXPECT_TRUE(entry.endsWith(QLatin1Char('/')) ? installed.isDir() : installed.isFile())
            << entry.toStdString();
    }
    const QString source = QStringLiteral(KB_SOURCE_DIR "/data/");
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next().mid(source.size());
        if (file == QStringLiteral("CMakeLists.txt") || file == QStringLiteral("texte.txt")
            || file.startsWith(QStringLiteral("formulare/")))
            continue;
        const bool listed = std::any_of(entries.begin(), entries.end(), [&](const QString &e) {
            return e == file || (e.endsWith(QLatin1Char('/')) && file.startsWith(e));
        });
        EXPECT_TRUE(listed) << file.toStdString();
    }
}
