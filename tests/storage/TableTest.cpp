#include "StorageTestUtil.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::errorOf;

namespace {

const QString N = QStringLiteral("Nummer");
const QString TEXT = QStringLiteral("Text");

QList<FieldDef> allTypes()
{
    return {
        { QStringLiteral("Nr"), FieldType::AutoInc },
        { QStringLiteral("Klein"), FieldType::Int16 },
        { QStringLiteral("Gross"), FieldType::Int32 },
        { QStringLiteral("Name"), FieldType::String, 10 },
        { QStringLiteral("Datum"), FieldType::Date },
        { QStringLiteral("Alarm"), FieldType::Boolean },
        { QStringLiteral("Notizen"), FieldType::Memo, 50 },
        { QStringLiteral("Bild"), FieldType::Graphic },
        { QStringLiteral("Daten"), FieldType::Blob },
    };
}

QStringList walk(Table &t, const QString &field)
{
    QStringList seen;
    for (t.first(); !t.eof(); t.next())
        seen.append(t.asString(field));
    return seen;
}

class Tables : public test::DayTableTest { };

} // namespace

TEST_F(Tables, EveryFieldTypeRoundTripsThroughTheFile)
{
    const QString path = file(QStringLiteral("Alle.DB"));
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    const QByteArray bytes("\x00\x01\xff binary", 10);
    const QString memo = QStringLiteral("Zeile 1\r\nZeile 2 mit Ümlaut und ß");
    {
        Table t;
        t.setFilePath(path);
        t.create(allTypes(), { { QString(), { QStringLiteral("Nr") }, true, true } });
        t.open();
        ASSERT_TRUE(t.isEmpty());
        ASSERT_TRUE(t.append());
        t.setInt(QStringLiteral("Klein"), -32768);
        t.setInt(QStringLiteral("Gross"), 2147483647);
        t.setString(QStringLiteral("Name"), QStringLiteral("Müller"));
        t.setDate(QStringLiteral("Datum"), QDate(2024, 2, 29));
        t.setBool(QStringLiteral("Alarm"), true);
        t.setString(QStringLiteral("Notizen"), memo);
        t.setImage(QStringLiteral("Bild"), picture);
        t.setBytes(QStringLiteral("Daten"), bytes);
        t.post();
        ASSERT_TRUE(t.append());
        t.post(); // a record of empty fields
    }
    Table t;
    t.setFilePath(path);
    t.open();
    ASSERT_EQ(t.recordCount(), 2);
    t.first();
    EXPECT_EQ(t.asInt(QStringLiteral("nr")), 1);
    EXPECT_EQ(t.asInt(QStringLiteral("Klein")), -32768);
    EXPECT_EQ(t.asInt(QStringLiteral("GROSS")), 2147483647);
    EXPECT_EQ(t.asString(QStringLiteral("Name")), QStringLiteral("Müller"));
    EXPECT_EQ(t.asDate(QStringLiteral("Datum")), QDate(2024, 2, 29));
    EXPECT_EQ(t.asString(QStringLiteral("Datum")), QStringLiteral("29.02.2024"));
    EXPECT_TRUE(t.asBool(QStringLiteral("Alarm")));
    EXPECT_EQ(t.asString(QStringLiteral("Notizen")), memo);
    EXPECT_EQ(t.image(QStringLiteral("Bild")).convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_EQ(t.asBytes(QStringLiteral("Daten")), bytes);
    EXPECT_EQ(t.blobSize(QStringLiteral("Daten")), 10);
    t.next();
    EXPECT_EQ(t.asInt(QStringLiteral("Nr")), 2);
    for (const QString &f : { QStringLiteral("Klein"), QStringLiteral("Name"),
             QStringLiteral("Datum"), QStringLiteral("Alarm"), QStringLiteral("Bild") })
        EXPECT_TRUE(t.isNull(f)) << f.toStdString();
    EXPECT_EQ(t.asInt(QStringLiteral("Klein")), 0);
    EXPECT_FALSE(t.asDate(QStringLiteral("Datum")).isValid());
    EXPECT_TRUE(t.image(QStringLiteral("Bild")).isNull());
    EXPECT_EQ(t.blobSize(QStringLiteral("Bild")), 0);
    EXPECT_EQ(t.fieldNames(),
        QStringList({ QStringLiteral("Nr"), QStringLiteral("Klein"), QStringLiteral("Gross"),
            QStringLiteral("Name"), QStringLiteral("Datum"), QStringLiteral("Alarm"),
            QStringLiteral("Notizen"), QStringLiteral("Bild"), QStringLiteral("Daten") }));
}

TEST_F(Tables, CreateReplacesAnExistingTable)
{
    test::createDays(m_path, QDate(2024, 1, 1), 5);
    Table t;
    t.setFilePath(m_path);
    t.create({ { QStringLiteral("Nr"), FieldType::AutoInc }, { TEXT, FieldType::String, 20 } });
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.fieldNames(), QStringList({ QStringLiteral("Nr"), TEXT }));
    // An open table cannot be replaced under its cursors.
    Table other;
    other.setFilePath(m_path);
    EXPECT_TRUE(
        errorOf([&] { other.create(test::dayFields()); }).contains(QStringLiteral("gesperrt")));
}

