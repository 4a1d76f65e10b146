#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "designer/BerichtsAbfrage.h"
#include "designer/BerichtsDruck.h"
#include "designer/BerichtsStrom.h"
#include "designer/FertigeBerichte.h"
#include "report/DocumentQuery.h"
#include "report/Printables.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace kb::bericht;
using kb::test::errorOf;
using kb::test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

struct Kalender {
    TempDir dir;
    kb::KalenderDatei dateien;
    KalenderTabellen tabellen() const { return { dateien.jahrPfad(), dateien.bildPfad() }; }
};

std::unique_ptr<Kalender> kalender(int jahr = 2026, const char *land = "Hessen")
{
    auto k = std::make_unique<Kalender>();
    kb::AnlageEingaben e;
    e.name = s("Muster");
    e.vorname = s("Erika");
    e.land = s(land);
    e.verzeichnis = k->dir.path();
    e.datei = s("Bericht");
    e.jahr = jahr;
    k->dateien = kb::kalenderAnlegen(e).dateien;
    return k;
}

QByteArray pruefsumme(const QString &path)
{
    return QCryptographicHash::hash(kb::test::readAll(path), QCryptographicHash::Sha256);
}

// Recomputes the header's checksum, so a test reaches the checks behind it.
QByteArray mitPruefsumme(QByteArray daten)
{
    const QByteArrayView nutzlast(daten.constData() + 16, daten.size() - 16);
    qToLittleEndian<quint16>(qChecksum(nutzlast), daten.data() + 14);
    return daten;
}

Bericht allesDrin()
{
    Bericht r;
    r.titel = s("Alles drin – äöü");
    r.quelle = Quelle::Tabelle;
    r.tabelle = s("/tmp/x.DB");
    r.papier = kb::report::PaperSize::Custom;
    r.papierMm = QSizeF(100, 150);
    r.lage = kb::report::Orientation::Landscape;
    r.spalten = 3;
    r.spaltenabstand = 4.5;
    QImage bild(4, 3, QImage::Format_RGB32);
    bild.fill(Qt::red);
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "PNG");
    r.bilder.push_back(puffer.data());
    for (int art = 0; art < kBandArten; ++art) {
        Band b;
        b.art = BandArt(art);
        b.hoehe = 10 + art;
        if (b.art == BandArt::Gruppenkopf || b.art == BandArt::Gruppenfuss)
            b.gruppenfeld = s("Monat");
        b.rahmen.unten = art % 2;
        b.hintergrund = art == 2 ? std::optional(QColor(Qt::yellow)) : std::nullopt;
        for (int e = 0; e < kElementArten; ++e) {
            Element el;
            el.art = ElementArt(e);
            el.geometrie = QRectF(e, art, 30, 12);
            el.text = s("Feld") + QString::number(e);
            el.bild = el.art == ElementArt::Bild ? 0 : -1;
            el.umbruch = e % 2;
            el.schrift
                = e == 3 ? std::optional(kb::report::FontSpec { .pointSize = 7 }) : std::nullopt;
            b.elemente.push_back(el);
        }
        r.baender.push_back(b);
    }
    return r;
}

TEST(BerichtsStrom, WritesAndReadsEveryPartUnchanged)
{
    for (const FertigerBericht &f : fertigeBerichte())
        EXPECT_EQ(berichtLesen(berichtSchreiben(f.bericht)), f.bericht) << f.name.toStdString();
    const Bericht r = allesDrin();
    EXPECT_EQ(berichtLesen(berichtSchreiben(r)), r);
}

struct Verweigert {
    const char *fall;
    QByteArray daten;
    StromFehler::Art art;
};

