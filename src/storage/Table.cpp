#include "storage/Table.h"

#include "platform/AtomicFile.h"
#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "platform/Logging.h"
#include "platform/PictureDecode.h"
#include "storage/EditBuffer.h"
#include "storage/FieldValue.h"
#include "storage/MasterLink.h"
#include "storage/Passwords.h"
#include "storage/RecordCache.h"
#include "storage/Selection.h"
#include "storage/StatementCache.h"
#include "storage/TableFile.h"
#include "storage/TableImage.h"
#include "storage/Transaktion.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace kb {

namespace {

// What happened while views were suspended.
enum Notify : unsigned { Reset = 1, Current = 2, Values = 4, StateChange = 8 };

} // namespace

// The cursor's parts and what ties them together: its connection, the selection and the
// records read for it, the pending edit, the master link and the views' notifications.
struct Table::Private {
    explicit Private(Table &table)
        : q(table)
        , link(table)
        , records(schema, statements)
        , edits(schema)
    {
    }

    Table &q;
    QString dir, name;
    bool exclusive = false;
    bool readOnlyWanted = false;

    StatementCache statements;
    tablefile::Schema schema;
    QString password;
    bool readOnly = false;
    bool registered = false;
    bool registeredExclusive = false;
    bool inTransaction = false;
    bool journalInMemory = false;
    // The file the connection was opened on (device and inode; through a link, its target).
    QString datei;

    Selection selection;
    MasterLink link;
    RecordCache records;
    EditBuffer edits;
    NewRecordHandler onNewRecord;
    WriteGuard writeGuard;
    bool keepsBytes = false;
    // What the write guard returned for the running transaction.
    std::shared_ptr<void> transactionGuard;

    int disabled = 0;
    unsigned pending = 0;

    bool isOpen() const { return statements.isOpen(); }
    QString path() const { return dir + name; }
    QString shownName() const { return tablefile::displayName(path()); }

    QString dateiJetzt() const { return dateien::kennung(dateien::ziel(path())); }

    // Another program may have put a new file in the table's place (a new password is
    // written as a copy that replaces the table). A write to the file this connection still
    // holds would be lost with it: it is refused, the pending change stays.
    void dateiPruefen() const
    {
        if (datei.isEmpty() || dateiJetzt() == datei)
            return;
        throw Error(QStringLiteral("Die Tabelle '%1' wurde inzwischen von einem anderen Programm "
                                   "ersetzt, etwa durch ein neues Passwort. Die Änderung wurde "
                                   "nicht gespeichert; bitte öffnen Sie den Kalender neu.")
                        .arg(shownName()));
    }

    // Asks the owner's write guard for leave to write. When the file was replaced meanwhile,
    // the connection moves to the file now in its place; the pending change stays as it is.
    std::shared_ptr<void> schreibenVorbereiten()
    {
        if (!writeGuard)
            return nullptr;
        std::shared_ptr<void> halt = writeGuard();
        if (!datei.isEmpty() && dateiJetzt() != datei)
            neuVerbinden();
        return halt;
    }

    // Opens the file now in the table's place and lets go of the old one; when it does not
    // open (a password not known here), the old connection stays and the write is refused.
    void neuVerbinden()
    {
        tablefile::OpenedFile opened;
        try {
            opened = tablefile::open(path(), readOnlyWanted);
        } catch (const Error &) {
            dateiPruefen();
            throw;
        }
        if (opened.readOnly && !readOnly)
            dateiPruefen();
        const qint64 rid = records.currentRid();
        statements.close();
        dateiUebernehmen(std::move(opened), rid);
        notify(Reset | Current | Values);
        if (rid != 0 && records.currentRid() != rid)
            throw Error(QStringLiteral("Der bearbeitete Datensatz der Tabelle '%1' ist nicht mehr "
                                       "vorhanden. Die Änderung wurde nicht gespeichert.")
                            .arg(shownName()));
    }

    // Runs a write. Outside a transaction of the caller it runs in one of its own, which
    // holds the file's write lock while the file is checked to be still the table's.
    template<typename F> void schreiben(F &&f)
    {
        if (inTransaction) {
            f();
            return;
        }
        const std::optional<TableImage> vorher = abbildVorDemSchreiben();
        std::optional<Transaktion> transaktion;
        // Set once this cursor holds the file's write lock: only from then on may a failure
        // have changed bytes (and only then is a journal beside the file this write's own).
        bool begonnen = false;
        try {
            guarded([&] {
                transaktion.emplace(
                    [this](const QString &text) { statements.exec(text); }, Transaktion::sofort());
            });
            dateiPruefen();
            begonnen = true;
            f();
            guarded([&] { transaktion->commit(); });
        } catch (...) {
            if (vorher && begonnen) {
                transaktion.reset();
                abbildZurueck(*vorher);
            }
            throw;
        }
    }

