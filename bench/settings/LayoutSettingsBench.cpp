// The main window reloads LayoutSettings on every paint, so a load of an unchanged settings
// file must cost next to nothing, and a load after a change little more than one parse.
// QSettings reading the same keys runs beside it as the peer.

#include "app/cli/Cli.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <benchmark/benchmark.h>

namespace {

// A settings file of about 5 KB: every key the loader reads, plus comments and other entries.
QByteArray settingsContent(int variant)
{
    QByteArray out = "; Kronoblatt\r\n[User]\r\n";
    kb::LayoutSettings ls;
    ls.firma = QStringLiteral("Firma %1").arg(variant);
    for (const auto &[key, value] : ls.entries()) {
        if (!key.endsWith(QLatin1String("Beginn")) && !key.endsWith(QLatin1String("Ende")))
            out += key.toLatin1() + '=' + value.toLatin1() + "\r\n";
    }
    for (int g = 0; g < kb::kFontGroupCount; ++g) {
        for (const QString &key : kb::fontStyleKeys(static_cast<kb::FontGroup>(g)))
            out += key.toLatin1() + "=0\r\n";
    }
    for (int i = 0; out.size() < 4200; ++i)
        out += "Notiz" + QByteArray::number(i) + "=etwas Text, der nicht gelesen wird\r\n";
    out += "\r\n[Ferien]\r\n";
    for (int i = 0; i < kb::kFerienCount; ++i) {
        const QByteArray name = kb::ferienName(static_cast<kb::Ferien>(i)).toLatin1();
        out += name + "Beginn=01.0" + QByteArray::number(i + 1) + ".\r\n";
        out += name + "Ende=05.0" + QByteArray::number(i + 1) + ".\r\n";
    }
    while (out.size() < 5 * 1024)
        out += "; Kommentar\r\n";
    return out;
}

void writeFile(const QString &path, const QByteArray &bytes, bool old)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
    f.flush();
    if (old)
        f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/Kalvalues.ini");
};

void BM_LayoutSettingsLoadUnchanged(benchmark::State &state)
{
    Fixture fx;
    writeFile(fx.path, settingsContent(0), true);
    const kb::IniFile ini(fx.path);
    kb::LayoutSettings ls;
    for (auto _ : state) {
        ls.loadAll(ini);
        benchmark::DoNotOptimize(ls);
    }
}
BENCHMARK(BM_LayoutSettingsLoadUnchanged)->Unit(benchmark::kMicrosecond);

// Runs `load` once per iteration, each time right after the file was rewritten in place.
template<class Load>
void loadAfterEachChange(benchmark::State &state, const QString &path, Load &&load)
{
    const QByteArray a = settingsContent(1);
    const QByteArray b = settingsContent(2);
    bool flip = false;
    for (auto _ : state) {
        state.PauseTiming();
        flip = !flip;
        writeFile(path, flip ? b : a, false);
        state.ResumeTiming();
        load();
    }
}

void BM_LayoutSettingsLoadAfterChange(benchmark::State &state)
{
    Fixture fx;
    const kb::IniFile ini(fx.path);
    kb::LayoutSettings ls;
    loadAfterEachChange(state, fx.path, [&] {
        ls.loadAll(ini);
        benchmark::DoNotOptimize(ls);
    });
}
BENCHMARK(BM_LayoutSettingsLoadAfterChange)->Unit(benchmark::kMicrosecond);

// Ninety single reads, each looking at the file on its own (no snapshot).
void BM_NinetySingleReadsUnchanged(benchmark::State &state)
{
    Fixture fx;
    writeFile(fx.path, settingsContent(0), true);
    const kb::IniFile ini(fx.path);
    const auto entries = kb::LayoutSettings().entries();
    for (auto _ : state) {
        for (int i = 0; i < 90; ++i) {
            const auto &e = entries[i % entries.size()];
            benchmark::DoNotOptimize(ini.readString(kb::sectionUser(), e.first, e.second));
        }
    }
}
BENCHMARK(BM_NinetySingleReadsUnchanged)->Unit(benchmark::kMicrosecond);

// The same keys through QSettings: a fresh object on an unchanged file ...
void readWithQSettings(QSettings &qs, const QList<std::pair<QString, QString>> &entries)
{
    for (const auto &[key, def] : entries) {
        const bool ferien
            = key.endsWith(QLatin1String("Beginn")) || key.endsWith(QLatin1String("Ende"));
        const QString group = ferien ? QStringLiteral("Ferien/") : QStringLiteral("User/");
        benchmark::DoNotOptimize(qs.value(group + key, def).toString());
    }
    for (int g = 0; g < kb::kFontGroupCount; ++g) {
        for (const QString &key : kb::fontStyleKeys(static_cast<kb::FontGroup>(g)))
            benchmark::DoNotOptimize(qs.value(QStringLiteral("User/") + key, 1).toInt());
    }
}

void BM_QSettingsFreshObject(benchmark::State &state)
{
    Fixture fx;
    writeFile(fx.path, settingsContent(0), true);
    const auto entries = kb::LayoutSettings().entries();
    for (auto _ : state) {
        QSettings qs(fx.path, QSettings::IniFormat);
        readWithQSettings(qs, entries);
    }
}
BENCHMARK(BM_QSettingsFreshObject)->Unit(benchmark::kMicrosecond);

