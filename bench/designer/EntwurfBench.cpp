// The designer window with a form of 600 elements: loaded and painted, one mouse move of a
// drag, one undo.

#include "designer/TEntwurf.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace kb::designer;

namespace {

// 600 elements: free texts, data fields and rectangles spread over the four shown bands.
Formular form600()
{
    Formular form;
    const FormBand baender[]
        = { FormBand::Header, FormBand::Group, FormBand::Day, FormBand::Footer };
    const ElementType typen[] = { ElementType::FreeText, ElementType::DataField,
        ElementType::Rectangle, ElementType::SystemField };
    int n = 0;
    for (FormBand b : baender) {
        for (ElementType t : typen) {
            for (int i = 0; i < 38 && n < 600; ++i, ++n) {
                FormElement *e = form.create(t, b);
                e->left = 30 + (n % 25) * 48;
                e->top += (n / 25) % 3 * 4;
                e->caption = QStringLiteral("Text %1").arg(n);
                e->dataField = QStringLiteral("Feld%1").arg(n);
            }
        }
    }
    form.setBandHeight(FormBand::Day, 150);
    return form;
}

void paint(TEntwurf &w, QImage &ziel)
{
    QPainter p(&ziel);
    w.ansicht()->viewport()->render(&p);
}

void BM_Load600AndPaint(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("600.qvf"));
    form600().save(pfad);
    QImage ziel(1366, 768, QImage::Format_RGB32);
    for (auto _ : state) {
        TEntwurf w;
        w.resize(1366, 768);
        w.laden(pfad);
        w.show();
        paint(w, ziel);
        benchmark::ClobberMemory();
        state.PauseTiming();
        w.hide();
        state.ResumeTiming();
    }
    state.counters["elements"] = double(form600().elements().size());
}
BENCHMARK(BM_Load600AndPaint)->Unit(benchmark::kMillisecond);

void BM_DragMoveRepaint(benchmark::State &state)
{
    TEntwurf w;
    w.resize(1366, 768);
    w.szene()->laden(form600());
    w.show();
    QImage ziel(1366, 768, QImage::Format_RGB32);
    paint(w, ziel);
    EntwurfAnsicht *v = w.ansicht();
    const FormElement *e = w.szene()->formular().find(QStringLiteral("SubDetailLabel_1"));
    const BandStrip s = bandLayout(w.szene()->formular())[2];
    const QPoint start = v->mapFromScene(QPointF(e->left + 5, s.top + e->top + 5));
    QTest::mousePress(v->viewport(), Qt::LeftButton, {}, start);
    int i = 0;
    for (auto _ : state) {
        ++i;
        QTest::mouseMove(v->viewport(), start + QPoint(i % 40, i % 7));
        paint(w, ziel);
        benchmark::ClobberMemory();
    }
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, start);
}
BENCHMARK(BM_DragMoveRepaint)->Unit(benchmark::kMillisecond);

void BM_UndoRedo(benchmark::State &state)
{
    TEntwurf w;
    w.resize(1366, 768);
    w.szene()->laden(form600());
    w.show();
    w.szene()->waehlen(QStringLiteral("DetailLabel_3"));
    w.szene()->verschieben(5, 5);
    for (auto _ : state) {
        w.szene()->verlauf()->undo();
        state.PauseTiming();
        w.szene()->verlauf()->redo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
