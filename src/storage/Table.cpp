#include "storage/Table.h"

#include "platform/Error.h"
#include "platform/Logging.h"
#include "storage/FieldValue.h"
#include "storage/FilterExpression.h"
#include "storage/Sqlite.h"
#include "storage/TableFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPointer>
#include <QSaveFile>
#include <unordered_map>

namespace kb {

namespace {

// Ends a cached statement's read when leaving a scope, so that it holds no lock
// on the file between uses.
struct Finish {
    sql::Stmt &stmt;
    ~Finish() { stmt.reset(); }
};

// A field's position is kept in one byte where statements are cached.
constexpr int kMaxFields = 255;

// What happened while views were suspended.
enum Notify : unsigned { Reset = 1, Current = 2, Values = 4, StateChange = 8 };

// One stored value as read: text for strings and memos; the number for integers,
// booleans, dates (as Julian day) and blobs (their size: the bytes are read on demand).
struct Cell {
    QString text;
    qint64 number = 0;
    bool null = true;
    bool operator==(const Cell &) const = default;
};

struct Row {
    qint64 rid = 0;
    QVector<Cell> cells;
    bool operator==(const Row &) const = default;
};

} // namespace

class TableDetail {
public:
    static void masterMoved(Table &detail, bool force);
};

struct Table::Private {
    Table *q = nullptr;
    QString dir, name;
    bool exclusive = false;
    bool readOnlyWanted = false;

    sql::DbHandle db;
    tablefile::Schema schema;
    QString password;
    bool readOnly = false;
    bool registered = false;
    bool registeredExclusive = false;
    int transactionDepth = 0;

    QString filterText;
    bool filtered = false;
    filter::Condition condition;
    QString indexFields, indexName;
    QStringList orderColumns;

    QPointer<Table> master;
    QStringList masterFields, detailFields;
    QVariantList masterKey;
    bool masterKeyValid = false;
    QList<QPointer<Table>> details;

    std::vector<Row> rows;
    int pos = -1;
    bool eof = true, bof = true;
    State state = State::Inactive;
    QVector<QVariant> buffer;
    QVector<bool> changed, loaded;
    NewRecordHandler onNewRecord;

    // After an insert the record list is re-read only when someone looks at it, so a
    // loop of appends stays linear.
    bool stale = false;
    qint64 staleRid = 0;
    qint64 seenVersion = -1;

    int disabled = 0;
    unsigned pending = 0;
    // Prepared statements of this connection by their text; cleared before it closes.
    mutable std::unordered_map<QString, std::unique_ptr<sql::Stmt>> statements;
    QHash<QByteArray, sql::Stmt *> writeStatements;

    sql::Stmt &statement(const QString &text) const
    {
        auto &slot = statements[text];
        if (!slot)
            slot = std::make_unique<sql::Stmt>(db.get(), text);
        else
            slot->reset();
        return *slot;
    }

    void disconnect()
    {
        writeStatements.clear();
        statements.clear();
        db.reset();
    }

    QString path() const { return dir + name; }
    QString shownName() const { return tablefile::displayName(path()); }

    void requireOpen() const
    {
        if (!db)
            throw Error(QStringLiteral("Die Tabelle '%1' ist nicht geöffnet").arg(shownName()));
    }
    void requireClosed() const
    {
        if (db)
            throw Error(QStringLiteral("Die Tabelle '%1' ist geöffnet; das geht nur bei "
                                       "geschlossener Tabelle")
                            .arg(shownName()));
    }
    void requireWritable() const
    {
        requireOpen();
        if (readOnly)
            throw Error(QStringLiteral("Die Tabelle '%1' ist schreibgeschützt").arg(shownName()));
    }

    int fieldIndex(const QString &field) const
    {
        // Callers nearly always spell the name as it was defined: compare exactly first.
        for (int i = 0; i < schema.fields.size(); ++i) {
            if (schema.fields[i].name == field)
                return i;
        }
        const int index = schema.indexOf(field);
        if (index < 0) {
            if (!db)
                requireOpen();
            throw Error(QStringLiteral("Feld '%1' nicht gefunden").arg(field));
        }
        return index;
    }

    void notify(unsigned what)
    {
        if (disabled > 0) {
            pending |= what;
            return;
        }
        if (what & Reset)
            Q_EMIT q->recordsReset();
        if (what & Current)
            Q_EMIT q->currentChanged();
        if (what & Values)
            Q_EMIT q->valuesChanged();
        if (what & StateChange)
            Q_EMIT q->stateChanged();
    }

    template<typename F> auto guarded(F &&f) const
    {
        try {
            return f();
        } catch (const sql::SqlError &e) {
            throw tablefile::toError(e, path());
        }
    }

