#include "SampleDocument.h"

#include "report/MemoryDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "report/export/Export.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

using namespace kb::report;
using kb::test::runTool;

namespace {

QByteArray member(const QString &xlsx, const char *name)
{
    return runTool(
        QStringLiteral("unzip"), { QStringLiteral("-p"), xlsx, QString::fromLatin1(name) });
}

// Text of every element with the given name, in document order.
QStringList elementTexts(const QByteArray &xml, const char *name)
{
    QStringList out;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String(name))
            out.append(r.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    EXPECT_FALSE(r.hasError());
    return out;
}

struct Cell {
    QString value; // the text, or the number as written
    bool number = false;
    QString fill; // the fill colour as ARGB hex, empty for none
    QString numberFormat; // a custom format code, empty for the general format

    friend bool operator==(const Cell &, const Cell &) = default;
};

// The fill colour and number format of each cell format (xf) of the workbook.
struct Styles {
    QStringList xfFills;
    QStringList xfFormats;
};

Styles readStyles(const QByteArray &xml)
{
    QStringList fills, xfFillIds, xfFormatIds;
    std::map<QString, QString> formats;
    QXmlStreamReader r(xml);
    bool inFill = false, inXfs = false;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::EndElement && r.name() == QLatin1String("cellXfs"))
            inXfs = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto a = r.attributes();
        if (r.name() == QLatin1String("fill")) {
            fills.append(QString());
            inFill = true;
        } else if (r.name() == QLatin1String("fgColor") && inFill) {
            fills.last() = a.value(QLatin1String("rgb")).toString();
        } else if (r.name() == QLatin1String("numFmt")) {
            formats[a.value(QLatin1String("numFmtId")).toString()]
                = a.value(QLatin1String("formatCode")).toString();
        } else if (r.name() == QLatin1String("cellXfs")) {
            inXfs = true;
        } else if (r.name() == QLatin1String("xf") && inXfs) {
            xfFillIds.append(a.value(QLatin1String("fillId")).toString());
            xfFormatIds.append(a.value(QLatin1String("numFmtId")).toString());
        }
    }
    EXPECT_FALSE(r.hasError());
    Styles styles;
    for (qsizetype i = 0; i < xfFillIds.size(); ++i) {
        styles.xfFills.append(fills.value(xfFillIds[i].toInt()));
        const auto format = formats.find(xfFormatIds[i]);
        styles.xfFormats.append(format == formats.end() ? QString() : format->second);
    }
    return styles;
}

// Cell reference ("C2") to its cell, texts through the shared strings.
std::map<QString, Cell> sheetCells(
    const QByteArray &sheet, const QStringList &strings, const Styles &styles = {})
{
    std::map<QString, Cell> cells;
    QXmlStreamReader r(sheet);
    QString ref;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (r.name() == QLatin1String("c")) {
            const auto a = r.attributes();
            ref = a.value(QLatin1String("r")).toString();
            Cell &cell = cells[ref];
            cell.number = a.value(QLatin1String("t")).isEmpty();
            const int style = a.value(QLatin1String("s")).toInt();
            cell.fill = styles.xfFills.value(style);
            cell.numberFormat = styles.xfFormats.value(style);
        } else if (r.name() == QLatin1String("v")) {
            const QString v = r.readElementText();
            cells[ref].value = cells[ref].number ? v : strings.value(v.toInt());
        }
    }
    EXPECT_FALSE(r.hasError());
    return cells;
}

Cell text(const char *value, const char *fill = "")
{
    return Cell { QString::fromUtf8(value), false, QString::fromLatin1(fill), QString() };
}

