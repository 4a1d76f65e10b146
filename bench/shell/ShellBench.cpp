// Opening a calendar as the main window does (schema upgrade, both tables, school holidays,
// reminder check), and the desktop program's start-up to its main window shown against a
// minimal Qt program that shows an empty QMainWindow, started one after the other as child
// processes. The aims: opening
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
#include <ctime>
#include <map>

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
    fenster.fensterErstellen();
    for (auto _ : state) {
        fenster.kalenderArgumentOeffnen(f.qvk);
        QCoreApplication::processEvents();
    }
}

double monotonMs()
{
    timespec jetzt {};
    clock_gettime(CLOCK_MONOTONIC, &jetzt);
    return double(jetzt.tv_sec) * 1e3 + double(jetzt.tv_nsec) / 1e6;
}

// One start of a program that reports its times on standard output ("gezeigt 123.4", as
// CLOCK_MONOTONIC milliseconds) and ends: the milliseconds from starting the process to each
// reported time, and to its end under "ende". Empty when the program failed.
std::map<QString, double> startZeiten(const QString &program, const QStringList &args = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KRONOBLATT_HOME"), fixture().home.path());
    env.insert(QStringLiteral("KRONOBLATT_ENDE_NACH_START"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), fixture().home.filePath(QStringLiteral("xdg")));
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    const double start = monotonMs();
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    std::map<QString, double> zeiten { { QStringLiteral("ende"), monotonMs() - start } };
    for (const QByteArray &zeile : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> teile = zeile.trimmed().split(' ');
        if (teile.size() == 2)
            zeiten[QString::fromLatin1(teile[0])] = teile[1].toDouble() - start;
    }
    return zeiten;
}

// Both programs, one after the other in every iteration. The time measured is kronoblatt's
// from process start to its main window's first picture on the screen ("gezeigt"); the
// counters give both programs' times to that point and to the process's end, and
// kronoblatt's time until the windows made after the first picture are there ("fertig"). The
// yardstick runs a second time with its window as large as the screen, as kronoblatt's is:
// "verhaeltnis" compares with the window as the aim names it, "verhaeltnis_vollbild" with
// the screen-sized one.
void BM_Start(benchmark::State &state)
{
    const QString leer = QStringLiteral(KB_BENCH_DIR "/kb_leeres_hauptfenster");
    const QString kronoblatt = QStringLiteral(KB_BIN_DIR "/kronoblatt");
    std::map<QString, double> summe;
    const QString gezeigt = QStringLiteral("gezeigt");
    for (auto _ : state) {
        auto l = startZeiten(leer);
        auto v = startZeiten(leer, { QStringLiteral("--vollbild") });
        auto k = startZeiten(kronoblatt);
        if (!l.count(gezeigt) || !v.count(gezeigt) || !k.count(gezeigt)
            || !k.count(QStringLiteral("fertig"))) {
            state.SkipWithError("a program did not start, show its window and end");
            return;
        }
        summe[QStringLiteral("leer_gezeigt_ms")] += l[gezeigt];
        summe[QStringLiteral("leer_ende_ms")] += l[QStringLiteral("ende")];
        summe[QStringLiteral("leer_vollbild_gezeigt_ms")] += v[gezeigt];
        summe[QStringLiteral("kb_gezeigt_ms")] += k[gezeigt];
        summe[QStringLiteral("kb_fertig_ms")] += k[QStringLiteral("fertig")];
        summe[QStringLiteral("kb_ende_ms")] += k[QStringLiteral("ende")];
        state.SetIterationTime(k[gezeigt] / 1000);
    }
    const double n = double(state.iterations());
    for (const auto &[name, wert] : summe)
        state.counters[name.toStdString()] = wert / n;
    state.counters["verhaeltnis"]
        = summe[QStringLiteral("kb_gezeigt_ms")] / summe[QStringLiteral("leer_gezeigt_ms")];
    state.counters["verhaeltnis_vollbild"] = summe[QStringLiteral("kb_gezeigt_ms")]
        / summe[QStringLiteral("leer_vollbild_gezeigt_ms")];
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