    // --- connection ---------------------------------------------------------------
    void connect()
    {
        tablefile::OpenedFile opened = tablefile::open(path(), readOnlyWanted);
        if (exclusive) {
            // Keep the file locked against other programs for as long as it is open.
            guarded([&] {
                sql::exec(opened.db.get(), QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
                sql::exec(opened.db.get(),
                    opened.readOnly ? QStringLiteral("SELECT count(*) FROM kb_meta")
                                    : QStringLiteral("BEGIN EXCLUSIVE; COMMIT"));
            });
        }
        writeStatements.clear();
        statements.clear();
        db = std::move(opened.db);
        schema = std::move(opened.schema);
        password = opened.password;
        readOnly = opened.readOnly;
    }

    // --- order, filter, master ------------------------------------------------------
    QStringList resolveFields(const QString &list) const
    {
        QStringList fields;
        for (const QString &part : list.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            fields.append(schema.fields[fieldIndex(part.trimmed())].name);
        return fields;
    }

    void resolveOrder()
    {
        QStringList fields;
        bool noCase = false;
        auto sameFields = [](const QStringList &a, const QStringList &b) {
            if (a.size() != b.size())
                return false;
            for (int i = 0; i < a.size(); ++i) {
                if (a[i].compare(b[i], Qt::CaseInsensitive) != 0)
                    return false;
            }
            return true;
        };
        if (!indexFields.isEmpty()) {
            fields = resolveFields(indexFields);
            for (const IndexDef &ix : std::as_const(schema.indexes)) {
                if (sameFields(ix.fields, fields))
                    noCase = ix.caseInsensitive;
            }
        } else {
            const IndexDef *chosen = nullptr;
            for (const IndexDef &ix : std::as_const(schema.indexes)) {
                if (indexName.isEmpty() ? ix.primary
                                        : ix.name.compare(indexName, Qt::CaseInsensitive) == 0)
                    chosen = &ix;
            }
            if (!indexName.isEmpty() && !chosen)
                throw Error(QStringLiteral("Index '%1' nicht gefunden").arg(indexName));
            if (chosen) {
                fields = resolveFields(chosen->fields.join(QLatin1Char(';')));
                noCase = chosen->caseInsensitive;
            }
        }
        orderColumns.clear();
        for (const QString &field : std::as_const(fields)) {
            const FieldType type = schema.fields[schema.indexOf(field)].type;
            const bool text = type == FieldType::String || type == FieldType::Memo;
            orderColumns.append(sql::quoted(field)
                + (noCase && text ? QStringLiteral(" COLLATE NOCASE") : QString()));
        }
        orderColumns.append(QStringLiteral("kb_rid"));
    }

    // Orders by index fields or a named index; a name that does not resolve keeps the old order.
    void applyOrder(const QString &fields, const QString &name)
    {
        const QString oldFields = indexFields, oldName = indexName;
        indexFields = fields;
        indexName = name;
        if (!db)
            return;
        try {
            resolveOrder();
        } catch (...) {
            indexFields = oldFields;
            indexName = oldName;
            resolveOrder();
            throw;
        }
        q->refresh();
    }

    void parseFilter()
    {
        condition = filtered ? filter::parse(filterText, schema) : filter::Condition {};
    }

    QVariantList currentMasterKey() const
    {
        QVariantList key;
        if (!master || !master->isOpen() || master->d->pos < 0)
            return key;
        for (const QString &field : masterFields)
            key.append(master->value(field));
        return key;
    }

    // --- reading ----------------------------------------------------------------------
    QString selectList() const
    {
        QStringList columns { QStringLiteral("kb_rid") };
        for (const FieldDef &f : std::as_const(schema.fields)) {
            columns.append(tablefile::isBlobType(f.type)
                    ? QStringLiteral("length(%1)").arg(sql::quoted(f.name))
                    : sql::quoted(f.name));
        }
        return columns.join(QLatin1Char(','));
    }

    Row readRow(const sql::Stmt &stmt) const
    {
        Row row;
        row.rid = stmt.columnInt(0);
        row.cells.resize(schema.fields.size());
        for (int i = 0; i < schema.fields.size(); ++i) {
            if (stmt.isNull(i + 1))
                continue;
            Cell &cell = row.cells[i];
            cell.null = false;
            switch (schema.fields[i].type) {
            case FieldType::String:
            case FieldType::Memo:
                cell.text = stmt.columnText(i + 1);
                break;
            case FieldType::Date:
                cell.number = fieldvalue::isoDate(stmt.columnText(i + 1)).toJulianDay();
                break;
            default:
                cell.number = stmt.columnInt(i + 1);
                break;
            }
        }
        return row;
    }

    QVariant cellValue(int field, const Cell &cell) const
    {
        if (cell.null)
            return QVariant();
        switch (schema.fields[field].type) {
        case FieldType::String:
        case FieldType::Memo:
            return cell.text;
        case FieldType::Date:
            return QDate::fromJulianDay(cell.number);
        case FieldType::Boolean:
            return cell.number != 0;
        case FieldType::Graphic:
        case FieldType::Blob:
            return cell.number;
        default:
            return int(cell.number);
        }
    }

    Cell toCell(int field, const QVariant &value) const
    {
        Cell cell;
        if (!value.isValid() || value.isNull())
            return cell;
        cell.null = false;
        switch (schema.fields[field].type) {
        case FieldType::String:
        case FieldType::Memo:
            cell.text = value.toString();
            break;
        case FieldType::Date:
            cell.number = value.toDate().toJulianDay();
            break;
        case FieldType::Graphic:
        case FieldType::Blob:
            cell.number = value.toByteArray().size();
            break;
        default:
            cell.number = value.toLongLong();
            break;
        }
        return cell;
    }

    // The stored cell of the current record when no edit is pending (the quick path of
    // the typed getters); null for blobs, pending edits and no record.
    const Cell *browseCell(int field) const
    {
        if (editing())
            return nullptr;
        sync();
        if (pos < 0 || tablefile::isBlobType(schema.fields[field].type))
            return nullptr;
        return &rows[pos].cells[field];
    }

    // Re-reads the record set; keeps `keepRid` current when it is still there, else the
    // row at the same position.
    qint64 dataVersion() const
    {
        return guarded([&] {
            sql::Stmt &stmt = statement(QStringLiteral("PRAGMA data_version"));
            const Finish finish { stmt };
            stmt.step();
            return stmt.columnInt(0);
        });
    }

    // True when another connection changed the file since the last read.
    bool fileChanged() const { return dataVersion() != seenVersion; }

    void sync() const
    {
        if (stale)
            const_cast<Private *>(this)->resync();
    }

    void resync()
    {
        stale = false;
        requery(staleRid, true);
        if (pos >= 0 && rows[pos].rid == staleRid)
            eof = bof = false;
    }

    void requery(qint64 keepRid, bool quiet = false)
    {
        stale = false;
        QStringList where;
        QVariantList params;
        if (filtered && !condition.sql.isEmpty()) {
            where.append(condition.sql);
            params += condition.params;
        }
        if (master) {
            masterKey = currentMasterKey();
            masterKeyValid = true;
            const QStringList detail = resolveFields(detailFields.join(QLatin1Char(';')));
            bool empty = masterKey.size() != detail.size();
            for (int i = 0; !empty && i < detail.size(); ++i) {
                if (masterKey[i].isNull() || !masterKey[i].isValid()) {
                    empty = true;
                    break;
                }
                FieldDef def = schema.fields[schema.indexOf(detail[i])];
                if (tablefile::isIntType(def.type))
                    def.type = FieldType::Int32;
                def.min = def.max = def.size = 0;
                where.append(QStringLiteral("%1 = ?").arg(sql::quoted(def.name)));
                try {
                    params.append(
                        fieldvalue::toSql(def.type, fieldvalue::fromInput(def, masterKey[i])));
                } catch (const Error &) {
                    empty = true;
                }
            }
            if (empty)
                where = QStringList { QStringLiteral("0") }, params.clear();
        }
        QString sqlText = QStringLiteral("SELECT %1 FROM records").arg(selectList());
        if (!where.isEmpty())
            sqlText += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
        sqlText += QStringLiteral(" ORDER BY ") + orderColumns.join(QLatin1Char(','));

        std::vector<Row> fresh;
        fresh.reserve(rows.size());
        guarded([&] {
            sql::Stmt &stmt = statement(sqlText);
            const Finish finish { stmt };
            for (int i = 0; i < params.size(); ++i)
                stmt.bind(i + 1, params[i]);
            while (stmt.step())
                fresh.push_back(readRow(stmt));
        });
        const qint64 oldRid = pos >= 0 ? rows[pos].rid : 0;
        const bool differs = fresh != rows;
        rows = std::move(fresh);
        int newPos = -1;
        if (keepRid != 0) {
            for (size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].rid == keepRid)
                    newPos = int(i);
            }
        }
        if (newPos < 0 && !rows.empty())
            newPos = std::clamp(pos, 0, int(rows.size()) - 1);
        pos = newPos;
        if (rows.empty())
            eof = bof = true;
        seenVersion = dataVersion();
        if (quiet)
            return;
        unsigned what = differs ? unsigned(Reset) : 0u;
        if ((pos >= 0 ? rows[pos].rid : 0) != oldRid || differs)
            what |= Current | Values;
        notify(what);
        if (what & Current)
            notifyDetails(false);
    }

