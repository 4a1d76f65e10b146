#include "platform/AtomicFile.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

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

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

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
    const QString path = dir.file(s("a.txt"));
    kb::writeFileAtomically(path, "erste");
    EXPECT_EQ(readAll(path), "erste");
    kb::writeFileAtomically(path, "zweite Fassung");
    EXPECT_EQ(readAll(path), "zweite Fassung");
    kb::writeFileAtomically(path, QByteArray());
    EXPECT_EQ(readAll(path), QByteArray());
    EXPECT_EQ(entries(dir), QStringList { s("a.txt") });
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
        const QString path = dir.file(s("export.csv"));
        writeAll(path, "alter Inhalt");
        QString error;
        {
            FullDisk full(c.room);
            error = kb::test::errorOf([&] { kb::writeFileAtomically(path, c.content); });
        }
        EXPECT_EQ(error,
            s("Die Datei \"%1\" konnte nicht geschrieben werden. Auf dem Datenträger ist kein "
              "Platz mehr frei.")
                .arg(QDir::toNativeSeparators(path)))
            << c.was;
        EXPECT_EQ(readAll(path), "alter Inhalt") << c.was;
        EXPECT_EQ(entries(dir), QStringList { s("export.csv") }) << c.was;
        // Room again: the same write goes through.
        kb::writeFileAtomically(path, c.content);
        EXPECT_EQ(readAll(path), c.content) << c.was;
    }
}

TEST(AtomicFile, AFailureNamesTheReason)
{
    TempDir dir;
    QDir().mkpath(dir.file(s("ordner")));
    EXPECT_EQ(kb::test::errorOf([&] { kb::writeFileAtomically(dir.file(s("fehlt/a.txt")), "x"); }),
        s("Die Datei \"%1\" konnte nicht geschrieben werden. Das Verzeichnis gibt es nicht.")
            .arg(QDir::toNativeSeparators(dir.file(s("fehlt/a.txt")))));
    EXPECT_TRUE(kb::test::errorOf([&] {
        kb::writeFileAtomically(dir.file(s("ordner")), "x");
    }).endsWith(s("Unter diesem Namen gibt es ein Verzeichnis.")));
    try {
        const FullDisk full(0);
        kb::writeFileAtomically(dir.file(s("b.txt")), "x");
        FAIL() << "no error";
    } catch (const kb::FileWriteError &e) {
        EXPECT_EQ(e.reason(), s("Auf dem Datenträger ist kein Platz mehr frei."));
    }
    EXPECT_FALSE(QFile::exists(dir.file(s("b.txt"))));
}

#ifndef Q_OS_WIN
TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces)
{
    TempDir dir;
    const QString path = dir.file(s("privat.ini"));
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
    QDir().mkpath(dir.file(s("echt")));
    const QString target = dir.file(s("echt/Kalvalues.ini"));
    const QString link = dir.file(s("Kalvalues.ini"));
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
    const QString path = dir.file(s("Kalvalues.ini"));
    writeAll(path, "alt");
    writeAll(dir.file(s(".Kalvalues.ini.kbtmp-abc")), "halb geschrieben");
    writeAll(dir.file(s(".Kalvalues.ini.kbtmp-")), "");
    writeAll(dir.file(s(".anders.ini.kbtmp-abc")), "gehört zu einer anderen Datei");
    const QString laufend = dir.file(s(".Kalvalues.ini.kbtmp-laeuft"));
    writeAll(laufend, "wird gerade geschrieben");
    const int fd = ::open(QFile::encodeName(laufend).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    kb::writeFileAtomically(path, "neu");
    EXPECT_EQ(readAll(path), "neu");
    EXPECT_EQ(entries(dir),
        (QStringList {
            s(".anders.ini.kbtmp-abc"), s(".Kalvalues.ini.kbtmp-laeuft"), s("Kalvalues.ini") }));

    // Once its writer is gone, the next write removes that one too.
    ::close(fd);
    kb::writeFileAtomically(path, "neuer");
    EXPECT_EQ(entries(dir), (QStringList { s(".anders.ini.kbtmp-abc"), s("Kalvalues.ini") }));
}

// A device or FIFO under the name is not replaced by a regular file.
TEST(AtomicFile, ADeviceOrFifoIsNeverReplaced)
{
    TempDir dir;
    const QString fifo = dir.file(s("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.file(s("null.csv"));
    ASSERT_TRUE(QFile::link(s("/dev/null"), link));
    for (const QString &path : { fifo, link }) {
        EXPECT_EQ(kb::test::errorOf([&] { kb::writeFileAtomically(path, "x"); }),
            s("Die Datei \"%1\" konnte nicht geschrieben werden. Unter diesem Namen gibt es keine "
              "gewöhnliche Datei, sondern etwa ein Gerät, eine Pipe oder ein Verzeichnis.")
                .arg(QDir::toNativeSeparators(path)));
    }
    struct stat sb { };
    EXPECT_TRUE(::lstat(QFile::encodeName(fifo).constData(), &sb) == 0 && S_ISFIFO(sb.st_mode));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), s("/dev/null"));
    EXPECT_TRUE(::stat("/dev/null", &sb) == 0 && S_ISCHR(sb.st_mode));
    EXPECT_EQ(entries(dir), (QStringList { s("null.csv"), s("pipe.csv") }));
}
#endif

} // namespace
