#include "caldata/FeiertageUNIT.h"
#include "caldata/Schemas.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>
#include <set>

using namespace kb;
namespace F = kb::FeiertageUNIT;

namespace {

enum Land {
    BW = 0,
    BY = 1,
    BE = 2,
    BB = 3,
    HB = 4,
    HH = 5,
    HE = 6,
    MV = 7,
    NI = 8,
    NW = 9,
    RP = 10,
    SL = 11,
    SN = 12,
    ST = 13,
    SH = 14,
    TH = 15
};

QDate d(const char *text)
{
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("dd.MM.yyyy"));
}

struct Case {
    const char *what;
    const char *date;
    int state;
    int code;
    const char *name;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.what << " " << c.date;
}

class HolidayOfDay : public ::testing::TestWithParam<Case> { };

TEST_P(HolidayOfDay, CodeAndName)
{
    const Case &c = GetParam();
    int code = 0;
    QString name;
    EXPECT_EQ(F::feiertag(d(c.date), c.state, code, name), c.code);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(name, QString::fromUtf8(c.name));
}

// Dates from the church calendar (Easter, Advent), the writing order of the table and the
// holiday laws of the states.
const Case kCases[] = {
    { "Easter 1981, first exception (26 -> 19 April)", "19.04.1981", BY, 10, "Ostersonntag" },
    { "Easter 2049, second exception (25 -> 18 April)", "18.04.2049", BY, 10, "Ostersonntag" },
    { "Easter 2004", "11.04.2004", BY, 10, "Ostersonntag" },
    { "Karfreitag 2004", "09.04.2004", NI, 9, "Karfreitag" },
    { "Ostermontag 2004", "12.04.2004", NI, 11, "Ostermontag" },
    { "2005 fourth Advent when 25 Dec is a Sunday", "18.12.2005", BY, -19, "4. Advent" },
    { "2005 third Advent", "11.12.2005", BY, -18, "3. Advent" },
    { "2005 first Advent", "27.11.2005", BY, -16, "1. Advent" },
    { "2005 Totensonntag", "20.11.2005", BY, 5, "Totensonntag" },
    { "2005 Buß- und Bettag in Sachsen", "16.11.2005", SN, 19, "Buß- und Bettag" },
    { "2005 Buß- und Bettag is no holiday in Bayern", "16.11.2005", BY, 0, "" },
    { "2005 Volkstrauertag", "13.11.2005", BY, 6, "Volkstrauertag" },
    { "2008 Muttertag moves off Pentecost", "04.05.2008", HE, -10, "Muttertag" },
    { "2008 Pentecost Sunday", "11.05.2008", HE, 13, "Pfingstsonntag" },
    { "2008 Ascension on 1 May replaces Maifeiertag", "01.05.2008", HE, 12, "Christi Himmelfahrt" },
    { "2024 Muttertag on the second Sunday of May", "12.05.2024", HE, -10, "Muttertag" },
    { "2024 Weiberfastnacht", "08.02.2024", NW, -3, "Weiberfastnacht" },
    { "2024 Rosenmontag (Easter minus 48)", "12.02.2024", NW, -4, "Rosenmontag" },
    { "2024 Fastnacht", "13.02.2024", NW, -5, "Fastnacht" },
    { "2024 Aschermittwoch replaces Valentinstag", "14.02.2024", NW, -6, "Aschermittwoch" },
    { "2023 Erntedankfest on 1 October itself", "01.10.2023", NW, -13, "Erntedankfest" },
    { "2024 Erntedankfest on the first Sunday after", "06.10.2024", NW, -13, "Erntedankfest" },
    { "Winteranfang wins over the fourth Advent", "22.12.2024", NW, -24, "Winteranfang" },
    { "Heiligabend wins over the fourth Advent", "24.12.2023", NW, -20, "Heiligabend" },
    { "Frühlingsanfang wins over Palmsonntag", "21.03.2027", NW, -21, "Frühlingsanfang" },
    { "Sommmeranfang keeps its three m", "21.06.2024", NW, -22, "Sommmeranfang" },
    { "Mariä Lichtmeß", "02.02.2024", NW, -1, "Mariä Lichtmeß" },
    { "Silvester", "31.12.2024", NW, -15, "Silvester" },
    { "Heilige 3 Könige in Sachsen-Anhalt", "06.01.2024", ST, 16, "Heilige 3 Könige" },
    { "no Heilige 3 Könige in Sachsen", "06.01.2024", SN, 0, "" },
    { "Mariä Himmelfahrt in the Saarland", "15.08.2024", SL, 17, "Mariä Himmelfahrt" },
    { "Mariä Himmelfahrt is no holiday in Berlin", "15.08.2024", BE, 0, "" },
    { "Reformationstag in Sachsen", "31.10.2024", SN, 18, "Reformationstag" },
    { "Buß- und Bettag 2024 in Sachsen", "20.11.2024", SN, 19, "Buß- und Bettag" },
    { "Hessen: no Reformationstag", "31.10.2024", HE, 0, "" },
    { "Hessen: no Buß- und Bettag", "20.11.2024", HE, 0, "" },
    { "Hessen: Fronleichnam is statutory there", "30.05.2024", HE, 15, "Fronleichnam" },
    { "Niedersachsen: no Fronleichnam", "30.05.2024", NI, 0, "" },
    { "Sachsen: Fronleichnam", "30.05.2024", SN, 15, "Fronleichnam" },
    // Holidays by newer law.
    { "Reformationstag 2017 everywhere", "31.10.2017", HE, 18, "Reformationstag" },
    { "Reformationstag 2017 in Bayern", "31.10.2017", BY, 18, "Reformationstag" },
    { "Reformationstag not in Hamburg before 2017", "31.10.2016", HH, 0, "" },
    { "Reformationstag in Bremen from 2018", "31.10.2018", HB, 18, "Reformationstag" },
    { "Reformationstag in Hamburg from 2018", "31.10.2030", HH, 18, "Reformationstag" },
    { "Reformationstag in Niedersachsen from 2018", "31.10.2019", NI, 18, "Reformationstag" },
    { "Reformationstag in Schleswig-Holstein", "31.10.2024", SH, 18, "Reformationstag" },
    { "no Reformationstag in Bayern after 2017", "31.10.2018", BY, 0, "" },
    { "Frauentag in Berlin from 2019", "08.03.2019", BE, 20, "Internationaler Frauentag" },
    { "no Frauentag in Berlin in 2018", "08.03.2018", BE, 0, "" },
    { "Frauentag in Mecklenburg-Vorpommern from 2023", "08.03.2023", MV, 20,
        "Internationaler Frauentag" },
    { "no Frauentag in Mecklenburg-Vorpommern in 2022", "08.03.2022", MV, 0, "" },
    { "no Frauentag in Brandenburg", "08.03.2024", BB, 0, "" },
    { "Weltkindertag in Thüringen from 2019", "20.09.2019", TH, 21, "Weltkindertag" },
    { "no Weltkindertag in Thüringen in 2018", "20.09.2018", TH, 0, "" },
    { "no Weltkindertag in Sachsen", "20.09.2024", SN, 0, "" },
    { "Tag der Befreiung in Berlin 2020", "08.05.2020", BE, 22, "Tag der Befreiung" },
    { "Tag der Befreiung in Berlin 2025", "08.05.2025", BE, 22, "Tag der Befreiung" },
    { "no Tag der Befreiung in Berlin 2021", "08.05.2021", BE, 0, "" },
    { "no Tag der Befreiung in Brandenburg 2020", "08.05.2020", BB, 0, "" },
    { "Buß- und Bettag everywhere up to 1994", "16.11.1994", HE, 19, "Buß- und Bettag" },
    { "Buß- und Bettag 1990 in Bayern", "21.11.1990", BY, 19, "Buß- und Bettag" },
    { "no Buß- und Bettag in Hessen from 1995", "22.11.1995", HE, 0, "" },
    { "Buß- und Bettag 1995 stays in Sachsen", "22.11.1995", SN, 19, "Buß- und Bettag" },
    { "Allerheiligen is a public holiday in Bayern", "01.11.2024", BY, 4, "Allerheiligen" },
    { "Allerheiligen is only named in Hessen", "01.11.2024", HE, -25, "Allerheiligen" },
    { "Volksaufstand anniversary 2028 in Berlin", "17.06.2028", BE, 23,
        "Jahrestag des Volksaufstandes" },
    { "no Volksaufstand anniversary in Brandenburg", "17.06.2028", BB, 0, "" },
    { "no Volksaufstand anniversary in Berlin 2029", "17.06.2029", BE, 0, "" },
    // Summer time as German wall calendars show it.
    { "no summer time before 1980", "30.09.1979", HE, 0, "" },
    { "summer time 1980 began on Easter Sunday", "06.04.1980", HE, 10, "Ostersonntag" },
    { "summer time 1980 ended in September", "28.09.1980", HE, -27, "Ende der Sommerzeit" },
    { "summer time from 1981 begins late in March", "29.03.1981", HE, -26,
        "Beginn der Sommerzeit" },
    { "summer time 1995 began", "26.03.1995", HE, -26, "Beginn der Sommerzeit" },
    { "summer time 1995 ended in September", "24.09.1995", HE, -27, "Ende der Sommerzeit" },
    { "summer time 1995 did not end in October", "29.10.1995", HE, 0, "" },
    { "summer time 1996 ended in October", "27.10.1996", HE, -27, "Ende der Sommerzeit" },
    { "summer time 1996 did not end in September", "29.09.1996", HE, 0, "" },
    { "Ostersonntag wins over summer time 2024", "31.03.2024", BY, 10, "Ostersonntag" },
    { "summer time 2024 ended", "27.10.2024", BY, -27, "Ende der Sommerzeit" },
    { "summer time 2026 wins over Palmsonntag", "29.03.2026", NW, -26, "Beginn der Sommerzeit" },
    { "Reformationstag wins over the end of summer time", "31.10.2027", SN, 18, "Reformationstag" },
    // Outside 1900 to 2099 the general computus applies.
    { "Easter 2100", "28.03.2100", BY, 10, "Ostersonntag" },
    { "Easter 1818", "22.03.1818", BY, 10, "Ostersonntag" },
    { "Easter 2285", "22.03.2285", BY, 10, "Ostersonntag" },
};

