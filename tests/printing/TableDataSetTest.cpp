// A report over a real table file: the cursor's filter and order decide what prints.

#include "printing/TableDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace kb::report;

namespace {

void createDays(const QString &path, QDate from, int days, int symbolDay)
{
    kb::Table t;
    t.setFilePath(path);
    t.create({ { QStringLiteral("Nummer"), kb::FieldType::Int16 },
                 { QStringLiteral("Datum"), kb::FieldType::Date },
                 { QStringLiteral("MonatNr"), kb::FieldType::Int16 },
                 { QStringLiteral("SymbolBild"), kb::FieldType::Graphic } },
        { { QStringLiteral("PrimIdx"), { QStringLiteral("Nummer") }, true, true } });
    t.open();
    t.startTransaction();
    QImage symbol(17, 17, QImage::Format_RGB32);
    symbol.fill(Qt::green);
    for (int i = 0; i < days; ++i) {
        t.append();
        t.setInt(QStringLiteral("Nummer"), i + 1);
        t.setDate(QStringLiteral("Datum"), from.addDays(i));
        t.setInt(QStringLiteral("MonatNr"), from.addDays(i).month());
        if (i + 1 == symbolDay)
            t.setImage(QStringLiteral("SymbolBild"), symbol);
        t.post();
    }
    t.commit();
}

TEST(TableDataSet, ReportWalksTheFilteredTableWithGroupsPicturesAndFooter)
{
    kb::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("Kalender.DB"));
    createDays(path, QDate(2026, 1, 25), 70, 40); // day 40 is 5 March
    kb::Table table;
    table.setFilePath(path);
    table.open();
    table.setFilter(QStringLiteral("(MonatNr='2')or(MonatNr='3')"));
    table.setFiltered(true);
    kb::TableDataSet data(table);

    Report report;
    report.setPaper(PaperSize::A4);
    report.setColumns(2);
    report.setDataSet(&data);
    Band &month = report.addGroupHeader(QStringLiteral("MonatNr"));
    month.setForceNewColumn(true);
    month.setHeight(2);
    report.detail().setHeight(19);
    report.detail().add<FieldText>(QStringLiteral("Datum"), QStringLiteral("d")).setSize(25, 17);
    report.detail().add<FieldText>(QStringLiteral("gibtsnicht")).setGeometry(30, 0, 20, 17);
    auto &symbol = report.detail().add<FieldImage>(QStringLiteral("SymbolBild"));
    symbol.setGeometry(60, 0, 17, 17);
    symbol.setStretch(true);
    report.pageFooter().setHeight(18);
    report.pageFooter().add<FieldText>(QStringLiteral("Datum")).setSize(100, 16);

    const Document doc = report.generate();
    ASSERT_EQ(doc.pages.size(), 1u);
    const Page &page = doc.pages[0];
    std::vector<std::pair<int, QString>> days; // column, day number
    std::size_t pictures = 0;
    for (const PlacedBand &band : page.bands) {
        if (band.kind != BandKind::Detail)
            continue;
        const auto &number = std::get<TextItem>(page.items[band.firstItem]);
        days.emplace_back(band.column, number.text);
        EXPECT_TRUE(std::get<TextItem>(page.items[band.firstItem + 1]).text.isEmpty());
        pictures += band.itemCount == 3;
    }
    ASSERT_EQ(days.size(), 28u + 31u);
    EXPECT_EQ(days.front(), std::pair(0, QStringLiteral("1"))); // 1 February, column 1
    EXPECT_EQ(days[27], std::pair(0, QStringLiteral("28")));
    EXPECT_EQ(days[28], std::pair(1, QStringLiteral("1"))); // 1 March, column 2
    EXPECT_EQ(days.back(), std::pair(1, QStringLiteral("31")));
    EXPECT_EQ(pictures, 1u);
    // The footer prints after the last record and shows it.
    const PlacedBand &footer = page.bands.back();
    ASSERT_EQ(footer.kind, BandKind::PageFooter);
    EXPECT_EQ(std::get<TextItem>(page.items[footer.firstItem]).text, QStringLiteral("31.03.2026"));
}

} // namespace
