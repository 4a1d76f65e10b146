#include "designer/Formulardruck.h"
#include "../printing/KalenderTestUtil.h"
#include "caldata/KalenderDatei.h"
#include "platform/Error.h"
#include "printing/TMonateKalenderForm.h"
#include "report/Printables.h"
#include "settings/ColorValue.h"
#include "settings/IniFile.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"

#include <QFile>
#include <gtest/gtest.h>
#include <set>

using namespace kb;
using namespace kb::designer;
using kb::test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// A calendar of one year with its day and picture tables open, the picture table linked to
// the day table by month as the main window links it before a form prints.
struct Kalender {
    TempDir dir;
    KalenderDatei dateien;
    Table tage;
    Table bilder;

    explicit Kalender(int jahr)
        : dateien(KalenderDatei::ausQvk(test::testKalender(dir, jahr)))
    {
        tage.setFilePath(dateien.jahrPfad());
        tage.open();
        bilderVerknuepfen(bilder, tage);
        bilder.setFilePath(dateien.bildPfad());
        bilder.open();
    }

    report::Document drucken(const Formular &form, const LayoutSettings &settings = test::farben())
    {
        Formulardruck druck(form, tage, &bilder, settings);
        return druck.generate();
    }
};

// The first placed band of `kind` on `page` at or after `from`.
const report::PlacedBand *band(const report::Page &page, report::BandKind kind, std::size_t nr = 0)
{
    for (const report::PlacedBand &b : page.bands)
        if (b.kind == kind && nr-- == 0)
            return &b;
    return nullptr;
}

// Every printed day band of the document with the date it printed, in printing order.
struct DruckZeile {
    const report::Page *page;
    const report::PlacedBand *band;
};
std::vector<DruckZeile> tageszeilen(const report::Document &doc)
{
    std::vector<DruckZeile> zeilen;
    for (const report::Page &page : doc.pages)
        for (const report::PlacedBand &b : page.bands)
            if (b.kind == report::BandKind::Detail)
                zeilen.push_back({ &page, &b });
    return zeilen;
}

// The text the printable at `index` of a band drew; empty when it drew none.
QString textVon(const DruckZeile &z, std::size_t index)
{
    const report::PlacedPrintable &p = z.band->printables.at(index);
    if (p.itemCount == 0)
        return {};
    const auto *t = std::get_if<report::TextItem>(&z.page->items.at(p.firstItem));
    return t ? t->text : QString();
}

std::size_t tagIndex(const QDate &d)
{
    return std::size_t(d.dayOfYear() - 1);
}

// A form with nothing but the page settings of the tests: small bands so that a month fits
// one column of an A3 page.
Formular leeresFormular(int spalten)
{
    Formular form;
    form.panel().columns = spalten;
    form.panel().paper = PaperItem::A3;
    form.panel().orientation = OrientationBox::Portrait;
    form.setBandHeight(FormBand::Header, 40);
    form.setBandHeight(FormBand::Group, 70);
    form.setBandHeight(FormBand::Day, 62);
    form.setBandHeight(FormBand::Footer, 60);
    return form;
}

FormElement &element(Formular &form, ElementType type, FormBand band, QRect platz)
{
    FormElement *e = form.create(type, band);
    EXPECT_NE(e, nullptr);
    e->left = platz.left();
    e->top = platz.top();
    e->width = platz.width();
    e->height = platz.height();
    return *e;
}

// ---- band heights and positions

