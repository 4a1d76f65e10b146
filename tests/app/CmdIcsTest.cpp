#include "CliTestUtil.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using kb::test::runCli;

namespace {

// A calendar of 2025 for Bayern with a text on 12 March, protected with "Geheim".
QString geschuetzterKalender(const kb::test::TempDir &dir)
{
    const auto r = runCli({ u"anlegen"_s, u"--verzeichnis"_s, dir.path(), u"--datei"_s, u"Haus"_s,
        u"--jahr"_s, u"2025"_s, u"--land"_s, u"Bayern"_s, u"--name"_s, u"Müller"_s, u"--vorname"_s,
        u"Jörg"_s });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    {
        kb::Table t;
        t.setFilePath(dir.file(u"Haus.DB"_s));
        t.open();
        EXPECT_TRUE(t.locate(u"Nummer"_s, QDate(2025, 3, 12).dayOfYear()));
        t.setString(u"Text"_s, u"Zahnarzt, 9 Uhr"_s);
        t.post();
        t.close();
    }
    const QString qvk = dir.file(u"Haus.QVK"_s);
    EXPECT_EQ(runCli({ u"passwort"_s, qvk, u"--neu"_s, u"Geheim"_s }).code, 0);
    return qvk;
}

QString tage(const QString &qvk)
{
    const auto r = runCli({ u"tage"_s, qvk, u"--passwort"_s, u"Geheim"_s });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return r.out;
}

TEST(CmdIcs, ExportsTheDaysWithTheCalendarsPassword)
{
    kb::test::TempDir dir;
    const QString qvk = geschuetzterKalender(dir);
    const QString ics = dir.file(u"haus.ics"_s);

    const auto ohne = runCli({ u"ics-export"_s, qvk, u"-o"_s, ics });
    EXPECT_EQ(ohne.code, 1);
    EXPECT_TRUE(ohne.err.startsWith(u"Kein Passwort"_s)) << ohne.err.toStdString();
    EXPECT_FALSE(QFile::exists(ics));

    const auto alle = runCli({ u"ics-export"_s, qvk, u"-o"_s, ics, u"--passwort"_s, u"Geheim"_s });
    ASSERT_EQ(alle.code, 0) << alle.err.toStdString();
    const QByteArray datei = kb::test::readAll(ics);
    const int termine = int(datei.count("BEGIN:VEVENT"));
    EXPECT_EQ(alle.out, u"%1 Termine nach %2 geschrieben.\n"_s.arg(termine).arg(ics));
    EXPECT_TRUE(datei.contains("SUMMARY:Zahnarzt\\, 9 Uhr\r\n"));
    EXPECT_TRUE(datei.contains("SUMMARY:Neujahr\r\n"));

    const auto ohneFeiertage = runCli({ u"ics-export"_s, qvk, u"--ohne-feiertage"_s, u"-o"_s, ics,
        u"--passwort"_s, u"Geheim"_s });
    ASSERT_EQ(ohneFeiertage.code, 0) << ohneFeiertage.err.toStdString();
    const QByteArray ohneDatei = kb::test::readAll(ics);
    EXPECT_TRUE(ohneDatei.contains("SUMMARY:Zahnarzt\\, 9 Uhr\r\n"));
    EXPECT_FALSE(ohneDatei.contains("SUMMARY:Neujahr\r\n"));
    EXPECT_FALSE(ohneDatei.contains("CATEGORIES"));
}

TEST(CmdIcs, ImportsEventsAndRefusesABrokenFile)
{
    kb::test::TempDir dir;
    const QString qvk = geschuetzterKalender(dir);
    const QString ics = dir.file(u"termine.ics"_s);
    kb::test::writeAll(ics,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//DE\r\n"
        "BEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:19800312\r\nRRULE:FREQ=YEARLY\r\n"
        "SUMMARY:Geburtstag Anna\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:Alt\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n");

    const auto r = runCli({ u"ics-import"_s, qvk, ics, u"--passwort"_s, u"Geheim"_s });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
        u"iCalendar-Datei eingelesen. Übernommen: 1, schon vorhanden: 0, ausgelassen (anderes "
        "Jahr): 1, nicht übernommen (kein Platz): 0.\n"_s);
    const QString nachher = tage(qvk);
    EXPECT_TRUE(nachher.contains(u";12.03.2025;12.03.2025;\"Zahnarzt, 9 Uhr; Geburtstag Anna\";"_s))
        << nachher.toStdString();

    const QString kaputt = dir.file(u"kaputt.ics"_s);
    kb::test::writeAll(kaputt, "BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n");
    const auto k = runCli({ u"ics-import"_s, qvk, kaputt, u"--passwort"_s, u"Geheim"_s });
    EXPECT_EQ(k.code, 1);
    EXPECT_EQ(k.err,
        u"Die Datei „kaputt.ics“ ist keine lesbare iCalendar-Datei: Sie enthält keinen Kalender "
        "(VCALENDAR). Der Kalender bleibt unverändert.\n"_s);
    EXPECT_EQ(tage(qvk), nachher);

    const auto fehlt
        = runCli({ u"ics-import"_s, qvk, dir.file(u"fehlt.ics"_s), u"--passwort"_s, u"Geheim"_s });
    EXPECT_EQ(fehlt.code, 1);
    EXPECT_EQ(fehlt.err, u"Datei %1 nicht vorhanden!\n"_s.arg(dir.file(u"fehlt.ics"_s)));
}

} // namespace
