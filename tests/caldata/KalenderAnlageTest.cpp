#include "caldata/KalenderAnlage.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/Schemas.h"
#include "platform/Error.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kb;

namespace {

const TagDatensatz &tagAm(const std::vector<TagDatensatz> &days, const QDate &date)
{
    return days.at(static_cast<size_t>(date.dayOfYear() - 1));
}

TEST(TageDesJahres, LeapAndCommonYears)
{
    const auto leap = tageDesJahres(2024, 1);
    ASSERT_EQ(leap.size(), 366u);
    for (size_t i = 0; i < leap.size(); ++i)
        ASSERT_EQ(leap[i].nummer, static_cast<int>(i) + 1);
    EXPECT_EQ(tagAm(leap, QDate(2024, 2, 29)).nummer, 60);
    EXPECT_EQ(leap.back().datum, QDate(2024, 12, 31));
    EXPECT_EQ(tageDesJahres(2023, 1).size(), 365u);
    EXPECT_EQ(tageDesJahres(1900, 1).size(), 365u); // not a leap year
    EXPECT_EQ(tageDesJahres(2000, 1).size(), 366u);
}

struct WeekCase {
    QDate date;
    int woche;
    int tagNr;
    const char *tag;
    const char *monat;
};

TEST(TageDesJahres, IsoWeeksWeekdaysAndMonthNames)
{
    // ISO 8601: the week with the year's first Thursday is week 1.
    const WeekCase cases[] = {
        { QDate(2005, 1, 1), 53, 6, "Sa", "Januar" },
        { QDate(2005, 1, 3), 1, 1, "Mo", "Januar" },
        { QDate(2008, 12, 31), 1, 3, "Mi", "Dezember" },
        { QDate(2008, 12, 28), 52, 7, "So", "Dezember" },
        { QDate(2010, 1, 3), 53, 7, "So", "Januar" },
        { QDate(2021, 1, 1), 53, 5, "Fr", "Januar" },
        { QDate(2022, 1, 1), 52, 6, "Sa", "Januar" },
        { QDate(2024, 3, 14), 11, 4, "Do", "März" },
        { QDate(2019, 12, 30), 1, 1, "Mo", "Dezember" },
    };
    for (const WeekCase &c : cases) {
        const auto days = tageDesJahres(c.date.year(), 0);
        const TagDatensatz &t = tagAm(days, c.date);
        EXPECT_EQ(t.datum, c.date);
        EXPECT_EQ(t.woche, c.woche) << c.date.toString().toStdString();
        EXPECT_EQ(t.tagNr, c.tagNr);
        EXPECT_EQ(t.tag, QString::fromUtf8(c.tag));
        EXPECT_EQ(t.monat, QString::fromUtf8(c.monat));
        EXPECT_EQ(t.monatNr, c.date.month());
        EXPECT_EQ(t.tagImMonat, c.date.day());
    }
}

TEST(TageDesJahres, DayTextsAndCodes)
{
    const auto y2009 = tageDesJahres(2009, 12);
    // 6 December 2009 is the second Advent Sunday: the code stays, the text is Nikolaus.
    EXPECT_EQ(tagAm(y2009, QDate(2009, 12, 6)).kennung, -17);
    EXPECT_EQ(tagAm(y2009, QDate(2009, 12, 6)).text, QStringLiteral("Nikolaus"));
    EXPECT_EQ(tagAm(y2009, QDate(2009, 12, 4)).text, QStringLiteral("Barbaratag"));
    EXPECT_EQ(tagAm(y2009, QDate(2009, 11, 18)).kennung, 19);
    EXPECT_EQ(tagAm(y2009, QDate(2009, 11, 18)).text, QStringLiteral("Buß- und Bettag"));
    EXPECT_EQ(tagAm(y2009, QDate(2009, 11, 17)).kennung, 0);
    EXPECT_TRUE(tagAm(y2009, QDate(2009, 11, 17)).text.isEmpty());

    const auto y2010 = tageDesJahres(2010, 6);
    EXPECT_EQ(tagAm(y2010, QDate(2010, 12, 6)).kennung, 0);
    EXPECT_EQ(tagAm(y2010, QDate(2010, 12, 6)).text, QStringLiteral("Nikolaus"));
    // 4 December 2011 is the second Advent Sunday.
    const auto y2011 = tageDesJahres(2011, 6);
    EXPECT_EQ(tagAm(y2011, QDate(2011, 12, 4)).kennung, -17);
    EXPECT_EQ(tagAm(y2011, QDate(2011, 12, 4)).text, QStringLiteral("Barbaratag"));
}

TEST(KalenderAnlage, ExactStateNameAndCompletionMessage)
{
    EXPECT_EQ(landIndexFuer(QStringLiteral("Sachsen"), 0), 12);
    EXPECT_EQ(landIndexFuer(QStringLiteral("Sachsen"), 3), 12);
    EXPECT_EQ(landIndexFuer(QStringLiteral("sachsen"), 3), 3);
    EXPECT_EQ(landIndexFuer(QStringLiteral("Sachsn"), 0), 0);
    EXPECT_EQ(fertigMeldung(2024, 366),
        QStringLiteral("Kalender - Tabellen wurde angelegt !\n\rFür das Jahr 2024 wurden "
                       ": 366 Tage angelegt.   "));
}

// --- generation on disk ----------------------------------------------------------

AnlageEingaben eingaben(const test::TempDir &dir, const char *land = "Sachsen", int jahr = 2024)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Müller");
    e.vorname = QStringLiteral("Jörg");
    e.land = QString::fromUtf8(land);
    e.verzeichnis = dir.path();
    e.datei = QStringLiteral("Test");
    e.jahr = jahr;
    return e;
}

