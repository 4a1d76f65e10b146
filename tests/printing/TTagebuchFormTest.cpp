#include "KalenderTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "printing/TTagebuchForm.h"
#include "printing/TextGruppen.h"
#include "report/Previewer.h"
#include "report/TextLayout.h"
#include "storage/Table.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

class Diary : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings = farben();
        settings.kopfbandtext = u"Mein Tagebuch"_s;
        const QString qvk = testKalender(dir, 2026);
        tage = std::make_unique<Table>();
        tage->setFilePath(KalenderDatei::ausQvk(qvk).jahrPfad());
        tage->open();
        tage->first();
        writeAll(dir.file(u"Kalvalues.ini"_s), "[User]\r\n");
    }

    report::Document drucken(int monat)
    {
        IniFile ini(dir.file(u"Kalvalues.ini"_s));
        return tagebuchDokument(monat, *tage, settings, ini);
    }

    void notiz(const QDate &tag, const QString &text) { feld(tag, "Notizen", text); }
    void tagestext(const QDate &tag, const QString &text) { feld(tag, "Text", text); }
    void feld(const QDate &tag, const char *name, const QString &text)
    {
        ASSERT_TRUE(tage->locate(u"Datum"_s, tag));
        tage->setString(QString::fromUtf8(name), text);
        tage->post();
    }

    TempDir dir;
    LayoutSettings settings;
    std::unique_ptr<Table> tage;
};

// "Zeile 1", "Zeile 2" ... as separate lines.
QString zeilen(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list.append(u"Zeile %1"_s.arg(i));
    return list.join(u"\r\n"_s);
}

double zeilenHoehe()
{
    return report::layoutText(u"X"_s, report::FontSpec { u"Arial"_s, 10 }, false, 0).lineHeight;
}

TEST_F(Diary, MonthWithoutNotesFitsOnePageOfTwentyFourPixelLines)
{
    const report::Document doc = drucken(3);
    EXPECT_EQ(doc.paperSizeMm, QSizeF(210, 297));
    ASSERT_EQ(doc.pages.size(), 1u);
    const auto koepfe = baender(doc, report::BandKind::GroupHeader);
    ASSERT_EQ(koepfe.size(), 1u);
    EXPECT_EQ(koepfe[0].textBei(16, 16), u"März"_s);
    EXPECT_EQ(koepfe[0].textBei(96, 16), u"2026"_s);
    EXPECT_EQ(koepfe[0].rect.height(), 39);
    const auto tageszeilen = baender(doc, report::BandKind::Detail);
    ASSERT_EQ(tageszeilen.size(), 31u);
    for (const Band &z : tageszeilen)
        ASSERT_EQ(z.rect.height(), 24);
    EXPECT_EQ(tageszeilen.at(4).textBei(0), u"5"_s);
    EXPECT_EQ(tageszeilen.at(4).textBei(30), u"Do"_s);
    EXPECT_EQ(tageszeilen.at(1).wochenLabel(), u"Woche 10"_s);
    // The month's filter stays on the day table.
    EXPECT_TRUE(tage->filtered());
    EXPECT_EQ(tage->filter(), u"(MonatNr='3')"_s);
    EXPECT_EQ(tage->recordCount(), 31);
}

TEST_F(Diary, NotesGrowTheirLineAndPushLaterDaysOntoPagesWithTheirOwnHeaderAndFooter)
{
    notiz(QDate(2026, 5, 3), u"Kurz"_s);
    notiz(QDate(2026, 5, 10), zeilen(30));
    const report::Document doc = drucken(5);
    ASSERT_EQ(doc.pages.size(), 2u);
    const auto tageszeilen = baender(doc, report::BandKind::Detail);
    ASSERT_EQ(tageszeilen.size(), 31u);
    const double h = zeilenHoehe();
    EXPECT_NEAR(tageszeilen.at(2).rect.height(), 24 + std::ceil(h), 0.01);
    EXPECT_NEAR(tageszeilen.at(9).rect.height(), 24 + std::ceil(30 * h), 0.01);
    EXPECT_EQ(tageszeilen.at(0).rect.height(), 24);
    // The days after the long note continue on the next page, below its header.
    int aufSeite2 = 0;
    for (const Band &z : tageszeilen)
        aufSeite2 += z.seite;
    EXPECT_GT(aufSeite2, 0);
    EXPECT_EQ(tageszeilen.back().seite, 1);
    for (int seite = 0; seite < 2; ++seite) {
        const auto kopf = texte(doc.pages.at(std::size_t(seite)), report::BandKind::PageHeader);
        ASSERT_FALSE(kopf.empty()) << seite;
        EXPECT_EQ(kopf[0].text, u"RI-DOZU"_s);
        const auto fuss = texte(doc.pages.at(std::size_t(seite)), report::BandKind::PageFooter);
        ASSERT_EQ(fuss.size(), 1u) << seite;
        EXPECT_EQ(fuss[0].text, u"Mein Tagebuch"_s);
        EXPECT_EQ(fuss[0].rect.size(), QSizeF(713, 17));
    }
    // No day line runs into the footer.
    const double unten = doc.pageSize().height() - report::mmToPixels(5) - 40;
    for (const Band &z : tageszeilen)
        EXPECT_LE(z.rect.bottom(), unten + 0.01);
}

