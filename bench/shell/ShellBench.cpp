// Opening a calendar as the main window does (schema upgrade, both tables, school holidays,
// reminder check), and the desktop program's start-up against a minimal Qt program that shows
// an empty QMainWindow, started one after the other as child processes. The aims: opening
// under 30 ms; start-up at most 1.5 times the minimal program's; opening a calendar protected
// with a password (its key derived with 256,000 iterations, once for both tables) under
// 150 ms.
//
// Run under xvfb-run for the figures of a real display; without a display both programs use
// the offscreen platform.
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "storage/Table.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir home;
    QString qvk;
    QString geschuetzt; // the same calendar protected with kPasswort

    Fixture()
    {
        qputenv("KRONOBLATT_HOME", home.path().toUtf8());
        kb::ProgramDir::reset();
        // The installed files the program reads at start: the settings (with school
        // holidays) and the start-up picture.
        for (const char *f : { "Kalvalues.ini", "KBLogo.bmp", "kronoblatt.png" }) {
            const QString name = QString::fromLatin1(f);
            QFile::copy(QStringLiteral(KB_BIN_DIR "/") + name, home.filePath(name));
        }
        kb::AnlageEingaben e;
        e.name = QStringLiteral("Bench");
        e.vorname = QStringLiteral("Mark");
        e.land = QStringLiteral("Bayern");
        e.verzeichnis = home.path() + QLatin1Char('/');
        e.datei = QStringLiteral("Bench");
        e.jahr = QDate::currentDate().year();
        const kb::KalenderDatei k = kb::kalenderAnlegen(e).dateien;
        qvk = k.qvkPfad();
        // A reminder today, so the check has its message to give.
        kb::Table t;
        t.setFilePath(k.jahrPfad());
        t.open();
        t.locate(QStringLiteral("Datum"), QDate::currentDate());
        t.setBool(QStringLiteral("Alarm"), true);
        t.post();
        t.close();

        e.datei = QStringLiteral("Geschuetzt");
        const kb::KalenderDatei g = kb::kalenderAnlegen(e).dateien;
        geschuetzt = g.qvkPfad();
        kb::Table jahr;
        jahr.setFilePath(g.jahrPfad());
        kb::Table bild;
        bild.setFilePath(g.bildPfad());
        kb::passwortSetzen(jahr, &bild, QString::fromLatin1(kPasswort));
    }
    static constexpr const char *kPasswort = "Geheim 10!";
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_KalenderOeffnen(benchmark::State &state)
{
    Fixture &f = fixture();
    kb::KalenderSitzung sitzung(QDate::currentDate());
    kb::IniFile ini(f.home.filePath(QStringLiteral("Kalvalues.ini")));
    sitzung.setEinstellungen(&ini);
    for (auto _ : state) {
        if (!sitzung.oeffnenDatei(f.qvk).erinnerung.gefunden)
            state.SkipWithError("no reminder");
    }
}

// A protected calendar as the user opens it: the known passwords (and keys) are forgotten,
// the year table asks once for the password, the picture table opens with it.
void BM_GeschuetztenKalenderOeffnen(benchmark::State &state)
{
    Fixture &f = fixture();
    auto vorher = kb::installUi(kb::headlessUi(QString::fromLatin1(Fixture::kPasswort)));
    kb::KalenderSitzung sitzung(QDate::currentDate());
    kb::IniFile ini(f.home.filePath(QStringLiteral("Kalvalues.ini")));
    sitzung.setEinstellungen(&ini);
    for (auto _ : state) {
        if (!sitzung.oeffnenDatei(f.geschuetzt).geoeffnet())
            state.SkipWithError("not opened");
    }
    kb::installUi(std::move(vorher));
}

// The same open through the main window, whose day list and panels follow it.
void BM_KalenderOeffnenImHauptfenster(benchmark::State &state)
{
    Fixture &f = fixture();
    kb::TForm1::Optionen o;
    kb::TForm1 fenster(o);
    fenster.resize(1366, 768);
    fenster.show();
    for (auto _ : state) {
        fenster.kalenderArgumentOeffnen(f.qvk);
        QCoreApplication::processEvents();
    }
}

double startZeit(const QString &program, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KRONOBLATT_HOME"), fixture().home.path());
    env.insert(QStringLiteral("KRONOBLATT_ENDE_NACH_START"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), fixture().home.filePath(QStringLiteral("xdg")));
    p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

// Both programs, one after the other in every iteration; the time measured is kronoblatt's.
void BM_Start(benchmark::State &state)
{
    const QString leer = QStringLiteral(KB_BENCH_DIR "/kb_leeres_hauptfenster");
    const QString kronoblatt = QStringLiteral(KB_BIN_DIR "/kronoblatt");
    double summeLeer = 0, summeKb = 0;
    for (auto _ : state) {
        const double l = startZeit(leer, {});
        const double k = startZeit(kronoblatt, {});
        if (l < 0 || k < 0) {
            state.SkipWithError("a program did not start and end");
            return;
        }
        summeLeer += l;
        summeKb += k;
        state.SetIterationTime(k / 1000);
    }
    const double n = double(state.iterations());
    state.counters["leer_ms"] = summeLeer / n;
    state.counters["kronoblatt_ms"] = summeKb / n;
    state.counters["verhaeltnis"] = summeKb / summeLeer;
}

BENCHMARK(BM_KalenderOeffnen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KalenderOeffnenImHauptfenster)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GeschuetztenKalenderOeffnen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Start)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Answers every dialog at once, so the reminder's message does not wait for a user.
    kb::installUi(kb::headlessUi());
    fixture();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