    void requireOpen() const
    {
        if (!isOpen())
            throw Error(QStringLiteral("Die Tabelle '%1' ist nicht geöffnet").arg(shownName()));
    }
    void requireClosed() const
    {
        if (isOpen())
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
            Q_EMIT q.recordsReset();
        if (what & Current)
            Q_EMIT q.currentChanged();
        if (what & Values)
            Q_EMIT q.valuesChanged();
        if (what & StateChange)
            Q_EMIT q.stateChanged();
    }

    template<typename F> auto guarded(F &&f) const
    {
        try {
            return f();
        } catch (const sql::SqlError &e) {
            throw tablefile::toError(e, path());
        }
    }

    // A freshly opened file takes the place of the closed connection; the cursor goes back to
    // the record `rid` and keeps its pending change.
    void dateiUebernehmen(tablefile::OpenedFile opened, qint64 rid)
    {
        statements.open(std::move(opened.db));
        datei = dateiJetzt();
        schema = std::move(opened.schema);
        password = opened.password;
        readOnly = opened.readOnly;
        requery(rid, true);
    }

    // The file's bytes before a write that is to keep them when it fails. A read first lets
    // the engine undo what a killed program left unfinished, so that the bytes taken are a
    // committed state. No lock of the engine is held meanwhile: reading the file through
    // another descriptor would release it.
    std::optional<TableImage> abbildVorDemSchreiben()
    {
        if (!keepsBytes || exclusive)
            return std::nullopt;
        guarded([&] { statements.exec(QStringLiteral("SELECT count(*) FROM kb_meta")); });
        return TableImage(path());
    }

    // After a failed write: the connection lets go of the file, the old bytes go back, and the
    // file opens again with the pending change kept. Errors here give way to the write's.
    void abbildZurueck(const TableImage &vorher)
    {
        const qint64 rid = records.currentRid();
        statements.close();
        if (!vorher.restore())
            qCWarning(lcStorage) << "the bytes of" << path() << "were not put back";
        try {
            dateiUebernehmen(tablefile::open(path(), readOnlyWanted), rid);
        } catch (const Error &e) {
            qCWarning(lcStorage) << "reopening" << path() << "failed:" << e.message();
        } catch (const sql::SqlError &e) {
            qCWarning(lcStorage) << "reopening" << path() << "failed:" << e.detail;
        }
        notify(Reset | Current | Values);
    }

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
        statements.open(std::move(opened.db));
        datei = dateiJetzt();
        schema = std::move(opened.schema);
        password = opened.password;
        readOnly = opened.readOnly;
    }

    // --- records ---------------------------------------------------------------------------
    // Re-reads the records; keeps `keepRid` current when it is still there.
    void requery(qint64 keepRid, bool quiet = false)
    {
        const RecordCache::Change change = guarded([&] {
            return records.load(
                selection.query(records.columns(), link.condition(schema)), keepRid);
        });
        if (quiet)
            return;
        notify((change.records ? unsigned(Reset) : 0u) | (change.current ? Current | Values : 0u));
        if (change.current)
            link.notifyDetails(false);
    }

    // Reads the records again after an insert, now that someone looks at them.
    void sync()
    {
        if (!records.isStale())
            return;
        const qint64 inserted = records.staleRid();
        requery(inserted, true);
        if (records.currentRid() == inserted)
            records.markInside();
    }

    void moved(bool currentChanged)
    {
        if (!currentChanged)
            return;
        notify(Current | Values);
        link.notifyDetails(false);
    }

    // Leaves an edit before a move: a change is posted, an untouched new record dropped.
    void leaveEdit()
    {
        if (edits.isModified())
            q.post();
        else
            q.cancel();
    }

    // --- values ---------------------------------------------------------------------------
    QVariant current(int field)
    {
        if (!edits.isInserting())
            sync();
        if (edits.isActive() && edits.isLoaded(field))
            return edits.value(field);
        if (edits.isInserting() || records.pos() < 0)
            return QVariant();
        return guarded([&] { return records.value(records.pos(), field); });
    }

    // The stored cell of the current record when no edit is pending (the quick path of the
    // typed getters); null for blobs, pending edits and no record.
    const Cell *browseCell(int field)
    {
        if (edits.isActive())
            return nullptr;
        sync();
        if (records.pos() < 0 || tablefile::isBlobType(schema.fields[field].type))
            return nullptr;
        return &records.row(records.pos()).cells[field];
    }

    void startEdit()
    {
        edits.startEdit(records, records.row(records.pos()));
        notify(StateChange | Values);
    }

    // True when the posted change can move the record or take it out of the set.
    bool changeMovesRecord() const
    {
        for (int i = 0; i < schema.fields.size(); ++i) {
            if (edits.isChanged(i)
                && (selection.dependsOn(schema.fields[i].name)
                    || link.dependsOn(schema.fields[i].name)))
                return true;
        }
        return false;
    }

    void endTransaction(const QString &statement)
    {
        guarded([&] { statements.exec(statement); });
        inTransaction = false;
        transactionGuard.reset();
        if (journalInMemory) {
            // Every other transaction journals on disk again.
            journalInMemory = false;
            guarded([&] { statements.exec(QStringLiteral("PRAGMA journal_mode=DELETE")); });
        }
    }
};

