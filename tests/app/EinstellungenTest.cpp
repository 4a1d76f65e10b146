#include "CliTestUtil.h"
#include "settings/LayoutSettings.h"
#include "support/Programmverzeichnis.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using kb::test::runCli;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

// Without a settings file the colours are the shipped settings file's.
QString defaultsOutput()
{
    QString out;
    for (const auto &[key, value] : kb::LayoutSettings().entries()) {
        const std::optional<qint32> farbe = kb::ausgelieferteFarbe(key);
        out += key + QLatin1Char('=') + (farbe ? QString::number(*farbe) : value)
            + QLatin1Char('\n');
    }
    for (const char *g : { "Kopf", "KopfBand", "Monat", "Adresse" }) {
        for (const char *st : { "Bold", "Italic", "Unterstrichen", "Durchstrichen" })
            out += QString::fromUtf8(g) + u"Style"_s + QString::fromUtf8(st) + u"=1\n"_s;
    }
    return out;
}

} // namespace

TEST(CliEinstellungen, PrintsEveryFieldInLoadOrderThenTheStyleKeys)
{
    TempDir dir;
    writeAll(dir.file(u"k.ini"_s),
        "[USER]\r\nSymbole=1\r\nKBRight=$10\r\nFirma=M\xFCller\r\n"
        "KopfStyleBold=0\r\nadresseStyleDurchstrichen=2\r\n"
        "HintergrundSamstag=-2147483633\r\nLinienFarbe=abc\r\n"
        "[Ferien]\r\nSommerBeginn=01.08.\r\n");
    const auto r = runCli({ u"einstellungen"_s, u"--datei"_s, dir.file(u"k.ini"_s) });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString());
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 58 + 16);
    EXPECT_EQ(lines[0], u"Symbole=1"_s);
    EXPECT_EQ(lines[1], u"Weihnachten1Beginn=00.00."_s);
    EXPECT_EQ(lines[9], u"SommerBeginn=01.08."_s);
    EXPECT_EQ(lines[19], u"KBLeft=4"_s);
    EXPECT_EQ(lines[20], u"KBright=16"_s);
    EXPECT_EQ(lines[27], u"Firma=Müller"_s);
    EXPECT_EQ(lines[35], u"KopfSchriftName=Arial"_s);
    EXPECT_EQ(lines[49], u"HintergrundSamstag=-2147483633"_s);
    EXPECT_EQ(lines[56], u"Linienfarbe=200"_s);
    EXPECT_EQ(lines[57], u"KopfBandFarbe=200"_s);
    EXPECT_EQ(lines[58], u"KopfStyleBold=0"_s);
    EXPECT_EQ(lines[59], u"KopfStyleItalic=1"_s);
    EXPECT_EQ(lines[73], u"AdresseStyleDurchstrichen=0"_s);
}

// A settings file named on the command line must exist, for einstellungen as for drucken: a
// mistyped name must not pass for the defaults.
TEST(CliEinstellungen, MissingNamedFileFailsAsDruckenDoes)
{
    TempDir dir;
    const QString path = dir.file(u"fehlt.ini"_s);
    const QString meldung = u"Datei "_s + QDir::toNativeSeparators(path) + u" nicht vorhanden!\n"_s;
    const auto r = runCli({ u"einstellungen"_s, u"--datei"_s, path });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, meldung);
    EXPECT_TRUE(r.out.isEmpty());
    kb::test::writeAll(dir.file(u"k.QVK"_s), "");
    const auto d = runCli({ u"drucken"_s, dir.file(u"k.QVK"_s), u"--layout"_s,
        u"1 Seite 12 Spalten"_s, u"-o"_s, dir.file(u"a.pdf"_s), u"--einstellungen"_s, path });
    EXPECT_EQ(d.code, r.code);
    EXPECT_EQ(d.err, r.err);
}

// The program's own settings file may be missing, as at start-up: reported, then the defaults.
TEST(CliEinstellungen, MissingProgramFileReportsAndPrintsTheDefaults)
{
    TempDir dir;
    const kb::test::Programmverzeichnis home(dir.path());
    writeAll(dir.file(u"kalender.INI"_s), "[Datei]\r\nDateiname=Kalvalues.ini\r\n");
    const auto r = runCli({ u"einstellungen"_s });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err,
        u"Datei "_s + QDir::toNativeSeparators(dir.file(u"Kalvalues.ini"_s))
            + u" nicht vorhanden!\n"_s);
    EXPECT_EQ(r.out, defaultsOutput());
}

TEST(CliEinstellungen, ReadsTheFileNamedInKalenderIni)
{
    TempDir dir;
    const kb::test::Programmverzeichnis home(dir.path());
    writeAll(dir.file(u"kalender.INI"_s), "[Datei]\r\nDateiname=Meine.ini\r\n");
    writeAll(dir.file(u"Meine.ini"_s), "[User]\r\nFirma=Meine\r\n");
    writeAll(dir.file(u"Kalvalues.ini"_s), "[User]\r\nFirma=Falsch\r\n");
    const auto r = runCli({ u"einstellungen"_s });
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains(u"\nFirma=Meine\n"_s));

    EXPECT_EQ(runCli({ u"einstellungen"_s, u"zuviel"_s }).code, 2);
    EXPECT_EQ(runCli({ u"einstellungen"_s, u"--datei"_s }).code, 2);
}
