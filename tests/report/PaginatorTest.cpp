// Pagination, asserted on the display list: which band lands in which column of which page,
// at which y. The page is 384 x 384 layout pixels (4 x 4 inches) without margins, so the
// numbers below are plain: two columns of 192, page header 20, column header 10, detail 30,
// page footer 14 — eleven details fit one column (30 + 11 x 30 = 360 <= 384 - 14).

#include "platform/Error.h"
#include "report/DocumentQuery.h"
#include "report/MemoryDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace kb::report;

namespace {

struct Hit {
    std::size_t page;
    int column;
    double y;
    double height;
    QString text; // the band's first text
};

std::vector<Hit> hits(const Document &doc, BandKind kind)
{
    std::vector<Hit> out;
    for (const BandOnPage &b : bandsOf(doc, kind)) {
        const QStringList texts = b.texts();
        out.push_back({ b.page + 1, b.band->column + 1, b.band->rect.top(), b.band->rect.height(),
            texts.value(0) });
    }
    return out;
}

MemoryDataSet numbered(int count, int perGroup = 0)
{
    MemoryDataSet data;
    for (int n = 1; n <= count; ++n) {
        MemoryDataSet::Record r;
        r.insert(QStringLiteral("n"), n);
        r.insert(QStringLiteral("group"), perGroup > 0 ? (n - 1) / perGroup + 1 : 1);
        data.append(r);
    }
    return data;
}

// The test page: 4 x 4 inches, no margins, two columns; every band shows what it prints.
struct Fixture {
    Report report;
    MemoryDataSet data;