MasterLink &Table::masterLink()
{
    return d->link;
}

void Table::masterMoved(bool force)
{
    if (!d->isOpen())
        return;
    if (!force && !d->link.keyChanged())
        return;
    d->leaveEdit();
    d->requery(0);
    d->records.first();
    d->notify(Current | Values);
    d->link.notifyDetails(false);
}

Table::Table(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>(*this))
{
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
}

// --- addressing ----------------------------------------------------------------------------------

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

// --- create, open, close -------------------------------------------------------------------------

void Table::create(const QList<FieldDef> &fields, const QList<IndexDef> &indexes)
{
    d->requireClosed();
    if (d->name.isEmpty())
        throw Error(QStringLiteral("Kein Tabellenname angegeben"));
    tablefile::createTable(d->path(), fields, indexes);
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
    if (d->isOpen())
        return;
    if (d->name.isEmpty())
        throw Error(QStringLiteral("Kein Tabellenname angegeben"));
    const QString path = d->path();
    if (QFileInfo(path).isFile())
        tablefile::registry::acquire(path, d->exclusive);
    try {
        d->connect();
        d->selection.resolve(d->schema);
    } catch (...) {
        d->statements.close();
        if (QFileInfo(path).isFile())
            tablefile::registry::release(path, d->exclusive);
        throw;
    }
    d->registered = true;
    d->registeredExclusive = d->exclusive;
    d->edits.clear();
    d->records.clear();
    d->link.forgetKey();
    d->requery(0);
    d->records.first();
    d->notify(Reset | Current | Values | StateChange);
    d->link.notifyDetails(true);
}

void Table::close()
{
    if (!d->isOpen())
        return;
    d->leaveEdit();
    if (d->inTransaction) {
        d->inTransaction = false;
        try {
            d->statements.exec(QStringLiteral("ROLLBACK"));
        } catch (const sql::SqlError &) {
        }
        d->transactionGuard.reset();
    }
    d->journalInMemory = false;
    d->statements.close();
    if (d->registered)
        tablefile::registry::release(d->path(), d->registeredExclusive);
    d->registered = false;
    d->records.clear();
    d->notify(Reset | Current | Values | StateChange);
    d->link.notifyDetails(true);
}

bool Table::isOpen() const
{
    return d->isOpen();
}

bool Table::isReadOnly() const
{
    return d->readOnly;
}

bool Table::isProtected() const
{
    return d->isOpen() && !d->password.isEmpty();
}

void Table::refresh()
{
    d->sync();
    d->requireOpen();
    d->leaveEdit();
    d->requery(d->records.currentRid());
}

// --- navigation ----------------------------------------------------------------------------------

void Table::first()
{
    d->requireOpen();
    d->sync();
    d->leaveEdit();
    if (d->guarded([&] { return d->records.fileChanged(); }))
        d->requery(d->records.currentRid());
    d->moved(d->records.first());
}

void Table::next()
{
    d->sync();
    d->requireOpen();
    d->leaveEdit();
    d->moved(d->records.next());
}

void Table::prior()
{
    d->sync();
    d->requireOpen();
    d->leaveEdit();
    d->moved(d->records.prior());
}

void Table::last()
{
    d->requireOpen();
    d->sync();
    d->leaveEdit();
    if (d->guarded([&] { return d->records.fileChanged(); }))
        d->requery(d->records.currentRid());
    d->moved(d->records.last());
}

