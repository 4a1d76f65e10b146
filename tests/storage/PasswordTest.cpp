#include "StorageTestUtil.h"
#include "storage/TableFile.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::errorOf;

namespace {

const QString kNotExclusive
    = QStringLiteral("Table must be opened in exclusive mode to add passwords");

class Password : public ::testing::Test {
protected:
    void SetUp() override
    {
        Session::removeAllPasswords();
        test::createDays(m_path, QDate(2024, 1, 1), 31);
    }
    void TearDown() override
    {
        Session::removeAllPasswords();
        tablefile::setRewriteHook({});
    }

    void protect(const QString &password)
    {
        auto t = test::openTable(m_path, true);
        t->addMasterPassword(password);
    }

    test::TempDir m_dir;
    QString m_path = m_dir.file(QStringLiteral("Geheim.DB"));
};

} // namespace

TEST_F(Password, AddingNeedsTheTableOpenExclusively)
{
    Table t;
    t.setFilePath(m_path);
    EXPECT_EQ(errorOf([&] { t.addMasterPassword(QStringLiteral("x")); }), kNotExclusive);
    t.open();
    EXPECT_EQ(errorOf([&] { t.addMasterPassword(QStringLiteral("x")); }), kNotExclusive);
    EXPECT_FALSE(t.isProtected());
    // Exclusive and shared cursors keep each other out.
    Table exclusive;
    exclusive.setFilePath(m_path);
    EXPECT_TRUE(errorOf([&] { exclusive.open(true); }).contains(QStringLiteral("gesperrt")));
    t.close();
    exclusive.open(true);
    EXPECT_TRUE(errorOf([&] { t.open(); }).contains(QStringLiteral("gesperrt")));
    // Other programs are kept out as well.
    sql::DbHandle other = sql::openFile(m_path, false);
    try {
        sql::Stmt(other.get(), QStringLiteral("SELECT count(*) FROM records")).step();
        ADD_FAILURE() << "another connection could read the exclusive table";
    } catch (const sql::SqlError &e) {
        EXPECT_EQ(e.failure, sql::Failure::Busy);
    }
}

TEST_F(Password, ProtectedTableIsEncryptedAndOpensWithTheKnownPassword)
{
    test::ScopedScriptedUi ui;
    {
        auto t = test::openTable(m_path, true);
        t->setRecNo(10);
        t->addMasterPassword(QStringLiteral("Geheim123"));
        // The table reopened where it was, with its records.
        EXPECT_TRUE(t->isOpen());
        EXPECT_TRUE(t->isProtected());
        EXPECT_EQ(t->asInt(QStringLiteral("Nummer")), 10);
        EXPECT_EQ(t->recordCount(), 31);
    }
    EXPECT_EQ(Session::passwords(), QStringList { QStringLiteral("Geheim123") });
    const QByteArray bytes = test::readAll(m_path);
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("Tag 1"));
    EXPECT_FALSE(QFile::exists(m_path + QStringLiteral(".kbtmp")));

    auto again = test::openTable(m_path); // known: no question
    EXPECT_EQ(again->recordCount(), 31);
    EXPECT_TRUE(ui->prompts().isEmpty());
}

