#include "designer/BerichtsAbfrage.h"

#include "platform/Error.h"
#include "platform/PictureDecode.h"
#include "storage/FieldValue.h"
#include "storage/Sqlite.h"
#include "storage/Table.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <sqlcipher/sqlite3.h>

namespace kb::bericht {
namespace {

const QString kNurSelect = QStringLiteral(
    "Erlaubt ist nur eine einzelne SELECT-Abfrage über die Tabellen Jahr und Bilder.");

struct StmtCloser {
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtCloser>;

// The declared column types of the copies: they tell the result which values are dates,
// booleans and pictures.
QString spaltenTyp(FieldType type)
{
    switch (type) {
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Boolean:
        return QStringLiteral("BOOLEAN");
    case FieldType::Graphic:
        return QStringLiteral("GRAPHIC");
    case FieldType::Blob:
        return QStringLiteral("BLOB");
    case FieldType::String:
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::AutoInc:
        break;
    }
    return QStringLiteral("INTEGER");
}

void ausfuehren(sqlite3 *db, const QString &sql)
{
    char *fehler = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &fehler) != SQLITE_OK) {
        const QString text = QString::fromUtf8(fehler ? fehler : "");
        sqlite3_free(fehler);
        throw Error(QStringLiteral("Die Abfrage kann nicht vorbereitet werden: %1").arg(text));
    }
}

void binden(sqlite3_stmt *stmt, int index, FieldType type, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (type) {
    case FieldType::Date: {
        const QByteArray text = fieldvalue::isoText(value.toDate()).toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::Graphic:
    case FieldType::Blob: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::String:
    case FieldType::Memo: {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::Boolean:
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::AutoInc:
        break;
    }
    sqlite3_bind_int64(stmt, index, value.toLongLong());
}

// Copies every record of the table file at `pfad` into the table `name` of `db`.
void kopieren(sqlite3 *db, const QString &pfad, const QString &name)
{
    Table table;
    table.setFilePath(pfad);
    table.setReadOnly(true);
    table.open();
    const QList<FieldDef> felder = table.fieldDefs();
    QStringList spalten, platz;
    for (const FieldDef &f : felder) {
        spalten.append(sql::quoted(f.name) + QLatin1Char(' ') + spaltenTyp(f.type));
        platz.append(QStringLiteral("?"));
    }
    ausfuehren(db, QStringLiteral("CREATE TABLE %1(%2)").arg(name, spalten.join(QLatin1Char(','))));
    sqlite3_stmt *roh = nullptr;
    const QByteArray insert = QStringLiteral("INSERT INTO %1 VALUES(%2)")
                                  .arg(name, platz.join(QLatin1Char(',')))
                                  .toUtf8();
    if (sqlite3_prepare_v2(db, insert.constData(), -1, &roh, nullptr) != SQLITE_OK)
        throw Error(QStringLiteral("Die Tabelle %1 kann nicht gelesen werden.").arg(name));
    const StmtHandle stmt(roh);
    for (table.first(); !table.eof(); table.next()) {
        for (int i = 0; i < felder.size(); ++i)
            binden(stmt.get(), i + 1, felder[i].type, table.value(felder[i].name));
        if (sqlite3_step(stmt.get()) != SQLITE_DONE)
            throw Error(QStringLiteral("Die Tabelle %1 kann nicht gelesen werden.").arg(name));
        sqlite3_reset(stmt.get());
    }
}

// Allows reading the two tables and calling the built-in functions; nothing else, so that a
// write, an ATTACH, a PRAGMA or a schema change fails while it is prepared.
int nurLesen(void *, int action, const char *a, const char *, const char *, const char *)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_RECURSIVE:
        return SQLITE_OK;
    case SQLITE_READ: {
        const QString table = QString::fromUtf8(a).toLower();
        return table == QLatin1String("jahr") || table == QLatin1String("bilder") ? SQLITE_OK
                                                                                  : SQLITE_DENY;
    }
    case SQLITE_FUNCTION:
        return qstricmp(a, "load_extension") == 0 ? SQLITE_DENY : SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

struct Frist {
    QElapsedTimer uhr;
    int ms = 0;
    bool abgelaufen = false;
};

int fristPruefen(void *p)
{
    auto *frist = static_cast<Frist *>(p);
    if (frist->uhr.elapsed() > frist->ms)
        frist->abgelaufen = true;
    return frist->abgelaufen ? 1 : 0;
}

// Skips white space and comments; returns the position of the first token.
qsizetype tokenAnfang(const QString &sql, qsizetype i)
{
    while (i < sql.size()) {
        if (sql[i].isSpace()) {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            const qsizetype ende = sql.indexOf(QLatin1Char('\n'), i);
            i = ende < 0 ? sql.size() : ende + 1;
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype ende = sql.indexOf(QLatin1String("*/"), i + 2);
            i = ende < 0 ? sql.size() : ende + 2;
        } else {
            break;
        }
    }
    return i;
}

bool beginntMitSelect(const QString &sql)
{
    const qsizetype i = tokenAnfang(sql, 0);
    qsizetype j = i;
    while (j < sql.size() && sql[j].isLetter())
        ++j;
    const QString wort = sql.mid(i, j - i).toUpper();
    return wort == QLatin1String("SELECT") || wort == QLatin1String("WITH");
}

QVariant wert(sqlite3_stmt *stmt, int spalte)
{
    const char *typ = sqlite3_column_decltype(stmt, spalte);
    const QByteArray deklariert = QByteArray(typ ? typ : "").toUpper();
    switch (sqlite3_column_type(stmt, spalte)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(stmt, spalte);
        if (deklariert == "BOOLEAN")
            return v != 0;
        return v;
    }
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, spalte);
    case SQLITE_BLOB: {
        const auto *daten = static_cast<const char *>(sqlite3_column_blob(stmt, spalte));
        return QByteArray(daten, sqlite3_column_bytes(stmt, spalte));
    }
    default:
        break;
    }
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, spalte)),
            sqlite3_column_bytes(stmt, spalte));
    if (deklariert == "DATE") {
        const QDate datum = fieldvalue::isoDate(text);
        if (datum.isValid())
            return datum;
    }
    return text;
}

