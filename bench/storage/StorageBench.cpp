// The table engine against the same work done with raw sqlite3 calls: creating a year
// table (366 records) and a picture table (12), the schema upgrade of a year table
// (366 edits and posts) and a walk over 366 records reading every field.
#define SQLITE_HAS_CODEC 1
#include "storage/Table.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

using namespace kb;

namespace {

const QDate kFirstDay(2024, 1, 1);
const QStringList kMonths { QStringLiteral("Januar"), QStringLiteral("Februar"),
    QStringLiteral("März"), QStringLiteral("April"), QStringLiteral("Mai"), QStringLiteral("Juni"),
    QStringLiteral("Juli"), QStringLiteral("August"), QStringLiteral("September"),
    QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember") };
const QStringList kDays { QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"),
    QStringLiteral("Do"), QStringLiteral("Fr"), QStringLiteral("Sa"), QStringLiteral("So") };

QList<FieldDef> yearFields()
{
    return { { QStringLiteral("Nummer"), FieldType::Int16 },
        { QStringLiteral("Datum"), FieldType::Date },
        { QStringLiteral("DatumLang"), FieldType::Date },
        { QStringLiteral("Text"), FieldType::String, 255 },
        { QStringLiteral("Woche"), FieldType::Int16 },
        { QStringLiteral("Monat"), FieldType::String, 10 },
        { QStringLiteral("Tag"), FieldType::String, 2 },
        { QStringLiteral("MonatNr"), FieldType::Int16 },
        { QStringLiteral("TagNr"), FieldType::Int16 },
        { QStringLiteral("Kennung"), FieldType::Int16 },
        { QStringLiteral("Name"), FieldType::String, 50 },
        { QStringLiteral("Vorname"), FieldType::String, 50 },
        { QStringLiteral("BLand"), FieldType::String, 30 },
        { QStringLiteral("Notizen"), FieldType::Memo, 100 },
        { QStringLiteral("Alarm"), FieldType::Boolean },
        { QStringLiteral("TagimMonat"), FieldType::Int16 },
        { QStringLiteral("SymbolBild"), FieldType::Graphic } };
}

QList<FieldDef> pictureFields()
{
    return { { QStringLiteral("Nr"), FieldType::AutoInc },
        { QStringLiteral("DetailNR"), FieldType::Int32 },
        { QStringLiteral("Bild"), FieldType::Graphic },
        { QStringLiteral("MonatNR"), FieldType::Int32 },
        { QStringLiteral("TextMonat"), FieldType::Memo, 50 } };
}

struct Day {
    QDate date;
    int nummer;
    QString text;
};

Day day(int i)
{
    return { kFirstDay.addDays(i), i + 1,
        i % 30 == 0 ? QStringLiteral("Feiertag %1").arg(i) : QString() };
}

void createWithEngine(const QString &dir)
{
    Table year;
    year.setDirectory(dir);
    year.setTableName(QStringLiteral("Bench.DB"));
    year.create(
        yearFields(), { { QStringLiteral("PrimIdx"), { QStringLiteral("Nummer") }, true, true } });
    year.open();
    year.startTransaction();
    for (int i = 0; i < 366; ++i) {
        const Day d = day(i);
        year.append();
        year.setInt(QStringLiteral("Nummer"), d.nummer);
        year.setDate(QStringLiteral("Datum"), d.date);
        year.setDate(QStringLiteral("DatumLang"), d.date);
        year.setString(QStringLiteral("Text"), d.text);
        year.setInt(QStringLiteral("Woche"), d.date.weekNumber());
        year.setString(QStringLiteral("Monat"), kMonths[d.date.month() - 1]);
        year.setString(QStringLiteral("Tag"), kDays[d.date.dayOfWeek() - 1]);
        year.setInt(QStringLiteral("MonatNr"), d.date.month());
        year.setInt(QStringLiteral("TagNr"), d.date.dayOfWeek());
        year.setInt(QStringLiteral("Kennung"), 0);
        year.setString(QStringLiteral("Name"), QStringLiteral("Mustermann"));
        year.setString(QStringLiteral("Vorname"), QStringLiteral("Erika"));
        year.setString(QStringLiteral("BLand"), QStringLiteral("Baden-Württemberg"));
        year.setBool(QStringLiteral("Alarm"), false);
        year.setInt(QStringLiteral("TagimMonat"), d.date.day());
        year.post();
    }
    year.commit();
    year.close();

    Table pictures;
    pictures.setDirectory(dir);
    pictures.setTableName(QStringLiteral("BenchBild.DB"));
    pictures.create(pictureFields(),
        { { QString(), { QStringLiteral("Nr") }, true, true },
            { QStringLiteral("Sek_IDNR"), { QStringLiteral("DetailNr") }, false, false, true } });
    pictures.open();
    pictures.startTransaction();
    for (int m = 1; m <= 12; ++m) {
        pictures.append();
        pictures.setInt(QStringLiteral("DetailNR"), m);
        pictures.setInt(QStringLiteral("MonatNR"), m);
        pictures.post();
    }
    pictures.commit();
}

// --- raw sqlite3 ---------------------------------------------------------------------------

struct RawDb {
    explicit RawDb(const QString &path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    }
    ~RawDb() { sqlite3_close(db); }
    void exec(const char *sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    sqlite3 *db = nullptr;
};

struct RawStmt {
    RawStmt(sqlite3 *db, const char *sql) { sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr); }
    ~RawStmt() { sqlite3_finalize(stmt); }
    void text(int i, const QString &s)
    {
        const QByteArray b = s.toUtf8();
        sqlite3_bind_text(stmt, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
    }
    QString column(int i) const
    {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)),
            sqlite3_column_bytes(stmt, i));
    }
    sqlite3_stmt *stmt = nullptr;
};

