#include "CliTestUtil.h"
#include "app/cli/CliCommands.h"
#include "printing/DruckLayouts.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using kb::test::runCli;

namespace {

TEST(Cli, HelpAndVersion)
{
    const auto help = runCli({ u"--help"_s });
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(u"Aufruf: kronoblatt-cli BEFEHL"_s));
    for (const kb::cli::Command &c : kb::cli::commands())
        EXPECT_TRUE(help.out.contains(u"\n  "_s + kb::cli::usage(c) + u"\n"_s))
            << c.name.toStdString();
    EXPECT_EQ(runCli({ u"hilfe"_s }).out, help.out);
    EXPECT_EQ(runCli({ u"-h"_s }).out, help.out);

    const auto version = runCli({ u"--version"_s });
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith(u"kronoblatt-cli "_s));
}

TEST(Cli, UnknownCommandAndNoArgumentsAreUsageErrors)
{
    EXPECT_EQ(runCli({ u"gibtsnicht"_s }).code, 2);
    const auto none = runCli({});
    EXPECT_EQ(none.code, 2);
    EXPECT_TRUE(none.err.contains(u"Befehle:"_s));
    const auto hilfe = runCli({ u"hilfe"_s, u"gibtsnicht"_s });
    EXPECT_EQ(hilfe.code, 2);
    EXPECT_TRUE(hilfe.err.startsWith(u"Unbekannter Befehl: gibtsnicht\n"_s));
    EXPECT_EQ(runCli({ u"hilfe"_s, u"tage"_s, u"drucken"_s }).code, 2);
}

TEST(Cli, EveryCommandHasItsOwnHelp)
{
    for (const kb::cli::Command &c : kb::cli::commands()) {
        SCOPED_TRACE(c.name.toStdString());
        const auto hilfe = runCli({ u"hilfe"_s, c.name });
        EXPECT_EQ(hilfe.code, 0);
        EXPECT_TRUE(hilfe.err.isEmpty());
        EXPECT_TRUE(
            hilfe.out.startsWith(u"Aufruf: kronoblatt-cli "_s + kb::cli::usage(c) + u"\n"_s));
        EXPECT_TRUE(hilfe.out.contains(u"\nOptionen:\n"_s));
        EXPECT_TRUE(hilfe.out.contains(u"  -h, --help"_s));
        for (const kb::cli::Option &o : c.options) {
            const QString name
                = (o.names.first().size() == 1 ? u"\n  -"_s : u"\n  --"_s) + o.names.first();
            EXPECT_TRUE(hilfe.out.contains(name)) << name.toStdString();
        }
        // Descriptions are wrapped for a terminal; the usage line stays whole.
        for (const QString &line : hilfe.out.split(QLatin1Char('\n')).mid(1))
            EXPECT_LE(line.size(), 79) << line.toStdString();
        // "--help" anywhere after the command shows the same, even without required options.
        EXPECT_EQ(runCli({ c.name, u"--help"_s }).out, hilfe.out);
        EXPECT_EQ(runCli({ c.name, u"-h"_s }).out, hilfe.out);
    }
}