TEST(BerichtsStrom, RefusesEmptyForeignDamagedTruncatedAndNewerData)
{
    const QByteArray gut = berichtSchreiben(allesDrin());
    QByteArray gekippt = gut;
    gekippt[gut.size() / 2] = char(gekippt[gut.size() / 2] ^ 0x10);
    QByteArray neuer = gut;
    qToLittleEndian<quint16>(kStromVersion + 1, neuer.data() + 8);
    QByteArray langerText = mitPruefsumme(gut);
    // The title's length (first payload field) claims more bytes than there are.
    qToLittleEndian<quint32>(0x7fffffff, langerText.data() + 16);
    langerText = mitPruefsumme(langerText);

    Bericht verweisFehlt = allesDrin();
    verweisFehlt.bilder.clear();
    Bericht fussOhneKopf;
    Band fuss;
    fuss.art = BandArt::Gruppenfuss;
    fuss.gruppenfeld = s("Monat");
    fussOhneKopf.baender.push_back(fuss);
    Bericht zweiDetails;
    zweiDetails.baender.resize(2);

    const Verweigert faelle[] = {
        { "leer", QByteArray(), StromFehler::Art::Leer },
        { "fremd", QByteArray("Hallo Welt, kein Bericht"), StromFehler::Art::Fremd },
        { "nur Kennung", gut.left(8), StromFehler::Art::Beschaedigt },
        { "Kopf abgeschnitten", gut.left(12), StromFehler::Art::Beschaedigt },
        { "abgeschnitten", gut.left(gut.size() - 1), StromFehler::Art::Beschaedigt },
        { "halbiert", gut.left(gut.size() / 2), StromFehler::Art::Beschaedigt },
        { "Anhang", gut + QByteArray("x"), StromFehler::Art::Beschaedigt },
        { "Bit gekippt", gekippt, StromFehler::Art::Beschaedigt },
        { "neuere Version", neuer, StromFehler::Art::Neuer },
        { "Länge zu groß", langerText, StromFehler::Art::Beschaedigt },
        { "Bild fehlt", berichtSchreiben(verweisFehlt), StromFehler::Art::Beschaedigt },
        { "Fuß ohne Kopf", berichtSchreiben(fussOhneKopf), StromFehler::Art::Beschaedigt },
        { "zwei Detailbänder", berichtSchreiben(zweiDetails), StromFehler::Art::Beschaedigt },
    };
    for (const Verweigert &f : faelle) {
        try {
            berichtLesen(f.daten);
            ADD_FAILURE() << f.fall << ": gelesen";
        } catch (const StromFehler &e) {
            EXPECT_EQ(e.art(), f.art) << f.fall;
            EXPECT_FALSE(e.message().isEmpty()) << f.fall;
        }
    }
}

// Damage behind a valid checksum reaches every check of the reader: it either reads a report
// or refuses the data, and never reads outside it.
TEST(BerichtsStrom, RandomDamageBehindAValidChecksumIsReadOrRefused)
{
    const QByteArray gut = berichtSchreiben(allesDrin());
    QRandomGenerator zufall(4711);
    int verweigert = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray kaputt = gut;
        const int stellen = 1 + int(zufall.bounded(3));
        for (int k = 0; k < stellen; ++k)
            kaputt[16 + zufall.bounded(int(gut.size()) - 16)] = char(zufall.bounded(256));
        try {
            berichtLesen(mitPruefsumme(kaputt));
        } catch (const StromFehler &) {
            ++verweigert;
        }
    }
    EXPECT_GT(verweigert, 0);
}

TEST(BerichtsStrom, AReportTooLargeForTheReaderIsNotWritten)
{
    Bericht r;
    r.baender.resize(1);
    r.baender[0].elemente.resize(5000);
    EXPECT_FALSE(errorOf([&] { berichtSchreiben(r); }).isEmpty());
}

TEST(BerichtsDruck, DamagedDataGivesTheNoteAndNoCrash)
{
    EXPECT_FALSE(
        errorOf([] { berichtErzeugen(QByteArray("KBREPORT\x01"), std::nullopt); }).isEmpty());
    const kb::report::Document hinweis = hinweisSeite(s("Titel"), s("Der Bericht ist leer."));
    ASSERT_EQ(hinweis.pages.size(), 1u);
    const QStringList texte = kb::report::bandsOf(hinweis, kb::report::BandKind::Title)[0].texts();
    EXPECT_TRUE(texte.contains(s("Der Bericht ist leer."))) << texte.join(u'|').toStdString();
}

// Every statement that could change a table, reach another file or do more than one thing is
// refused before it runs, and the calendar's files stay byte for byte as they were.
TEST(BerichtsAbfrage, RefusesEverythingButOneSelectAndChangesNothing)
{
    const auto k = kalender();
    const QByteArray jahrVorher = pruefsumme(k->dateien.jahrPfad());
    const QByteArray bildVorher = pruefsumme(k->dateien.bildPfad());
    const QString anderswo = k->dir.file(s("anders.db"));
    const char *faelle[] = {
        "INSERT INTO Jahr(Nummer) VALUES(999)",
        "UPDATE Jahr SET Text = 'weg'",
        "DELETE FROM Bilder",
        "DROP TABLE Jahr",
        "CREATE TABLE neu(a)",
        "PRAGMA writable_schema = 1",
        "PRAGMA query_only = 0",
        "SELECT 1; SELECT 2",
        "SELECT * FROM Jahr; DELETE FROM Jahr",
        "WITH x AS (SELECT 1) INSERT INTO Jahr(Nummer) SELECT 1 FROM x",
        "WITH x AS (SELECT 1) UPDATE Jahr SET Text = 'weg'",
        "SELECT load_extension('libc.so.6')",
        "SELECT * FROM sqlite_master",
        "VACUUM",
        "BEGIN",
        "",
        "  -- nur ein Kommentar\n",
    };
    for (const char *sql : faelle)
        EXPECT_FALSE(errorOf([&] { abfrageAusfuehren(s(sql), k->tabellen()); }).isEmpty()) << sql;
    const QString attach = s("ATTACH DATABASE '%1' AS fremd").arg(anderswo);
    EXPECT_EQ(errorOf([&] { abfrageAusfuehren(attach, k->tabellen()); }),
        s("Erlaubt ist nur eine einzelne SELECT-Abfrage über die Tabellen Jahr und Bilder."));
    const QString selectAttach = s("SELECT 1; ATTACH DATABASE '%1' AS fremd").arg(anderswo);
    EXPECT_FALSE(errorOf([&] { abfrageAusfuehren(selectAttach, k->tabellen()); }).isEmpty());
    EXPECT_FALSE(QFile::exists(anderswo));
    EXPECT_EQ(pruefsumme(k->dateien.jahrPfad()), jahrVorher);
    EXPECT_EQ(pruefsumme(k->dateien.bildPfad()), bildVorher);
}

