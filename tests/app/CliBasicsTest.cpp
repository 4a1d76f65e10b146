#include "CliTestUtil.h"
#include "app/cli/CliCommands.h"
#include "printing/DruckLayouts.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using kb::test::runCli;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

TEST(Cli, HelpAndVersion)
{
    const auto help = runCli({ s("--help") });
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(s("Aufruf: kronoblatt-cli BEFEHL")));
    for (const kb::cli::Command &c : kb::cli::commands())
        EXPECT_TRUE(help.out.contains(s("\n  ") + kb::cli::usage(c) + s("\n")))
            << c.name.toStdString();
    EXPECT_EQ(runCli({ s("hilfe") }).out, help.out);
    EXPECT_EQ(runCli({ s("-h") }).out, help.out);

    const auto version = runCli({ s("--version") });
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith(s("kronoblatt-cli ")));
}

TEST(Cli, UnknownCommandAndNoArgumentsAreUsageErrors)
{
    EXPECT_EQ(runCli({ s("gibtsnicht") }).code, 2);
    const auto none = runCli({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.err.contains(s("Befehle:")));
    const auto hilfe = runCli({ s("hilfe"), s("gibtsnicht") });
    EXPECT_EQ(hilfe.code, 2);
    EXPECT_TRUE(hilfe.err.startsWith(s("Unbekannter Befehl: gibtsnicht\n")));
    EXPECT_EQ(runCli({ s("hilfe"), s("tage"), s("drucken") }).code, 2);
}

TEST(Cli, EveryCommandHasItsOwnHelp)
{
    for (const kb::cli::Command &c : kb::cli::commands()) {
        SCOPED_TRACE(c.name.toStdString());
        const auto hilfe = runCli({ s("hilfe"), c.name });
        EXPECT_EQ(hilfe.code, 0);
        EXPECT_TRUE(hilfe.err.isEmpty());
        EXPECT_TRUE(
            hilfe.out.startsWith(s("Aufruf: kronoblatt-cli ") + kb::cli::usage(c) + s("\n")));
        EXPECT_TRUE(hilfe.out.contains(s("\nOptionen:\n")));
        EXPECT_TRUE(hilfe.out.contains(s("  -h, --help")));
        for (const kb::cli::Option &o : c.options) {
            const QString name
                = (o.names.first().size() == 1 ? s("\n  -") : s("\n  --")) + o.names.first();
            EXPECT_TRUE(hilfe.out.contains(name)) << name.toStdString();
        }
        // Descriptions are wrapped for a terminal; the usage line stays whole.
        for (const QString &line : hilfe.out.split(QLatin1Char('\n')).mid(1))
            EXPECT_LE(line.size(), 79) << line.toStdString();
        // "--help" anywhere after the command shows the same, even without required options.
        EXPECT_EQ(runCli({ c.name, s("--help") }).out, hilfe.out);
        EXPECT_EQ(runCli({ c.name, s("-h") }).out, hilfe.out);
    }
}

TEST(Cli, HelpOfACommandListsArgumentsOptionsAndDetails)
{
    const auto r = runCli({ s("hilfe"), s("drucken") });
    EXPECT_TRUE(r.out.startsWith(s("Aufruf: kronoblatt-cli drucken KALENDER.QVK [--layout NAME] "
                                   "[--formular FORM.qvf] -o DATEI [--passwort P] "
                                   "[--einstellungen INI] [--dpi N]\n\n")));
    EXPECT_TRUE(r.out.contains(s("\nArgumente:\n  KALENDER.QVK  die Kalenderdatei\n")));
    EXPECT_TRUE(r.out.contains(s("\n  -o, --ausgabe DATEI ")));
    // Every layout, each name whole on its line.
    for (const kb::DruckLayout &l : kb::druckLayouts())
        EXPECT_TRUE(r.out.contains(QLatin1Char('"') + l.name + QLatin1Char('"')))
            << l.name.toStdString();
}

struct UsageCase {
    const char *was;
    QStringList args;
    const char *meldung; // the first line of stderr
};

// The parser's checks, the same for every command: a German message, then the usage line.
TEST(Cli, WrongCallsSayWhatIsWrong)
{
    const UsageCase cases[] = {
        { "unknown option", { s("feiertage"), s("2024"), s("3"), s("--was") },
            "Unbekannte Option: --was" },
        { "unknown short option", { s("tage"), s("a.QVK"), s("-x") }, "Unbekannte Option: -x" },
        { "option without its value", { s("einstellungen"), s("--datei") },
            "Zur Option --datei fehlt der Wert." },
        { "flag with a value", { s("einstellungen"), s("--help=ja") },
            "Die Option --help hat keinen Wert." },
        { "neither layout nor form", { s("drucken"), s("a.QVK"), s("-o"), s("a.pdf") },
            "Bitte entweder --layout NAME oder --formular FORM.qvf angeben." },
        { "required option missing", { s("formular"), s("a.qvf"), s("--speichern") },
            "Zur Option --speichern fehlt der Wert." },
        { "short required option missing",
            { s("drucken"), s("a.QVK"), s("--layout"), s("1 Seite 12 Spalten") },
            "Die Option -o fehlt." },
        { "argument missing", { s("feiertage"), s("2024") }, "Es fehlt das Argument LAND." },
        { "no arguments", { s("tage") }, "Es fehlt das Argument KALENDER.QVK." },
        { "too many arguments", { s("einstellungen"), s("zuviel"), s("mehr") },
            "Zu viele Argumente: zuviel mehr" },
        { "year not a number", { s("feiertage"), s("zwanzig"), s("3") },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: zwanzig" },
        { "year out of range", { s("feiertage"), s("10000"), s("3") },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 10000" },
        { "state out of range", { s("feiertage"), s("2024"), s("16") },
            "Unbekanntes Bundesland: 16 (0 bis 15 oder der Name, z. B. Bayern)" },
        { "negative state after --", { s("feiertage"), s("2024"), s("--"), s("-1") },
            "Unbekanntes Bundesland: -1 (0 bis 15 oder der Name, z. B. Bayern)" },
        { "state not a name", { s("feiertage"), s("2024"), s("Atlantis") },
            "Unbekanntes Bundesland: Atlantis (0 bis 15 oder der Name, z. B. Bayern)" },
    };
    for (const UsageCase &c : cases) {
        SCOPED_TRACE(c.was);
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.isEmpty());
        const QStringList lines = r.err.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 3) << r.err.toStdString();
        EXPECT_EQ(lines.at(0), s(c.meldung));
        EXPECT_TRUE(lines.at(1).startsWith(s("Aufruf: kronoblatt-cli ") + c.args.first()));
    }
}

// A year and a state read the same in every command that takes them.
TEST(Cli, YearAndStateAreCheckedAlikeEverywhere)
{
    kb::test::TempDir dir;
    const QStringList anlegen { s("anlegen"), s("--verzeichnis"), dir.path(), s("--datei"),
        s("A") };
    const QStringList demo { s("demo"), s("--verzeichnis"), dir.path() };
    const struct {
        QStringList args;
        const char *meldung;
    } cases[] = {
        { { s("feiertage"), s("0"), s("Bayern") },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 0" },
        { anlegen + QStringList { s("--jahr"), s("0"), s("--land"), s("Bayern") },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 0" },
        { demo + QStringList { s("--jahr"), s("0") },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 0" },
        { { s("feiertage"), s("2024"), s("+3") },
            "Unbekanntes Bundesland: +3 (0 bis 15 oder der Name, z. B. Bayern)" },
        { anlegen + QStringList { s("--jahr"), s("2024"), s("--land"), s("+3") },
            "Unbekanntes Bundesland: +3 (0 bis 15 oder der Name, z. B. Bayern)" },
        { demo + QStringList { s("--jahr"), s("2024"), s("--land"), s("+3") },
            "Unbekanntes Bundesland: +3 (0 bis 15 oder der Name, z. B. Bayern)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.startsWith(s(c.meldung) + s("\nAufruf: kronoblatt-cli ")))
            << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(Cli, OptionsTakeTheirValueWithBlankOrEqualsSign)
{
    for (const QStringList &args : { QStringList { s("feiertage"), s("2025"), s("berlin") },
             QStringList { s("feiertage"), s("--"), s("2025"), s("2") } }) {
        const auto r = runCli(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(s("01.01.2025;1;Neujahr\n")));
    }
    kb::test::TempDir dir;
    const QString ini = dir.file(s("k.ini"));
    kb::test::writeAll(ini, "[User]\r\nFirma=Gleich\r\n");
    const auto r = runCli({ s("einstellungen"), s("--datei=") + ini });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(s("\nFirma=Gleich\n")));
}

} // namespace