    QByteArray readBlob(qint64 rid, int field) const
    {
        return guarded([&] {
            sql::Stmt &stmt = statement(QStringLiteral("SELECT %1 FROM records WHERE kb_rid = ?")
                                            .arg(sql::quoted(schema.fields[field].name)));
            const Finish finish { stmt };
            stmt.bindInt(1, rid);
            if (!stmt.step() || stmt.isNull(0))
                return QByteArray();
            return stmt.columnBlob(0);
        });
    }

    QVariant rowValue(int row, int field) const
    {
        const Cell &cell = rows[row].cells[field];
        if (!tablefile::isBlobType(schema.fields[field].type) || cell.null)
            return cellValue(field, cell);
        return readBlob(rows[row].rid, field);
    }

    bool editing() const { return state == State::Edit || state == State::Insert; }

    QVariant current(int field) const
    {
        if (state != State::Insert)
            sync();
        if (editing()) {
            if (loaded[field])
                return buffer[field];
            return pos >= 0 && state == State::Edit ? rowValue(pos, field) : QVariant();
        }
        return pos >= 0 ? rowValue(pos, field) : QVariant();
    }

    // --- moving -------------------------------------------------------------------------
    // Leaves an edit before a move: a change is posted, an untouched new record dropped.
    void checkBrowse()
    {
        if (!editing())
            return;
        if (changed.contains(true))
            q->post();
        else
            q->cancel();
    }

    void moveTo(int newPos)
    {
        const int old = pos;
        pos = newPos;
        if (old != pos) {
            notify(Current | Values);
            notifyDetails(false);
        }
    }

    void notifyDetails(bool force)
    {
        for (const QPointer<Table> &detail : std::as_const(details)) {
            if (detail)
                TableDetail::masterMoved(*detail, force);
        }
    }

    void startEdit(State newState)
    {
        const int n = int(schema.fields.size());
        buffer = QVector<QVariant>(n);
        changed = QVector<bool>(n, false);
        loaded = QVector<bool>(n, newState == State::Insert);
        if (newState == State::Edit) {
            for (int i = 0; i < n; ++i) {
                if (!tablefile::isBlobType(schema.fields[i].type)) {
                    buffer[i] = cellValue(i, rows[pos].cells[i]);
                    loaded[i] = true;
                }
            }
        }
        state = newState;
        notify(StateChange | Values);
    }

    // --- writing ----------------------------------------------------------------------------
    bool touchesSelection(const QVector<bool> &columns) const
    {
        QStringList used = resolveFields(detailFields.join(QLatin1Char(';')));
        for (const QString &column : orderColumns)
            used.append(column.section(QLatin1Char('"'), 1, 1));
        for (int i = 0; i < columns.size(); ++i) {
            if (!columns[i])
                continue;
            if (filtered && !condition.sql.isEmpty())
                return true;
            for (const QString &field : std::as_const(used)) {
                if (field.compare(schema.fields[i].name, Qt::CaseInsensitive) == 0)
                    return true;
            }
        }
        return false;
    }

    int nextAutoInc(int field)
    {
        const QString key = QStringLiteral("autoinc:") + schema.fields[field].name.toLower();
        sql::Stmt &read = statement(
            QStringLiteral("SELECT max(coalesce((SELECT value FROM kb_meta WHERE key = ?), 1),"
                           " coalesce((SELECT max(%1) FROM records), 0) + 1)")
                .arg(sql::quoted(schema.fields[field].name)));
        read.bindText(1, key);
        read.step();
        const qint64 next = read.columnInt(0);
        read.reset();
        statement(QStringLiteral("INSERT OR REPLACE INTO kb_meta VALUES(?, ?)"))
            .bindText(1, key)
            .bindInt(2, next + 1)
            .exec();
        return int(next);
    }

