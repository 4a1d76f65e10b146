// File output: PDF, PNG, SVG and saved reports, all drawn from the same pages.

#include "platform/Error.h"
#include "report/DocumentFile.h"
#include "report/MemoryDataSet.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "report/Writers.h"
#include "support/TestUtil.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <limits>

using namespace kb::report;

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": "
                               << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A landscape A4 report of two pages: a red header strip, day lines with German texts.
Document sampleDocument(MemoryDataSet &data)
{
    for (int n = 1; n <= 60; ++n) {
        MemoryDataSet::Record r;
        r.insert(QStringLiteral("Text"), QStringLiteral("Tag %1 Grüße").arg(n));
        data.append(r);
    }
    Report report;
    report.setPaper(PaperSize::A4);
    report.setOrientation(Orientation::Landscape);
    report.setMargins({ .left = 10, .right = 10, .top = 10, .bottom = 10 });
    report.setColumns(2);
    report.setTitle(QStringLiteral("Muster"));
    report.setDataSet(&data);
    Band &header = report.pageHeader();
    header.setHeight(40);
    auto &strip = header.add<Label>(QStringLiteral("Kopfband Überschrift"));
    strip.setGeometry(0, 10, 300, 20);
    strip.setBackground(QColor(200, 0, 0));
    Band &detail = report.detail();
    detail.setHeight(30);
    detail.frame().bottom = PenSpec { QColor(0, 0, 200), 1, Qt::SolidLine };
    detail.add<FieldText>(QStringLiteral("Text")).setGeometry(5, 5, 200, 20);
    return report.generate();
}

TEST(Output, PdfKeepsTextAndPageGeometry)
{
    kb::test::TempDir dir;
    MemoryDataSet data;
    const Document doc = sampleDocument(data);
    ASSERT_EQ(doc.pages.size(), 2u);
    const QString pdf = dir.file(QStringLiteral("bericht.pdf"));
    writePdf(doc, pdf);

    const QString info = run(QStringLiteral("pdfinfo"), { pdf });
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(
        QRegularExpression(QStringLiteral("Page size:\\s+84[12][.0-9]* x 595[.0-9]* pts"))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Muster"))) << info.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    EXPECT_TRUE(text.contains(QStringLiteral("Kopfband Überschrift")));
    EXPECT_TRUE(text.contains(QStringLiteral("Tag 1 Grüße")));
    EXPECT_TRUE(text.contains(QStringLiteral("Tag 60 Grüße")));
}

// The preview, PNG and PDF draw the same pages: a PDF rasterised at 192 dpi matches the PNG.
TEST(Output, PngAndPdfShowTheSamePage)
{
    kb::test::TempDir dir;
    MemoryDataSet data;
    const Document doc = sampleDocument(data);
    const QStringList pngs = writePng(doc, dir.file(QStringLiteral("seite.png")), 96);
    ASSERT_EQ(pngs,
        (QStringList {
            dir.file(QStringLiteral("seite-1.png")), dir.file(QStringLiteral("seite-2.png")) }));
    const QImage png(pngs[0]);
    ASSERT_EQ(png.size(), QSize(1123, 794));
    // The red strip and the blue day line sit where the display list puts them.
    const QPointF stripPoint(mmToPixels(10) + 150, mmToPixels(10) + 12);
    EXPECT_EQ(png.pixelColor(stripPoint.toPoint()), QColor(200, 0, 0));
    const QPointF linePoint(mmToPixels(10) + 250, mmToPixels(10) + 40 + 29.5);
    const QColor line = png.pixelColor(linePoint.toPoint());
    EXPECT_TRUE(line.blue() > 150 && line.red() < 120) << line.name().toStdString();

    const QImage png192 = renderPageImage(doc, 0, 192);
    writePdf(doc, dir.file(QStringLiteral("seite.pdf")));
    if (qEnvironmentVariableIsSet("KB_KEEP_OUTPUT")) {
        png192.save(qEnvironmentVariable("KB_KEEP_OUTPUT") + QStringLiteral("/seite.png"));
        QFile::copy(dir.file(QStringLiteral("seite.pdf")),
            qEnvironmentVariable("KB_KEEP_OUTPUT") + QStringLiteral("/seite.pdf"));
    }
    run(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"), QStringLiteral("192"), QStringLiteral("-png"), QStringLiteral("-f"),
            QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
            dir.file(QStringLiteral("seite.pdf")), dir.file(QStringLiteral("pdf")) });
    QImage fromPdf(dir.file(QStringLiteral("pdf-1.png")));
    ASSERT_FALSE(fromPdf.isNull());
    // Page sizes may differ by a rounded pixel; compare the common area.
    fromPdf = fromPdf.convertToFormat(QImage::Format_RGB32);
    const QImage fromPng = png192.convertToFormat(QImage::Format_RGB32);
    // A pixel counts as different when its colour lies outside the colours around the same
    // place in the other picture (anti-aliasing and sub-pixel placement vary by device).
    const int w = std::min(fromPng.width(), fromPdf.width());
    const int h = std::min(fromPng.height(), fromPdf.height());
    const auto inRange = [&](int value, int x, int y, int (*channel)(QRgb)) {
        int lo = 255, hi = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int c = channel(fromPdf.pixel(x + dx, y + dy));
                lo = std::min(lo, c);
                hi = std::max(hi, c);
            }
        }
        return value >= lo - 48 && value <= hi + 48;
    };
    int differing = 0;
    int inked = 0;
    for (int y = 1; y + 1 < h; ++y) {
        for (int x = 1; x + 1 < w; ++x) {
            const QRgb a = fromPng.pixel(x, y);
            if (a == fromPdf.pixel(x, y))
                continue;
            ++inked;
            differing += !(inRange(qRed(a), x, y, qRed) && inRange(qGreen(a), x, y, qGreen)
                && inRange(qBlue(a), x, y, qBlue));
        }
    }
    EXPECT_LT(differing, 200) << differing << " of " << inked << " pixels differ";
}