// A diary entry longer than a page goes on over the next pages, every line of it printed once
// and none below the page's foot.
TEST_F(Diary, NotesLongerThanAPageContinueOnTheNextPages)
{
    notiz(QDate(2026, 6, 2), u"Kurzer Eintrag"_s);
    notiz(QDate(2026, 6, 3), zeilen(150));
    const report::Document doc = drucken(6);
    ASSERT_GE(doc.pages.size(), 3u);
    const auto tageszeilen = baender(doc, report::BandKind::Detail);
    QStringList gedruckt;
    int fortsetzungen = 0;
    for (const Band &z : tageszeilen) {
        const bool tag = !z.textBei(0).isEmpty();
        if (!tag) {
            ++fortsetzungen;
            EXPECT_EQ(z.wochenLabel(), QString());
            EXPECT_EQ(z.texte.size(), 1u); // only the notes
        }
        for (const auto &t : z.texte)
            if (t.text.startsWith(u"Zeile "_s))
                gedruckt += t.text.split(QLatin1Char('\n'));
    }
    EXPECT_GE(fortsetzungen, 2);
    EXPECT_EQ(gedruckt.join(u"\r\n"_s), zeilen(150));
    EXPECT_EQ(tageszeilen.size(), std::size_t(30 + fortsetzungen));
    EXPECT_EQ(tageszeilen.back().textBei(0), u"30"_s);
    const double unten = doc.pageSize().height() - report::mmToPixels(5) - 40;
    for (const Band &z : tageszeilen)
        ASSERT_LE(z.rect.bottom(), unten + 0.01);
    // The continuations keep the day's shading and start at the top of their page.
    for (std::size_t i = 1; i < tageszeilen.size(); ++i) {
        if (!tageszeilen[i].textBei(0).isEmpty())
            continue;
        EXPECT_EQ(tageszeilen[i].hintergrund, tageszeilen[i - 1].hintergrund);
        EXPECT_NE(tageszeilen[i].seite, tageszeilen[i - 1].seite);
    }
}

TEST_F(Diary, NotesWrapInsideThePageOnWhiteAlsoOnShadedDays)
{
    // 9 May 2026 is a Saturday, 10 May a Sunday.
    const QString absatz = u"Heute waren wir am See. "_s.repeated(20);
    notiz(QDate(2026, 5, 9), absatz);
    notiz(QDate(2026, 5, 10), u"Ausgeschlafen"_s);
    const auto tageszeilen = baender(drucken(5), report::BandKind::Detail);
    const Band &samstag = tageszeilen.at(8);
    ASSERT_EQ(samstag.textBei(30), u"Sa"_s);
    EXPECT_EQ(samstag.hintergrund, druckFarbe(settings.hintergrundSamstag));
    const report::TextItem *notizen = samstag.itemBei(64, 24);
    ASSERT_NE(notizen, nullptr);
    EXPECT_EQ(notizen->background, QColor(Qt::white));
    EXPECT_TRUE(notizen->wordWrap);
    EXPECT_NEAR(notizen->rect.right(), samstag.rect.right(), 0.01);
    const auto umbruch = report::layoutText(absatz, notizen->font, true, notizen->rect.width());
    EXPECT_GT(umbruch.lines.size(), 1);
    EXPECT_NEAR(notizen->rect.height(), std::ceil(umbruch.height()), 0.01);
    EXPECT_NEAR(samstag.rect.height(), 24 + notizen->rect.height(), 0.01);

    // A short note takes only its own width: the Sunday's shading shows around it.
    const Band &sonntag = tageszeilen.at(9);
    EXPECT_EQ(sonntag.hintergrund, druckFarbe(settings.hintergrundWochenende));
    const report::TextItem *kurz = sonntag.itemBei(64, 24);
    ASSERT_NE(kurz, nullptr);
    EXPECT_LT(kurz->rect.width(), 150);
    EXPECT_EQ(kurz->background, QColor(Qt::white));
    // Days without notes draw no notes box.
    EXPECT_EQ(tageszeilen.at(10).itemBei(64, 24), nullptr);
}

