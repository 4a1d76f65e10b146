#include "KalenderTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "printing/Bausteine.h"
#include "printing/DruckLayouts.h"
#include "printing/TMonateKalenderForm.h"
#include "printing/TTagebuchForm.h"
#include "printing/TWochenForm.h"
#include "printing/TextGruppen.h"
#include "report/Previewer.h"
#include "report/TextLayout.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

// The twelve month pictures in colours that tell them apart.
QColor monatsfarbe(int monat)
{
    return QColor::fromHsv((monat - 1) * 30, 255, 220);
}

class MonthCalendar : public ::testing::Test {
protected:
    void SetUp() override { settings = farben(); }

    void oeffnen(int year)
    {
        const QString qvk = testKalender(dir, year);
        dateien = KalenderDatei::ausQvk(qvk);
        tage = std::make_unique<Table>();
        tage->setFilePath(dateien.jahrPfad());
        tage->open();
        tage->first();
        bilder = std::make_unique<Table>();
        bilder->setFilePath(dateien.bildPfad());
        bilder->open();
    }

    void bilderSpeichern(std::initializer_list<int> monate, const QSize &size = { 640, 480 })
    {
        bilder->close();
        for (const int m : monate)
            monatsbildSpeichern(dateien.bildPfad(), m, monatsfarbe(m), size);
        bilder->open();
    }

    void einstellungen(const QByteArray &content)
    {
        writeAll(dir.file(QStringLiteral("Kalvalues.ini")), "[User]\r\n" + content);
    }

    const MonatsAuswahl &auswahl(const char *layoutName)
    {
        for (const MonatsAuswahl &a : monatsAuswahlen())
            if (a.layoutName == QString::fromUtf8(layoutName))
                return a;
        throw std::runtime_error(layoutName);
    }

    report::Document drucken(const char *layoutName)
    {
        IniFile ini(dir.file(QStringLiteral("Kalvalues.ini")));
        return monatskalenderDokument(auswahl(layoutName), *tage, bilder.get(), settings, ini);
    }

    TempDir dir;
    KalenderDatei dateien;
    LayoutSettings settings;
    std::unique_ptr<Table> tage;
    std::unique_ptr<Table> bilder;
};

// ---- the menu