    explicit Fixture(MemoryDataSet records, int columns = 2)
        : data(std::move(records))
    {
        report.setCustomPaper(101.6, 101.6);
        report.setMargins({});
        report.setColumns(columns);
        report.setDataSet(&data);
        report.pageHeader().setHeight(20);
        report.pageHeader().add<SystemData>(SystemData::Kind::PageNumber).setSize(50, 15);
        report.columnHeader().setHeight(10);
        report.columnHeader().add<FieldText>(QStringLiteral("n")).setSize(50, 10);
        report.detail().setHeight(30);
        report.detail().add<FieldText>(QStringLiteral("n")).setSize(50, 15);
        report.pageFooter().setHeight(14);
        report.pageFooter().add<Label>(QStringLiteral("Fuß")).setSize(50, 14);
    }
};

TEST(Paginator, ColumnWidthFollowsPaperMarginsAndSpacing)
{
    Report report;
    report.setPaper(PaperSize::A4);
    report.setOrientation(Orientation::Landscape);
    report.setMargins({ .left = 4, .right = 2, .top = 3, .bottom = 5 });
    report.setColumnSpacing(1);
    // A4 landscape with 4 + 2 mm margins: 291 mm printable; N columns share it less N - 1 mm.
    for (const auto &[columns, expected] : { std::pair { 12, 88.0 }, { 6, 180.0 }, { 4, 272.0 },
             { 3, 364.0 }, { 2, 548.0 }, { 1, 1100.0 } }) {
        report.setColumns(columns);
        EXPECT_NEAR(report.columnWidth(), expected, 1.0) << columns << " columns";
    }
    EXPECT_NEAR(report.pageSize().width(), 1122.5, 0.1);
}

TEST(Paginator, DetailOverflowsToNextColumnThenNextPageWithPageBands)
{
    Fixture f(numbered(23));
    const Document doc = f.report.generate();

    ASSERT_EQ(doc.pages.size(), 2u);
    const auto details = hits(doc, BandKind::Detail);
    ASSERT_EQ(details.size(), 23u);
    // Record, page, column, y.
    const struct {
        int record;
        std::size_t page;
        int column;
        double y;
    } expected[] = { { 1, 1, 1, 30 }, { 11, 1, 1, 330 }, { 12, 1, 2, 30 }, { 22, 1, 2, 330 },
        { 23, 2, 1, 30 } };
    for (const auto &e : expected) {
        const Hit &h = details[std::size_t(e.record - 1)];
        EXPECT_EQ(h.text, QString::number(e.record));
        EXPECT_EQ(h.page, e.page) << "record " << e.record;
        EXPECT_EQ(h.column, e.column) << "record " << e.record;
        EXPECT_DOUBLE_EQ(h.y, e.y) << "record " << e.record;
    }

    // Every page has its header on top and its footer at the bottom; every column a header
    // showing the record that opened it.
    const auto headers = hits(doc, BandKind::PageHeader);
    const auto footers = hits(doc, BandKind::PageFooter);
    ASSERT_EQ(headers.size(), 2u);
    ASSERT_EQ(footers.size(), 2u);
    EXPECT_EQ(headers[1].text, QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(headers[1].y, 0);
    EXPECT_DOUBLE_EQ(footers[0].y, 370);
    const auto columnHeaders = hits(doc, BandKind::ColumnHeader);
    ASSERT_EQ(columnHeaders.size(), 3u); // the last page never reaches its second column
    EXPECT_EQ(columnHeaders[1].text, QStringLiteral("12"));
    EXPECT_EQ(columnHeaders[1].column, 2);
    EXPECT_DOUBLE_EQ(columnHeaders[1].y, 20);
    EXPECT_EQ(columnHeaders[2].text, QStringLiteral("23"));
    EXPECT_EQ(columnHeaders[2].page, 2u);
}

TEST(Paginator, BandTallerThanAColumnStillPrintsOnceAtItsTop)
{
    Fixture f(numbered(2), 1);
    f.report.detail().setHeight(500);
    const Document doc = f.report.generate();
    const auto details = hits(doc, BandKind::Detail);
    ASSERT_EQ(details.size(), 2u);
    EXPECT_EQ(details[0].page, 1u);
    EXPECT_EQ(details[1].page, 2u);
    EXPECT_DOUBLE_EQ(details[1].y, 30);
}

TEST(Paginator, GroupHeaderPrintsFirstAndOnEveryChangeWithTheNewGroupsFirstRecord)
{
    Fixture f(numbered(7, 3)); // groups 1,1,1,2,2,2,3
    Band &group = f.report.addGroupHeader(QStringLiteral("group"));
    group.setHeight(5);
    auto &caption = group.add<Label>();
    caption.setSize(50, 5);
    QList<int> seen;
    group.setBeforePrint([&](Band &) {
        const int n = f.data.value(QStringLiteral("n")).toInt();
        seen.append(n);
        caption.setCaption(QStringLiteral("Gruppe ab %1").arg(n));
    });
    const Document doc = f.report.generate();

    EXPECT_EQ(seen, (QList<int> { 1, 4, 7 }));
    const auto groups = hits(doc, BandKind::GroupHeader);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[1].text, QStringLiteral("Gruppe ab 4"));
    // Header 20 + column header 10, then group 5 + 3 details, then the next group.
    EXPECT_DOUBLE_EQ(groups[0].y, 30);
    EXPECT_DOUBLE_EQ(groups[1].y, 30 + 5 + 90);
    EXPECT_DOUBLE_EQ(hits(doc, BandKind::Detail)[3].y, 30 + 5 + 90 + 5);
}

TEST(Paginator, OuterGroupChangePrintsInnerGroupAgain)
{
    MemoryDataSet data;
    for (const auto &[outer, inner] : { std::pair { 1, 1 }, { 1, 2 }, { 2, 2 }, { 2, 2 } }) {
        MemoryDataSet::Record r;
        r.insert(QStringLiteral("outer"), outer);
        r.insert(QStringLiteral("inner"), inner);
        r.insert(QStringLiteral("n"), 0);
        data.append(r);
    }
    Fixture f(std::move(data));
    f.report.addGroupHeader(QStringLiteral("outer")).setHeight(1);
    f.report.addGroupHeader(QStringLiteral("inner")).setHeight(1);
    const Document doc = f.report.generate();
    // Outer prints at records 1 and 3, inner at 1, 2 and 3 (its value stayed 2 but its outer
    // group changed).
    EXPECT_EQ(hits(doc, BandKind::GroupHeader).size(), 5u);
}

// Months as in a year calendar: a group header on the month forces a new column.
TEST(Paginator, ForcedColumnBreaksSkipTheFirstAndMoveOnToNewPages)
{
    Fixture f(numbered(15, 3)); // five groups of three
    Band &group = f.report.addGroupHeader(QStringLiteral("group"));
    group.setHeight(2);
    group.setForceNewColumn(true);
    const Document doc = f.report.generate();

    ASSERT_EQ(doc.pages.size(), 3u);
    const auto details = hits(doc, BandKind::Detail);
    // Group k starts column ((k - 1) mod 2) + 1 of page ((k - 1) div 2) + 1, right below the
    // column header and the 2-pixel group header.
    for (int k = 1; k <= 5; ++k) {
        const Hit &first = details[std::size_t((k - 1) * 3)];
        EXPECT_EQ(first.page, std::size_t((k - 1) / 2 + 1)) << "group " << k;
        EXPECT_EQ(first.column, (k - 1) % 2 + 1) << "group " << k;
        EXPECT_DOUBLE_EQ(first.y, 32) << "group " << k;
    }
    // The column header of each column already shows its group's first record.
    const auto columnHeaders = hits(doc, BandKind::ColumnHeader);
    ASSERT_EQ(columnHeaders.size(), 5u);
    EXPECT_EQ(columnHeaders[1].text, QStringLiteral("4"));
    EXPECT_EQ(columnHeaders[4].text, QStringLiteral("13"));
}

TEST(Paginator, FirstForcedBreakCountsOnceTheReportHasLeftColumnOne)
{
    // The detail band asks for a new column from record 14 on; by then record 12 has already
    // overflowed into column 2, so this first forced break is not skipped.
    Fixture f(numbered(15), 3);
    Band &detail = f.report.detail();
    detail.setBeforePrint([&](Band &band) {
        if (f.data.value(QStringLiteral("n")).toInt() == 13)
            band.setForceNewColumn(true); // applies to the band's next print
    });
    detail.setAfterPrint([&](Band &band) {
        if (f.data.value(QStringLiteral("n")).toInt() == 14)
            band.setForceNewColumn(false);
    });
    const Document doc = f.report.generate();
    const auto details = hits(doc, BandKind::Detail);
    ASSERT_EQ(details.size(), 15u);
    EXPECT_EQ(details[11].column, 2); // record 12 by overflow
    EXPECT_EQ(details[12].column, 2); // record 13: the flag was set during its print
    EXPECT_EQ(details[13].column, 3); // record 14: forced
    EXPECT_DOUBLE_EQ(details[13].y, 30);
    EXPECT_EQ(details[14].column, 3); // record 15: the flag is off again
    EXPECT_DOUBLE_EQ(details[14].y, 60);
}

TEST(Paginator, AutoStretchGrowsTheBandAndPushesTheNextOne)
{
    MemoryDataSet data;
    const QString longText = QStringLiteral(
        "Ein langer Tagestext, der in einer schmalen Spalte über mehrere Zeilen läuft");
    for (const QString &text : { longText, QStringLiteral("kurz") }) {
        MemoryDataSet::Record r;
        r.insert(QStringLiteral("n"), text);
        data.append(r);
    }
    Fixture f(std::move(data));
    auto &text = f.report.detail().add<FieldText>(QStringLiteral("n"));
    text.setGeometry(10, 5, 80, 15);
    text.setWordWrap(true);
    text.setAutoStretch(true);
    const Document doc = f.report.generate();
    const auto details = hits(doc, BandKind::Detail);
    ASSERT_EQ(details.size(), 2u);
    EXPECT_GT(details[0].height, 45); // several lines more than the 30 of the band
    EXPECT_DOUBLE_EQ(details[1].y, 30 + details[0].height);
    EXPECT_DOUBLE_EQ(details[1].height, 30); // one short line: no growth
}

TEST(Paginator, ReportWithoutRecordsPrintsItsPageBands)
{
    MemoryDataSet empty;
    for (const bool headerFirst : { true, false }) {
        for (const bool footerLast : { true, false }) {
            Fixture f(empty);
            f.report.setPageHeaderOnFirstPage(headerFirst);
            f.report.setPageFooterOnLastPage(footerLast);
            const Document doc = f.report.generate();
            ASSERT_EQ(doc.pages.size(), 1u);
            EXPECT_EQ(hits(doc, BandKind::PageHeader).size(), headerFirst ? 1u : 0u);
            EXPECT_EQ(hits(doc, BandKind::PageFooter).size(), footerLast ? 1u : 0u);
            EXPECT_TRUE(hits(doc, BandKind::Detail).empty());
            const auto columnHeaders = hits(doc, BandKind::ColumnHeader);
            ASSERT_EQ(columnHeaders.size(), 1u);
            EXPECT_DOUBLE_EQ(columnHeaders[0].y, headerFirst ? 20 : 0);
        }
    }
    Report bare; // no data set at all
    bare.pageFooter().setHeight(10);
    EXPECT_EQ(bare.generate().pages.size(), 1u);
}

TEST(Paginator, HooksRunOnTheRecordTheBandPrintsAndTheirChangesPersist)
{
    Fixture f(numbered(12));
    QList<int> detailRecords;
    std::vector<QColor> shading;
    f.report.detail().setBeforePrint([&](Band &band) {
        const int n = f.data.value(QStringLiteral("n")).toInt();
        detailRecords.append(n);
        if (n % 5 == 0)
            band.setBackground(QColor(n, 0, 0)); // stays until changed again
    });
    QList<int> footerRecords;
    f.report.pageFooter().setBeforePrint(
        [&](Band &) { footerRecords.append(f.data.value(QStringLiteral("n")).toInt()); });
    int starts = 0;
    f.report.setOnStart([&] { ++starts; });

    const Document doc = f.report.generate();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(detailRecords.size(), 12);
    EXPECT_EQ(detailRecords.front(), 1);
    EXPECT_EQ(detailRecords.back(), 12);
    // The last page's footer prints after the last record and still sees it.
    EXPECT_EQ(footerRecords, QList<int> { 12 });

    const Page &page = doc.pages[0];
    for (const PlacedBand &band : page.bands) {
        if (band.kind != BandKind::Detail)
            continue;
        const auto *fill = std::get_if<RectItem>(&page.items[band.firstItem]);
        const int n = int(band.rect.top() / 30) + (band.column == 1 ? 11 : 0);
        if (n < 5) {
            EXPECT_EQ(fill, nullptr) << "record " << n;
        } else {
            ASSERT_NE(fill, nullptr) << "record " << n;
            EXPECT_EQ(fill->fill->red(), n < 10 ? 5 : 10) << "record " << n;
        }
    }
    f.report.generate();
    EXPECT_EQ(starts, 2); // every generation starts afresh
}

// Every printable of a printed band is recorded with its box and the primitives it drew, also
// when it drew nothing: the row exports give it an empty field then.
TEST(Paginator, RecordsWhatEachPrintableOfABandDrew)
{
    Fixture f(numbered(3));
    Band &detail = f.report.detail();
    detail.setBackground(QColor(1, 2, 3));
    auto &note = detail.add<Label>();
    note.setGeometry(60, 5, 40, 15); // empty on odd records
    auto &hidden = detail.add<FieldText>(QStringLiteral("n"));
    hidden.setGeometry(110, 5, 30, 15);
    hidden.setVisible(false);
    auto &shape = detail.add<Shape>(Shape::Kind::HorizontalLine);
    shape.setGeometry(0, 25, 100, 2);
    detail.setBeforePrint([&](Band &) {
        const int n = f.data.value(QStringLiteral("n")).toInt();
        note.setCaption(n % 2 ? QString() : QStringLiteral("gerade"));
    });

    const Document doc = f.report.generate();
    const auto details = bandsOf(doc, BandKind::Detail);
    ASSERT_EQ(details.size(), 3u);
    for (const BandOnPage &b : details) {
        const PlacedBand &band = *b.band;
        const bool even = band.rect.top() > 40 && band.rect.top() < 70; // the second record
        EXPECT_EQ(band.background, QColor(1, 2, 3));
        ASSERT_EQ(band.printables.size(), 4u);
        const struct {
            const char *what;
            bool text;
            std::size_t items;
            QRectF rect;
        } cases[] = {
            { "the number", true, 1, QRectF(0, 0, 50, 15) },
            { "the note", true, even ? 1u : 0u, QRectF(60, 5, 40, 15) },
            { "the hidden field", true, 0, QRectF(110, 5, 30, 15) },
            { "the line", false, 1, QRectF(0, 26, 100, 0) },
        };
        for (std::size_t i = 0; i < 4; ++i) {
            const PlacedPrintable &p = band.printables[i];
            const auto &c = cases[i];
            EXPECT_EQ(p.text, c.text) << c.what;
            EXPECT_EQ(p.itemCount, c.items) << c.what;
            EXPECT_EQ(p.rect, c.rect.translated(band.rect.topLeft())) << c.what;
            EXPECT_GE(p.firstItem, band.firstItem) << c.what;
            EXPECT_LE(p.firstItem + p.itemCount, band.firstItem + band.itemCount) << c.what;
        }
        // The number's primitive is the text it printed.
        const auto &number = std::get<TextItem>(b.onPage->items[band.printables[0].firstItem]);
        EXPECT_EQ(number.text, b.texts().value(0));
    }
}

// Date and time come from the report's clock, asked once per generation.
TEST(Paginator, SystemDataPrintsTheTimeOfTheReportsClock)
{
    Fixture f(numbered(30));
    f.report.pageFooter().add<SystemData>(SystemData::Kind::DateTime).setGeometry(60, 0, 130, 14);
    int asked = 0;
    f.report.setClock([&] {
        ++asked;
        return QDateTime(QDate(2026, 12, 24), QTime(18, 30, 0));
    });
    const Document doc = f.report.generate();
    ASSERT_EQ(doc.pages.size(), 2u);
    for (const BandOnPage &footer : bandsOf(doc, BandKind::PageFooter))
        EXPECT_EQ(footer.texts().value(1), QStringLiteral("24.12.2026 18:30:00"));
    EXPECT_EQ(asked, 1);
}

TEST(Paginator, PagesComeOutOneAtATime)
{
    Fixture f(numbered(60));
    int printed = 0;
    f.report.detail().setAfterPrint([&](Band &) { ++printed; });
    auto paginator = f.report.paginate();
    std::optional<Page> first = paginator->nextPage();
    ASSERT_TRUE(first);
    // The first page is complete once the band that did not fit it has been laid out.
    EXPECT_EQ(printed, 23);
    int pages = 1;
    while (paginator->nextPage())
        ++pages;
    EXPECT_EQ(pages, 3);
    EXPECT_TRUE(paginator->done());
}

TEST(Paginator, MarginsThatLeaveNoRoomAreRefused)
{
    const struct {
        const char *name;
        kb::Margins margins;
        int columns;
        double spacing;
    } cases[] = {
        { "left and right wider than the paper",
            { .left = 60, .right = 60, .top = 10, .bottom = 10 }, 1, 0 },
        { "top and bottom taller than the paper", { .top = 50, .bottom = 52 }, 1, 0 },
        { "column spacing eats the columns", {}, 12, 10 },
    };
    for (const auto &c : cases) {
        Fixture f(numbered(3), c.columns);
        f.report.setMargins(c.margins);
        f.report.setColumnSpacing(c.spacing);
        EXPECT_TRUE(kb::test::errorOf([&] {
            f.report.generate();
        }).contains(QStringLiteral("keinen Platz")))
            << c.name;
    }
}

TEST(Paginator, HookErrorEndsTheRun)
{
    Fixture f(numbered(5));
    f.report.detail().setBeforePrint([&](Band &) {
        if (f.data.value(QStringLiteral("n")).toInt() == 3)
            throw kb::Error(QStringLiteral("'29.02.2023' ist kein gültiges Datum"));
    });
    auto paginator = f.report.paginate();
    EXPECT_THROW(paginator->nextPage(), kb::Error);
    EXPECT_FALSE(paginator->nextPage());
}

} // namespace

