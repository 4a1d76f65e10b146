#include "KalenderTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "printing/TKalenderForm.h"
#include "printing/TextGruppen.h"
#include "report/Previewer.h"
#include "report/TextLayout.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

class YearCalendar : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings = farben();
        settings.kopftext = u"Jahreskalender"_s;
    }

    void oeffnen(int year)
    {
        const QString qvk = testKalender(dir, year);
        tage = std::make_unique<Table>();
        tage->setFilePath(KalenderDatei::ausQvk(qvk).jahrPfad());
        tage->open();
        tage->first();
    }

    // The settings file as the run reads it.
    void einstellungen(const QByteArray &content)
    {
        writeAll(dir.file(QStringLiteral("Kalvalues.ini")), "[User]\r\n" + content);
    }

    report::Document drucken(const char *navText)
    {
        const KalenderVariante *v = kalenderVariante(QString::fromUtf8(navText));
        EXPECT_NE(v, nullptr) << navText;
        IniFile ini(dir.file(QStringLiteral("Kalvalues.ini")));
        return kronoblattDokument(*v, *tage, settings, ini);
    }

    void setzeText(const QDate &tag, const QString &text)
    {
        ASSERT_TRUE(tage->locate(QStringLiteral("Datum"), tag));
        tage->setString(QStringLiteral("Text"), text);
        tage->post();
    }

    TempDir dir;
    LayoutSettings settings;
    std::unique_ptr<Table> tage;
};

const Zeile &zeileAm(const std::vector<Zeile> &zeilen, const QDate &tag)
{
    return zeilen.at(std::size_t(tag.dayOfYear() - 1));
}

struct VariantCase {
    const char *nav;
    int seiten;
    int spalten;
    double spaltenBreite; // with the default margins
};

TEST_F(YearCalendar, EveryVariantPutsMonthKOnItsPageAndColumn)
{
    oeffnen(2026);
    einstellungen("");
    const VariantCase cases[] = {
        { "1 Seite 12 Spalten", 1, 12, 88 },
        { "2 Seiten 6 Spalten", 2, 6, 180 },
        { "3 Seiten 4 Spalten", 3, 4, 272 },
        { "4 Seiten 3 Spalten", 4, 3, 364 },
        { "6 Seiten 2 Spalten", 6, 2, 548 },
        { "12 Seiten 1 Spalte", 12, 1, 1100 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.nav);
        const report::Document doc = drucken(c.nav);
        EXPECT_EQ(doc.orientation, report::Orientation::Landscape);
        EXPECT_EQ(doc.paperSizeMm, QSizeF(297, 210));
        ASSERT_EQ(int(doc.pages.size()), c.seiten);

        const auto koepfe = spaltenkoepfe(doc);
        ASSERT_EQ(koepfe.size(), 12u);
        for (int k = 1; k <= 12; ++k) {
            EXPECT_EQ(koepfe[k - 1].monat, monatsnamen().at(k - 1));
            EXPECT_EQ(koepfe[k - 1].seite, (k - 1) / c.spalten);
            EXPECT_EQ(koepfe[k - 1].spalte, (k - 1) % c.spalten);
        }
        // The month name sits centred in the 6-column variant, at the left edge otherwise.
        for (const auto &k : koepfe) {
            if (c.spalten == 6)
                EXPECT_NEAR(k.monatRect.center().x(), k.rect.center().x(), 1.0)
                    << k.monat.toStdString();
            else
                EXPECT_EQ(k.monatRect.left(), k.rect.left()) << k.monat.toStdString();
        }
        const auto zeilen = tageszeilen(doc);
        ASSERT_EQ(zeilen.size(), 365u);
        for (const Zeile &z : zeilen)
            ASSERT_NEAR(z.rect.width(), c.spaltenBreite, 1.0);
        // Day texts stay inside their column, also where the text is set wider than it.
        const Zeile &neujahr = zeilen.front();
        EXPECT_EQ(neujahr.text, u"Neujahr"_s);
        EXPECT_LE(neujahr.textRect.right(), neujahr.rect.right() + 0.01);
        // ... and start right of the weekday printed before them.
        const report::FontSpec wochentag { u"Arial"_s,
            kalenderVariante(QString::fromUtf8(c.nav))->wochentagGroesse };
        EXPECT_GE(neujahr.textRect.left() - neujahr.rect.left(),
            18 + report::textWidth(u"Mo"_s, wochentag));
        // Every page: title, address, strip and the state at the foot.
        for (const auto &page : doc.pages) {
            const auto kopf = texte(page, report::BandKind::PageHeader);
            ASSERT_GE(kopf.size(), 2u);
            EXPECT_EQ(kopf[0].text, u"Jahreskalender 2026"_s);
            const auto fuss = texte(page, report::BandKind::PageFooter);
            ASSERT_EQ(fuss.size(), 1u);
            EXPECT_EQ(fuss[0].text, u"Bayern"_s);
        }
    }
}

