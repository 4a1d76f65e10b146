#include "SampleDocument.h"

#include "platform/Cp1252.h"
#include "report/export/Export.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <set>

using namespace kb::report;
using kb::test::runTool;

namespace {

quint16 word(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}
quint32 dword(const QByteArray &b, qsizetype at)
{
    return word(b, at) | quint32(word(b, at + 2)) << 16;
}

struct Metafile {
    quint16 unitsPerInch = 0;
    quint16 right = 0, bottom = 0;
    std::multiset<quint16> functions;
};

// Reads the placeable header (with its checksum), the metafile header and walks the records
// to the end-of-file record; every size must add up.
Metafile readMetafile(const QByteArray &wmf)
{
    Metafile m;
    EXPECT_GE(wmf.size(), 22 + 18 + 6);
    EXPECT_EQ(dword(wmf, 0), 0x9AC6CDD7u);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= word(wmf, 2 * i);
    EXPECT_EQ(word(wmf, 20), checksum);
    m.right = word(wmf, 10);
    m.bottom = word(wmf, 12);
    m.unitsPerInch = word(wmf, 14);

    const QByteArray body = wmf.mid(22);
    EXPECT_EQ(word(body, 0), 1); // memory metafile
    EXPECT_EQ(word(body, 2), 9); // header words
    EXPECT_EQ(word(body, 4), 0x0300); // version
    EXPECT_EQ(qsizetype(dword(body, 6)) * 2, body.size());
    quint32 largest = 0;
    qsizetype at = 18;
    quint16 function = 0xFFFF;
    while (at + 6 <= body.size()) {
        const quint32 words = dword(body, at);
        function = word(body, at + 4);
        largest = std::max(largest, words);
        m.functions.insert(function);
        at += qsizetype(words) * 2;
        if (function == 0 || words < 3)
            break;
    }
    EXPECT_EQ(function, 0) << "the last record ends the file";
    EXPECT_EQ(at, body.size());
    EXPECT_EQ(dword(body, 12), largest);
    return m;
}

TEST(WmfExport, PlaceableMetafileThatWmf2svgReads)
{
    const Document doc = kb::test::sampleDocument();
    const QByteArray wmf = wmfExport(doc, 0);
    const Metafile m = readMetafile(wmf);
    EXPECT_EQ(m.unitsPerInch, 1440); // twips: A4 fits 16-bit coordinates
    EXPECT_EQ(m.right, 11906); // 210 mm
    EXPECT_EQ(m.bottom, 16838); // 297 mm
    for (quint16 f : { 0x02FB, 0x02FA, 0x02FC, 0x012D, 0x0A32, 0x0214, 0x0213, 0x041B, 0x0F43 })
        EXPECT_EQ(m.functions.count(f) > 0, true) << std::hex << f;
    EXPECT_EQ(m.functions.count(0x0A32), 10u) << "one text record per line of text";
    // Texts in Windows-1252.
    EXPECT_TRUE(wmf.contains("Gr\xfc\xdf"
                             "e aus K\xf6ln \x96 Stra\xdf"
                             "e"));

    kb::test::TempDir dir;
    const QString in = dir.file(QStringLiteral("seite.wmf"));
    const QString out = dir.file(QStringLiteral("seite.svg"));
    kb::test::writeAll(in, wmf);
    runTool(QStringLiteral("wmf2svg"), { QStringLiteral("-o"), out, in });
    // wmf2svg copies the texts' bytes as they are in the metafile, so its SVG is Windows-1252
    // whatever it declares, and it leaves the xlink prefix of its pictures undeclared.
    QXmlStreamReader svg(kb::fromCp1252(kb::test::readAll(out)));
    svg.setNamespaceProcessing(false);
    QStringList texts;
    int images = 0, shapes = 0;
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (svg.name() == QLatin1String("text"))
            texts.append(svg.readElementText(QXmlStreamReader::IncludeChildElements));
        else if (svg.name() == QLatin1String("image"))
            ++images;
        else if (svg.name() == QLatin1String("rect")) {
            ++shapes;
            // Shading shows solid, as on paper.
            EXPECT_TRUE(svg.attributes()
                            .value(QLatin1String("style"))
                            .contains(QLatin1String("fill-opacity:1.0")));
        } else if (svg.name() == QLatin1String("polyline") || svg.name() == QLatin1String("line")
            || svg.name() == QLatin1String("path"))
            ++shapes;
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    for (const char *t : { "Jahreskalender 2027", "Neujahr", "01.01.2027", "Müller, \"Max\"",
             "Grüße aus Köln – Straße", "5 € Gebühr", "Seite 1" })
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t)))
            << t << " in " << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(images, 1);
    // wmf2svg saves the bitmap beside the SVG: rows bottom-up and BGR order read back right.
    const QImage picture(dir.file(QStringLiteral("seite-1.png")));
    ASSERT_EQ(picture.size(), QSize(40, 30));
    EXPECT_EQ(picture.pixelColor(20, 1), QColor(Qt::green));
    EXPECT_EQ(picture.pixelColor(5, 25), QColor(Qt::red));
    EXPECT_EQ(picture.pixelColor(35, 25), QColor(Qt::blue));
    EXPECT_GE(shapes, 2);
}

TEST(WmfExport, LargePagesUseCoarserUnitsAndOversizedPagesAreRefused)
{
    Document doc = kb::test::sampleDocument();
    doc.paperSizeMm = QSizeF(1000, 700);
    const Metafile m = readMetafile(wmfExport(doc, 0));
    EXPECT_LT(m.unitsPerInch, 1440);
    EXPECT_LE(m.right, 32767);
    EXPECT_NEAR(m.right / double(m.unitsPerInch) * 25.4, 1000.0, 1.0);

    doc.paperSizeMm = QSizeF(10000, 700);
    EXPECT_EQ(kb::test::errorOf([&] { wmfExport(doc, 0); }),
        QStringLiteral("Die Seite ist zu groß für eine Windows-Metadatei."));
}

} // namespace