// The files in `dir` but the calendar's lock file, which stays once a generation has begun.
QStringList dateien(const test::TempDir &dir)
{
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    files.removeIf([](const QString &f) { return f.endsWith(QLatin1String(".kbsperre")); });
    files.sort();
    return files;
}

TEST(KalenderAnlage, GeneratedCalendarReadsBackThroughTheEngine)
{
    test::TempDir dir;
    std::vector<int> positions;
    QStringList statuses;
    const AnlageErgebnis r = kalenderAnlegen(eingaben(dir), [&](int pos, const QString &s) {
        positions.push_back(pos);
        if (!statuses.contains(s))
            statuses.append(s);
    });

    EXPECT_EQ(r.tage, 366);
    EXPECT_EQ(r.landIndex, 12);
    EXPECT_EQ(r.meldung, fertigMeldung(2024, 366));
    EXPECT_EQ(dateien(dir),
        (QStringList { QStringLiteral("Test.DB"), QStringLiteral("Test.QVK"),
            QStringLiteral("TestBild.DB") }));
    EXPECT_EQ(test::readAll(dir.file(QStringLiteral("Test.QVK"))),
        QByteArray("RI-DOZU Kronoblatt www.ri-dozu.deKronoblatt angelegt von : "
                   "M\xfcller,J\xf6rg\r\n"));
    EXPECT_EQ(statuses,
        (QStringList { QStringLiteral("Tabelle anlegen....."),
            QStringLiteral("Datensätze für die Tage werden gefüllt ....."),
            QStringLiteral("Detailtabelle wird angelegt....") }));
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_EQ(positions.back(), 100);

    Table jahr;
    jahr.setFilePath(r.dateien.jahrPfad());
    jahr.open();
    QStringList schemaFields;
    for (const FieldDef &f : Schemas::jahrTabelle().fields)
        schemaFields.append(f.name);
    EXPECT_EQ(jahr.fieldNames(), schemaFields);
    ASSERT_EQ(jahr.recordCount(), 366);

    const auto expected = tageDesJahres(2024, 12);
    int i = 0;
    for (jahr.first(); !jahr.eof(); jahr.next(), ++i) {
        const TagDatensatz &t = expected[static_cast<size_t>(i)];
        ASSERT_EQ(jahr.asInt(QStringLiteral("Nummer")), i + 1);
        ASSERT_EQ(jahr.asDate(QStringLiteral("Datum")), t.datum);
        ASSERT_EQ(jahr.asDate(QStringLiteral("DatumLang")), t.datum);
        ASSERT_EQ(jahr.asString(QStringLiteral("Text")), t.text);
        ASSERT_EQ(jahr.asInt(QStringLiteral("Woche")), t.woche);
        ASSERT_EQ(jahr.asString(QStringLiteral("Monat")), t.monat);
        ASSERT_EQ(jahr.asString(QStringLiteral("Tag")), t.tag);
        ASSERT_EQ(jahr.asInt(QStringLiteral("MonatNr")), t.monatNr);
        ASSERT_EQ(jahr.asInt(QStringLiteral("TagNr")), t.tagNr);
        ASSERT_EQ(jahr.asInt(QStringLiteral("Kennung")), t.kennung);
        ASSERT_EQ(jahr.asInt(QStringLiteral("TagimMonat")), t.tagImMonat);
        ASSERT_EQ(jahr.asString(QStringLiteral("Name")), QStringLiteral("Müller"));
        ASSERT_EQ(jahr.asString(QStringLiteral("Vorname")), QStringLiteral("Jörg"));
        ASSERT_EQ(jahr.asString(QStringLiteral("BLand")), QStringLiteral("Sachsen"));
        ASSERT_TRUE(jahr.isNull(QStringLiteral("Notizen")));
        ASSERT_FALSE(jahr.asBool(QStringLiteral("Alarm")));
        ASSERT_EQ(jahr.blobSize(QStringLiteral("SymbolBild")), 0);
    }
    ASSERT_TRUE(jahr.locate(QStringLiteral("Nummer"), 60));
    EXPECT_EQ(jahr.asDate(QStringLiteral("Datum")), QDate(2024, 2, 29));
    ASSERT_TRUE(jahr.locate(QStringLiteral("Datum"), QDate(2024, 10, 31)));
    EXPECT_EQ(jahr.asInt(QStringLiteral("Kennung")), 18);
    jahr.close();

    Table bild;
    bild.setFilePath(r.dateien.bildPfad());
    bild.open();
    ASSERT_EQ(bild.recordCount(), 12);
    int m = 1;
    for (bild.first(); !bild.eof(); bild.next(), ++m) {
        EXPECT_EQ(bild.asInt(QStringLiteral("Nr")), m);
        EXPECT_EQ(bild.asInt(QStringLiteral("DetailNR")), m);
        EXPECT_EQ(bild.asInt(QStringLiteral("MonatNR")), m);
        EXPECT_EQ(bild.blobSize(QStringLiteral("Bild")), 0);
        EXPECT_TRUE(bild.isNull(QStringLiteral("TextMonat")));
    }
}