TEST(MonthCalendarMenu, EntriesInMenuOrderWithTheirHandlersVariantsAndFilters)
{
    const auto &menue = monatskalenderMenue();
    const auto &alle = monatsAuswahlen();
    QStringList zeilen;
    for (const MonatsMenuePunkt &p : menue) {
        switch (p.art) {
        case MonatsMenuePunkt::Art::Trenner:
            zeilen << u"-"_s;
            break;
        case MonatsMenuePunkt::Art::Eintrag:
            ASSERT_EQ(p.auswahlen.size(), 1u);
            zeilen << p.text;
            break;
        case MonatsMenuePunkt::Art::Untermenue:
            zeilen << p.text + u" >"_s;
            break;
        }
    }
    EXPECT_EQ(zeilen,
        QStringList({
            u"Kalender-Vorschau  3 Spalten/erstes Quartal/vertikale Bilder"_s,
            u"Kalender-Vorschau  3 Spalten/zweites Quartal/vertikale Bilder"_s,
            u"Kalender-Vorschau  3 Spalten/drittes Quartal/vertikale Bilder"_s,
            u"Kalender-Vorschau  3 Spalten/viertes Quartal/vertikale Bilder"_s,
            u"-"_s,
            u"Kalender-Vorschau  3 Spalten/erstes Quartal horiz.Bilder"_s,
            u"Kalender-Vorschau  3 Spalten/zweites Quartal horiz.Bilder"_s,
            u"Kalender-Vorschau  3 Spalten/drittes Quartal horiz.Bilder"_s,
            u"Kalender-Vorschau  3 Spalten/viertes Quartal horiz.Bilder"_s,
            u"-"_s,
            u"Kalender-Vorschau  2 Spalten/vertikale Bilder >"_s,
            u"Kalender-Vorschau  2 Spalten/horiz.Bilder >"_s,
            u"-"_s,
            u"Kalender-Vorschau  1 Spalte/vertikale Bilder >"_s,
            u"Kalender-Vorschau  1 Spalte/horiz.Bilder >"_s,
        }));

    // Every selection appears exactly once, in the order of the flat list.
    std::vector<int> reihenfolge;
    for (const MonatsMenuePunkt &p : menue)
        reihenfolge.insert(reihenfolge.end(), p.auswahlen.begin(), p.auswahlen.end());
    ASSERT_EQ(reihenfolge.size(), alle.size());
    for (std::size_t i = 0; i < reihenfolge.size(); ++i)
        EXPECT_EQ(reihenfolge[i], int(i));

    const auto paare = menue.at(10).auswahlen;
    ASSERT_EQ(paare.size(), 6u);
    EXPECT_EQ(alle.at(paare[0]).text, u"Januar/Februar"_s);
    EXPECT_EQ(alle.at(paare[5]).text, u"November/Dezember"_s);
    const auto monate = menue.at(14).auswahlen;
    ASSERT_EQ(monate.size(), 12u);
    EXPECT_EQ(alle.at(monate[2]).text, u"März"_s);

    const struct {
        int index;
        const char *handler;
        int variante;
        const char *filter;
        const char *layout;
    } cases[] = {
        { 0, "VertikalQuartalerstellen", 1, "(MonatNr='1')or(MonatNr='2')or(MonatNr='3')",
            "Quartal 1 vertikal" },
        { 3, "VertikalQuartalerstellen", 1, "(MonatNr='10')or(MonatNr='11')or(MonatNr='12')",
            "Quartal 4 vertikal" },
        { 5, "HoriQuartalerstellen", 2, "(MonatNr='4')or(MonatNr='5')or(MonatNr='6')",
            "Quartal 2 horizontal" },
        { 8, "Kalender2SpaltenvertikaleBilder1Click", 3, "(MonatNr='1')or(MonatNr='2')",
            "Monate Januar/Februar vertikal" },
        { 19, "Kalender2SpaltenhorizBilder1Click", 4, "(MonatNr='11')or(MonatNr='12')",
            "Monate November/Dezember horizontal" },
        { 22, "Kalender1SpaltevertikaleBilder1Click", 5, "(MonatNr='3')", "Monat März vertikal" },
        { 43, "Kalender1SpaltehorizBilder1Click", 6, "(MonatNr='12')",
            "Monat Dezember horizontal" },
    };
    for (const auto &c : cases) {
        const MonatsAuswahl &a = alle.at(c.index);
        EXPECT_EQ(a.handler, QString::fromUtf8(c.handler)) << c.index;
        EXPECT_EQ(a.variante, c.variante) << c.index;
        EXPECT_EQ(a.filter, QString::fromUtf8(c.filter)) << c.index;
        EXPECT_EQ(a.layoutName, QString::fromUtf8(c.layout)) << c.index;
    }
    // The command line reaches each of them by its name.
    for (const MonatsAuswahl &a : alle)
        EXPECT_NE(druckLayout(a.layoutName), nullptr) << a.layoutName.toStdString();
}

// ---- pages and columns

struct SeitenCase {
    const char *layout;
    int seiten;
    std::vector<QString> monate; // group headers in printing order, one per column
    double spaltenBreite; // with the margins 4 and 2 mm of a missing key
};

