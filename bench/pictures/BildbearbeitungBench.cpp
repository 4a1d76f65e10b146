// The edits of the enlarged picture on a month picture of 640 x 480.
#include "pictures/Bildbearbeitung.h"

#include <QColor>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

QImage monatsbild()
{
    QImage bild(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x)
            zeile[x] = qRgb(x % 256, y % 256, (x * y) % 256);
    }
    return bild;
}

void BM_Graustufen640x480(benchmark::State &state)
{
    const QImage vorlage = monatsbild();
    for (auto _ : state) {
        state.PauseTiming();
        QImage bild = vorlage;
        bild.detach();
        state.ResumeTiming();
        kb::graustufen(bild);
        benchmark::DoNotOptimize(bild.constBits());
    }
    state.SetItemsProcessed(state.iterations() * 640 * 480);
}
BENCHMARK(BM_Graustufen640x480)->Unit(benchmark::kMillisecond);

void BM_Spiegeln640x480(benchmark::State &state)
{
    QImage bild = monatsbild();
    for (auto _ : state) {
        kb::waagerechtSpiegeln(bild);
        benchmark::DoNotOptimize(bild.constBits());
    }
}
BENCHMARK(BM_Spiegeln640x480)->Unit(benchmark::kMillisecond);

void BM_OvalSchneiden640x480(benchmark::State &state)
{
    const QImage bild = monatsbild();
    for (auto _ : state) {
        QImage oval = kb::ovalSchneiden(bild);
        benchmark::DoNotOptimize(oval.constBits());
    }
}
BENCHMARK(BM_OvalSchneiden640x480)->Unit(benchmark::kMillisecond);

} // namespace