INSTANTIATE_TEST_SUITE_P(Feiertage, HolidayOfDay, ::testing::ValuesIn(kCases));

TEST(Feiertage, OrdinaryDayLeavesTheCallersCodeAndNameAlone)
{
    int code = 7;
    QString name = QStringLiteral("unverändert");
    EXPECT_EQ(F::feiertag(d("10.07.2024"), BY, code, name), 0);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(name, QStringLiteral("unverändert"));
    // An invalid date or state has no holiday either.
    EXPECT_EQ(F::feiertag(QDate(), BY, code, name), 0);
    EXPECT_EQ(F::feiertag(d("01.01.2024"), 16, code, name), 0);
    EXPECT_EQ(F::feiertag(d("01.01.2024"), -1, code, name), 0);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(name, QStringLiteral("unverändert"));
}

TEST(Feiertage, DayOfYear)
{
    EXPECT_EQ(F::tagImJahr(d("01.01.2023")), 1);
    EXPECT_EQ(F::tagImJahr(d("29.02.2024")), 60);
    EXPECT_EQ(F::tagImJahr(d("01.03.2023")), 60);
    EXPECT_EQ(F::tagImJahr(d("31.12.2024")), 366);
    EXPECT_EQ(F::tagImJahr(d("31.12.2023")), 365);
    EXPECT_EQ(F::tagImJahr(QDate()), 0);
    EXPECT_EQ(F::tagImJahr(QDate(2023, 2, 30)), 0);
}

