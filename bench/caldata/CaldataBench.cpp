#include "caldata/FeiertageUNIT.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderSperre.h"
#include "caldata/PersDaten.h"
#include "caldata/Schulferien.h"
#include "caldata/Updatetable.h"
#include "storage/Table.h"

#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sqlcipher/sqlite3.h>

namespace {

// --- holidays ----------------------------------------------------------------------

// The holiday codes of every day of one year, as generation asks for them.
void BM_HolidayCodesOfOneYear(benchmark::State &state)
{
    int year = 1900;
    for (auto _ : state) {
        // A new year each round, so the table is built, not only read from the cache.
        year = year >= 2099 ? 1900 : year + 1;
        int sum = 0;
        for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
            int code = 0;
            QString name;
            sum += kb::FeiertageUNIT::feiertag(day, 12, code, name);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_HolidayCodesOfOneYear)->Unit(benchmark::kMicrosecond);

// --- raw sqlite3 baselines ---------------------------------------------------------------

struct DbClose {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct StmtFinalize {
    void operator()(sqlite3_stmt *s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, DbClose>;
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalize>;

Db openDb(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    return Db(db);
}

void exec(sqlite3 *db, const char *sql)
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

Stmt prepare(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    return Stmt(s);
}

void bindText(sqlite3_stmt *s, int i, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(s, i, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

const char kYearTable[]
    = "CREATE TABLE t(Nummer INTEGER PRIMARY KEY, Datum TEXT, DatumLang TEXT, Text TEXT, "
      "Woche INTEGER, Monat TEXT, Tag TEXT, MonatNr INTEGER, TagNr INTEGER, Kennung INTEGER, "
      "Name TEXT, Vorname TEXT, BLand TEXT, Notizen TEXT, Alarm INTEGER, TagimMonat INTEGER, "
      "SymbolBild BLOB)";

// The year table and the picture table written with plain sqlite3 calls and the library's
// default journal and sync settings: for each file one transaction that creates the table and
// inserts its rows (366 + 12) through one prepared statement.
void rawCalendar(const QString &dir, const std::vector<kb::TagDatensatz> &days)
{
    {
        Db db = openDb(dir + QStringLiteral("/Raw.DB"));
        exec(db.get(), "BEGIN");
        exec(db.get(), kYearTable);
        Stmt ins = prepare(db.get(),
            "INSERT INTO t(Nummer, Datum, DatumLang, Text, Woche, Monat, Tag, "
            "MonatNr, TagNr, Kennung, Name, Vorname, BLand, TagimMonat) "
            "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (const kb::TagDatensatz &t : days) {
            const QString date = t.datum.toString(Qt::ISODate);
            sqlite3_bind_int(ins.get(), 1, t.nummer);
            bindText(ins.get(), 2, date);
            bindText(ins.get(), 3, date);
            bindText(ins.get(), 4, t.text);
            sqlite3_bind_int(ins.get(), 5, t.woche);
            bindText(ins.get(), 6, t.monat);
            bindText(ins.get(), 7, t.tag);
            sqlite3_bind_int(ins.get(), 8, t.monatNr);
            sqlite3_bind_int(ins.get(), 9, t.tagNr);
            sqlite3_bind_int(ins.get(), 10, t.kennung);
            bindText(ins.get(), 11, QStringLiteral("Müller"));
            bindText(ins.get(), 12, QStringLiteral("Jörg"));
            bindText(ins.get(), 13, QStringLiteral("Sachsen"));
            sqlite3_bind_int(ins.get(), 14, t.tagImMonat);
            sqlite3_step(ins.get());
            sqlite3_reset(ins.get());
        }
        exec(db.get(), "COMMIT");
    }
    Db db = openDb(dir + QStringLiteral("/RawBild.DB"));
    exec(db.get(), "BEGIN");
    exec(db.get(),
        "CREATE TABLE b(Nr INTEGER PRIMARY KEY AUTOINCREMENT, DetailNR INTEGER, "
        "Bild BLOB, MonatNR INTEGER, TextMonat TEXT)");
    exec(db.get(), "CREATE INDEX Sek_IDNR ON b(DetailNR)");
    Stmt ins = prepare(db.get(), "INSERT INTO b(DetailNR, MonatNR) VALUES(?,?)");
    for (int m = 1; m <= 12; ++m) {
        sqlite3_bind_int(ins.get(), 1, m);
        sqlite3_bind_int(ins.get(), 2, m);
        sqlite3_step(ins.get());
        sqlite3_reset(ins.get());
    }
    exec(db.get(), "COMMIT");
}

void removeAll(const QString &dir)
{
    QDir d(dir);
    for (const QString &f : d.entryList(QDir::Files | QDir::Hidden))
        d.remove(f);
}

// --- generation -------------------------------------------------------------------------
// BM_GenerateCalendar against BM_GenerateCalendarRawSqlite: the column "Time" is wall time
// (the disk flushes count), "CPU" the processor time of the generating thread. Both make the
// same day records with the same holiday computation and write the same rows.

kb::AnlageEingaben eingaben(const QTemporaryDir &dir)
{
    kb::AnlageEingaben e;
    e.name = QStringLiteral("Müller");
    e.vorname = QStringLiteral("Jörg");
    e.land = QStringLiteral("Sachsen");
    e.verzeichnis = dir.path();
    e.datei = QStringLiteral("Bench");
    e.jahr = 2024;
    return e;
}

void BM_GenerateCalendar(benchmark::State &state)
{
    QTemporaryDir dir;
    const kb::AnlageEingaben e = eingaben(dir);
    for (auto _ : state) {
        kb::kalenderAnlegen(e);
        state.PauseTiming();
        removeAll(dir.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GenerateCalendar)->Unit(benchmark::kMillisecond);

void BM_GenerateCalendarRawSqlite(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        // The day records are part of the work, as in generation.
        rawCalendar(dir.path(), kb::tageDesJahres(2024, 12));
        state.PauseTiming();
        removeAll(dir.path());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_GenerateCalendarRawSqlite)->Unit(benchmark::kMillisecond);

// --- schema upgrade ---------------------------------------------------------------------

// The upgrade of an up-to-date year table: 366 edits and posts of `TagimMonat`.
void BM_Updatetable(benchmark::State &state)
{
    QTemporaryDir dir;
    kb::kalenderAnlegen(eingaben(dir));
    for (auto _ : state)
        kb::updatetable(dir.path(), QStringLiteral("Bench.DB"));
}
BENCHMARK(BM_Updatetable)->Unit(benchmark::kMillisecond);

// The same with plain sqlite3: open, check the columns, read every day and write its day of
// month in one transaction, close.
void BM_UpdatetableRawSqlite(benchmark::State &state)
{
    QTemporaryDir dir;
    rawCalendar(dir.path(), kb::tageDesJahres(2024, 12));
    const QString path = dir.path() + QStringLiteral("/Raw.DB");
    for (auto _ : state) {
        Db db = openDb(path);
        {
            Stmt info = prepare(db.get(), "PRAGMA table_info(t)");
            int columns = 0;
            while (sqlite3_step(info.get()) == SQLITE_ROW)
                ++columns;
            benchmark::DoNotOptimize(columns);
        }
        exec(db.get(), "BEGIN");
        Stmt sel = prepare(db.get(), "SELECT Nummer, Datum FROM t ORDER BY Nummer");
        Stmt upd = prepare(db.get(), "UPDATE t SET TagimMonat=? WHERE Nummer=?");
        while (sqlite3_step(sel.get()) == SQLITE_ROW) {
            const QDate date = QDate::fromString(QString::fromUtf8(reinterpret_cast<const char *>(
                                                     sqlite3_column_text(sel.get(), 1))),
                Qt::ISODate);
            sqlite3_bind_int(upd.get(), 1, date.day());
            sqlite3_bind_int(upd.get(), 2, sqlite3_column_int(sel.get(), 0));
            sqlite3_step(upd.get());
            sqlite3_reset(upd.get());
        }
        exec(db.get(), "COMMIT");
    }
}
BENCHMARK(BM_UpdatetableRawSqlite)->Unit(benchmark::kMillisecond);

// --- school holidays and personal dates ------------------------------------------------

// The nine periods of a state and year from the installed table, read from the file each
// time as the settings dialog's button does.
void BM_FerientermineFromInstalledTable(benchmark::State &state)
{
    const QString csv
        = QDir(QStringLiteral(KB_BIN_DIR)).filePath(QStringLiteral("schulferien.csv"));
    int jahr = 2026;
    for (auto _ : state) {
        jahr = jahr >= 2029 ? 2026 : jahr + 1;
        const kb::FerienTermine t = kb::ferientermine(
            kb::SchulferienTabelle::lesen(csv), QStringLiteral("Niedersachsen"), jahr);
        benchmark::DoNotOptimize(t.vorhanden);
    }
}
BENCHMARK(BM_FerientermineFromInstalledTable)->Unit(benchmark::kMicrosecond);

// The merge of `range(0)` personal dates into a calendar of 366 days (every date of the
// year's first months, one per day).
void BM_PersDatenUebernehmen(benchmark::State &state)
{
    QTemporaryDir dir;
    kb::Table tage;
    tage.setFilePath(kb::kalenderAnlegen(eingaben(dir)).dateien.jahrPfad());
    tage.open();
    const kb::PersDatei p = kb::persDatenAnlegen({ dir.path(), QStringLiteral("Familie"), {}, {} });
    kb::Table pers;
    pers.setFilePath(p.tabellenPfad());
    pers.open();
    pers.startTransaction();
    for (int i = 0; i < state.range(0); ++i) {
        const QDate d = QDate(2024, 1, 1).addDays(i % 366);
        pers.append();
        pers.setInt(QStringLiteral("FracTag"), d.day());
        pers.setInt(QStringLiteral("FracMonat"), d.month());
        pers.setString(QStringLiteral("Text"), QStringLiteral("Geburtstag %1").arg(i));
        pers.post();
    }
    pers.commit();
    for (auto _ : state) {
        const kb::PersUebernahme r = kb::persDatenUebernehmen(tage, pers);
        benchmark::DoNotOptimize(r.geschrieben);
    }
}
BENCHMARK(BM_PersDatenUebernehmen)->Arg(20)->Arg(366)->Unit(benchmark::kMillisecond);

// --- the desktop's writes -------------------------------------------------------------------
// A day text posted by the desktop: BM_TagestextSpeichernMitSperre takes the calendar's lock
// (and looks for what killed runs left) before each post, BM_TagestextSpeichern does not;
// BM_KalenderSperreNehmen is the lock alone.

void tagestextSpeichern(benchmark::State &state, bool sperre)
{
    QTemporaryDir dir;
    const kb::KalenderDatei k = kb::kalenderAnlegen(eingaben(dir)).dateien;
    kb::Table tage;
    tage.setFilePath(k.jahrPfad());
    if (sperre)
        tage.setWriteGuard(kb::kalenderSchreibschutz(k));
    tage.open();
    tage.locate(QStringLiteral("Datum"), QDate(2024, 5, 8));
    int i = 0;
    for (auto _ : state) {
        tage.setString(QStringLiteral("Text"), QStringLiteral("Termin %1").arg(++i));
        tage.post();
    }
}

void BM_TagestextSpeichern(benchmark::State &state)
{
    tagestextSpeichern(state, false);
}
BENCHMARK(BM_TagestextSpeichern)->Unit(benchmark::kMicrosecond);

void BM_TagestextSpeichernMitSperre(benchmark::State &state)
{
    tagestextSpeichern(state, true);
}
BENCHMARK(BM_TagestextSpeichernMitSperre)->Unit(benchmark::kMicrosecond);

void BM_KalenderSperreNehmen(benchmark::State &state)
{
    QTemporaryDir dir;
    const kb::KalenderDatei k = kb::kalenderAnlegen(eingaben(dir)).dateien;
    const kb::Table::WriteGuard schutz = kb::kalenderSchreibschutz(k);
    for (auto _ : state)
        benchmark::DoNotOptimize(schutz());
}
BENCHMARK(BM_KalenderSperreNehmen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    // The copies made before changes go to a program directory of the run, not the build.
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("KRONOBLATT_HOME"))
        qputenv("KRONOBLATT_HOME", home.path().toUtf8());
    // Month pictures are painted; no display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // As in the programs: German dates and numbers.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