TEST_F(MonthCalendar, QuarterPairAndMonthPrintOnePageWithOneColumnPerMonth)
{
    oeffnen(2026);
    einstellungen("");
    const SeitenCase cases[] = {
        { "Quartal 1 vertikal", 1, { u"Januar"_s, u"Februar"_s, u"März"_s }, 257.0 },
        { "Quartal 4 horizontal", 1, { u"Oktober"_s, u"November"_s, u"Dezember"_s }, 257.0 },
        { "Monate Juli/August vertikal", 1, { u"Juli"_s, u"August"_s }, 385.5 },
        { "Monate März/April horizontal", 1, { u"März"_s, u"April"_s }, 385.5 },
        { "Monat Februar vertikal", 1, { u"Februar"_s }, 771.0 },
        { "Monat Dezember horizontal", 1, { u"Dezember"_s }, 771.0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        const report::Document doc = drucken(c.layout);
        EXPECT_EQ(doc.orientation, report::Orientation::Portrait);
        EXPECT_EQ(doc.paperSizeMm, QSizeF(210, 297));
        ASSERT_EQ(int(doc.pages.size()), c.seiten);
        const auto koepfe = baender(doc, report::BandKind::GroupHeader);
        ASSERT_EQ(koepfe.size(), c.monate.size());
        for (std::size_t i = 0; i < koepfe.size(); ++i) {
            EXPECT_EQ(koepfe[i].textBei(16), c.monate[i]);
            EXPECT_EQ(koepfe[i].textBei(96), u"2026"_s);
            EXPECT_EQ(koepfe[i].spalte, int(i));
            EXPECT_EQ(koepfe[i].rect.height(), 416);
            EXPECT_NEAR(koepfe[i].rect.width(), c.spaltenBreite, 0.5);
        }
        // Each month's days follow its header in the same column, in table order.
        const auto zeilen = baender(doc, report::BandKind::Detail);
        int erwartet = 0;
        for (std::size_t i = 0; i < koepfe.size(); ++i) {
            const int monat = monatsnamen().indexOf(c.monate[i]) + 1;
            const int tageImMonat = QDate(2026, monat, 1).daysInMonth();
            for (int tag = 1; tag <= tageImMonat; ++tag, ++erwartet) {
                const Band &z = zeilen.at(std::size_t(erwartet));
                ASSERT_EQ(z.textBei(0), QString::number(tag));
                ASSERT_EQ(z.spalte, int(i));
                ASSERT_EQ(z.rect.height(), 16);
            }
        }
        EXPECT_EQ(int(zeilen.size()), erwartet);
    }
}

TEST_F(MonthCalendar, LeapYearFebruaryBlockIsHeaderPlusTwentyNineLines)
{
    oeffnen(2024);
    einstellungen("");
    const report::Document doc = drucken("Quartal 1 vertikal");
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto koepfe = baender(doc, report::BandKind::GroupHeader);
    const auto zeilen = baender(doc, report::BandKind::Detail);
    std::vector<const Band *> februar;
    for (const Band &z : zeilen)
        if (z.spalte == 1)
            februar.push_back(&z);
    ASSERT_EQ(februar.size(), 29u);
    EXPECT_EQ(februar.back()->textBei(0), u"29"_s);
    EXPECT_EQ(februar.back()->textBei(32), u"Do"_s);
    EXPECT_DOUBLE_EQ(februar.back()->rect.bottom() - koepfe.at(1).rect.top(), 880.0);
}

struct RandCase {
    const char *ini;
    const char *layout;
    int seiten;
    int seiteDes31; // where the 31 January prints
    int spalteDes31;
};

// With the margins of missing keys (3 and 5 mm) a 31-day month fits its column; above about
// 20 mm of top and bottom margin together its last day moves on.
TEST_F(MonthCalendar, ThirtyFirstSpillsOnceTopAndBottomMarginsExceedTwentyMm)
{
    oeffnen(2026);
    const RandCase cases[] = {
        { "", "Monat Januar vertikal", 1, 0, 0 },
        { "MonatTOP=10\r\nMonatBottom=10\r\n", "Monat Januar vertikal", 1, 0, 0 },
        { "MonatTOP=11\r\nMonatBottom=10\r\n", "Monat Januar vertikal", 2, 1, 0 },
        { "MonatTop=11\r\nMonatBottom=10\r\n", "Quartal 1 horizontal", 2, 0, 1 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.layout) + " " + c.ini);
        einstellungen(c.ini);
        const report::Document doc = drucken(c.layout);
        ASSERT_EQ(int(doc.pages.size()), c.seiten);
        const auto zeilen = baender(doc, report::BandKind::Detail);
        const Band &tag30 = zeilen.at(29);
        const Band &tag31 = zeilen.at(30);
        ASSERT_EQ(tag31.textBei(0), u"31"_s);
        EXPECT_EQ(tag30.seite, 0);
        EXPECT_EQ(tag30.spalte, 0);
        EXPECT_EQ(tag31.seite, c.seiteDes31);
        EXPECT_EQ(tag31.spalte, c.spalteDes31);
        if (tag31.seite != tag30.seite || tag31.spalte != tag30.spalte) {
            // At the top of its column, right below the page header.
            const double kopf = report::mmToPixels(11) + 91 + (tag31.seite == 0 ? 1 : 0);
            EXPECT_NEAR(tag31.rect.top(), kopf, 0.01);
        }
        const double unten = doc.pageSize().height() - report::mmToPixels(c.ini[0] ? 10 : 5) - 40;
        for (const Band &z : zeilen)
            ASSERT_LE(z.rect.bottom(), unten + 0.01);
    }
}

