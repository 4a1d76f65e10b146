#include "SampleDocument.h"

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

// Cell reference ("C2") to its text, through the shared strings.
std::map<QString, QString> sheetCells(const QByteArray &sheet, const QStringList &strings)
{
    std::map<QString, QString> cells;
    QXmlStreamReader r(sheet);
    QString ref;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (r.name() == QLatin1String("c"))
            ref = r.attributes().value(QLatin1String("r")).toString();
        else if (r.name() == QLatin1String("v"))
            cells[ref] = strings.value(r.readElementText().toInt());
    }
    EXPECT_FALSE(r.hasError());
    return cells;
}

TEST(XlsxExport, OneSheetPerPageWithTextsInCellsByPosition)
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

    // Columns follow the distinct left edges (38, 70, 170, 450, 656 px), rows the text rows.
    const std::map<QString, QString> first
        = sheetCells(member(path, "xl/worksheets/sheet1.xml"), strings);
    const std::map<QString, QString> expected = {
        { QStringLiteral("A1"), QStringLiteral("Jahreskalender 2027") },
        { QStringLiteral("A2"), QStringLiteral("Fr") },
        { QStringLiteral("B2"), QStringLiteral("01.01.2027") },
        { QStringLiteral("C2"), QStringLiteral("Neujahr") },
        { QStringLiteral("A3"), QStringLiteral("Sa") },
        { QStringLiteral("B3"), QStringLiteral("02.01.2027") },
        { QStringLiteral("C3"), QStringLiteral("Müller, \"Max\"") },
        { QStringLiteral("A4"), QStringLiteral("Grüße aus Köln – Straße") },
        { QStringLiteral("D4"), QStringLiteral("5 € Gebühr") },
        { QStringLiteral("E5"), QStringLiteral("Seite 1") },
    };
    EXPECT_EQ(first, expected);
    const std::map<QString, QString> second
        = sheetCells(member(path, "xl/worksheets/sheet2.xml"), strings);
    EXPECT_EQ(second.at(QStringLiteral("A2")), QStringLiteral("Erste Zeile zweite Zeile"));

    // Fonts carried over: bold title, italic red holiday, underlined greeting.
    const QByteArray styles = member(path, "xl/styles.xml");
    EXPECT_TRUE(styles.contains("<b/>"));
    EXPECT_TRUE(styles.contains("<i/>"));
    EXPECT_TRUE(styles.contains("<u/>"));
    EXPECT_TRUE(styles.contains("<color rgb=\"FFC80000\"/>"));
    EXPECT_TRUE(styles.contains("<name val=\"Arial\"/>"));
}

} // namespace