TEST_F(Tables, AssignmentsOutsideTheFieldRangeAreRefused)
{
    Table t;
    t.setFilePath(file(QStringLiteral("P.DB")));
    t.create({ { QStringLiteral("nummer"), FieldType::AutoInc },
        { QStringLiteral("FracTag"), FieldType::Int16, 0, true, 1, 31 },
        { QStringLiteral("FracMonat"), FieldType::Int16, 0, true, 1, 12 },
        { TEXT, FieldType::String, 5 } });
    t.open();
    t.append();
    struct Case {
        const char *field;
        QVariant value;
        const char *message;
    };
    const Case cases[] = {
        { "FracTag", 32, "Wert 32 für Feld 'FracTag' liegt außerhalb des Bereichs 1 bis 31" },
        { "FracMonat", 0, "Wert 0 für Feld 'FracMonat' liegt außerhalb des Bereichs 1 bis 12" },
        { "FracTag", QStringLiteral("3x"),
            "'3x' ist kein gültiger Ganzzahlwert für Feld 'FracTag'" },
        { "Text", QStringLiteral("sechs!"),
            "Der Text für Feld 'Text' ist zu lang (höchstens 5 Zeichen)" },
        { "Nummer", 7, "Feld 'nummer' kann nicht geändert werden" },
        { "Xyz", 1, "Feld 'Xyz' nicht gefunden" },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(errorOf([&] { t.setValue(QString::fromLatin1(c.field), c.value); }),
            QString::fromUtf8(c.message));
    }
    t.setInt(QStringLiteral("FracTag"), 31);
    EXPECT_EQ(errorOf([&] { t.post(); }), QStringLiteral("Feld 'FracMonat' muss einen Wert haben"));
    EXPECT_EQ(t.state(), Table::State::Insert); // the pending record is kept for a correction
    t.setInt(QStringLiteral("FracMonat"), 12);
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.asInt(QStringLiteral("Nummer")), 1);
}

TEST_F(Tables, NavigationRecordNumbersAndBookmarks)
{
    auto t = createDays(5);
    EXPECT_EQ(t->recordCount(), 5);
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(walk(*t, N),
        QStringList({ QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("4"), QStringLiteral("5") }));
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recNo(), 5); // stays on the last record
    t->prior();
    EXPECT_FALSE(t->eof());
    EXPECT_EQ(t->recNo(), 4);
    const Bookmark mark = t->bookmark();
    t->first();
    t->prior();
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 1);
    t->gotoBookmark(Bookmark {});
    EXPECT_EQ(t->recNo(), 1);
    t->gotoBookmark(mark);
    EXPECT_EQ(t->asInt(N), 4);
    t->last();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->asInt(N), 5);
    t->setRecNo(2);
    EXPECT_EQ(t->asInt(N), 2);
    EXPECT_TRUE(t->locate(QStringLiteral("Text"), QStringLiteral("Tag 3")));
    EXPECT_EQ(t->recNo(), 3);
    EXPECT_FALSE(t->locate(N, 99));

    // With a filter, record numbers count the visible records and a bookmark still finds
    // its record.
    t->setFilter(QStringLiteral("Nummer>'2'"));
    t->setFiltered(true);
    EXPECT_EQ(t->recordCount(), 3);
    EXPECT_EQ(t->asInt(N), 3);
    t->gotoBookmark(mark);
    EXPECT_EQ(t->recNo(), 2);
    t->remove();
    t->setFiltered(false);
    EXPECT_EQ(errorOf([&] { t->gotoBookmark(mark); }), QStringLiteral("Datensatz nicht gefunden"));
}