bool Table::eof() const
{
    d->sync();
    return !d->isOpen() || d->records.eof();
}

bool Table::bof() const
{
    d->sync();
    return !d->isOpen() || d->records.bof();
}

bool Table::isEmpty() const
{
    d->sync();
    return d->records.isEmpty();
}

int Table::recNo() const
{
    d->sync();
    return d->records.pos() + 1;
}

void Table::setRecNo(int recNo)
{
    d->sync();
    d->requireOpen();
    d->leaveEdit();
    if (d->records.isEmpty())
        return;
    d->moved(d->records.moveTo(std::clamp(recNo, 1, d->records.size()) - 1));
}

int Table::recordCount() const
{
    d->sync();
    return d->records.size();
}

Bookmark Table::bookmark() const
{
    d->sync();
    return Bookmark { d->records.currentRid() };
}

void Table::gotoBookmark(const Bookmark &bookmark)
{
    if (bookmark.isNull())
        return;
    d->requireOpen();
    d->sync();
    d->leaveEdit();
    int row = d->records.find(bookmark.rowId);
    if (row < 0) {
        d->requery(0);
        row = d->records.find(bookmark.rowId);
    }
    if (row < 0)
        throw Error(QStringLiteral("Datensatz nicht gefunden"));
    d->moved(d->records.moveTo(row));
}

bool Table::locate(const QString &field, const QVariant &value)
{
    d->sync();
    d->requireOpen();
    const int index = d->fieldIndex(field);
    const QVariant wanted = fieldvalue::comparisonValue(d->schema.fields[index], value);
    d->leaveEdit();
    for (int i = 0; i < d->records.size(); ++i) {
        if (d->records.cellValue(index, d->records.row(i).cells[index]) == wanted) {
            d->moved(d->records.moveTo(i));
            return true;
        }
    }
    return false;
}

// --- filter, order, master -----------------------------------------------------------------------

void Table::setFilter(const QString &expression)
{
    if (!d->isOpen()) {
        d->selection.setFilter(expression, nullptr);
        return;
    }
    Selection next = d->selection;
    next.setFilter(expression, &d->schema);
    if (!next.filtered()) {
        d->selection = std::move(next);
        return;
    }
    d->leaveEdit();
    d->selection = std::move(next);
    d->requery(0);
    first();
}

QString Table::filter() const
{
    return d->selection.filterText();
}

void Table::setFiltered(bool filtered)
{
    if (filtered == d->selection.filtered())
        return;
    if (!d->isOpen()) {
        d->selection.setFiltered(filtered, nullptr);
        return;
    }
    Selection next = d->selection;
    next.setFiltered(filtered, &d->schema);
    d->leaveEdit();
    d->selection = std::move(next);
    d->requery(0);
    first();
}

bool Table::filtered() const
{
    return d->selection.filtered();
}

void Table::setIndexFieldNames(const QString &fields)
{
    d->selection.setOrder(fields.trimmed(), QString(), d->isOpen() ? &d->schema : nullptr);
    if (d->isOpen())
        refresh();
}

void Table::setIndexName(const QString &indexName)
{
    d->selection.setOrder(QString(), indexName.trimmed(), d->isOpen() ? &d->schema : nullptr);
    if (d->isOpen())
        refresh();
}

void Table::setMasterSource(Table *master, const QString &masterFields, const QString &detailFields)
{
    if (!master) {
        clearMasterSource();
        return;
    }
    for (Table *t = master; t; t = t->d->link.master()) {
        if (t == this)
            throw Error(QStringLiteral("Eine Tabelle kann nicht ihre eigene Haupttabelle sein"));
    }
    QStringList mf = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QStringList df = detailFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (mf.isEmpty() || mf.size() != df.size())
        throw Error(QStringLiteral("Die Verknüpfungsfelder passen nicht zueinander"));
    for (QString &f : mf)
        f = f.trimmed();
    if (d->isOpen())
        d->schema.resolve(detailFields);
    if (master->isOpen()) {
        for (const QString &f : std::as_const(mf))
            master->fieldDef(f);
    }
    if (d->isOpen())
        d->leaveEdit();
    d->link.link(master, mf, df);
    masterMoved(true);
}

void Table::clearMasterSource()
{
    if (!d->link.isLinked()) {
        d->link.unlink();
        return;
    }
    if (d->isOpen())
        d->leaveEdit();
    d->link.unlink();
    if (d->isOpen()) {
        d->requery(0);
        first();
    }
}

