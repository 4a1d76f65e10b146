#include "caldata/PersDaten.h"
#include "caldata/KalenderAnlage.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;

namespace {

// A generated calendar of `jahr` (Bayern) with its year table open, and personal dates.
struct Kalender {
    explicit Kalender(int jahr)
    {
        AnlageEingaben e;
        e.name = u"Müller"_s;
        e.land = u"Bayern"_s;
        e.verzeichnis = dir.path();
        e.datei = u"Kal"_s;
        e.jahr = jahr;
        tage.setFilePath(kalenderAnlegen(e).dateien.jahrPfad());
        tage.open();
        const PersDatei p = persDatenAnlegen({ dir.path(), u"Familie"_s, u"Müller"_s, u"Jörg"_s });
        pers.setFilePath(p.tabellenPfad());
        pers.open();
    }

    void datum(int tag, int monat, const char *text)
    {
        pers.append();
        pers.setInt(QStringLiteral("FracTag"), tag);
        pers.setInt(QStringLiteral("FracMonat"), monat);
        pers.setString(QStringLiteral("Text"), QString::fromUtf8(text));
        pers.post();
    }

    // Every day as "dd.mm. Text (Kennung)".
    QStringList tageText()
    {
        QStringList result;
        const bool war = tage.filtered();
        tage.setFiltered(false);
        for (tage.first(); !tage.eof(); tage.next())
            result.append(tage.asDate(QStringLiteral("Datum")).toString(QStringLiteral("dd.MM. "))
                + tage.asString(QStringLiteral("Text")) + QStringLiteral(" (")
                + QString::number(tage.asInt(QStringLiteral("Kennung"))) + QLatin1Char(')'));
        tage.setFiltered(war);
        return result;
    }