    void checkRequired() const
    {
        for (int i = 0; i < schema.fields.size(); ++i) {
            const FieldDef &f = schema.fields[i];
            if (!f.required || f.type == FieldType::AutoInc)
                continue;
            const QVariant v = current(i);
            if (!v.isValid() || v.isNull())
                throw Error(QStringLiteral("Feld '%1' muss einen Wert haben").arg(f.name));
        }
    }

    // Writes the pending change; returns the row id of the written record.
    // The insert or update statement writing the fields in `written` (by position).
    sql::Stmt &writeStatement(bool insert, const QByteArray &written)
    {
        const QByteArray key = (insert ? QByteArray("i") : QByteArray("u")) + written;
        if (sql::Stmt *known = writeStatements.value(key)) {
            known->reset();
            return *known;
        }
        QStringList columns, marks;
        for (const char i : written) {
            columns.append(sql::quoted(schema.fields[uchar(i)].name)
                + (insert ? QString() : QStringLiteral(" = ?")));
            marks.append(QStringLiteral("?"));
        }
        const QString text = insert
            ? (columns.isEmpty()
                    ? QStringLiteral("INSERT INTO records DEFAULT VALUES")
                    : QStringLiteral("INSERT INTO records(%1) VALUES(%2)")
                          .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))))
            : QStringLiteral("UPDATE records SET %1 WHERE kb_rid = ?")
                  .arg(columns.join(QLatin1Char(',')));
        sql::Stmt &stmt = statement(text);
        writeStatements.insert(key, &stmt);
        return stmt;
    }

    // Writes the pending change; returns the row id of the written record.
    qint64 write()
    {
        statement(QStringLiteral("SAVEPOINT kb_post")).exec();
        try {
            const bool insert = state == State::Insert;
            QByteArray written;
            QVariantList values;
            for (int i = 0; i < schema.fields.size(); ++i) {
                const FieldDef &f = schema.fields[i];
                if (insert && f.type == FieldType::AutoInc) {
                    written.append(char(i));
                    values.append(nextAutoInc(i));
                } else if (changed[i]) {
                    written.append(char(i));
                    values.append(fieldvalue::toSql(f.type, buffer[i]));
                }
            }
            sql::Stmt &stmt = writeStatement(insert, written);
            for (int i = 0; i < values.size(); ++i)
                stmt.bind(i + 1, values[i]);
            qint64 rid = 0;
            if (insert) {
                stmt.exec();
                rid = sql::lastInsertId(db.get());
            } else {
                rid = rows[pos].rid;
                stmt.bindInt(int(values.size()) + 1, rid);
                stmt.exec();
                if (sql::changes(db.get()) == 0)
                    throw Error(QStringLiteral("Der Datensatz in Tabelle '%1' wurde inzwischen "
                                               "gelöscht")
                                    .arg(shownName()));
            }
            statement(QStringLiteral("RELEASE kb_post")).exec();
            return rid;
        } catch (...) {
            try {
                sql::exec(db.get(), QStringLiteral("ROLLBACK TO kb_post; RELEASE kb_post"));
            } catch (const sql::SqlError &) {
            }
            throw;
        }
    }

    void detachFromMaster()
    {
        if (master)
            master->d->details.removeAll(QPointer<Table>(q));
        master = nullptr;
        masterKey.clear();
        masterKeyValid = false;
    }
};

void TableDetail::masterMoved(Table &detail, bool force)
{
    Table::Private &d = *detail.d;
    if (!d.db)
        return;
    const QVariantList key = d.currentMasterKey();
    if (!force && d.masterKeyValid && key == d.masterKey)
        return;
    d.checkBrowse();
    d.requery(0);
    d.pos = d.rows.empty() ? -1 : 0;
    d.bof = true;
    d.eof = d.rows.empty();
    d.notify(Current | Values);
    d.notifyDetails(false);
}

Table::Table(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->q = this;
}

Table::~Table()
{
    try {
        close();
    } catch (const Error &e) {
        qCWarning(lcStorage) << "pending change lost on destruction:" << e.message();
        cancel();
        close();
    }
    d->detachFromMaster();
}

// --- addressing -----------------------------------------------------------------------------

void Table::setDirectory(const QString &directory)
{
    d->requireClosed();
    QString dir = QString(directory).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    d->dir = dir;
}

QString Table::directory() const
{
    return d->dir;
}

void Table::setTableName(const QString &fileName)
{
    d->requireClosed();
    QString name = QString(fileName).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".DB");
    d->name = name;
}

QString Table::tableName() const
{
    return d->name;
}

void Table::setFilePath(const QString &path)
{
    d->requireClosed();
    const QString normal = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const qsizetype slash = normal.lastIndexOf(QLatin1Char('/'));
    setDirectory(normal.left(slash + 1));
    setTableName(normal.mid(slash + 1));
}

QString Table::filePath() const
{
    return d->path();
}

bool Table::exists() const
{
    return QFileInfo(d->path()).isFile();
}

// --- create, open, close ------------------------------------------------------------------------