TEST_F(Tables, SeveralCursorsOnOneFile)
{
    auto a = createDays(3);
    auto b = openDays();
    a->setRecNo(2);
    a->setString(TEXT, QStringLiteral("von A"));
    b->setRecNo(2);
    EXPECT_EQ(b->asString(TEXT), QStringLiteral("Tag 2")); // pending in A only
    a->post();
    b->first();
    b->next();
    EXPECT_EQ(b->asString(TEXT), QStringLiteral("von A"));
    a->remove();
    b->refresh();
    EXPECT_EQ(b->recordCount(), 2);
    EXPECT_EQ(a->recordCount(), 2);
    EXPECT_EQ(a->asInt(N), 3); // the record after the deleted one
}

TEST_F(Tables, EditInsertPostCancelAndRefusedInserts)
{
    auto t = createDays(3);
    auto reader = openDays();

    t->edit();
    t->setString(TEXT, QStringLiteral("geändert"));
    EXPECT_TRUE(t->isModified());
    t->cancel();
    EXPECT_EQ(t->state(), Table::State::Browse);
    EXPECT_EQ(t->asString(TEXT), QStringLiteral("Tag 1"));

    // A field assignment starts the edit; moving posts it.
    t->setString(TEXT, QStringLiteral("Neujahr"));
    EXPECT_EQ(t->state(), Table::State::Edit);
    t->next();
    EXPECT_EQ(t->state(), Table::State::Browse);
    reader->first();
    EXPECT_EQ(reader->asString(TEXT), QStringLiteral("Neujahr"));

    // Inserting takes its place by the primary index.
    ASSERT_TRUE(t->insert());
    t->setInt(N, 0);
    t->post();
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_EQ(t->recordCount(), 4);
    // A duplicate primary key is refused and the record stays pending.
    t->append();
    t->setInt(N, 2);
    EXPECT_TRUE(errorOf([&] { t->post(); }).startsWith(QStringLiteral("Schlüsselverletzung")));
    t->cancel();
    EXPECT_EQ(t->recordCount(), 4);

    int asked = 0;
    t->setNewRecordHandler([&](Table &) {
        ++asked;
        return false;
    });
    EXPECT_FALSE(t->append());
    EXPECT_EQ(t->state(), Table::State::Browse);
    t->setNewRecordHandler([&](Table &) -> bool { throw Error(QStringLiteral("nein")); });
    EXPECT_EQ(errorOf([&] { t->insert(); }), QStringLiteral("nein"));
    EXPECT_EQ(t->state(), Table::State::Browse);
    EXPECT_EQ(asked, 1);
    reader->refresh();
    EXPECT_EQ(reader->recordCount(), 4);
    t->setNewRecordHandler({});

    // Delete keeps the position on the following record.
    t->setRecNo(2);
    t->remove();
    EXPECT_EQ(t->recordCount(), 3);
    EXPECT_EQ(t->asInt(N), 2);

    // Closed right after an insert, the cursor has no records (and reads none).
    t->append();
    t->setInt(N, 9);
    t->post();
    t->close();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recordCount(), 0);
    EXPECT_EQ(t->recNo(), 0);
    EXPECT_EQ(t->state(), Table::State::Inactive);
    t->open();
    EXPECT_EQ(t->recordCount(), 4);
}

