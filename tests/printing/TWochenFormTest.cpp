#include "KalenderTestUtil.h"

#include "caldata/KalenderDatei.h"
#include "printing/TWochenForm.h"
#include "printing/TextGruppen.h"
#include "report/Previewer.h"
#include "report/TextLayout.h"
#include "storage/Table.h"

#include <gtest/gtest.h>
#include <map>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

class WeekCalendar : public ::testing::Test {
protected:
    void SetUp() override { settings = farben(); }

    void oeffnen(int year)
    {
        tage.reset();
        eigen = std::make_unique<TempDir>();
        const QString qvk = testKalender(*eigen, year);
        tage = std::make_unique<Table>();
        tage->setFilePath(KalenderDatei::ausQvk(qvk).jahrPfad());
        tage->open();
        tage->first();
        writeAll(eigen->file(u"Kalvalues.ini"_s), "[User]\r\n");
    }

    report::Document drucken()
    {
        IniFile ini(eigen->file(u"Kalvalues.ini"_s));
        return wochenkalenderDokument(*tage, settings, ini);
    }

    void notiz(const QDate &tag, const QString &text)
    {
        ASSERT_TRUE(tage->locate(u"Datum"_s, tag));
        tage->setString(u"Notizen"_s, text);
        tage->post();
    }

    std::unique_ptr<TempDir> eigen;
    LayoutSettings settings;
    std::unique_ptr<Table> tage;
};

// A column of the printout: the days it holds ("1", "2" ...) and its header, if any.
struct Spalte {
    QString kopf; // "Januar 2026"; empty without a group header
    QStringList tage;
};

std::map<std::pair<int, int>, Spalte> spalten(const report::Document &doc)
{
    std::map<std::pair<int, int>, Spalte> out;
    for (const Band &k : baender(doc, report::BandKind::GroupHeader))
        out[{ k.seite, k.spalte }].kopf = k.textBei(16) + QLatin1Char(' ') + k.textBei(104);
    for (const Band &z : baender(doc, report::BandKind::Detail))
        out[{ z.seite, z.spalte }].tage.append(z.textBei(0));
    return out;
}

struct AnfangCase {
    int year;
    const char *was;
    // The first columns: (sheet, column) -> header and days.
    std::vector<std::tuple<int, int, const char *, QStringList>> erwartet;
    int blaetter;
};

TEST_F(WeekCalendar, WeeksStartColumnsAndTheSundayOfWeekOneStandsAlone)
{
    const AnfangCase cases[] = {
        { 2026, "1 January a Thursday in week 1",
            { { 0, 0, "Januar 2026", { u"1"_s, u"2"_s, u"3"_s } }, { 0, 1, "", { u"4"_s } },
                { 1, 0, "Januar 2026",
                    { u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s, u"11"_s } } },
            27 },
        { 2022, "1 January a Saturday in week 52",
            { { 0, 0, "Januar 2022", { u"1"_s, u"2"_s } },
                { 0, 1, "Januar 2022", { u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s } },
                { 1, 0, "", { u"9"_s } },
                { 1, 1, "Januar 2022",
                    { u"10"_s, u"11"_s, u"12"_s, u"13"_s, u"14"_s, u"15"_s, u"16"_s } } },
            27 },
        { 2012, "a leap year from Sunday to Monday of week 1", // the longest printout
            { { 0, 0, "Januar 2012", { u"1"_s } },
                { 0, 1, "Januar 2012", { u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s } },
                { 1, 0, "", { u"8"_s } } },
            28 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.was);
        oeffnen(c.year);
        const report::Document doc = drucken();
        EXPECT_EQ(int(doc.pages.size()), c.blaetter);
        const auto gedruckt = spalten(doc);
        for (const auto &[blatt, spalte, kopf, tageDerSpalte] : c.erwartet) {
            const auto it = gedruckt.find({ blatt, spalte });
            ASSERT_NE(it, gedruckt.end()) << blatt << "/" << spalte;
            EXPECT_EQ(it->second.kopf, QString::fromUtf8(kopf)) << blatt << "/" << spalte;
            EXPECT_EQ(it->second.tage, tageDerSpalte) << blatt << "/" << spalte;
        }
        // Every day prints once; no column holds two weeks, and every week fits its column.
        const auto zeilen = baender(doc, report::BandKind::Detail);
        EXPECT_EQ(int(zeilen.size()), QDate(c.year, 1, 1).daysInYear());
        for (const auto &[ort, spalte] : gedruckt)
            EXPECT_LE(spalte.tage.size(), 7);
    }
}

