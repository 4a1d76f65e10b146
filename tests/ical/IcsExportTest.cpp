#include "ical/IcsExport.h"
#include "IcalTestUtil.h"
#include "ical/IcsImport.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace kb;

namespace {

const QDateTime kStempel(QDate(2025, 1, 2), QTime(8, 30), Qt::UTC);

IcsExportOptionen optionen(bool ohneFeiertage = false)
{
    IcsExportOptionen o;
    o.ohneFeiertage = ohneFeiertage;
    o.zeitstempel = kStempel;
    return o;
}

// The unfolded lines of an iCalendar text.
QStringList zeilen(const QByteArray &ics)
{
    QByteArray entfaltet = ics;
    entfaltet.replace("\r\n ", "");
    return QString::fromUtf8(entfaltet).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QStringList mitPraefix(const QStringList &lines, const QString &praefix)
{
    QStringList r;
    for (const QString &l : lines)
        if (l.startsWith(praefix))
            r.append(l);
    return r;
}

TEST(IcsExport, WritesOneAllDayEventPerDayWithText)
{
    const QList<IcsTag> tage = {
        { QDate(2025, 1, 1), QStringLiteral("Neujahr"), QString(), 1, false },
        { QDate(2025, 1, 2), QString(), QStringLiteral("nur Notizen"), 0, true },
        { QDate(2025, 2, 14), QStringLiteral("Valentinstag"), QString(), -3, false },
        { QDate(2025, 3, 12), QStringLiteral("Zahnarzt"), QStringLiteral("Praxis"), 0, true },
    };
    const QStringList l = zeilen(icsAusTagen(tage, QStringLiteral("abc"), optionen()));
    EXPECT_EQ(l.first(), QStringLiteral("BEGIN:VCALENDAR"));
    EXPECT_TRUE(l.contains(QStringLiteral("VERSION:2.0")));
    EXPECT_EQ(mitPraefix(l, QStringLiteral("PRODID:")).size(), 1);
    EXPECT_EQ(mitPraefix(l, QStringLiteral("BEGIN:VEVENT")).size(), 3);
    EXPECT_EQ(mitPraefix(l, QStringLiteral("DTSTAMP:")),
        QStringList(3, QStringLiteral("DTSTAMP:20250102T083000Z")));
    EXPECT_EQ(mitPraefix(l, QStringLiteral("DTSTART")),
        (QStringList { QStringLiteral("DTSTART;VALUE=DATE:20250101"),
            QStringLiteral("DTSTART;VALUE=DATE:20250214"),
            QStringLiteral("DTSTART;VALUE=DATE:20250312") }));
    EXPECT_EQ(mitPraefix(l, QStringLiteral("DTEND")),
        (QStringList { QStringLiteral("DTEND;VALUE=DATE:20250102"),
            QStringLiteral("DTEND;VALUE=DATE:20250215"),
            QStringLiteral("DTEND;VALUE=DATE:20250313") }));
    EXPECT_EQ(mitPraefix(l, QStringLiteral("CATEGORIES")),
        (QStringList {
            QStringLiteral("CATEGORIES:Feiertag"), QStringLiteral("CATEGORIES:Besonderer Tag") }));
    EXPECT_EQ(mitPraefix(l, QStringLiteral("DESCRIPTION")),
        (QStringList { QStringLiteral("DESCRIPTION:Praxis"),
            QStringLiteral("DESCRIPTION:Zahnarzt") })); // the day's notes, then the alarm's text
    EXPECT_EQ(mitPraefix(l, QStringLiteral("BEGIN:VALARM")).size(), 1);
    EXPECT_TRUE(l.contains(QStringLiteral("ACTION:DISPLAY")));
    EXPECT_TRUE(l.contains(QStringLiteral("TRIGGER;RELATED=START:PT9H")));
}

TEST(IcsExport, LeavesOutHolidaysAndSpecialDaysWhenAsked)
{
    const QList<IcsTag> tage = {
        { QDate(2025, 1, 1), QStringLiteral("Neujahr"), QString(), 1, false },
        { QDate(2025, 2, 14), QStringLiteral("Valentinstag"), QString(), -3, false },
        { QDate(2025, 3, 12), QStringLiteral("Zahnarzt"), QString(), 0, false },
    };
    const QStringList l = zeilen(icsAusTagen(tage, QStringLiteral("abc"), optionen(true)));
    EXPECT_EQ(mitPraefix(l, QStringLiteral("SUMMARY")),
        QStringList { QStringLiteral("SUMMARY:Zahnarzt") });
}

TEST(IcsExport, EscapesCommasSemicolonsAndLineBreaks)
{
    const QList<IcsTag> tage = { { QDate(2025, 3, 12), QStringLiteral("Arzt, 9 Uhr; Praxis\\2"),
        QStringLiteral("Zimmer 2,\r\nzweiter Stock; links"), 0, false } };
    const QStringList l = zeilen(icsAusTagen(tage, QStringLiteral("abc"), optionen()));
    EXPECT_TRUE(l.contains(QStringLiteral("SUMMARY:Arzt\\, 9 Uhr\\; Praxis\\\\2")));
    EXPECT_TRUE(l.contains(QStringLiteral("DESCRIPTION:Zimmer 2\\,\\nzweiter Stock\\; links")));
}

TEST(IcsExport, FoldsLongLinesWithinSeventyFiveOctetsAndReadsBackWhole)
{
    const QString lang = QStringLiteral("Größere Feier übermorgen – äöüß€ ").repeated(7).left(254)
        + QLatin1Char('!');
    const QList<IcsTag> tage = { { QDate(2025, 3, 12), lang, lang, 0, false } };
    const QByteArray ics = icsAusTagen(tage, QStringLiteral("abc"), optionen());
    ASSERT_TRUE(ics.endsWith("\r\n"));
    bool gefaltet = false;
    for (const QByteArray &zeile : ics.split('\n')) {
        EXPECT_LE(zeile.size(), 75 + 1) << zeile.constData(); // octets plus the CR
        EXPECT_TRUE(zeile.isEmpty() || zeile.endsWith('\r'));
        gefaltet = gefaltet || zeile.startsWith(' ');
        // A fold never splits a character: every physical line is valid UTF-8 on its own.
        EXPECT_EQ(QString::fromUtf8(zeile).toUtf8(), zeile);
    }
    EXPECT_TRUE(gefaltet);
    const IcsTermine termine
        = icsTermineImJahr(ics, 2025, QTimeZone("Europe/Berlin"), QStringLiteral("x.ics"));
    ASSERT_EQ(termine.eintraege.size(), 1);
    EXPECT_EQ(termine.eintraege.at(0).text, lang);
}

TEST(IcsExport, TwoExportsOfOneCalendarGiveTheSameUids)
{
    kb::test::TempDir dir;
    const KalenderDatei k = kb::test::kalender(dir);
    kb::test::tagSetzen(k, QDate(2025, 3, 12), QStringLiteral("Zahnarzt"));
    const QString a = dir.file(QStringLiteral("a.ics"));
    const QString b = dir.file(QStringLiteral("b.ics"));
    IcsExportOptionen spaeter = optionen();
    spaeter.zeitstempel = kStempel.addDays(30);
    const int anzahl = icsExportieren(k, a, optionen());
    EXPECT_EQ(icsExportieren(k, b, spaeter), anzahl);
    const QStringList uidsA = mitPraefix(zeilen(kb::test::readAll(a)), QStringLiteral("UID:"));
    const QStringList uidsB = mitPraefix(zeilen(kb::test::readAll(b)), QStringLiteral("UID:"));
    EXPECT_EQ(uidsA.size(), anzahl);
    EXPECT_EQ(uidsA, uidsB);
    EXPECT_EQ(QSet<QString>(uidsA.cbegin(), uidsA.cend()).size(), anzahl); // one per day

    // Another calendar gives other UIDs for the same day.
    const KalenderDatei anderer = kb::test::kalender(dir, 2025, QStringLiteral("Anderer"));
    EXPECT_NE(icsKalenderKennung(anderer), icsKalenderKennung(k));
    EXPECT_TRUE(uidsA.contains(
        QStringLiteral("UID:kronoblatt-%1-20250312@kronoblatt").arg(icsKalenderKennung(k))));
}

} // namespace