// A small form whose every element kind is placed at a known spot: the bands get the heights
// of the designer less their rulers, and each printable lands at its element's place less the
// ruler offsets plus the margins (12 mm left, 7 mm top, taken as pixels).
TEST(Formulardruck, BandHeightsAndPrintablePositionsFollowTheDesigner)
{
    Kalender k(2026);
    Formular form;
    form.page().marginLeft = 12;
    form.page().marginTop = 7;
    form.panel().paper = PaperItem::A3;
    form.panel().orientation = OrientationBox::Portrait;
    form.setBandHeight(FormBand::Header, 90);
    form.setBandHeight(FormBand::Group, 80);
    form.setBandHeight(FormBand::Day, 75);
    form.setBandHeight(FormBand::Footer, 70);
    element(form, ElementType::FreeText, FormBand::Header, QRect(45, 10, 44, 30)).caption
        = s("Kopf");
    element(form, ElementType::Rectangle, FormBand::Header, QRect(40, 5, 0, 20));
    element(form, ElementType::DataField, FormBand::Group, QRect(60, 52, 100, 25)).source
        = s(kMainTable);
    element(form, ElementType::Rectangle, FormBand::Day, QRect(45, 40, 30, 10));
    element(form, ElementType::FreeText, FormBand::Day, QRect(50, 50, 40, 24)).caption = s("Tag");
    element(form, ElementType::DataPicture, FormBand::Day, QRect(10, 50, 20, 20)).source
        = s(kMainTable);
    element(form, ElementType::SystemField, FormBand::Footer, QRect(100, 55, 60, 30)).caption
        = s("Seitennummerierung");

    const report::Document doc = k.drucken(form);
    ASSERT_FALSE(doc.pages.empty());
    const report::Page &page = doc.pages.front();
    const auto *kopf = band(page, report::BandKind::PageHeader);
    const auto *gruppe = band(page, report::BandKind::ColumnHeader);
    const auto *tag = band(page, report::BandKind::Detail);
    const auto *summe = band(page, report::BandKind::GroupHeader);
    const auto *fuss = band(page, report::BandKind::PageFooter);
    ASSERT_TRUE(kopf && gruppe && tag && summe && fuss);
    EXPECT_EQ(kopf->rect.height(), 90);
    EXPECT_EQ(gruppe->rect.height(), 30);
    EXPECT_EQ(tag->rect.height(), 26);
    EXPECT_EQ(summe->rect.height(), 0);
    EXPECT_EQ(fuss->rect.height(), 20);

    const auto at = [](const report::PlacedBand *b, std::size_t i) {
        return b->printables.at(i).rect.translated(-b->rect.topLeft());
    };
    // Header: the rectangle (widened from 0 to 1) lies behind the free text.
    ASSERT_EQ(kopf->printables.size(), 2u);
    EXPECT_EQ(at(kopf, 0), QRectF(40 - 30 + 12, 5 - 0 + 7, 1, 20));
    EXPECT_EQ(at(kopf, 1), QRectF(45 - 30 + 12, 10 - 10 + 7, 44 + 10, 30));
    ASSERT_EQ(gruppe->printables.size(), 1u);
    EXPECT_EQ(at(gruppe, 0), QRectF(60 - 30 + 12, 52 - 50 + 7, 100 + 10, 25));
    // Day: the week label first, then rectangle, free text and data picture; the data picture
    // shows only on a day with a symbol, so here it keeps its place with no size.
    ASSERT_EQ(tag->printables.size(), 4u);
    EXPECT_EQ(at(tag, 1), QRectF(45 - 30 + 12, 40 - 34 + 7, 30, 10));
    EXPECT_EQ(at(tag, 2), QRectF(50 - 30 + 12, 50 - 50 + 7, 40 + 10, 24));
    EXPECT_EQ(at(tag, 3), QRectF(10 - 21 + 12, 50 - 60 + 7, 0, 0));
    ASSERT_EQ(fuss->printables.size(), 1u);
    EXPECT_EQ(at(fuss, 0), QRectF(100 - 30 + 12, 55 - 50 + 7, 60 + 10, 30));
    EXPECT_EQ(textVon({ &page, fuss }, 0), s("1"));
}

// A day with a symbol shows the day's data picture at its place; the others show none.
TEST(Formulardruck, DayPicturesShowOnlyOnDaysWithASymbol)
{
    Kalender k(2026);
    k.tage.locate(s("Datum"), QDate(2026, 1, 3));
    QImage symbol(16, 16, QImage::Format_RGB32);
    symbol.fill(Qt::red);
    k.tage.edit();
    k.tage.setImage(s("SymbolBild"), symbol);
    k.tage.post();
    Formular form = leeresFormular(12);
    FormElement &bild = element(form, ElementType::DataPicture, FormBand::Day, QRect(10, 50, 9, 9));
    bild.source = s(kMainTable);
    bild.dataField = s("SymbolBild");

    const report::Document doc = k.drucken(form);
    const auto zeilen = tageszeilen(doc);
    ASSERT_EQ(zeilen.size(), 365u);
    for (int tag : { 1, 2, 3, 4 }) {
        const report::PlacedPrintable &p = zeilen[std::size_t(tag - 1)].band->printables.back();
        EXPECT_EQ(p.itemCount, tag == 3 ? 1u : 0u) << tag;
        if (tag == 3) {
            EXPECT_EQ(p.rect.size(), QSizeF(9, 9));
        }
    }
}

// ---- columns and pages

