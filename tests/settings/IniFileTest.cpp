#include "settings/IniFile.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using kb::IniFile;
using kb::test::readAll;
using kb::test::TempDir;
using kb::test::writeAll;

TEST(IniFile, NamesCompareWithoutLetterCase)
{
    TempDir dir;
    writeAll(
        dir.file(u"a.ini"_s), "[USER]\r\nKBRight=7\r\nlinienfarbe=12\r\nKopfBandText=Band\r\n");
    const IniFile ini(dir.file(u"a.ini"_s));
    for (const char *section : { "User", "USER", "user", " User " }) {
        EXPECT_EQ(ini.readInteger(QString::fromUtf8(section), u"KBright"_s, 0), 7) << section;
        EXPECT_EQ(ini.readInteger(QString::fromUtf8(section), u"KBRIGHT"_s, 0), 7) << section;
        EXPECT_EQ(ini.readInteger(QString::fromUtf8(section), u"LinienFarbe"_s, 0), 12) << section;
        EXPECT_EQ(ini.readString(QString::fromUtf8(section), u"Kopfbandtext"_s, {}), u"Band"_s)
            << section;
    }
    EXPECT_EQ(ini.readInteger(u"Ferien"_s, u"KBright"_s, -1), -1);

    // A write through another spelling replaces the entry and keeps the file's spelling.
    IniFile(dir.file(u"a.ini"_s)).writeInteger(u"user"_s, u"kbright"_s, 9);
    EXPECT_EQ(readAll(dir.file(u"a.ini"_s)),
        QByteArray("[USER]\r\nKBRight=9\r\nlinienfarbe=12\r\nKopfBandText=Band\r\n"));
}

TEST(IniFile, Windows1252OnDisk)
{
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    writeAll(path, "[User]\r\nFirma=M\xFCller & S\xF6hne \x80\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"Müller & Söhne €"_s);

    ini.writeString(u"User"_s, u"Strasse"_s, u"Große Straße 1"_s);
    EXPECT_EQ(readAll(path),
        QByteArray("[User]\r\nFirma=M\xFCller & S\xF6hne \x80\r\nStrasse=Gro\xDF"
                   "e Stra\xDF"
                   "e 1\r\n"));
}

// Files saved by the original program are Windows-1252; a Linux editor saves UTF-8. Each
// file is read in its encoding and keeps it when a value is written, unless the file would
// then read back as other characters.
TEST(IniFile, Utf8AndWindows1252FilesReadAndRewritten)
{
    struct Case {
        const char *what;
        QByteArray before;
        const char *firma; // as read
        const char *ort; // written, then read back
        QByteArray after;
    };
    const Case cases[] = {
        { "Windows-1252", "[User]\r\nFirma=M\xFCller\r\n", "Müller", "Köln",
            "[User]\r\nFirma=M\xFCller\r\nOrt=K\xF6ln\r\n" },
        { "UTF-8 from a Linux editor", "[User]\nFirma=M\xC3\xBCller\n", "Müller", "Köln",
            "[User]\r\nFirma=M\xC3\xBCller\r\nOrt=K\xC3\xB6ln\r\n" },
        { "UTF-8 keeps what Windows-1252 cannot hold", "[User]\nFirma=M\xC3\xBCller\n", "Müller",
            "Łódź", "[User]\r\nFirma=M\xC3\xBCller\r\nOrt=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n" },
        { "UTF-8 with a byte-order mark", "\xEF\xBB\xBF[User]\r\nFirma=M\xC3\xBCller\r\n", "Müller",
            "Köln", "\xEF\xBB\xBF[User]\r\nFirma=M\xC3\xBCller\r\nOrt=K\xC3\xB6ln\r\n" },
        { "byte-order mark and plain ASCII", "\xEF\xBB\xBF[User]\r\nFirma=Meier\r\n", "Meier",
            "Köln", "\xEF\xBB\xBF[User]\r\nFirma=Meier\r\nOrt=K\xC3\xB6ln\r\n" },
        { "plain ASCII stays Windows-1252", "[User]\r\nFirma=Meier\r\n", "Meier", "Köln",
            "[User]\r\nFirma=Meier\r\nOrt=K\xF6ln\r\n" },
        { "one byte that is no UTF-8 makes it Windows-1252",
            "[User]\r\nFirma=Caf\xE9 M\xC3\xBCller\r\n", "Café MÃ¼ller", "Köln",
            "[User]\r\nFirma=Caf\xE9 M\xC3\xBCller\r\nOrt=K\xF6ln\r\n" },
        // Written as Windows-1252, what is left would read as other characters.
        { "Windows-1252 that would read as UTF-8 after the write is written as UTF-8",
            "[User]\r\nFirma=M\xC3\xBCller\r\nOrt=Caf\xE9\r\n", "MÃ¼ller", "Bonn",
            "[User]\r\nFirma=M\xC3\x83\xC2\xBCller\r\nOrt=Bonn\r\n" },
        { "a character Windows-1252 cannot hold makes an ASCII file UTF-8",
            "[User]\r\nFirma=Meier\r\n", "Meier", "Łódź",
            "[User]\r\nFirma=Meier\r\nOrt=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n" },
    };
    TempDir dir;
    for (const Case &c : cases) {
        const QString path = dir.file(QString::fromUtf8(c.what) + u".ini"_s);
        writeAll(path, c.before);
        IniFile ini(path);
        EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), QString::fromUtf8(c.firma)) << c.what;
        ini.writeString(u"User"_s, u"Ort"_s, QString::fromUtf8(c.ort));
        EXPECT_EQ(readAll(path), c.after) << c.what;
        const IniFile again(path);
        EXPECT_EQ(again.readString(u"User"_s, u"Firma"_s, {}), QString::fromUtf8(c.firma))
            << c.what;
        EXPECT_EQ(again.readString(u"User"_s, u"Ort"_s, {}), QString::fromUtf8(c.ort)) << c.what;
    }
}

