#include "StorageTestUtil.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::errorOf;

namespace {

// A year table as older versions wrote it: without TagimMonat and SymbolBild.
void createOldYear(const QString &path)
{
    Table t;
    t.setFilePath(path);
    t.create({ { QStringLiteral("Nummer"), FieldType::Int16 },
                 { QStringLiteral("Datum"), FieldType::Date },
                 { QStringLiteral("Text"), FieldType::String, 255 } },
        { { QStringLiteral("PrimIdx"), { QStringLiteral("Nummer") }, true, true } });
    t.open();
    for (int i = 1; i <= 3; ++i) {
        t.append();
        t.setInt(QStringLiteral("Nummer"), i);
        t.setDate(QStringLiteral("Datum"), QDate(2023, 1, i));
        t.setString(QStringLiteral("Text"), QStringLiteral("Tag %1").arg(i));
        t.post();
    }
}

QString statement(const QString &dir, const QString &tail)
{
    // The directory is written as the program's other half knows it: backslashes,
    // trailing separator, quotes doubled.
    QString windowsDir = QDir::toNativeSeparators(dir).replace(QLatin1Char('/'), QLatin1Char('\\'));
    windowsDir.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QStringLiteral("ALTER TABLE \"") + windowsDir + QStringLiteral("Alt.DB\"") + tail;
}

} // namespace

TEST(Ddl, AddsFieldsInADirectoryWithBlanksQuotesAndUmlauts)
{
    test::TempDir root;
    const QString dir = root.path() + QStringLiteral("Meine \"Kalender\" für Jürgen/");
    ASSERT_TRUE(QDir().mkpath(dir));
    createOldYear(dir + QStringLiteral("Alt.DB"));

    Session::executeDdl(statement(dir, QStringLiteral(" ADD Tagimmonat integer")));
    Session::executeDdl(statement(dir, QStringLiteral(" ADD SymbolBild blob(0,5)")));

    auto t = test::openTable(dir + QStringLiteral("Alt.DB"));
    EXPECT_EQ(t->fieldNames().last(2),
        QStringList({ QStringLiteral("Tagimmonat"), QStringLiteral("SymbolBild") }));
    EXPECT_EQ(t->fieldDef(QStringLiteral("TagimMonat")).type, FieldType::Int32);
    EXPECT_EQ(t->fieldDef(QStringLiteral("symbolbild")).type, FieldType::Graphic);
    EXPECT_EQ(t->recordCount(), 3);
    for (t->first(); !t->eof(); t->next()) {
        EXPECT_TRUE(t->isNull(QStringLiteral("TagimMonat")));
        t->setInt(QStringLiteral("TagimMonat"), t->asDate(QStringLiteral("Datum")).day());
        t->post();
    }
    t->last();
    EXPECT_EQ(t->asInt(QStringLiteral("TAGIMMONAT")), 3);
    EXPECT_EQ(t->asString(QStringLiteral("Text")), QStringLiteral("Tag 3"));
}

TEST(Ddl, BadStatementsChangeNothing)
{
    test::TempDir root;
    const QString dir = root.path();
    const QString path = dir + QStringLiteral("Alt.DB");
    createOldYear(path);
    const QByteArray before = test::readAll(path);
    const struct {
        QString statement;
        QString message;
    } cases[] = {
        { QStringLiteral("DROP TABLE records"),
            QStringLiteral("Ungültige Anweisung: DROP TABLE records") },
        { statement(dir, QStringLiteral(" ADD Text integer")),
            QStringLiteral("Feld 'Text' existiert bereits in Tabelle '%1'")
                .arg(QDir::toNativeSeparators(path)) },
        { statement(dir, QStringLiteral(" ADD Neu varchar2")),
            QStringLiteral("Ungültige Anweisung: ")
                + statement(dir, QStringLiteral(" ADD Neu varchar2")) },
        { statement(dir, QStringLiteral(" ADD \"x\" integer")),
            QStringLiteral("Ungültiger Feldname '\"x\"'") },
        { statement(dir, QStringLiteral(" ADD x integer; DROP TABLE records")),
            QStringLiteral("Ungültige Anweisung: ")
                + statement(dir, QStringLiteral(" ADD x integer; DROP TABLE records")) },
        { QStringLiteral("ALTER TABLE \"%1Fehlt.DB\" ADD X integer").arg(dir),
            QStringLiteral("Tabelle '%1' nicht gefunden")
                .arg(QDir::toNativeSeparators(dir + QStringLiteral("Fehlt.DB"))) },
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorOf([&] { Session::executeDdl(c.statement); }), c.message);
    EXPECT_EQ(test::readAll(path), before);

    // A table open through a cursor is not altered under it.
    auto open = test::openTable(path);
    EXPECT_TRUE(errorOf([&] {
        Session::executeDdl(statement(dir, QStringLiteral(" ADD X integer")));
    }).contains(QStringLiteral("gesperrt")));
}
