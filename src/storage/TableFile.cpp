#include "storage/TableFile.h"

#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "platform/Ui.h"
#include "storage/KeyDerivation.h"
#include "storage/Transaktion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kb::tablefile {

namespace {

const QString kFormat = QStringLiteral("kronoblatt-table-1");
// SQLCipher writes whole pages of this size, so an encrypted table is a multiple of it.
constexpr qint64 kCipherPageSize = 1024;

std::function<void(const QString &)> &rewriteHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

const char *typeNames[]
    = { "Int16", "Int32", "AutoInc", "String", "Date", "Boolean", "Memo", "Graphic", "Blob" };

QString typeName(FieldType type)
{
    return QString::fromLatin1(typeNames[int(type)]);
}

FieldType typeFromName(const QString &name, const QString &path)
{
    for (int i = 0; i < int(std::size(typeNames)); ++i) {
        if (name == QLatin1String(typeNames[i]))
            return FieldType(i);
    }
    throw Error(QStringLiteral("Die Tabelle '%1' ist beschädigt (unbekannter Feldtyp '%2')")
                    .arg(displayName(path), name));
}

Error notATable(const QString &path)
{
    return Error(QStringLiteral("Die Datei '%1' ist keine gültige Tabelle").arg(displayName(path)));
}

// True when the connection can read; false when the file looks encrypted (or is no
// database at all).
bool canRead(sqlite3 *db)
{
    try {
        sql::Stmt(db, QStringLiteral("SELECT count(*) FROM sqlite_master")).step();
        return true;
    } catch (const sql::SqlError &e) {
        if (e.failure == sql::Failure::NotADatabase)
            return false;
        throw;
    }
}

// Opens the file with the key of `password`: first as new protections derive it, then as
// tables protected before did. Null when neither reads.
// `keyUsed`, when given, receives the key that reads it with the file's salt.
sql::DbHandle openKeyed(
    const QString &path, const QString &password, bool readOnly, QByteArray *keyUsed = nullptr)
{
    const QByteArray salt = cipher::saltOfFile(path);
    if (salt.isEmpty() || password.isEmpty())
        return {};
    for (const int iterations : { cipher::kKdfIterations, cipher::kLegacyKdfIterations }) {
        sql::DbHandle db = sql::openFile(path, false, readOnly);
        const QByteArray key = cipher::deriveKey(password, salt, iterations);
        sql::key(db.get(), QString::fromLatin1(cipher::rawKey(key)));
        if (canRead(db.get())) {
            if (keyUsed)
                *keyUsed = cipher::rawKeyWithSalt(key, salt);
            return db;
        }
    }
    return {};
}

void checkSound(sqlite3 *db, const QString &path)
{
    sql::Stmt check(db, QStringLiteral("PRAGMA quick_check"));
    if (!check.step() || check.columnText(0) != QLatin1String("ok"))
        throw Error(QStringLiteral("Die Tabelle '%1' ist beschädigt").arg(displayName(path)));
    sql::Stmt tables(db,
        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' "
                       "AND name IN ('kb_meta','kb_fields','kb_indexes','records')"));
    tables.step();
    if (tables.columnInt(0) != 4)
        throw notATable(path);
    sql::Stmt format(db, QStringLiteral("SELECT value FROM kb_meta WHERE key='format'"));
    if (!format.step() || format.columnText(0) != kFormat)
        throw notATable(path);
}