TEST_F(WeekCalendar, LateDecemberDaysOfWeekOneFormTheLastShortColumn)
{
    oeffnen(2025); // 29 to 31 December belong to week 1 of 2026
    const report::Document doc = drucken();
    const auto gedruckt = spalten(doc);
    const auto &[ort, letzte] = *gedruckt.rbegin();
    EXPECT_EQ(ort.first, int(doc.pages.size()) - 1);
    EXPECT_EQ(letzte.kopf, u"Dezember 2025"_s);
    EXPECT_EQ(letzte.tage, QStringList({ u"29"_s, u"30"_s, u"31"_s }));
    const auto zeilen = baender(doc, report::BandKind::Detail);
    EXPECT_EQ(zeilen.back().textBei(32), u"Mi"_s);
    EXPECT_EQ(zeilen.back().wochenLabel(), u""_s); // week 1 of the next year shows no label
}

TEST_F(WeekCalendar, A5SheetsWithTwoColumnsOfFixedGeometry)
{
    oeffnen(2026);
    settings.kopfbandtext = u"Wochenplaner"_s;
    settings.font(FontGroup::Monat).size = 12;
    writeAll(eigen->file(u"Kalvalues.ini"_s),
        "[User]\r\nMonatLeft=30\r\nMonatTOP=30\r\nKBLeft=30\r\nLinienfarbe=16711680\r\n");
    const report::Document doc = drucken();
    EXPECT_EQ(doc.paper, report::PaperSize::A5);
    EXPECT_EQ(doc.paperSizeMm, QSizeF(210, 148));
    const auto zeilen = baender(doc, report::BandKind::Detail);
    // Margins 10, 10, 5 and 0 mm and 10 mm between the columns whatever the settings say.
    for (const Band &z : zeilen) {
        ASSERT_NEAR(z.rect.width(), 340.2, 0.1);
        ASSERT_EQ(z.rect.height(), 63);
        ASSERT_NEAR(z.rect.left(), report::mmToPixels(z.spalte == 0 ? 10 : 110), 0.01);
    }
    const auto koepfe = baender(doc, report::BandKind::GroupHeader);
    EXPECT_NEAR(koepfe.at(2).rect.top(), report::mmToPixels(5), 0.01);
    EXPECT_EQ(koepfe.at(2).rect.height(), 39);
    // A week of seven days ends 480 pixels below the top, inside the 502 of a column.
    const Band &sonntag = zeilen.at(10); // 11 January
    ASSERT_EQ(sonntag.textBei(0), u"11"_s);
    EXPECT_NEAR(sonntag.rect.bottom(), report::mmToPixels(5) + 480, 0.01);
    // The month heading uses the Monat font without its styles.
    const report::TextItem *monat = koepfe.at(2).itemBei(16, 8);
    ASSERT_NE(monat, nullptr);
    EXPECT_EQ(monat->font, report::FontSpec({ u"Arial"_s, 12 }));
    EXPECT_EQ(monat->background, druckFarbe(settings.monatHintergrundFarbe));
    // Every sheet ends with the strip.
    for (std::size_t i = 0; i < doc.pages.size(); ++i) {
        const auto fuss = texte(doc.pages[i], report::BandKind::PageFooter);
        ASSERT_EQ(fuss.size(), 1u) << i;
        EXPECT_EQ(fuss[0].text, u"Wochenplaner"_s);
        EXPECT_NEAR(fuss[0].rect.bottom(), doc.pageSize().height() - 5, 0.01);
        EXPECT_EQ(fuss[0].rect.width(), 329);
    }
}