// --- editing -------------------------------------------------------------------------------------

Table::State Table::state() const
{
    return d->isOpen() ? d->edits.state() : State::Inactive;
}

bool Table::isModified() const
{
    return d->edits.isModified();
}

void Table::edit()
{
    d->sync();
    d->requireWritable();
    if (d->edits.isActive())
        return;
    if (d->records.isEmpty()) {
        insert();
        return;
    }
    d->startEdit();
}

bool Table::insert()
{
    d->requireWritable();
    d->leaveEdit();
    d->edits.startInsert();
    d->notify(StateChange | Values);
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
    if (!d->edits.isActive())
        return;
    d->requireWritable();
    const bool inserting = d->edits.isInserting();
    if (!inserting && !d->edits.isModified()) {
        cancel();
        return;
    }
    const std::shared_ptr<void> halt = d->inTransaction ? nullptr : d->schreibenVorbereiten();
    const Row *row = inserting ? nullptr : &d->records.row(d->records.pos());
    d->edits.checkRequired(row);
    qint64 rid = 0;
    d->schreiben([&] {
        rid = d->guarded(
            [&] { return d->edits.write(d->statements, row ? row->rid : 0, d->shownName()); });
    });
    const bool keepsPlace = !inserting && !d->changeMovesRecord();
    if (keepsPlace) {
        for (int i = 0; i < d->schema.fields.size(); ++i) {
            if (d->edits.isChanged(i))
                d->records.storeCurrent(i, d->edits.value(i));
        }
    }
    d->edits.clear();
    if (inserting)
        d->records.markStale(rid);
    else if (!keepsPlace)
        d->requery(rid);
    d->notify((inserting ? Reset | Current : 0u) | StateChange | Values);
    d->link.notifyDetails(false);
}

void Table::cancel()
{
    if (!d->edits.isActive())
        return;
    d->edits.clear();
    d->notify(StateChange | Values);
}

void Table::remove()
{
    d->sync();
    d->requireWritable();
    if (d->edits.isInserting()) {
        cancel();
        return;
    }
    if (d->records.isEmpty())
        throw Error(
            QStringLiteral("Die Tabelle '%1' enthält keinen Datensatz").arg(d->shownName()));
    const std::shared_ptr<void> halt = d->inTransaction ? nullptr : d->schreibenVorbereiten();
    cancel();
    const qint64 rid = d->records.currentRid();
    d->schreiben([&] {
        d->guarded([&] {
            d->statements.get(QStringLiteral("DELETE FROM records WHERE kb_rid = ?"))
                .bindInt(1, rid)
                .exec();
        });
    });
    d->requery(0);
    d->records.markInside();
    d->notify(Current | Values);
    d->link.notifyDetails(true);
}

void Table::setNewRecordHandler(NewRecordHandler handler)
{
    d->onNewRecord = std::move(handler);
}

void Table::setWriteGuard(WriteGuard guard)
{
    d->writeGuard = std::move(guard);
}

void Table::setKeepsBytesOnFailure(bool keeps)
{
    d->keepsBytes = keeps;
}

void Table::startTransaction(Journal journal)
{
    d->requireWritable();
    if (d->inTransaction)
        throw Error(
            QStringLiteral("Für Tabelle '%1' läuft bereits eine Transaktion").arg(d->shownName()));
    std::shared_ptr<void> halt = d->schreibenVorbereiten();
    if (journal == Journal::InMemory) {
        if (tablefile::registry::openCount(d->path()) > 1)
            throw Error(QStringLiteral("Die Tabelle '%1' ist gesperrt: sie ist bereits geöffnet")
                            .arg(d->shownName()));
        d->guarded([&] { d->statements.exec(QStringLiteral("PRAGMA journal_mode=MEMORY")); });
        d->journalInMemory = true;
    }
    try {
        d->guarded([&] { d->statements.exec(QStringLiteral("BEGIN IMMEDIATE")); });
        try {
            d->dateiPruefen();
        } catch (...) {
            d->statements.exec(QStringLiteral("ROLLBACK"));
            throw;
        }
    } catch (...) {
        if (d->journalInMemory) {
            d->journalInMemory = false;
            d->statements.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        }
        throw;
    }
    d->inTransaction = true;
    d->transactionGuard = std::move(halt);
}

void Table::commit()
{
    d->requireOpen();
    if (!d->inTransaction)
        return;
    // The records are not read again here: after a loop of appends they are read when
    // someone looks at them.
    d->leaveEdit();
    d->endTransaction(QStringLiteral("COMMIT"));
}

