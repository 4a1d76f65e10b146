#include "ical/IcsImport.h"
#include "IcalTestUtil.h"
#include "ical/IcsExport.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace kb;

namespace {

const QTimeZone kBerlin("Europe/Berlin");

struct Zaehlung {
    int uebernommen, vorhanden, anderesJahr, keinPlatz;
};

struct ImportFall {
    const char *name;
    QMap<QDate, QString> vorher; // day texts set before the import
    QByteArray events;
    QMap<QDate, QString> nachher; // the days whose text the import changes, and to what
    Zaehlung zaehlung;
};

const QString kVoll(255, QLatin1Char('x'));

// The calendar is 2025 for Bayern; the days used carry no holiday text there.
const ImportFall kFaelle[] = {
    { "JaehrlichSeit1980", {},
        "BEGIN:VEVENT\nUID:a\nDTSTART;VALUE=DATE:19800314\nRRULE:FREQ=YEARLY\n"
        "SUMMARY:Geburtstag Anna\nEND:VEVENT\n",
        { { QDate(2025, 3, 14), QStringLiteral("Geburtstag Anna") } }, { 1, 0, 0, 0 } },
    { "WoechentlichMitAusnahme", {},
        "BEGIN:VEVENT\nUID:b\nDTSTART;TZID=Europe/Berlin:20250603T180000\n"
        "DTEND;TZID=Europe/Berlin:20250603T193000\nRRULE:FREQ=WEEKLY;COUNT=3\n"
        "EXDATE;TZID=Europe/Berlin:20250610T180000\nSUMMARY:Chor\nEND:VEVENT\n",
        { { QDate(2025, 6, 3), QStringLiteral("18:00 Chor") },
            { QDate(2025, 6, 17), QStringLiteral("18:00 Chor") } },
        { 2, 0, 0, 0 } },
    // Every second Wednesday since 2020-01-01: in 2025 the 8th and the 22nd of January.
    { "ZweiwoechentlichSeit2020", {},
        "BEGIN:VEVENT\nUID:b2\nDTSTART;VALUE=DATE:20200101\n"
        "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=WE;UNTIL=20250131\nSUMMARY:Kegeln\nEND:VEVENT\n",
        { { QDate(2025, 1, 8), QStringLiteral("Kegeln") },
            { QDate(2025, 1, 22), QStringLiteral("Kegeln") } },
        { 2, 0, 0, 0 } },
    // 20:00 in New York is 01:00 of the next day in Berlin.
    { "UhrzeitUeberMitternachtInAndererZone", {},
        "BEGIN:VEVENT\nUID:c\nDTSTART;TZID=America/New_York:20250312T200000\n"
        "DTEND;TZID=America/New_York:20250312T220000\nSUMMARY:Elternabend\nEND:VEVENT\n",
        { { QDate(2025, 3, 13), QStringLiteral("01:00 Elternabend") } }, { 1, 0, 0, 0 } },
    { "UtcZeit", {}, "BEGIN:VEVENT\nUID:d\nDTSTART:20250701T220000Z\nSUMMARY:Flug\nEND:VEVENT\n",
        { { QDate(2025, 7, 2), QStringLiteral("00:00 Flug") } }, { 1, 0, 0, 0 } },
    { "MehrtaegigGanztaegig", {},
        "BEGIN:VEVENT\nUID:e\nDTSTART;VALUE=DATE:20250804\nDTEND;VALUE=DATE:20250807\n"
        "SUMMARY:Urlaub\nEND:VEVENT\n",
        { { QDate(2025, 8, 4), QStringLiteral("Urlaub") },
            { QDate(2025, 8, 5), QStringLiteral("Urlaub") },
            { QDate(2025, 8, 6), QStringLiteral("Urlaub") } },
        { 3, 0, 0, 0 } },
    { "AusserhalbDesJahres", {},
        "BEGIN:VEVENT\nUID:f\nDTSTART;VALUE=DATE:20240704\nSUMMARY:Alt\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:g\nDTSTART;VALUE=DATE:20100704\nRRULE:FREQ=YEARLY;UNTIL=20200101\n"
        "SUMMARY:Vorbei\nEND:VEVENT\n",
        {}, { 0, 0, 2, 0 } },
    { "TagMitTextBekommtDenTerminAngehaengt",
        { { QDate(2025, 3, 12), QStringLiteral("Zahnarzt") } },
        "BEGIN:VEVENT\nUID:h\nDTSTART;VALUE=DATE:20250312\nSUMMARY:Elternabend\nEND:VEVENT\n",
        { { QDate(2025, 3, 12), QStringLiteral("Zahnarzt; Elternabend") } }, { 1, 0, 0, 0 } },
    { "SchonImTextEnthalten",
        { { QDate(2025, 3, 12), QStringLiteral("Zahnarzt; Elternabend; Sport") } },
        "BEGIN:VEVENT\nUID:i\nDTSTART;VALUE=DATE:20250312\nSUMMARY:Elternabend\nEND:VEVENT\n", {},
        { 0, 1, 0, 0 } },
    { "VollerTagNimmtNichtsAuf", { { QDate(2025, 3, 12), kVoll } },
        "BEGIN:VEVENT\nUID:j\nDTSTART;VALUE=DATE:20250312\nSUMMARY:Elternabend\nEND:VEVENT\n", {},
        { 0, 0, 0, 1 } },
    { "VerschobenesVorkommen", {},
        "BEGIN:VEVENT\nUID:k\nDTSTART;VALUE=DATE:20250901\nRRULE:FREQ=WEEKLY;COUNT=3\n"
        "SUMMARY:Kurs\nEND:VEVENT\n"
        "BEGIN:VEVENT\nUID:k\nRECURRENCE-ID;VALUE=DATE:20250908\nDTSTART;VALUE=DATE:20250910\n"
        "SUMMARY:Kurs\nEND:VEVENT\n",
        { { QDate(2025, 9, 1), QStringLiteral("Kurs") },
            { QDate(2025, 9, 10), QStringLiteral("Kurs") },
            { QDate(2025, 9, 15), QStringLiteral("Kurs") } },
        { 3, 0, 0, 0 } },
    { "AbgesagterTerminFehlt", {},
        "BEGIN:VEVENT\nUID:l\nDTSTART;VALUE=DATE:20250312\nSTATUS:CANCELLED\n"
        "SUMMARY:Fällt aus\nEND:VEVENT\n",
        {}, { 0, 0, 0, 0 } },
};

class IcsImportFaelle : public testing::TestWithParam<ImportFall> { };

TEST_P(IcsImportFaelle, WritesTheEventsIntoTheDaysOfTheYear)
{
    const ImportFall &fall = GetParam();
    kb::test::TempDir dir;
    const KalenderDatei k = kb::test::kalender(dir);
    for (auto it = fall.vorher.cbegin(); it != fall.vorher.cend(); ++it)
        kb::test::tagSetzen(k, it.key(), it.value());
    QMap<QDate, QString> erwartet = kb::test::texte(k);
    for (auto it = fall.nachher.cbegin(); it != fall.nachher.cend(); ++it) {
        ASSERT_TRUE(erwartet.value(it.key()).isEmpty() || fall.vorher.contains(it.key()))
            << "holiday text on " << it.key().toString().toStdString();
        erwartet[it.key()] = it.value();
    }
    const QString pfad = dir.file(QStringLiteral("termine.ics"));
    kb::test::writeAll(pfad, kb::test::ics(fall.events));

    const IcsImportErgebnis e = icsImportieren(k, pfad, kBerlin);
    EXPECT_EQ(e.uebernommen, fall.zaehlung.uebernommen);
    EXPECT_EQ(e.vorhanden, fall.zaehlung.vorhanden);
    EXPECT_EQ(e.anderesJahr, fall.zaehlung.anderesJahr);
    EXPECT_EQ(e.keinPlatz, fall.zaehlung.keinPlatz);
    EXPECT_EQ(kb::test::texte(k), erwartet);

    // The same file a second time changes nothing.
    const IcsImportErgebnis zweites = icsImportieren(k, pfad, kBerlin);
    EXPECT_EQ(zweites.uebernommen, 0);
    EXPECT_EQ(zweites.vorhanden, fall.zaehlung.uebernommen + fall.zaehlung.vorhanden);
    EXPECT_EQ(kb::test::texte(k), erwartet);
}

INSTANTIATE_TEST_SUITE_P(Faelle, IcsImportFaelle, testing::ValuesIn(kFaelle),
    [](const testing::TestParamInfo<ImportFall> &info) { return std::string(info.param.name); });

struct KaputteDatei {
    const char *name;
    QByteArray inhalt;
    QString grund;
};

const KaputteDatei kKaputt[] = {
    { "KeinICalendar", "Das ist kein Kalender.\n",
        QStringLiteral("Sie enthält keinen Kalender (VCALENDAR).") },
    { "Leer", "", QStringLiteral("Sie enthält keinen Kalender (VCALENDAR).") },
    { "NurEinTermin", "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20250312\r\nSUMMARY:A\r\nEND:VEVENT\r\n",
        QStringLiteral("Sie enthält keinen Kalender (VCALENDAR).") },
    { "TerminOhneBeginn",
        kb::test::ics("BEGIN:VEVENT\nUID:a\nDTSTART;VALUE=DATE:20250311\nSUMMARY:A\nEND:VEVENT\n"
                      "BEGIN:VEVENT\nUID:ohne\nSUMMARY:B\nEND:VEVENT\n"),
        QStringLiteral("Der Termin „ohne“ hat keinen gültigen Beginn (DTSTART).") },
    { "UnlesbarerBeginn",
        kb::test::ics("BEGIN:VEVENT\nUID:x\nDTSTART:gestern\nSUMMARY:B\nEND:VEVENT\n"),
        QStringLiteral("Der Termin „x“ hat keinen gültigen Beginn (DTSTART).") },
};

class IcsImportKaputt : public testing::TestWithParam<KaputteDatei> { };

TEST_P(IcsImportKaputt, RefusesTheFileAndLeavesTheCalendarAlone)
{
    kb::test::TempDir dir;
    const KalenderDatei k = kb::test::kalender(dir);
    kb::test::tagSetzen(k, QDate(2025, 3, 12), QStringLiteral("Zahnarzt"));
    const QMap<QDate, QString> vorher = kb::test::texte(k);
    const QString pfad = dir.file(QStringLiteral("kaputt.ics"));
    kb::test::writeAll(pfad, GetParam().inhalt);

    const QString meldung = kb::test::errorOf([&] { icsImportieren(k, pfad, kBerlin); });
    EXPECT_EQ(meldung,
        QStringLiteral("Die Datei „kaputt.ics“ ist keine lesbare iCalendar-Datei: %1 Der "
                       "Kalender bleibt unverändert.")
            .arg(GetParam().grund));
    EXPECT_EQ(kb::test::texte(k), vorher);
}

INSTANTIATE_TEST_SUITE_P(Dateien, IcsImportKaputt, testing::ValuesIn(kKaputt),
    [](const testing::TestParamInfo<KaputteDatei> &info) { return std::string(info.param.name); });

TEST(IcsImport, ExportThenImportIntoAFreshCalendarGivesTheSameDayTexts)
{
    kb::test::TempDir dir;
    const KalenderDatei k = kb::test::kalender(dir);
    kb::test::tagSetzen(k, QDate(2025, 1, 1), QStringLiteral("Neujahr; Brunch bei Eva"));
    kb::test::tagSetzen(k, QDate(2025, 3, 12), QStringLiteral("Arzt, 9 Uhr; Praxis"),
        QStringLiteral("Karte mitnehmen"), true);
    kb::test::tagSetzen(k, QDate(2025, 7, 31), QStringLiteral("Zeile eins\nZeile zwei"));
    kb::test::tagSetzen(k, QDate(2025, 10, 2), QString(255, QChar(0x00e4)));
    const QString ics = dir.file(QStringLiteral("export.ics"));
    icsExportieren(k, ics, IcsExportOptionen());

    const KalenderDatei frisch = kb::test::kalender(dir, 2025, QStringLiteral("Frisch"));
    const IcsImportErgebnis e = icsImportieren(frisch, ics, kBerlin);
    EXPECT_EQ(kb::test::texte(frisch), kb::test::texte(k));
    EXPECT_EQ(e.uebernommen, 4);
    EXPECT_EQ(e.keinPlatz, 0);
    EXPECT_EQ(e.anderesJahr, 0);
    EXPECT_GT(e.vorhanden, 10); // the holidays both calendars have
}

TEST(IcsImport, EntriesJoinTheDayTextByRule)
{
    struct Fall {
        QString text, eintrag, danach;
        IcsEintragung ergebnis;
    };
    const Fall faelle[] = {
        { QString(), QStringLiteral("A"), QStringLiteral("A"), IcsEintragung::Uebernommen },
        { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A; B"),
            IcsEintragung::Uebernommen },
        { QStringLiteral("A; B"), QStringLiteral("B"), QStringLiteral("A; B"),
            IcsEintragung::Vorhanden },
        { QStringLiteral("B; A"), QStringLiteral("B"), QStringLiteral("B; A"),
            IcsEintragung::Vorhanden },
        // Part of a longer entry is not the entry.
        { QStringLiteral("Geburtstag Oma"), QStringLiteral("Oma"),
            QStringLiteral("Geburtstag Oma; Oma"), IcsEintragung::Uebernommen },
        // The exported text of a day that had something appended replaces the day's text.
        { QStringLiteral("Neujahr"), QStringLiteral("Neujahr; Brunch"),
            QStringLiteral("Neujahr; Brunch"), IcsEintragung::Uebernommen },
        { QString(254, QLatin1Char('x')), QStringLiteral("B"), QString(254, QLatin1Char('x')),
            IcsEintragung::KeinPlatz },
        { QString(252, QLatin1Char('x')), QStringLiteral("B"),
            QString(252, QLatin1Char('x')) + QStringLiteral("; B"), IcsEintragung::Uebernommen },
    };
    for (const Fall &f : faelle) {
        QString text = f.text;
        EXPECT_EQ(icsEintragen(text, f.eintrag), f.ergebnis) << f.text.left(20).toStdString();
        EXPECT_EQ(text, f.danach);
    }
}

} // namespace