void Table::create(const QList<FieldDef> &fields, const QList<IndexDef> &indexes)
{
    d->requireClosed();
    const QString path = d->path();
    if (d->name.isEmpty())
        throw Error(QStringLiteral("Kein Tabellenname angegeben"));
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        throw Error(QStringLiteral("Verzeichnis '%1' nicht gefunden")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    if (tablefile::registry::inUse(path))
        throw Error(QStringLiteral("Die Tabelle '%1' ist gesperrt: sie ist bereits geöffnet")
                        .arg(d->shownName()));

    tablefile::Schema schema;
    for (const FieldDef &f : fields) {
        if (!tablefile::isValidFieldName(f.name))
            throw Error(QStringLiteral("Ungültiger Feldname '%1'").arg(f.name));
        if (schema.indexOf(f.name) >= 0)
            throw Error(QStringLiteral("Feld '%1' ist doppelt definiert").arg(f.name));
        if (f.type == FieldType::String && (f.size < 1 || f.size > 255))
            throw Error(QStringLiteral("Ungültige Länge %1 für Feld '%2'").arg(f.size).arg(f.name));
        schema.fields.append(f);
    }
    if (schema.fields.isEmpty() || schema.fields.size() > kMaxFields)
        throw Error(QStringLiteral("Eine Tabelle hat 1 bis %1 Felder").arg(kMaxFields));
    QList<IndexDef> resolved;
    int primaries = 0;
    for (IndexDef ix : indexes) {
        if (ix.fields.isEmpty())
            throw Error(QStringLiteral("Index '%1' hat keine Felder").arg(ix.name));
        for (QString &field : ix.fields) {
            const int i = schema.indexOf(field.trimmed());
            if (i < 0)
                throw Error(QStringLiteral("Feld '%1' nicht gefunden").arg(field));
            if (tablefile::isBlobType(schema.fields[i].type)
                || schema.fields[i].type == FieldType::Memo)
                throw Error(QStringLiteral("Feld '%1' kann nicht indiziert werden").arg(field));
            field = schema.fields[i].name;
        }
        primaries += ix.primary ? 1 : 0;
        resolved.append(ix);
    }
    if (primaries > 1)
        throw Error(QStringLiteral("Eine Tabelle kann nur einen Primärindex haben"));

    const QString temp = path + QStringLiteral(".kbnew");
    QFile::remove(temp);
    try {
        {
            sql::DbHandle db = sql::openFile(temp, true);
            sql::exec(db.get(), QStringLiteral("BEGIN"));
            tablefile::createSchema(db.get(), schema.fields, resolved);
            sql::exec(db.get(), QStringLiteral("COMMIT"));
        }
        // The commit above flushed the new file; the rename swaps old for new in one step.
        tablefile::replaceFile(temp, path, false);
    } catch (const sql::SqlError &e) {
        QFile::remove(temp);
        throw Error(QStringLiteral("Die Tabelle '%1' kann nicht angelegt werden: %2")
                        .arg(d->shownName(), e.detail));
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
}

void Table::setExclusive(bool exclusive)
{
    if (exclusive != d->exclusive)
        d->requireClosed();
    d->exclusive = exclusive;
}

bool Table::exclusive() const
{
    return d->exclusive;
}

void Table::setReadOnly(bool readOnly)
{
    if (readOnly != d->readOnlyWanted)
        d->requireClosed();
    d->readOnlyWanted = readOnly;
}

void Table::open()
{
    if (d->db)
        return;
    if (d->name.isEmpty())
        throw Error(QStringLiteral("Kein Tabellenname angegeben"));
    const QString path = d->path();
    if (QFileInfo(path).isFile())
        tablefile::registry::acquire(path, d->exclusive);
    try {
        d->connect();
        d->resolveOrder();
        d->parseFilter();
    } catch (...) {
        d->disconnect();
        if (QFileInfo(path).isFile())
            tablefile::registry::release(path, d->exclusive);
        throw;
    }
    d->registered = true;
    d->registeredExclusive = d->exclusive;
    d->state = State::Browse;
    d->rows.clear();
    d->pos = -1;
    d->masterKeyValid = false;
    d->requery(0);
    d->pos = d->rows.empty() ? -1 : 0;
    d->bof = true;
    d->eof = d->rows.empty();
    d->notify(Reset | Current | Values | StateChange);
    d->notifyDetails(true);
}

void Table::close()
{
    if (!d->db)
        return;
    d->checkBrowse();
    if (d->transactionDepth > 0) {
        d->transactionDepth = 0;
        try {
            sql::exec(d->db.get(), QStringLiteral("ROLLBACK"));
        } catch (const sql::SqlError &) {
        }
    }
    d->disconnect();
    if (d->registered)
        tablefile::registry::release(d->path(), d->registeredExclusive);
    d->registered = false;
    d->rows.clear();
    d->pos = -1;
    d->eof = d->bof = true;
    d->state = State::Inactive;
    d->notify(Reset | Current | Values | StateChange);
    d->notifyDetails(true);
}

bool Table::isOpen() const
{
    return bool(d->db);
}

bool Table::isReadOnly() const
{
    return d->readOnly;
}

bool Table::isProtected() const
{
    return d->db && !d->password.isEmpty();
}

void Table::refresh()
{
    d->sync();
    d->requireOpen();
    d->checkBrowse();
    d->requery(d->pos >= 0 ? d->rows[d->pos].rid : 0);
}

// --- navigation
// -----------------------------------------------------------------------------------

void Table::first()
{
    d->requireOpen();
    d->sync();
    d->checkBrowse();
    if (d->fileChanged())
        d->requery(d->pos >= 0 ? d->rows[d->pos].rid : 0);
    d->moveTo(d->rows.empty() ? -1 : 0);
    d->bof = true;
    d->eof = d->rows.empty();
}

void Table::next()
{
    d->sync();
    d->requireOpen();
    d->checkBrowse();
    if (d->pos + 1 < int(d->rows.size())) {
        d->moveTo(d->pos + 1);
        d->eof = false;
    } else {
        d->eof = true;
    }
    d->bof = d->rows.empty();
}

void Table::prior()
{
    d->sync();
    d->requireOpen();
    d->checkBrowse();
    if (d->pos > 0) {
        d->moveTo(d->pos - 1);
        d->bof = false;
    } else {
        d->bof = true;
    }
    d->eof = d->rows.empty();
}

void Table::last()
{
    d->requireOpen();
    d->sync();
    d->checkBrowse();
    if (d->fileChanged())
        d->requery(d->pos >= 0 ? d->rows[d->pos].rid : 0);
    d->moveTo(int(d->rows.size()) - 1);
    d->eof = true;
    d->bof = d->rows.empty();
}

bool Table::eof() const
{
    d->sync();
    return !d->db || d->eof;
}

bool Table::bof() const
{
    d->sync();
    return !d->db || d->bof;
}

bool Table::isEmpty() const
{
    d->sync();
    return d->rows.empty();
}

int Table::recNo() const
{
    d->sync();
    return d->pos + 1;
}

void Table::setRecNo(int recNo)
{
    d->sync();
    d->requireOpen();
    d->checkBrowse();
    if (d->rows.empty())
        return;
    d->moveTo(std::clamp(recNo, 1, int(d->rows.size())) - 1);
    d->eof = d->bof = false;
}

int Table::recordCount() const
{
    d->sync();
    return int(d->rows.size());
}

Bookmark Table::bookmark() const
{
    d->sync();
    return Bookmark { d->pos >= 0 ? d->rows[d->pos].rid : 0 };
}

void Table::gotoBookmark(const Bookmark &bookmark)
{
    if (bookmark.isNull())
        return;
    d->requireOpen();
    d->sync();
    d->checkBrowse();
    auto find = [&] {
        for (size_t i = 0; i < d->rows.size(); ++i) {
            if (d->rows[i].rid == bookmark.rowId)
                return int(i);
        }
        return -1;
    };
    int row = find();
    if (row < 0) {
        d->requery(0);
        row = find();
    }
    if (row < 0)
        throw Error(QStringLiteral("Datensatz nicht gefunden"));
    d->moveTo(row);
    d->eof = d->bof = false;
}

bool Table::locate(const QString &field, const QVariant &value)
{
    d->sync();
    d->requireOpen();
    const int index = d->fieldIndex(field);
    FieldDef def = d->schema.fields[index];
    if (tablefile::isIntType(def.type))
        def.type = FieldType::Int32;
    def.min = def.max = def.size = 0;
    const QVariant wanted = fieldvalue::fromInput(def, value);
    d->checkBrowse();
    for (size_t i = 0; i < d->rows.size(); ++i) {
        if (d->cellValue(index, d->rows[i].cells[index]) == wanted) {
            d->moveTo(int(i));
            d->eof = d->bof = false;
            return true;
        }
    }
    return false;
}

// --- filter, order, master
// ----------------------------------------------------------------------------

void Table::setFilter(const QString &expression)
{
    if (d->db && d->filtered) {
        const filter::Condition parsed = filter::parse(expression, d->schema);
        d->checkBrowse();
        d->filterText = expression;
        d->condition = parsed;
        d->requery(0);
        first();
        return;
    }
    if (d->db)
        filter::parse(expression, d->schema);
    d->filterText = expression;
}

QString Table::filter() const
{
    return d->filterText;
}

void Table::setFiltered(bool filtered)
{
    if (filtered == d->filtered)
        return;
    if (d->db) {
        const filter::Condition parsed
            = filtered ? filter::parse(d->filterText, d->schema) : filter::Condition {};
        d->checkBrowse();
        d->filtered = filtered;
        d->condition = parsed;
        d->requery(0);
        first();
        return;
    }
    d->filtered = filtered;
}

bool Table::filtered() const
{
    return d->filtered;
}

void Table::setIndexFieldNames(const QString &fields)
{
    d->applyOrder(fields.trimmed(), QString());
}

QString Table::indexFieldNames() const
{
    return d->indexFields;
}

void Table::setIndexName(const QString &indexName)
{
    d->applyOrder(QString(), indexName.trimmed());
}

QString Table::indexName() const
{
    return d->indexName;
}

void Table::setMasterSource(Table *master, const QString &masterFields, const QString &detailFields)
{
    if (!master) {
        clearMasterSource();
        return;
    }
    for (Table *t = master; t; t = t->d->master) {
        if (t == this)
            throw Error(QStringLiteral("Eine Tabelle kann nicht ihre eigene Haupttabelle sein"));
    }
    const QStringList mf = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList df = detailFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (mf.isEmpty() || mf.size() != df.size())
        throw Error(QStringLiteral("Die Verknüpfungsfelder passen nicht zueinander"));
    if (d->db)
        d->resolveFields(detailFields);
    if (master->isOpen()) {
        for (const QString &f : mf)
            master->d->fieldIndex(f.trimmed());
    }
    if (d->db)
        d->checkBrowse();
    d->detachFromMaster();
    d->master = master;
    d->masterFields.clear();
    for (const QString &f : mf)
        d->masterFields.append(f.trimmed());
    d->detailFields = df;
    master->d->details.append(QPointer<Table>(this));
    TableDetail::masterMoved(*this, true);
}

void Table::clearMasterSource()
{
    if (!d->master && d->detailFields.isEmpty())
        return;
    if (d->db)
        d->checkBrowse();
    d->detachFromMaster();
    d->masterFields.clear();
    d->detailFields.clear();
    if (d->db) {
        d->requery(0);
        first();
    }
}

Table *Table::masterSource() const
{
    return d->master;
}

// --- editing
// --------------------------------------------------------------------------------------------

Table::State Table::state() const
{
    return d->state;
}

bool Table::isModified() const
{
    return d->editing() && d->changed.contains(true);
}

void Table::edit()
{
    d->sync();
    d->requireWritable();
    if (d->editing())
        return;
    if (d->rows.empty()) {
        insert();
        return;
    }
    d->startEdit(State::Edit);
}

bool Table::insert()
{
    d->requireWritable();
    d->checkBrowse();
    d->startEdit(State::Insert);
    if (d->onNewRecord) {
        bool accepted = false;
        try {
            accepted = d->onNewRecord(*this);
        } catch (...) {
            cancel();
            throw;
        }
        if (!accepted) {
            cancel();
            return false;
        }
    }
    return true;
}

bool Table::append()
{
    return insert();
}

void Table::post()
{
    if (!d->editing())
        return;
    d->requireWritable();
    if (!d->changed.contains(true) && d->state == State::Edit) {
        cancel();
        return;
    }
    d->checkRequired();
    const bool inserting = d->state == State::Insert;
    const qint64 rid = d->guarded([&] { return d->write(); });
    const QVector<bool> columns = d->changed;
    d->state = State::Browse;
    if (!inserting && !d->touchesSelection(columns)) {
        // The record keeps its place: update the row read before.
        Row &row = d->rows[d->pos];
        for (int i = 0; i < columns.size(); ++i) {
            if (!columns[i])
                continue;
            row.cells[i] = d->toCell(i, d->buffer[i]);
        }
    } else if (inserting) {
        d->stale = true;
        d->staleRid = rid;
    } else {
        d->requery(rid);
    }
    d->buffer.clear();
    d->changed.clear();
    d->loaded.clear();
    d->notify((inserting ? Reset | Current : 0u) | StateChange | Values);
    d->notifyDetails(false);
}

void Table::cancel()
{
    if (!d->editing())
        return;
    d->state = State::Browse;
    d->buffer.clear();
    d->changed.clear();
    d->loaded.clear();
    d->notify(StateChange | Values);
}

void Table::remove()
{
    d->sync();
    d->requireWritable();
    if (d->state == State::Insert) {
        cancel();
        return;
    }
    if (d->rows.empty())
        throw Error(
            QStringLiteral("Die Tabelle '%1' enthält keinen Datensatz").arg(d->shownName()));
    cancel();
    const qint64 rid = d->rows[d->pos].rid;
    d->guarded([&] {
        d->statement(QStringLiteral("DELETE FROM records WHERE kb_rid = ?")).bindInt(1, rid).exec();
    });
    d->requery(0);
    d->eof = d->rows.empty();
    d->bof = d->rows.empty();
    d->notify(Current | Values);
    d->notifyDetails(true);
}

void Table::setNewRecordHandler(NewRecordHandler handler)
{
    d->onNewRecord = std::move(handler);
}

void Table::startTransaction()
{
    d->requireWritable();
    if (d->transactionDepth > 0)
        throw Error(
            QStringLiteral("Für Tabelle '%1' läuft bereits eine Transaktion").arg(d->shownName()));
    d->guarded([&] { sql::exec(d->db.get(), QStringLiteral("BEGIN IMMEDIATE")); });
    d->transactionDepth = 1;
}

void Table::commit()
{
    d->sync();
    d->requireOpen();
    if (d->transactionDepth == 0)
        return;
    d->checkBrowse();
    d->guarded([&] { sql::exec(d->db.get(), QStringLiteral("COMMIT")); });
    d->transactionDepth = 0;
}

void Table::rollback()
{
    d->sync();
    d->requireOpen();
    if (d->transactionDepth == 0)
        return;
    cancel();
    d->transactionDepth = 0;
    d->guarded([&] { sql::exec(d->db.get(), QStringLiteral("ROLLBACK")); });
    d->requery(d->pos >= 0 ? d->rows[d->pos].rid : 0);
}

bool Table::inTransaction() const
{
    return d->transactionDepth > 0;
}

// --- fields
// ----------------------------------------------------------------------------------------------

QStringList Table::fieldNames() const
{
    d->requireOpen();
    QStringList names;
    for (const FieldDef &f : std::as_const(d->schema.fields))
        names.append(f.name);
    return names;
}

QList<FieldDef> Table::fieldDefs() const
{
    d->requireOpen();
    return d->schema.fields;
}

QList<IndexDef> Table::indexDefs() const
{
    d->requireOpen();
    return d->schema.indexes;
}

bool Table::hasField(const QString &name) const
{
    d->requireOpen();
    return d->schema.indexOf(name) >= 0;
}

FieldDef Table::fieldDef(const QString &name) const
{
    return d->schema.fields[d->fieldIndex(name)];
}

QVariant Table::value(const QString &name) const
{
    return d->current(d->fieldIndex(name));
}

void Table::setValue(const QString &name, const QVariant &value)
{
    const int index = d->fieldIndex(name);
    const QVariant logical = fieldvalue::fromInput(d->schema.fields[index], value);
    if (!d->editing()) {
        edit();
        if (!d->editing())
            return;
    }
    d->buffer[index] = logical;
    d->changed[index] = true;
    d->loaded[index] = true;
    d->notify(Values);
}

bool Table::isNull(const QString &name) const
{
    d->sync();
    const int index = d->fieldIndex(name);
    if (!d->editing() || !d->loaded[index]) {
        if (tablefile::isBlobType(d->schema.fields[index].type)) {
            if (d->state == State::Insert || d->pos < 0)
                return true;
            return d->rows[d->pos].cells[index].null;
        }
    }
    const QVariant v = d->current(index);
    return !v.isValid() || v.isNull();
}

QString Table::asString(const QString &name) const
{
    const int index = d->fieldIndex(name);
    if (const Cell *cell = d->browseCell(index)) {
        if (cell->null)
            return QString();
        switch (d->schema.fields[index].type) {
        case FieldType::String:
        case FieldType::Memo:
            return cell->text;
        case FieldType::Date:
            return QDate::fromJulianDay(cell->number).toString(QStringLiteral("dd.MM.yyyy"));
        case FieldType::Boolean:
            return cell->number ? QStringLiteral("True") : QStringLiteral("False");
        default:
            return QString::number(cell->number);
        }
    }
    return fieldvalue::toText(d->schema.fields[index].type, d->current(index));
}

int Table::asInt(const QString &name) const
{
    const int index = d->fieldIndex(name);
    const FieldType type = d->schema.fields[index].type;
    if (const Cell *cell = d->browseCell(index);
        cell && (tablefile::isIntType(type) || type == FieldType::Boolean))
        return int(cell->number);
    const QVariant v = d->current(index);
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const int number = v.toString().trimmed().toInt(&ok);
        if (!ok)
            throw Error(QStringLiteral("'%1' ist kein gültiger Ganzzahlwert").arg(v.toString()));
        return number;
    }
    if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QByteArray)
        throw Error(QStringLiteral("Feld '%1' kann nicht als Zahl gelesen werden")
                        .arg(d->schema.fields[index].name));
    return v.toInt();
}

