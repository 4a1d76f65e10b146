#pragma once

#include <QByteArray>
#include <QDate>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

namespace kb {

class MasterLink;

// The logical field types a table knows.
enum class FieldType {
    Int16, // 16-bit signed integer
    Int32, // 32-bit signed integer
    AutoInc, // 32-bit, set by the engine on insert, read-only
    String, // text of at most `size` characters (2 to 255)
    Date,
    Boolean,
    Memo, // text blob; `size` is the declared inline size (informational)
    Graphic, // picture blob
    Blob, // untyped blob
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // String: maximum length; Memo: inline size
    bool required = false; // a post with this field empty is refused
    int min = 0, max = 0; // integer range; both 0: unbounded
};

struct IndexDef {
    QString name; // empty for the primary index
    QStringList fields; // field names, case-insensitive
    bool primary = false;
    bool unique = false;
    bool caseInsensitive = false;
};

// A position in a table that survives re-queries; a null bookmark does nothing.
struct Bookmark {
    qint64 rowId = 0;
    bool isNull() const { return rowId == 0; }
    friend bool operator==(const Bookmark &, const Bookmark &) = default;
};

// A cursor on one table file `<directory><tableName>` (e.g. "/data/Test.DB").
// Several Table objects may be open on the same file; each holds its own connection,
// record list and position. A cursor sees changes made through another cursor on the
// same file when it re-reads its records: on open, first(), last() and refresh().
//
// Record numbers count from 1 in the cursor's current order, filter and master link;
// 0 when there is no record. eof() is true after next() on the last record and on an
// empty set; bof() after first() and after prior() on the first record.
//
// Every failure throws kb::Error with a German message, and leaves the file unchanged.
class Table : public QObject {
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    // Where a transaction keeps what it needs to undo itself.
    enum class Journal {
        // In a journal file beside the table: a crash at any moment leaves the table as it
        // was before or after the transaction.
        OnDisk,
        // In memory: quicker, but a crash before commit() can leave the file unusable. Only
        // for a new table under a temporary name that no other cursor has open, renamed into
        // place after commit(); commit() flushes the file to disk first.
        InMemory,
    };

    // Called when a new record starts (insert/append), after the blank record exists.
    // Returning false refuses the insert: it is cancelled and insert() returns false.
    // A handler that throws also cancels the insert; the exception passes on.
    using NewRecordHandler = std::function<bool(Table &)>;

    // Called before every write reaches the file (a post or delete outside a transaction,
    // and startTransaction()). What it returns is held until that write ends (for a
    // transaction: until commit() or rollback()). It lets the owner serialize the writes with
    // other programs and put back what a killed one left; it throws kb::Error to refuse the
    // write, and the pending change then stays. With a guard installed, a table file that
    // another program replaced meanwhile is opened anew (with the known passwords) and the
    // write goes there; without one such a write is refused.
    using WriteGuard = std::function<std::shared_ptr<void>()>;

    explicit Table(QObject *parent = nullptr);
    ~Table() override;

    // --- addressing -------------------------------------------------------------
    // The directory may end with '/' or '\'; both separators are accepted.
    void setDirectory(const QString &directory);
    QString directory() const; // always ends with '/' when not empty
    void setTableName(const QString &fileName);
    QString tableName() const;
    // Sets directory and table name from one full path.
    void setFilePath(const QString &path);
    QString filePath() const;
    bool exists() const;

    // --- create, open, close ----------------------------------------------------
    // Creates the table file from ordered field and index definitions; an existing
    // table of that name is replaced. The table must be closed. The new file is
    // written beside and renamed over the old one, so a failure leaves the old table.
    void create(const QList<FieldDef> &fields, const QList<IndexDef> &indexes = {});

    // Exclusive: no other cursor of this process (nor another process) may have the
    // file open while this one is. Needed to add a password.
    void setExclusive(bool exclusive);
    bool exclusive() const;
    void open();
    void open(bool exclusive)
    {
        setExclusive(exclusive);
        open();
    }
    // Posts a pending change first; a transaction not committed is rolled back.
    void close();
    bool isOpen() const;
    // Opens the file for reading only; every change is refused.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const; // opened for reading only (asked for, or a write-protected file)
    bool isProtected() const; // the file is encrypted with a password
    void refresh(); // re-reads the records, keeping the current one if possible

    // --- navigation -------------------------------------------------------------
    // Moving posts a pending change first.
    void first();
    void next();
    void prior();
    void last();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const;
    int recNo() const;
    void setRecNo(int recNo);
    int recordCount() const;
    Bookmark bookmark() const;
    void gotoBookmark(const Bookmark &bookmark);
    // Finds the first record whose field equals the value (in the current order).
    bool locate(const QString &field, const QVariant &value);