TEST(BerichtsAbfrage, ReadsBothTablesWithDatesAndBooleansAsTheirValues)
{
    const auto k = kalender(2024);
    const AbfrageErgebnis e = abfrageAusfuehren(
        s("SELECT j.Nummer, j.Datum, j.Alarm, b.MonatNR FROM Jahr j JOIN Bilder b "
          "ON b.MonatNR = j.MonatNr WHERE j.Nummer = 60;  -- Schalttag\n"),
        k->tabellen());
    EXPECT_EQ(e.spalten, (QStringList { s("Nummer"), s("Datum"), s("Alarm"), s("MonatNR") }));
    ASSERT_EQ(e.zeilen.size(), 1u);
    EXPECT_EQ(e.zeilen[0][0].toInt(), 60);
    EXPECT_EQ(e.zeilen[0][1], QVariant(QDate(2024, 2, 29)));
    EXPECT_FALSE(e.zeilen[0][2].toBool());
    EXPECT_EQ(e.zeilen[0][3].toInt(), 2);
    const AbfrageErgebnis alle = abfrageAusfuehren(s("select count(*) from jahr"), k->tabellen());
    EXPECT_EQ(alle.zeilen[0][0].toInt(), 366);
}

TEST(BerichtsAbfrage, AQueryThatRunsTooLongIsStopped)
{
    const auto k = kalender();
    const QString endlos = s("WITH RECURSIVE z(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM z) "
                             "SELECT count(*) FROM z");
    const QString meldung = errorOf([&] { abfrageAusfuehren(endlos, k->tabellen(), 100); });
    EXPECT_TRUE(meldung.contains(s("abgebrochen"))) << meldung.toStdString();
}

// What a ready report prints, read from its detail bands: the row texts.
std::vector<QStringList> zeilen(const kb::report::Document &doc)
{
    std::vector<QStringList> out;
    for (const kb::report::BandOnPage &b : kb::report::bandsOf(doc, kb::report::BandKind::Detail))
        out.push_back(b.texts());
    return out;
}

QByteArray fertig(const char *name)
{
    for (const FertigerBericht &f : fertigeBerichte())
        if (f.name == s(name))
            return berichtSchreiben(f.bericht);
    return {};
}

// The rows are the days the calendar's own holiday rules gave a code above 0, in date order,
// each with its date, weekday and name.
TEST(FertigeBerichte, HolidaysOfTheYearListsThePublicHolidays)
{
    const auto k = kalender(2026, "Hessen");
    std::vector<QStringList> erwartet;
    kb::Table jahr;
    jahr.setFilePath(k->dateien.jahrPfad());
    jahr.setReadOnly(true);
    jahr.open();
    for (jahr.first(); !jahr.eof(); jahr.next())
        if (jahr.asInt(s("Kennung")) > 0)
            erwartet.push_back({ jahr.asDate(s("Datum")).toString(s("dd.MM.yyyy")),
                QLocale(QLocale::German).dayName(jahr.asDate(s("Datum")).dayOfWeek()),
                jahr.asString(s("Text")) });
    jahr.close();
    const auto rows = zeilen(berichtErzeugen(fertig("Feiertage des Jahres"), k->tabellen()));
    EXPECT_GE(rows.size(), 10u);
    EXPECT_EQ(rows, erwartet);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), (QStringList { s("01.01.2026"), s("Donnerstag"), s("Neujahr") }));
    EXPECT_EQ(rows.back(), (QStringList { s("26.12.2026"), s("Samstag"), s("2. Weihnachtstag") }));
}