namespace {

// The year calendar on one landscape page: page header 97, month name 19, a 2-pixel group
// header on the month that forces a new column, days of 19, footer 18. With the default
// margins (top 3, bottom 5 mm) a 31-day month takes 97 + 19 + 2 + 31 x 19 + 18 = 725 of the
// 763 pixels; with top plus bottom above about 18 mm its last day moves on and every later
// month shifts on.
struct YearOnOnePage {
    MemoryDataSet days;
    Report report;

    YearOnOnePage(double topMm, double bottomMm)
    {
        for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1)) {
            MemoryDataSet::Record r;
            r.insert(QStringLiteral("Datum"), d);
            r.insert(QStringLiteral("MonatNr"), d.month());
            days.append(r);
        }
        report.setPaper(PaperSize::A4);
        report.setOrientation(Orientation::Landscape);
        report.setMargins({ .left = 4, .right = 2, .top = topMm, .bottom = bottomMm });
        report.setColumns(12);
        report.setColumnSpacing(1);
        report.setDataSet(&days);
        report.pageHeader().setHeight(97);
        report.columnHeader().setHeight(19);
        report.columnHeader()
            .add<FieldText>(QStringLiteral("Datum"), QStringLiteral("mmmm"))
            .setSize(80, 17);
        Band &month = report.addGroupHeader(QStringLiteral("MonatNr"));
        month.setHeight(2);
        month.setForceNewColumn(true);
        report.detail().setHeight(19);
        report.detail()
            .add<FieldText>(QStringLiteral("Datum"), QStringLiteral("d.m."))
            .setSize(40, 17);
        report.pageFooter().setHeight(18);
    }
};

