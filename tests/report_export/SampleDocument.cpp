#include "SampleDocument.h"

#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>

namespace kb::test {

using namespace kb::report;

TextItem text(
    const QString &s, double x, double y, double w, double h, double pointSize, Qt::Alignment align)
{
    TextItem t;
    t.rect = QRectF(x, y, w, h);
    t.text = s;
    t.font.pointSize = pointSize;
    t.alignment = align;
    return t;
}

namespace {

PlacedPrintable printableAt(const Page &page, std::size_t item, bool text)
{
    QRectF rect;
    std::visit(
        [&](const auto &i) {
            if constexpr (std::is_same_v<std::decay_t<decltype(i)>, LineItem>)
                rect = QRectF(i.line.p1(), i.line.p2()).normalized();
            else
                rect = i.rect;
        },
        page.items.at(item));
    return PlacedPrintable { rect, item, 1, text };
}

// A band over the items [first, end) of `page`: each item is the print of one printable
// (a text printable unless it is a line, rectangle or picture); `empty` adds text printables
// that printed nothing, at the given boxes.
void addBand(Page &page, BandKind kind, const QRectF &rect, std::size_t first, std::size_t end,
    std::optional<QColor> background = std::nullopt, const std::vector<QRectF> &empty = {})
{
    PlacedBand band;
    band.kind = kind;
    band.rect = rect;
    band.firstItem = first;
    band.itemCount = end - first;
    band.background = background;
    // The band's own fill is not one of its printables.
    for (std::size_t i = background ? first + 1 : first; i < end; ++i)
        band.printables.push_back(
            printableAt(page, i, std::holds_alternative<TextItem>(page.items[i])));
    for (const QRectF &box : empty)
        band.printables.push_back(PlacedPrintable { box, end, 0, true });
    page.bands.push_back(band);
}

} // namespace

Document sampleDocument()
{
    Document doc;
    doc.title = QStringLiteral("Kalender <2027> & Co");

    Page first;
    first.items.push_back(RectItem { QRectF(38, 38, 718, 40), QColor(230, 230, 230), PenSpec {} });
    TextItem title = text(QStringLiteral("Jahreskalender 2027"), 38, 40, 718, 36, 16,
        Qt::AlignHCenter | Qt::AlignVCenter);
    title.font.bold = true;
    first.items.push_back(title);
    first.items.push_back(
        LineItem { QLineF(38, 90, 756, 90), PenSpec { Qt::black, 2, Qt::SolidLine } });
    addBand(first, BandKind::PageHeader, QRectF(38, 38, 718, 60), 0, 3);
    // Drawn out of reading order on purpose: the holiday name before the weekday. The notes
    // column at 400 printed nothing on either day.
    TextItem holiday = text(QStringLiteral("Neujahr"), 170, 101, 200, 16, 9);
    holiday.font.italic = true;
    holiday.color = QColor(200, 0, 0);
    first.items.push_back(holiday);
    first.items.push_back(text(QStringLiteral("Fr"), 38, 100, 30, 18));
    first.items.push_back(text(QStringLiteral("01.01.2027"), 70, 100, 90, 18));
    addBand(first, BandKind::Detail, QRectF(38, 98, 718, 20), 3, 6, std::nullopt,
        { QRectF(400, 100, 100, 18) });
    // Saturday: the band is shaded green.
    first.items.push_back(RectItem { QRectF(38, 118, 718, 20), QColor(0, 200, 0), std::nullopt });
    first.items.push_back(text(QStringLiteral("Sa"), 38, 120, 30, 18));
    first.items.push_back(text(QStringLiteral("02.01.2027"), 70, 120, 90, 18));
    first.items.push_back(text(QStringLiteral("Müller, \"Max\""), 170, 120, 200, 18));
    addBand(first, BandKind::Detail, QRectF(38, 118, 718, 20), 6, 10, QColor(0, 200, 0),
        { QRectF(400, 120, 100, 18) });
    TextItem greeting = text(QStringLiteral("Grüße aus Köln – Straße"), 38, 160, 400, 18);
    greeting.font.underline = true;
    first.items.push_back(greeting);
    first.items.push_back(text(QStringLiteral("5 € Gebühr"), 450, 160, 150, 18));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    {
        QPainter painter(&picture);
        painter.fillRect(0, 0, 20, 30, Qt::red);
        painter.fillRect(0, 0, 40, 5, Qt::green); // a green top edge shows which way is up
    }
    first.items.push_back(PictureItem { QRectF(500, 100, 80, 60), picture });
    addBand(first, BandKind::GroupHeader, QRectF(38, 150, 718, 40), 10, 13);
    first.items.push_back(text(QStringLiteral("Seite 1"), 656, 1080, 100, 18, 10, Qt::AlignRight));
    addBand(first, BandKind::PageFooter, QRectF(38, 1080, 718, 18), 13, 14);
    doc.pages.push_back(first);

    Page second;
    TextItem heading = text(QStringLiteral("Übersicht"), 38, 40, 300, 24, 14);
    heading.font.bold = true;
    second.items.push_back(heading);
    addBand(second, BandKind::PageHeader, QRectF(38, 38, 718, 30), 0, 1);
    second.items.push_back(text(QStringLiteral("Erste Zeile\nzweite Zeile"), 38, 80, 400, 40));
    addBand(second, BandKind::Detail, QRectF(38, 78, 718, 44), 1, 2);
    second.items.push_back(text(QStringLiteral("Seite 2"), 656, 1080, 100, 18, 10, Qt::AlignRight));
    addBand(second, BandKind::PageFooter, QRectF(38, 1080, 718, 18), 2, 3);
    doc.pages.push_back(second);
    return doc;
}

QByteArray runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted()) {
        ADD_FAILURE() << program.toStdString() << " is not installed";
        return {};
    }
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

} // namespace kb::test