// The record table as the file really holds it must be the one the catalogue describes:
// the row id, then every field in catalogue order with the column type of its field type,
// no column more, no constraint that refuses a value, and nothing that runs on its own
// (triggers) or stands in for a table (views).
void checkColumns(sqlite3 *db, const Schema &schema, const QString &path)
{
    const Error damaged(QStringLiteral("Die Tabelle '%1' ist beschädigt").arg(displayName(path)));
    sql::Stmt others(
        db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type IN ('trigger','view')"));
    if (!others.step() || others.columnInt(0) != 0)
        throw damaged;
    sql::Stmt info(db, QStringLiteral("PRAGMA table_info(records)"));
    int column = 0;
    while (info.step()) {
        const QString name = info.columnText(1);
        const QString type = info.columnText(2).toUpper();
        const bool notNull = info.columnInt(3) != 0;
        const bool key = info.columnInt(5) != 0;
        if (column == 0) {
            if (name != QLatin1String("kb_rid") || type != QLatin1String("INTEGER") || !key)
                throw damaged;
        } else {
            if (column > schema.fields.size())
                throw damaged;
            const FieldDef &f = schema.fields[column - 1];
            if (name.compare(f.name, Qt::CaseInsensitive) != 0 || type != columnType(f.type)
                || notNull || key)
                throw damaged;
        }
        ++column;
    }
    if (column != schema.fields.size() + 1)
        throw damaged;
}

Schema readSchema(sqlite3 *db, const QString &path)
{
    Schema schema;
    sql::Stmt fields(db,
        QStringLiteral("SELECT name, type, size, required, min, max FROM kb_fields "
                       "ORDER BY pos"));
    while (fields.step()) {
        FieldDef f;
        f.name = fields.columnText(0);
        f.type = typeFromName(fields.columnText(1), path);
        f.size = int(fields.columnInt(2));
        f.required = fields.columnInt(3) != 0;
        f.min = int(fields.columnInt(4));
        f.max = int(fields.columnInt(5));
        if (!isValidFieldName(f.name))
            throw Error(QStringLiteral("Die Tabelle '%1' ist beschädigt").arg(displayName(path)));
        schema.fields.append(f);
    }
    sql::Stmt indexes(db,
        QStringLiteral("SELECT name, fields, is_primary, is_unique, nocase "
                       "FROM kb_indexes ORDER BY pos"));
    while (indexes.step()) {
        IndexDef ix;
        ix.name = indexes.columnText(0);
        ix.fields = indexes.columnText(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        ix.primary = indexes.columnInt(2) != 0;
        ix.unique = indexes.columnInt(3) != 0;
        ix.caseInsensitive = indexes.columnInt(4) != 0;
        schema.indexes.append(ix);
    }
    checkColumns(db, schema, path);
    return schema;
}

QString askPassword(const QString &path)
{
    const std::optional<QString> answer = ui().inputQuery(QStringLiteral("Tabellen-Passwort"),
        QStringLiteral("Passwort für Tabelle '%1':").arg(displayName(path)), QString(), true);
    if (!answer)
        throw Error(
            QStringLiteral("Kein Passwort für Tabelle '%1' angegeben").arg(displayName(path)));
    return *answer;
}

} // namespace

void syncFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw Error(
            QStringLiteral("Die Datei '%1' kann nicht geschrieben werden").arg(displayName(path)));
#ifdef Q_OS_WIN
    const int rc = _commit(file.handle());
#else
    const int rc = ::fsync(file.handle());
#endif
    if (rc != 0)
        throw Error(
            QStringLiteral("Die Datei '%1' kann nicht geschrieben werden").arg(displayName(path)));
}

namespace {

void syncDirectory([[maybe_unused]] const QString &dir)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

QString registryKey(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

struct RegistryEntry {
    int count = 0;
    bool exclusive = false;
};

QHash<QString, RegistryEntry> &openFiles()
{
    static QHash<QString, RegistryEntry> files;
    return files;
}

} // namespace

int Schema::indexOf(const QString &name) const
{
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList Schema::resolve(const QString &list) const
{
    QStringList names;
    for (const QString &part : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int index = indexOf(part.trimmed());
        if (index < 0)
            throw Error(QStringLiteral("Feld '%1' nicht gefunden").arg(part.trimmed()));
        names.append(fields[index].name);
    }
    return names;
}

QString displayName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

Error toError(const sql::SqlError &error, const QString &path)
{
    const QString name = displayName(path);
    switch (error.failure) {
    case sql::Failure::NotADatabase:
        return notATable(path);
    case sql::Failure::Corrupt:
        return Error(QStringLiteral("Die Tabelle '%1' ist beschädigt").arg(name));
    case sql::Failure::ReadOnly:
        return Error(QStringLiteral("Die Tabelle '%1' ist schreibgeschützt").arg(name));
    case sql::Failure::Busy:
        return Error(QStringLiteral("Die Tabelle '%1' ist gesperrt").arg(name));
    case sql::Failure::Constraint:
        return Error(QStringLiteral("Schlüsselverletzung in Tabelle '%1': ein Datensatz mit "
                                    "diesem Schlüssel existiert bereits")
                         .arg(name));
    case sql::Failure::NotFound:
        return Error(QStringLiteral("Tabelle '%1' kann nicht geöffnet werden").arg(name));
    case sql::Failure::Other:
        break;
    }
    return Error(QStringLiteral("Fehler in Tabelle '%1': %2").arg(name, error.detail));
}

bool isValidFieldName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Za-z_\\x{C4}\\x{D6}\\x{DC}\\x{E4}\\x{F6}\\x{FC}\\x{DF}]"
                       "[A-Za-z0-9_\\x{C4}\\x{D6}\\x{DC}\\x{E4}\\x{F6}\\x{FC}\\x{DF}]{0,63}$"));
    return pattern.match(name).hasMatch()
        && name.compare(QLatin1String("kb_rid"), Qt::CaseInsensitive) != 0;
}