TEST(Cli, HelpOfACommandListsArgumentsOptionsAndDetails)
{
    const auto r = runCli({ u"hilfe"_s, u"drucken"_s });
    EXPECT_TRUE(r.out.startsWith(u"Aufruf: kronoblatt-cli drucken KALENDER.QVK [--layout NAME] "
                                 "[--formular FORM.qvf] -o DATEI [--passwort P] "
                                 "[--einstellungen INI] [--dpi N]\n\n"_s));
    EXPECT_TRUE(r.out.contains(u"\nArgumente:\n  KALENDER.QVK  die Kalenderdatei\n"_s));
    EXPECT_TRUE(r.out.contains(u"\n  -o, --ausgabe DATEI "_s));
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
        { "unknown option", { u"feiertage"_s, u"2024"_s, u"3"_s, u"--was"_s },
            "Unbekannte Option: --was" },
        { "unknown short option", { u"tage"_s, u"a.QVK"_s, u"-x"_s }, "Unbekannte Option: -x" },
        { "option without its value", { u"einstellungen"_s, u"--datei"_s },
            "Zur Option --datei fehlt der Wert." },
        { "flag with a value", { u"einstellungen"_s, u"--help=ja"_s },
            "Die Option --help hat keinen Wert." },
        { "neither layout nor form", { u"drucken"_s, u"a.QVK"_s, u"-o"_s, u"a.pdf"_s },
            "Bitte entweder --layout NAME oder --formular FORM.qvf angeben." },
        { "required option missing", { u"formular"_s, u"a.qvf"_s, u"--speichern"_s },
            "Zur Option --speichern fehlt der Wert." },
        { "short required option missing",
            { u"drucken"_s, u"a.QVK"_s, u"--layout"_s, u"1 Seite 12 Spalten"_s },
            "Die Option -o fehlt." },
        { "argument missing", { u"feiertage"_s, u"2024"_s }, "Es fehlt das Argument LAND." },
        { "no arguments", { u"tage"_s }, "Es fehlt das Argument KALENDER.QVK." },
        { "too many arguments", { u"einstellungen"_s, u"zuviel"_s, u"mehr"_s },
            "Zu viele Argumente: zuviel mehr" },
        { "year not a number", { u"feiertage"_s, u"zwanzig"_s, u"3"_s },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: zwanzig" },
        { "year out of range", { u"feiertage"_s, u"10000"_s, u"3"_s },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 10000" },
        { "state out of range", { u"feiertage"_s, u"2024"_s, u"16"_s },
            "Unbekanntes Bundesland: 16 (0 bis 15 oder der Name, z. B. Bayern)" },
        { "negative state after --", { u"feiertage"_s, u"2024"_s, u"--"_s, u"-1"_s },
            "Unbekanntes Bundesland: -1 (0 bis 15 oder der Name, z. B. Bayern)" },
        { "state not a name", { u"feiertage"_s, u"2024"_s, u"Atlantis"_s },
            "Unbekanntes Bundesland: Atlantis (0 bis 15 oder der Name, z. B. Bayern)" },
    };
    for (const UsageCase &c : cases) {
        SCOPED_TRACE(c.was);
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.out.isEmpty());
        const QStringList lines = r.err.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 3) << r.err.toStdString();
        EXPECT_EQ(lines.at(0), QString::fromUtf8(c.meldung));
        EXPECT_TRUE(lines.at(1).startsWith(u"Aufruf: kronoblatt-cli "_s + c.args.first()));
    }
}

// A year and a state read the same in every command that takes them.
TEST(Cli, YearAndStateAreCheckedAlikeEverywhere)
{
    kb::test::TempDir dir;
    const QStringList anlegen { u"anlegen"_s, u"--verzeichnis"_s, dir.path(), u"--datei"_s,
        u"A"_s };
    const QStringList demo { u"demo"_s, u"--verzeichnis"_s, dir.path() };
    const struct {
        QStringList args;
        const char *meldung;
    } cases[] = {
        { { u"feiertage"_s, u"0"_s, u"Bayern"_s },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 0" },
        { anlegen + QStringList { u"--jahr"_s, u"0"_s, u"--land"_s, u"Bayern"_s },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 0" },
        { demo + QStringList { u"--jahr"_s, u"0"_s },
            "Das Jahr muss eine Zahl von 1 bis 9999 sein: 0" },
        { { u"feiertage"_s, u"2024"_s, u"+3"_s },
            "Unbekanntes Bundesland: +3 (0 bis 15 oder der Name, z. B. Bayern)" },
        { anlegen + QStringList { u"--jahr"_s, u"2024"_s, u"--land"_s, u"+3"_s },
            "Unbekanntes Bundesland: +3 (0 bis 15 oder der Name, z. B. Bayern)" },
        { demo + QStringList { u"--jahr"_s, u"2024"_s, u"--land"_s, u"+3"_s },
            "Unbekanntes Bundesland: +3 (0 bis 15 oder der Name, z. B. Bayern)" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(c.meldung) + u"\nAufruf: kronoblatt-cli "_s))
            << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(Cli, OptionsTakeTheirValueWithBlankOrEqualsSign)
{
    for (const QStringList &args : { QStringList { u"feiertage"_s, u"2025"_s, u"berlin"_s },
             QStringList { u"feiertage"_s, u"--"_s, u"2025"_s, u"2"_s } }) {
        const auto r = runCli(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(u"01.01.2025;1;Neujahr\n"_s));
    }
    kb::test::TempDir dir;
    const QString ini = dir.file(u"k.ini"_s);
    kb::test::writeAll(ini, "[User]\r\nFirma=Gleich\r\n");
    const auto r = runCli({ u"einstellungen"_s, u"--datei="_s + ini });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"\nFirma=Gleich\n"_s));
}

} // namespace