struct MarginCase {
    const char *ini;
    int spalteDes31Januar;
    int seiten;
};

TEST_F(YearCalendar, ThirtyFirstFitsTheColumnUnlessTopAndBottomMarginsExceedEighteenMm)
{
    oeffnen(2026);
    const MarginCase cases[] = {
        { "", 0, 1 }, // defaults 3 + 5 mm
        { "KBTOP=9\r\nKBBottom=9\r\n", 0, 1 }, // 18 mm: 725 pixels still fit
        { "KBTOP=10\r\nKBBottom=9\r\n", 1, 2 }, // 19 mm: the 31st moves on
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ini);
        TempDir eigen;
        writeAll(eigen.file(QStringLiteral("k.ini")), QByteArray("[User]\r\n") + c.ini);
        IniFile ini(eigen.file(QStringLiteral("k.ini")));
        const report::Document doc
            = kronoblattDokument(*kalenderVariante(u"1 Seite 12 Spalten"_s), *tage, settings, ini);
        ASSERT_EQ(int(doc.pages.size()), c.seiten);
        const auto zeilen = tageszeilen(doc);
        EXPECT_EQ(zeileAm(zeilen, QDate(2026, 1, 30)).spalte, 0);
        EXPECT_EQ(zeileAm(zeilen, QDate(2026, 1, 31)).spalte, c.spalteDes31Januar);
        const double unten = doc.pageSize().height() - report::mmToPixels(c.ini[0] ? 9 : 5) - 18;
        for (const Zeile &z : zeilen)
            ASSERT_LE(z.rect.bottom(), unten + 0.01);
        const auto koepfe = spaltenkoepfe(doc);
        if (c.spalteDes31Januar == 1) {
            // Each of the seven 31-day months runs over and heads its overflow column with
            // its name again; the months after it move on by one column each time.
            ASSERT_EQ(koepfe.size(), 19u);
            EXPECT_EQ(koepfe[1].monat, u"Januar"_s);
            EXPECT_EQ(koepfe[1].spalte, 1);
            EXPECT_EQ(koepfe[2].monat, u"Februar"_s);
            EXPECT_EQ(koepfe[2].spalte, 2);
            EXPECT_EQ(koepfe[3].monat, u"März"_s);
            EXPECT_EQ(koepfe[4].monat, u"März"_s);
            EXPECT_EQ(koepfe[5].monat, u"April"_s);
            EXPECT_EQ(koepfe[5].spalte, 5);
            EXPECT_EQ(koepfe[12].monat, u"August"_s);
            EXPECT_EQ(koepfe[12].seite, 1);
            EXPECT_EQ(koepfe[12].spalte, 0);
            EXPECT_EQ(zeileAm(zeilen, QDate(2026, 3, 31)).spalte, 4);
        }
    }
}

TEST_F(YearCalendar, LeapYearPrintsTheTwentyNinthInTheFebruaryColumn)
{
    oeffnen(2024);
    einstellungen("");
    const auto zeilen = tageszeilen(drucken("1 Seite 12 Spalten"));
    ASSERT_EQ(zeilen.size(), 366u);
    const Zeile &feb29 = zeileAm(zeilen, QDate(2024, 2, 29));
    EXPECT_EQ(feb29.nummer, u"29"_s);
    EXPECT_EQ(feb29.wochentag, u"Do"_s);
    EXPECT_EQ(feb29.spalte, 1);
    EXPECT_EQ(zeileAm(zeilen, QDate(2024, 3, 1)).spalte, 2);
}