// ---- pictures

TEST_F(MonthCalendar, EachMonthShowsItsOwnPictureInsideItsBox)
{
    oeffnen(2026);
    einstellungen("");
    bilderSpeichern({ 1, 3, 7, 8 });
    tage->locate(u"Datum"_s, QDate(2026, 11, 20)); // the picture table follows November

    const struct {
        const char *layout;
        int erster; // month of the first column
        QRectF box; // of the variant
    } cases[] = {
        { "Quartal 1 vertikal", 1, QRectF(8, 64, 210, 321) },
        { "Quartal 1 horizontal", 1, QRectF(8, 154, 210, 160) },
        { "Monate Juli/August vertikal", 7, QRectF(80, 64, 210, 321) },
        { "Monate Juli/August horizontal", 7, QRectF(30, 120, 310, 220) },
        { "Monat März vertikal", 3, QRectF(250, 64, 210, 321) },
        { "Monat März horizontal", 3, QRectF(90, 60, 550, 330) },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        const auto koepfe = baender(drucken(c.layout), report::BandKind::GroupHeader);
        for (std::size_t i = 0; i < koepfe.size(); ++i) {
            const int monat = c.erster + int(i);
            const Band &kopf = koepfe[i];
            if (monat == 2) { // no picture stored: the box stays empty
                EXPECT_TRUE(kopf.bilder.empty());
                continue;
            }
            ASSERT_EQ(kopf.bilder.size(), 1u) << monat;
            const report::PictureItem &bild = kopf.bilder.front();
            const QColor farbe = mitte(bild);
            const QColor soll = monatsfarbe(monat);
            EXPECT_NEAR(farbe.red(), soll.red(), 8) << monat;
            EXPECT_NEAR(farbe.green(), soll.green(), 8) << monat;
            EXPECT_NEAR(farbe.blue(), soll.blue(), 8) << monat;
            // The 4:3 picture fills the whole box, cut centred to the box's shape.
            const QRectF box = c.box.translated(kopf.rect.topLeft());
            EXPECT_EQ(bild.rect, box);
            EXPECT_NEAR(
                double(bild.image.width()) / bild.image.height(), box.width() / box.height(), 0.02);
        }
    }
}

TEST_F(MonthCalendar, UprightAndLandscapeDifferOnlyInThePicture)
{
    oeffnen(2026);
    einstellungen("");
    bilderSpeichern({ 4, 5, 6 }, { 480, 640 });
    const report::Document hoch = drucken("Quartal 2 vertikal");
    const report::Document quer = drucken("Quartal 2 horizontal");
    ASSERT_EQ(hoch.pages.size(), 1u);
    ASSERT_EQ(quer.pages.size(), 1u);
    const auto &a = hoch.pages[0].items;
    const auto &b = quer.pages[0].items;
    ASSERT_EQ(a.size(), b.size());
    int bilder = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].index(), b[i].index()) << i;
        if (const auto *p = std::get_if<report::PictureItem>(&a[i])) {
            ++bilder;
            EXPECT_NE(p->rect, std::get<report::PictureItem>(b[i]).rect);
        } else if (const auto *t = std::get_if<report::TextItem>(&a[i])) {
            EXPECT_EQ(t->rect, std::get<report::TextItem>(b[i]).rect) << t->text.toStdString();
            EXPECT_EQ(t->text, std::get<report::TextItem>(b[i]).text);
        }
    }
    EXPECT_EQ(bilder, 3);
}

// ---- the day table and the picture table afterwards