QString columnType(FieldType type)
{
    switch (type) {
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::AutoInc:
    case FieldType::Boolean:
        return QStringLiteral("INTEGER");
    case FieldType::String:
    case FieldType::Date:
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Graphic:
    case FieldType::Blob:
        return QStringLiteral("BLOB");
    }
    return QStringLiteral("BLOB");
}

bool isBlobType(FieldType type)
{
    return type == FieldType::Graphic || type == FieldType::Blob;
}

bool isIntType(FieldType type)
{
    return type == FieldType::Int16 || type == FieldType::Int32 || type == FieldType::AutoInc;
}

OpenedFile open(const QString &path, bool readOnly)
{
    // A writer killed inside a transaction leaves its journal beside the table, and only a
    // connection that may write can roll it back. A read-write connection opens the table
    // first, then, and does (a journal of a transaction still running is left alone).
    if (readOnly && QFileInfo(path + QStringLiteral("-journal")).size() > 0
        && QFileInfo(path).isWritable())
        open(path, false);
    const QFileInfo info(path);
    if (!info.exists())
        throw Error(QStringLiteral("Tabelle '%1' nicht gefunden").arg(displayName(path)));
    if (!info.isFile())
        throw notATable(path);
    OpenedFile opened;
    try {
        opened.db = sql::openFile(path, false, readOnly);
        if (!canRead(opened.db.get())) {
            if (info.size() == 0 || info.size() % kCipherPageSize != 0)
                throw notATable(path);
            bool found = false;
            const QStringList known = Session::passwords();
            for (const QString &password : known) {
                if (sql::DbHandle db = openKeyed(path, password, readOnly, &opened.rawKey)) {
                    opened.db = std::move(db);
                    opened.password = password;
                    found = true;
                    break;
                }
            }
            if (!found) {
                const QString password = askPassword(path);
                sql::DbHandle db = openKeyed(path, password, readOnly, &opened.rawKey);
                if (!db)
                    throw Error(QStringLiteral("Falsches Passwort für Tabelle '%1'")
                                    .arg(displayName(path)));
                opened.db = std::move(db);
                opened.password = password;
                Session::addPassword(password);
            }
        }
        checkSound(opened.db.get(), path);
        opened.schema = readSchema(opened.db.get(), path);
        opened.readOnly = sql::isReadOnly(opened.db.get());
    } catch (const sql::SqlError &e) {
        throw toError(e, path);
    }
    return opened;
}

