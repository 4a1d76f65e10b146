// The year calendars and a quarter of the month calendars (three month pictures of 640 x 480)
// against a plain dump of the same calendar, all through the built kronoblatt-cli as child
// processes: they pay the same start-up (Qt, fonts, opening the table), so the ratio
// drucken / tage is the layout's own cost. The aim is at most 3.
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "printing/DruckLayouts.h"
#include "printing/TKalenderForm.h"
#include "report/Writers.h"
#include "storage/Table.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString qvk;
    QString ini;

    Fixture()
    {
        kb::AnlageEingaben e;
        e.name = QStringLiteral("Bench");
        e.vorname = QStringLiteral("Mark");
        e.land = QStringLiteral("Bayern");
        e.verzeichnis = dir.path() + QLatin1Char('/');
        e.datei = QStringLiteral("Bench");
        e.jahr = 2026;
        qvk = kb::kalenderAnlegen(e).dateien.qvkPfad();
        // The installed settings with a few school-holiday periods, so shading has work.
        ini = dir.filePath(QStringLiteral("Kalvalues.ini"));
        QFile::copy(QStringLiteral(KB_BIN_DIR "/Kalvalues.ini"), ini);
        QFile f(ini);
        if (f.open(QIODevice::Append))
            f.write("\r\n[Ferien]\r\nSommerBeginn=03.08.\r\nSommerEnde=14.09.\r\n"
                    "OsternBeginn=30.03.\r\nOsternEnde=10.04.\r\n"
                    "Weihnachten2Beginn=24.12.\r\nWeihnachten2Ende=31.12.\r\n");
        for (int monat = 1; monat <= 3; ++monat)
            monatsbild(monat);
    }

    // A 640 x 480 JPEG with some detail (a gradient and a circle), as the picture browser
    // stores them, for January to March.
    void monatsbild(int monat)
    {
        QImage bild(640, 480, QImage::Format_RGB32);
        QPainter p(&bild);
        QLinearGradient verlauf(0, 0, 640, 480);
        verlauf.setColorAt(0, QColor::fromHsv(monat * 40, 200, 230));
        verlauf.setColorAt(1, QColor::fromHsv(monat * 40 + 60, 255, 90));
        p.fillRect(bild.rect(), verlauf);
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(320, 240), 180, 180);
        p.end();
        const QString jpeg = dir.filePath(QStringLiteral("bild%1.jpg").arg(monat));
        bild.save(jpeg, "JPG", 90);
        kb::Table bilder;
        bilder.setFilePath(kb::KalenderDatei::ausQvk(qvk).bildPfad());
        bilder.open();
        bilder.locate(QStringLiteral("Nr"), monat);
        bilder.edit();
        bilder.loadBlobFromFile(QStringLiteral("Bild"), jpeg);
        bilder.post();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// CPU seconds (user and system) of the children that have ended so far.
double childCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall time per run, and as the counter "child_cpu_ms" the CPU time the command used: on a
// busy machine the wall time swings with the load, the CPU time hardly.
void runCli(benchmark::State &state, const QStringList &args)
{
    const QString program = QStringLiteral(KB_BIN_DIR "/kronoblatt-cli");
    const double cpuBefore = childCpuSeconds();
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment([] {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("KRONOBLATT_HOME"), fixture().dir.path());
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            return env;
        }());
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(program, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit
            || p.exitCode() != 0) {
            state.SkipWithError("kronoblatt-cli failed");
            return;
        }
    }
    state.counters["child_cpu_ms"] = benchmark::Counter(
        (childCpuSeconds() - cpuBefore) * 1000, benchmark::Counter::kAvgIterations);
}

void BM_Tage(benchmark::State &state)
{
    runCli(state, { QStringLiteral("tage"), fixture().qvk });
}

void BM_Drucken(benchmark::State &state, const char *layout)
{
    const QString pdf = fixture().dir.filePath(QStringLiteral("jahr.pdf"));
    runCli(state,
        { QStringLiteral("drucken"), fixture().qvk, QStringLiteral("--layout"),
            QString::fromUtf8(layout), QStringLiteral("-o"), pdf, QStringLiteral("--einstellungen"),
            fixture().ini });
}

// In-process, to split the command's time: the layout's pages alone, and writing them to PDF.
// Both start from the calendar's tables and the settings, as the command does.
struct InProcess {
    kb::Table tage;
    kb::Table bilder;
    kb::IniFile ini { fixture().ini };
    kb::LayoutSettings settings;
    const kb::DruckLayout &layout;

    explicit InProcess(const char *name)
        : layout(*kb::druckLayout(QString::fromUtf8(name)))
    {
        const kb::KalenderDatei k = kb::KalenderDatei::ausQvk(fixture().qvk);
        tage.setFilePath(k.jahrPfad());
        tage.open();
        tage.first();
        bilder.setFilePath(k.bildPfad());
        bilder.open();
        settings.load(ini);
    }
    kb::report::Document dokument()
    {
        kb::DruckAuftrag auftrag { tage, layout.mitBildern ? &bilder : nullptr, settings, ini };
        return layout.dokument(auftrag);
    }
};

void BM_Seiten(benchmark::State &state, const char *layout)
{
    InProcess run(layout);
    for (auto _ : state)
        benchmark::DoNotOptimize(run.dokument());
}

void BM_Pdf(benchmark::State &state, const char *layout)
{
    InProcess run(layout);
    const kb::report::Document doc = run.dokument();
    const QString pdf = fixture().dir.filePath(QStringLiteral("inprocess.pdf"));
    for (auto _ : state)
        kb::report::writePdf(doc, pdf);
}

BENCHMARK_CAPTURE(BM_Seiten, EinSeite12Spalten, "1 Seite 12 Spalten")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Seiten, ZwoelfSeiten1Spalte, "12 Seiten 1 Spalte")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Pdf, EinSeite12Spalten, "1 Seite 12 Spalten")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Pdf, ZwoelfSeiten1Spalte, "12 Seiten 1 Spalte")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Seiten, QuartalMitBildern, "Quartal 1 vertikal")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Pdf, QuartalMitBildern, "Quartal 1 vertikal")->Unit(benchmark::kMillisecond);

BENCHMARK(BM_Tage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Drucken, EinSeite12Spalten, "1 Seite 12 Spalten")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Drucken, ZwoelfSeiten1Spalte, "12 Seiten 1 Spalte")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Drucken, QuartalMitBildern, "Quartal 1 vertikal")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // PDF output needs fonts
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
