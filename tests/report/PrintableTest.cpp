#include "report/Band.h"
#include "report/MemoryDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "report/TextLayout.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace kb::report;

namespace {

// Prints one printable on a band landed at (100, 200), 300 x 40.
Page printAlone(const Printable &p, const PrintContext &ctx = {})
{
    Page page;
    p.print(ctx, QRectF(100, 200, 300, 40), page);
    return page;
}

TextItem onlyText(const Page &page)
{
    EXPECT_EQ(page.items.size(), 1u);
    return page.items.empty() ? TextItem {} : std::get<TextItem>(page.items.at(0));
}

TEST(Printables, EmptyLabelAndZeroSizedPicturePrintNothing)
{
    Label empty;
    empty.setSize(50, 17); // opaque by default: still nothing, not even its background
    EXPECT_TRUE(printAlone(empty).items.empty());

    Picture zero(QImage(10, 10, QImage::Format_RGB32));
    zero.setSize(0, 0);
    EXPECT_TRUE(printAlone(zero).items.empty());
    zero.setSize(17, 17);
    EXPECT_EQ(printAlone(zero).items.size(), 1u);

    Picture none; // no picture loaded
    none.setSize(17, 17);
    EXPECT_FALSE(none.loadFromFile(QStringLiteral("/nonexistent/logo.bmp")));
    EXPECT_TRUE(printAlone(none).items.empty());

    // An empty field still fills its background: the box is there, the value is not.
    FieldText field(QStringLiteral("Text"));
    field.setSize(50, 17);
    const TextItem t = onlyText(printAlone(field));
    EXPECT_TRUE(t.text.isEmpty());
    EXPECT_EQ(t.background, QColor(Qt::white));
}

TEST(Printables, TransparentTextFillsNoBackground)
{
    Label label(QStringLiteral("Mo"));
    label.setGeometry(18, 2, 22, 18);
    label.setBackground(QColor(0xC8, 0, 0));
    EXPECT_EQ(onlyText(printAlone(label)).background, QColor(0xC8, 0, 0));
    EXPECT_EQ(onlyText(printAlone(label)).rect, QRectF(118, 202, 22, 18));
    label.setTransparent(true);
    EXPECT_FALSE(onlyText(printAlone(label)).background.has_value());
}

TEST(Printables, AlignToBandAndAutoSizePlaceTheBox)
{
    const FontSpec font { QStringLiteral("Arial"), 10, false, false, false, false };
    const double w = std::ceil(textWidth(QStringLiteral("September"), font));
    const struct {
        const char *name;
        HAlign alignment;
        bool toBand;
        bool autoSize;
        double left;
        double width;
    } cases[] = {
        { "fixed box", HAlign::Right, false, false, 10, 120 },
        { "band left", HAlign::Left, true, false, 0, 120 },
        { "band right", HAlign::Right, true, false, 300 - 120, 120 },
        { "band centre", HAlign::Center, true, false, 90, 120 },
        { "auto-size left keeps its left", HAlign::Left, false, true, 10, w },
        { "auto-size right keeps its right", HAlign::Right, false, true, 130 - w, w },
        { "auto-size centred on band", HAlign::Center, true, true, (300 - w) / 2, w },
    };
    for (const auto &c : cases) {
        Label label(QStringLiteral("September"));
        label.setFont(font);
        label.setGeometry(10, 2, 120, 17);
        label.setAlignment(c.alignment);
        label.setAlignToBand(c.toBand);
        label.setAutoSize(c.autoSize);
        const TextItem t = onlyText(printAlone(label));
        EXPECT_NEAR(t.rect.left(), 100 + c.left, 0.01) << c.name;
        EXPECT_NEAR(t.rect.width(), c.width, 0.01) << c.name;
    }
}

TEST(Printables, TextInheritsTheReportFontUntilItHasItsOwn)
{
    Report report;
    report.setFont({ QStringLiteral("Times New Roman"), 12, false, false, false, false });
    auto &label = report.detail().add<Label>(QStringLiteral("x"));
    label.setSize(20, 15);
    EXPECT_EQ(label.font().family, QStringLiteral("Times New Roman"));
    report.setFont({ QStringLiteral("Arial"), 9, false, false, false, false });
    EXPECT_EQ(label.font().pointSize, 9); // follows the report until set
    label.setFont({ QStringLiteral("Small Fonts"), 5, true, false, false, false });
    report.setFont({ QStringLiteral("Arial"), 10, false, false, false, false });
    EXPECT_EQ(onlyText(printAlone(label)).font.family, QStringLiteral("Small Fonts"));
    EXPECT_TRUE(onlyText(printAlone(label)).font.bold);
}

TEST(Printables, FieldsReadTheirDataSetThroughTheMask)
{
    MemoryDataSet days;
    MemoryDataSet::Record r;
    r.insert(QStringLiteral("Datum"), QDate(2026, 3, 7));
    r.insert(QStringLiteral("Tag"), QStringLiteral("Sa"));
    days.append(r);
    days.first();
    MemoryDataSet months;
    MemoryDataSet::Record m;
    m.insert(QStringLiteral("TextMonat"), QStringLiteral("Frühling"));
    months.append(m);
    months.first();

    PrintContext ctx;
    ctx.dataSet = &days;
    FieldText day(QStringLiteral("Datum"), QStringLiteral("d"));
    day.setSize(25, 17);
    EXPECT_EQ(onlyText(printAlone(day, ctx)).text, QStringLiteral("7"));
    FieldText plain(QStringLiteral("Datum"));
    plain.setSize(80, 17);
    EXPECT_EQ(onlyText(printAlone(plain, ctx)).text, QStringLiteral("07.03.2026"));
    FieldText other(QStringLiteral("TextMonat"));
    other.setSize(80, 17);
    other.setDataSet(&months); // a field of another table
    EXPECT_EQ(onlyText(printAlone(other, ctx)).text, QStringLiteral("Frühling"));
}

// A covering picture fills its box whatever the shapes: scaled with its proportions and cut
// centred, never distorted.
TEST(Printables, CoveringPicturesFillTheirBoxCutCentred)
{
    // Three bands of colour side by side (or one above the other): the middle one is kept.
    QImage breit(60, 20, QImage::Format_RGB32);
    breit.fill(Qt::green);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            breit.setPixel(x, y, qRgb(0, 0, 255));
    const QImage hoch = breit.transformed(QTransform().rotate(90));
    const struct {
        const char *name;
        QImage image;
        QSizeF box;
        QSize kept;
    } cases[] = {
        { "wide picture in a square box", breit, { 30, 30 }, { 20, 20 } },
        { "upright picture in a square box", hoch, { 30, 30 }, { 20, 20 } },
        { "wide picture in a wider box", breit, { 90, 10 }, { 60, 7 } },
        { "same shape: the whole picture", breit, { 30, 10 }, { 60, 20 } },
    };
    for (const auto &c : cases) {
        Picture p(c.image);
        p.setGeometry(10, 5, c.box.width(), c.box.height());
        p.setStretch(true);
        p.setCover(true);
        const Page page = printAlone(p);
        ASSERT_EQ(page.items.size(), 1u) << c.name;
        const auto &item = std::get<PictureItem>(page.items[0]);
        EXPECT_EQ(item.rect, QRectF(QPointF(110, 205), c.box)) << c.name;
        EXPECT_EQ(item.image.size(), c.kept) << c.name;
        const QRgb middle = item.image.pixel(item.image.width() / 2, item.image.height() / 2);
        EXPECT_EQ(qBlue(middle), 255) << c.name;
    }
}

TEST(Printables, PicturesStretchCropOrTakeTheirOwnSize)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.setPixel(0, 19, qRgb(255, 255, 255)); // bottom-left: the key colour
    const struct {
        const char *name;
        bool stretch;
        bool autoSize;
        bool keepAspect;
        QSizeF box;
        QRectF rect;
        QSize imageSize;
    } cases[] = {
        { "stretched to the box", true, false, false, { 17, 17 }, QRectF(110, 205, 17, 17),
            QSize(40, 20) },
        { "unscaled, cut at the box", false, false, false, { 17, 17 }, QRectF(110, 205, 17, 17),
            QSize(17, 17) },
        { "auto-size takes the picture's size", false, true, false, { 17, 17 },
            QRectF(110, 205, 40, 20), QSize(40, 20) },
        // 40 x 20 into an upright box: full width, centred from top to bottom.
        { "proportions kept in an upright box", true, false, true, { 20, 30 },
            QRectF(110, 215, 20, 10), QSize(40, 20) },
        // ... into a wide box: full height, centred from left to right.
        { "proportions kept in a wide box", true, false, true, { 100, 10 },
            QRectF(150, 205, 20, 10), QSize(40, 20) },
        { "proportions only with stretch", false, false, true, { 17, 17 }, QRectF(110, 205, 17, 17),
            QSize(17, 17) },
    };
    for (const auto &c : cases) {
        Picture p(image);
        p.setGeometry(10, 5, c.box.width(), c.box.height());
        p.setStretch(c.stretch);
        p.setAutoSize(c.autoSize);
        p.setKeepAspect(c.keepAspect);
        const Page page = printAlone(p);
        ASSERT_EQ(page.items.size(), 1u) << c.name;
        const auto &item = std::get<PictureItem>(page.items[0]);
        EXPECT_EQ(item.rect, c.rect) << c.name;
        EXPECT_EQ(item.image.size(), c.imageSize) << c.name;
    }
    FieldImage symbol(QStringLiteral("SymbolBild"));
    symbol.setGeometry(0, 0, 17, 17);
    symbol.setStretch(true);
    symbol.setTransparentPicture(true);
    MemoryDataSet data;
    MemoryDataSet::Record r;
    r.insert(QStringLiteral("SymbolBild"), image);
    data.append(r);
    data.first();
    PrintContext ctx;
    ctx.dataSet = &data;
    const auto item = std::get<PictureItem>(printAlone(symbol, ctx).items.at(0));
    EXPECT_EQ(qAlpha(item.image.pixel(0, 19)), 0); // the key colour is see-through
    EXPECT_EQ(qAlpha(item.image.pixel(5, 5)), 255);
}