// A text cut at its box draws inside a saved painter state; the next text in the same font must
// not be drawn with the font that state had before (it came out huge in another font on PDF).
TEST(Output, ATextAfterACutTextOfTheSameFontKeepsItsFont)
{
    const FontSpec font { .family = QStringLiteral("Arial"), .pointSize = 16, .bold = true };
    TextItem zuLang;
    zuLang.rect = QRectF(20, 20, 60, 28);
    zuLang.text = QStringLiteral("Feiertage des Jahres");
    zuLang.font = font;
    TextItem jahr = zuLang;
    jahr.rect = QRectF(100, 20, 80, 28);
    jahr.text = QStringLiteral("2027");
    Document beide;
    beide.pages.resize(1);
    beide.pages[0].items = { zuLang, jahr };
    Document allein;
    allein.pages.resize(1);
    allein.pages[0].items = { jahr };
    for (const double dpi : { 96.0, 300.0 }) {
        const QRect bereich = QRectF(95 * dpi / 96, 0, 200 * dpi / 96, 120 * dpi / 96).toRect();
        EXPECT_EQ(renderPageImage(beide, 0, dpi).copy(bereich),
            renderPageImage(allein, 0, dpi).copy(bereich))
            << dpi;
    }
}

TEST(Output, SvgKeepsTextAndPageFilesAreNumbered)
{
    kb::test::TempDir dir;
    MemoryDataSet data;
    Document doc = sampleDocument(data);
    doc.pages.resize(1);
    const QStringList svgs = writeSvg(doc, dir.file(QStringLiteral("seite.svg")));
    ASSERT_EQ(svgs, QStringList { dir.file(QStringLiteral("seite-1.svg")) });
    const QString svg = QString::fromUtf8(kb::test::readAll(svgs[0]));
    EXPECT_TRUE(svg.contains(QStringLiteral("Tag 1 Grüße")));
    EXPECT_TRUE(svg.contains(QStringLiteral("<text")));
    EXPECT_EQ(writePng(doc, dir.file(QStringLiteral("a.png")), 192),
        QStringList { dir.file(QStringLiteral("a-1.png")) });
    EXPECT_EQ(QImage(dir.file(QStringLiteral("a-1.png"))).width(), 2246);
    // A resolution no picture can hold is refused with a message, and writes nothing.
    EXPECT_THROW(writePng(doc, dir.file(QStringLiteral("riesig.png")), 1e6), kb::Error);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("riesig-1.png"))));
}

TEST(Output, SavedReportOpensAsItWas)
{
    kb::test::TempDir dir;
    MemoryDataSet data;
    Document doc = sampleDocument(data);
    QImage logo(8, 6, QImage::Format_ARGB32);
    logo.fill(QColor(1, 2, 3));
    doc.pages[0].items.emplace_back(PictureItem { QRectF(1, 2, 8, 6), logo });
    doc.pages[0].items.emplace_back(
        RectItem { QRectF(0, 0, 5, 5), std::nullopt, PenSpec { Qt::green, 2, Qt::DotLine } });
    const QString path = dir.file(QStringLiteral("bericht.kbr"));
    saveDocument(doc, path);
    const Document back = loadDocument(path);

    EXPECT_EQ(back.title, doc.title);
    EXPECT_EQ(back.orientation, Orientation::Landscape);
    EXPECT_EQ(back.paperSizeMm, doc.paperSizeMm);
    ASSERT_EQ(back.pages.size(), doc.pages.size());
    ASSERT_EQ(back.pages[0].items.size(), doc.pages[0].items.size());
    ASSERT_EQ(back.pages[0].bands.size(), doc.pages[0].bands.size());
    EXPECT_EQ(back.pages[0].bands[3].rect, doc.pages[0].bands[3].rect);
    // What each printable drew comes back too: the row exports read it.
    const PlacedBand &header = back.pages[0].bands[0];
    ASSERT_EQ(header.printables.size(), 1u);
    EXPECT_EQ(header.printables[0].rect, doc.pages[0].bands[0].printables[0].rect);
    EXPECT_EQ(header.printables[0].firstItem, doc.pages[0].bands[0].printables[0].firstItem);
    EXPECT_EQ(header.printables[0].itemCount, 1u);
    EXPECT_TRUE(header.printables[0].text);
    const auto &text = std::get<TextItem>(back.pages[1].items.at(1));
    EXPECT_EQ(text.text, std::get<TextItem>(doc.pages[1].items.at(1)).text);
    EXPECT_EQ(
        std::get<PictureItem>(back.pages[0].items[doc.pages[0].items.size() - 2]).image, logo);
    EXPECT_EQ(std::get<RectItem>(back.pages[0].items.back()).frame->style, Qt::DotLine);
    // Saving what was opened gives the same bytes.
    saveDocument(back, dir.file(QStringLiteral("wieder.kbr")));
    EXPECT_EQ(kb::test::readAll(dir.file(QStringLiteral("wieder.kbr"))), kb::test::readAll(path));
}