TEST(Feiertage, GeneralComputusMatchesGaussForTwoCenturies)
{
    for (int year = 1900; year <= 2099; ++year) {
        const QDate gauss = F::ostersonntagGauss(year);
        ASSERT_EQ(F::ostersonntagGregorianisch(year), gauss) << year;
        ASSERT_EQ(F::ostersonntag(year), gauss) << year;
        ASSERT_EQ(gauss.dayOfWeek(), Qt::Sunday) << year;
    }
    for (int year : { 1583, 1700, 1899, 2100, 2400, 4099 })
        EXPECT_EQ(F::ostersonntag(year), F::ostersonntagGregorianisch(year)) << year;
}

TEST(Feiertage, OneNovemberAndTheNationalDaysInEveryState)
{
    // Allerheiligen is a day off in five states and a named special day in the others.
    const std::set<int> allerheiligen = { BW, BY, NW, RP, SL };
    for (int state = 0; state < 16; ++state) {
        for (int year : { 1995, 2005, 2024 }) {
            EXPECT_EQ(F::kennung(QDate(year, 11, 1), state), allerheiligen.count(state) ? 4 : -25)
                << state;
            EXPECT_EQ(F::kennung(QDate(year, 1, 1), state), 1) << state;
            EXPECT_EQ(F::kennung(QDate(year, 10, 3), state), 3) << state;
            EXPECT_EQ(F::kennung(QDate(year, 12, 26), state), 8) << state;
        }
    }
}

