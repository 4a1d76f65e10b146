// Searching the days of one and of twenty calendars, and the copy of a calendar with twelve
// month pictures made before its first change.
#include "caldata/KalenderAnlage.h"
#include "caldata/Sicherungen.h"
#include "caldata/Suche.h"
#include "storage/Table.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

kb::KalenderDatei kalender(const QTemporaryDir &dir, const QString &name, int jahr)
{
    kb::AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.vorname = QStringLiteral("Maria");
    e.land = QStringLiteral("Bayern");
    e.verzeichnis = dir.path() + QLatin1Char('/');
    e.datei = name;
    e.jahr = jahr;
    return kb::kalenderAnlegen(e).dateien;
}

// A text on every third day and notes on every fifth, as a year of use leaves them.
void tageBeschreiben(const kb::KalenderDatei &k)
{
    kb::Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    t.startTransaction();
    int n = 0;
    for (t.first(); !t.eof(); t.next(), ++n) {
        if (n % 3 != 0 && n % 5 != 0)
            continue;
        t.edit();
        if (n % 3 == 0)
            t.setValue(QStringLiteral("Text"), QStringLiteral("Besprechung Straße %1").arg(n));
        if (n % 5 == 0)
            t.setValue(QStringLiteral("Notizen"),
                QStringLiteral("Unterlagen mitnehmen,\nDr. Müller anrufen (%1)").arg(n));
        t.post();
    }
    t.commit();
    t.close();
}

void BM_SucheEinJahr(benchmark::State &state)
{
    QTemporaryDir dir;
    const kb::KalenderDatei k = kalender(dir, QStringLiteral("Jahr"), 2025);
    tageBeschreiben(k);
    for (auto _ : state) {
        kb::Kalendersuche suche;
        benchmark::DoNotOptimize(suche.suchen({ k.qvkPfad() }, QStringLiteral("mueller")));
    }
}
BENCHMARK(BM_SucheEinJahr)->Unit(benchmark::kMillisecond);

void BM_SucheZwanzigKalender(benchmark::State &state)
{
    QTemporaryDir dir;
    for (int i = 0; i < 20; ++i)
        tageBeschreiben(kalender(dir, QStringLiteral("K%1").arg(i), 2006 + i));
    const QStringList alle = kb::kalenderIn(dir.path());
    for (auto _ : state) {
        kb::Kalendersuche suche;
        benchmark::DoNotOptimize(suche.suchen(alle, QStringLiteral("strasse 12")));
    }
}
BENCHMARK(BM_SucheZwanzigKalender)->Unit(benchmark::kMillisecond);

// A 640 × 480 picture of noise over a gradient: it compresses as a photo does.
QImage monatsbild(int monat)
{
    QImage bild(640, 480, QImage::Format_RGB32);
    QPainter p(&bild);
    QLinearGradient verlauf(0, 0, 640, 480);
    verlauf.setColorAt(0, QColor::fromHsv(monat * 30, 200, 220));
    verlauf.setColorAt(1, QColor::fromHsv((monat * 30 + 90) % 360, 120, 60));
    p.fillRect(bild.rect(), verlauf);
    QRandomGenerator zufall(monat);
    for (int i = 0; i < 4000; ++i)
        p.fillRect(int(zufall.bounded(640)), int(zufall.bounded(480)), 6, 6,
            QColor::fromRgb(zufall.generate()));
    return bild;
}

void BM_SicherungMitZwoelfMonatsbildern(benchmark::State &state)
{
    QTemporaryDir dir;
    const kb::KalenderDatei k = kalender(dir, QStringLiteral("Bilder"), 2025);
    tageBeschreiben(k);
    {
        kb::Table bilder;
        bilder.setFilePath(k.bildPfad());
        bilder.open();
        for (int monat = 1; monat <= 12; ++monat) {
            bilder.locate(QStringLiteral("Nr"), monat);
            bilder.edit();
            bilder.setImage(QStringLiteral("Bild"), monatsbild(monat));
            bilder.post();
        }
        bilder.close();
    }
    kb::Table jahr;
    jahr.setFilePath(k.jahrPfad());
    jahr.open();
    QDateTime zeit(QDate(2026, 1, 1), QTime(8, 0));
    int n = 0;
    for (auto _ : state) {
        // A change, so that the copy is not skipped as unchanged.
        state.PauseTiming();
        jahr.first();
        jahr.edit();
        jahr.setValue(QStringLiteral("Text"), QStringLiteral("Änderung %1").arg(++n));
        jahr.post();
        zeit = zeit.addSecs(1);
        state.ResumeTiming();
        benchmark::DoNotOptimize(kb::Sicherungen::anlegen(k, zeit));
    }
    state.counters["Tabellen (KiB)"] = double(QFileInfo(k.bildPfad()).size() / 1024);
}
BENCHMARK(BM_SicherungMitZwoelfMonatsbildern)->Unit(benchmark::kMillisecond);

} // namespace
