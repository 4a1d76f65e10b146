#include "CliTestUtil.h"
#include "platform/ProgramDir.h"
#include "settings/LayoutSettings.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using kb::test::runCli;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Points the program directory at `dir` for one test.
class ProgramDirAt {
public:
    explicit ProgramDirAt(const QString &dir)
        : m_old(qgetenv("KRONOBLATT_HOME"))
    {
        qputenv("KRONOBLATT_HOME", dir.toUtf8());
        kb::ProgramDir::reset();
    }
    ~ProgramDirAt()
    {
        qputenv("KRONOBLATT_HOME", m_old);
        kb::ProgramDir::reset();
    }

private:
    QByteArray m_old;
};

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
            out += s(g) + s("Style") + s(st) + s("=1\n");
    }
    return out;
}

} // namespace

TEST(CliEinstellungen, PrintsEveryFieldInLoadOrderThenTheStyleKeys)
{
    TempDir dir;
    writeAll(dir.file(s("k.ini")),
        "[USER]\r\nSymbole=1\r\nKBRight=$10\r\nFirma=M\xFCller\r\n"
        "KopfStyleBold=0\r\nadresseStyleDurchstrichen=2\r\n"
        "HintergrundSamstag=-2147483633\r\nLinienFarbe=abc\r\n"
        "[Ferien]\r\nSommerBeginn=01.08.\r\n");
    const auto r = runCli({ s("einstellungen"), s("--datei"), dir.file(s("k.ini")) });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, QString());
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 58 + 16);
    EXPECT_EQ(lines[0], s("Symbole=1"));
    EXPECT_EQ(lines[1], s("Weihnachten1Beginn=00.00."));
    EXPECT_EQ(lines[9], s("SommerBeginn=01.08."));
    EXPECT_EQ(lines[19], s("KBLeft=4"));
    EXPECT_EQ(lines[20], s("KBright=16"));
    EXPECT_EQ(lines[27], s("Firma=Müller"));
    EXPECT_EQ(lines[35], s("KopfSchriftName=Arial"));
    EXPECT_EQ(lines[49], s("HintergrundSamstag=-2147483633"));
    EXPECT_EQ(lines[56], s("Linienfarbe=200"));
    EXPECT_EQ(lines[57], s("KopfBandFarbe=200"));
    EXPECT_EQ(lines[58], s("KopfStyleBold=0"));
    EXPECT_EQ(lines[59], s("KopfStyleItalic=1"));
    EXPECT_EQ(lines[73], s("AdresseStyleDurchstrichen=0"));
}

// A settings file named on the command line must exist, for einstellungen as for drucken: a
// mistyped name must not pass for the defaults.
TEST(CliEinstellungen, MissingNamedFileFailsAsDruckenDoes)
{
    TempDir dir;
    const QString path = dir.file(s("fehlt.ini"));
    const QString meldung = s("Datei ") + QDir::toNativeSeparators(path) + s(" nicht vorhanden!\n");
    const auto r = runCli({ s("einstellungen"), s("--datei"), path });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, meldung);
    EXPECT_TRUE(r.out.isEmpty());
    kb::test::writeAll(dir.file(s("k.QVK")), "");
    const auto d = runCli({ s("drucken"), dir.file(s("k.QVK")), s("--layout"),
        s("1 Seite 12 Spalten"), s("-o"), dir.file(s("a.pdf")), s("--einstellungen"), path });
    EXPECT_EQ(d.code, r.code);
    EXPECT_EQ(d.err, r.err);
}

// The program's own settings file may be missing, as at start-up: reported, then the defaults.
TEST(CliEinstellungen, MissingProgramFileReportsAndPrintsTheDefaults)
{
    TempDir dir;
    ProgramDirAt home(dir.path());
    writeAll(dir.file(s("kalender.INI")), "[Datei]\r\nDateiname=Kalvalues.ini\r\n");
    const auto r = runCli({ s("einstellungen") });
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err,
        s("Datei ") + QDir::toNativeSeparators(dir.file(s("Kalvalues.ini")))
            + s(" nicht vorhanden!\n"));
    EXPECT_EQ(r.out, defaultsOutput());
}

TEST(CliEinstellungen, ReadsTheFileNamedInKalenderIni)
{
    TempDir dir;
    ProgramDirAt home(dir.path());
    writeAll(dir.file(s("kalender.INI")), "[Datei]\r\nDateiname=Meine.ini\r\n");
    writeAll(dir.file(s("Meine.ini")), "[User]\r\nFirma=Meine\r\n");
    writeAll(dir.file(s("Kalvalues.ini")), "[User]\r\nFirma=Falsch\r\n");
    const auto r = runCli({ s("einstellungen") });
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains(s("\nFirma=Meine\n")));

    EXPECT_EQ(runCli({ s("einstellungen"), s("zuviel") }).code, 2);
    EXPECT_EQ(runCli({ s("einstellungen"), s("--datei") }).code, 2);
}
