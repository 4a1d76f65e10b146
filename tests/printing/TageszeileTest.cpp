#include "printing/Tageszeile.h"
#include "KalenderTestUtil.h"

#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace kb;
using namespace kb::Tageszeile;

namespace {

using kb::test::farben;

struct ShadingCase {
    const char *name;
    int kennung;
    const char *tag;
    bool ferien;
    qint32 expected;
};

TEST(Tageszeile, ShadingPrecedenceHolidaySaturdaySundaySchoolHolidayWhite)
{
    const LayoutSettings s = farben();
    const ShadingCase cases[] = {
        { "ordinary weekday", 0, "Mi", false, kWeiss },
        { "special day counts as ordinary", -5, "Mo", false, kWeiss },
        { "school holiday weekday", 0, "Di", true, s.hintergrundFarbeFerien },
        { "special day in school holidays", -3, "Fr", true, s.hintergrundFarbeFerien },
        { "Allerheiligen where it is no day off", -25, "Mi", false, kWeiss },
        { "end of summer time in school holidays", -27, "So", true, s.hintergrundWochenende },
        { "Volksaufstand anniversary on a Saturday", 23, "Sa", false, s.hintergrundFeiertag },
        { "holiday on a weekday", 3, "Mo", false, s.hintergrundFeiertag },
        { "holiday in school holidays", 1, "Do", true, s.hintergrundFeiertag },
        { "holiday on a Saturday", 5, "Sa", false, s.hintergrundFeiertag },
        { "holiday on a Sunday in school holidays", 7, "So", true, s.hintergrundFeiertag },
        { "Saturday", 0, "Sa", false, s.hintergrundSamstag },
        { "Saturday in school holidays", 0, "Sa", true, s.hintergrundSamstag },
        { "Sunday", 0, "So", false, s.hintergrundWochenende },
        { "Sunday in school holidays", -2, "So", true, s.hintergrundWochenende },
    };
    for (const auto &c : cases)
        EXPECT_EQ(hintergrund(c.kennung, QString::fromLatin1(c.tag), c.ferien, s), c.expected)
            << c.name;
}

TEST(Tageszeile, SchoolHolidayTestUsesTheDaysYearAndReportsBadBounds)
{
    LayoutSettings s = farben();
    s.periode(Ferien::Weihnachten2) = { QStringLiteral("20.12."), QStringLiteral("31.12.") };
    s.periode(Ferien::Zusatz) = { QStringLiteral("00.00."), QStringLiteral("10.03.") };
    Tag tag { QDate(2005, 12, 20), QStringLiteral("Di"), {}, 52, 0, false };
    EXPECT_EQ(hintergrund(tag, s), s.hintergrundFarbeFerien);
    tag.datum = QDate(2006, 12, 20); // the same period in another year
    tag.tag = QStringLiteral("Mi");
    EXPECT_EQ(hintergrund(tag, s), s.hintergrundFarbeFerien);
    tag.datum = QDate(2006, 3, 1); // half-set period: absent
    EXPECT_EQ(hintergrund(tag, s), kWeiss);

    s.periode(Ferien::Winter) = { QStringLiteral("29.02."), QStringLiteral("05.03.") };
    tag.datum = QDate(2024, 3, 1); // a leap year has the day
    tag.tag = QStringLiteral("Fr");
    EXPECT_EQ(hintergrund(tag, s), s.hintergrundFarbeFerien);
    tag.datum = QDate(2025, 3, 1);
    EXPECT_EQ(kb::test::errorOf([&] { hintergrund(tag, s); }),
        QStringLiteral("'29.02.2025' ist kein gültiges Datum"));
}

TEST(Tageszeile, TextColourOnlyForExactUrlaubAndKrank)
{
    const LayoutSettings s = farben();
    EXPECT_EQ(textFarbe(QStringLiteral("Urlaub"), s), s.schriftFarbeUrlaub);
    EXPECT_EQ(textFarbe(QStringLiteral("Krank"), s), s.schriftFarbeKrank);
    for (const char *other : { "urlaub", "Urlaub ", "Krankheit", "", "Neujahr" }) {
        EXPECT_FALSE(textFarbe(QString::fromLatin1(other), s)) << other;
        EXPECT_FALSE(textFarbeZuruecksetzen(QString::fromLatin1(other))) << other;
    }
    EXPECT_TRUE(textFarbeZuruecksetzen(QStringLiteral("Urlaub")));
    EXPECT_TRUE(textFarbeZuruecksetzen(QStringLiteral("Krank")));
}

struct WeekStep {
    const char *tag;
    int woche;
    const char *label;
};

TEST(Tageszeile, WeekLabelShowsWeekOneOnceAndMondaysFromWeekTwo)
{
    // A year whose 1 January (a Thursday) lies in week 1 and whose last days belong to week 1
    // of the next year.
    const WeekStep year[] = {
        { "Do", 1, "Woche1" },
        { "Fr", 1, "" },
        { "So", 1, "" },
        { "Mo", 2, "Woche 2" },
        { "Di", 2, "" },
        { "Mo", 3, "Woche 3" },
        { "Mo", 52, "Woche 52" },
        { "Mo", 1, "" },
        { "Di", 1, "" },
    };
    WochenLabel label;
    for (const auto &s : year)
        EXPECT_EQ(label.text(QString::fromLatin1(s.tag), s.woche), QString::fromLatin1(s.label))
            << s.tag << s.woche;

    // 1 January in week 53 of the year before: the first Monday carries the week-1 label.
    label.reset();
    const WeekStep late[] = {
        { "Fr", 53, "" },
        { "Sa", 53, "" },
        { "So", 53, "" },
        { "Mo", 1, "Woche1" },
        { "Di", 1, "" },
        { "Mo", 2, "Woche 2" },
    };
    for (const auto &s : late)
        EXPECT_EQ(label.text(QString::fromLatin1(s.tag), s.woche), QString::fromLatin1(s.label))
            << s.tag << s.woche;
}

TEST(Tageszeile, DayNumberAndSymbolSize)
{
    EXPECT_EQ(tagesNummer(QDate(2026, 3, 7)), QStringLiteral("7"));
    EXPECT_EQ(tagesNummer(QDate(2026, 3, 31)), QStringLiteral("31"));
    EXPECT_EQ(tagesNummer(QDate()), QString());
    EXPECT_EQ(symbolGroesse(true, true), QSizeF(17, 17));
    EXPECT_EQ(symbolGroesse(true, false), QSizeF(0, 0));
    EXPECT_EQ(symbolGroesse(false, true), QSizeF(0, 0));
}

} // namespace