void createRaw(const QString &dir)
{
    {
        QFile::remove(dir + QStringLiteral("Raw.DB"));
        RawDb db(dir + QStringLiteral("Raw.DB"));
        db.exec(
            "BEGIN; CREATE TABLE days(Nummer INTEGER, Datum TEXT, DatumLang TEXT, Text TEXT,"
            " Woche INTEGER, Monat TEXT, Tag TEXT, MonatNr INTEGER, TagNr INTEGER, Kennung INTEGER,"
            " Name TEXT, Vorname TEXT, BLand TEXT, Notizen TEXT, Alarm INTEGER, TagimMonat INTEGER,"
            " SymbolBild BLOB); CREATE UNIQUE INDEX PrimIdx ON days(Nummer); COMMIT");
        db.exec("BEGIN");
        RawStmt ins(db.db,
            "INSERT INTO days(Nummer,Datum,DatumLang,Text,Woche,Monat,Tag,MonatNr,TagNr,"
            "Kennung,Name,Vorname,BLand,Alarm,TagimMonat) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        for (int i = 0; i < 366; ++i) {
            const Day d = day(i);
            const QString iso = d.date.toString(Qt::ISODate);
            sqlite3_bind_int(ins.stmt, 1, d.nummer);
            ins.text(2, iso);
            ins.text(3, iso);
            if (d.text.isEmpty())
                sqlite3_bind_null(ins.stmt, 4);
            else
                ins.text(4, d.text);
            sqlite3_bind_int(ins.stmt, 5, d.date.weekNumber());
            ins.text(6, kMonths[d.date.month() - 1]);
            ins.text(7, kDays[d.date.dayOfWeek() - 1]);
            sqlite3_bind_int(ins.stmt, 8, d.date.month());
            sqlite3_bind_int(ins.stmt, 9, d.date.dayOfWeek());
            sqlite3_bind_int(ins.stmt, 10, 0);
            ins.text(11, QStringLiteral("Mustermann"));
            ins.text(12, QStringLiteral("Erika"));
            ins.text(13, QStringLiteral("Baden-Württemberg"));
            sqlite3_bind_int(ins.stmt, 14, 0);
            sqlite3_bind_int(ins.stmt, 15, d.date.day());
            sqlite3_step(ins.stmt);
            sqlite3_reset(ins.stmt);
        }
        db.exec("COMMIT");
    }
    QFile::remove(dir + QStringLiteral("RawBild.DB"));
    RawDb db(dir + QStringLiteral("RawBild.DB"));
    db.exec("BEGIN; CREATE TABLE pics(Nr INTEGER PRIMARY KEY AUTOINCREMENT, DetailNR INTEGER, Bild "
            "BLOB,"
            " MonatNR INTEGER, TextMonat TEXT); CREATE INDEX Sek_IDNR ON pics(DetailNR); COMMIT");
    db.exec("BEGIN");
    RawStmt ins(db.db, "INSERT INTO pics(DetailNR, MonatNR) VALUES(?, ?)");
    for (int m = 1; m <= 12; ++m) {
        sqlite3_bind_int(ins.stmt, 1, m);
        sqlite3_bind_int(ins.stmt, 2, m);
        sqlite3_step(ins.stmt);
        sqlite3_reset(ins.stmt);
    }
    db.exec("COMMIT");
}

