// A year of days as a 12-page report: 366 detail bands of five printables each, with page
// and column headers. Paginating it and writing the PDF is compared with a baseline that
// draws the same texts straight onto a QPdfWriter; the preview's first page is timed too.

#include "report/MemoryDataSet.h"
#include "report/PageView.h"
#include "report/PreviewWindow.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "report/Writers.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kb::report;

namespace {

MemoryDataSet &yearOfDays()
{
    static MemoryDataSet data = [] {
        MemoryDataSet d;
        static const char *const days[] = { "Mo", "Di", "Mi", "Do", "Fr", "Sa", "So" };
        for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(1)) {
            MemoryDataSet::Record r;
            r.insert(QStringLiteral("Datum"), day);
            r.insert(QStringLiteral("Tag"), QString::fromLatin1(days[day.dayOfWeek() - 1]));
            r.insert(QStringLiteral("Text"),
                day.day() % 3 ? QStringLiteral("Urlaub") : QStringLiteral("Zahnarzt 10 Uhr"));
            r.insert(QStringLiteral("Woche"), day.weekNumber());
            r.insert(QStringLiteral("MonatNr"), day.month());
            d.append(r);
        }
        return d;
    }();
    return data;
}

// A4 portrait, one column: 32 days a page, so 366 days make 12 pages.
std::unique_ptr<Report> yearReport()
{
    auto report = std::make_unique<Report>();
    report->setPaper(PaperSize::A4);
    report->setMargins({ .left = 10, .right = 10, .top = 10, .bottom = 10 });
    report->setDataSet(&yearOfDays());
    Band &header = report->pageHeader();
    header.setHeight(60);
    header.add<Label>(QStringLiteral("Jahreskalender 2024")).setGeometry(0, 10, 400, 30);
    header.add<SystemData>(SystemData::Kind::PageNumber).setGeometry(600, 10, 80, 20);
    Band &columnHeader = report->columnHeader();
    columnHeader.setHeight(20);
    columnHeader.add<FieldText>(QStringLiteral("Datum"), QStringLiteral("mmmm"))
        .setGeometry(0, 2, 200, 16);
    Band &detail = report->detail();
    detail.setHeight(30);
    detail.frame().bottom = PenSpec { QColor(0xC8, 0, 0), 1, Qt::SolidLine };
    auto &day = detail.add<FieldText>(QStringLiteral("Datum"), QStringLiteral("d"));
    day.setGeometry(0, 2, 25, 20);
    day.setAlignment(HAlign::Right);
    day.setFont({ QStringLiteral("Arial"), 11, true, false, false, false });
    day.setTransparent(true);
    detail.add<FieldText>(QStringLiteral("Tag")).setGeometry(30, 2, 30, 20);
    auto &text = detail.add<FieldText>(QStringLiteral("Text"));
    text.setGeometry(70, 2, 400, 20);
    text.setTransparent(true);
    detail.add<FieldText>(QStringLiteral("Woche")).setGeometry(500, 2, 40, 20);
    auto &week = detail.add<Label>(QStringLiteral("Woche"));
    week.setGeometry(560, 2, 60, 20);
    week.setFont({ QStringLiteral("Small Fonts"), 5, false, false, false, false });
    return report;
}

void BM_PaginateAndWritePdf(benchmark::State &state)
{
    QTemporaryDir dir;
    const auto report = yearReport();
    std::size_t pages = 0;
    for (auto _ : state) {
        const Document doc = report->generate();
        writePdf(doc, dir.filePath(QStringLiteral("jahr.pdf")));
        pages = doc.pages.size();
    }
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_PaginateAndWritePdf)->Unit(benchmark::kMillisecond);

void BM_PaginateOnly(benchmark::State &state)
{
    const auto report = yearReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(report->generate());
}
BENCHMARK(BM_PaginateOnly)->Unit(benchmark::kMillisecond);

// The same texts, fonts and positions drawn with plain QPainter calls onto a QPdfWriter.
void BM_BaselineTextsOnPdfWriter(benchmark::State &state)
{
    QTemporaryDir dir;
    const Document doc = yearReport()->generate();
    for (auto _ : state) {
        QPdfWriter pdf(dir.filePath(QStringLiteral("baseline.pdf")));
        pdf.setResolution(1200);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF());
        QPainter painter(&pdf);
        painter.scale(1200 / 96.0, 1200 / 96.0);
        for (std::size_t p = 0; p < doc.pages.size(); ++p) {
            if (p > 0)
                pdf.newPage();
            for (const Primitive &item : doc.pages[p].items) {
                if (const auto *t = std::get_if<TextItem>(&item)) {
                    QFont font(t->font.family);
                    font.setPointSizeF(t->font.pointSize * 96.0 / 1200);
                    font.setBold(t->font.bold);
                    painter.setFont(font);
                    painter.drawText(t->rect, int(t->alignment), t->text);
                }
            }
        }
    }
}
BENCHMARK(BM_BaselineTextsOnPdfWriter)->Unit(benchmark::kMillisecond);

// From opening the preview while generating to the first page painted.
void BM_PreviewFirstPage(benchmark::State &state)
{
    for (auto _ : state) {
        const auto report = yearReport();
        PreviewWindow window(report->emptyDocument(), report->paginate());
        window.resize(1000, 760);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
