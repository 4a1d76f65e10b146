#pragma once

#include "storage/Sqlite.h"
#include "storage/Table.h"

#include <functional>

namespace kb {
class Error;
}

// What the cursor, the data-definition statement and the password rewrite share:
// the catalogue inside a table file, opening a file with its password, and the
// process-wide register of open files.
namespace kb::tablefile {

struct Schema {
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    // -1 when there is no such field; names compare without regard to case.
    int indexOf(const QString &name) const;
    // The defined names of the fields listed as "A;B"; throws for an unknown field.
    QStringList resolve(const QString &list) const;
};

// The name used in messages: the file name.
QString displayName(const QString &path);
// The German error for a failure of the SQL layer on the table at `path`.
Error toError(const sql::SqlError &error, const QString &path);

bool isValidFieldName(const QString &name);
QString columnType(FieldType type);
bool isBlobType(FieldType type);
bool isIntType(FieldType type);

struct OpenedFile {
    sql::DbHandle db;
    Schema schema;
    QString password; // empty for an unprotected table
    // The cipher's raw key with the file's salt ("x'<key><salt>'"); empty when unprotected.
    // A copy keyed with it is encrypted exactly as the table.
    QByteArray rawKey;
    bool readOnly = false;
};

// Opens an existing table file: tries no password, then the known passwords, then asks
// the user. Checks that the file is a sound table and reads its catalogue.
OpenedFile open(const QString &path, bool readOnly = false);
// A table has at most this many fields (a field's position is kept in one byte).
constexpr int kMaxFields = 255;

// Creates the table file `path` from ordered field and index definitions, replacing a table
// of that name. The new file is written and flushed beside the old one and then renamed
// over it, so a failure leaves the old table. Throws a German error for a bad definition.
void createTable(const QString &path, const QList<FieldDef> &fields, QList<IndexDef> indexes);
// Writes catalogue and record table of a new table into the empty database `db`.
void createSchema(sqlite3 *db, const QList<FieldDef> &fields, const QList<IndexDef> &indexes);
// Adds one field to the table (catalogue and records) inside a transaction.
void addField(sqlite3 *db, const FieldDef &field);
// Writes a copy of the open table `db` to `target`, encrypted with `password`
// (plain when empty), and flushes it to disk.
void exportCopy(sqlite3 *db, const QString &target, const QString &password);
// Rewrites the table file `path` encrypted with `password` (plain when empty), when it reads
// without a password or with one this program run knows; the new file replaces the old in one
// rename. False, and the file untouched, when no known password reads it (nobody is asked).
// Throws kb::Error when the new file cannot be written (the old one then stays).
bool rekeyFile(const QString &path, const QString &password);
// Copies the table at `source` into the new file `target` with SQLite's online backup: every
// page from one read transaction, so the copy is one consistent state of the table even while
// other connections read it. A protected table's copy is encrypted with the same password.
// The copy is flushed to disk; on failure it is removed and kb::Error is thrown (the table
// stays as it was). Returns the number of records whose field `countField` is not empty
// (0 when `countField` is empty).
qint64 backupCopy(const QString &source, const QString &target, const QString &countField = {});

// The values of `fields` of every record in stored order, as text (dates "yyyy-MM-dd", blobs
// empty), read from one read-only connection.
QList<QStringList> readTexts(const QString &path, const QStringList &fields);

// Replaces `target` by `source` in one rename; `durable` also flushes the directory, so
// that the new file survives a crash right after.
void replaceFile(const QString &source, const QString &target, bool durable);

// Flushes a written file to disk.
void syncFile(const QString &path);
// Called after the encrypted copy is written and before it replaces the table
// (tests use it to fail at that point).
void setRewriteHook(std::function<void(const QString &copyPath)> hook);
void runRewriteHook(const QString &copyPath);

// The process-wide register of open table files.
namespace registry {
// Throws "gesperrt" when the file is open exclusively, or when `exclusive` is asked
// while any cursor has it open.
void acquire(const QString &path, bool exclusive);
void release(const QString &path, bool exclusive);
bool inUse(const QString &path);
// How many cursors have the file open.
int openCount(const QString &path);
} // namespace registry

} // namespace kb::tablefile
