// The year calendars through the row exports: one row per day, the same fields in every row,
// whatever the day texts hold.

#include "KalenderTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "printing/TKalenderForm.h"
#include "report/export/Export.h"
#include "storage/Table.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

// Reads CSV as RFC 4180 describes it: quoted fields may hold separators, doubled quotes and
// line breaks; records end with CR LF.
std::vector<QStringList> parseCsv(const QString &csv)
{
    std::vector<QStringList> records(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < csv.size() && csv[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            records.back().append(field);
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < csv.size()
            && csv[i + 1] == QLatin1Char('\n')) {
            records.back().append(field);
            field.clear();
            records.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "an open quote at the end";
    if (records.back().isEmpty() && field.isEmpty())
        records.pop_back();
    return records;
}

bool istTageszeile(const QStringList &record)
{
    bool zahl = false;
    const int tag = record.value(0).toInt(&zahl);
    return zahl && tag >= 1 && tag <= 31 && wochentagKuerzel().contains(record.value(1));
}

struct TextCase {
    QDate tag;
    const char *text;
    const char *imFeld; // as the CSV gives it back
};

TEST(YearCalendarCsv, OneRowPerDayWithTheSameFieldsWhateverTheDayTexts)
{
    TempDir dir;
    Table tage;
    tage.setFilePath(KalenderDatei::ausQvk(testKalender(dir, 2026)).jahrPfad());
    tage.open();
    const TextCase texte[] = {
        { QDate(2026, 1, 1), "", "" }, // Neujahr without its name
        { QDate(2026, 1, 5), "Arzt, Zahnarzt", "Arzt, Zahnarzt" }, // a Monday: week label too
        { QDate(2026, 2, 2), "\"Max\" hat Geburtstag", "\"Max\" hat Geburtstag" },
        { QDate(2026, 3, 3), "erste Zeile\nzweite Zeile", "erste Zeile zweite Zeile" },
        { QDate(2026, 4, 4), "Windows\r\nZeilenende", "Windows Zeilenende" },
        { QDate(2026, 5, 5), "\"", "\"" },
        { QDate(2026, 6, 6), ",,,", ",,," },
        { QDate(2026, 7, 7), "Mo", "Mo" },
    };
    for (const TextCase &t : texte) {
        ASSERT_TRUE(tage.locate(u"Datum"_s, t.tag));
        tage.setString(u"Text"_s, QString::fromUtf8(t.text));
        tage.post();
    }
    tage.first();
    writeAll(dir.file(u"Kalvalues.ini"_s), "[User]\r\n");
    IniFile ini(dir.file(u"Kalvalues.ini"_s));

    for (const KalenderVariante &v : kalenderVarianten()) {
        SCOPED_TRACE(v.navText.toStdString());
        LayoutSettings settings = farben();
        settings.firma = u"Kalender, \"Punkt\" & Co"_s;
        const QByteArray csv = report::csvExport(kronoblattDokument(v, tage, settings, ini));
        ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
        const std::vector<QStringList> records = parseCsv(QString::fromUtf8(csv.mid(3)));
        ASSERT_FALSE(records.empty());
        const qsizetype breite = records.front().size();
        std::vector<QStringList> tageszeilen;
        for (const QStringList &r : records) {
            ASSERT_EQ(r.size(), breite) << r.join(QLatin1Char('|')).toStdString();
            if (istTageszeile(r))
                tageszeilen.push_back(r);
        }
        // Day number, weekday, day text, week label: one row per day, in date order.
        ASSERT_EQ(tageszeilen.size(), 365u);
        for (int i = 0; i < 365; ++i) {
            const QDate tag = QDate(2026, 1, 1).addDays(i);
            const QStringList &r = tageszeilen[std::size_t(i)];
            ASSERT_EQ(r[0], QString::number(tag.day())) << tag.toString().toStdString();
            ASSERT_EQ(r[1], wochentagKuerzel().at(tag.dayOfWeek() - 1));
            for (qsizetype f = 4; f < breite; ++f)
                ASSERT_EQ(r[f], QString()) << "padding of " << tag.toString().toStdString();
        }
        for (const TextCase &t : texte)
            EXPECT_EQ(
                tageszeilen[std::size_t(t.tag.dayOfYear() - 1)][2], QString::fromUtf8(t.imFeld))
                << t.text;
        // The week labels sit in their day's row.
        EXPECT_EQ(tageszeilen[0][3], u"Woche1"_s);
        EXPECT_EQ(tageszeilen[1][3], QString());
        EXPECT_EQ(tageszeilen[4][3], u"Woche 2"_s);
        EXPECT_EQ(tageszeilen[4][2], u"Arzt, Zahnarzt"_s);
        EXPECT_EQ(tageszeilen[QDate(2026, 12, 28).dayOfYear() - 1][3], u"Woche 53"_s);
        // The header's address line keeps its comma and quotes.
        EXPECT_TRUE(records.front().contains(u"Kalender, \"Punkt\" & Co"_s))
            << records.front().join(QLatin1Char('|')).toStdString();
    }
}

} // namespace
