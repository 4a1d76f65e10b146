// The day views on a generated calendar, at the sizes they have on a 1366 x 768 screen:
// switching the month tab (the filter of the shared year table, the day grid and the organizer
// refilled and both painted) aims at one frame, 16 ms; painting a full screen of the day grid
// at 5 ms.
//
// Runs on the offscreen platform unless a display is there (then under xvfb-run for the
// figures of a real display).
#include "caldata/KalenderAnlage.h"
#include "days/Kachelfeld.h"
#include "days/OrganizerPanel.h"
#include "days/TageGrid.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// The work area right of the two bars on a 1366 x 768 screen.
const QSize kGrid(1173, 620);
const QSize kOrganizer(1173, 700);

struct Fixture {
    QTemporaryDir dir;
    kb::Table jahr;
    kb::LayoutSettings farben;
    std::unique_ptr<kb::TageGrid> grid;
    std::unique_ptr<kb::OrganizerPanel> organizer;
    QImage gridBild { kGrid, QImage::Format_RGB32 };
    QImage organizerBild { kOrganizer, QImage::Format_RGB32 };

    Fixture()
    {
        kb::AnlageEingaben e;
        e.name = QStringLiteral("Bench");
        e.vorname = QStringLiteral("Mark");
        e.land = QStringLiteral("Bayern");
        e.verzeichnis = dir.path() + QLatin1Char('/');
        e.datei = QStringLiteral("Bench");
        e.jahr = 2024;
        const kb::KalenderDatei k = kb::kalenderAnlegen(e).dateien;
        farben.load(kb::IniFile(QStringLiteral(KB_BIN_DIR "/Kalvalues.ini")));
        using kb::Ferien;
        farben.periode(Ferien::Winter) = { QStringLiteral("12.02."), QStringLiteral("16.02.") };
        farben.periode(Ferien::Ostern) = { QStringLiteral("25.03."), QStringLiteral("05.04.") };
        farben.periode(Ferien::Sommer) = { QStringLiteral("29.07."), QStringLiteral("09.09.") };
        farben.periode(Ferien::Herbst) = { QStringLiteral("28.10."), QStringLiteral("31.10.") };
        farben.periode(Ferien::Weihnachten2)
            = { QStringLiteral("23.12."), QStringLiteral("31.12.") };
        jahr.setFilePath(k.jahrPfad());
        jahr.open();
        // Day texts and notes as a year of use leaves them.
        for (jahr.first(); !jahr.eof(); jahr.next()) {
            if (jahr.asInt(QStringLiteral("Nummer")) % 3 == 0) {
                jahr.setString(
                    QStringLiteral("Text"), QStringLiteral("Besprechung im Büro, 10 Uhr"));
                jahr.setString(QStringLiteral("Notizen"), QStringLiteral("Unterlagen mitnehmen"));
                jahr.post();
            }
        }
        grid = std::make_unique<kb::TageGrid>(&jahr, &farben);
        grid->setSpaltenbreiten({ 49, 37, 64, 64, 585 });
        grid->resize(kGrid);
        grid->show();
        organizer = std::make_unique<kb::OrganizerPanel>(&jahr);
        organizer->resize(kOrganizer);
        organizer->show();
        QCoreApplication::processEvents();
    }

    void monat(int m)
    {
        if (m == 0) {
            jahr.setFiltered(false);
            return;
        }
        jahr.setFilter(QStringLiteral("MonatNr='%1'").arg(m));
        jahr.setFiltered(true);
    }

    void malen()
    {
        QCoreApplication::processEvents();
        grid->render(&gridBild);
        organizer->render(&organizerBild);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// A month tab after the other: January to December, round and round.
void BM_MonatWechseln(benchmark::State &state)
{
    Fixture &f = fixture();
    int m = 0;
    for (auto _ : state) {
        m = m % 12 + 1;
        f.monat(m);
        f.malen();
    }
    f.monat(0);
}

// Between "Alle" (all 366 days) and a month, the heavier way round.
void BM_AlleUndMonatWechseln(benchmark::State &state)
{
    Fixture &f = fixture();
    int m = 0;
    bool alle = false;
    for (auto _ : state) {
        alle = !alle;
        if (!alle)
            m = m % 12 + 1;
        f.monat(alle ? 0 : m);
        f.malen();
    }
    f.monat(0);
}

// One full screen of the day grid (about 35 rows) painted, in December with its holidays and
// school holidays.
void BM_TageGridMalen(benchmark::State &state)
{
    Fixture &f = fixture();
    f.monat(0);
    f.jahr.last();
    QCoreApplication::processEvents();
    for (auto _ : state)
        f.grid->render(&f.gridBild);
}

// The organizer's 35 tiles painted.
void BM_KachelnMalen(benchmark::State &state)
{
    Fixture &f = fixture();
    f.monat(0);
    f.jahr.last();
    QCoreApplication::processEvents();
    kb::Kachelfeld *k = f.organizer->kacheln();
    QImage bild(k->size(), QImage::Format_RGB32);
    for (auto _ : state)
        k->render(&bild);
}

BENCHMARK(BM_MonatWechseln)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AlleUndMonatWechseln)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TageGridMalen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KachelnMalen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fixture();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
