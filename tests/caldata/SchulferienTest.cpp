#include "caldata/Schulferien.h"
#include "caldata/FeiertageUNIT.h"
#include "support/Programmverzeichnis.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;

namespace {

// The nine periods in the settings file's order, "beginn-ende" each, unset ones as "-".
QString text(const FerienPerioden &perioden)
{
    QStringList teile;
    for (const FerienPeriode &p : perioden)
        teile.append(p.isSet() ? p.beginn + QLatin1Char('-') + p.ende : QStringLiteral("-"));
    return teile.join(QLatin1Char(' '));
}

// Lines as the installed table has them, with the oddities a hand-edited file may have.
const char kTabelle[]
    = "# Schulferien, Testauszug\r\n"
      "land;schuljahr;art;beginn;ende;bestaetigt;umstritten;quelle\r\n"
      "Hessen;2025/26;Weihnachtsferien;22.12.2025;10.01.2026;ja;nein;Test\r\n"
      "Hessen;2025/26;Winterferien [Halbjahresferien];02.02.2026;03.02.2026;ja;nein;Test\r\n"
      "Hessen;2025/26;Osterferien/Frühjahrsferien;30.03.2026;10.04.2026;ja;nein;Test\r\n"
      "Hessen;2025/26;Pfingstferien;26.05.2026;29.05.2026;ja;nein;Test\r\n"
      "Hessen;2025/26;Sommerferien;29.06.2026;07.08.2026;ja;nein;Test\r\n"
      "Hessen;2026/27;Herbstferien;05.10.2026;17.10.2026;ja;nein;Test\r\n"
      "Hessen;2026/27;Weihnachtsferien;23.12.2026;12.01.2027;ja;nein;Test\r\n"
      "Hessen;2026/27;Einzelner Ferientag [Brückentag];15.05.2026;15.05.2026;ja;nein;Test\r\n"
      "Hessen;2026/27;Herbstferien;26.10.2026;27.10.2026;ja;nein;Test\r\n"
      "Hessen;2026/27;Einzelner Ferientag [Ferientag];30.10.2026;30.10.2026;ja;nein;Test\r\n"
      "Hessen;2026/27;Einzelner Ferientag [Ferientag];02.11.2026;02.11.2026;ja;nein;Test\r\n"
      "Hessen;2026/27;Sommerferien;31.02.2026;07.03.2026;ja;nein;kein Datum\r\n"
      "Hessen;2026/27;Sommerferien;07.08.2026;01.08.2026;ja;nein;Ende vor Beginn\r\n"
      "Hessen;2026/27;Winterferien;28.12.2026;02.01.2027;ja;nein;über den Jahreswechsel\r\n"
      "Hessen;2026/27;Herbstferien\r\n"
      "Hessen-Nord;2025/26;Sommerferien;01.07.2026;01.08.2026;ja;nein;kein Land\r\n"
      "Baden-Württemberg;2026/27;Weihnachtsferien;04.01.2027;09.01.2027;ja;nein;Test\n"
      "Baden-Württemberg;2026/27;Sommerferien;30.07.2026;12.09.2026;ja;nein;Test\n";

struct Case {
    const char *was;
    const char *land;
    int jahr;
    // Weihnachten1 Winter Ostern Himmelfahrt Sommer Herbst Weihnachten2 Zusatz Zusatz2
    const char *perioden;
};

TEST(Schulferien, PeriodsOfAStateAndYearInTheirPlaces)
{
    const Case cases[] = {
        { "every kind in its place, Christmas split at the turn of the year", "Hessen", 2026,
            "01.01.-10.01. 02.02.-03.02. 30.03.-10.04. 26.05.-29.05. 29.06.-07.08. "
            "05.10.-17.10. 23.12.-31.12. 15.05.-15.05. 26.10.-27.10." },
        { "the year before: only its end of the Christmas holidays", "Hessen", 2025,
            "- - - - - - 22.12.-31.12. - -" },
        { "the year after: the start of the next Christmas holidays", "Hessen", 2027,
            "01.01.-12.01. - - - - - - - -" },
        { "Christmas holidays only in January are the year's first", "Baden-Württemberg", 2027,
            "04.01.-09.01. - - - - - - - -" },
        { "state name with an umlaut, LF line ends", "Baden-Württemberg", 2026,
            "- - - - 30.07.-12.09. - - - -" },
        { "a state the table does not list", "Bayern", 2026, "- - - - - - - - -" },
    };
    test::TempDir dir;
    const QString pfad = dir.file(u"schulferien.csv"_s);
    test::writeAll(pfad, kTabelle);
    for (const Case &c : cases)
        EXPECT_EQ(text(schulferien(pfad, QString::fromUtf8(c.land), c.jahr)),
            QString::fromUtf8(c.perioden))
            << c.was;
}

TEST(Schulferien, UnreadableTableIsAnErrorWithItsName)
{
    test::TempDir dir;
    const QString fehlt = dir.file(u"fehlt.csv"_s);
    EXPECT_EQ(test::errorOf([&] { schulferien(fehlt, u"Hessen"_s, 2026); }),
        u"Die Datei \"%1\" kann nicht gelesen werden."_s.arg(QDir::toNativeSeparators(fehlt)));
}

// The table installed with the program names every state as the calendar does and has its
// summer, autumn and Christmas holidays for the school years it covers (some Christmas
// holidays end on 31 December, so not every year starts with holidays).
TEST(Schulferien, InstalledTableCoversEveryState)
{
    const QString pfad = QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv");
    for (const QString &land : bundeslaender()) {
        for (int jahr = 2026; jahr <= 2029; ++jahr) {
            const FerienPerioden p = schulferien(pfad, land, jahr);
            EXPECT_TRUE(p[int(Ferien::Sommer)].isSet()) << land.toStdString() << jahr;
            EXPECT_TRUE(p[int(Ferien::Herbst)].isSet()) << land.toStdString() << jahr;
            EXPECT_TRUE(p[int(Ferien::Weihnachten2)].isSet()) << land.toStdString() << jahr;
        }
    }
}

TEST(Schulferien, TableIsFoundInTheProgramDirectory)
{
    test::TempDir home;
    const test::Programmverzeichnis programm(home.path());
    // The build puts none beside the test programs.
    EXPECT_EQ(schulferienDatei(), QString());
    test::writeAll(home.file(u"schulferien.csv"_s), kTabelle);
    EXPECT_EQ(schulferienDatei(), home.file(u"schulferien.csv"_s));
}

// The nine periods as the settings dialog's button and kronoblatt-cli ferien fill them, with
// the unconfirmed ones marked "?".
QString text(const FerienTermine &t)
{
    QStringList teile;
    for (int i = 0; i < kFerienCount; ++i) {
        const FerienPeriode &p = t.perioden[i];
        teile.append(p.beginn + QLatin1Char('-') + p.ende + (t.vorlaeufig[i] ? u"?"_s : QString()));
    }
    return teile.join(QLatin1Char(' '));
}

// The installed table: a state without a kind of holidays gets "00.00." for it, Christmas is
// split between the year's start and end from two school years, unconfirmed and disputed
// lines are marked, single free days go into the additional periods.
TEST(Ferientermine, InstalledTableFillsTheNinePeriods)
{
    struct FillCase {
        const char *was;
        const char *land;
        int jahr;
        const char *perioden;
    };
    const FillCase cases[] = {
        { "Hessen has no winter and no Whitsun holidays", "Hessen", 2027,
            "01.01.-12.01. 00.00.-00.00. 22.03.-02.04. 00.00.-00.00. 28.06.-06.08. "
            "04.10.-16.10. 23.12.-31.12. 00.00.-00.00. 00.00.-00.00." },
        { "disputed Easter dates and an unconfirmed single day", "Baden-Württemberg", 2027,
            "01.01.-09.01. 00.00.-00.00. 30.03.-03.04.? 18.05.-29.05. 29.07.-11.09. "
            "02.11.-06.11. 23.12.-31.12. 25.03.-25.03.? 00.00.-00.00." },
    };
    const SchulferienTabelle tabelle
        = SchulferienTabelle::lesen(QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv"));
    for (const FillCase &c : cases) {
        const FerienTermine t = ferientermine(tabelle, QString::fromUtf8(c.land), c.jahr);
        EXPECT_TRUE(t.vorhanden) << c.was;
        EXPECT_EQ(t.meldung, QString()) << c.was;
        EXPECT_EQ(text(t), QString::fromUtf8(c.perioden)) << c.was;
    }
}

TEST(Ferientermine, InstalledTableKeepsItsSourceAndLicence)
{
    const SchulferienTabelle tabelle
        = SchulferienTabelle::lesen(QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv"));
    ASSERT_GE(tabelle.kopf.size(), 2);
    EXPECT_TRUE(tabelle.kopf.join(QLatin1Char(' ')).contains(u"Open Database License"_s));
    EXPECT_EQ(tabelle.laender(), bundeslaender());
    for (const QString &land : bundeslaender())
        EXPECT_EQ(tabelle.vollstaendigeJahre(land), (QList<int> { 2026, 2027, 2028, 2029 }))
            << land.toStdString();
}

// A year at the edge of the table lacks one of its two school years: nothing is filled, and
// the result says which years there are. So is a state the table does not list.
TEST(Ferientermine, YearOrStateWithoutCompleteDataSaysSo)
{
    const SchulferienTabelle tabelle = SchulferienTabelle::ausText(QString::fromUtf8(kTabelle));
    struct NoDataCase {
        const char *land;
        int jahr;
        const char *meldung;
    };
    const NoDataCase cases[] = {
        { "Hessen", 2025,
            "Für Hessen liegen für das Jahr 2025 keine vollständigen Schulferien-Termine vor "
            "(vorhanden: 2026 bis 2026)." },
        { "Hessen", 2027,
            "Für Hessen liegen für das Jahr 2027 keine vollständigen Schulferien-Termine vor "
            "(vorhanden: 2026 bis 2026)." },
        { "Bayern", 2026, "Für Bayern enthält die Schulferien-Tabelle keine Termine." },
    };
    for (const NoDataCase &c : cases) {
        const FerienTermine t = ferientermine(tabelle, QString::fromUtf8(c.land), c.jahr);
        EXPECT_FALSE(t.vorhanden) << c.land << c.jahr;
        EXPECT_EQ(t.meldung, QString::fromUtf8(c.meldung));
        EXPECT_EQ(text(t),
            u"00.00.-00.00. 00.00.-00.00. 00.00.-00.00. 00.00.-00.00. "
            "00.00.-00.00. 00.00.-00.00. 00.00.-00.00. 00.00.-00.00. "
            "00.00.-00.00."_s);
    }
    const FerienTermine hessen = ferientermine(tabelle, u"Hessen"_s, 2026);
    EXPECT_TRUE(hessen.vorhanden);
    // Two single days after the second autumn holidays find no free period.
    EXPECT_EQ(hessen.ausgelassen,
        (QStringList { u"30.10.2026 bis 30.10.2026 (Einzelner Ferientag [Ferientag])"_s,
            u"02.11.2026 bis 02.11.2026 (Einzelner Ferientag [Ferientag])"_s }));
}

TEST(Ferientermine, WithoutInstalledTableNothingIsFilled)
{
    test::TempDir home;
    const test::Programmverzeichnis programm(home.path());
    const FerienTermine t = ferientermine(u"Hessen"_s, 2027);
    EXPECT_FALSE(t.vorhanden);
    EXPECT_EQ(t.meldung,
        u"Die Schulferien-Tabelle \"schulferien.csv\" ist im Programmverzeichnis nicht "
        "vorhanden."_s);
    test::writeAll(home.file(u"schulferien.csv"_s), kTabelle);
    EXPECT_TRUE(ferientermine(u"Hessen"_s, 2026).vorhanden);
}

} // namespace