TEST_F(YearCalendar, TheWholeYearPrintsWhateverTheCallersCursorShowsAndTheCursorStays)
{
    oeffnen(2026);
    einstellungen("");
    tage->setFilter(u"MonatNr='3'"_s);
    tage->setFiltered(true);
    tage->setRecNo(5);
    const report::Document doc = drucken("2 Seiten 6 Spalten");
    EXPECT_EQ(tageszeilen(doc).size(), 365u);
    EXPECT_EQ(spaltenkoepfe(doc).front().monat, u"Januar"_s);
    EXPECT_TRUE(tage->filtered());
    EXPECT_EQ(tage->filter(), u"MonatNr='3'"_s);
    EXPECT_EQ(tage->recordCount(), 31);
    EXPECT_EQ(tage->recNo(), 5);
    EXPECT_EQ(tage->asDate(u"Datum"_s), QDate(2026, 3, 5));
}

struct ShadeCase {
    QDate tag;
    const char *was;
    qint32 LayoutSettings::*farbe; // null: white
};

TEST_F(YearCalendar, DayLinesAreShadedHolidaySaturdaySundaySchoolHolidayWhite)
{
    oeffnen(2026);
    writeAll(dir.file(QStringLiteral("Kalvalues.ini")),
        "[Ferien]\r\nSommerBeginn=01.08.\r\nSommerEnde=15.08.\r\n"
        "Weihnachten1Beginn=01.01.\r\nWeihnachten1Ende=09.01.\r\n"
        "HerbstBeginn=30.10.\r\nHerbstEnde=00.00.\r\n");
    const auto zeilen = tageszeilen(drucken("1 Seite 12 Spalten"));
    const ShadeCase cases[] = {
        { QDate(2026, 1, 1), "Neujahr in the holidays", &LayoutSettings::hintergrundFeiertag },
        { QDate(2026, 1, 2), "Friday in the holidays", &LayoutSettings::hintergrundFarbeFerien },
        { QDate(2026, 1, 3), "Saturday in the holidays", &LayoutSettings::hintergrundSamstag },
        { QDate(2026, 1, 4), "Sunday in the holidays", &LayoutSettings::hintergrundWochenende },
        { QDate(2026, 1, 6), "Heilige Drei Könige", &LayoutSettings::hintergrundFeiertag },
        { QDate(2026, 1, 9), "last holiday day", &LayoutSettings::hintergrundFarbeFerien },
        { QDate(2026, 1, 12), "ordinary Monday", nullptr },
        { QDate(2026, 2, 16), "Rosenmontag, a special day", nullptr },
        { QDate(2026, 8, 3), "Monday in the summer holidays",
            &LayoutSettings::hintergrundFarbeFerien },
        { QDate(2026, 8, 15), "Mariä Himmelfahrt, a Saturday",
            &LayoutSettings::hintergrundFeiertag },
        { QDate(2026, 8, 17), "after the holidays", nullptr },
        { QDate(2026, 10, 3), "Tag der Deutschen Einheit, a Saturday",
            &LayoutSettings::hintergrundFeiertag },
        { QDate(2026, 11, 1), "Allerheiligen, a Sunday", &LayoutSettings::hintergrundFeiertag },
        { QDate(2026, 11, 2), "half-set period is absent", nullptr },
    };
    for (const auto &c : cases) {
        const qint32 erwartet = c.farbe ? settings.*c.farbe : Tageszeile::kWeiss;
        EXPECT_EQ(zeileAm(zeilen, c.tag).hintergrund, druckFarbe(erwartet)) << c.was;
    }
}