TEST(Formulardruck, EveryMonthStartsAColumnTwelveColumnsMakeOnePageSixMakeTwo)
{
    Kalender k(2026);
    for (const auto &[spalten, seiten] : { std::pair { 12, 1 }, std::pair { 6, 2 } }) {
        SCOPED_TRACE(spalten);
        const report::Document doc = k.drucken(leeresFormular(spalten));
        ASSERT_EQ(int(doc.pages.size()), seiten);
        const auto zeilen = tageszeilen(doc);
        ASSERT_EQ(zeilen.size(), 365u);
        for (int monat = 1; monat <= 12; ++monat) {
            const QDate erster(2026, monat, 1);
            const QDate letzter(2026, monat, erster.daysInMonth());
            const DruckZeile &a = zeilen[tagIndex(erster)];
            const DruckZeile &b = zeilen[tagIndex(letzter)];
            const int seite = int(a.page - doc.pages.data());
            EXPECT_EQ(seite, (monat - 1) / spalten) << monat;
            EXPECT_EQ(a.band->column, (monat - 1) % spalten) << monat;
            EXPECT_EQ(b.band->column, a.band->column) << monat;
            EXPECT_EQ(b.page, a.page) << monat;
        }
    }
}

// A form without elements still prints one day band per day and a column per month.
TEST(Formulardruck, AnEmptyFormPrintsEmptyBands)
{
    Kalender k(2026);
    const report::Document doc = k.drucken(Formular {});
    const auto zeilen = tageszeilen(doc);
    ASSERT_EQ(zeilen.size(), 365u);
    std::set<std::pair<std::size_t, int>> spalten;
    for (const DruckZeile &z : zeilen)
        spalten.insert({ std::size_t(z.page - doc.pages.data()), z.band->column });
    EXPECT_GE(spalten.size(), 12u);
}

// ---- week captions

TEST(Formulardruck, WeekCaptionsOnMondaysAndOnceForWeekOne)
{
    const struct {
        int jahr;
        QDate tag;
        const char *woche;
    } cases[] = {
        { 2024, QDate(2024, 1, 1), "Woche1" }, // a Monday in week 1, the first day printed
        { 2024, QDate(2024, 1, 2), "" },
        { 2024, QDate(2024, 1, 8), "Woche 2" },
        { 2024, QDate(2024, 1, 9), "" },
        { 2024, QDate(2024, 12, 30), "" }, // a Monday of week 1 of the next year
        { 2024, QDate(2024, 12, 31), "" },
        { 2021, QDate(2021, 1, 1), "" }, // week 53 of the year before
        { 2021, QDate(2021, 1, 4), "Woche1" },
        { 2021, QDate(2021, 1, 11), "Woche 2" },
        { 2021, QDate(2021, 1, 12), "" },
    };
    for (const int jahr : { 2024, 2021 }) {
        Kalender k(jahr);
        Formular form = leeresFormular(12);
        form.panel().showWeeks = true;
        Formulardruck druck(form, k.tage, &k.bilder, test::farben());
        // The flag starts cleared on every generation: a print from the preview shows week 1
        // again.
        for (int lauf = 0; lauf < 2; ++lauf) {
            const report::Document doc = druck.generate();
            const auto zeilen = tageszeilen(doc);
            for (const auto &c : cases) {
                if (c.jahr != jahr)
                    continue;
                EXPECT_EQ(textVon(zeilen.at(tagIndex(c.tag)), 0), s(c.woche))
                    << c.tag.toString(Qt::ISODate).toStdString() << " run " << lauf;
            }
        }
    }
}

TEST(Formulardruck, WithoutWeeksNoWeekNumberPrints)
{
    Kalender k(2024);
    Formular form = leeresFormular(12);
    form.panel().showWeeks = false;
    const report::Document doc = k.drucken(form);
    for (const DruckZeile &z : tageszeilen(doc))
        ASSERT_TRUE(textVon(z, 0).isEmpty());
}

// ---- the day band's colours

