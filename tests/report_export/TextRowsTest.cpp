#include "SampleDocument.h"

#include "report/export/TextRows.h"

#include <gtest/gtest.h>

using namespace kb::report;
using kb::test::text;

namespace {

// Each row joined by '|', cells by ','.
QString rowsOf(const Page &page)
{
    QStringList rows;
    for (const TextRow &row : textRows(page)) {
        QStringList cells;
        for (const TextCell &cell : row.cells)
            cells.append(cell.text);
        rows.append(cells.join(QLatin1Char(',')));
    }
    return rows.join(QLatin1Char('|'));
}

struct RowCase {
    const char *name;
    std::vector<TextItem> texts;
    const char *rows;
};

TEST(TextRows, GroupsTextsByVerticalCentreAndSortsCellsByX)
{
    const std::vector<RowCase> cases = {
        { "smaller text a pixel lower shares the row",
            { text(QStringLiteral("Mo"), 0, 100, 30, 18, 10),
                text(QStringLiteral("Ostern"), 40, 101, 80, 14, 8) },
            "Mo,Ostern" },
        { "rows 20 px apart stay apart, top to bottom",
            { text(QStringLiteral("zwei"), 0, 120, 30, 18),
                text(QStringLiteral("eins"), 0, 100, 30, 18) },
            "eins|zwei" },
        { "cells sorted by x whatever the drawing order",
            { text(QStringLiteral("c"), 200, 0, 30, 18), text(QStringLiteral("a"), 0, 0, 30, 18),
                text(QStringLiteral("b"), 100, 0, 30, 18) },
            "a,b,c" },
        { "bottom-aligned text in a tall box belongs where it shows",
            { text(QStringLiteral("unten"), 0, 0, 50, 100, 10, Qt::AlignLeft | Qt::AlignBottom),
                text(QStringLiteral("daneben"), 60, 84, 50, 16),
                text(QStringLiteral("oben"), 120, 0, 50, 16) },
            "oben|unten,daneben" },
        { "vertically centred text in a tall box",
            { text(QStringLiteral("Mitte"), 0, 0, 50, 100, 10, Qt::AlignLeft | Qt::AlignVCenter),
                text(QStringLiteral("rechts"), 60, 42, 50, 16) },
            "Mitte,rechts" },
        { "blank texts are left out",
            { text(QStringLiteral("  "), 0, 0, 30, 18), text(QString(), 0, 50, 30, 18),
                text(QStringLiteral("x"), 0, 100, 30, 18) },
            "x" },
        { "line breaks inside a text become blanks",
            { text(QStringLiteral("zwei\r\nZeilen"), 0, 0, 100, 40) }, "zwei Zeilen" },
    };
    for (const RowCase &c : cases) {
        Page page;
        for (const TextItem &t : c.texts)
            page.items.push_back(t);
        EXPECT_EQ(rowsOf(page), QString::fromUtf8(c.rows)) << c.name;
    }
}

TEST(TextRows, RowKeepsExtentOfItsTexts)
{
    Page page;
    page.items.push_back(text(QStringLiteral("a"), 10, 100, 30, 18, 10));
    page.items.push_back(text(QStringLiteral("b"), 50, 98, 30, 22, 12));
    page.items.push_back(LineItem { QLineF(0, 0, 100, 0), PenSpec {} });
    const std::vector<TextRow> rows = textRows(page);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_DOUBLE_EQ(rows[0].top, 98.0);
    EXPECT_GT(rows[0].bottom, 114.0);
    EXPECT_LE(rows[0].bottom, 120.0);
    EXPECT_DOUBLE_EQ(rows[0].cells[1].left, 50.0);
    EXPECT_DOUBLE_EQ(rows[0].cells[1].right, 80.0);
}

} // namespace