TEST_F(MonthCalendar, RunLeavesItsFilterAndTheLinkedPictureTable)
{
    oeffnen(2026);
    einstellungen("");
    ASSERT_TRUE(tage->locate(u"Datum"_s, QDate(2026, 7, 14)));
    drucken("Monat Juli vertikal");
    EXPECT_TRUE(tage->filtered());
    EXPECT_EQ(tage->filter(), u"(MonatNr='7')"_s);
    EXPECT_EQ(tage->recordCount(), 31);
    EXPECT_EQ(tage->asDate(u"Datum"_s), QDate(2026, 7, 14)); // still shown: still current
    EXPECT_FALSE(tage->controlsDisabled());
    EXPECT_EQ(bilder->recordCount(), 1);
    EXPECT_EQ(bilder->asInt(u"Nr"_s), 7);

    drucken("Monate März/April vertikal");
    EXPECT_EQ(tage->recordCount(), 61);
    EXPECT_EQ(tage->asDate(u"Datum"_s), QDate(2026, 3, 1)); // July is gone: the first day
    EXPECT_EQ(bilder->asInt(u"Nr"_s), 3);
    // The picture table stays linked: it follows the day table by month.
    ASSERT_TRUE(tage->locate(u"Datum"_s, QDate(2026, 4, 10)));
    EXPECT_EQ(bilder->recordCount(), 1);
    EXPECT_EQ(bilder->asInt(u"Nr"_s), 4);
}

TEST_F(MonthCalendar, BadSchoolHolidayBoundAbandonsTheRunAndFreesTheDayTable)
{
    oeffnen(2026);
    writeAll(dir.file(QStringLiteral("Kalvalues.ini")),
        "[Ferien]\r\nWinterBeginn=29.02.\r\nWinterEnde=06.03.\r\n");
    EXPECT_EQ(errorOf([&] { drucken("Quartal 1 vertikal"); }),
        u"'29.02.2026' ist kein gültiges Datum (Schlüssel WinterBeginn im Abschnitt [Ferien] der "
        "Einstellungsdatei %1)"_s.arg(
            QDir::toNativeSeparators(dir.file(QStringLiteral("Kalvalues.ini")))));
    EXPECT_FALSE(tage->controlsDisabled());
    EXPECT_FALSE(tage->eof());
}

// ---- what the day lines and bands show

TEST_F(MonthCalendar, DayLinesFollowTheSharedRules)
{
    oeffnen(2026);
    writeAll(dir.file(QStringLiteral("Kalvalues.ini")),
        "[User]\r\nLinienfarbe=16711680\r\n"
        "[Ferien]\r\nWeihnachten1Beginn=01.01.\r\nWeihnachten1Ende=09.01.\r\n");
    ASSERT_TRUE(tage->locate(u"Datum"_s, QDate(2026, 1, 7)));
    tage->setString(u"Text"_s, u"Urlaub"_s);
    tage->post();
    const auto zeilen = baender(drucken("Monat Januar horizontal"), report::BandKind::Detail);
    ASSERT_EQ(zeilen.size(), 31u);
    const struct {
        int tag;
        const char *woche;
        qint32 LayoutSettings::*farbe;
    } cases[] = {
        { 1, "Woche1", &LayoutSettings::hintergrundFeiertag }, // Neujahr, a Thursday in week 1
        { 2, "", &LayoutSettings::hintergrundFarbeFerien },
        { 3, "", &LayoutSettings::hintergrundSamstag },
        { 4, "", &LayoutSettings::hintergrundWochenende },
        { 5, "Woche 2", &LayoutSettings::hintergrundFarbeFerien },
        { 12, "Woche 3", nullptr },
    };
    for (const auto &c : cases) {
        const Band &z = zeilen.at(std::size_t(c.tag - 1));
        EXPECT_EQ(z.wochenLabel(), QString::fromUtf8(c.woche)) << c.tag;
        const qint32 farbe = c.farbe ? settings.*c.farbe : Tageszeile::kWeiss;
        EXPECT_EQ(z.hintergrund, druckFarbe(farbe)) << c.tag;
    }
    const report::TextItem *urlaub = zeilen.at(6).itemBei(56);
    ASSERT_NE(urlaub, nullptr);
    EXPECT_EQ(urlaub->text, u"Urlaub"_s);
    EXPECT_EQ(urlaub->color, druckFarbe(settings.schriftFarbeUrlaub));
    EXPECT_EQ(zeilen.at(5).itemBei(56)->color, QColor(Qt::black)); // Heilige Drei Könige
    EXPECT_EQ(zeilen.at(5).itemBei(56)->font, report::FontSpec({ u"Arial"_s, 10 }));
    // The day text stays inside its column, 257 pixels wide with 4 and 2 mm margins... here
    // one column of 771: the text keeps its 209 pixels.
    EXPECT_NEAR(urlaub->rect.width(), 209, 0.01);
}