TEST(Formulardruck, DayBackgroundFollowsTheSwitchesInTheirOrder)
{
    LayoutSettings settings = test::farben();
    settings.periode(Ferien::Sommer) = { s("01.08."), s("31.08.") };
    const qint32 weiss = 0xFFFFFF;
    const qint32 feiertag = settings.hintergrundFeiertag;
    const qint32 samstag = settings.hintergrundSamstag;
    const qint32 sonntag = settings.hintergrundWochenende;
    const qint32 ferien = settings.hintergrundFarbeFerien;
    const struct {
        const char *was;
        QDate datum;
        const char *tag;
        int kennung;
        Schattierung schalter;
        qint32 farbe;
    } cases[] = {
        { "ordinary day", QDate(2026, 3, 4), "Mi", 0, { true, true, true, true }, weiss },
        { "holiday", QDate(2026, 3, 4), "Mi", 3, { false, false, true, false }, feiertag },
        { "special day is white", QDate(2026, 3, 4), "Mi", -4, { true, true, true, true }, weiss },
        { "special Saturday", QDate(2026, 3, 7), "Sa", -4, { true, false, true, false }, samstag },
        { "Saturday and holiday, both switches", QDate(2026, 3, 7), "Sa", 3,
            { true, false, true, false }, samstag },
        { "holiday without the switch, Sunday", QDate(2026, 3, 8), "So", 3,
            { true, true, false, true }, weiss },
        { "Sunday", QDate(2026, 3, 8), "So", 0, { false, true, false, false }, sonntag },
        { "Sunday without the switch", QDate(2026, 3, 8), "So", 0, { true, false, true, true },
            weiss },
        { "school holiday", QDate(2026, 8, 5), "Mi", 0, { false, false, false, true }, ferien },
        { "school holiday, switch off", QDate(2026, 8, 5), "Mi", 0, { true, true, true, false },
            weiss },
        { "school-holiday Saturday", QDate(2026, 8, 8), "Sa", 0, { true, false, false, true },
            samstag },
        { "school-holiday Saturday, no Saturday switch", QDate(2026, 8, 8), "Sa", 0,
            { false, false, false, true }, weiss },
        { "holiday in the school holidays", QDate(2026, 8, 15), "Sa", 5,
            { false, false, true, true }, feiertag },
        { "special day in the school holidays", QDate(2026, 8, 6), "Do", -2,
            { false, false, true, true }, ferien },
    };
    for (const auto &c : cases) {
        Tageszeile::Tag t;
        t.datum = c.datum;
        t.tag = s(c.tag);
        t.kennung = c.kennung;
        EXPECT_EQ(tagesHintergrund(t, c.schalter, settings), c.farbe) << c.was;
    }
}

TEST(Formulardruck, ASchoolHolidayBoundThatIsNoDateIsReported)
{
    LayoutSettings settings;
    settings.periode(Ferien::Winter) = { s("29.02."), s("03.03.") };
    Tageszeile::Tag t;
    t.datum = QDate(2026, 3, 2);
    t.tag = s("Mo");
    const QString fehler = test::errorOf([&] {
        tagesHintergrund(t, { false, false, false, true }, settings);
    });
    EXPECT_TRUE(fehler.startsWith(s("'29.02.2026' ist kein gültiges Datum")))
        << fehler.toStdString();
}

// The printed day bands carry the colours: Christmas (a holiday), a Saturday and a working day.
TEST(Formulardruck, PrintedDaysCarryTheirBackground)
{
    Kalender k(2026);
    Formular form = leeresFormular(12);
    form.panel().shadeSaturdays = form.panel().shadeSundays = true;
    form.panel().shadeHolidays = true;
    const LayoutSettings settings = test::farben();
    const report::Document doc = k.drucken(form, settings);
    const auto zeilen = tageszeilen(doc);
    const auto farbe = [&](const QDate &d) { return zeilen.at(tagIndex(d)).band->background; };
    EXPECT_EQ(farbe(QDate(2026, 12, 25)), toQColor(settings.hintergrundFeiertag));
    EXPECT_EQ(farbe(QDate(2026, 12, 5)), toQColor(settings.hintergrundSamstag));
    EXPECT_EQ(farbe(QDate(2026, 12, 2)), QColor(Qt::white));
}

// ---- the picture table

TEST(Formulardruck, AMonthTextFieldInTheDayBandPrintsEachDaysMonthText)
{
    Kalender k(2026);
    k.bilder.close();
    k.bilder.clearMasterSource();
    k.bilder.open();
    for (int monat = 1; monat <= 12; ++monat) {
        ASSERT_TRUE(k.bilder.locate(s("Nr"), monat));
        k.bilder.edit();
        k.bilder.setString(s("TextMonat"), s("Text für Monat %1").arg(monat));
        k.bilder.post();
    }
    bilderVerknuepfen(k.bilder, k.tage);
    Formular form = leeresFormular(12);
    FormElement &feld = element(form, ElementType::DataField, FormBand::Day, QRect(40, 50, 90, 11));
    feld.source = s(kDetailTable);
    feld.dataField = s("TextMonat");

    const report::Document doc = k.drucken(form);
    const auto zeilen = tageszeilen(doc);
    ASSERT_EQ(zeilen.size(), 365u);
    for (const QDate d : { QDate(2026, 1, 1), QDate(2026, 1, 31), QDate(2026, 2, 1),
             QDate(2026, 6, 17), QDate(2026, 12, 31) })
        EXPECT_EQ(textVon(zeilen[tagIndex(d)], 1), s("Text für Monat %1").arg(d.month()))
            << d.toString(Qt::ISODate).toStdString();
}

