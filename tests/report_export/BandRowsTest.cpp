#include "SampleDocument.h"

#include "report/export/BandRows.h"

#include <gtest/gtest.h>

using namespace kb::report;
using kb::test::text;

namespace {

// One printable of a band in a case: what it printed (nullopt: nothing) at which left edge.
struct Printed {
    std::optional<QString> text;
    double left;
    bool isText = true; // false: a picture
};

// Appends a band of `kind` whose printables printed `printed`, in that order.
void addBand(Page &page, BandKind kind, const std::vector<Printed> &printed, double y = 0)
{
    PlacedBand band;
    band.kind = kind;
    band.rect = QRectF(20, y, 500, 19);
    band.firstItem = page.items.size();
    for (const Printed &p : printed) {
        PlacedPrintable slot { QRectF(20 + p.left, y, 40, 19), page.items.size(), 0, p.isText };
        if (p.isText && p.text) {
            page.items.push_back(text(*p.text, 20 + p.left, y, 40, 19));
            slot.itemCount = 1;
        } else if (!p.isText) {
            QImage symbol(4, 4, QImage::Format_RGB32);
            symbol.fill(Qt::red);
            page.items.push_back(PictureItem { slot.rect, symbol });
            slot.itemCount = 1;
        }
        band.printables.push_back(slot);
    }
    band.itemCount = page.items.size() - band.firstItem;
    page.bands.push_back(band);
}

// Rows joined by '|', fields by ','.
QString rowsOf(const Page &page)
{
    QStringList rows;
    for (const BandRow &row : bandRows(page)) {
        QStringList fields;
        for (const Field &field : row.fields)
            fields.append(field.text);
        rows.append(fields.join(QLatin1Char(',')));
    }
    return rows.join(QLatin1Char('|'));
}

struct RowCase {
    const char *name;
    std::function<void(Page &)> build;
    const char *rows;
};

TEST(BandRows, OneRowPerBandItsTextPrintablesLeftToRight)
{
    const QString s1 = QStringLiteral("1");
    const std::vector<RowCase> cases = {
        { "fields sorted by their left edge whatever the printables' order",
            [&](Page &p) {
                addBand(p, BandKind::Detail,
                    { { QStringLiteral("Neujahr"), 30 }, { s1, 0 }, { QStringLiteral("Do"), 15 } });
            },
            "1,Do,Neujahr" },
        { "a printable that printed nothing keeps its empty field",
            [&](Page &p) {
                addBand(p, BandKind::Detail,
                    { { s1, 0 }, { std::nullopt, 30 }, { QStringLiteral("Woche1"), 60 } });
                addBand(p, BandKind::Detail,
                    { { s1, 0 }, { std::nullopt, 30 }, { std::nullopt, 60 } }, 19);
            },
            "1,,Woche1|1,," },
        { "pictures give no field",
            [&](Page &p) {
                addBand(p, BandKind::Detail, { { s1, 0 }, { std::nullopt, 10, false } });
            },
            "1" },
        { "a band without text printables gives no row",
            [&](Page &p) {
                addBand(p, BandKind::GroupHeader, {});
                addBand(p, BandKind::PageHeader, { { std::nullopt, 0, false } });
                addBand(p, BandKind::Detail, { { s1, 0 } }, 19);
            },
            "1" },
        { "rows in printing order, also across columns",
            [&](Page &p) {
                addBand(p, BandKind::ColumnHeader, { { QStringLiteral("Januar"), 0 } });
                addBand(p, BandKind::Detail, { { QStringLiteral("31"), 0 } }, 600);
                addBand(p, BandKind::ColumnHeader, { { QStringLiteral("Februar"), 200 } });
                addBand(p, BandKind::Detail, { { s1, 200 } }, 19);
            },
            "Januar|31|Februar|1" },
        { "line breaks and tabs inside a text become blanks",
            [&](Page &p) {
                addBand(p, BandKind::Detail,
                    { { QStringLiteral("zwei\r\nZeilen\nund\tTab"), 0 }, { s1, 50 } });
            },
            "zwei Zeilen und Tab,1" },
        { "a band saved without its printables: its texts",
            [&](Page &p) {
                addBand(p, BandKind::Detail,
                    { { QStringLiteral("b"), 50 }, { QStringLiteral("a"), 0 } });
                p.bands.back().printables.clear();
            },
            "a,b" },
        { "texts outside every band form a row each, blank ones are left out",
            [&](Page &p) {
                p.items.push_back(text(QStringLiteral("davor"), 0, 0, 30, 18));
                addBand(p, BandKind::Detail, { { s1, 0 } }, 19);
                p.items.push_back(text(QStringLiteral("  "), 0, 50, 30, 18));
                p.items.push_back(text(QStringLiteral("danach"), 0, 50, 30, 18));
            },
            "davor|1|danach" },
    };
    for (const RowCase &c : cases) {
        Page page;
        c.build(page);
        EXPECT_EQ(rowsOf(page), QString::fromUtf8(c.rows)) << c.name;
    }
}

TEST(BandRows, FieldsKnowTheirBoxAlignmentFillAndTheBandsPictures)
{
    const kb::report::Document doc = kb::test::sampleDocument();
    const std::vector<BandRow> rows = bandRows(doc.pages[0]);
    ASSERT_EQ(rows.size(), 5u);
    const BandRow &saturday = rows[2];
    ASSERT_EQ(saturday.fields.size(), 4u);
    EXPECT_EQ(saturday.fields[3].text, QString());
    EXPECT_EQ(saturday.fields[3].item, nullptr);
    EXPECT_EQ(saturday.fields[3].rect, QRectF(400, 120, 100, 18));
    EXPECT_EQ(saturday.fill(0), QColor(0, 200, 0));
    EXPECT_EQ(saturday.fill(3), QColor(0, 200, 0));
    EXPECT_EQ(rows[1].fill(0), std::nullopt);
    EXPECT_DOUBLE_EQ(saturday.origin(), 38);
    EXPECT_EQ(rows[3].pictures.size(), 1u);
    EXPECT_TRUE(rows[4].fields[0].alignedRight());
    EXPECT_FALSE(rows[1].fields[0].alignedRight());
    EXPECT_EQ(widestRow(doc), 4u);
}

} // namespace