// On a Monday with a text (Ostermontag, 6 April 2026, week 15) weekday, week label and day
// text must not print over each other.
TEST_F(MonthCalendar, WeekdayWeekLabelAndDayTextKeepApart)
{
    oeffnen(2026);
    einstellungen("");
    IniFile ini(dir.file(QStringLiteral("Kalvalues.ini")));
    const struct {
        const char *layout;
        std::function<report::Document()> drucken;
        double textLeft; // as set; a text below the label keeps it
        bool unterDemLabel;
    } cases[] = {
        { "month", [&] { return drucken("Monat April vertikal"); }, 56, false },
        { "week", [&] { return wochenkalenderDokument(*tage, settings, ini); }, 64, false },
        { "diary", [&] { return tagebuchDokument(4, *tage, settings, ini); }, 64, true },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        const auto zeilen = baender(c.drucken(), report::BandKind::Detail);
        const Band *montag = nullptr;
        for (const Band &z : zeilen)
            if (z.textBei(0) == u"6"_s && z.wochenLabel() == u"Woche 15"_s)
                montag = &z;
        ASSERT_NE(montag, nullptr);
        const report::TextItem *woche = montag->wochenItem();
        const report::TextItem *text = nullptr;
        const report::TextItem *wochentag = nullptr;
        for (const auto &t : montag->texte) {
            if (t.text == u"Ostermontag"_s)
                text = &t;
            if (t.text == u"Mo"_s)
                wochentag = &t;
        }
        ASSERT_NE(text, nullptr);
        ASSERT_NE(wochentag, nullptr);
        EXPECT_GT(woche->rect.left(), wochentag->rect.right());
        if (c.unterDemLabel)
            EXPECT_DOUBLE_EQ(text->rect.left() - montag->rect.left(), c.textLeft);
        else
            EXPECT_GT(text->rect.left(), woche->rect.right());
        // The day text keeps its right edge.
        const double rechts = c.textLeft + (c.unterDemLabel ? 641 : c.textLeft == 56 ? 209 : 265);
        EXPECT_NEAR(text->rect.right() - montag->rect.left(), rechts, 0.01);
        // Days without a week label keep the text where it was set.
        bool karfreitag = false;
        for (const Band &z : zeilen)
            if (const report::TextItem *t = z.itemBei(c.textLeft); t && t->text == u"Karfreitag"_s)
                karfreitag = true;
        EXPECT_TRUE(karfreitag);
    }
}