// A month picture in the group band fills its box whatever the picture's shape, cut centred.
TEST(Formulardruck, MonthPicturesFillTheirBox)
{
    Kalender k(2026);
    k.bilder.close();
    test::monatsbildSpeichern(k.dateien.bildPfad(), 1, Qt::red, { 1200, 400 });
    test::monatsbildSpeichern(k.dateien.bildPfad(), 2, Qt::blue, { 300, 900 });
    k.bilder.open();
    Formular form = leeresFormular(1);
    form.setBandHeight(FormBand::Group, 250);
    FormElement &bild
        = element(form, ElementType::DataPicture, FormBand::Group, QRect(30, 50, 300, 200));
    bild.source = s(kDetailTable);
    bild.dataField = s("Bild");

    const report::Document doc = k.drucken(form);
    for (int monat : { 1, 2 }) {
        const report::Page &page = doc.pages.at(std::size_t(monat - 1));
        const auto *gruppe = band(page, report::BandKind::ColumnHeader);
        ASSERT_TRUE(gruppe);
        const auto &slot = gruppe->printables.at(0);
        ASSERT_EQ(slot.itemCount, 1u);
        const auto &item = std::get<report::PictureItem>(page.items.at(slot.firstItem));
        EXPECT_EQ(item.rect.size(), QSizeF(300, 200)) << monat;
        EXPECT_NEAR(double(item.image.width()) / item.image.height(), 1.5, 0.02) << monat;
        const QColor mitte = test::mitte(item);
        const QColor soll = monat == 1 ? QColor(Qt::red) : QColor(Qt::blue);
        EXPECT_NEAR(mitte.red(), soll.red(), 8) << monat;
        EXPECT_NEAR(mitte.blue(), soll.blue(), 8) << monat;
    }
}

// ---- the ready-made forms

TEST(Formulardruck, TheReadyMadeFormsLoadAndPrintAMonthPerColumn)
{
    Kalender k(2026);
    k.bilder.close();
    for (int monat = 1; monat <= 12; ++monat)
        test::monatsbildSpeichern(
            k.dateien.bildPfad(), monat, QColor::fromHsv(monat * 25, 200, 200));
    k.bilder.open();
    const struct {
        const char *name;
        int seiten;
        int bilder;
    } cases[] = {
        { "Jahresplaner", 1, 0 },
        { "Fotokalender", 12, 12 },
        { "Wochenplaner", 6, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString pfad = s(KB_BIN_DIR "/Kalenderdaten/") + s(c.name) + s(".qvf");
        test::ScopedScriptedUi ui;
        Formular form;
        ASSERT_TRUE(form.load(pfad));
        // Made by the form writer: saving what was loaded gives the same bytes.
        TempDir aus;
        form.save(aus.file(s("wieder.qvf")));
        EXPECT_EQ(test::readAll(aus.file(s("wieder.qvf"))), test::readAll(pfad));

        Formulardruck druck(form, k.tage, &k.bilder, test::farben(), s(c.name) + s(" 2026"));
        const report::Document doc = druck.generate();
        EXPECT_EQ(int(doc.pages.size()), c.seiten);
        // Each month stays in one column: no day band runs over into the next column.
        const auto zeilen = tageszeilen(doc);
        ASSERT_EQ(zeilen.size(), 365u);
        for (int monat = 1; monat <= 12; ++monat) {
            const QDate erster(2026, monat, 1);
            const auto &a = zeilen[tagIndex(erster)];
            const auto &b = zeilen[tagIndex(QDate(2026, monat, erster.daysInMonth()))];
            EXPECT_EQ(a.page, b.page) << monat;
            EXPECT_EQ(a.band->column, b.band->column) << monat;
            EXPECT_EQ(a.band->rect.height(), b.band->rect.height()) << monat;
        }
        int bilder = 0;
        for (const report::Page &page : doc.pages)
            for (const auto &item : page.items)
                bilder += std::holds_alternative<report::PictureItem>(item);
        EXPECT_EQ(bilder, c.bilder);
    }
}

} // namespace
