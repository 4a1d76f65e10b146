// The designer's rules without a window: band resizing, the stacking of the bands, the
// column guides, the paper box, colours and the history of changes.

#include "designer/Entwurfsregeln.h"

#include <QUndoStack>
#include <gtest/gtest.h>

using namespace kb::designer;

TEST(Entwurfsregeln, RoundsHalvesToTheEvenNeighbour)
{
    const struct {
        double value;
        int expected;
    } cases[] = { { 0.5, 0 }, { 1.5, 2 }, { 2.5, 2 }, { 3.5, 4 }, { 2.4999, 2 }, { 2.5001, 3 },
        { 1110.0, 1110 }, { 555.0, 555 }, { 776.9, 777 }, { 0.0, 0 } };
    for (const auto &c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
}

TEST(Entwurfsregeln, BandsOtherThanTheHeaderKeepMoreThanTheirRuler)
{
    const struct {
        const char *name;
        FormBand band;
        int dragged, expected;
    } cases[] = {
        { "day band dragged to 50", FormBand::Day, 50, 51 },
        { "day band dragged to 51", FormBand::Day, 51, 51 },
        { "day band dragged to 52", FormBand::Day, 52, 52 },
        { "group band dragged to 3", FormBand::Group, 3, 51 },
        { "footer band dragged to 49", FormBand::Footer, 49, 51 },
        { "summary band dragged to 50", FormBand::Summary, 50, 51 },
        { "header band dragged to 10", FormBand::Header, 10, 10 },
        { "header band dragged to 0", FormBand::Header, 0, 0 },
        { "header band dragged above its top", FormBand::Header, -5, 0 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(resizedBandHeight(c.band, c.dragged), c.expected) << c.name;
}

TEST(Entwurfsregeln, BandsStackBelowTheHeaderRulerWithoutTheSummaryBand)
{
    Formular form;
    const auto strips = bandLayout(form);
    // Heights 72, 79, 86, (63 hidden), 79 with a 1-pixel separator below each shown band.
    const int tops[] = { 50, 123, 203, 290, 290 };
    for (int i = 0; i < kBandCount; ++i) {
        EXPECT_EQ(strips[std::size_t(i)].top, tops[i]) << i;
        EXPECT_EQ(strips[std::size_t(i)].separatorTop, tops[i] + form.bandHeight(FormBand(i)));
    }
    EXPECT_FALSE(strips[3].shown);
    form.setBandHeight(FormBand::Header, 10);
    EXPECT_EQ(bandLayout(form)[1].top, 61);
}

TEST(Entwurfsregeln, ColumnGuidesFollowWidthColumnsAndSpacing)
{
    const struct {
        const char *name;
        double widthMm, columns, spacingMm;
        ColumnGuides expected;
    } cases[] = {
        { "one column on 300 mm", 300, 1, 0, { 1110, 1110 } },
        { "two columns on 300 mm", 300, 2, 0, { 555, 555 } },
        { "two columns, 10 mm apart", 300, 2, 10, { 555, 592 } },
        { "A3 landscape, six columns, 3 mm", 420, 6, 3, { 259, 270 } },
        // 300 / 8 * 3.7 = 138.75; 5 mm = 18.5 pixels, half to 18.
        { "a half pixel of spacing goes to the even neighbour", 300, 8, 5, { 139, 157 } },
        // 60 / 12 * 3.7 = 18.5 goes to 18; 7 mm = 25.9 pixels.
        { "a half-pixel column goes to the even neighbour", 60, 12, 7, { 18, 44 } },
        { "spacing is rounded to whole millimetres first", 300, 2, 9.6, { 555, 592 } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(columnGuides(c.widthMm, c.columns, c.spacingMm), c.expected) << c.name;
}

TEST(Entwurfsregeln, PaperBoxSetsThePageForTheGuides)
{
    const struct {
        const char *name;
        PaperItem item;
        OrientationBox before, after;
        double width, length;
    } cases[] = {
        // The sheet a form file's "A4" gives and the preview prints on.
        { "DIN A4", PaperItem::A4, OrientationBox::Landscape, OrientationBox::Landscape, 210, 297 },
        { "DIN A3 turns a landscape box to portrait", PaperItem::A3, OrientationBox::Landscape,
            OrientationBox::Portrait, 420, 300 },
        { "DIN A3 from an empty box", PaperItem::A3, OrientationBox::Empty,
            OrientationBox::Portrait, 420, 300 },
        { "free size takes the boxes", PaperItem::Custom, OrientationBox::Empty,
            OrientationBox::Empty, 250, 180 },
    };
    for (const auto &c : cases) {
        Formular form;
        form.panel().orientation = c.before;
        form.panel().paperWidth = 250;
        form.panel().paperHeight = 180;
        choosePaper(form, c.item);
        EXPECT_EQ(form.panel().paper, c.item) << c.name;
        EXPECT_EQ(form.panel().orientation, c.after) << c.name;
        EXPECT_EQ(form.page().widthMm, c.width) << c.name;
        EXPECT_EQ(form.page().lengthMm, c.length) << c.name;
    }
}

TEST(Entwurfsregeln, GuidesOnA4FollowTheSheetAsItPrints)
{
    // 297 mm * 3.7 = 1098.9; 210 mm * 3.7 = 777; the same whether the sheet came from the
    // panel or from a form file.
    const struct {
        const char *name;
        OrientationBox box;
        int column;
    } cases[] = {
        { "landscape: the long side", OrientationBox::Landscape, 1099 },
        { "portrait: the short side", OrientationBox::Portrait, 777 },
        { "an empty box leaves the designer's landscape page", OrientationBox::Empty, 1099 },
    };
    for (const auto &c : cases) {
        Formular form;
        choosePaper(form, PaperItem::A4);
        form.panel().orientation = c.box;
        EXPECT_EQ(redrawGuides(form).column, c.column) << c.name;
        EXPECT_EQ(form.page().widthMm, 210) << c.name;
        EXPECT_EQ(form.page().lengthMm, 297) << c.name;
    }
}

TEST(Entwurfsregeln, RedrawingTheGuidesReadsTheOrientationAndSizeBoxes)
{
    Formular form;
    form.panel().paper = PaperItem::Custom;
    form.panel().paperWidth = 300;
    EXPECT_EQ(redrawGuides(form).column, 1110);
    form.panel().columns = 2;
    EXPECT_EQ(redrawGuides(form).column, 555);
    EXPECT_TRUE(form.page().landscape); // an empty orientation box leaves the page
    form.panel().orientation = OrientationBox::Portrait;
    form.panel().paper = PaperItem::Custom;
    form.panel().paperWidth = 100;
    redrawGuides(form);
    EXPECT_FALSE(form.page().landscape);
    EXPECT_EQ(form.page().widthMm, 100);
}

TEST(Entwurfsregeln, WeekBoxPutsTheLabelAtTheTopOfTheDayBand)
{
    Formular form;
    form.weekLabel().top = 70;
    chooseWeeks(form, true);
    EXPECT_TRUE(form.panel().showWeeks);
    EXPECT_EQ(form.weekLabel().top, 50);
    form.weekLabel().top = 70;
    chooseWeeks(form, false);
    EXPECT_FALSE(form.panel().showWeeks);
    EXPECT_EQ(form.weekLabel().top, 50);
}

TEST(Entwurfsregeln, ColoursAsFormsStoreThem)
{
    EXPECT_EQ(formColor(0x000000FF), QColor(Qt::red));
    EXPECT_EQ(formColor(0x00FF0000), QColor(Qt::blue));
    EXPECT_EQ(formColor(0x00EFEFEF), QColor(0xEF, 0xEF, 0xEF));
    EXPECT_EQ(formColor(kWindowText), QColor(Qt::black));
    EXPECT_EQ(storedColor(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_EQ(storedColor(formColor(0x00123456)), 0x00123456);
}

TEST(Entwurfsregeln, HistoryUndoesAndRedoesWholeSteps)
{
    Formular shown;
    const auto apply = [&](const Formular &f) { shown = f; };
    QUndoStack stack;
    const Formular start = shown;

    Formular before = shown;
    shown.create(ElementType::FreeText, FormBand::Header);
    stack.push(new FormularSchritt(QStringLiteral("neu"), before, shown, apply));
    before = shown;
    shown.find(QStringLiteral("Label_1"))->left += 1;
    stack.push(new FormularSchritt(QStringLiteral("bewegen"), before, shown, apply, 1));
    before = shown;
    shown.find(QStringLiteral("Label_1"))->left += 1;
    stack.push(new FormularSchritt(QStringLiteral("bewegen"), before, shown, apply, 1));
    EXPECT_EQ(stack.count(), 2); // the two moves are one step
    EXPECT_EQ(shown.find(QStringLiteral("Label_1"))->left, 47);

    stack.undo();
    EXPECT_EQ(shown.find(QStringLiteral("Label_1"))->left, 45);
    stack.undo();
    EXPECT_EQ(shown.records().size(), start.records().size());
    EXPECT_EQ(shown.counter(0), 0);
    stack.redo();
    stack.redo();
    EXPECT_EQ(shown.find(QStringLiteral("Label_1"))->left, 47);
}

TEST(Entwurfsregeln, MarginFieldsShowTwoDecimals)
{
    const struct {
        const char *name;
        const char *eingabe;
        std::optional<const char *> text;
        const char *fehler;
    } cases[] = {
        { "whole number", "7", "7,00", "" },
        { "comma", "12,5", "12,50", "" },
        { "zero", "0", "0,00", "" },
        { "the largest margin", "1000", "1000,00", "" },
        { "above 1000", "1500", std::nullopt, "Wert zu groß !" },
        { "empty stays empty", "", "", "" },
        { "only a comma", ",", std::nullopt, "" },
    };
    for (const auto &c : cases) {
        QString fehler;
        const std::optional<QString> text = randText(QString::fromUtf8(c.eingabe), &fehler);
        ASSERT_EQ(text.has_value(), c.text.has_value()) << c.name;
        if (text) {
            EXPECT_EQ(*text, QString::fromUtf8(*c.text)) << c.name;
        }
        EXPECT_EQ(fehler, QString::fromUtf8(c.fehler)) << c.name;
    }
}

TEST(Entwurfsregeln, UpAndDownButtonsStopAtZero)
{
    const struct {
        const char *text;
        int schritt;
        const char *expected;
    } cases[] = { { "7,00", 1, "8,00" }, { "0,00", -1, "0,00" }, { "0,50", -1, "0,50" },
        { "1,25", -1, "0,25" }, { "", 1, "1,00" }, { "1000,00", 1, "1000,00" } };
    for (const auto &c : cases)
        EXPECT_EQ(randSchritt(QString::fromUtf8(c.text), c.schritt), QString::fromUtf8(c.expected))
            << c.text << " " << c.schritt;
}