TEST_F(MonthCalendar, HeaderAndFooterFromTheSettings)
{
    oeffnen(2026);
    settings.firma = u"Muster & Söhne"_s;
    settings.strasse = u"Hauptstraße 1"_s;
    settings.ort = u"12345 Musterstadt"_s;
    settings.telefon = u"0123 456"_s;
    settings.fax = u"0123 457"_s;
    settings.kopfbandtext = u"Alles Gute im neuen Jahr"_s;
    settings.kopfBandFarbe = 0x00FF00;
    settings.font(FontGroup::Adresse).size = 9;
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const QString pfad = dir.file(u"Logo.jpg"_s);
    ASSERT_TRUE(logo.save(pfad, "JPG"));
    // No style keys: the groups print in all four styles; the second company line never does.
    einstellungen("Bild=" + pfad.toUtf8() + "\r\nMonatLeft=10\r\nMonatTOP=10\r\n");
    const report::Document doc = drucken("Monat Mai vertikal");
    const auto kopf = baender(doc, report::BandKind::PageHeader).at(0);
    const report::FontSpec alle { u"Arial"_s, 8, true, true, true, true };
    const struct {
        double left, top;
        const char *text;
        report::FontSpec font;
    } cases[] = {
        { 8, 8, "Muster & Söhne", alle },
        { 440, 6, "Muster & Söhne", { u"Arial"_s, 9 } },
        { 440, 22, "Hauptstraße 1", { u"Arial"_s, 9, true, true, true, true } },
        { 440, 40, "12345 Musterstadt", { u"Arial"_s, 9, true, true, true, true } },
        { 440, 56, "0123 456", { u"Arial"_s, 9, true, true, true, true } },
        { 440, 72, "0123 457", { u"Arial"_s, 9, true, true, true, true } },
    };
    for (const auto &c : cases) {
        const report::TextItem *t = kopf.itemBei(c.left, c.top);
        ASSERT_NE(t, nullptr) << c.text;
        EXPECT_EQ(t->text, QString::fromUtf8(c.text));
        EXPECT_EQ(t->font, c.font) << c.text;
    }
    EXPECT_EQ(kopf.rect.topLeft(), QPointF(report::mmToPixels(10), report::mmToPixels(10)));
    ASSERT_EQ(kopf.bilder.size(), 1u);
    EXPECT_EQ(kopf.bilder[0].rect, QRectF(656, 8, 57, 73).translated(kopf.rect.topLeft()));

    const auto fuss = baender(doc, report::BandKind::PageFooter).at(0);
    const report::TextItem *streifen = fuss.itemBei(0, 8);
    ASSERT_NE(streifen, nullptr);
    EXPECT_EQ(streifen->text, u"Alles Gute im neuen Jahr"_s);
    EXPECT_EQ(streifen->rect.size(), QSizeF(713, 17));
    EXPECT_EQ(streifen->background, QColor(0, 255, 0));
    EXPECT_FALSE(streifen->font.bold || streifen->font.italic || streifen->font.underline
        || streifen->font.strikeOut);
    const auto gruppe = baender(doc, report::BandKind::GroupHeader).at(0);
    const report::TextItem *monat = gruppe.itemBei(16, 16);
    ASSERT_NE(monat, nullptr);
    EXPECT_EQ(monat->font, alle);
    EXPECT_EQ(monat->background, druckFarbe(settings.monatHintergrundFarbe));
}

// Month and diary headers keep the logo wholly on the paper whatever the side margins, and the
// address left of it.
TEST_F(MonthCalendar, LogoStaysOnThePaperBetweenWideMargins)
{
    oeffnen(2026);
    settings.firma = u"Muster & Söhne"_s;
    settings.strasse = u"Hauptstraße 1"_s;
    settings.ort = u"12345 Musterstadt"_s;
    settings.telefon = u"0123 456"_s;
    settings.fax = u"0123 457"_s;
    QImage bild(40, 30, QImage::Format_RGB32);
    bild.fill(Qt::red);
    const QString pfad = dir.file(u"Logo.jpg"_s);
    ASSERT_TRUE(bild.save(pfad, "JPG"));
    const struct {
        const char *ini;
        bool amOrt; // at (656, 8) as on the form
    } cases[] = {
        { "", true },
        { "MonatLeft=10\r\nMonatright=10\r\n", true },
        { "MonatLeft=30\r\n", false },
        { "MonatLeft=40\r\nMonatright=40\r\n", false },
        { "MonatLeft=2\r\nMonatright=40\r\n", false },
    };
    const std::function<report::Document()> layouts[] = {
        [&] { return drucken("Monat Mai vertikal"); },
        [&] {
            IniFile ini(dir.file(QStringLiteral("Kalvalues.ini")));
            return tagebuchDokument(5, *tage, settings, ini);
        },
    };
    for (const auto &c : cases) {
        einstellungen("Bild=" + pfad.toUtf8() + "\r\n" + c.ini);
        for (const auto &layout : layouts) {
            SCOPED_TRACE(c.ini);
            const report::Document doc = layout();
            const auto kopf = baender(doc, report::BandKind::PageHeader).at(0);
            ASSERT_EQ(kopf.bilder.size(), 1u);
            const QRectF logo = kopf.bilder[0].rect;
            EXPECT_EQ(logo.size(), QSizeF(57, 73));
            EXPECT_GE(logo.left(), kopf.rect.left() - 0.01);
            EXPECT_LE(logo.right(), kopf.rect.right() + 0.01);
            EXPECT_LE(logo.right(), doc.pageSize().width());
            if (c.amOrt)
                EXPECT_EQ(logo, QRectF(656, 8, 57, 73).translated(kopf.rect.topLeft()));
            else
                EXPECT_NEAR(logo.right(), kopf.rect.right(), 0.01);
            for (const double top : { 6, 22, 40, 56, 72 }) {
                const report::TextItem *zeile = nullptr;
                for (const auto &t : kopf.texte)
                    if (qAbs(t.rect.top() - kopf.rect.top() - top) < 0.01)
                        zeile = &t;
                ASSERT_NE(zeile, nullptr) << top;
                const double ende
                    = zeile->rect.left() + report::textWidth(zeile->text, zeile->font);
                EXPECT_LE(ende, logo.left()) << zeile->text.toStdString();
            }
        }
    }
}