    // --- filter, order, master link ---------------------------------------------
    // An expression such as "MonatNr='3'" or "(MonatNr='1')or(MonatNr='2')":
    // comparisons (= <> < > <= >=) of a field with a quoted literal or a number,
    // joined by and/or/not and parentheses. A filter that does not parse throws and
    // leaves the previous filter in place.
    void setFilter(const QString &expression);
    QString filter() const;
    void setFiltered(bool filtered);
    bool filtered() const;
    // Order by the fields "A;B" (case-insensitive when an index over exactly these
    // fields is); empty: the primary index (or insertion order).
    void setIndexFieldNames(const QString &fields);
    // Order by a named index; empty: the primary index.
    void setIndexName(const QString &indexName);
    // Shows only the records whose detail fields equal the master fields of the
    // master's current record ("A;B" lists of equal length). The link follows the
    // master's moves and edits.
    void setMasterSource(Table *master, const QString &masterFields, const QString &detailFields);
    void clearMasterSource();

    // --- editing ------------------------------------------------------------------
    State state() const;
    bool isModified() const; // a pending change exists
    void edit();
    // Starts a new record; returns false when the new-record handler refused it.
    bool insert();
    bool append();
    // Writes the pending change in one transaction (a no-op in Browse state).
    void post();
    void cancel();
    // Deletes the current record.
    void remove();
    void setNewRecordHandler(NewRecordHandler handler);
    void setWriteGuard(WriteGuard guard);
    // With this set, a post or delete outside a transaction of the caller that fails leaves
    // the file byte for byte as it was, not only its content (see TableImage): the file is
    // read before each such write and put back after a failure, and the pending change
    // stays. For a small table another program may compare or copy, such as the picture
    // table; not for an exclusive cursor.
    void setKeepsBytesOnFailure(bool keeps);
    // Posts between startTransaction() and commit() reach the file together, in one
    // transaction (e.g. the 366 records of a new year); rollback() undoes them all.
    void startTransaction(Journal journal = Journal::OnDisk);
    void commit();
    void rollback();

    // --- fields ---------------------------------------------------------------------
    QStringList fieldNames() const;
    QList<FieldDef> fieldDefs() const;
    bool hasField(const QString &name) const;
    FieldDef fieldDef(const QString &name) const;

    // Values of the current record, including a pending change. Names are
    // case-insensitive; an unknown name throws. Setting a field in Browse state
    // starts an edit; the change stays pending until post() or a move.
    QVariant value(const QString &name) const;
    void setValue(const QString &name, const QVariant &value);
    bool isNull(const QString &name) const;
    QString asString(const QString &name) const; // dates "dd.MM.yyyy", booleans "True"/"False"
    int asInt(const QString &name) const; // 0 when empty
    QDate asDate(const QString &name) const;
    bool asBool(const QString &name) const;
    QByteArray asBytes(const QString &name) const;
    void setString(const QString &name, const QString &value);
    void setInt(const QString &name, int value);
    void setDate(const QString &name, const QDate &value);
    void setBool(const QString &name, bool value);
    void setBytes(const QString &name, const QByteArray &value);
    void clearField(const QString &name);
    qint64 blobSize(const QString &name) const;
    void loadBlobFromFile(const QString &name, const QString &path);
    void saveBlobToFile(const QString &name, const QString &path) const;
    // Graphic fields: null image when empty.
    QImage image(const QString &name) const;
    void setImage(const QString &name, const QImage &image);

    // A value of any record of the current set without moving (0-based row), for
    // grids. The current row answers with its pending change.
    QVariant valueAt(int row, const QString &name) const;
    int currentRow() const; // recNo() - 1

    // --- bound views ----------------------------------------------------------------
    // Views ignore changes while suspended and refresh once on the last resume.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const;

    // --- passwords --------------------------------------------------------------------
    // Needs the table open exclusively. Rewrites the table encrypted with the password
    // (an empty password removes the protection), adds it to the known passwords and
    // reopens the table.
    void addMasterPassword(const QString &password);

Q_SIGNALS:
    // The set or order of records changed, or the table opened or closed.
    void recordsReset();
    // Another record became current.
    void currentChanged();
    // Values of the current record changed (a pending edit, a post or a cancel).
    void valuesChanged();
    void stateChanged();

private:
    friend class MasterLink;
    MasterLink &masterLink();
    // Follows a move or change of the master (`force`: even when its key stayed the same).
    void masterMoved(bool force);

    struct Private;
    std::unique_ptr<Private> d;
};

// The process-wide table session: known passwords and data-definition statements.
namespace Session {
// The passwords tried when a protected table opens.
void addPassword(const QString &password);
void removeAllPasswords();
QStringList passwords();

// Executes the one statement form that adds a field to a closed table:
//   ALTER TABLE "<directory><file>" ADD <field> integer|blob(0,5)
// The path may use '\' or '/' and contain blanks, umlauts and doubled quotes.
// "integer" adds a 32-bit integer field, "blob(0,5)" a graphic field.
void executeDdl(const QString &statement);
} // namespace Session

} // namespace kb