TEST(Printables, ShapesAndSystemData)
{
    Shape box;
    box.setGeometry(0, 0, 50, 20);
    box.setPen({ Qt::red, 2, Qt::DashLine });
    const auto rect = std::get<RectItem>(printAlone(box).items.at(0));
    EXPECT_EQ(rect.rect, QRectF(100, 200, 50, 20));
    EXPECT_FALSE(rect.fill.has_value());
    EXPECT_EQ(rect.frame->style, Qt::DashLine);
    Shape line(Shape::Kind::HorizontalLine);
    line.setGeometry(0, 0, 50, 20);
    EXPECT_EQ(std::get<LineItem>(printAlone(line).items.at(0)).line, QLineF(100, 210, 150, 210));

    PrintContext ctx;
    ctx.pageNumber = 3;
    ctx.detailNumber = 17;
    ctx.detailCount = 16;
    ctx.reportTitle = QStringLiteral("Jahreskalender");
    ctx.now = QDateTime(QDate(2026, 12, 9), QTime(8, 5, 3));
    const struct {
        SystemData::Kind kind;
        const char *expected;
    } cases[] = {
        { SystemData::Kind::Date, "Seite 09.12.2026" },
        { SystemData::Kind::Time, "Seite 08:05:03" },
        { SystemData::Kind::DateTime, "Seite 09.12.2026 08:05:03" },
        { SystemData::Kind::PageNumber, "Seite 3" },
        { SystemData::Kind::DetailNumber, "Seite 17" },
        { SystemData::Kind::DetailCount, "Seite 16" },
        { SystemData::Kind::ReportTitle, "Seite Jahreskalender" },
    };
    for (const auto &c : cases) {
        SystemData s(c.kind);
        s.setPrefix(QStringLiteral("Seite "));
        s.setSize(100, 15);
        EXPECT_EQ(onlyText(printAlone(s, ctx)).text, QString::fromUtf8(c.expected));
    }
}

TEST(TextLayout, WrapsAtBlanksAndBreaksWordsWiderThanTheBox)
{
    const FontSpec font { QStringLiteral("Arial"), 10, false, false, false, false };
    const TextBlock block = layoutText(
        QStringLiteral("Betriebsausflug nach Heidelberg\r\nzweite Zeile Donaudampfschifffahrt"),
        font, true, 70);
    ASSERT_GE(block.lines.size(), 5);
    EXPECT_EQ(block.lines.join(QLatin1Char('|')).remove(QLatin1Char('|')).remove(QLatin1Char(' ')),
        QStringLiteral("BetriebsausflugnachHeidelbergzweiteZeileDonaudampfschifffahrt"));
    for (std::size_t i = 0; i < block.lineWidths.size(); ++i)
        EXPECT_LE(block.lineWidths[i], 70.0) << block.lines[qsizetype(i)].toStdString();
    // Without word wrap only the line breaks count.
    EXPECT_EQ(layoutText(QStringLiteral("a b\nc"), font, false, 1).lines.size(), 2);
    // 10 pt is 13.3 layout pixels; a line is a little taller.
    EXPECT_GT(block.lineHeight, 13.3);
    EXPECT_LT(block.lineHeight, 17);
}

} // namespace
