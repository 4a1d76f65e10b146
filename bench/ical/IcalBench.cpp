#include "caldata/KalenderAnlage.h"
#include "ical/IcsExport.h"
#include "ical/IcsImport.h"
#include "storage/Table.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>

namespace {

kb::KalenderDatei kalenderAnlegen(const QTemporaryDir &dir)
{
    kb::AnlageEingaben e;
    e.name = QStringLiteral("Müller");
    e.vorname = QStringLiteral("Jörg");
    e.land = QStringLiteral("Bayern");
    e.verzeichnis = dir.path() + QLatin1Char('/');
    e.datei = QStringLiteral("Kalender");
    e.jahr = 2025;
    return kb::kalenderAnlegen(e).dateien;
}

// A text, notes and a reminder on every day, in one transaction.
void jedenTagBeschreiben(const kb::KalenderDatei &k)
{
    kb::Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    t.startTransaction();
    for (t.first(); !t.eof(); t.next()) {
        const QString nr = QString::number(t.recNo());
        t.edit();
        t.setString(QStringLiteral("Text"),
            QStringLiteral("Termin Nummer %1, Raum 3; bitte pünktlich").arg(nr));
        t.setString(QStringLiteral("Notizen"),
            QStringLiteral("Notiz zum Tag %1\nmit zweiter Zeile").arg(nr));
        t.setBool(QStringLiteral("Alarm"), t.recNo() % 7 == 0);
        t.post();
    }
    t.commit();
    t.close();
}

void BM_ExportEinesJahresMitTextAnJedemTag(benchmark::State &state)
{
    QTemporaryDir dir;
    const kb::KalenderDatei k = kalenderAnlegen(dir);
    jedenTagBeschreiben(k);
    const QString ziel = dir.filePath(QStringLiteral("jahr.ics"));
    for (auto _ : state)
        benchmark::DoNotOptimize(kb::icsExportieren(k, ziel, kb::IcsExportOptionen()));
}
BENCHMARK(BM_ExportEinesJahresMitTextAnJedemTag)->Unit(benchmark::kMillisecond);

// 1,000 events: 100 yearly birthdays since 1980, 100 weekly dates since 2024, 800 single ones
// (half of them timed, in New York) spread over the year.
QByteArray tausendTermine()
{
    QByteArray ics = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//DE\r\n";
    auto termin = [&](int nr, const QByteArray &zeilen) {
        ics += "BEGIN:VEVENT\r\nUID:bench-" + QByteArray::number(nr) + "\r\n" + zeilen
            + "SUMMARY:Termin " + QByteArray::number(nr) + "\r\nEND:VEVENT\r\n";
    };
    for (int i = 0; i < 1000; ++i) {
        const QDate tag = QDate(2025, 1, 1).addDays(i % 365);
        if (i < 100)
            termin(i,
                "DTSTART;VALUE=DATE:1980" + tag.toString(QStringLiteral("MMdd")).toLatin1()
                    + "\r\nRRULE:FREQ=YEARLY\r\n");
        else if (i < 200)
            termin(i,
                "DTSTART;TZID=Europe/Berlin:2024" + tag.toString(QStringLiteral("MMdd")).toLatin1()
                    + "T180000\r\nRRULE:FREQ=WEEKLY\r\n");
        else if (i % 2)
            termin(i,
                "DTSTART;VALUE=DATE:" + tag.toString(QStringLiteral("yyyyMMdd")).toLatin1()
                    + "\r\n");
        else
            termin(i,
                "DTSTART;TZID=America/New_York:"
                    + tag.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T090000\r\n");
    }
    return ics + "END:VCALENDAR\r\n";
}

void BM_ImportVonTausendTerminen(benchmark::State &state)
{
    QTemporaryDir dir;
    const kb::KalenderDatei k = kalenderAnlegen(dir);
    const QString leer = dir.filePath(QStringLiteral("leer.DB"));
    QFile::copy(k.jahrPfad(), leer);
    const QString ics = dir.filePath(QStringLiteral("termine.ics"));
    QFile datei(ics);
    datei.open(QIODevice::WriteOnly);
    datei.write(tausendTermine());
    datei.close();
    const QTimeZone berlin("Europe/Berlin");
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(k.jahrPfad());
        QFile::copy(leer, k.jahrPfad());
        state.ResumeTiming();
        const kb::IcsImportErgebnis e = kb::icsImportieren(k, ics, berlin);
        benchmark::DoNotOptimize(e.uebernommen);
    }
}
BENCHMARK(BM_ImportVonTausendTerminen)->Unit(benchmark::kMillisecond);

// The same without the table: reading and expanding only.
void BM_TausendTermineLesenUndAufloesen(benchmark::State &state)
{
    const QByteArray ics = tausendTermine();
    const QTimeZone berlin("Europe/Berlin");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            kb::icsTermineImJahr(ics, 2025, berlin, QStringLiteral("termine.ics"))
                .eintraege.size());
}
BENCHMARK(BM_TausendTermineLesenUndAufloesen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
