#include "caldata/Updatetable.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/Schemas.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kb;

namespace {

// A calendar as older versions made it: the year table without `TagimMonat` and
// `SymbolBild`.
void alterKalender(const QString &path, int year)
{
    TableSchema schema = Schemas::jahrTabelle();
    schema.fields.removeLast();
    schema.fields.removeLast();
    Table t;
    t.setFilePath(path);
    Schemas::anlegen(t, schema);
    t.open();
    for (const TagDatensatz &d : tageDesJahres(year, 0)) {
        t.append();
        t.setInt(QStringLiteral("Nummer"), d.nummer);
        t.setDate(QStringLiteral("Datum"), d.datum);
        t.setString(QStringLiteral("Text"), d.text);
        t.setInt(QStringLiteral("Kennung"), d.kennung);
        if (d.nummer == 100)
            t.setString(QStringLiteral("Notizen"), QStringLiteral("Notiz bleibt"));
        t.post();
    }
    t.close();
}

struct Snapshot {
    QStringList fields;
    QList<QVariantList> rows;
    bool operator==(const Snapshot &) const = default;
};

Snapshot lesen(const QString &path)
{
    Table t;
    t.setFilePath(path);
    t.open();
    Snapshot s { t.fieldNames(), {} };
    for (t.first(); !t.eof(); t.next()) {
        QVariantList row;
        for (const QString &f : std::as_const(s.fields))
            row.append(t.value(f));
        s.rows.append(row);
    }
    return s;
}

TEST(Updatetable, OldCalendarGainsBothFieldsAndDayOfMonth)
{
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("Alt.DB"));
    alterKalender(path, 2024);
    const Snapshot before = lesen(path);
    ASSERT_EQ(before.fields.size(), 15);

    updatetable(dir.path(), QStringLiteral("Alt.DB"));

    Table t;
    t.setFilePath(path);
    t.open();
    const QStringList fields = t.fieldNames();
    ASSERT_EQ(fields.size(), 17);
    EXPECT_EQ(fields.mid(0, 15), before.fields);
    EXPECT_EQ(fields.at(15).compare(QStringLiteral("TagimMonat"), Qt::CaseInsensitive), 0);
    EXPECT_EQ(fields.at(16), QStringLiteral("SymbolBild"));
    EXPECT_EQ(t.fieldDef(QStringLiteral("SymbolBild")).type, FieldType::Graphic);
    ASSERT_EQ(t.recordCount(), 366);
    int row = 0;
    for (t.first(); !t.eof(); t.next(), ++row) {
        ASSERT_EQ(t.asInt(QStringLiteral("TagimMonat")), t.asDate(QStringLiteral("Datum")).day());
        // Every other value stays.
        for (int f = 0; f < 15; ++f)
            ASSERT_EQ(t.value(fields.at(f)), before.rows.at(row).at(f))
                << fields.at(f).toStdString();
    }
    ASSERT_TRUE(t.locate(QStringLiteral("Nummer"), 100));
    EXPECT_EQ(t.asString(QStringLiteral("Notizen")), QStringLiteral("Notiz bleibt"));
    t.close();

    // Opening again adds nothing and writes the same values.
    const Snapshot upgraded = lesen(path);
    updatetable(dir.path(), QStringLiteral("Alt.DB"));
    EXPECT_EQ(lesen(path), upgraded);
}

TEST(Updatetable, NewCalendarKeepsItsSchemaAndValues)
{
    test::TempDir dir;
    AnlageEingaben e;
    e.land = QStringLiteral("Bayern");
    e.verzeichnis = dir.path();
    e.datei = QStringLiteral("Neu");
    e.jahr = 2023;
    kalenderAnlegen(e);
    const QString path = dir.file(QStringLiteral("Neu.DB"));
    const Snapshot before = lesen(path);
    const QByteArray bytes = test::readAll(path);

    // The directory may come with a Windows-style separator at its end.
    updatetable(QDir::toNativeSeparators(dir.path()).chopped(1) + QLatin1Char('\\'),
        QStringLiteral("Neu.DB"));
    EXPECT_EQ(lesen(path), before);
    // Nothing needed writing, and nothing was written.
    EXPECT_EQ(test::readAll(path), bytes);

    Table t;
    t.setFilePath(path);
    t.open();
    EXPECT_EQ(t.fieldDef(QStringLiteral("TagimMonat")).type, FieldType::Int16);
}

TEST(Updatetable, MissingTableFailsWithTheEnginesMessage)
{
    test::TempDir dir;
    EXPECT_FALSE(
        test::errorOf([&] { updatetable(dir.path(), QStringLiteral("Fehlt.DB")); }).isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(Updatetable, StatementQuotesThePath)
{
    EXPECT_EQ(
        alterTableAdd(QStringLiteral("C:\\Daten\\Test.DB"), QStringLiteral("Tagimmonat integer")),
        QStringLiteral("ALTER TABLE \"C:\\Daten\\Test.DB\" ADD Tagimmonat integer"));
    EXPECT_EQ(
        alterTableAdd(QStringLiteral("/a \"b\"/T.DB"), QStringLiteral("SymbolBild blob(0,5)")),
        QStringLiteral("ALTER TABLE \"/a \"\"b\"\"/T.DB\" ADD SymbolBild blob(0,5)"));
}

} // namespace
