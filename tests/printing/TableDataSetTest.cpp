// A report over a real table file: the cursor's filter and order decide what prints.

#include "printing/TableDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "storage/Sqlite.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QDataStream>
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

namespace {

QByteArray encodedPng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A table as a hostile file may hold it: a text far beyond its field's size, and large
// pictures in every record, two distinct ones taking turns.
QString hostileTable(
    const kb::test::TempDir &dir, const QByteArray &first, const QByteArray &second)
{
    const QString path = dir.file(QStringLiteral("Feind.DB"));
    kb::Table t;
    t.setFilePath(path);
    t.create({ { QStringLiteral("Nummer"), kb::FieldType::Int16 },
                 { QStringLiteral("Text"), kb::FieldType::String, 10 },
                 { QStringLiteral("SymbolBild"), kb::FieldType::Graphic } },
        { { QStringLiteral("PrimIdx"), { QStringLiteral("Nummer") }, true, true } });
    t.open();
    t.startTransaction();
    for (int i = 1; i <= 6; ++i) {
        t.append();
        t.setInt(QStringLiteral("Nummer"), i);
        t.setBytes(QStringLiteral("SymbolBild"), i % 2 ? first : second);
        t.post();
    }
    t.commit();
    t.close();
    kb::sql::DbHandle db = kb::sql::openFile(path, false);
    kb::sql::Stmt(db.get(), QStringLiteral("UPDATE records SET \"Text\" = ?"))
        .bindText(1, QString(5000, QLatin1Char('x')))
        .exec();
    return path;
}

TEST(TableDataSet, HostileValuesPrintCutAndPicturesAreDecodedOncePerContentAtPrintSize)
{
    kb::test::TempDir dir;
    QImage big(1200, 900, QImage::Format_RGB32);
    big.fill(Qt::red);
    QImage other = big;
    other.fill(Qt::blue);
    kb::Table table;
    table.setFilePath(hostileTable(dir, encodedPng(big), encodedPng(other)));
    table.open();
    kb::TableDataSet data(table);
    const kb::PictureFit symbol { QSize(51, 51), false };

    data.first();
    EXPECT_EQ(data.value(QStringLiteral("Text")).toString(), QString(10, QLatin1Char('x')));
    const QImage first = data.picture(QStringLiteral("SymbolBild"), symbol);
    EXPECT_EQ(first.size(), QSize(51, 51));
    data.next();
    const QImage second = data.picture(QStringLiteral("SymbolBild"), symbol);
    EXPECT_EQ(second.pixelColor(0, 0), QColor(Qt::blue));
    data.next();
    // The third record holds the first one's picture again: the picture decoded then.
    EXPECT_EQ(data.picture(QStringLiteral("SymbolBild"), symbol).cacheKey(), first.cacheKey());
    EXPECT_NE(second.cacheKey(), first.cacheKey());
    // As stored, when nothing smaller is asked.
    EXPECT_EQ(data.image(QStringLiteral("SymbolBild")).size(), QSize(1200, 900));
}

TEST(TableDataSet, APictureTooLargeIsRefusedWithAMessage)
{
    kb::test::TempDir dir;
    // Only the header of a 24-bit bitmap of 9000 x 9000: what counts is the size it claims.
    QByteArray huge;
    QDataStream out(&huge, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(118) << quint32(0) << quint32(54) << quint32(40) << qint32(9000) << qint32(9000)
        << quint16(1) << quint16(24) << quint32(0) << quint32(0) << qint32(2835) << qint32(2835)
        << quint32(0) << quint32(0);
    huge.append(64, '\0');
    kb::Table table;
    table.setFilePath(hostileTable(dir, huge, huge));
    table.open();
    kb::TableDataSet data(table);
    data.first();
    EXPECT_EQ(kb::test::errorOf([&] {
        data.picture(QStringLiteral("SymbolBild"), { QSize(51, 51), false });
    }),
        QStringLiteral("Das Bild ist mit 9000 × 9000 Bildpunkten zu groß; erlaubt sind höchstens "
                       "50 Millionen Bildpunkte."));
    // The views show no picture instead of failing.
    EXPECT_TRUE(table.image(QStringLiteral("SymbolBild")).isNull());
}

} // namespace