TEST(XlsxExport, OneSheetPerPageARowPerBandItsFieldsInColumns)
{
    kb::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("kalender.xlsx"));
    kb::test::writeAll(path, xlsxExport(kb::test::sampleDocument()));
    runTool(QStringLiteral("unzip"), { QStringLiteral("-tq"), path });

    EXPECT_TRUE(QString::fromUtf8(member(path, "xl/workbook.xml"))
                    .contains(QStringLiteral("<sheet name=\"Seite 1\" sheetId=\"1\"")));
    EXPECT_TRUE(QString::fromUtf8(member(path, "xl/workbook.xml"))
                    .contains(QStringLiteral("<sheet name=\"Seite 2\" sheetId=\"2\"")));
    const QStringList strings = elementTexts(member(path, "xl/sharedStrings.xml"), "si");
    const Styles styles = readStyles(member(path, "xl/styles.xml"));

    // The shaded Saturday's cells take its green, its empty notes field too.
    const std::map<QString, Cell> first
        = sheetCells(member(path, "xl/worksheets/sheet1.xml"), strings, styles);
    const std::map<QString, Cell> expected = {
        { QStringLiteral("A1"), text("Jahreskalender 2027") },
        { QStringLiteral("A2"), text("Fr") },
        { QStringLiteral("B2"), text("01.01.2027") },
        { QStringLiteral("C2"), text("Neujahr") },
        { QStringLiteral("A3"), text("Sa", "FF00C800") },
        { QStringLiteral("B3"), text("02.01.2027", "FF00C800") },
        { QStringLiteral("C3"), text("Müller, \"Max\"", "FF00C800") },
        { QStringLiteral("D3"), Cell { QString(), true, QStringLiteral("FF00C800"), QString() } },
        { QStringLiteral("A4"), text("Grüße aus Köln – Straße") },
        { QStringLiteral("B4"), text("5 € Gebühr") },
        { QStringLiteral("A5"), text("Seite 1") },
    };
    EXPECT_EQ(first, expected);
    const std::map<QString, Cell> second
        = sheetCells(member(path, "xl/worksheets/sheet2.xml"), strings);
    EXPECT_EQ(second.at(QStringLiteral("A2")).value, QStringLiteral("Erste Zeile zweite Zeile"));

    // Fonts carried over: bold title, italic red holiday, underlined greeting.
    const QByteArray stylesXml = member(path, "xl/styles.xml");
    EXPECT_TRUE(stylesXml.contains("<b/>"));
    EXPECT_TRUE(stylesXml.contains("<i/>"));
    EXPECT_TRUE(stylesXml.contains("<u/>"));
    EXPECT_TRUE(stylesXml.contains("<color rgb=\"FFC80000\"/>"));
    EXPECT_TRUE(stylesXml.contains("<name val=\"Arial\"/>"));
}

// Plain German numbers become number cells; anything that only looks like one stays text.
TEST(XlsxExport, NumbersAreStoredAsNumbers)
{
    const struct {
        const char *shown;
        bool number;
        const char *value;
        const char *format;
    } cases[] = {
        { "7", true, "7", "" },
        { "-3", true, "-3", "" },
        { "0", true, "0", "" },
        { "12,50", true, "12.5", "0.00" },
        { "0,5", true, "0.5", "0.0" },
        { "0815", false, "0815", "" }, // a leading zero is part of the text
        { "1.234", false, "1.234", "" },
        { "12.03.2026", false, "12.03.2026", "" },
        { "Woche 2", false, "Woche 2", "" },
        { "3,", false, "3,", "" },
        { "1e5", false, "1e5", "" },
    };
    MemoryDataSet data;
    for (const auto &c : cases)
        data.append({ { QStringLiteral("v"), QString::fromUtf8(c.shown) } });
    Report report;
    report.setDataSet(&data);
    report.detail().setHeight(19);
    report.detail().add<FieldText>(QStringLiteral("v")).setSize(100, 19);

    kb::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("zahlen.xlsx"));
    kb::test::writeAll(path, xlsxExport(report.generate()));
    const std::map<QString, Cell> cells = sheetCells(member(path, "xl/worksheets/sheet1.xml"),
        elementTexts(member(path, "xl/sharedStrings.xml"), "si"),
        readStyles(member(path, "xl/styles.xml")));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto &c = cases[i];
        const Cell &cell = cells.at(QStringLiteral("A%1").arg(i + 1));
        EXPECT_EQ(cell.number, c.number) << c.shown;
        EXPECT_EQ(cell.value, QString::fromUtf8(c.value)) << c.shown;
        EXPECT_EQ(cell.numberFormat, QString::fromUtf8(c.format)) << c.shown;
    }
}

} // namespace