StmtHandle vorbereiten(sqlite3 *db, const QString &sql)
{
    if (tokenAnfang(sql, 0) >= sql.size())
        throw Error(QStringLiteral("Die Abfrage ist leer."));
    if (!beginntMitSelect(sql))
        throw Error(kNurSelect);
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *roh = nullptr;
    const char *rest = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &roh, &rest);
    StmtHandle stmt(roh);
    if (rc == SQLITE_AUTH)
        throw Error(kNurSelect);
    if (rc != SQLITE_OK || !stmt)
        throw Error(QStringLiteral("Die Abfrage ist fehlerhaft: %1")
                        .arg(QString::fromUtf8(sqlite3_errmsg(db))));
    const QString danach = QString::fromUtf8(rest ? rest : "");
    if (tokenAnfang(danach, 0) < danach.size()) {
        // Only a trailing semicolon may follow.
        const QString ohne = danach.trimmed();
        if (!(ohne.startsWith(QLatin1Char(';'))
                && tokenAnfang(ohne.mid(1), 0) >= ohne.mid(1).size()))
            throw Error(kNurSelect);
    }
    if (!sqlite3_stmt_readonly(stmt.get()) || sqlite3_column_count(stmt.get()) == 0)
        throw Error(kNurSelect);
    return stmt;
}

} // namespace

AbfrageErgebnis abfrageAusfuehren(const QString &sql, const KalenderTabellen &kalender, int zeitMs)
{
    sqlite3 *roh = nullptr;
    const int flags
        = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(":memory:", &roh, flags, nullptr);
    const sql::DbHandle db(roh);
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("Die Abfrage kann nicht vorbereitet werden."));
    ausfuehren(db.get(), QStringLiteral("BEGIN"));
    kopieren(db.get(), kalender.jahrPfad, QStringLiteral("Jahr"));
    kopieren(db.get(), kalender.bildPfad, QStringLiteral("Bilder"));
    ausfuehren(db.get(), QStringLiteral("COMMIT; PRAGMA query_only = 1"));
    sqlite3_set_authorizer(db.get(), nurLesen, nullptr);

    const StmtHandle stmt = vorbereiten(db.get(), sql);
    Frist frist;
    frist.ms = zeitMs;
    frist.uhr.start();
    sqlite3_progress_handler(db.get(), 1000, fristPruefen, &frist);

    AbfrageErgebnis ergebnis;
    const int spalten = sqlite3_column_count(stmt.get());
    for (int i = 0; i < spalten; ++i)
        ergebnis.spalten.append(QString::fromUtf8(sqlite3_column_name(stmt.get(), i)));
    int schritt;
    while ((schritt = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        if (ergebnis.zeilen.size() >= std::size_t(kMaxAbfrageZeilen))
            throw Error(
                QStringLiteral("Die Abfrage liefert mehr als %1 Zeilen.").arg(kMaxAbfrageZeilen));
        std::vector<QVariant> zeile;
        zeile.reserve(std::size_t(spalten));
        for (int i = 0; i < spalten; ++i)
            zeile.push_back(wert(stmt.get(), i));
        ergebnis.zeilen.push_back(std::move(zeile));
    }
    if (frist.abgelaufen)
        throw Error(QStringLiteral("Die Abfrage wurde nach %1 Sekunden abgebrochen, weil sie zu "
                                   "lange lief.")
                        .arg(QLocale(QLocale::German).toString(zeitMs / 1000.0)));
    if (schritt != SQLITE_DONE)
        throw Error(QStringLiteral("Die Abfrage ist fehlerhaft: %1")
                        .arg(QString::fromUtf8(sqlite3_errmsg(db.get()))));
    return ergebnis;
}

AbfrageDaten::AbfrageDaten(AbfrageErgebnis ergebnis)
    : m_ergebnis(std::move(ergebnis))
{
    for (int i = 0; i < m_ergebnis.spalten.size(); ++i)
        m_spalte.insert(m_ergebnis.spalten[i].toLower(), i);
}

void AbfrageDaten::first()
{
    m_zeile = 0;
    m_eof = m_ergebnis.zeilen.empty();
}

void AbfrageDaten::next()
{
    if (m_eof)
        return;
    if (m_zeile + 1 < m_ergebnis.zeilen.size())
        ++m_zeile;
    else
        m_eof = true;
}

QVariant AbfrageDaten::value(const QString &field) const
{
    if (m_ergebnis.zeilen.empty())
        return {};
    const auto it = m_spalte.constFind(field.toLower());
    if (it == m_spalte.cend())
        return {};
    return m_ergebnis.zeilen[m_zeile][std::size_t(*it)];
}

QImage AbfrageDaten::image(const QString &field) const
{
    const QVariant v = value(field);
    if (v.typeId() != QMetaType::QByteArray || v.toByteArray().isEmpty())
        return {};
    return decodePicture(v.toByteArray());
}

} // namespace kb::bericht