void Table::rollback()
{
    d->sync();
    d->requireOpen();
    if (!d->inTransaction)
        return;
    cancel();
    d->endTransaction(QStringLiteral("ROLLBACK"));
    d->requery(d->records.currentRid());
}

// --- fields --------------------------------------------------------------------------------------

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
    if (!d->edits.isActive()) {
        edit();
        if (!d->edits.isActive())
            return;
    }
    d->edits.assign(index, logical);
    d->notify(Values);
}

bool Table::isNull(const QString &name) const
{
    d->sync();
    const int index = d->fieldIndex(name);
    if (tablefile::isBlobType(d->schema.fields[index].type)
        && (!d->edits.isActive() || !d->edits.isLoaded(index))) {
        // Blobs are not read for this.
        if (d->edits.isInserting() || d->records.pos() < 0)
            return true;
        return d->records.row(d->records.pos()).cells[index].null;
    }
    const QVariant v = d->current(index);
    return !v.isValid() || v.isNull();
}

QString Table::asString(const QString &name) const
{
    const int index = d->fieldIndex(name);
    const FieldType type = d->schema.fields[index].type;
    if (const Cell *cell = d->browseCell(index)) {
        if (cell->null)
            return QString();
        switch (type) {
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
    return fieldvalue::toText(type, d->current(index));
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
    if (d->edits.isActive() && d->edits.isLoaded(index))
        return d->edits.value(index).toByteArray().size();
    if (d->records.pos() < 0 || d->edits.isInserting())
        return 0;
    return d->records.row(d->records.pos()).cells[index].number;
}

void Table::loadBlobFromFile(const QString &name, const QString &path)
{
    d->fieldIndex(name);
    // Only a regular file up to the size of the largest picture file is read.
    const InputFile file = readInputFile(path, qint64(200) * 1024 * 1024);
    if (file.problem != InputFile::Problem::None)
        throw Error(QStringLiteral("Die Datei '%1' kann nicht gelesen werden")
                        .arg(QDir::toNativeSeparators(path)));
    const QByteArray &bytes = file.bytes;
    // A picture is refused before it is stored when it would be too large to show.
    if (d->schema.fields[d->fieldIndex(name)].type == FieldType::Graphic)
        checkPictureSize(bytes);
    setBytes(name, bytes);
}

void Table::saveBlobToFile(const QString &name, const QString &path) const
{
    writeFileAtomically(path, asBytes(name));
}

QImage Table::image(const QString &name) const
{
    const int index = d->fieldIndex(name);
    if (!tablefile::isBlobType(d->schema.fields[index].type))
        throw Error(
            QStringLiteral("Feld '%1' ist kein Grafikfeld").arg(d->schema.fields[index].name));
    // A picture too large to hold shows as none here; printing refuses it with its message.
    try {
        return decodePicture(d->current(index).toByteArray());
    } catch (const Error &e) {
        qCWarning(lcStorage) << e.message();
        return {};
    }
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
    if (qint64(image.width()) * image.height() > kMaxPicturePixels)
        throw Error(pictureTooLargeMessage(image.size()));
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
    if (row < 0 || row >= d->records.size())
        return QVariant();
    if (row == d->records.pos() && d->edits.state() == State::Edit)
        return d->current(index);
    return d->guarded([&] { return d->records.value(row, index); });
}

int Table::currentRow() const
{
    d->sync();
    return d->records.pos();
}

// --- views ---------------------------------------------------------------------------------------

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

// --- passwords -----------------------------------------------------------------------------------

void Table::addMasterPassword(const QString &password)
{
    d->sync();
    if (!d->isOpen() || !d->exclusive)
        throw Error(QStringLiteral("Table must be opened in exclusive mode to add passwords"));
    d->leaveEdit();
    commit();
    const qint64 rid = d->records.currentRid();
    d->dateiPruefen();
    PasswordRewrite rewrite(d->statements.db(), d->path(), password);
#ifdef Q_OS_WIN
    // The copy is complete and on disk; only now is the table itself let go of (an open
    // file cannot be replaced here).
    d->statements.close();
    try {
        rewrite.install();
    } catch (...) {
        d->connect();
        throw;
    }
#else
    // The copy takes the table's place while the exclusive connection still locks the old
    // file: another program's write waits for the lock and then finds the file replaced.
    rewrite.install();
    d->statements.close();
#endif
    d->connect();
    d->requery(rid);
    d->notify(Reset | Current | Values);
}

} // namespace kb