TEST_F(Password, AnUnknownPasswordIsAskedForAndAWrongOneOpensNothing)
{
    protect(QStringLiteral("abc"));
    Session::removeAllPasswords();
    const QByteArray before = test::readAll(m_path);
    const QString name = QDir::toNativeSeparators(m_path);
    test::ScopedScriptedUi ui;
    Table t;
    t.setFilePath(m_path);

    ui->answerInput(QStringLiteral("falsch"));
    EXPECT_EQ(
        errorOf([&] { t.open(); }), QStringLiteral("Falsches Passwort für Tabelle '%1'").arg(name));
    ui->answerInput(std::nullopt);
    EXPECT_EQ(errorOf([&] { t.open(); }),
        QStringLiteral("Kein Passwort für Tabelle '%1' angegeben").arg(name));
    EXPECT_FALSE(t.isOpen());
    EXPECT_TRUE(Session::passwords().isEmpty());
    EXPECT_EQ(test::readAll(m_path), before);

    ui->answerInput(QStringLiteral("abc"));
    t.open();
    EXPECT_EQ(t.recordCount(), 31);
    EXPECT_EQ(ui->prompts().size(), 3);
    EXPECT_EQ(ui->prompts().first(), QStringLiteral("Passwort für Tabelle '%1':").arg(name));
    EXPECT_EQ(Session::passwords(), QStringList { QStringLiteral("abc") });
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(Password, AFailureDuringTheRewriteLeavesTheOldTable)
{
    const QByteArray before = test::readAll(m_path);
    auto t = test::openTable(m_path, true);
    QString copy;
    tablefile::setRewriteHook([&](const QString &path) {
        copy = path;
        ASSERT_TRUE(QFile::exists(path)); // the complete copy is written...
        throw Error(QStringLiteral("Stromausfall"));
    });
    EXPECT_EQ(errorOf([&] { t->addMasterPassword(QStringLiteral("neu")); }),
        QStringLiteral("Stromausfall"));
    tablefile::setRewriteHook({});
    EXPECT_EQ(test::readAll(m_path), before); // ...but the table itself is untouched
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(Session::passwords().isEmpty());
    EXPECT_TRUE(t->isOpen());
    EXPECT_FALSE(t->isProtected());
    t->first();
    t->setString(QStringLiteral("Text"), QStringLiteral("weiter"));
    t->post();

    // A copy left behind by a crash does not disturb the next rewrite.
    test::writeAll(copy, "halb geschrieben");
    t->addMasterPassword(QStringLiteral("neu"));
    EXPECT_TRUE(t->isProtected());
    EXPECT_EQ(t->asString(QStringLiteral("Text")), QStringLiteral("weiter"));
}

TEST_F(Password, AnEmptyMasterPasswordRemovesTheProtection)
{
    protect(QStringLiteral("abc"));
    protect(QString());
    EXPECT_TRUE(test::readAll(m_path).startsWith("SQLite format 3"));
    Session::removeAllPasswords();
    auto t = test::openTable(m_path);
    EXPECT_FALSE(t->isProtected());
    EXPECT_EQ(t->recordCount(), 31);
}

namespace {

// Whether the cipher itself, keyed the ordinary way with `password` and `iterations`, reads
// the file: the file format stays the cipher's own.
bool cipherReads(const QString &path, const QString &password, int iterations)
{
    sql::DbHandle db = sql::openFile(path, false);
    sql::key(db.get(), password);
    sql::exec(db.get(), QStringLiteral("PRAGMA kdf_iter = %1").arg(iterations));
    try {
        sql::Stmt(db.get(), QStringLiteral("SELECT count(*) FROM records")).step();
        return true;
    } catch (const sql::SqlError &) {
        return false;
    }
}

} // namespace

TEST_F(Password, NewProtectionsDeriveTheirKeyWith256000Iterations)
{
    test::ScopedScriptedUi ui;
    protect(QStringLiteral("Geheim"));
    EXPECT_TRUE(cipherReads(m_path, QStringLiteral("Geheim"), 256000));
    EXPECT_FALSE(cipherReads(m_path, QStringLiteral("Geheim"), 64000));
    EXPECT_FALSE(cipherReads(m_path, QStringLiteral("geheim"), 256000));
}

// Tables protected before keep opening: their key came from the cipher's default then,
// 64000 iterations, with the passphrase handed to the cipher.
TEST_F(Password, TablesProtectedWithTheOldSettingStillOpen)
{
    {
        sql::DbHandle plain = sql::openFile(m_path, false);
        const QString copy = m_dir.file(QStringLiteral("Alt.DB"));
        test::writeAll(copy, QByteArray()); // the connection may not create files
        sql::Stmt(plain.get(), QStringLiteral("ATTACH DATABASE ? AS alt KEY ?"))
            .bindText(1, copy)
            .bindText(2, QStringLiteral("Alt 1"))
            .exec();
        sql::Stmt(plain.get(), QStringLiteral("SELECT sqlcipher_export('alt')")).exec();
        sql::exec(plain.get(), QStringLiteral("DETACH DATABASE alt"));
        m_path = copy;
    }
    ASSERT_TRUE(cipherReads(m_path, QStringLiteral("Alt 1"), 64000));
    test::ScopedScriptedUi ui;
    ui->answerInput(QStringLiteral("Alt 1"));
    auto t = test::openTable(m_path);
    EXPECT_TRUE(t->isProtected());
    EXPECT_EQ(t->recordCount(), 31);
    // Protected again, it gets today's setting.
    t->close();
    t->open(true);
    t->addMasterPassword(QStringLiteral("Alt 1"));
    t->close();
    EXPECT_TRUE(cipherReads(m_path, QStringLiteral("Alt 1"), 256000));
}

// Two tables protected together with one password share the key derivation, so opening the
// protected calendar costs it once.
TEST_F(Password, TablesProtectedTogetherShareTheirSalt)
{
    const QString second = m_dir.file(QStringLiteral("GeheimBild.DB"));
    test::createDays(second, QDate(2024, 2, 1), 10);
    test::ScopedScriptedUi ui;
    protect(QStringLiteral("Pw"));
    {
        auto t = test::openTable(second, true);
        t->addMasterPassword(QStringLiteral("Pw"));
    }
    EXPECT_EQ(test::readAll(m_path).left(16), test::readAll(second).left(16));
    EXPECT_TRUE(cipherReads(second, QStringLiteral("Pw"), 256000));
    // After the known passwords are forgotten a new protection gets a salt of its own.
    Session::removeAllPasswords();
    ui->answerInput(QStringLiteral("Pw"));
    {
        auto t = test::openTable(second, true);
        t->addMasterPassword(QStringLiteral("Pw"));
    }
    EXPECT_NE(test::readAll(m_path).left(16), test::readAll(second).left(16));
}

// Another program changes the password while this one has the table open: it puts a new
// file in the table's place. A change posted afterwards would go into the old file, which is
// gone: it is refused with a message and stays pending; the new file is as it was.
TEST_F(Password, AChangeToATableAnotherProgramReplacedIsRefusedAndKept)
{
    auto t = test::openTable(m_path);
    t->setRecNo(3);

    const QString copy = m_path + QStringLiteral(".neu");
    ASSERT_TRUE(QFile::copy(m_path, copy));
    ASSERT_EQ(
        std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(m_path).constData()), 0);
    const QByteArray replaced = test::readAll(m_path);

    const QString message
        = QStringLiteral("Die Tabelle '%1' wurde inzwischen von einem anderen Programm ersetzt, "
                         "etwa durch ein neues Passwort. Die Änderung wurde nicht gespeichert; "
                         "bitte öffnen Sie den Kalender neu.")
              .arg(tablefile::displayName(m_path));
    t->edit();
    t->setString(QStringLiteral("Text"), QStringLiteral("Notiz"));
    EXPECT_EQ(errorOf([&] { t->post(); }), message);
    EXPECT_EQ(t->state(), Table::State::Edit);
    EXPECT_EQ(t->asString(QStringLiteral("Text")), QStringLiteral("Notiz"));
    t->cancel();
    EXPECT_EQ(errorOf([&] { t->remove(); }), message);
    EXPECT_EQ(errorOf([&] { t->startTransaction(); }), message);
    EXPECT_EQ(test::readAll(m_path), replaced);

    // Opened again, the table writes to the new file.
    t->close();
    t->open();
    t->setRecNo(3);
    t->edit();
    t->setString(QStringLiteral("Text"), QStringLiteral("Notiz"));
    t->post();
    EXPECT_EQ(test::openTable(m_path)->recordCount(), 31);
}