// (page, column) of the detail band showing `dayDotMonth` ("31.1.").
std::pair<std::size_t, int> whereIs(const Document &doc, const QString &dayDotMonth)
{
    for (const Hit &h : hits(doc, BandKind::Detail))
        if (h.text == dayDotMonth)
            return { h.page, h.column };
    return { 0, 0 };
}

TEST(Paginator, YearCalendarPutsEveryMonthInItsColumn)
{
    YearOnOnePage year(3, 5);
    const Document doc = year.report.generate();
    ASSERT_EQ(doc.pages.size(), 1u);
    for (int month = 1; month <= 12; ++month) {
        const QDate last = QDate(2026, month, 1).addMonths(1).addDays(-1);
        EXPECT_EQ(
            whereIs(doc, QStringLiteral("1.%1.").arg(month)), std::pair(std::size_t(1), month));
        EXPECT_EQ(whereIs(doc, QStringLiteral("%1.%2.").arg(last.day()).arg(month)),
            std::pair(std::size_t(1), month));
    }
    const auto names = hits(doc, BandKind::ColumnHeader);
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names[2].text, QStringLiteral("März"));
    EXPECT_NEAR(hits(doc, BandKind::Detail)[30].y, mmToPixels(3) + 97 + 19 + 2 + 30 * 19, 1e-9);
}

