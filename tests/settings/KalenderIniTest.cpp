#include "settings/KalenderIni.h"
#include "settings/ColorValue.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using kb::test::readAll;
using kb::test::TempDir;
using kb::test::writeAll;

TEST(KalenderIni, FirstStartThenWidthsSurviveARestart)
{
    TempDir dir;
    const QString path = dir.file(u"kalender.INI"_s);
    KalenderIni k = KalenderIni::read(path);
    EXPECT_EQ(k.spalten, (std::array<qint32, 5> { 1, -1, -1, -1, -1 }));
    EXPECT_EQ(k.dateiname, u"Kalvalues.ini"_s);

    k.write(path); // exit writes all six keys
    EXPECT_EQ(readAll(path),
        QByteArray("[Size]\r\nspalte1=1\r\nspalte2=-1\r\nspalte3=-1\r\n"
                   "spalte4=-1\r\nspalte5=-1\r\n\r\n"
                   "[Datei]\r\nDateiname=Kalvalues.ini\r\n"));

    k.spalten = { 30, 25, 80, 40, 300 };
    k.dateiname = u"Andere.ini"_s;
    k.write(path);
    const KalenderIni again = KalenderIni::read(path);
    EXPECT_EQ(again.spalten, k.spalten);
    EXPECT_EQ(again.dateiname, u"Andere.ini"_s);
}

TEST(KalenderIni, KeysInAnyCaseAndDefaultsForTheRest)
{
    TempDir dir;
    const QString path = dir.file(u"kalender.INI"_s);
    writeAll(path, "[SIZE]\nSpalte3=77\n[datei]\nDATEINAME=Meine.ini\n");
    const KalenderIni k = KalenderIni::read(path);
    EXPECT_EQ(k.spalten, (std::array<qint32, 5> { 1, -1, 77, -1, -1 }));
    EXPECT_EQ(k.dateiname, u"Meine.ini"_s);
    EXPECT_EQ(KalenderIni::defaultPath(),
        QString::fromLocal8Bit(qgetenv("KRONOBLATT_HOME")) + u"/kalender.INI"_s);
}

TEST(SettingsFile, MissingFileIsReportedAndCreatedByTheFirstWrite)
{
    TempDir dir;
    const QString path = dir.file(u"Kalvalues.ini"_s);
    test::ScopedScriptedUi ui;
    IniFile ini = openSettingsFile(path);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(ui->messages().first(),
        u"Datei "_s + QDir::toNativeSeparators(path) + u" nicht vorhanden!"_s);
    EXPECT_EQ(ini.readInteger(u"User"_s, u"Linienfarbe"_s, 200), 200);
    ini.writeString(u"User"_s, u"Datei"_s, u"Entwurf"_s);
    EXPECT_EQ(readAll(path), QByteArray("[User]\r\nDatei=Entwurf\r\n"));

    ui->clear();
    openSettingsFile(path);
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST(ColorValue, StoredValuesToColours)
{
    const struct {
        qint32 value;
        QColor expected;
    } cases[] = {
        { 200, QColor(200, 0, 0) }, // $000000C8, red in the low byte
        { 0x00FF8000, QColor(0, 0x80, 0xFF) },
        { 0x00FFFFFF, QColor(Qt::white) },
        { -2147483633, QColor(0xD4, 0xD0, 0xC8) }, // $8000000F button face
        { qint32(0x80000005u), QColor(Qt::white) }, // window
        { qint32(0x80000008u), QColor(Qt::black) }, // window text
        { kColorNone, QColor(Qt::transparent) },
        { kColorDefault, QColor() },
    };
    for (const auto &c : cases)
        EXPECT_EQ(toQColor(c.value), c.expected) << c.value;
    EXPECT_EQ(fromQColor(QColor(1, 2, 3)), 0x030201);
    EXPECT_EQ(toQColor(fromQColor(QColor(10, 20, 30))), QColor(10, 20, 30));
}
