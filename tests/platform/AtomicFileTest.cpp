#include "platform/AtomicFile.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using kb::test::readAll;
using kb::test::TempDir;
using kb::test::writeAll;

// The disk holds at most `bytes` more bytes of each file while it lives.
class FullDisk {
public:
    explicit FullDisk(qint64 bytes) { kb::testing::limitWrites(bytes); }
    ~FullDisk() { kb::testing::limitWrites(-1); }
};

QStringList entries(const TempDir &dir)
{
    return QDir(dir.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(AtomicFile, WritesANewFileAndReplacesAnOldOne)
{
    TempDir dir;
    const QString path = dir.file(u"a.txt"_s);
    kb::writeFileAtomically(path, "erste");
    EXPECT_EQ(readAll(path), "erste");
    kb::writeFileAtomically(path, "zweite Fassung");
    EXPECT_EQ(readAll(path), "zweite Fassung");
    kb::writeFileAtomically(path, QByteArray());
    EXPECT_EQ(readAll(path), QByteArray());
    EXPECT_EQ(entries(dir), QStringList { u"a.txt"_s });
}

TEST(AtomicFile, AFullDiskLeavesTheOldFileAndNoTrace)
{
    const struct {
        const char *was;
        qint64 room;
        QByteArray content;
    } cases[] = {
        { "no room at all", 0, "neu" },
        { "room for part of it", 5, "neuer Inhalt" },
        { "a large file cut off", 70'000, QByteArray(200'000, 'x') },
    };
    for (const auto &c : cases) {
        TempDir dir;
        const QString path = dir.file(u"export.csv"_s);
        writeAll(path, "alter Inhalt");
        QString error;
        {
            FullDisk full(c.room);
            error = kb::test::errorOf([&] { kb::writeFileAtomically(path, c.content); });
        }
        EXPECT_EQ(error,
            u"Die Datei \"%1\" konnte nicht geschrieben werden. Auf dem Datenträger ist kein "
            "Platz mehr frei."_s.arg(QDir::toNativeSeparators(path)))
            << c.was;
        EXPECT_EQ(readAll(path), "alter Inhalt") << c.was;
        EXPECT_EQ(entries(dir), QStringList { u"export.csv"_s }) << c.was;
        // Room again: the same write goes through.
        kb::writeFileAtomically(path, c.content);
        EXPECT_EQ(readAll(path), c.content) << c.was;
    }
}

TEST(AtomicFile, AFailureNamesTheReason)
{
    TempDir dir;
    QDir().mkpath(dir.file(u"ordner"_s));
    EXPECT_EQ(kb::test::errorOf([&] { kb::writeFileAtomically(dir.file(u"fehlt/a.txt"_s), "x"); }),
        u"Die Datei \"%1\" konnte nicht geschrieben werden. Das Verzeichnis gibt es nicht."_s.arg(
            QDir::toNativeSeparators(dir.file(u"fehlt/a.txt"_s))));
    EXPECT_TRUE(kb::test::errorOf([&] {
        kb::writeFileAtomically(dir.file(u"ordner"_s), "x");
    }).endsWith(u"Unter diesem Namen gibt es ein Verzeichnis."_s));
    try {
        const FullDisk full(0);
        kb::writeFileAtomically(dir.file(u"b.txt"_s), "x");
        FAIL() << "no error";
    } catch (const kb::FileWriteError &e) {
        EXPECT_EQ(e.reason(), u"Auf dem Datenträger ist kein Platz mehr frei."_s);
    }
    EXPECT_FALSE(QFile::exists(dir.file(u"b.txt"_s)));
}

#ifndef Q_OS_WIN
TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces)
{
    TempDir dir;
    const QString path = dir.file(u"privat.ini"_s);
    writeAll(path, "alt");
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, ownerOnly));
    kb::writeFileAtomically(path, "neu");
    EXPECT_EQ(readAll(path), "neu");
    EXPECT_EQ(
        QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser), ownerOnly);
}

TEST(AtomicFile, WritesThroughASymbolicLink)
{
    TempDir dir;
    QDir().mkpath(dir.file(u"echt"_s));
    const QString target = dir.file(u"echt/Kalvalues.ini"_s);
    const QString link = dir.file(u"Kalvalues.ini"_s);
    writeAll(target, "alt");
    ASSERT_TRUE(QFile::link(target, link));
    kb::writeFileAtomically(link, "neu");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(target), "neu");
    EXPECT_EQ(readAll(link), "neu");
}

// What a killed write of a file left beside it (its hidden temporary file) is removed by the
// next write of the same file; a temporary file another writer holds locked stays, and so do
// those of other files.
TEST(AtomicFile, TheNextWriteRemovesWhatAKilledWriteLeft)
{
    TempDir dir;
    const QString path = dir.file(u"Kalvalues.ini"_s);
    writeAll(path, "alt");
    writeAll(dir.file(u".Kalvalues.ini.kbtmp-abc"_s), "halb geschrieben");
    writeAll(dir.file(u".Kalvalues.ini.kbtmp-"_s), "");
    writeAll(dir.file(u".anders.ini.kbtmp-abc"_s), "gehört zu einer anderen Datei");
    const QString laufend = dir.file(u".Kalvalues.ini.kbtmp-laeuft"_s);
    writeAll(laufend, "wird gerade geschrieben");
    const int fd = ::open(QFile::encodeName(laufend).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    kb::writeFileAtomically(path, "neu");
    EXPECT_EQ(readAll(path), "neu");
    EXPECT_EQ(entries(dir),
        (QStringList {
            u".anders.ini.kbtmp-abc"_s, u".Kalvalues.ini.kbtmp-laeuft"_s, u"Kalvalues.ini"_s }));

    // Once its writer is gone, the next write removes that one too.
    ::close(fd);
    kb::writeFileAtomically(path, "neuer");
    EXPECT_EQ(entries(dir), (QStringList { u".anders.ini.kbtmp-abc"_s, u"Kalvalues.ini"_s }));
}

// A device or FIFO under the name is not replaced by a regular file.
TEST(AtomicFile, ADeviceOrFifoIsNeverReplaced)
{
    TempDir dir;
    const QString fifo = dir.file(u"pipe.csv"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.file(u"null.csv"_s);
    ASSERT_TRUE(QFile::link(u"/dev/null"_s, link));
    for (const QString &path : { fifo, link }) {
        EXPECT_EQ(kb::test::errorOf([&] { kb::writeFileAtomically(path, "x"); }),
            u"Die Datei \"%1\" konnte nicht geschrieben werden. Unter diesem Namen gibt es keine "
            u"gewöhnliche Datei, sondern etwa ein Gerät, eine Pipe oder ein Verzeichnis."_s.arg(
                QDir::toNativeSeparators(path)));
    }
    struct stat sb { };
    EXPECT_TRUE(::lstat(QFile::encodeName(fifo).constData(), &sb) == 0 && S_ISFIFO(sb.st_mode));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), u"/dev/null"_s);
    EXPECT_TRUE(::stat("/dev/null", &sb) == 0 && S_ISCHR(sb.st_mode));
    EXPECT_EQ(entries(dir), (QStringList { u"null.csv"_s, u"pipe.csv"_s }));
}
#endif

} // namespace
