// Designed forms printed to PDF, side by side with the built-in year calendar.
//
// - "Jahresplaner" (twelve month columns on one page) against "1 Seite 12 Spalten" for the same
//   calendar and settings: from the tables to the PDF file, in this process. The aim is at most
//   1.5 times the built-in layout.
// - "Fotokalender" with twelve month pictures of 12 megapixels (4000 x 3000, as the picture
//   table stores them): from the tables to the PDF file in under a second.
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "designer/Formulardruck.h"
#include "printing/DruckLayouts.h"
#include "report/Writers.h"
#include "settings/IniFile.h"
#include "storage/Table.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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
        for (int monat = 1; monat <= 12; ++monat)
            monatsbild(monat);
    }

    // A 4000 x 3000 JPEG with detail (a gradient and circles), as a camera would give it.
    void monatsbild(int monat)
    {
        QImage bild(4000, 3000, QImage::Format_RGB32);
        QPainter p(&bild);
        QLinearGradient verlauf(0, 0, 4000, 3000);
        verlauf.setColorAt(0, QColor::fromHsv(monat * 28, 200, 230));
        verlauf.setColorAt(1, QColor::fromHsv(monat * 28 + 60, 255, 90));
        p.fillRect(bild.rect(), verlauf);
        p.setBrush(Qt::white);
        for (int i = 0; i < 6; ++i)
            p.drawEllipse(QPoint(600 + i * 560, 1500), 240, 240 + i * 100);
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

QString formular(const char *name)
{
    return QStringLiteral(KB_BIN_DIR "/Kalenderdaten/") + QString::fromUtf8(name)
        + QStringLiteral(".qvf");
}

// From the calendar's tables to the PDF file, as `kronoblatt-cli drucken` does it.
void BM_Layout(benchmark::State &state, const char *layout)
{
    const kb::KalenderDatei k = kb::KalenderDatei::ausQvk(fixture().qvk);
    const kb::IniFile ini(fixture().ini);
    const QString pdf = fixture().dir.filePath(QStringLiteral("layout.pdf"));
    for (auto _ : state) {
        const kb::report::Document doc = kb::druckDokument(
            *kb::druckLayout(QString::fromUtf8(layout)), k.jahrPfad(), k.bildPfad(), ini);
        kb::report::writePdf(doc, pdf);
    }
}

void BM_Formular(benchmark::State &state, const char *name)
{
    const kb::KalenderDatei k = kb::KalenderDatei::ausQvk(fixture().qvk);
    const kb::IniFile ini(fixture().ini);
    const QString pdf = fixture().dir.filePath(QStringLiteral("formular.pdf"));
    for (auto _ : state) {
        const kb::report::Document doc
            = kb::designer::formularDokument(formular(name), k.jahrPfad(), k.bildPfad(), ini);
        kb::report::writePdf(doc, pdf);
    }
}

BENCHMARK_CAPTURE(BM_Layout, EinSeite12Spalten, "1 Seite 12 Spalten")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Formular, Jahresplaner, "Jahresplaner")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Formular, Fotokalender, "Fotokalender")
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
    fixture(); // the pictures are made before the first measurement
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
