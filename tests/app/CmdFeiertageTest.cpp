#include "CliTestUtil.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using kb::test::runCli;

namespace {

// Berlin 2025, worked out by hand: Easter on 20 April, 25 December a Thursday (fourth
// Advent 21 December), Frauentag and the one-off Tag der Befreiung, summer time from 30 March
// to 26 October, Allerheiligen only named.
const char kBerlin2025[] = "01.01.2025;1;Neujahr\n"
                           "02.02.2025;-1;Mariä Lichtmeß\n"
                           "14.02.2025;-2;Valentinstag\n"
                           "27.02.2025;-3;Weiberfastnacht\n"
                           "03.03.2025;-4;Rosenmontag\n"
                           "04.03.2025;-5;Fastnacht\n"
                           "05.03.2025;-6;Aschermittwoch\n"
                           "08.03.2025;20;Internationaler Frauentag\n"
                           "21.03.2025;-21;Frühlingsanfang\n"
                           "25.03.2025;-7;Mariä Verkündigung\n"
                           "30.03.2025;-26;Beginn der Sommerzeit\n"
                           "13.04.2025;-8;Palmsonntag\n"
                           "17.04.2025;-9;Gründonnerstag\n"
                           "18.04.2025;9;Karfreitag\n"
                           "20.04.2025;10;Ostersonntag\n"
                           "21.04.2025;11;Ostermontag\n"
                           "01.05.2025;2;Maifeiertag\n"
                           "08.05.2025;22;Tag der Befreiung\n"
                           "11.05.2025;-10;Muttertag\n"
                           "29.05.2025;12;Christi Himmelfahrt\n"
                           "08.06.2025;13;Pfingstsonntag\n"
                           "09.06.2025;14;Pfingstmontag\n"
                           "21.06.2025;-22;Sommmeranfang\n"
                           "29.06.2025;-11;Peter und Paul\n"
                           "08.09.2025;-12;Mariä Geburt\n"
                           "23.09.2025;-23;Herbstanfang\n"
                           "03.10.2025;3;Tag der Einheit\n"
                           "05.10.2025;-13;Erntedankfest\n"
                           "26.10.2025;-27;Ende der Sommerzeit\n"
                           "01.11.2025;-25;Allerheiligen\n"
                           "16.11.2025;6;Volkstrauertag\n"
                           "23.11.2025;5;Totensonntag\n"
                           "30.11.2025;-16;1. Advent\n"
                           "07.12.2025;-17;2. Advent\n"
                           "08.12.2025;-14;Mariä Empfängnis\n"
                           "14.12.2025;-18;3. Advent\n"
                           "21.12.2025;-19;4. Advent\n"
                           "22.12.2025;-24;Winteranfang\n"
                           "24.12.2025;-20;Heiligabend\n"
                           "25.12.2025;7;1. Weihnachtstag\n"
                           "26.12.2025;8;2. Weihnachtstag\n"
                           "31.12.2025;-15;Silvester\n";

TEST(CmdFeiertage, ListsAYearInDateOrder)
{
    const auto byName
        = runCli({ QStringLiteral("feiertage"), QStringLiteral("2025"), QStringLiteral("Berlin") });
    EXPECT_EQ(byName.code, 0);
    EXPECT_EQ(byName.out, QString::fromUtf8(kBerlin2025));
    EXPECT_TRUE(byName.err.isEmpty());
    const auto byIndex
        = runCli({ QStringLiteral("feiertage"), QStringLiteral("2025"), QStringLiteral("2") });
    EXPECT_EQ(byIndex.code, 0);
    EXPECT_EQ(byIndex.out, byName.out);

    const auto sachsen = runCli(
        { QStringLiteral("feiertage"), QStringLiteral("2005"), QStringLiteral("sachsen") });
    EXPECT_EQ(sachsen.code, 0);
    EXPECT_TRUE(sachsen.out.contains(QStringLiteral("\n16.11.2005;19;Buß- und Bettag\n")));
    EXPECT_TRUE(sachsen.out.contains(QStringLiteral("\n18.12.2005;-19;4. Advent\n")));
}

TEST(CmdFeiertage, WrongArgumentsAreUsageErrors)
{
    const QList<QStringList> cases = {
        { QStringLiteral("2024") },
        { QStringLiteral("2024"), QStringLiteral("16") },
        { QStringLiteral("2024"), QStringLiteral("-1") },
        { QStringLiteral("2024"), QStringLiteral("Atlantis") },
        { QStringLiteral("zwanzig"), QStringLiteral("3") },
        { QStringLiteral("0"), QStringLiteral("3") },
        { QStringLiteral("2024"), QStringLiteral("3"), QStringLiteral("--was") },
    };
    for (const QStringList &args : cases) {
        const auto r = runCli(QStringList { QStringLiteral("feiertage") } + args);
        EXPECT_EQ(r.code, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QStringLiteral("Aufruf: kronoblatt-cli feiertage")));
    }
}

} // namespace