TEST(KalenderAnlage, UnknownStateTextKeepsThePreviousIndexAndIsStoredAsTyped)
{
    test::TempDir dir;
    AnlageEingaben e = eingaben(dir, "Hessen", 2023);
    const AnlageErgebnis erste = kalenderAnlegen(e);
    EXPECT_EQ(erste.landIndex, 6);
    e.datei = QStringLiteral("Zwei");
    e.land = QStringLiteral("hessen (getippt)");
    e.landVorher = erste.landIndex;
    const AnlageErgebnis r = kalenderAnlegen(e);
    EXPECT_EQ(r.landIndex, 6);
    EXPECT_EQ(r.tage, 365);

    Table jahr;
    jahr.setFilePath(r.dateien.jahrPfad());
    jahr.open();
    EXPECT_EQ(jahr.asString(QStringLiteral("BLand")), QStringLiteral("hessen (getippt)"));
    // Hessen's Fronleichnam, from the remembered index.
    ASSERT_TRUE(jahr.locate(QStringLiteral("Datum"), QDate(2023, 6, 8)));
    EXPECT_EQ(jahr.asInt(QStringLiteral("Kennung")), 15);
}

TEST(KalenderAnlage, RefusesWhenAnyFileOfTheCalendarExistsInAnyLetterCase)
{
    // A leftover calendar file or picture table is named, not taken for the year table.
    const struct {
        const char *existing;
        bool named;
    } cases[] = { { "test.db", false }, { "TESTBILD.DB", true }, { "Test.qvk", true } };
    for (const auto &[existing, named] : cases) {
        test::TempDir dir;
        test::writeAll(dir.file(QString::fromLatin1(existing)), "alt");
        const QString expected = named
            ? QStringLiteral("Die Datei „%1“ ist schon vorhanden; der Kalender wird nicht "
                             "angelegt.")
                  .arg(QDir::toNativeSeparators(dir.file(QString::fromLatin1(existing))))
            : QStringLiteral("Tabelle existiert bereits!");
        EXPECT_EQ(test::errorOf([&] { kalenderAnlegen(eingaben(dir)); }), expected) << existing;
        EXPECT_EQ(dateien(dir), QStringList { QString::fromLatin1(existing) });
        EXPECT_EQ(test::readAll(dir.file(QString::fromLatin1(existing))), QByteArray("alt"));
    }
}