TEST(Feiertage, EveryCodeHasItsNameThatFitsTheDayText)
{
    int textSize = 0;
    for (const FieldDef &f : Schemas::jahrTabelle().fields) {
        if (f.name == QStringLiteral("Text"))
            textSize = f.size;
    }
    ASSERT_GT(textSize, 0);
    for (int code = F::kleinsterCode; code <= F::groessterCode; ++code) {
        if (code == 0) {
            EXPECT_TRUE(F::name(0).isEmpty());
            continue;
        }
        EXPECT_FALSE(F::name(code).isEmpty()) << code;
        EXPECT_LE(F::name(code).size(), textSize) << code;
    }
    EXPECT_TRUE(F::name(F::groessterCode + 1).isEmpty());
    EXPECT_TRUE(F::name(F::kleinsterCode - 1).isEmpty());
}

TEST(Feiertage, LeapDayAndYearEndStayInTheirSlots)
{
    // 2024: 29 February is day 60, so everything after it moves by one slot.
    const F::Tabelle t = F::tabelle(2024, BY);
    EXPECT_EQ(t[F::tagImJahr(d("25.03.2024"))], -7); // Mariä Verkündigung
    EXPECT_EQ(t[366], -15); // Silvester
    const F::Tabelle t23 = F::tabelle(2023, BY);
    EXPECT_EQ(t23[365], -15);
    EXPECT_EQ(t23[366], 0);
}

TEST(Feiertage, CachedTableEqualsAFreshOne)
{
    for (int year : { 1981, 2005, 2024 })
        for (int state = 0; state < 16; ++state) {
            EXPECT_EQ(F::tabelle(year, state), F::aufbauen(year, state));
            EXPECT_EQ(F::tabelle(year, state), F::aufbauen(year, state));
        }
}

TEST(Feiertage, StateNames)
{
    ASSERT_EQ(bundeslaender().size(), 16);
    EXPECT_EQ(bundeslandIndex(QStringLiteral("Baden-Württemberg")), 0);
    EXPECT_EQ(bundeslandIndex(QStringLiteral("Hessen")), 6);
    EXPECT_EQ(bundeslandIndex(QStringLiteral("Thüringen")), 15);
    EXPECT_EQ(bundeslandIndex(QStringLiteral("hessen")), -1);
    EXPECT_EQ(bundeslandIndex(QStringLiteral("Bayern ")), -1);
}

} // namespace