QDate Table::asDate(const QString &name) const
{
    const int index = d->fieldIndex(name);
    if (const Cell *cell = d->browseCell(index);
        cell && d->schema.fields[index].type == FieldType::Date)
        return cell->null ? QDate() : QDate::fromJulianDay(cell->number);
    const QVariant v = d->current(index);
    if (!v.isValid() || v.isNull())
        return QDate();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    FieldDef def = d->schema.fields[index];
    def.type = FieldType::Date;
    return fieldvalue::fromInput(def, v).toDate();
}

bool Table::asBool(const QString &name) const
{
    const int index = d->fieldIndex(name);
    const FieldType type = d->schema.fields[index].type;
    if (const Cell *cell = d->browseCell(index);
        cell && (tablefile::isIntType(type) || type == FieldType::Boolean))
        return cell->number != 0;
    const QVariant v = d->current(index);
    if (!v.isValid() || v.isNull())
        return false;
    FieldDef def = d->schema.fields[index];
    def.type = FieldType::Boolean;
    return fieldvalue::fromInput(def, v).toBool();
}

QByteArray Table::asBytes(const QString &name) const
{
    const int index = d->fieldIndex(name);
    const QVariant v = d->current(index);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return fieldvalue::toText(d->schema.fields[index].type, v).toUtf8();
}