TEST(IniFile, IntegersAndBooleans)
{
    struct Case {
        const char *text;
        qint32 expected; // with default -7
    };
    const Case cases[] = {
        { "12", 12 },
        { "-5", -5 },
        { "+5", 5 },
        { " 42 ", 42 },
        { "0x1F", 31 },
        { "0X1f", 31 },
        { "$FF", 255 },
        { "$000000C8", 200 },
        { "$8000000F", -2147483633 }, // a system colour
        { "-2147483633", -2147483633 },
        { "2147483647", 2147483647 },
        { "-$10", -16 },
        { "", -7 },
        { "abc", -7 },
        { "12abc", -7 },
        { "1 2", -7 },
        { "2147483648", -7 }, // beyond 32 bits
        { "$1FFFFFFFF", -7 },
        { "$", -7 },
        { "0x", -7 },
        { "$G0", -7 },
        { "1.5", -7 },
    };
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    QByteArray content = "[User]\r\n";
    for (int i = 0; i < int(std::size(cases)); ++i)
        content += "k" + QByteArray::number(i) + "=" + cases[i].text + "\r\n";
    writeAll(path, content);
    const IniFile ini(path);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const QString key = QStringLiteral("k%1").arg(i);
        EXPECT_EQ(ini.readInteger(u"User"_s, key, -7), cases[i].expected) << cases[i].text;
        // Booleans read as integers: non-zero is true, an invalid value gives the default.
        const bool valid = cases[i].expected != -7;
        EXPECT_EQ(ini.readBool(u"User"_s, key, false), valid && cases[i].expected != 0);
        EXPECT_EQ(ini.readBool(u"User"_s, key, true), !valid || cases[i].expected != 0);
    }
    EXPECT_EQ(ini.readInteger(u"User"_s, u"fehlt"_s, 3), 3);

    IniFile w(path);
    w.writeBool(u"User"_s, u"Symbole"_s, true);
    w.writeInteger(u"User"_s, u"Farbe"_s, -2147483633);
    EXPECT_TRUE(readAll(path).endsWith("Symbole=1\r\nFarbe=-2147483633\r\n"));
}