TEST_F(Tables, ARefusedPostWritesNothingAndKeepsTheTransaction)
{
    // A day table: every post is one statement.
    auto days = createDays(3);
    days->startTransaction();
    days->append();
    days->setInt(N, 4);
    days->post();
    days->append();
    days->setInt(N, 2);
    EXPECT_TRUE(errorOf([&] { days->post(); }).startsWith(QStringLiteral("Schlüsselverletzung")));
    days->cancel();
    days->commit();
    EXPECT_EQ(walk(*openDays(), N).join(QLatin1Char(',')), QStringLiteral("1,2,3,4"));

    // An auto-increment table: a post also counts the number up, and a refused post gives
    // its number back.
    Table texts;
    texts.setFilePath(file(QStringLiteral("Texte.db")));
    texts.create({ { QStringLiteral("Nr"), FieldType::AutoInc }, { TEXT, FieldType::String, 20 } },
        { { QString(), { QStringLiteral("Nr") }, true, true },
            { QStringLiteral("TextIdx"), { TEXT }, false, true } });
    texts.open();
    auto add = [&](const char *text) {
        texts.append();
        texts.setString(TEXT, QString::fromLatin1(text));
        const QString error = errorOf([&] { texts.post(); });
        if (!error.isEmpty())
            texts.cancel();
        return error.isEmpty();
    };
    EXPECT_TRUE(add("a"));
    EXPECT_FALSE(add("a"));
    texts.startTransaction();
    EXPECT_TRUE(add("b"));
    EXPECT_FALSE(add("b"));
    EXPECT_TRUE(add("c"));
    texts.commit();
    texts.close();
    texts.open();
    EXPECT_EQ(walk(texts, QStringLiteral("Nr")).join(QLatin1Char(',')), QStringLiteral("1,2,3"));
    EXPECT_EQ(walk(texts, TEXT).join(QLatin1Char(',')), QStringLiteral("a,b,c"));
}

TEST_F(Tables, DatesOfEveryYearKeepTheirOrder)
{
    // Dates are stored as text, so the order and the comparisons of a filter hold only when
    // every year is written with four digits.
    const QDate dates[] = { QDate(2024, 2, 29), QDate(1, 1, 1), QDate(9999, 12, 31),
        QDate(999, 12, 31), QDate(1000, 1, 1), QDate(1582, 10, 15) };
    auto t = createDays(0);
    int n = 0;
    for (const QDate &date : dates) {
        t->append();
        t->setInt(N, ++n);
        t->setDate(QStringLiteral("Datum"), date);
        t->post();
    }
    auto reader = openDays();
    reader->setIndexFieldNames(QStringLiteral("Datum"));
    EXPECT_EQ(walk(*reader, QStringLiteral("Datum")).join(QLatin1Char(' ')),
        QStringLiteral("01.01.0001 31.12.0999 01.01.1000 15.10.1582 29.02.2024 31.12.9999"));
    reader->setFilter(QStringLiteral("Datum<'01.01.1000'"));
    reader->setFiltered(true);
    EXPECT_EQ(reader->recordCount(), 2);
    EXPECT_EQ(reader->asDate(QStringLiteral("Datum")), QDate(1, 1, 1));
}

TEST_F(Tables, AJournalInMemoryServesOnlyTheTransactionThatAskedForIt)
{
    auto t = createDays(3);
    const QString journal = m_path + QStringLiteral("-journal");
    auto appendDay = [&](int nummer) {
        t->append();
        t->setInt(N, nummer);
        t->post();
    };

    t->startTransaction(Table::Journal::InMemory);
    appendDay(4);
    EXPECT_FALSE(QFile::exists(journal));
    t->rollback();
    EXPECT_EQ(t->recordCount(), 3);

    t->startTransaction(Table::Journal::InMemory);
    appendDay(4);
    appendDay(5);
    EXPECT_FALSE(QFile::exists(journal));
    t->commit();

    // The next transaction journals beside the table again, so a crash cannot hurt it.
    t->startTransaction();
    appendDay(6);
    EXPECT_TRUE(QFile::exists(journal));
    t->commit();
    EXPECT_FALSE(QFile::exists(journal));

    // Only the one cursor on a file may keep its journal in memory.
    auto reader = openDays();
    EXPECT_EQ(reader->recordCount(), 6);
    EXPECT_EQ(errorOf([&] { t->startTransaction(Table::Journal::InMemory); }),
        QStringLiteral("Die Tabelle '%1' ist gesperrt: sie ist bereits geöffnet")
            .arg(QDir::toNativeSeparators(m_path)));
    t->startTransaction();
    appendDay(7);
    EXPECT_TRUE(QFile::exists(journal));
    t->commit();
    reader->refresh();
    EXPECT_EQ(reader->recordCount(), 7);
}