// A day text of the full 255 characters wraps: its line grows by whole lines and the notes
// start below it, so nothing lies under the white notes box. A text longer than the line may
// grow ends at a whole line with "…".
TEST_F(Diary, LongDayTextsGrowTheirLineAboveTheNotes)
{
    const QString satz
        = u"Zahnarzt um zehn, danach Einkaufen, Post und Bank, "_s.repeated(6).left(255);
    const QString ohneLuecke = QString(255, QLatin1Char('W'));
    const struct {
        const char *was;
        QDate tag; // Tuesday to Thursday: no week label beside the text
        QString text;
        QString notizen;
        bool ganz;
    } cases[] = {
        { "wrapped text without notes", QDate(2026, 5, 5), satz, QString(), true },
        { "wrapped text above notes", QDate(2026, 5, 6), satz, u"Notiz unter dem Text"_s, true },
        { "text beyond four lines", QDate(2026, 5, 7), ohneLuecke, u"Notiz"_s, false },
    };
    for (const auto &c : cases) {
        tagestext(c.tag, c.text);
        if (!c.notizen.isEmpty())
            notiz(c.tag, c.notizen);
    }
    const auto tageszeilen = baender(drucken(5), report::BandKind::Detail);
    const double h = zeilenHoehe();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.was);
        const Band &z = tageszeilen.at(std::size_t(c.tag.day() - 1));
        const report::TextItem *text = z.itemBei(64, 8);
        ASSERT_NE(text, nullptr);
        const auto umbruch = report::layoutText(text->text, text->font, true, text->rect.width());
        EXPECT_GT(umbruch.lines.size(), 1);
        EXPECT_LE(umbruch.lines.size(), 4);
        // Every line drawn lies wholly in the box and the box in the line.
        EXPECT_LE(umbruch.height(), text->rect.height() + 0.01);
        const double textUnten = z.rect.top() + 8 + std::ceil(umbruch.height());
        if (c.ganz) {
            EXPECT_EQ(text->text, c.text);
        } else {
            EXPECT_EQ(umbruch.lines.size(), 4);
            EXPECT_TRUE(text->text.endsWith(QChar(0x2026)));
            EXPECT_TRUE(c.text.startsWith(text->text.chopped(1).remove(QLatin1Char('\n'))));
        }
        const report::TextItem *notizen = nullptr;
        for (const auto &t : z.texte)
            if (t.text == c.notizen)
                notizen = &t;
        if (c.notizen.isEmpty()) {
            EXPECT_EQ(notizen, nullptr);
            EXPECT_NEAR(z.rect.bottom(), textUnten, 0.01);
        } else {
            ASSERT_NE(notizen, nullptr);
            EXPECT_NEAR(notizen->rect.top(), textUnten, 0.01);
            EXPECT_NEAR(z.rect.height(), 8 + std::ceil(umbruch.height()) + std::ceil(h), 0.01);
        }
    }
    // A short text keeps the 24-pixel line.
    EXPECT_EQ(tageszeilen.at(3).rect.height(), 24);
}

TEST_F(Diary, ButtonFacePrintsWhatTheTableShows)
{
    // The tab "Alle": the whole year, each month under its header in the same column.
    report::Document doc = drucken(0);
    const auto koepfe = baender(doc, report::BandKind::GroupHeader);
    ASSERT_EQ(koepfe.size(), 12u);
    for (int m = 0; m < 12; ++m)
        EXPECT_EQ(koepfe[std::size_t(m)].textBei(16, 16), monatsnamen().at(m));
    const auto tageszeilen = baender(doc, report::BandKind::Detail);
    ASSERT_EQ(tageszeilen.size(), 365u);
    const Band &jan31 = tageszeilen.at(30);
    EXPECT_EQ(jan31.seite, koepfe[1].seite);
    EXPECT_EQ(jan31.spalte, koepfe[1].spalte);
    EXPECT_DOUBLE_EQ(koepfe[1].rect.top(), jan31.rect.bottom());
    EXPECT_FALSE(tage->filtered());

    // A month tab: only that month, and the filter as it was.
    tage->setFilter(u"MonatNr='8'"_s);
    tage->setFiltered(true);
    doc = drucken(0);
    EXPECT_EQ(baender(doc, report::BandKind::Detail).size(), 31u);
    EXPECT_EQ(tage->filter(), u"MonatNr='8'"_s);
}

TEST_F(Diary, PreviewRunReadsTheSchoolHolidays)
{
    writeAll(dir.file(u"Kalvalues.ini"_s),
        "[Ferien]\r\nPfingstenBeginn=00.00.\r\nSommerBeginn=03.08.\r\nSommerEnde=14.09.\r\n");
    IniFile ini(dir.file(u"Kalvalues.ini"_s));
    report::ScopedRecordingPreviewer preview;
    tagebuchDrucken(8, *tage, settings, ini);
    ASSERT_EQ(preview.documents().size(), 1u);
    const auto tageszeilen = baender(preview.documents().front(), report::BandKind::Detail);
    ASSERT_EQ(tageszeilen.size(), 31u);
    EXPECT_EQ(tageszeilen.at(3).hintergrund, druckFarbe(settings.hintergrundFarbeFerien));
    EXPECT_EQ(tageszeilen.at(0).hintergrund, druckFarbe(settings.hintergrundSamstag));
}

} // namespace