TEST(IniFile, OddFilesReadSensibly)
{
    struct Case {
        const char *name;
        QByteArray content;
        const char *section;
        const char *key;
        const char *expected; // nullptr: missing
    };
    const Case cases[] = {
        { "LF-only line ends", "[User]\nFirma=A\nOrt=B\n", "User", "Ort", "B" },
        { "CR-only line ends", "[User]\rFirma=A\rOrt=B\r", "User", "Ort", "B" },
        { "mixed line ends", "[User]\r\nFirma=A\rOrt=B\nFax=C", "User", "Fax", "C" },
        { "key twice: the first counts", "[User]\r\nOrt=erst\r\nOrt=zweit\r\n", "User", "Ort",
            "erst" },
        { "key twice in two headers", "[User]\r\nOrt=erst\r\n[USER]\r\nOrt=zweit\r\n", "User",
            "Ort", "erst" },
        { "header without closing bracket", "[User\r\nOrt=B\r\n", "User", "Ort", "B" },
        { "blanks around the names and =", "  [ User ]  \r\n  Ort   =   B  \r\n", "User", "Ort",
            "B" },
        { "value with =", "[User]\r\nKopftext=a=b=c\r\n", "User", "Kopftext", "a=b=c" },
        { "empty value", "[User]\r\nOrt=\r\n", "User", "Ort", "" },
        { "entry before any header", "Ort=B\r\n[User]\r\n", "User", "Ort", nullptr },
        { "comment line", "[User]\r\n;Ort=B\r\n", "User", "Ort", nullptr },
        { "line without =", "[User]\r\nOrt\r\n", "User", "Ort", nullptr },
        { "binary bytes",
            QByteArray("\x00\xFF[User]\x00\r\n\x01\x02=\x03\r\n[User]\r\nOrt=B\r\n", 30), "User",
            "Ort", "B" },
        { "empty file", "", "User", "Ort", nullptr },
    };
    TempDir dir;
    for (const Case &c : cases) {
        const QString path = dir.file(QString::fromUtf8(c.name) + u".ini"_s);
        writeAll(path, c.content);
        const IniFile ini(path);
        const QString def = u"<fehlt>"_s;
        const QString expected = c.expected ? QString::fromUtf8(c.expected) : def;
        EXPECT_EQ(
            ini.readString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), def), expected)
            << c.name;
    }
}

TEST(IniFile, BinaryGarbageNeitherCrashesNorThrows)
{
    TempDir dir;
    const QString path = dir.file(u"noise.ini"_s);
    QByteArray noise;
    quint32 x = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        x = x * 1103515245u + 12345u;
        noise.append(static_cast<char>(x >> 24));
    }
    writeAll(path, noise);
    IniFile ini(path);
    EXPECT_EQ(ini.readInteger(u"User"_s, u"KBLeft"_s, 4), 4);
    ini.writeInteger(u"User"_s, u"KBLeft"_s, 6);
    EXPECT_EQ(IniFile(path).readInteger(u"User"_s, u"KBLeft"_s, 4), 6);
}

TEST(IniFile, WriteKeepsEverythingElse)
{
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    writeAll(path,
        "; Einstellungen\r\n"
        "[User]\r\n"
        "Firma=A\r\n"
        "Unbekannt=x\r\n"
        "\r\n"
        "[Ferien]\r\n"
        "SommerBeginn=01.08.\r\n");
    IniFile ini(path);
    ini.writeString(u"User"_s, u"Firma"_s, u"B"_s); // replace
    ini.writeString(u"USER"_s, u"Ort"_s, u"Bonn"_s); // new key at the end of its section
    ini.writeString(u"Neu"_s, u"Schluessel"_s, u"1"_s); // new section at the end
    EXPECT_EQ(readAll(path),
        QByteArray("; Einstellungen\r\n"
                   "[User]\r\n"
                   "Firma=B\r\n"
                   "Unbekannt=x\r\n"
                   "Ort=Bonn\r\n"
                   "\r\n"
                   "[Ferien]\r\n"
                   "SommerBeginn=01.08.\r\n"
                   "\r\n"
                   "[Neu]\r\n"
                   "Schluessel=1\r\n"));
}