// A report file of the first version (before the printables were recorded): one page with one
// text and one detail band over the primitives [first, first + count).
void writeFirstVersion(const QString &path, quint64 first, quint64 count)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QDataStream s(&file);
    s.setVersion(QDataStream::Qt_6_4);
    const FontSpec font;
    s << quint32(0x4b425250) << quint16(1) << QStringLiteral("Alt") << quint8(PaperSize::A4)
      << quint8(Orientation::Portrait) << QSizeF(210, 297) << quint32(1);
    s << quint32(1) << quint8(1) << QRectF(10, 20, 100, 15) << QStringLiteral("Montag")
      << font.family << font.pointSize << font.bold << font.italic << font.underline
      << font.strikeOut << QColor(Qt::black) << quint32(Qt::AlignLeft | Qt::AlignTop) << false
      << false;
    s << quint32(1) << quint8(BandKind::Detail) << QRectF(10, 20, 300, 19) << qint32(0) << first
      << count;
}

// Reports saved before the printables were recorded still open: their bands come back without
// printables. A band whose primitives lie outside the page is refused, also where the sum of
// its numbers would wrap around.
TEST(Output, ReportOfTheFirstVersionOpens)
{
    kb::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("alt.kbr"));
    writeFirstVersion(path, 0, 1);
    const Document doc = loadDocument(path);
    EXPECT_EQ(doc.title, QStringLiteral("Alt"));
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].bands.size(), 1u);
    EXPECT_EQ(doc.pages[0].bands[0].itemCount, 1u);
    EXPECT_TRUE(doc.pages[0].bands[0].printables.empty());
    EXPECT_EQ(std::get<TextItem>(doc.pages[0].items.at(0)).text, QStringLiteral("Montag"));

    const struct {
        quint64 first, count;
    } damaged[] = { { 1, 1 }, { 0, 2 }, { std::numeric_limits<quint64>::max(), 2 } };
    for (const auto &c : damaged) {
        writeFirstVersion(path, c.first, c.count);
        EXPECT_TRUE(kb::test::errorOf([&] {
            loadDocument(path);
        }).contains(QStringLiteral("kein gespeicherter Bericht oder beschädigt")))
            << c.first << " + " << c.count;
    }
}

TEST(Output, BadReportFilesGiveAGermanErrorAndFailedSavesKeepTheOldFile)
{
    kb::test::TempDir dir;
    MemoryDataSet data;
    const Document doc = sampleDocument(data);
    const QString good = dir.file(QStringLiteral("gut.kbr"));
    saveDocument(doc, good);
    const QByteArray bytes = kb::test::readAll(good);

    QByteArray newer = bytes;
    newer[5] = char(99); // version
    const struct {
        const char *name;
        QByteArray content;
        const char *message;
    } cases[] = {
        { "not a report", QByteArray("%PDF-1.4 something else"), "kein gespeicherter Bericht" },
        { "empty", QByteArray(), "kein gespeicherter Bericht" },
        { "cut off", bytes.left(bytes.size() / 2), "kein gespeicherter Bericht" },
        { "trailing rubbish", bytes + "xyz", "kein gespeicherter Bericht" },
        { "newer version", newer, "neueren Programmversion" },
    };
    for (const auto &c : cases) {
        const QString path = dir.file(QStringLiteral("kaputt.kbr"));
        kb::test::writeAll(path, c.content);
        const QString error = kb::test::errorOf([&] { loadDocument(path); });
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << error.toStdString();
    }
    EXPECT_THROW(loadDocument(dir.file(QStringLiteral("fehlt.kbr"))), kb::Error);
    EXPECT_THROW(saveDocument(doc, dir.file(QStringLiteral("kein/ordner.kbr"))), kb::Error);
    EXPECT_THROW(writePdf(doc, dir.file(QStringLiteral("kein/ordner.pdf"))), kb::Error);

    // A save that fails half-way leaves the earlier file as it was: the directory is read-only.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(dir.path()).isWritable()) {
        EXPECT_THROW(saveDocument(Document {}, good), kb::Error);
        EXPECT_EQ(kb::test::readAll(good), bytes);
    }
    QFile::setPermissions(
        dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