namespace {

void checkFields(const QList<FieldDef> &fields)
{
    Schema schema;
    for (const FieldDef &f : fields) {
        if (!isValidFieldName(f.name))
            throw Error(QStringLiteral("Ungültiger Feldname '%1'").arg(f.name));
        if (schema.indexOf(f.name) >= 0)
            throw Error(QStringLiteral("Feld '%1' ist doppelt definiert").arg(f.name));
        if (f.type == FieldType::String && (f.size < 1 || f.size > 255))
            throw Error(QStringLiteral("Ungültige Länge %1 für Feld '%2'").arg(f.size).arg(f.name));
        schema.fields.append(f);
    }
    if (fields.isEmpty() || fields.size() > kMaxFields)
        throw Error(QStringLiteral("Eine Tabelle hat 1 bis %1 Felder").arg(kMaxFields));
}

// Checks the indexes and writes their fields as defined.
void resolveIndexes(const QList<FieldDef> &fields, QList<IndexDef> &indexes)
{
    const Schema schema { fields, {} };
    int primaries = 0;
    for (IndexDef &ix : indexes) {
        if (ix.fields.isEmpty())
            throw Error(QStringLiteral("Index '%1' hat keine Felder").arg(ix.name));
        for (QString &field : ix.fields) {
            const int i = schema.indexOf(field.trimmed());
            if (i < 0)
                throw Error(QStringLiteral("Feld '%1' nicht gefunden").arg(field));
            if (isBlobType(fields[i].type) || fields[i].type == FieldType::Memo)
                throw Error(QStringLiteral("Feld '%1' kann nicht indiziert werden").arg(field));
            field = fields[i].name;
        }
        primaries += ix.primary ? 1 : 0;
    }
    if (primaries > 1)
        throw Error(QStringLiteral("Eine Tabelle kann nur einen Primärindex haben"));
}

} // namespace