TEST_F(Tables, AutoIncrementNeverReusesANumber)
{
    Table t;
    t.setFilePath(file(QStringLiteral("Texte.db")));
    t.create({ { QStringLiteral("Nr"), FieldType::AutoInc }, { TEXT, FieldType::String, 255 } },
        { { QString(), { QStringLiteral("Nr") }, true, true } });
    t.open();
    for (int i = 0; i < 3; ++i) {
        t.append();
        t.setString(TEXT, QString::number(i));
        t.post();
    }
    t.last();
    t.remove();
    t.append();
    t.post();
    t.last();
    EXPECT_EQ(t.asInt(QStringLiteral("Nr")), 4);
}

TEST_F(Tables, IndexOrderSecondaryAndCaseInsensitive)
{
    Table t;
    t.setFilePath(file(QStringLiteral("Pers.DB")));
    t.create(
        { { QStringLiteral("nummer"), FieldType::AutoInc },
            { QStringLiteral("FracTag"), FieldType::Int16 },
            { QStringLiteral("FracMonat"), FieldType::Int16 }, { TEXT, FieldType::String, 255 } },
        { { QString(), { QStringLiteral("Nummer") }, true, true },
            { QStringLiteral("SekTagMonat"),
                { QStringLiteral("FracMonat"), QStringLiteral("FracTag") }, false, false, true },
            { QStringLiteral("TextIdx"), { TEXT }, false, false, true } });
    t.open();
    const struct {
        int day, month;
        const char *text;
    } rows[] = { { 24, 12, "b Heiligabend" }, { 1, 1, "C Neujahr" }, { 3, 10, "a Einheit" },
        { 1, 5, "B Mai" } };
    for (const auto &r : rows) {
        t.append();
        t.setInt(QStringLiteral("FracTag"), r.day);
        t.setInt(QStringLiteral("FracMonat"), r.month);
        t.setString(TEXT, QString::fromLatin1(r.text));
        t.post();
    }
    EXPECT_EQ(walk(t, QStringLiteral("Nummer")).join(QLatin1Char(',')), QStringLiteral("1,2,3,4"));
    t.setIndexName(QStringLiteral("sektagmonat"));
    EXPECT_EQ(walk(t, QStringLiteral("Nummer")).join(QLatin1Char(',')), QStringLiteral("2,4,3,1"));
    t.setIndexFieldNames(QStringLiteral("Text"));
    EXPECT_EQ(walk(t, QStringLiteral("Nummer")).join(QLatin1Char(',')), QStringLiteral("3,1,4,2"));
    EXPECT_EQ(errorOf([&] { t.setIndexFieldNames(QStringLiteral("Fehlt")); }),
        QStringLiteral("Feld 'Fehlt' nicht gefunden"));
    EXPECT_EQ(walk(t, QStringLiteral("Nummer")).join(QLatin1Char(',')), QStringLiteral("3,1,4,2"));
    t.setIndexFieldNames(QString());
    EXPECT_EQ(walk(t, QStringLiteral("Nummer")).join(QLatin1Char(',')), QStringLiteral("1,2,3,4"));
}

TEST_F(Tables, MasterDetailFollowsTheMaster)
{
    auto year = createDays(3, QDate(2024, 1, 30)); // 30.01., 31.01., 01.02.
    Table pictures;
    pictures.setFilePath(file(QStringLiteral("KalBild.DB")));
    pictures.create({ { QStringLiteral("Nr"), FieldType::AutoInc },
                        { QStringLiteral("DetailNR"), FieldType::Int32 },
                        { QStringLiteral("TextMonat"), FieldType::Memo, 50 } },
        { { QString(), { QStringLiteral("Nr") }, true, true },
            { QStringLiteral("Sek_IDNR"), { QStringLiteral("DetailNr") }, false, false, true } });
    pictures.open();
    for (int m = 1; m <= 12; ++m) {
        pictures.append();
        pictures.setInt(QStringLiteral("DetailNR"), m);
        pictures.setString(QStringLiteral("TextMonat"), QStringLiteral("Monat %1").arg(m));
        pictures.post();
    }
    pictures.setIndexFieldNames(QStringLiteral("Nr"));
    pictures.setMasterSource(year.get(), QStringLiteral("MonatNr"), QStringLiteral("Nr"));
    EXPECT_EQ(pictures.recordCount(), 1);
    EXPECT_EQ(pictures.asString(QStringLiteral("TextMonat")), QStringLiteral("Monat 1"));
    year->next();
    EXPECT_EQ(pictures.asInt(QStringLiteral("Nr")), 1);
    year->next();
    EXPECT_EQ(pictures.asInt(QStringLiteral("Nr")), 2);
    // A pending change in the detail is posted when the master moves on.
    pictures.setString(QStringLiteral("TextMonat"), QStringLiteral("Februar-Text"));
    year->first();
    EXPECT_EQ(pictures.asInt(QStringLiteral("Nr")), 1);
    // Changing the master's link field moves the detail along once posted.
    year->setInt(QStringLiteral("MonatNr"), 2);
    year->post();
    EXPECT_EQ(pictures.asString(QStringLiteral("TextMonat")), QStringLiteral("Februar-Text"));
    pictures.clearMasterSource();
    EXPECT_EQ(pictures.recordCount(), 12);
    year->close();
    EXPECT_EQ(pictures.recordCount(), 12);
}

