#include "CliTestUtil.h"
#include "support/Programmverzeichnis.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using kb::test::readAll;
using kb::test::runCli;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

// The program directory at a temporary one holding the installed school-holiday table.
class ProgrammMitFerien {
public:
    ProgrammMitFerien()
    {
        QFile::copy(QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv"),
            m_home.file(u"schulferien.csv"_s));
    }
    QString file(const QString &name) const { return m_home.file(name); }

private:
    TempDir m_home;
    kb::test::Programmverzeichnis m_programm { m_home.path() };
};

const char kBadenWuerttemberg2027[] = "Weihnachten1Beginn=01.01.\n"
                                      "Weihnachten1Ende=09.01.\n"
                                      "WinterBeginn=00.00.\n"
                                      "WinterEnde=00.00.\n"
                                      "OsternBeginn=30.03.\n"
                                      "OsternEnde=03.04.\n"
                                      "HimmelfahrtBeginn=18.05.\n"
                                      "HimmelfahrtEnde=29.05.\n"
                                      "SommerBeginn=29.07.\n"
                                      "SommerEnde=11.09.\n"
                                      "HerbstBeginn=02.11.\n"
                                      "HerbstEnde=06.11.\n"
                                      "Weihnachten2Beginn=23.12.\n"
                                      "Weihnachten2Ende=31.12.\n"
                                      "ZusatzBeginn=25.03.\n"
                                      "ZusatzEnde=25.03.\n"
                                      "Zusatz2Beginn=00.00.\n"
                                      "Zusatz2Ende=00.00.\n";

} // namespace

TEST(CliFerien, PrintsTheEighteenKeysAndMarksUnconfirmedPeriods)
{
    ProgrammMitFerien programm;
    for (const char *land : { "Baden-Württemberg", "0", "baden-württemberg" }) {
        const auto r = runCli({ u"ferien"_s, QString::fromUtf8(land), u"2027"_s });
        EXPECT_EQ(r.code, 0) << land;
        EXPECT_EQ(r.out, QString::fromUtf8(kBadenWuerttemberg2027)) << land;
        EXPECT_EQ(r.err,
            u"OsternBeginn/OsternEnde: vorläufige Termine – bitte prüfen\n"
            "ZusatzBeginn/ZusatzEnde: vorläufige Termine – bitte prüfen\n"_s)
            << land;
    }
}

// Written into a settings file in one atomic write: the other sections, keys, comments and
// the file's own spelling of a key stay, the Windows-1252 bytes stay Windows-1252.
TEST(CliFerien, WritesTheSettingsFileKeepingEverythingElse)
{
    ProgrammMitFerien programm;
    const QString ini = programm.file(u"Kalvalues.ini"_s);
    writeAll(ini,
        "; Einstellungen von Hand\r\n"
        "[User]\r\n"
        "Firma=M\xFCller\r\n"
        "; Farben\r\n"
        "Linienfarbe=255\r\n"
        "[FERIEN]\r\n"
        "; alte Termine\r\n"
        "sommerbeginn=01.08.\r\n"
        "SommerEnde=10.09.\r\n"
        "Eigenes=bleibt\r\n"
        "[Danach]\r\n"
        "X=1\r\n");
    const auto r = runCli({ u"ferien"_s, u"Baden-Württemberg"_s, u"2027"_s, u"--einstellungen"_s,
        QDir::toNativeSeparators(ini) });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QString::fromUtf8(kBadenWuerttemberg2027));
    EXPECT_EQ(readAll(ini),
        QByteArray("; Einstellungen von Hand\r\n"
                   "[User]\r\n"
                   "Firma=M\xFCller\r\n"
                   "; Farben\r\n"
                   "Linienfarbe=255\r\n"
                   "[FERIEN]\r\n"
                   "; alte Termine\r\n"
                   "sommerbeginn=29.07.\r\n"
                   "SommerEnde=11.09.\r\n"
                   "Eigenes=bleibt\r\n"
                   "Weihnachten1Beginn=01.01.\r\n"
                   "Weihnachten1Ende=09.01.\r\n"
                   "WinterBeginn=00.00.\r\n"
                   "WinterEnde=00.00.\r\n"
                   "OsternBeginn=30.03.\r\n"
                   "OsternEnde=03.04.\r\n"
                   "HimmelfahrtBeginn=18.05.\r\n"
                   "HimmelfahrtEnde=29.05.\r\n"
                   "HerbstBeginn=02.11.\r\n"
                   "HerbstEnde=06.11.\r\n"
                   "Weihnachten2Beginn=23.12.\r\n"
                   "Weihnachten2Ende=31.12.\r\n"
                   "ZusatzBeginn=25.03.\r\n"
                   "ZusatzEnde=25.03.\r\n"
                   "Zusatz2Beginn=00.00.\r\n"
                   "Zusatz2Ende=00.00.\r\n"
                   "[Danach]\r\n"
                   "X=1\r\n"));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(programm.file(QString())).entryList(QDir::Files),
        (QStringList { u"Kalvalues.ini"_s, u"schulferien.csv"_s }));

    // A file without the section gets it at its end.
    const QString neu = programm.file(u"neu.ini"_s);
    writeAll(neu, "[User]\r\nFirma=X\r\n");
    ASSERT_EQ(runCli({ u"ferien"_s, u"Hessen"_s, u"2027"_s, u"--einstellungen"_s, neu }).code, 0);
    const QByteArray bytes = readAll(neu);
    EXPECT_TRUE(bytes.startsWith("[User]\r\nFirma=X\r\n\r\n[Ferien]\r\nWeihnachten1Beginn=01.01."
                                 "\r\nWeihnachten1Ende=12.01.\r\nWinterBeginn=00.00.\r\n"))
        << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("Zusatz2Ende=00.00.\r\n")) << bytes.constData();
}