// --- benchmarks ------------------------------------------------------------------------------

void BM_CreateTables_Engine(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        createWithEngine(dir.path() + QLatin1Char('/'));
}

void BM_CreateTables_RawSqlite(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state)
        createRaw(dir.path() + QLatin1Char('/'));
}

void BM_SchemaUpgrade_Engine(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QLatin1Char('/');
    createWithEngine(path);
    for (auto _ : state) {
        Table t;
        t.setDirectory(path);
        t.setTableName(QStringLiteral("Bench.DB"));
        t.open();
        for (t.first(); !t.eof(); t.next()) {
            t.edit();
            t.setInt(QStringLiteral("TagimMonat"), t.asDate(QStringLiteral("Datum")).day());
            t.post();
        }
        t.close();
    }
}

void BM_SchemaUpgrade_RawSqlite(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QLatin1Char('/');
    createRaw(path);
    for (auto _ : state) {
        RawDb db(path + QStringLiteral("Raw.DB"));
        RawStmt select(db.db, "SELECT rowid, Datum FROM days ORDER BY Nummer");
        RawStmt update(db.db, "UPDATE days SET TagimMonat = ? WHERE rowid = ?");
        while (sqlite3_step(select.stmt) == SQLITE_ROW) {
            const QDate date = QDate::fromString(select.column(1), Qt::ISODate);
            sqlite3_bind_int(update.stmt, 1, date.day());
            sqlite3_bind_int64(update.stmt, 2, sqlite3_column_int64(select.stmt, 0));
            sqlite3_step(update.stmt); // each update is its own transaction, like each post
            sqlite3_reset(update.stmt);
        }
    }
}

void BM_Walk_Engine(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QLatin1Char('/');
    createWithEngine(path);
    const QList<FieldDef> fields = yearFields();
    for (auto _ : state) {
        Table t;
        t.setDirectory(path);
        t.setTableName(QStringLiteral("Bench.DB"));
        t.open();
        qint64 sum = 0;
        for (t.first(); !t.eof(); t.next()) {
            for (const FieldDef &f : fields) {
                switch (f.type) {
                case FieldType::Date:
                    sum += t.asDate(f.name).day();
                    break;
                case FieldType::Int16:
                    sum += t.asInt(f.name);
                    break;
                case FieldType::Boolean:
                    sum += t.asBool(f.name);
                    break;
                case FieldType::Graphic:
                    sum += t.blobSize(f.name);
                    break;
                default:
                    sum += t.asString(f.name).size();
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_Walk_RawSqlite(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QLatin1Char('/');
    createRaw(path);
    for (auto _ : state) {
        RawDb db(path + QStringLiteral("Raw.DB"));
        RawStmt select(db.db,
            "SELECT Nummer, Datum, DatumLang, Text, Woche, Monat, Tag, MonatNr, TagNr,"
            " Kennung, Name, Vorname, BLand, Notizen, Alarm, TagimMonat, length(SymbolBild)"
            " FROM days ORDER BY Nummer");
        qint64 sum = 0;
        while (sqlite3_step(select.stmt) == SQLITE_ROW) {
            sum += sqlite3_column_int(select.stmt, 0);
            sum += QDate::fromString(select.column(1), Qt::ISODate).day();
            sum += QDate::fromString(select.column(2), Qt::ISODate).day();
            sum += select.column(3).size();
            sum += sqlite3_column_int(select.stmt, 4);
            sum += select.column(5).size() + select.column(6).size();
            sum += sqlite3_column_int(select.stmt, 7) + sqlite3_column_int(select.stmt, 8)
                + sqlite3_column_int(select.stmt, 9);
            sum += select.column(10).size() + select.column(11).size() + select.column(12).size()
                + select.column(13).size();
            sum += sqlite3_column_int(select.stmt, 14) + sqlite3_column_int(select.stmt, 15)
                + sqlite3_column_int64(select.stmt, 16);
        }
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

BENCHMARK(BM_CreateTables_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateTables_RawSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SchemaUpgrade_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SchemaUpgrade_RawSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Walk_Engine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Walk_RawSqlite)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