// ... after the file changed (QSettings shares parsed files per path and checks the file
// when an object is made) ...
void BM_QSettingsFreshObjectAfterChange(benchmark::State &state)
{
    Fixture fx;
    const auto entries = kb::LayoutSettings().entries();
    loadAfterEachChange(state, fx.path, [&] {
        QSettings qs(fx.path, QSettings::IniFormat);
        readWithQSettings(qs, entries);
    });
}
BENCHMARK(BM_QSettingsFreshObjectAfterChange)->Unit(benchmark::kMicrosecond);

// ... and a kept object answers from memory, without noticing changes by others.
void BM_QSettingsKeptObject(benchmark::State &state)
{
    Fixture fx;
    writeFile(fx.path, settingsContent(0), true);
    const auto entries = kb::LayoutSettings().entries();
    QSettings qs(fx.path, QSettings::IniFormat);
    for (auto _ : state)
        readWithQSettings(qs, entries);
}
BENCHMARK(BM_QSettingsKeptObject)->Unit(benchmark::kMicrosecond);

} // namespace

// A settings file of `sections` sections with two keys each, and the section Ferien.
QByteArray grosseEinstellungsdatei(qint64 sections)
{
    QByteArray bytes;
    for (qint64 i = 0; i < sections; ++i)
        bytes += "[Abschnitt" + QByteArray::number(i) + "]\r\nA=1\r\nB=Text\r\n";
    bytes += "[Ferien]\r\nSommerBeginn=01.08.\r\n";
    return bytes;
}

// A settings file of `range(0)` sections with two keys each, read after it changed and then
// one key written: both grow with the file's size alone (compare 20,000 with 200,000).
void BM_GrosseEinstellungsdateiLesenUndSchreiben(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.ini"));
    const QByteArray bytes = grosseEinstellungsdatei(state.range(0));
    int runde = 0;
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, bytes, true);
        state.ResumeTiming();
        kb::IniFile ini(path);
        benchmark::DoNotOptimize(
            ini.readString(QStringLiteral("Abschnitt7"), QStringLiteral("B"), {}));
        ini.writeInteger(QStringLiteral("Abschnitt7"), QStringLiteral("A"), ++runde);
    }
}
BENCHMARK(BM_GrosseEinstellungsdateiLesenUndSchreiben)
    ->Arg(20'000)
    ->Arg(200'000)
    ->Unit(benchmark::kMillisecond);

// What `ferien --einstellungen` does with a settings file of `range(0)` sections: read it once
// and write the eighteen school-holiday keys with one write (`einstellungen` only reads).
void BM_GrosseEinstellungsdateiFerienSchreiben(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.ini"));
    const QByteArray bytes = grosseEinstellungsdatei(state.range(0));
    std::vector<kb::IniFile::Entry> ferien;
    for (int i = 0; i < kb::kFerienCount; ++i) {
        const QString name = kb::ferienName(static_cast<kb::Ferien>(i));
        ferien.push_back({ kb::sectionFerien(), name + QStringLiteral("Beginn"),
            QStringLiteral("01.0%1.").arg(i % 9 + 1) });
        ferien.push_back({ kb::sectionFerien(), name + QStringLiteral("Ende"),
            QStringLiteral("05.0%1.").arg(i % 9 + 1) });
    }
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, bytes, true);
        state.ResumeTiming();
        kb::IniFile ini(path);
        kb::LayoutSettings ls;
        ls.loadAll(ini);
        benchmark::DoNotOptimize(ls);
        ini.writeEntries(ferien);
    }
}
BENCHMARK(BM_GrosseEinstellungsdateiFerienSchreiben)
    ->Arg(20'000)
    ->Arg(200'000)
    ->Unit(benchmark::kMillisecond);

// The whole commands on a settings file of `range(0)` sections as kronoblatt-cli runs them
// (here in this process): `ferien Hessen 2026 --einstellungen FILE` writes the school
// holidays into it, `einstellungen --datei FILE` prints what the program reads from it.
void grosseDateiBefehl(benchmark::State &state, const QStringList &vorne, const QString &option)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.ini"));
    const QByteArray bytes = grosseEinstellungsdatei(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, bytes, true);
        state.ResumeTiming();
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = kb::cli::run(vorne + QStringList { option, path }, outStream, errStream);
        errStream.flush();
        if (code != 0) {
            state.SkipWithError(err.toStdString().c_str());
            break;
        }
    }
}

void BM_GrosseEinstellungsdateiBefehlFerien(benchmark::State &state)
{
    grosseDateiBefehl(state,
        { QStringLiteral("ferien"), QStringLiteral("Hessen"), QStringLiteral("2026") },
        QStringLiteral("--einstellungen"));
}
BENCHMARK(BM_GrosseEinstellungsdateiBefehlFerien)
    ->Arg(20'000)
    ->Arg(200'000)
    ->Unit(benchmark::kMillisecond);

void BM_GrosseEinstellungsdateiBefehlEinstellungen(benchmark::State &state)
{
    grosseDateiBefehl(state, { QStringLiteral("einstellungen") }, QStringLiteral("--datei"));
}
BENCHMARK(BM_GrosseEinstellungsdateiBefehlEinstellungen)
    ->Arg(20'000)
    ->Arg(200'000)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // The school holidays come from the table beside the built programs.
    qputenv("KRONOBLATT_HOME", KB_BIN_DIR);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