    test::TempDir dir;
    Table tage;
    Table pers;
};

// The days of `vorher` with the texts of `neu` ("dd.mm." → text) put in, Kennung kept.
QStringList mit(QStringList vorher, const QList<std::pair<const char *, const char *>> &neu)
{
    for (const auto &[tag, text] : neu) {
        for (QString &zeile : vorher) {
            if (zeile.startsWith(QString::fromUtf8(tag))) {
                const qsizetype klammer = zeile.lastIndexOf(QStringLiteral(" ("));
                zeile = QString::fromUtf8(tag) + QLatin1Char(' ') + QString::fromUtf8(text)
                    + zeile.mid(klammer);
            }
        }
    }
    return vorher;
}

// Every personal date is considered: impossible dates and a second entry for a day are left
// out and named, the dates after them are still written, a holiday keeps its code.
TEST(PersDaten, MergeWritesEveryPossibleDateAndNamesTheRest)
{
    Kalender k(2027);
    k.datum(25, 12, "Geburtstag Oma");
    k.datum(29, 2, "Schalttag");
    k.datum(5, 3, "Krank");
    k.datum(10, 11, "Hochzeitstag");
    k.datum(31, 4, "Urlaub");
    k.datum(5, 3, "Urlaub");
    k.datum(1, 1, "Neujahrsbrunch");
    const QStringList vorher = k.tageText();
    ASSERT_TRUE(vorher.contains(u"25.12. 1. Weihnachtstag (7)"_s));
    k.tage.last();

    const PersUebernahme r = persDatenUebernehmen(k.tage, k.pers);
    EXPECT_EQ(r.geschrieben, 4);
    EXPECT_EQ(r.ausgelassen,
        (QStringList { u"29.02. Schalttag (gibt es 2027 nicht)"_s,
            u"05.03. Urlaub (zweiter Eintrag für den Tag)"_s,
            u"31.04. Urlaub (gibt es 2027 nicht)"_s }));
    EXPECT_EQ(r.meldung(),
        u"Daten wurden in Kalender übernommen !\r\nNicht übernommen: 29.02. Schalttag (gibt es "
        "2027 nicht); 05.03. Urlaub (zweiter Eintrag für den Tag); 31.04. Urlaub (gibt es 2027 "
        "nicht)"_s);
    const QStringList erwartet = mit(vorher,
        { { "01.01.", "Neujahrsbrunch" }, { "05.03.", "Krank" }, { "10.11.", "Hochzeitstag" },
            { "25.12.", "Geburtstag Oma" } });
    EXPECT_TRUE(erwartet.contains(u"25.12. Geburtstag Oma (7)"_s));
    EXPECT_TRUE(erwartet.contains(u"01.01. Neujahrsbrunch (1)"_s));
    EXPECT_EQ(k.tageText(), erwartet);
    k.tage.first();
    EXPECT_EQ(k.tage.asDate(QStringLiteral("Datum")), QDate(2027, 1, 1));

    // A second run writes the same texts again; the day texts read from the file agree.
    const PersUebernahme zweiter = persDatenUebernehmen(k.tage, k.pers);
    EXPECT_EQ(zweiter.geschrieben, 4);
    EXPECT_EQ(zweiter.ausgelassen, r.ausgelassen);
    Table neu;
    neu.setFilePath(k.tage.filePath());
    neu.open();
    neu.close();
    k.tage.close();
    k.tage.open();
    EXPECT_EQ(k.tageText(), erwartet);
}

// In a leap year 29 February is written; with nothing left out the message is one line.
// A month filter of the year table does not narrow the merge, and the filter is gone after.
TEST(PersDaten, MergeCoversTheWholeYearOfALeapYearAlsoWhenFiltered)
{
    Kalender k(2028);
    k.datum(29, 2, "Schalttag");
    k.datum(24, 12, "Bescherung");
    k.tage.setFilter(QStringLiteral("MonatNr='3'"));
    k.tage.setFiltered(true);
    const QStringList vorher = k.tageText();

    const PersUebernahme r = persDatenUebernehmen(k.tage, k.pers);
    EXPECT_EQ(r.geschrieben, 2);
    EXPECT_EQ(r.meldung(), u"Daten wurden in Kalender übernommen !"_s);
    EXPECT_FALSE(k.tage.filtered());
    EXPECT_EQ(k.tage.recordCount(), 366);
    EXPECT_EQ(k.tageText(), mit(vorher, { { "29.02.", "Schalttag" }, { "24.12.", "Bescherung" } }));
}

// An entry still being typed is posted and written with the others.
TEST(PersDaten, MergePostsThePendingEntry)
{
    Kalender k(2027);
    k.datum(1, 5, "Maiwanderung");
    k.pers.append();
    k.pers.setInt(QStringLiteral("FracTag"), 3);
    k.pers.setInt(QStringLiteral("FracMonat"), 10);
    k.pers.setString(QStringLiteral("Text"), u"Einheit"_s);
    EXPECT_EQ(persDatenUebernehmen(k.tage, k.pers).geschrieben, 2);
    EXPECT_EQ(k.pers.recordCount(), 2);
}

TEST(PersDaten, MergeWithoutCalendarOrDatesSaysSo)
{
    Kalender k(2027);
    EXPECT_EQ(test::errorOf([&] { persDatenUebernehmen(k.tage, k.pers); }),
        u"Kein Kalender geöffnet um Daten einzutragen oder keine Daten zum Eintragen "
        "vorhanden !"_s);
    k.datum(1, 5, "Maiwanderung");
    const QStringList vorher = k.tageText();
    k.tage.close();
    EXPECT_EQ(
        test::errorOf([&] { persDatenUebernehmen(k.tage, k.pers); }), keineDatenZumEintragen());
    k.tage.open();
    EXPECT_EQ(k.tageText(), vorher);
}

// The .PER file's one line in Windows-1252 and the empty table with its range checks.
TEST(PersDaten, AnlegenWritesTheMarkerAndTheTable)
{
    test::TempDir dir;
    const PersDatei p = persDatenAnlegen({ dir.path(), u"Familie"_s, u"Müller"_s, u"Jörg"_s });
    EXPECT_EQ(p.perPfad(), dir.file(u"Familie.PER"_s));
    EXPECT_EQ(p.tabellenPfad(), dir.file(u"Familie.DB"_s));
    EXPECT_EQ(test::readAll(p.perPfad()),
        QByteArray("RI-DOZU Kronoblatt pers\xF6nliche Daten www.ri-dozu.de Kronoblatt angelegt von "
                   ": M\xFCller,J\xF6rg\r\n"));
    Table t;
    t.setFilePath(p.tabellenPfad());
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(
        t.fieldNames(), (QStringList { u"nummer"_s, u"FracTag"_s, u"FracMonat"_s, u"Text"_s }));
    t.append();
    EXPECT_EQ(test::errorOf([&] { t.setInt(QStringLiteral("FracTag"), 32); }),
        u"Wert 32 für Feld 'FracTag' liegt außerhalb des Bereichs 1 bis 31"_s);

    EXPECT_EQ(
        PersDatei::ausPer(dir.file(u"Familie.per"_s)).tabellenPfad(), dir.file(u"Familie.DB"_s));
    for (const char *pfad : { "a/b.PER", "a/b.per" })
        EXPECT_TRUE(PersDatei::istPersDatei(QString::fromUtf8(pfad))) << pfad;
    for (const char *pfad : { "a/b.Per", "a/b.PERX", "a/b.db", "a/bPER" })
        EXPECT_FALSE(PersDatei::istPersDatei(QString::fromUtf8(pfad))) << pfad;
}

TEST(PersDaten, AnlegenRefusesWhatCannotBeUsed)
{
    test::TempDir dir;
    test::writeAll(dir.file(u"familie.db"_s), "x");
    test::writeAll(dir.file(u"Urlaub.per"_s), "x");
    struct Case {
        QString verzeichnis;
        const char *datei;
        const char *meldung;
    };
    const Case cases[] = {
        { QString(), "Familie", "Sie müssen einen Verzeichnispfad auswählen !" },
        { dir.path(), "", "Sie müssen einen Dateinamen eingeben !" },
        { dir.path(), "2027Familie", "Zahlen am Anfang des Dateinamens sind nicht erlaubt !" },
        { dir.path(), "Familie.PER", "Bitte geben Sie den Dateinamen ohne Dateierweiterung ein !" },
        { dir.path(), "a/b",
            "Der Dateiname „a/b“ enthält ein Zeichen, das in Dateinamen nicht erlaubt ist (\\ / : "
            "* ? \" < > |)." },
        { dir.file(u"fehlt"_s), "Familie", "" },
        { dir.path(), "Familie", "Tabelle existiert bereits!" },
        { dir.path(), "URLAUB", "Tabelle existiert bereits!" },
    };
    for (const Case &c : cases) {
        QString meldung = QString::fromUtf8(c.meldung);
        if (meldung.isEmpty())
            meldung = u"Das Verzeichnis „%1“ gibt es nicht."_s.arg(
                QDir::toNativeSeparators(dir.file(u"fehlt"_s)));
        EXPECT_EQ(
            persEingabenPruefen({ c.verzeichnis, QString::fromUtf8(c.datei), {}, {} }), meldung)
            << c.datei;
        EXPECT_EQ(test::errorOf([&] {
            persDatenAnlegen({ c.verzeichnis, QString::fromUtf8(c.datei), {}, {} });
        }),
            meldung)
            << c.datei;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
        (QStringList { u"familie.db"_s, u"Urlaub.per"_s }));
}

} // namespace