// No data for the state and year, no table, no settings file: a German message, exit 1, the
// settings file byte for byte as it was.
TEST(CliFerien, WithoutDataNothingIsWritten)
{
    ProgrammMitFerien programm;
    const QString ini = programm.file(u"Kalvalues.ini"_s);
    const QByteArray vorher = "[Ferien]\r\n; bleibt\r\nSommerBeginn=01.08.\r\n";
    writeAll(ini, vorher);
    struct Case {
        QStringList args;
        const char *err;
    };
    const QString fehlt = programm.file(u"fehlt.ini"_s);
    const Case cases[] = {
        { { u"Hessen"_s, u"2031"_s, u"--einstellungen"_s, ini },
            "Für Hessen liegen für das Jahr 2031 keine vollständigen Schulferien-Termine vor "
            "(vorhanden: 2026 bis 2029).\n" },
        { { u"6"_s, u"2025"_s, u"--einstellungen"_s, ini },
            "Für Hessen liegen für das Jahr 2025 keine vollständigen Schulferien-Termine vor "
            "(vorhanden: 2026 bis 2029).\n" },
        { { u"Hessen"_s, u"2027"_s, u"--einstellungen"_s, fehlt }, "Datei %1 nicht vorhanden!\n" },
    };
    for (const Case &c : cases) {
        const auto r = runCli(QStringList { u"ferien"_s } + c.args);
        EXPECT_EQ(r.code, 1) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.out, QString());
        const QString erwartet = QString::fromUtf8(c.err);
        EXPECT_EQ(r.err,
            erwartet.contains(u"%1"_s) ? erwartet.arg(QDir::toNativeSeparators(fehlt)) : erwartet);
        EXPECT_EQ(readAll(ini), vorher);
    }
    EXPECT_FALSE(QFile::exists(programm.file(u"fehlt.ini"_s)));

    QFile::remove(programm.file(u"schulferien.csv"_s));
    const auto r = runCli({ u"ferien"_s, u"Hessen"_s, u"2027"_s, u"--einstellungen"_s, ini });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err,
        u"Die Schulferien-Tabelle \"schulferien.csv\" ist im Programmverzeichnis nicht "
        "vorhanden.\n"_s);
    EXPECT_EQ(readAll(ini), vorher);
}

TEST(CliFerien, HelpNamesTheCommand)
{
    const auto overview = runCli({ u"--help"_s });
    EXPECT_TRUE(overview.out.contains(u"ferien LAND JAHR [--einstellungen INI]"_s))
        << overview.out.toStdString();
    const auto hilfe = runCli({ u"hilfe"_s, u"ferien"_s });
    EXPECT_EQ(hilfe.code, 0);
    EXPECT_TRUE(hilfe.out.contains(u"schulferien.csv"_s)) << hilfe.out.toStdString();
}
