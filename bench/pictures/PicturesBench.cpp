// Thumbnails of 12-megapixel camera photos, side by side in one run:
//   BM_Thumbnail_Kronoblatt  the browser's thumbnail of each file (DCT-scaled decode, scaled
//                            to 90 x 68 and drawn on the 90 x 120 cell with its name), one
//                            thread, as the loader makes one thumbnail;
//   BM_Thumbnail_Vipsthumbnail  vipsthumbnail making 90 x 120 thumbnails of the same files, all
//                            in one process run so that its start-up is shared by the files.
// Both report the time per picture (per_picture). vipsthumbnail comes with the Debian package
// libvips-tools (apt-get install --no-install-recommends libvips-tools); without it that case
// is skipped and the others run.
//
//   BM_MonthPicture          a 12-megapixel file taken over as a 640 x 480 month picture.
//   BM_CachedRepaint         the grid of the browser repainted with every thumbnail in the
//                            cache: per_cell is the time per visible cell (aim: under 1 ms).
//
// Runs on the offscreen platform unless a display is there.
#include "pictures/BildauswahlModell.h"
#include "pictures/Bildregeln.h"
#include "pictures/TMultiBildBetrachter.h"
#include "pictures/Thumbnail.h"
#include "platform/Jpeg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFotos = 6;
const QSize kFotoGroesse(4000, 3000);

// A photo-like picture: soft gradients, shapes and grain, so the file is as large and as
// costly to decode as a camera's (about 3 MB at quality 90).
QImage foto(int nummer)
{
    QImage bild(kFotoGroesse, QImage::Format_RGB32);
    QPainter p(&bild);
    QRandomGenerator zufall(nummer + 1);
    QLinearGradient himmel(0, 0, 0, kFotoGroesse.height());
    himmel.setColorAt(0, QColor::fromHsv(200 + nummer * 7, 120, 240));
    himmel.setColorAt(1, QColor::fromHsv(90 + nummer * 11, 160, 120));
    p.fillRect(bild.rect(), himmel);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 300; ++i) {
        p.setBrush(QColor::fromHsv(
            zufall.bounded(360), 80 + zufall.bounded(150), 60 + zufall.bounded(190), 140));
        p.setPen(Qt::NoPen);
        p.drawEllipse(
            QPoint(zufall.bounded(kFotoGroesse.width()), zufall.bounded(kFotoGroesse.height())),
            20 + zufall.bounded(400), 20 + zufall.bounded(300));
    }
    p.end();
    for (int y = 0; y < bild.height(); ++y) {
        auto *zeile = reinterpret_cast<QRgb *>(bild.scanLine(y));
        for (int x = 0; x < bild.width(); ++x) {
            const int k = int(zufall.bounded(17)) - 8;
            const QRgb c = zeile[x];
            zeile[x] = qRgb(std::clamp(qRed(c) + k, 0, 255), std::clamp(qGreen(c) + k, 0, 255),
                std::clamp(qBlue(c) + k, 0, 255));
        }
    }
    return bild;
}

struct Fotos {
    QTemporaryDir dir;
    QStringList pfade;
    qint64 bytes = 0;

    Fotos()
    {
        for (int i = 0; i < kFotos; ++i) {
            const QString pfad = dir.filePath(QStringLiteral("foto%1.jpg").arg(i));
            const QByteArray jpeg = kb::jpeg::schreiben(foto(i), 90);
            QFile f(pfad);
            f.open(QIODevice::WriteOnly);
            f.write(jpeg);
            bytes += jpeg.size();
            pfade.append(pfad);
        }
    }
};

Fotos &fotos()
{
    static Fotos f;
    return f;
}

void setzeProBild(benchmark::State &state, int bilder)
{
    state.SetItemsProcessed(state.iterations() * bilder);
    state.counters["per_picture"] = benchmark::Counter(
        bilder, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["MB_per_file"] = double(fotos().bytes) / kFotos / 1e6;
}

void BM_Thumbnail_Kronoblatt(benchmark::State &state)
{
    const QStringList &pfade = fotos().pfade;
    for (auto _ : state) {
        for (const QString &pfad : pfade)
            benchmark::DoNotOptimize(kb::thumbnailAusDatei(pfad));
    }
    setzeProBild(state, kFotos);
}
BENCHMARK(BM_Thumbnail_Kronoblatt)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Thumbnail_Vipsthumbnail(benchmark::State &state)
{
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    if (vips.isEmpty()) {
        state.SkipWithError("vipsthumbnail not installed (Debian package libvips-tools)");
        for (auto _ : state) { }
        return;
    }
    QTemporaryDir aus;
    QStringList args = fotos().pfade;
    args << QStringLiteral("--size") << QStringLiteral("90x120") << QStringLiteral("-o")
         << aus.filePath(QStringLiteral("%s_t.jpg"));
    for (auto _ : state) {
        QProcess p;
        p.start(vips, args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            state.SkipWithError("vipsthumbnail failed");
            break;
        }
    }
    setzeProBild(state, kFotos);
}
BENCHMARK(BM_Thumbnail_Vipsthumbnail)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MonthPicture(benchmark::State &state)
{
    const QStringList &pfade = fotos().pfade;
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(kb::monatsbildAusDatei(pfade[i++ % kFotos]));
}
BENCHMARK(BM_MonthPicture)->Unit(benchmark::kMillisecond);

void BM_CachedRepaint(benchmark::State &state)
{
    QTemporaryDir dir;
    QFile quelle(fotos().pfade[0]);
    quelle.open(QIODevice::ReadOnly);
    const QByteArray bytes = quelle.readAll();
    for (int i = 0; i < 40; ++i) {
        QFile f(dir.filePath(QStringLiteral("bild%1.jpg").arg(i, 2, 10, QLatin1Char('0'))));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    const QString vorher = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        kb::TMultiBildBetrachter browser;
        browser.show();
        browser.modell()->lader().warten();
        QCoreApplication::processEvents();
        QWidget *viewport = browser.gitter()->viewport();
        const QTableView *gitter = browser.gitter();
        const int zeilen = gitter->rowAt(viewport->height() - 1) - gitter->rowAt(0) + 1;
        const int zellen = zeilen * kb::kGitterSpalten;
        QImage ziel(viewport->size(), QImage::Format_RGB32);
        for (auto _ : state) {
            viewport->render(&ziel);
            benchmark::ClobberMemory();
        }
        state.counters["cells"] = zellen;
        state.counters["per_cell"] = benchmark::Counter(
            zellen, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
        state.counters["waiting"] = browser.wartet() ? 1 : 0;
    }
    QDir::setCurrent(vorher);
}
BENCHMARK(BM_CachedRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    fotos(); // made before any case is timed
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