void createTable(const QString &path, const QList<FieldDef> &fields, QList<IndexDef> indexes)
{
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        throw Error(QStringLiteral("Verzeichnis '%1' nicht gefunden")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    if (registry::inUse(path))
        throw Error(QStringLiteral("Die Tabelle '%1' ist gesperrt: sie ist bereits geöffnet")
                        .arg(displayName(path)));
    checkFields(fields);
    resolveIndexes(fields, indexes);

    const QString temp = path + QStringLiteral(".kbnew");
    QFile::remove(temp);
    try {
        {
            sql::DbHandle db = sql::openFile(temp, true);
            // Nobody sees the new file before the rename, so it needs no journal on disk;
            // the commit still flushes it.
            sql::exec(db.get(), QStringLiteral("PRAGMA journal_mode=MEMORY"));
            sql::exec(db.get(), QStringLiteral("BEGIN"));
            createSchema(db.get(), fields, indexes);
            sql::exec(db.get(), QStringLiteral("COMMIT"));
        }
        replaceFile(temp, path, false);
    } catch (const sql::SqlError &e) {
        QFile::remove(temp);
        throw Error(QStringLiteral("Die Tabelle '%1' kann nicht angelegt werden: %2")
                        .arg(displayName(path), e.detail));
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
}

void createSchema(sqlite3 *db, const QList<FieldDef> &fields, const QList<IndexDef> &indexes)
{
    sql::exec(db,
        QStringLiteral("CREATE TABLE kb_meta(key TEXT PRIMARY KEY, value);"
                       "CREATE TABLE kb_fields(pos INTEGER PRIMARY KEY, name TEXT NOT NULL, type "
                       "TEXT NOT NULL,"
                       " size INTEGER, required INTEGER, min INTEGER, max INTEGER);"
                       "CREATE TABLE kb_indexes(pos INTEGER PRIMARY KEY, name TEXT, fields TEXT,"
                       " is_primary INTEGER, is_unique INTEGER, nocase INTEGER);"));
    sql::Stmt(db, QStringLiteral("INSERT INTO kb_meta VALUES('format', ?)"))
        .bindText(1, kFormat)
        .exec();

    QStringList columns { QStringLiteral("kb_rid INTEGER PRIMARY KEY") };
    sql::Stmt insertField(db, QStringLiteral("INSERT INTO kb_fields VALUES(?,?,?,?,?,?,?)"));
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef &f = fields[i];
        columns.append(sql::quoted(f.name) + QLatin1Char(' ') + columnType(f.type));
        insertField.bindInt(1, i).bindText(2, f.name).bindText(3, typeName(f.type));
        insertField.bindInt(4, f.size).bindInt(5, f.required).bindInt(6, f.min).bindInt(7, f.max);
        insertField.exec();
        insertField.reset();
    }
    sql::exec(db, QStringLiteral("CREATE TABLE records(%1)").arg(columns.join(QLatin1Char(','))));

    sql::Stmt insertIndex(db, QStringLiteral("INSERT INTO kb_indexes VALUES(?,?,?,?,?,?)"));
    for (int i = 0; i < indexes.size(); ++i) {
        const IndexDef &ix = indexes[i];
        QStringList parts;
        for (const QString &field : ix.fields)
            parts.append(sql::quoted(field)
                + (ix.caseInsensitive ? QStringLiteral(" COLLATE NOCASE") : QString()));
        const bool unique = ix.unique || ix.primary;
        sql::exec(db,
            QStringLiteral("CREATE %1INDEX kb_ix_%2 ON records(%3)")
                .arg(unique ? QStringLiteral("UNIQUE ") : QString())
                .arg(i)
                .arg(parts.join(QLatin1Char(','))));
        insertIndex.bindInt(1, i)
            .bindText(2, ix.name)
            .bindText(3, ix.fields.join(QLatin1Char(';')));
        insertIndex.bindInt(4, ix.primary).bindInt(5, unique).bindInt(6, ix.caseInsensitive);
        insertIndex.exec();
        insertIndex.reset();
    }
}

void addField(sqlite3 *db, const FieldDef &field)
{
    Transaktion transaktion(db, Transaktion::sofort());
    sql::exec(db,
        QStringLiteral("ALTER TABLE records ADD COLUMN %1 %2")
            .arg(sql::quoted(field.name), columnType(field.type)));
    sql::Stmt(db,
        QStringLiteral("INSERT INTO kb_fields VALUES("
                       "(SELECT coalesce(max(pos),-1)+1 FROM kb_fields),?,?,?,?,?,?)"))
        .bindText(1, field.name)
        .bindText(2, typeName(field.type))
        .bindInt(3, field.size)
        .bindInt(4, field.required)
        .bindInt(5, field.min)
        .bindInt(6, field.max)
        .exec();
    transaktion.commit();
}

bool rekeyFile(const QString &path, const QString &password)
{
    const QString neu = path + QStringLiteral(".kbneu");
    try {
        sql::DbHandle db = sql::openFile(path, false, false);
        if (!canRead(db.get())) {
            db.reset();
            for (const QString &known : Session::passwords()) {
                if ((db = openKeyed(path, known, false)))
                    break;
            }
            if (!db)
                return false;
        }
        exportCopy(db.get(), neu, password);
        db.reset();
        replaceFile(neu, path, true);
    } catch (const sql::SqlError &e) {
        QFile::remove(neu);
        throw toError(e, path);
    } catch (...) {
        QFile::remove(neu);
        throw;
    }
    return true;
}

void exportCopy(sqlite3 *db, const QString &target, const QString &password)
{
    QFile::remove(target);
    QFile::remove(target + QStringLiteral("-journal"));
    // The table's connection may not create files, so the copy starts as an empty one, which
    // only its owner can read while it is written.
    try {
        dateien::privatAnlegen(target);
    } catch (const Error &) {
        throw Error(QStringLiteral("Die Datei '%1' kann nicht geschrieben werden")
                        .arg(displayName(target)));
    }
    bool attached = false;
    try {
        // A new protection derives its key with today's iteration count; the key goes to the
        // cipher as raw key data together with the salt the copy starts with.
        QString key;
        if (!password.isEmpty()) {
            const QByteArray salt = cipher::saltForNewProtection(password);
            key = QString::fromLatin1(cipher::rawKeyWithSalt(
                cipher::deriveKey(password, salt, cipher::kKdfIterations), salt));
        }
        sql::Stmt(db, QStringLiteral("ATTACH DATABASE ? AS kbcopy KEY ?"))
            .bindText(1, target)
            .bindText(2, key)
            .exec();
        attached = true;
        sql::Stmt(db, QStringLiteral("SELECT sqlcipher_export('kbcopy')")).exec();
        attached = false;
        sql::exec(db, QStringLiteral("DETACH DATABASE kbcopy"));
        syncFile(target);
    } catch (...) {
        if (attached) {
            try {
                sql::exec(db, QStringLiteral("DETACH DATABASE kbcopy"));
            } catch (const sql::SqlError &) {
            }
        }
        QFile::remove(target);
        throw;
    }
}

void runRewriteHook(const QString &copyPath)
{
    if (rewriteHook())
        rewriteHook()(copyPath);
}

qint64 backupCopy(const QString &source, const QString &target, const QString &countField)
{
    const OpenedFile from = open(source, true);
    if (QFileInfo::exists(target))
        throw Error(QStringLiteral("Die Datei '%1' ist bereits vorhanden").arg(target));
    qint64 count = 0;
    try {
        {
            sql::DbHandle to = sql::openFile(target, true);
            if (!from.rawKey.isEmpty())
                sql::key(to.get(), QString::fromLatin1(from.rawKey));
            sql::backup(from.db.get(), to.get());
        }
        if (!countField.isEmpty()) {
            if (from.schema.indexOf(countField) < 0)
                throw Error(QStringLiteral("Unbekanntes Feld '%1'").arg(countField));
            sql::Stmt counting(from.db.get(),
                QStringLiteral("SELECT count(*) FROM records WHERE coalesce(%1, '') <> ''")
                    .arg(sql::quoted(countField)));
            counting.step();
            count = counting.columnInt(0);
        }
        syncFile(target);
    } catch (const sql::SqlError &e) {
        QFile::remove(target);
        QFile::remove(target + QStringLiteral("-journal"));
        throw Error(QStringLiteral("Die Sicherungskopie '%1' kann nicht geschrieben werden: %2")
                        .arg(QDir::toNativeSeparators(target), e.detail));
    } catch (...) {
        QFile::remove(target);
        QFile::remove(target + QStringLiteral("-journal"));
        throw;
    }
    return count;
}

QList<QStringList> readTexts(const QString &path, const QStringList &fields)
{
    const OpenedFile file = open(path, true);
    QStringList columns;
    for (const QString &field : fields) {
        const int index = file.schema.indexOf(field);
        if (index < 0)
            throw Error(QStringLiteral("Feld '%1' nicht gefunden").arg(field));
        const FieldDef &def = file.schema.fields.at(index);
        columns.append(isBlobType(def.type) ? QStringLiteral("NULL") : sql::quoted(def.name));
    }
    QList<QStringList> rows;
    try {
        sql::Stmt stmt(file.db.get(),
            QStringLiteral("SELECT %1 FROM records ORDER BY kb_rid").arg(columns.join(u',')));
        while (stmt.step()) {
            QStringList row;
            row.reserve(fields.size());
            for (int i = 0; i < fields.size(); ++i)
                row.append(stmt.columnText(i));
            rows.append(std::move(row));
        }
    } catch (const sql::SqlError &e) {
        throw toError(e, path);
    }
    return rows;
}

void replaceFile(const QString &source, const QString &target, bool durable)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()),
        std::filesystem::path(target.toStdU16String()), ec);
    if (ec)
        throw Error(
            QStringLiteral("Die Tabelle '%1' kann nicht ersetzt werden").arg(displayName(target)));
    if (durable)
        syncDirectory(QFileInfo(target).absolutePath());
}

void setRewriteHook(std::function<void(const QString &)> hook)
{
    rewriteHook() = std::move(hook);
}

namespace registry {

void acquire(const QString &path, bool exclusive)
{
    RegistryEntry &entry = openFiles()[registryKey(path)];
    if (entry.exclusive || (exclusive && entry.count > 0)) {
        if (entry.count == 0)
            openFiles().remove(registryKey(path));
        throw Error(QStringLiteral("Die Tabelle '%1' ist gesperrt: sie ist bereits geöffnet")
                        .arg(displayName(path)));
    }
    ++entry.count;
    entry.exclusive = exclusive;
}

void release(const QString &path, bool exclusive)
{
    const QString key = registryKey(path);
    auto it = openFiles().find(key);
    if (it == openFiles().end())
        return;
    if (exclusive)
        it->exclusive = false;
    if (--it->count <= 0)
        openFiles().erase(it);
}

bool inUse(const QString &path)
{
    return openCount(path) > 0;
}

int openCount(const QString &path)
{
    return openFiles().value(registryKey(path)).count;
}

} // namespace registry

} // namespace kb::tablefile