TEST(Paginator, YearCalendarWithLargeMarginsShiftsLaterMonths)
{
    YearOnOnePage year(10, 8.5); // 18.5 mm
    const Document doc = year.report.generate();
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_EQ(whereIs(doc, QStringLiteral("30.1.")), std::pair(std::size_t(1), 1));
    EXPECT_EQ(whereIs(doc, QStringLiteral("31.1.")), std::pair(std::size_t(1), 2));
    EXPECT_EQ(whereIs(doc, QStringLiteral("1.2.")), std::pair(std::size_t(1), 3));
    // Every 31-day month now takes two columns, the 30-day ones still one.
    EXPECT_EQ(whereIs(doc, QStringLiteral("1.3.")), std::pair(std::size_t(1), 4));
    EXPECT_EQ(whereIs(doc, QStringLiteral("1.4.")), std::pair(std::size_t(1), 6));
    EXPECT_EQ(whereIs(doc, QStringLiteral("1.8.")), std::pair(std::size_t(1), 12));
    EXPECT_EQ(whereIs(doc, QStringLiteral("31.8.")), std::pair(std::size_t(2), 1));
    EXPECT_EQ(whereIs(doc, QStringLiteral("1.12.")), std::pair(std::size_t(2), 6));
    // The overflowing month gets its name again on top of the next column.
    EXPECT_EQ(hits(doc, BandKind::ColumnHeader)[1].text, QStringLiteral("Januar"));

    YearOnOnePage justFits(10, 8); // 18 mm: 725.7 pixels left, 725 needed
    EXPECT_EQ(justFits.report.generate().pages.size(), 1u);
}

} // namespace