TEST_F(YearCalendar, BadSchoolHolidayBoundAbandonsTheRun)
{
    oeffnen(2026);
    writeAll(dir.file(QStringLiteral("Kalvalues.ini")),
        "[Ferien]\r\nWinterBeginn=29.02.\r\nWinterEnde=06.03.\r\n");
    // The message names the key and the file to mend.
    EXPECT_EQ(kb::test::errorOf([&] { drucken("1 Seite 12 Spalten"); }),
        u"'29.02.2026' ist kein gültiges Datum (Schlüssel WinterBeginn im Abschnitt [Ferien] der "
        "Einstellungsdatei %1)"_s.arg(
            QDir::toNativeSeparators(dir.file(QStringLiteral("Kalvalues.ini")))));
}

struct WeekCase {
    int year;
    QDate tag;
    const char *label;
};

TEST_F(YearCalendar, WeekLabelsAcrossTheTurnsOfTheYear)
{
    const WeekCase cases[] = {
        { 2026, QDate(2026, 1, 1), "Woche1" }, // a Thursday in week 1
        { 2026, QDate(2026, 1, 2), "" },
        { 2026, QDate(2026, 1, 5), "Woche 2" },
        { 2026, QDate(2026, 12, 28), "Woche 53" },
        { 2024, QDate(2024, 1, 1), "Woche1" }, // a Monday in week 1
        { 2024, QDate(2024, 1, 8), "Woche 2" },
        { 2024, QDate(2024, 12, 30), "" }, // Monday of week 1 of 2025
        { 2024, QDate(2024, 12, 31), "" },
        { 2021, QDate(2021, 1, 1), "" }, // a Friday in week 53 of 2020
        { 2021, QDate(2021, 1, 4), "Woche1" },
        { 2021, QDate(2021, 1, 11), "Woche 2" },
        { 2022, QDate(2022, 1, 1), "" }, // a Saturday in week 52 of 2021
        { 2022, QDate(2022, 1, 3), "Woche1" },
    };
    int offen = 0;
    std::vector<Zeile> zeilen;
    for (const auto &c : cases) {
        if (c.year != offen) {
            tage.reset();
            TempDir eigen;
            dir = std::move(eigen);
            oeffnen(c.year);
            einstellungen("");
            zeilen = tageszeilen(drucken("12 Seiten 1 Spalte"));
            offen = c.year;
        }
        EXPECT_EQ(zeileAm(zeilen, c.tag).woche, QString::fromUtf8(c.label))
            << c.tag.toString().toStdString();
    }
}

TEST_F(YearCalendar, PreviewRunReadsTheSchoolHolidaysAndBuildsTheSameReportAsTheCommandLine)
{
    oeffnen(2026);
    writeAll(
        dir.file(u"Kalvalues.ini"_s), "[Ferien]\r\nSommerBeginn=03.08.\r\nSommerEnde=14.09.\r\n");
    IniFile ini(dir.file(u"Kalvalues.ini"_s));
    const KalenderVariante &v = *kalenderVariante(u"4 Seiten 3 Spalten"_s);
    report::ScopedRecordingPreviewer preview;
    kronoblattDrucken(v, *tage, settings, ini);
    EXPECT_EQ(settings.periode(Ferien::Sommer).beginn, u"03.08."_s);
    ASSERT_EQ(preview.documents().size(), 1u);
    const report::Document &gezeigt = preview.documents().front();
    const report::Document gedruckt = kronoblattDokument(v, *tage, settings, ini);
    ASSERT_EQ(gezeigt.pages.size(), gedruckt.pages.size());
    for (std::size_t i = 0; i < gezeigt.pages.size(); ++i)
        EXPECT_EQ(gezeigt.pages[i].items.size(), gedruckt.pages[i].items.size());
    const auto a = tageszeilen(gezeigt);
    const auto b = tageszeilen(gedruckt);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].hintergrund, b[i].hintergrund);
        EXPECT_EQ(a[i].woche, b[i].woche);
        EXPECT_EQ(a[i].rect, b[i].rect);
    }
    EXPECT_EQ(
        zeileAm(a, QDate(2026, 8, 4)).hintergrund, druckFarbe(settings.hintergrundFarbeFerien));
}