TEST(Logo, ScaledDownOnlyWhenTheBandIsNarrowerThanTheLogo)
{
    const struct {
        double breite;
        QRectF box;
    } cases[] = {
        { 771, QRectF(656, 8, 57, 73) }, // margins 4 and 2 mm
        { 713, QRectF(656, 8, 57, 73) }, // exactly to the logo's right edge
        { 491, QRectF(434, 8, 57, 73) }, // margins 40 and 40 mm: at the right edge
        { 57, QRectF(0, 8, 57, 73) },
        { 38, QRectF(0, 8, 38, 73.0 * 38 / 57) }, // scaled, proportions kept
    };
    for (const auto &c : cases) {
        const QRectF box = Bausteine::logoBox(c.breite);
        EXPECT_NEAR(box.left(), c.box.left(), 1e-9) << c.breite;
        EXPECT_NEAR(box.top(), c.box.top(), 1e-9) << c.breite;
        EXPECT_NEAR(box.width(), c.box.width(), 1e-9) << c.breite;
        EXPECT_NEAR(box.height(), c.box.height(), 1e-9) << c.breite;
    }
}

TEST_F(MonthCalendar, YearMovesRightOfALongMonthNameInALargeFont)
{
    oeffnen(2026);
    einstellungen("MonatStyleBold=0\r\nMonatStyleItalic=0\r\n");
    settings.font(FontGroup::Monat).size = 20;
    const auto koepfe = baender(drucken("Quartal 3 vertikal"), report::BandKind::GroupHeader);
    ASSERT_EQ(koepfe.size(), 3u);
    for (const Band &k : koepfe) {
        const report::TextItem &monat = k.texte.at(0);
        const report::TextItem &jahr = k.texte.at(1);
        EXPECT_EQ(jahr.text, u"2026"_s);
        EXPECT_GE(jahr.rect.left(), monat.rect.right() + 1) << monat.text.toStdString();
        EXPECT_GE(jahr.rect.left() - k.rect.left(), 96);
    }
    // With the usual 8 points the year keeps its place.
    settings.font(FontGroup::Monat).size = 8;
    EXPECT_EQ(baender(drucken("Monat September vertikal"), report::BandKind::GroupHeader)
                  .at(0)
                  .textBei(96),
        u"2026"_s);
}

TEST_F(MonthCalendar, PreviewShowsWhatTheCommandLinePrints)
{
    oeffnen(2026);
    einstellungen("");
    bilderSpeichern({ 10 });
    IniFile ini(dir.file(QStringLiteral("Kalvalues.ini")));
    report::ScopedRecordingPreviewer preview;
    monatskalenderDrucken(auswahl("Quartal 4 vertikal"), *tage, bilder.get(), settings, ini);
    ASSERT_EQ(preview.documents().size(), 1u);
    const auto koepfe = baender(preview.documents().front(), report::BandKind::GroupHeader);
    ASSERT_EQ(koepfe.size(), 3u);
    EXPECT_EQ(koepfe[0].bilder.size(), 1u);
    EXPECT_EQ(tage->filter(), u"(MonatNr='10')or(MonatNr='11')or(MonatNr='12')"_s);

    // A calendar printed without its picture table: empty boxes, no message.
    ScopedScriptedUi ui;
    const report::Document ohne
        = monatskalenderDokument(auswahl("Quartal 4 vertikal"), *tage, nullptr, settings, ini);
    EXPECT_TRUE(baender(ohne, report::BandKind::GroupHeader).at(0).bilder.empty());
    EXPECT_TRUE(ui->messages().isEmpty());
}

} // namespace
