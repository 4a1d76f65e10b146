#include "platform/AtomicFile.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
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
#endif

} // namespace