TEST(FertigeBerichte, AppointmentsListOrdinaryDaysWithATextButNoHolidays)
{
    const auto k = kalender(2026, "Hessen");
    {
        kb::Table jahr;
        jahr.setFilePath(k->dateien.jahrPfad());
        jahr.open();
        const auto setze = [&](int nummer, const char *text, const char *notiz) {
            ASSERT_TRUE(jahr.locate(s("Nummer"), nummer));
            jahr.edit();
            jahr.setString(s("Text"), s(text));
            jahr.setString(s("Notizen"), s(notiz));
            jahr.post();
        };
        setze(40, "Geburtstag Oma", "Blumen");
        setze(3, "Zahnarzt", "");
        setze(1, "Neujahrsfeier", ""); // a holiday: not listed
        setze(200, "", "nur eine Notiz"); // no text: not listed
    }
    const auto rows = zeilen(berichtErzeugen(fertig("Termine und Geburtstage"), k->tabellen()));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (QStringList { s("03.01.2026"), s("Sa"), s("Zahnarzt"), QString() }));
    EXPECT_EQ(
        rows[1], (QStringList { s("09.02.2026"), s("Mo"), s("Geburtstag Oma"), s("Blumen") }));
    const auto doc = berichtErzeugen(fertig("Termine und Geburtstage"), k->tabellen());
    const auto gruppen = kb::report::bandsOf(doc, kb::report::BandKind::GroupHeader);
    ASSERT_EQ(gruppen.size(), 2u);
    EXPECT_EQ(gruppen[0].texts(), QStringList { s("Januar") });
    EXPECT_EQ(gruppen[1].texts(), QStringList { s("Februar") });
}

TEST(FertigeBerichte, MonthPicturesShowTheTwelveMonthsWithPictureAndText)
{
    const auto k = kalender(2026, "Hessen");
    {
        kb::Table bilder;
        bilder.setFilePath(k->dateien.bildPfad());
        bilder.open();
        ASSERT_TRUE(bilder.locate(s("MonatNR"), 3));
        QImage bild(60, 40, QImage::Format_RGB32);
        bild.fill(Qt::blue);
        bilder.setImage(s("Bild"), bild);
        bilder.setString(s("TextMonat"), s("Frühling"));
        bilder.post();
    }
    const auto doc = berichtErzeugen(fertig("Monatsbilder"), k->tabellen());
    const auto details = kb::report::bandsOf(doc, kb::report::BandKind::Detail);
    ASSERT_EQ(details.size(), 12u);
    EXPECT_EQ(details[0].texts().value(0), s("Januar"));
    EXPECT_EQ(details[11].texts().value(0), s("Dezember"));
    EXPECT_EQ(details[2].texts(), (QStringList { s("März"), s("Frühling") }));
    EXPECT_EQ(details[2].items<kb::report::PictureItem>().size(), 1u);
    EXPECT_EQ(details[3].items<kb::report::PictureItem>().size(), 0u);
}

TEST(BerichtsDruck, GroupFootersAndSummaryPrintWhereTheirGroupsEnd)
{
    const auto k = kalender(2026, "Hessen");
    Bericht r;
    r.quelle = Quelle::Abfrage;
    r.abfrage = s("SELECT Monat, Datum FROM Jahr WHERE MonatNr <= 2 AND TagimMonat <= 2");
    Band kopf;
    kopf.art = BandArt::Gruppenkopf;
    kopf.gruppenfeld = s("Monat");
    Element monat;
    monat.art = ElementArt::Feld;
    monat.text = s("Monat");
    monat.geometrie = QRectF(0, 0, 100, 16);
    kopf.elemente.push_back(monat);
    Band fuss = kopf;
    fuss.art = BandArt::Gruppenfuss;
    fuss.elemente[0] = Element {};
    fuss.elemente[0].text = s("Ende");
    fuss.elemente[0].geometrie = QRectF(0, 0, 100, 16);
    Band detail;
    Element datum = monat;
    datum.text = s("Datum");
    detail.elemente.push_back(datum);
    Band summe = fuss;
    summe.art = BandArt::Zusammenfassung;
    summe.elemente[0].text = s("Summe");
    r.baender = { kopf, detail, fuss, summe };
    const auto doc = berichtErzeugen(berichtSchreiben(r), k->tabellen());
    QStringList reihenfolge;
    for (const kb::report::Page &p : doc.pages)
        for (const kb::report::PlacedBand &b : p.bands)
            reihenfolge.append(QString::number(int(b.kind)));
    // 3 = group header, 4 = detail, 6 = group footer, 7 = summary
    EXPECT_EQ(reihenfolge.join(u','), s("3,4,4,6,3,4,4,6,7"));
}

} // namespace