void Table::setString(const QString &name, const QString &value)
{
    setValue(name, value);
}

void Table::setInt(const QString &name, int value)
{
    setValue(name, value);
}

void Table::setDate(const QString &name, const QDate &value)
{
    setValue(name, value.isValid() ? QVariant(value) : QVariant());
}

void Table::setBool(const QString &name, bool value)
{
    setValue(name, value);
}

void Table::setBytes(const QString &name, const QByteArray &value)
{
    setValue(name, value);
}

void Table::clearField(const QString &name)
{
    setValue(name, QVariant());
}

qint64 Table::blobSize(const QString &name) const
{
    d->sync();
    const int index = d->fieldIndex(name);
    if (!tablefile::isBlobType(d->schema.fields[index].type))
        return d->current(index).toString().toUtf8().size();
    if (d->editing() && d->loaded[index])
        return d->buffer[index].toByteArray().size();
    if (d->pos < 0 || d->state == State::Insert)
        return 0;
    return d->rows[d->pos].cells[index].number;
}

void Table::loadBlobFromFile(const QString &name, const QString &path)
{
    d->fieldIndex(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Die Datei '%1' kann nicht gelesen werden")
                        .arg(QDir::toNativeSeparators(path)));
    setBytes(name, file.readAll());
}

void Table::saveBlobToFile(const QString &name, const QString &path) const
{
    const QByteArray bytes = asBytes(name);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Die Datei '%1' kann nicht geschrieben werden")
                        .arg(QDir::toNativeSeparators(path)));
}