TEST_F(Tables, TransactionsGroupPostsAndRollBack)
{
    auto t = createDays(366);
    EXPECT_EQ(t->recordCount(), 366);
    t->last();
    EXPECT_EQ(t->asDate(QStringLiteral("Datum")), QDate(2024, 12, 31));
    t->setRecNo(60);
    EXPECT_EQ(t->asDate(QStringLiteral("Datum")), QDate(2024, 2, 29));

    t->startTransaction();
    t->first();
    t->remove();
    t->setString(TEXT, QStringLiteral("weg"));
    t->post();
    t->rollback();
    EXPECT_EQ(t->recordCount(), 366);
    t->first();
    EXPECT_EQ(t->asString(TEXT), QStringLiteral("Tag 1"));
}

TEST_F(Tables, SuspendedViewsHearOnceOnResume)
{
    // The counters outlive the table: closing it at the end still signals.
    int resets = 0, moves = 0;
    auto t = createDays(4);
    QObject::connect(t.get(), &Table::recordsReset, [&] { ++resets; });
    QObject::connect(t.get(), &Table::currentChanged, [&] { ++moves; });
    t->disableControls();
    t->disableControls();
    for (t->first(); !t->eof(); t->next()) {
        t->setString(TEXT, QStringLiteral("x"));
        t->post();
    }
    t->enableControls();
    EXPECT_TRUE(t->controlsDisabled());
    EXPECT_EQ(resets + moves, 0);
    t->enableControls();
    EXPECT_FALSE(t->controlsDisabled());
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(moves, 1);
}

TEST_F(Tables, BlobsFromAndToFiles)
{
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(QColor(200, 120, 40));
    const QString jpeg = file(QStringLiteral("Bild.jpg"));
    ASSERT_TRUE(photo.save(jpeg, "JPG"));
    const QByteArray jpegBytes = test::readAll(jpeg);

    auto t = createDays(2);
    t->loadBlobFromFile(QStringLiteral("SymbolBild"), jpeg);
    EXPECT_EQ(t->blobSize(QStringLiteral("SymbolBild")), jpegBytes.size());
    t->post();
    const QString missing = file(QStringLiteral("fehlt.jpg"));
    EXPECT_EQ(errorOf([&] { t->loadBlobFromFile(QStringLiteral("SymbolBild"), missing); }),
        QStringLiteral("Die Datei '%1' kann nicht gelesen werden").arg(missing));
    EXPECT_EQ(t->state(), Table::State::Browse);

    auto reader = openDays();
    EXPECT_EQ(reader->asBytes(QStringLiteral("SymbolBild")), jpegBytes); // stored as read
    EXPECT_EQ(reader->image(QStringLiteral("SymbolBild")).size(), QSize(64, 48));
    const QString copy = file(QStringLiteral("Kopie.jpg"));
    reader->saveBlobToFile(QStringLiteral("SymbolBild"), copy);
    EXPECT_EQ(test::readAll(copy), jpegBytes);
    EXPECT_EQ(
        errorOf([&] { reader->image(TEXT); }), QStringLiteral("Feld 'Text' ist kein Grafikfeld"));

    reader->clearField(QStringLiteral("SymbolBild"));
    reader->post();
    t->first();
    EXPECT_TRUE(t->isNull(QStringLiteral("SymbolBild")));
    EXPECT_EQ(t->blobSize(QStringLiteral("SymbolBild")), 0);
}
