#define SQLITE_HAS_CODEC 1
#include "storage/Sqlite.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <sqlcipher/sqlite3.h>

namespace kb::sql {

namespace {
// A table locked by another program is retried this long before giving up.
constexpr int kBusyTimeoutMs = 500;

Failure failureOf(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
        return Failure::NotADatabase;
    case SQLITE_CORRUPT:
        return Failure::Corrupt;
    case SQLITE_READONLY:
        return Failure::ReadOnly;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Failure::Busy;
    case SQLITE_CONSTRAINT:
        return Failure::Constraint;
    case SQLITE_CANTOPEN:
        return Failure::NotFound;
    default:
        return Failure::Other;
    }
}
} // namespace

void DbCloser::operator()(sqlite3 *db) const
{
    sqlite3_close_v2(db);
}

void StmtFinalizer::operator()(sqlite3_stmt *stmt) const
{
    sqlite3_finalize(stmt);
}

void throwSql(sqlite3 *db, int rc)
{
    // A full disk and a failing write are told in German, with the system's reason.
    const int systemError = db ? sqlite3_system_errno(db) : 0;
    switch (rc & 0xff) {
    case SQLITE_FULL:
        throw SqlError { Failure::Other, systemErrorText(systemError ? systemError : ENOSPC) };
    case SQLITE_IOERR:
        throw SqlError { Failure::Other, systemErrorText(systemError ? systemError : EIO) };
    case SQLITE_NOMEM:
        throw SqlError { Failure::Other, QStringLiteral("Nicht genug Arbeitsspeicher.") };
    case SQLITE_TOOBIG:
        throw SqlError { Failure::Other, QStringLiteral("Ein Wert ist zu groß für die Tabelle.") };
    case SQLITE_NOLFS:
        throw SqlError { Failure::Other, systemErrorText(EFBIG) };
    case SQLITE_PERM:
    case SQLITE_AUTH:
        throw SqlError { Failure::Other, systemErrorText(EACCES) };
    default:
        break;
    }
    throw SqlError { failureOf(rc),
        db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc)) };
}

Stmt::Stmt(sqlite3 *db, const QString &sql)
    : m_db(db)
{
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr);
    m_stmt.reset(stmt);
    if (rc != SQLITE_OK)
        throwSql(db, rc);
}

Stmt &Stmt::bind(int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        sqlite3_bind_null(m_stmt.get(), index);
    else if (value.typeId() == QMetaType::QByteArray)
        bindBlob(index, value.toByteArray());
    else if (value.typeId() == QMetaType::QString)
        bindText(index, value.toString());
    else if (value.typeId() == QMetaType::Bool)
        bindInt(index, value.toBool() ? 1 : 0);
    else
        bindInt(index, value.toLongLong());
    return *this;
}

Stmt &Stmt::bindText(int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt.get(), index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Stmt &Stmt::bindInt(int index, qint64 value)
{
    sqlite3_bind_int64(m_stmt.get(), index, value);
    return *this;
}

Stmt &Stmt::bindBlob(int index, const QByteArray &bytes)
{
    // A zero-length blob stays a blob, not NULL.
    sqlite3_bind_blob(m_stmt.get(), index, bytes.isEmpty() ? "" : bytes.constData(),
        int(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}

bool Stmt::step()
{
    const int rc = sqlite3_step(m_stmt.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt.get());
    throwSql(m_db, rc);
}

void Stmt::reset()
{
    sqlite3_reset(m_stmt.get());
    sqlite3_clear_bindings(m_stmt.get());
}

bool Stmt::isNull(int column) const
{
    return sqlite3_column_type(m_stmt.get(), column) == SQLITE_NULL;
}

qint64 Stmt::columnInt(int column) const
{
    return sqlite3_column_int64(m_stmt.get(), column);
}

QString Stmt::columnText(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt.get(), column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt.get(), column));
}

QByteArray Stmt::columnBlob(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_stmt.get(), column));
    return QByteArray(data, sqlite3_column_bytes(m_stmt.get(), column));
}

void exec(sqlite3 *db, const QString &sql)
{
    char *message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK)
        throwSql(db, rc);
}

DbHandle openFile(const QString &path, bool create, bool readOnly)
{
    sqlite3 *db = nullptr;
    // Each connection belongs to one cursor on the one user-interface thread.
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE)
        | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    DbHandle handle(db);
    if (rc != SQLITE_OK)
        throwSql(db, rc);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    return handle;
}

void key(sqlite3 *db, const QString &password)
{
    if (password.isEmpty())
        return;
    const QByteArray utf8 = password.toUtf8();
    const int rc = sqlite3_key(db, utf8.constData(), int(utf8.size()));
    if (rc != SQLITE_OK)
        throwSql(db, rc);
}

void backup(sqlite3 *source, sqlite3 *target)
{
    sqlite3_backup *b = sqlite3_backup_init(target, "main", source, "main");
    if (!b)
        throwSql(target, sqlite3_errcode(target));
    const int stepped = sqlite3_backup_step(b, -1);
    const int finished = sqlite3_backup_finish(b);
    if (stepped != SQLITE_DONE)
        throwSql(target, stepped);
    if (finished != SQLITE_OK)
        throwSql(target, finished);
}

bool isReadOnly(sqlite3 *db)
{
    return sqlite3_db_readonly(db, "main") == 1;
}

qint64 lastInsertId(sqlite3 *db)
{
    return sqlite3_last_insert_rowid(db);
}

int changes(sqlite3 *db)
{
    return sqlite3_changes(db);
}

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

} // namespace kb::sql