TEST(KalenderAnlage, BadInputIsRefusedWithAGermanMessage)
{
    test::TempDir dir;
    struct Case {
        std::function<void(AnlageEingaben &)> change;
        const char *message;
    };
    const Case cases[] = {
        { [](AnlageEingaben &e) { e.verzeichnis.clear(); },
            "Sie müssen einen Verzeichnispfad auswählen !" },
        { [](AnlageEingaben &e) { e.datei.clear(); }, "Sie müssen einen Dateinamen eingeben !" },
        { [](AnlageEingaben &e) { e.datei = QStringLiteral("a/b"); }, "Der Dateiname „a/b“" },
        { [](AnlageEingaben &e) { e.name = QString(51, QLatin1Char('x')); }, "„Name“ ist zu lang" },
        { [](AnlageEingaben &e) { e.jahr = 0; }, "Das Jahr 0" },
        { [](AnlageEingaben &e) { e.verzeichnis += QStringLiteral("fehlt/"); }, "Das Verzeichnis" },
    };
    for (const Case &c : cases) {
        AnlageEingaben e = eingaben(dir);
        c.change(e);
        EXPECT_TRUE(
            test::errorOf([&] { kalenderAnlegen(e); }).contains(QString::fromUtf8(c.message)))
            << c.message;
    }
    EXPECT_TRUE(dateien(dir).isEmpty());
}

TEST(KalenderAnlage, AFailureLeavesNoHalfMadeCalendar)
{
    // A failure while the days are written (the wizard's progress throws here in lieu of a
    // full disk).
    {
        test::TempDir dir;
        EXPECT_THROW(kalenderAnlegen(eingaben(dir),
                         [](int pos, const QString &) {
                             if (pos == 50)
                                 throw Error(QStringLiteral("Platte voll"));
                         }),
            Error);
        EXPECT_TRUE(dateien(dir).isEmpty());
    }
    // A failure while the finished files move into place: the year table has already
    // moved and must go again.
    {
        test::TempDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("TestBild.DB")));
        EXPECT_THROW(kalenderAnlegen(eingaben(dir)), Error);
        EXPECT_TRUE(dateien(dir).isEmpty());
    }
    // A name the file system refuses (too long for the picture table's file name).
    {
        test::TempDir dir;
        AnlageEingaben e = eingaben(dir);
        e.datei = QString(250, QLatin1Char('k'));
        EXPECT_FALSE(test::errorOf([&] { kalenderAnlegen(e); }).isEmpty());
        EXPECT_TRUE(dateien(dir).isEmpty());
    }
}

} // namespace