QImage Table::image(const QString &name) const
{
    const int index = d->fieldIndex(name);
    if (!tablefile::isBlobType(d->schema.fields[index].type))
        throw Error(
            QStringLiteral("Feld '%1' ist kein Grafikfeld").arg(d->schema.fields[index].name));
    const QByteArray bytes = d->current(index).toByteArray();
    return bytes.isEmpty() ? QImage() : QImage::fromData(bytes);
}

void Table::setImage(const QString &name, const QImage &image)
{
    const int index = d->fieldIndex(name);
    if (!tablefile::isBlobType(d->schema.fields[index].type))
        throw Error(
            QStringLiteral("Feld '%1' ist kein Grafikfeld").arg(d->schema.fields[index].name));
    if (image.isNull()) {
        clearField(name);
        return;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    setBytes(name, bytes);
}

QVariant Table::valueAt(int row, const QString &name) const
{
    d->sync();
    const int index = d->fieldIndex(name);
    if (row < 0 || row >= int(d->rows.size()))
        return QVariant();
    if (row == d->pos && d->state == State::Edit)
        return d->current(index);
    return d->rowValue(row, index);
}

int Table::currentRow() const
{
    d->sync();
    return d->pos;
}

// --- views
// ---------------------------------------------------------------------------------------------------

void Table::disableControls()
{
    ++d->disabled;
}

void Table::enableControls()
{
    if (d->disabled == 0)
        return;
    if (--d->disabled > 0)
        return;
    const unsigned what = d->pending;
    d->pending = 0;
    if (what != 0)
        d->notify(Reset | Current | Values | StateChange);
}

bool Table::controlsDisabled() const
{
    return d->disabled > 0;
}

// --- passwords
// ---------------------------------------------------------------------------------------------------

void Table::addMasterPassword(const QString &password)
{
    d->sync();
    if (!d->db || !d->exclusive)
        throw Error(QStringLiteral("Table must be opened in exclusive mode to add passwords"));
    d->checkBrowse();
    if (d->transactionDepth > 0)
        commit();
    const QString path = d->path();
    const QString copy = path + QStringLiteral(".kbtmp");
    const qint64 rid = d->pos >= 0 ? d->rows[d->pos].rid : 0;
    d->guarded([&] { tablefile::exportCopy(d->db.get(), copy, password); });
    // The copy is complete and on disk; only now is the table itself let go of.
    d->disconnect();
    try {
        tablefile::runRewriteHook(copy);
        tablefile::replaceFile(copy, path, true);
    } catch (...) {
        QFile::remove(copy);
        d->connect();
        throw;
    }
    if (!password.isEmpty())
        Session::addPassword(password);
    d->connect();
    d->requery(rid);
    d->notify(Reset | Current | Values);
}

// --- session
// ---------------------------------------------------------------------------------------------------

namespace {
QStringList &knownPasswords()
{
    static QStringList passwords;
    return passwords;
}
} // namespace

void Session::addPassword(const QString &password)
{
    if (!knownPasswords().contains(password))
        knownPasswords().append(password);
}

void Session::removeAllPasswords()
{
    knownPasswords().clear();
}

QStringList Session::passwords()
{
    return knownPasswords();
}

} // namespace kb