TEST_F(YearCalendar, NavigationEntriesNeedAnOpenCalendar)
{
    oeffnen(2026);
    einstellungen("");
    IniFile ini(dir.file(u"Kalvalues.ini"_s));
    ScopedScriptedUi ui;
    report::ScopedRecordingPreviewer preview;
    kronoblattNavigation(u"1 Seite 12 Spalten"_s, nullptr, settings, ini);
    tage->close();
    kronoblattNavigation(u"1 Seite 12 Spalten"_s, tage.get(), settings, ini);
    const QString meldung = u"Es ist derzeit kein Kalender geöffnet !\r\nBitte öffnen Sie über den "
                            "Schalter \"Kalender\" eine Kalenderdatei \r\num den Kronoblatt zu "
                            "drucken!"_s;
    EXPECT_EQ(ui->messages(), QStringList({ meldung, meldung }));
    EXPECT_TRUE(preview.documents().empty());

    tage->open();
    kronoblattNavigation(u"12 Seiten 1 Spalte"_s, tage.get(), settings, ini);
    ASSERT_EQ(preview.documents().size(), 1u);
    EXPECT_EQ(preview.documents().front().pages.size(), 12u);
    EXPECT_EQ(ui->messages().size(), 2);
}

TEST_F(YearCalendar, EveryGenerationShowsTheWeekOneLabelAgain)
{
    oeffnen(2026);
    einstellungen("");
    IniFile ini(dir.file(QStringLiteral("Kalvalues.ini")));
    TKalenderForm form(kalenderVarianten().front(), *tage, settings, ini);
    report::ScopedRecordingPreviewer preview;
    form.previewAndWait();
    const report::Document zweite = form.generate(); // printing from the preview
    ASSERT_EQ(preview.documents().size(), 1u);
    EXPECT_EQ(tageszeilen(preview.documents().front()).front().woche, u"Woche1"_s);
    EXPECT_EQ(tageszeilen(zweite).front().woche, u"Woche1"_s);
}

TEST_F(YearCalendar, SymbolsShowOnlyWhenSwitchedOnAndStored)
{
    oeffnen(2026);
    QImage bild(16, 16, QImage::Format_RGB32);
    bild.fill(Qt::blue);
    ASSERT_TRUE(tage->locate(u"Datum"_s, QDate(2026, 3, 10)));
    tage->setImage(u"SymbolBild"_s, bild);
    tage->post();

    for (const bool an : { true, false }) {
        TempDir eigen;
        writeAll(
            eigen.file(u"k.ini"_s), an ? "[User]\r\nSymbole=1\r\n" : "[User]\r\nSymbole=0\r\n");
        IniFile ini(eigen.file(u"k.ini"_s));
        const auto zeilen = tageszeilen(
            kronoblattDokument(*kalenderVariante(u"3 Seiten 4 Spalten"_s), *tage, settings, ini));
        int mitSymbol = 0;
        for (const Zeile &z : zeilen)
            mitSymbol += z.symbol.has_value();
        EXPECT_EQ(mitSymbol, an ? 1 : 0);
        const Zeile &z = zeileAm(zeilen, QDate(2026, 3, 10));
        if (an) {
            ASSERT_TRUE(z.symbol);
            EXPECT_EQ(z.symbol->size(), QSizeF(17, 17));
            EXPECT_NEAR(z.symbol->right(), z.rect.right() - 2, 0.01);
            EXPECT_EQ(z.symbol->top(), z.rect.top());
        }
    }
}

TEST_F(YearCalendar, UrlaubAndKrankPrintInTheirColoursAndLaterLinesBlack)
{
    oeffnen(2026);
    einstellungen("");
    setzeText(QDate(2026, 1, 7), u"Urlaub"_s);
    setzeText(QDate(2026, 1, 8), u"Ferienlager"_s);
    setzeText(QDate(2026, 1, 9), u"Krank"_s);
    setzeText(QDate(2026, 1, 10), u"Arzt"_s);
    const auto zeilen = tageszeilen(drucken("4 Seiten 3 Spalten"));
    EXPECT_EQ(
        zeileAm(zeilen, QDate(2026, 1, 7)).textFarbe, druckFarbe(settings.schriftFarbeUrlaub));
    EXPECT_EQ(zeileAm(zeilen, QDate(2026, 1, 8)).textFarbe, QColor(Qt::black));
    EXPECT_EQ(zeileAm(zeilen, QDate(2026, 1, 9)).textFarbe, druckFarbe(settings.schriftFarbeKrank));
    EXPECT_EQ(zeileAm(zeilen, QDate(2026, 1, 10)).textFarbe, QColor(Qt::black));
    EXPECT_EQ(zeileAm(zeilen, QDate(2026, 1, 6)).text, u"Heilige 3 Könige"_s);
}

