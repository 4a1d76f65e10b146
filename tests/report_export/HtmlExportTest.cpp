#include "SampleDocument.h"

#include "report/export/Export.h"

#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace kb::report;

namespace {

struct HtmlPage {
    QStringList texts;
    QStringList textStyles;
    int lines = 0;
    int rects = 0;
    QStringList pictures; // src attributes
};

// The export is also well-formed XML, so an XML reader checks its structure.
std::vector<HtmlPage> readHtml(const QByteArray &html, QString *title)
{
    std::vector<HtmlPage> pages;
    QXmlStreamReader xml(html);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString cls = xml.attributes().value(QLatin1String("class")).toString();
        if (xml.name() == QLatin1String("title"))
            *title = xml.readElementText();
        else if (xml.name() == QLatin1String("section"))
            pages.emplace_back();
        else if (pages.empty())
            continue;
        else if (xml.name() == QLatin1String("div") && cls == QLatin1String("t")) {
            pages.back().textStyles.append(
                xml.attributes().value(QLatin1String("style")).toString());
            pages.back().texts.append(xml.readElementText());
        } else if (xml.name() == QLatin1String("div") && cls == QLatin1String("r"))
            ++pages.back().rects;
        else if (xml.name() == QLatin1String("line"))
            ++pages.back().lines;
        else if (xml.name() == QLatin1String("img"))
            pages.back().pictures.append(xml.attributes().value(QLatin1String("src")).toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line "
                                 << xml.lineNumber();
    return pages;
}

TEST(HtmlExport, OneSectionPerPageWithPositionedTextsShapesAndPictures)
{
    const QByteArray html = htmlExport(kb::test::sampleDocument());
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>\n<html lang=\"de\">"));
    EXPECT_TRUE(html.contains("<meta charset=\"utf-8\"/>"));
    QString title;
    const std::vector<HtmlPage> pages = readHtml(html, &title);
    EXPECT_EQ(title, QStringLiteral("Kalender <2027> & Co"));
    ASSERT_EQ(pages.size(), 2u);

    EXPECT_EQ(pages[0].texts,
        QStringList({ QStringLiteral("Jahreskalender 2027"), QStringLiteral("Neujahr"),
            QStringLiteral("Fr"), QStringLiteral("01.01.2027"), QStringLiteral("Sa"),
            QStringLiteral("02.01.2027"), QStringLiteral("Müller, \"Max\""),
            QStringLiteral("Grüße aus Köln – Straße"), QStringLiteral("5 € Gebühr"),
            QStringLiteral("Seite 1") }));
    EXPECT_EQ(pages[0].rects, 2); // the title's frame and the shaded Saturday
    EXPECT_EQ(pages[0].lines, 1);
    EXPECT_EQ(pages[1].texts.value(1), QStringLiteral("Erste Zeile\nzweite Zeile"));

    // Positions and fonts as on paper.
    const QString holiday = pages[0].textStyles.value(1);
    EXPECT_TRUE(holiday.contains(QStringLiteral("left:170px;top:101px;width:200px;height:16px;")));
    EXPECT_TRUE(holiday.contains(
        QStringLiteral("font-family:'Arial','Liberation Sans',sans-serif;font-size:9pt;")));
    EXPECT_TRUE(holiday.contains(QStringLiteral("font-style:italic;")));
    EXPECT_TRUE(holiday.contains(QStringLiteral("color:#c80000;")));
    EXPECT_TRUE(pages[0].textStyles.value(0).contains(QStringLiteral("text-align:center;")));
    EXPECT_TRUE(pages[0].textStyles.value(9).contains(QStringLiteral("text-align:right;")));

    ASSERT_EQ(pages[0].pictures.size(), 1);
    const QString prefix = QStringLiteral("data:image/jpeg;base64,");
    ASSERT_TRUE(pages[0].pictures[0].startsWith(prefix));
    const QImage picture = QImage::fromData(
        QByteArray::fromBase64(pages[0].pictures[0].mid(prefix.size()).toLatin1()));
    ASSERT_EQ(picture.size(), QSize(40, 30));
    EXPECT_GT(qRed(picture.pixel(5, 15)), 200);
    EXPECT_GT(qBlue(picture.pixel(35, 15)), 200);
}

TEST(HtmlExport, MarkupInTextsIsEscaped)
{
    Document doc;
    Page page;
    page.items.push_back(
        kb::test::text(QStringLiteral("<script>alert('x')</script> & \"Ä\"\x01"), 0, 0, 300, 20));
    doc.pages.push_back(page);
    const QByteArray html = htmlExport(doc);
    EXPECT_FALSE(html.contains("<script>"));
    QString title;
    const std::vector<HtmlPage> pages = readHtml(html, &title);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].texts, QStringList(QStringLiteral("<script>alert('x')</script> & \"Ä\"")));
}

} // namespace