TEST(IniFile, WriteReplacesFirstOfDoubledKeysAndKeepsLineBreaksOut)
{
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    writeAll(path, "[User]\nOrt=erst\nOrt=zweit\n");
    IniFile ini(path);
    ini.writeString(u"User"_s, u"Ort"_s, u"neu"_s);
    // A value is one line: a line break in it cannot add entries.
    ini.writeString(u"User"_s, u"Firma"_s, u"a\r\n[Ferien]\r\nSommerBeginn=x"_s);
    EXPECT_EQ(readAll(path),
        QByteArray("[User]\r\nOrt=neu\r\nOrt=zweit\r\n"
                   "Firma=a [Ferien] SommerBeginn=x\r\n"));
    EXPECT_EQ(ini.readString(u"User"_s, u"Ort"_s, {}), u"neu"_s);
    EXPECT_FALSE(ini.hasKey(u"Ferien"_s, u"SommerBeginn"_s));
    EXPECT_THROW(ini.writeString(u"User"_s, u"a=b"_s, u"x"_s), kb::Error);
    EXPECT_THROW(ini.writeString(u"Us]er"_s, u"a"_s, u"x"_s), kb::Error);
}

TEST(IniFile, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    TempDir dir;
    const QString path = dir.file(u"Kalvalues.ini"_s);
    IniFile ini(path);
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, u"RI-DOZU"_s), u"RI-DOZU"_s);
    ini.writeString(u"User"_s, u"Firma"_s, u"X"_s);
    EXPECT_TRUE(ini.exists());
    EXPECT_EQ(readAll(path), QByteArray("[User]\r\nFirma=X\r\n"));
}

TEST(IniFile, ReadsSeeChangesMadeByOthersAtOnce)
{
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    writeAll(path, "[User]\r\nFirma=AAAA\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"AAAA"_s);

    // Rewritten in place, same size, within the same tick of the modification time.
    writeAll(path, "[User]\r\nFirma=BBBB\r\n");
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"BBBB"_s);

    // Another object on the same file writes; this one reads the new value at once.
    IniFile(path).writeString(u"User"_s, u"Firma"_s, u"CCCC"_s);
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"CCCC"_s);

    // Replaced by another file (new identity), and removed.
    writeAll(dir.file(u"b.ini"_s), "[User]\r\nFirma=D\r\n");
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, u"weg"_s), u"weg"_s);
    ASSERT_TRUE(QFile::rename(dir.file(u"b.ini"_s), path));
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"D"_s);

    // An old file (outside the window in which modification times may repeat) that changes.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(
        QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"D"_s);
    writeAll(path, "[User]\r\nFirma=E\r\n");
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"E"_s);
}

TEST(IniFile, WriteIsAtomicAndKeepsPermissions)
{
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    writeAll(path, "[User]\r\nFirma=A\r\n");
    ASSERT_TRUE(QFile::setPermissions(
        path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    const auto before = QFile::permissions(path);
    IniFile ini(path);
    ini.writeString(u"User"_s, u"Firma"_s, u"B"_s);
    EXPECT_EQ(QFile::permissions(path), before);
    EXPECT_FALSE(QFile::permissions(path) & QFileDevice::ReadOther);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"a.ini"_s })
        << "no leftovers";

    // A write that cannot reach its place fails with a message and leaves nothing behind.
    IniFile blocked(dir.file(u"ordner"_s));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"ordner"_s));
    EXPECT_THROW(blocked.writeString(u"User"_s, u"Firma"_s, u"X"_s), kb::Error);
    IniFile nowhere(dir.file(u"gibtsnicht/a.ini"_s));
    const QString error
        = kb::test::errorOf([&] { nowhere.writeString(u"User"_s, u"Firma"_s, u"X"_s); });
    EXPECT_TRUE(error.startsWith(u"Die Datei "_s)) << error.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"a.ini"_s });
    EXPECT_EQ(readAll(path), QByteArray("[User]\r\nFirma=B\r\n"));
}

