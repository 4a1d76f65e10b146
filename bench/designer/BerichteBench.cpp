// Stored reports: a report over the 366 days of a leap year to PDF beside the year calendar
// "12 Seiten 1 Spalte" of the same calendar (the aim: at most 1.5 times its time), and
// opening a report of 200 printables in the report designer (the aim: below 150 ms).
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "designer/BerichtsDruck.h"
#include "designer/BerichtsStrom.h"
#include "designer/TReportDesignerDialog.h"
#include "printing/DruckLayouts.h"
#include "report/Writers.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    QTemporaryDir dir;
    kb::KalenderDatei kalender;
    QString ini = dir.filePath(QStringLiteral("Kalvalues.ini"));

    Fixture()
    {
        kb::AnlageEingaben e;
        e.name = QStringLiteral("Bench");
        e.vorname = QStringLiteral("Mark");
        e.land = QStringLiteral("Bayern");
        e.verzeichnis = dir.path() + QLatin1Char('/');
        e.datei = QStringLiteral("Bench");
        e.jahr = 2028;
        kalender = kb::kalenderAnlegen(e).dateien;
        QFile::copy(QStringLiteral(KB_BIN_DIR "/Kalvalues.ini"), ini);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

kb::bericht::Element feld(const QString &name, double left, double width, const QString &maske = {})
{
    kb::bericht::Element e;
    e.art = kb::bericht::ElementArt::Feld;
    e.text = name;
    e.maske = maske;
    e.geometrie = QRectF(left, 1, width, 14);
    return e;
}

// Every day with date, weekday, week, month and text, under a page header and footer.
kb::bericht::Bericht jahresbericht()
{
    using namespace kb::bericht;
    Bericht r;
    r.titel = QStringLiteral("Alle Tage");
    r.quelle = Quelle::Abfrage;
    r.abfrage = QStringLiteral("SELECT Datum, Tag, Woche, Monat, Text FROM Jahr ORDER BY Nummer");
    Band kopf;
    kopf.art = BandArt::Seitenkopf;
    kopf.hoehe = 24;
    Element titel;
    titel.text = r.titel;
    titel.geometrie = QRectF(0, 0, 300, 20);
    kopf.elemente.push_back(titel);
    Band detail;
    detail.hoehe = 16;
    detail.elemente = { feld(QStringLiteral("Datum"), 0, 90, QStringLiteral("dd.mm.yyyy")),
        feld(QStringLiteral("Tag"), 95, 30), feld(QStringLiteral("Woche"), 130, 30),
        feld(QStringLiteral("Monat"), 165, 90), feld(QStringLiteral("Text"), 260, 400) };
    Band fuss;
    fuss.art = BandArt::Seitenfuss;
    fuss.hoehe = 20;
    Element seite;
    seite.art = ElementArt::Systemwert;
    seite.systemwert = 3;
    seite.text = QStringLiteral("Seite ");
    seite.geometrie = QRectF(0, 2, 200, 16);
    fuss.elemente.push_back(seite);
    r.baender = { kopf, detail, fuss };
    return r;
}

void BM_BerichtJahrPdf(benchmark::State &state)
{
    const QByteArray daten = kb::bericht::berichtSchreiben(jahresbericht());
    const kb::bericht::KalenderTabellen k { fixture().kalender.jahrPfad(),
        fixture().kalender.bildPfad() };
    const QString pdf = fixture().dir.filePath(QStringLiteral("bericht.pdf"));
    for (auto _ : state) {
        const kb::report::Document doc = kb::bericht::berichtErzeugen(daten, k);
        kb::report::writePdf(doc, pdf);
        state.counters["Seiten"] = double(doc.pages.size());
    }
}

void BM_ZwoelfSeitenPdf(benchmark::State &state)
{
    const QString pdf = fixture().dir.filePath(QStringLiteral("jahr.pdf"));
    const kb::DruckLayout &layout = *kb::druckLayout(QStringLiteral("12 Seiten 1 Spalte"));
    for (auto _ : state) {
        kb::Table tage;
        tage.setFilePath(fixture().kalender.jahrPfad());
        tage.open();
        tage.first();
        const kb::IniFile ini(fixture().ini);
        kb::LayoutSettings settings;
        settings.load(ini);
        kb::DruckAuftrag auftrag { tage, nullptr, settings, ini };
        const kb::report::Document doc = layout.dokument(auftrag);
        kb::report::writePdf(doc, pdf);
        state.counters["Seiten"] = double(doc.pages.size());
    }
}

// 200 printables on four bands, every kind of printable.
kb::bericht::Bericht grosserBericht()
{
    using namespace kb::bericht;
    Bericht r;
    for (BandArt art :
        { BandArt::Seitenkopf, BandArt::Detail, BandArt::Zusammenfassung, BandArt::Seitenfuss }) {
        Band b;
        b.art = art;
        b.hoehe = 260;
        for (int i = 0; i < 50; ++i) {
            Element e;
            e.art = ElementArt(i % 3 == 0 ? 0 : (i % 3 == 1 ? 1 : 5));
            e.text = QStringLiteral("Feld%1").arg(i);
            e.geometrie = QRectF((i % 5) * 130, (i / 5) * 25, 120, 20);
            b.elemente.push_back(e);
        }
        r.baender.push_back(b);
    }
    return r;
}

void BM_Designer200Elemente(benchmark::State &state)
{
    const QByteArray daten = kb::bericht::berichtSchreiben(grosserBericht());
    for (auto _ : state) {
        kb::designer::TReportDesignerDialog dialog(QStringLiteral("Groß"),
            kb::bericht::berichtLesen(daten), {}, [](const QByteArray &) {});
        // Opened means shown and painted once, workspace and property lists included.
        dialog.resize(1280, 800);
        dialog.show();
        QCoreApplication::processEvents();
        const QPixmap bild = dialog.grab();
        benchmark::DoNotOptimize(bild.cacheKey());
    }
}

BENCHMARK(BM_BerichtJahrPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZwoelfSeitenPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Designer200Elemente)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
