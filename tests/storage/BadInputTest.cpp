#include "StorageTestUtil.h"
#include "storage/Sqlite.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kb;
using kb::test::errorOf;

namespace {

QString openError(const QString &path)
{
    Table t;
    t.setFilePath(path);
    const QString message = errorOf([&] { t.open(); });
    EXPECT_FALSE(t.isOpen());
    return message;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

class BadInput : public test::DayTableTest { };

} // namespace

TEST_F(BadInput, FilesThatAreNoSoundTableOpenNothingAndStayUnchanged)
{
    test::ScopedScriptedUi ui; // no question may be asked
    const QString good = file(QStringLiteral("Gut.DB"));
    test::createDays(good, QDate(2024, 1, 1), 366);
    const QByteArray table = test::readAll(good);

    QByteArray noise(3000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    const struct {
        const char *name;
        QByteArray bytes;
        const char *message;
    } cases[] = {
        { "Text.DB", "Dies ist keine Tabelle.\r\n", "Die Datei '%1' ist keine gültige Tabelle" },
        { "Leer.DB", QByteArray(), "Die Datei '%1' ist keine gültige Tabelle" },
        { "Rauschen.DB", noise, "Die Datei '%1' ist keine gültige Tabelle" },
        { "Halb.DB", table.left(table.size() / 2), "Die Tabelle '%1' ist beschädigt" },
        { "Kopf.DB", table.left(100), "Die Tabelle '%1' ist beschädigt" },
    };
    for (const auto &c : cases) {
        const QString path = file(QString::fromLatin1(c.name));
        test::writeAll(path, c.bytes);
        EXPECT_EQ(openError(path), QString::fromUtf8(c.message).arg(shown(path))) << c.name;
        EXPECT_EQ(test::readAll(path), c.bytes) << c.name;
    }
    // A plain SQLite database of someone else is no table of ours either.
    const QString foreign = file(QStringLiteral("Fremd.DB"));
    {
        sql::DbHandle db = sql::openFile(foreign, true);
        sql::exec(db.get(), QStringLiteral("CREATE TABLE t(a); INSERT INTO t VALUES(1)"));
    }
    const QByteArray foreignBytes = test::readAll(foreign);
    EXPECT_EQ(openError(foreign),
        QStringLiteral("Die Datei '%1' ist keine gültige Tabelle").arg(shown(foreign)));
    EXPECT_EQ(test::readAll(foreign), foreignBytes);

    const QString missing = file(QStringLiteral("Fehlt.DB"));
    EXPECT_EQ(
        openError(missing), QStringLiteral("Tabelle '%1' nicht gefunden").arg(shown(missing)));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 7); // no journal or copy left
}

TEST_F(BadInput, ATableLockedByAnotherProgramIsReported)
{
    auto t = createDays(3);
    const QString &path = m_path;
    {
        // Another program writes to the file and holds its lock.
        sql::DbHandle other = sql::openFile(path, false);
        sql::exec(other.get(), QStringLiteral("BEGIN EXCLUSIVE"));
        t->setString(QStringLiteral("Text"), QStringLiteral("neu"));
        EXPECT_EQ(errorOf([&] { t->post(); }),
            QStringLiteral("Die Tabelle '%1' ist gesperrt").arg(shown(path)));
        EXPECT_TRUE(t->isModified());
        Table second;
        second.setFilePath(path);
        EXPECT_EQ(errorOf([&] { second.open(); }),
            QStringLiteral("Die Tabelle '%1' ist gesperrt").arg(shown(path)));
    }
    t->post(); // the lock is gone: the kept change gets through
    t->first();
    EXPECT_EQ(t->asString(QStringLiteral("Text")), QStringLiteral("neu"));
}

TEST_F(BadInput, AReadOnlyTableCanBeReadButNotChanged)
{
    const QString &path = m_path;
    test::createDays(path, QDate(2024, 1, 1), 3);
    const QByteArray before = test::readAll(path);
    const QString refused
        = QStringLiteral("Die Tabelle '%1' ist schreibgeschützt").arg(shown(path));
    auto check = [&](Table &t) {
        EXPECT_TRUE(t.isReadOnly());
        EXPECT_EQ(t.recordCount(), 3);
        EXPECT_EQ(t.asString(QStringLiteral("Text")), QStringLiteral("Tag 1"));
        EXPECT_EQ(
            errorOf([&] { t.setString(QStringLiteral("Text"), QStringLiteral("x")); }), refused);
        EXPECT_EQ(errorOf([&] { t.append(); }), refused);
        EXPECT_EQ(errorOf([&] { t.remove(); }), refused);
        EXPECT_EQ(t.state(), Table::State::Browse);
    };
    {
        Table asked;
        asked.setFilePath(path);
        asked.setReadOnly(true);
        asked.open();
        check(asked);
    }
    if (::geteuid() != 0) { // file permissions do not bind the superuser
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        auto t = test::openTable(path);
        check(*t);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    EXPECT_EQ(test::readAll(path), before);
}

namespace {

// The record table rebuilt from its real columns, `change` altering each column's definition.
void rebuildRecords(
    sqlite3 *db, const std::function<QString(const QString &, const QString &)> &change)
{
    QStringList columns;
    sql::Stmt info(db, QStringLiteral("PRAGMA table_info(records)"));
    while (info.step()) {
        const QString name = info.columnText(1);
        const QString type = info.columnText(2);
        columns.append(name == QLatin1String("kb_rid")
                ? QStringLiteral("kb_rid INTEGER PRIMARY KEY")
                : change(name, type));
    }
    sql::exec(db,
        QStringLiteral("CREATE TABLE neu(%1); INSERT INTO neu SELECT * FROM records; "
                       "DROP TABLE records; ALTER TABLE neu RENAME TO records")
            .arg(columns.join(QLatin1Char(','))));
}

} // namespace

// The catalogue alone does not make a table: the record table as the file holds it must be
// the one the catalogue describes, and nothing in the file may run on its own.
TEST_F(BadInput, TheRealColumnsMustMatchTheCatalogue)
{
    test::ScopedScriptedUi ui;
    const auto same = [](const QString &name, const QString &type) {
        return sql::quoted(name) + QLatin1Char(' ') + type;
    };
    const struct {
        const char *was;
        std::function<void(sqlite3 *)> damage;
    } cases[] = {
        { "a column more",
            [](sqlite3 *db) {
                sql::exec(db, QStringLiteral("ALTER TABLE records ADD COLUMN Fremd BLOB"));
            } },
        { "a field of another column type",
            [&](sqlite3 *db) {
                rebuildRecords(db, [&](const QString &name, const QString &type) {
                    return name == QLatin1String("Nummer")
                        ? sql::quoted(name) + QStringLiteral(" TEXT")
                        : same(name, type);
                });
            } },
        { "a column that refuses empty values",
            [&](sqlite3 *db) {
                rebuildRecords(db, [&](const QString &name, const QString &type) {
                    return same(name, type)
                        + (name == QLatin1String("Text") ? QStringLiteral(" NOT NULL DEFAULT ''")
                                                         : QString());
                });
            } },
        { "a field the records lack",
            [](sqlite3 *db) {
                sql::exec(db,
                    QStringLiteral("INSERT INTO kb_fields VALUES(200,'Geist','String',10,0,0,0)"));
            } },
        { "a trigger",
            [](sqlite3 *db) {
                sql::exec(db,
                    QStringLiteral("CREATE TRIGGER weg AFTER UPDATE ON records "
                                   "BEGIN DELETE FROM records; END"));
            } },
    };
    for (const auto &c : cases) {
        const QString path = file(QStringLiteral("Feind.DB"));
        QFile::remove(path);
        test::createDays(path, QDate(2024, 1, 1), 5);
        {
            sql::DbHandle db = sql::openFile(path, false);
            c.damage(db.get());
        }
        EXPECT_EQ(
            openError(path), QStringLiteral("Die Tabelle '%1' ist beschädigt").arg(shown(path)))
            << c.was;
    }
}