TEST(IniFile, TenMegabyteFile)
{
    TempDir dir;
    const QString path = dir.file(u"gross.ini"_s);
    QByteArray big = "[User]\r\nFirma=erst\r\n[Sonst]\r\n";
    const QByteArray line
        = "Eintrag=0123456789012345678901234567890123456789012345678901234567\r\n";
    big.reserve(10 * 1024 * 1024 + 100);
    // Just under the largest settings file that is read at all.
    while (big.size() < 10 * 1024 * 1024 - 200)
        big += line;
    big += "[Ferien]\r\nSommerBeginn=01.08.\r\n";
    writeAll(path, big);
    IniFile ini(path);
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, {}), u"erst"_s);
    EXPECT_EQ(ini.readString(u"ferien"_s, u"sommerbeginn"_s, {}), u"01.08."_s);
    ini.writeString(u"User"_s, u"Firma"_s, u"zweit"_s);
    const QByteArray after = readAll(path);
    EXPECT_EQ(after.size(), big.size() + 1);
    EXPECT_TRUE(after.startsWith("[User]\r\nFirma=zweit\r\n[Sonst]\r\n"));
    EXPECT_TRUE(after.endsWith("[Ferien]\r\nSommerBeginn=01.08.\r\n"));
}

// The settings file (also kalender.INI, which goes through the same writer) on a full disk:
// the write fails with its reason, the file and what the program reads stay as they were.
TEST(IniFile, AFullDiskKeepsTheFileAndWhatIsRead)
{
    TempDir dir;
    const QString path = dir.file(u"Kalvalues.ini"_s);
    const QByteArray before = "[User]\r\nFirma=A\r\n";
    writeAll(path, before);
    IniFile ini(path);
    kb::testing::limitWrites(8);
    const QString error
        = kb::test::errorOf([&] { ini.writeString(u"User"_s, u"Firma"_s, u"Neue Firma"_s); });
    kb::testing::limitWrites(-1);
    EXPECT_EQ(error,
        u"Die Datei \"%1\" konnte nicht geschrieben werden. Auf dem Datenträger ist kein Platz "
        "mehr frei."_s.arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, QString()), u"A"_s);
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"Kalvalues.ini"_s });
}

// Many keys in one write give the file that writing them one by one gives: replaced where they
// are, new keys below their section's last entry, new sections at the end; a key given twice
// is written once with its later value.
TEST(IniFile, ManyKeysInOneWriteAsIfWrittenOneByOne)
{
    const QByteArray start = "; Einstellungen\r\n"
                             "[User]\r\n"
                             "Firma=A\r\n"
                             "\r\n"
                             "[Ferien]\r\n"
                             "SommerBeginn=01.08.\r\n"
                             "[Leer]\r\n";
    const std::vector<IniFile::Entry> entries = {
        { u"Ferien"_s, u"sommerbeginn"_s, u"02.08."_s },
        { u"Ferien"_s, u"SommerEnde"_s, u"14.09."_s },
        { u"Neu"_s, u"Eins"_s, u"1"_s },
        { u"User"_s, u"Ort"_s, u"Bonn"_s },
        { u"Leer"_s, u"Erster"_s, u"x"_s },
        { u"Zweite"_s, u"Zwei"_s, u"2"_s },
        { u"NEU"_s, u"Drei"_s, u"3"_s },
        { u"Ferien"_s, u"SommerEnde"_s, u"15.09."_s },
        { u"neu"_s, u"eins"_s, u"4"_s },
        { u"User"_s, u"Firma"_s, u"Zeilen\r\nbruch"_s },
    };
    TempDir dir;
    const QString einzeln = dir.file(u"einzeln.ini"_s);
    const QString zusammen = dir.file(u"zusammen.ini"_s);
    writeAll(einzeln, start);
    writeAll(zusammen, start);
    IniFile a(einzeln);
    for (const IniFile::Entry &e : entries)
        a.writeString(e.section, e.key, e.value);
    IniFile b(zusammen);
    b.writeEntries(entries);
    EXPECT_EQ(readAll(zusammen).toStdString(), readAll(einzeln).toStdString());
    EXPECT_EQ(readAll(zusammen).toStdString(),
        std::string("; Einstellungen\r\n"
                    "[User]\r\n"
                    "Firma=Zeilen bruch\r\n"
                    "Ort=Bonn\r\n"
                    "\r\n"
                    "[Ferien]\r\n"
                    "SommerBeginn=02.08.\r\n"
                    "SommerEnde=15.09.\r\n"
                    "[Leer]\r\n"
                    "Erster=x\r\n"
                    "\r\n"
                    "[Neu]\r\n"
                    "Eins=4\r\n"
                    "Drei=3\r\n"
                    "\r\n"
                    "[Zweite]\r\n"
                    "Zwei=2\r\n"));
    EXPECT_EQ(b.readString(u"neu"_s, u"EINS"_s, {}), u"4"_s);
}

