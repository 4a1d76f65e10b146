#include "CliTestUtil.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

using kb::test::runCli;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// A calendar of 2025 for Bayern with a text on 12 March, protected with "Geheim".
QString geschuetzterKalender(const kb::test::TempDir &dir)
{
    const auto r = runCli({ s("anlegen"), s("--verzeichnis"), dir.path(), s("--datei"), s("Haus"),
        s("--jahr"), s("2025"), s("--land"), s("Bayern"), s("--name"), s("Müller"), s("--vorname"),
        s("Jörg") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    {
        kb::Table t;
        t.setFilePath(dir.file(s("Haus.DB")));
        t.open();
        EXPECT_TRUE(t.locate(s("Nummer"), QDate(2025, 3, 12).dayOfYear()));
        t.setString(s("Text"), s("Zahnarzt, 9 Uhr"));
        t.post();
        t.close();
    }
    const QString qvk = dir.file(s("Haus.QVK"));
    EXPECT_EQ(runCli({ s("passwort"), qvk, s("--neu"), s("Geheim") }).code, 0);
    return qvk;
}

QString tage(const QString &qvk)
{
    const auto r = runCli({ s("tage"), qvk, s("--passwort"), s("Geheim") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return r.out;
}

TEST(CmdIcs, ExportsTheDaysWithTheCalendarsPassword)
{
    kb::test::TempDir dir;
    const QString qvk = geschuetzterKalender(dir);
    const QString ics = dir.file(s("haus.ics"));

    const auto ohne = runCli({ s("ics-export"), qvk, s("-o"), ics });
    EXPECT_EQ(ohne.code, 1);
    EXPECT_TRUE(ohne.err.startsWith(s("Kein Passwort"))) << ohne.err.toStdString();
    EXPECT_FALSE(QFile::exists(ics));

    const auto alle = runCli({ s("ics-export"), qvk, s("-o"), ics, s("--passwort"), s("Geheim") });
    ASSERT_EQ(alle.code, 0) << alle.err.toStdString();
    const QByteArray datei = kb::test::readAll(ics);
    const int termine = int(datei.count("BEGIN:VEVENT"));
    EXPECT_EQ(alle.out, s("%1 Termine nach %2 geschrieben.\n").arg(termine).arg(ics));
    EXPECT_TRUE(datei.contains("SUMMARY:Zahnarzt\\, 9 Uhr\r\n"));
    EXPECT_TRUE(datei.contains("SUMMARY:Neujahr\r\n"));

    const auto ohneFeiertage = runCli({ s("ics-export"), qvk, s("--ohne-feiertage"), s("-o"), ics,
        s("--passwort"), s("Geheim") });
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
    const QString ics = dir.file(s("termine.ics"));
    kb::test::writeAll(ics,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//DE\r\n"
        "BEGIN:VEVENT\r\nUID:1\r\nDTSTART;VALUE=DATE:19800312\r\nRRULE:FREQ=YEARLY\r\n"
        "SUMMARY:Geburtstag Anna\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20240101\r\nSUMMARY:Alt\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n");

    const auto r = runCli({ s("ics-import"), qvk, ics, s("--passwort"), s("Geheim") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
        s("iCalendar-Datei eingelesen. Übernommen: 1, schon vorhanden: 0, ausgelassen (anderes "
          "Jahr): 1, nicht übernommen (kein Platz): 0.\n"));
    const QString nachher = tage(qvk);
    EXPECT_TRUE(nachher.contains(s(";12.03.2025;12.03.2025;\"Zahnarzt, 9 Uhr; Geburtstag Anna\";")))
        << nachher.toStdString();

    const QString kaputt = dir.file(s("kaputt.ics"));
    kb::test::writeAll(kaputt, "BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n");
    const auto k = runCli({ s("ics-import"), qvk, kaputt, s("--passwort"), s("Geheim") });
    EXPECT_EQ(k.code, 1);
    EXPECT_EQ(k.err,
        s("Die Datei „kaputt.ics“ ist keine lesbare iCalendar-Datei: Sie enthält keinen Kalender "
          "(VCALENDAR). Der Kalender bleibt unverändert.\n"));
    EXPECT_EQ(tage(qvk), nachher);

    const auto fehlt
        = runCli({ s("ics-import"), qvk, dir.file(s("fehlt.ics")), s("--passwort"), s("Geheim") });
    EXPECT_EQ(fehlt.code, 1);
    EXPECT_EQ(fehlt.err, s("Datei %1 nicht vorhanden!\n").arg(dir.file(s("fehlt.ics"))));
}

} // namespace