TEST_F(YearCalendar, HeaderFontsStylesAndColoursFromTheSettingsFile)
{
    oeffnen(2026);
    settings.kopftext.clear();
    settings.kopfbandtext = u"Kronoblatt – Kalender"_s;
    // No style keys: every group prints bold, italic, underlined and struck out.
    einstellungen("KopfBandFarbe=65280\r\nLinienfarbe=16711680\r\n");
    report::Document doc = drucken("1 Seite 12 Spalten");
    auto kopf = texte(doc.pages.at(0), report::BandKind::PageHeader);
    ASSERT_GE(kopf.size(), 3u);
    EXPECT_EQ(kopf[0].text, u" 2026"_s); // empty Kopftext keeps its blank
    const report::FontSpec alle { u"Arial"_s, 8, true, true, true, true };
    EXPECT_EQ(kopf[0].font, alle);
    EXPECT_EQ(kopf[1].font, alle);
    EXPECT_EQ(kopf[1].background, QColor(0, 255, 0)); // the strip's colour read from the file
    EXPECT_EQ(kopf[2].text, u"RI-DOZU"_s);
    EXPECT_EQ(kopf[2].font, alle);
    EXPECT_EQ(texte(doc.pages.at(0), report::BandKind::ColumnHeader).at(0).font, alle);
    bool linie = false;
    for (const auto &item : doc.pages.at(0).items)
        if (const auto *l = std::get_if<report::LineItem>(&item))
            linie = linie || l->pen.color == QColor(0, 0, 255);
    EXPECT_TRUE(linie);

    // Only exactly 1 switches a style on; an empty value reads as the default 1.
    TempDir eigen;
    writeAll(eigen.file(u"k.ini"_s),
        "[USER]\r\nkopfstylebold=1\r\nKopfStyleItalic=2\r\n"
        "KopfStyleUnterstrichen=0\r\nKopfStyleDurchstrichen=\r\n");
    IniFile ini(eigen.file(u"k.ini"_s));
    doc = kronoblattDokument(kalenderVarianten().front(), *tage, settings, ini);
    kopf = texte(doc.pages.at(0), report::BandKind::PageHeader);
    EXPECT_TRUE(kopf[0].font.bold);
    EXPECT_FALSE(kopf[0].font.italic);
    EXPECT_FALSE(kopf[0].font.underline);
    EXPECT_TRUE(kopf[0].font.strikeOut);
}

TEST_F(YearCalendar, LogoPrintsWhenItsFileExistsAndIsSilentlyLeftOutOtherwise)
{
    oeffnen(2026);
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const QString pfad = dir.file(u"Logo mit Ümlaut.jpg"_s);
    ASSERT_TRUE(logo.save(pfad, "JPG"));
    ScopedScriptedUi ui;
    for (const bool vorhanden : { true, false }) {
        einstellungen("Bild=" + (vorhanden ? pfad : dir.file(u"fehlt.jpg"_s)).toLatin1() + "\r\n");
        const report::Document doc = drucken("1 Seite 12 Spalten");
        int bilder = 0;
        for (const auto &item : doc.pages.at(0).items) {
            if (const auto *p = std::get_if<report::PictureItem>(&item)) {
                ++bilder;
                EXPECT_EQ(p->rect,
                    QRectF(report::mmToPixels(4) + 784, report::mmToPixels(3) + 8, 57, 67));
            }
        }
        EXPECT_EQ(bilder, vorhanden ? 1 : 0);
    }
    EXPECT_TRUE(ui->messages().isEmpty());
}

} // namespace
