// A crafted table file: either the bytes of the file themselves (inputs starting with
// SQLite's header), or a catalogue written into a fresh database from lines of text:
//
//   meta KEY|VALUE                          a row of kb_meta
//   field POS|NAME|TYPE|SIZE|REQUIRED|MIN|MAX   a row of kb_fields
//   index POS|NAME|FIELDS|PRIMARY|UNIQUE|NOCASE a row of kb_indexes
//   column NAME TYPE                        a column of the record table (default: one per field)
//   row V1|V2|...                           a record (NULL, 12, #ff00 for bytes, else text)
//
// Values are bound, so any text lands in the catalogue as it is. The file is then opened as
// the program opens a table: refused with kb::Error, or opened; an opened table is read
// record by record through every field and index, and its first record is changed.

#include "FuzzSupport.h"
#include "platform/Error.h"
#include "storage/Sqlite.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QFile>

namespace {

using kb::sql::SqlError;
using kb::sql::Stmt;

QVariant valueOf(const QString &text)
{
    if (text == QLatin1String("NULL"))
        return {};
    if (text.startsWith(QLatin1Char('#')))
        return QByteArray::fromHex(text.mid(1).toLatin1());
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(text);
}

// Runs one statement; one the database refuses is left out.
void insert(sqlite3 *db, const QString &sql, const QStringList &values)
{
    try {
        Stmt stmt(db, sql);
        for (int i = 0; i < values.size(); ++i)
            stmt.bind(i + 1, valueOf(values[i]));
        stmt.exec();
    } catch (const SqlError &) {
    }
}

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QLatin1Char(','));
}

QStringList cut(const QStringList &parts, qsizetype count)
{
    QStringList out = parts.mid(0, count);
    while (out.size() < count)
        out.append(QStringLiteral("NULL"));
    return out;
}

void writeCatalogue(const QString &path, const QString &text)
{
    kb::sql::DbHandle handle = kb::sql::openFile(path, true);
    sqlite3 *db = handle.get();
    // One transaction without flushes: the file is written once, quickly.
    kb::sql::exec(db, QStringLiteral("PRAGMA synchronous=OFF"));
    kb::sql::exec(db, QStringLiteral("BEGIN"));
    kb::sql::exec(db,
        QStringLiteral("CREATE TABLE kb_meta(key TEXT PRIMARY KEY, value);"
                       "CREATE TABLE kb_fields(pos INTEGER PRIMARY KEY, name, type, size, "
                       "required, min, max);"
                       "CREATE TABLE kb_indexes(pos INTEGER PRIMARY KEY, name, fields, "
                       "is_primary, is_unique, nocase);"));
    QStringList columns { QStringLiteral("kb_rid INTEGER PRIMARY KEY") };
    QStringList fieldNames;
    QList<QStringList> rows;
    bool ownColumns = false;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        const QStringList parts = rest.split(QLatin1Char('|'));
        if (word == QLatin1String("meta")) {
            insert(db, QStringLiteral("INSERT INTO kb_meta VALUES(?,?)"), cut(parts, 2));
        } else if (word == QLatin1String("field")) {
            insert(
                db, QStringLiteral("INSERT INTO kb_fields VALUES(?,?,?,?,?,?,?)"), cut(parts, 7));
            fieldNames.append(parts.value(1));
        } else if (word == QLatin1String("index")) {
            insert(db, QStringLiteral("INSERT INTO kb_indexes VALUES(?,?,?,?,?,?)"), cut(parts, 6));
        } else if (word == QLatin1String("column")) {
            ownColumns = true;
            columns.append(kb::sql::quoted(rest.section(QLatin1Char(' '), 0, 0)
                                               .replace(QLatin1Char('"'), QLatin1String("\"\"")))
                + QLatin1Char(' ') + rest.section(QLatin1Char(' '), 1, 1));
        } else if (word == QLatin1String("row")) {
            rows.append(parts);
        }
    }
    if (!ownColumns) {
        for (QString name : std::as_const(fieldNames))
            columns.append(kb::sql::quoted(name.replace(QLatin1Char('"'), QLatin1String("\"\""))));
    }
    try {
        kb::sql::exec(
            db, QStringLiteral("CREATE TABLE records(%1)").arg(columns.join(QLatin1Char(','))));
        for (const QStringList &row : std::as_const(rows)) {
            insert(db,
                QStringLiteral("INSERT INTO records VALUES(%1)").arg(placeholders(columns.size())),
                cut(row, columns.size()));
        }
    } catch (const SqlError &) {
        // a table without records is one more damaged file
    }
    kb::sql::exec(db, QStringLiteral("COMMIT"));
}

void readAll(kb::Table &t)
{
    const QList<kb::FieldDef> defs = t.fieldDefs();
    for (t.first(); !t.eof(); t.next()) {
        for (const kb::FieldDef &f : defs) {
            t.value(f.name);
            t.asString(f.name);
            if (f.type == kb::FieldType::Graphic)
                t.image(f.name);
        }
    }
}

void exercise(const QString &path)
{
    kb::tablefile::OpenedFile opened = kb::tablefile::open(path, true);
    const kb::tablefile::Schema schema = opened.schema;
    opened.db.reset();

    kb::Table t;
    t.setFilePath(path);
    t.open();
    readAll(t);
    for (const kb::IndexDef &ix : schema.indexes) {
        try {
            t.setIndexName(ix.name);
            readAll(t);
        } catch (const kb::Error &) {
        }
    }
    if (t.isEmpty() || t.isReadOnly())
        return;
    t.first();
    for (const kb::FieldDef &f : schema.fields) {
        try {
            if (f.type == kb::FieldType::String || f.type == kb::FieldType::Memo)
                t.setString(f.name, QStringLiteral("Neu"));
            else if (kb::tablefile::isIntType(f.type) && f.type != kb::FieldType::AutoInc)
                t.setInt(f.name, 1);
        } catch (const kb::Error &) {
        }
    }
    t.post();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    kb::fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = kb::fuzz::bytes(data, size);
    const QString path = kb::fuzz::scratchDir() + QStringLiteral("/Fuzz.DB");
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
    if (bytes.startsWith("SQLite format 3"))
        kb::fuzz::writeScratch(QStringLiteral("Fuzz.DB"), data, size);
    else
        writeCatalogue(path, QString::fromUtf8(bytes));
    try {
        exercise(path);
    } catch (const kb::Error &) {
        // refused with its message
    }
    return 0;
}