// All keys or none: a full disk leaves the file as it was, and a bad name refuses the whole
// write before anything is written.
TEST(IniFile, ManyKeysInOneWriteAllOrNone)
{
    TempDir dir;
    const QString path = dir.file(u"a.ini"_s);
    const QByteArray before = "[Ferien]\r\nSommerBeginn=01.08.\r\n";
    writeAll(path, before);
    IniFile ini(path);
    const std::vector<IniFile::Entry> entries
        = { { u"Ferien"_s, u"SommerBeginn"_s, u"02.08."_s }, { u"Ferien"_s, u"a"_s, u"b"_s } };
    kb::testing::limitWrites(20);
    const QString error = kb::test::errorOf([&] { ini.writeEntries(entries); });
    kb::testing::limitWrites(-1);
    EXPECT_TRUE(error.endsWith(u"Auf dem Datenträger ist kein Platz mehr frei."_s))
        << error.toStdString();
    EXPECT_EQ(readAll(path), before);
    EXPECT_THROW(ini.writeEntries({ { u"Ferien"_s, u"SommerBeginn"_s, u"03.08."_s },
                     { u"Ferien"_s, u"a=b"_s, u"x"_s } }),
        kb::Error);
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"a.ini"_s });
}

#ifndef Q_OS_WIN
// A name that is no regular file reads as empty and says why; it is never written, so a
// device or FIFO stays what it is.
TEST(IniFile, ADeviceFifoOrDirectoryIsNeitherReadNorReplaced)
{
    TempDir dir;
    const QString fifo = dir.file(u"pipe.ini"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.file(u"null.ini"_s);
    ASSERT_TRUE(QFile::link(u"/dev/null"_s, link));
    const QString ordner = dir.file(u"ordner.ini"_s);
    ASSERT_TRUE(QDir().mkpath(ordner));
    for (const QString &path : { u"/dev/zero"_s, link, fifo, ordner }) {
        IniFile ini(path);
        const QString expected = u"Die Datei %1 ist keine gewöhnliche Datei (etwa ein Gerät, "
                                 u"eine Pipe oder ein Verzeichnis) und wird nicht gelesen."_s.arg(
                                     QDir::toNativeSeparators(path));
        EXPECT_FALSE(ini.exists()) << path.toStdString();
        EXPECT_EQ(ini.problem(), expected);
        EXPECT_EQ(ini.readString(u"User"_s, u"Firma"_s, u"vorgabe"_s), u"vorgabe"_s);
        EXPECT_EQ(
            kb::test::errorOf([&] { ini.writeString(u"User"_s, u"Firma"_s, u"x"_s); }), expected);
    }
    struct stat sb { };
    EXPECT_TRUE(::lstat(QFile::encodeName(fifo).constData(), &sb) == 0 && S_ISFIFO(sb.st_mode));
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), u"/dev/null"_s);
    EXPECT_TRUE(QFileInfo(u"/dev/null"_s).exists() && !QFileInfo(u"/dev/null"_s).isFile());

    // A regular file, present or missing, has no problem.
    const QString normal = dir.file(u"normal.ini"_s);
    EXPECT_EQ(IniFile(normal).problem(), QString());
    writeAll(normal, "[User]\r\nFirma=A\r\n");
    EXPECT_EQ(IniFile(normal).problem(), QString());
}
#endif