TEST_F(WeekCalendar, NotesStayInTheirBoxAndTheLineKeepsItsHeight)
{
    oeffnen(2026);
    notiz(QDate(2026, 1, 6), u"Zahnarzt 10 Uhr"_s);
    const QString lang = u"Einkaufen, Bank, Post, Reifenwechsel, Steuererklärung abgeben, "
                         "Geburtstagsgeschenk für Oma besorgen, Elternabend um 19 Uhr, "
                         "Handwerker anrufen wegen der Heizung im Keller, Auto waschen"_s;
    notiz(QDate(2026, 1, 7), lang);
    tage->setFilter(u"MonatNr='1'"_s);
    tage->setFiltered(true);
    const report::Document doc = drucken();
    EXPECT_FALSE(tage->filtered()); // the whole year, and the filter stays off
    EXPECT_EQ(tage->recordCount(), 365);
    const auto zeilen = baender(doc, report::BandKind::Detail);
    ASSERT_EQ(zeilen.size(), 365u);
    EXPECT_EQ(zeilen.at(5).textBei(64, 20), u"Zahnarzt 10 Uhr"_s);
    const report::TextItem *gekuerzt = zeilen.at(6).itemBei(64, 20);
    ASSERT_NE(gekuerzt, nullptr);
    EXPECT_EQ(zeilen.at(6).rect.height(), 63);
    EXPECT_EQ(gekuerzt->rect.size(), QSizeF(265, 40));
    EXPECT_TRUE(gekuerzt->text.endsWith(QChar(0x2026)));
    QString ohneUmbruch = gekuerzt->text;
    ohneUmbruch.replace(QLatin1Char('\n'), QLatin1Char(' '));
    EXPECT_TRUE(lang.startsWith(ohneUmbruch.chopped(1))) << gekuerzt->text.toStdString();
    EXPECT_GE(gekuerzt->text.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(gekuerzt->font, report::FontSpec({ u"Arial"_s, 8 }));
    const report::TextItem *text = zeilen.at(5).itemBei(64, 4);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text, u"Heilige 3 Könige"_s);
    EXPECT_EQ(text->font, report::FontSpec({ u"Arial"_s, 9 }));
}

// A day text of 255 characters ends at its one whole line with "…": no sliver of a second line
// shows above the notes.
TEST_F(WeekCalendar, LongDayTextsEndAtAWholeLine)
{
    oeffnen(2026);
    const QString lang
        = u"Geburtstag von Tante Hildegard, Kuchen backen und Blumen besorgen, "_s.repeated(4).left(
            255);
    ASSERT_TRUE(tage->locate(u"Datum"_s, QDate(2026, 1, 14))); // a Wednesday
    tage->setString(u"Text"_s, lang);
    tage->post();
    notiz(QDate(2026, 1, 14), u"Notiz"_s);
    const auto zeilen = baender(drucken(), report::BandKind::Detail);
    const Band &zeile = zeilen.at(13);
    ASSERT_EQ(zeile.textBei(0), u"14"_s);
    EXPECT_EQ(zeile.rect.height(), 63);
    const report::TextItem *text = zeile.itemBei(64, 4);
    ASSERT_NE(text, nullptr);
    const auto umbruch = report::layoutText(text->text, text->font, true, text->rect.width());
    EXPECT_EQ(umbruch.lines.size(), 1);
    EXPECT_LE(umbruch.height(), text->rect.height());
    EXPECT_TRUE(text->text.endsWith(QChar(0x2026)));
    EXPECT_TRUE(lang.startsWith(text->text.chopped(1)));
    EXPECT_EQ(zeile.textBei(64, 20), u"Notiz"_s);
}

TEST_F(WeekCalendar, PreviewAndPrintFromItBothShowTheWeekOneLabel)
{
    oeffnen(2026);
    IniFile ini(eigen->file(u"Kalvalues.ini"_s));
    TWochenForm form(*tage, settings, ini);
    report::ScopedRecordingPreviewer preview;
    form.previewAndWait();
    const report::Document zweite = form.generate();
    ASSERT_EQ(preview.documents().size(), 1u);
    for (const report::Document *doc : { &preview.documents().front(), &zweite }) {
        EXPECT_EQ(doc->pages.size(), 27u);
        EXPECT_EQ(baender(*doc, report::BandKind::Detail).front().wochenLabel(), u"Woche1"_s);
    }
}

} // namespace
