#include "caldata/KalenderAnlage.h"
#include "days/Kachelraster.h"
#include "days/TageGridSpalten.h"
#include "days/Tagesbearbeitung.h"
#include "days/Tagesfarben.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace kb;

namespace {

// Colours that tell the four backgrounds apart.
constexpr qint32 kWeiss = 0xFFFFFF, kSamstag = 1, kSonntag = 2, kFeiertag = 3, kFerien = 4;

LayoutSettings farben()
{
    LayoutSettings s;
    s.hintergrundSamstag = kSamstag;
    s.hintergrundWochenende = kSonntag;
    s.hintergrundFeiertag = kFeiertag;
    s.hintergrundFarbeFerien = kFerien;
    return s;
}

FerienPerioden perioden(std::initializer_list<std::tuple<Ferien, const char *, const char *>> p)
{
    FerienPerioden result;
    for (const auto &[f, beginn, ende] : p)
        result[int(f)] = { QString::fromLatin1(beginn), QString::fromLatin1(ende) };
    return result;
}

struct FarbFall {
    const char *was;
    const char *tag;
    QDate datum;
    int kennung;
    bool offen; // the year table is open
    qint32 hintergrund;
};

TEST(Tagesfarben, RowColoursFollowWeekdaySchoolHolidayAndHolidayInThisOrder)
{
    // Easter holidays 25.03. to 05.04. 2024; 29.03. is Good Friday, 30.03. a Saturday.
    const FerienBereiche ferien
        = ferienBereiche(perioden({ { Ferien::Ostern, "25.03.", "05.04." } }), 2024);
    const FarbFall faelle[] = {
        { "ordinary weekday", "Di", QDate(2024, 3, 19), 0, true, kWeiss },
        { "Saturday", "Sa", QDate(2024, 3, 23), 0, true, kSamstag },
        { "Sunday", "So", QDate(2024, 3, 24), 0, true, kSonntag },
        { "holiday on a Saturday", "Sa", QDate(2024, 3, 30), 2, true, kFeiertag },
        { "school-holiday Saturday keeps the Saturday colour", "Sa", QDate(2024, 3, 30), 0, true,
            kSamstag },
        { "school-holiday Sunday keeps the Sunday colour", "So", QDate(2024, 3, 31), -3, true,
            kSonntag },
        { "school-holiday weekday", "Mo", QDate(2024, 3, 25), 0, true, kFerien },
        { "school-holiday weekday that is a holiday", "Fr", QDate(2024, 3, 29), 3, true,
            kFeiertag },
        { "special day in the school holidays", "Do", QDate(2024, 3, 28), -2, true, kFerien },
        { "special day outside gets no colour", "Mi", QDate(2024, 3, 20), -5, true, kWeiss },
        { "first day of the period", "Mo", QDate(2024, 3, 25), 0, true, kFerien },
        { "last day of the period", "Fr", QDate(2024, 4, 5), 0, true, kFerien },
        { "day after the period", "Mo", QDate(2024, 4, 8), 0, true, kWeiss },
        { "closed table: no school holidays", "Mo", QDate(2024, 3, 25), 0, false, kWeiss },
        { "closed table: the holiday still shows", "Mo", QDate(2024, 4, 1), 1, false, kFeiertag },
    };
    const LayoutSettings f = farben();
    for (const FarbFall &c : faelle) {
        const TagesZeile zeile { QString::fromLatin1(c.tag), c.datum, c.kennung };
        const Zellfarben z = tageGridDrawColumnCell(zeile, c.offen ? &ferien : nullptr, f);
        EXPECT_EQ(z.hintergrund, c.hintergrund) << c.was;
        EXPECT_EQ(z.schrift, 0) << c.was;
    }
}

// Every day of a real year in one school-holiday setting, against the days that must carry
// the school-holiday colour (weekdays inside a period that are no public holiday).
struct JahresFall {
    const char *was;
    int jahr;
    FerienPerioden perioden;
    QList<QDate> ferientage;
};

TEST(Tagesfarben, SchoolHolidaysOverAWholeYear)
{
    const auto dezember = [](int von, int bis) {
        QList<QDate> tage;
        for (int d = von; d <= bis; ++d)
            tage.append(QDate(2004, 12, d));
        return tage;
    };
    // 2004: 25./26.12. are Saturday and Sunday and holidays; 24.12. is a Friday.
    QList<QDate> weihnachten = dezember(23, 24) + dezember(27, 31);
    const JahresFall faelle[] = {
        { "all ranges unset: only weekends and holidays", 2004, FerienPerioden {}, {} },
        { "23.12. to 31.12. in 2004", 2004,
            perioden({ { Ferien::Weihnachten2, "23.12.", "31.12." } }), weihnachten },
        { "23.12. to 06.01. marks no day", 2004,
            perioden({ { Ferien::Weihnachten2, "23.12.", "06.01." } }), {} },
        { "a range with one unset bound is absent", 2004,
            perioden(
                { { Ferien::Winter, "00.00.", "31.12." }, { Ferien::Sommer, "23.12.", "00.00." } }),
            {} },
        { "31.02. leaves its range out and the others paint", 2004,
            perioden({ { Ferien::Winter, "31.02.", "05.03." },
                { Ferien::Weihnachten2, "23.12.", "31.12." } }),
            weihnachten },
        { "29.02. is a date in 2004", 2004, perioden({ { Ferien::Winter, "27.02.", "29.02." } }),
            { QDate(2004, 2, 27) } },
    };
    const LayoutSettings f = farben();
    for (const JahresFall &c : faelle) {
        const FerienBereiche ferien = ferienBereiche(c.perioden, c.jahr);
        for (const TagDatensatz &t : tageDesJahres(c.jahr, 0)) {
            const Zellfarben z = tageGridDrawColumnCell({ t.tag, t.datum, t.kennung }, &ferien, f);
            qint32 erwartet = t.tag == QLatin1String("Sa") ? kSamstag
                : t.tag == QLatin1String("So")             ? kSonntag
                                                           : kWeiss;
            if (c.ferientage.contains(t.datum))
                erwartet = kFerien;
            if (t.kennung > 0)
                erwartet = kFeiertag;
            EXPECT_EQ(z.hintergrund, erwartet) << c.was << " " << t.datum.toString().toStdString();
        }
    }
}

TEST(Tagesfarben, UnreadableBoundsAreListedAndSkipped)
{
    const FerienPerioden p
        = perioden({ { Ferien::Winter, "31.02.", "05.03." }, { Ferien::Ostern, "29.02.", "05.03." },
            { Ferien::Sommer, "ab.cd.", "01.08." }, { Ferien::Herbst, "28.10.", "01.11." } });
    const FerienBereiche in2023 = ferienBereiche(p, 2023);
    EXPECT_EQ(in2023.unlesbar, (QList<Ferien> { Ferien::Winter, Ferien::Ostern, Ferien::Sommer }));
    ASSERT_EQ(in2023.bereiche.size(), 1);
    EXPECT_EQ(in2023.bereiche[0].periode, Ferien::Herbst);
    EXPECT_EQ(in2023.bereiche[0].beginn, QDate(2023, 10, 28));
    EXPECT_TRUE(in2023.enthaelt(QDate(2023, 11, 1)));
    // In a leap year 29.02. is a day.
    EXPECT_EQ(ferienBereiche(p, 2024).unlesbar, (QList<Ferien> { Ferien::Winter, Ferien::Sommer }));
}

TEST(Tageskacheln, WeekdayNameColours)
{
    const QColor gruen(0x00, 0x80, 0x00), rot(0xFF, 0x00, 0x00);
    const struct {
        const char *tag;
        int kennung;
        QColor wochentag;
    } faelle[] = {
        { "Mo", 0, gruen },
        { "Fr", -4, gruen }, // a special day is no holiday
        { "Sa", 0, rot },
        { "So", 0, rot },
        { "Mi", 1, rot }, // a public holiday
        { "Do", 19, rot },
    };
    for (const auto &c : faelle) {
        const Kachelfarben k = dbCtrlGrid1PaintPanel(QString::fromLatin1(c.tag), c.kennung);
        EXPECT_EQ(k.wochentag, c.wochentag) << c.tag << c.kennung;
        EXPECT_EQ(k.flaeche, QColor(Qt::white)) << c.tag;
    }
    EXPECT_EQ(kachelAusgewaehlt(), QColor(0xD6, 0xD6, 0xD6));
}

TEST(Tageskacheln, TilesFillColumnsOfSevenAndScrollByColumns)
{
    EXPECT_EQ(kachelPlatz(0), (KachelPlatz { 0, 0 }));
    EXPECT_EQ(kachelPlatz(6), (KachelPlatz { 0, 6 }));
    EXPECT_EQ(kachelPlatz(7), (KachelPlatz { 1, 0 }));
    EXPECT_EQ(kachelPlatz(34), (KachelPlatz { 4, 6 }));
    EXPECT_EQ(kachelPlatz(365), (KachelPlatz { 52, 1 }));
    EXPECT_EQ(kachelSpaltenFuer(0), 0);
    EXPECT_EQ(kachelSpaltenFuer(31), 5);
    EXPECT_EQ(kachelSpaltenFuer(35), 5);
    EXPECT_EQ(kachelSpaltenFuer(366), 53);

    const struct {
        const char *was;
        int spalte, erste, spalten, ergebnis;
    } faelle[] = {
        { "visible already", 3, 0, 53, 0 },
        { "right of the page", 7, 0, 53, 3 },
        { "left of the page", 2, 10, 53, 2 },
        { "last column of the year", 52, 0, 53, 48 },
        { "fewer columns than a page", 4, 2, 5, 0 },
    };
    for (const auto &c : faelle)
        EXPECT_EQ(ersteSpalteFuer(c.spalte, c.erste, kKachelSpalten, c.spalten), c.ergebnis)
            << c.was;

    const QSize k = kKachelGroesse;
    EXPECT_EQ(kachelAn(QPoint(5, 5), 0, k, 31), 0);
    EXPECT_EQ(kachelAn(QPoint(k.width() + 5, 2 * k.height() + 5), 0, k, 31), 9);
    EXPECT_EQ(kachelAn(QPoint(5, 5), 2, k, 31), 14);
    EXPECT_EQ(kachelAn(QPoint(4 * k.width() + 5, 3 * k.height() + 5), 0, k, 31), -1) << "day 32";
    EXPECT_EQ(kachelAn(QPoint(5, 7 * k.height() + 1), 0, k, 366), -1) << "below the tiles";
    EXPECT_EQ(kachelRechteck(9, 0, k), QRect(QPoint(k.width(), 2 * k.height()), k));
    EXPECT_EQ(kachelGroesseIn(QSize(670, 350)), kKachelGroesse);
    EXPECT_EQ(kachelGroesseIn(QSize(1000, 420)), QSize(200, 60));
    EXPECT_EQ(kachelGroesseIn(QSize(10, 10)), kKachelGroesse / 2);
}

TEST(TageGridSpalten, ColumnsAndWidths)
{
    QStringList felder, titel;
    for (const TageGridSpalte &s : tageGridSpalten()) {
        felder << s.feld;
        titel << s.titel;
    }
    EXPECT_EQ(felder.join(QLatin1Char('|')), QStringLiteral("Nummer|Tag|Datum|Woche|Text|Alarm"));
    EXPECT_EQ(
        titel.join(QLatin1Char('|')), QStringLiteral("Tag im Jahr|Tag|Datum|Woche|Text|erinnern"));
    EXPECT_FALSE(tageGridSpalten()[5].sichtbar);
    EXPECT_EQ(designBreiten(), (TageGridBreiten { 49, 37, 64, 64, 100 }));

    const struct {
        const char *was;
        std::array<qint32, 5> ini;
        TageGridBreiten breiten;
    } faelle[] = {
        { "first start", { 1, -1, -1, -1, -1 }, { 1, 37, 64, 64, 100 } },
        { "saved widths", { 30, 30, 64, 64, 585 }, { 30, 30, 64, 64, 585 } },
        { "zero and negative widths stay reachable", { 0, -5, 64, 64, 100 },
            { 1, 1, 64, 64, 100 } },
        { "a huge width", { 49, 37, 64, 64, 999999 }, { 49, 37, 64, 64, 4000 } },
    };
    for (const auto &c : faelle)
        EXPECT_EQ(breitenAusIni(c.ini), c.breiten) << c.was;

    EXPECT_EQ(feldgroesseAnpassen(800), (TageGridBreiten { 30, 30, 64, 64, 390 }));
    EXPECT_EQ(feldgroesseAnpassen(809)[4], 390);
    EXPECT_EQ(feldgroesseAnpassen(810)[4], 585);
    EXPECT_EQ(feldgroesseAnpassen(1366)[4], 585);
}

TEST(Tagesbearbeitung, LongDate)
{
    EXPECT_EQ(langesDatum(QDate(2024, 3, 14)), QStringLiteral("Donnerstag, 14. März 2024"));
    EXPECT_EQ(langesDatum(QDate(2004, 1, 1)), QStringLiteral("Donnerstag, 1. Januar 2004"));
    EXPECT_TRUE(langesDatum(QDate()).isEmpty());
}

} // namespace
