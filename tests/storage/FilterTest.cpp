#include "StorageTestUtil.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace kb;
using kb::test::errorOf;

namespace {

class Filter : public test::DayTableTest {
protected:
    void SetUp() override
    {
        // 30.01.2024 to 03.03.2024: 2 January days, 29 February days, 3 March days.
        m_table = createDays(34, QDate(2024, 1, 30));
        m_table->first();
        m_table->setString(QStringLiteral("Text"), QString()); // day 1 has an empty text
        m_table->setBool(QStringLiteral("Alarm"), true);
        m_table->post();
    }

    int countWith(const QString &expression)
    {
        m_table->setFilter(expression);
        m_table->setFiltered(true);
        const int n = m_table->recordCount();
        m_table->setFiltered(false);
        return n;
    }

    std::unique_ptr<Table> m_table;
};

} // namespace

TEST_F(Filter, ExpressionsSelectTheMatchingRecords)
{
    const struct {
        const char *expression;
        int count;
    } cases[] = {
        { "MonatNr='3'", 3 },
        { "(MonatNr='1')or(MonatNr='2')", 31 },
        { "monatnr = 2 AND Nummer < '10'", 7 },
        { "not (MonatNr='2')", 5 },
        { "MonatNr<>'2' and (Nummer>='33' or Nummer<=1)", 3 },
        { "Text='Tag 3'", 1 },
        { "Text='it''s'", 0 },
        { "Text=''", 1 },
        { "Text<>''", 33 },
        { "Datum='29.02.2024'", 1 },
        { "Datum>'2024-02-29'", 3 },
        { "Alarm='True'", 1 },
        { "MonatNr='13'", 0 },
        { "", 34 },
    };
    for (const auto &c : cases)
        EXPECT_EQ(countWith(QString::fromLatin1(c.expression)), c.count) << c.expression;
}

TEST_F(Filter, SwitchingOnMovesToTheFirstMatchAndOffShowsAll)
{
    m_table->setFilter(QStringLiteral("MonatNr='3'"));
    EXPECT_EQ(m_table->recordCount(), 34); // not yet switched on
    m_table->setFiltered(true);
    EXPECT_EQ(m_table->recNo(), 1);
    EXPECT_EQ(m_table->asDate(QStringLiteral("Datum")), QDate(2024, 3, 1));
    m_table->setFilter(QStringLiteral("MonatNr='1'"));
    EXPECT_EQ(m_table->recordCount(), 2);
    // A record that leaves the filter by an edit disappears from the set.
    m_table->setInt(QStringLiteral("MonatNr"), 5);
    m_table->post();
    EXPECT_EQ(m_table->recordCount(), 1);
    m_table->setFiltered(false);
    EXPECT_EQ(m_table->recordCount(), 34);
}

TEST_F(Filter, ABadFilterIsRefusedAndTheOldOneStays)
{
    m_table->setFilter(QStringLiteral("MonatNr='3'"));
    m_table->setFiltered(true);
    const struct {
        const char *expression;
        const char *message;
    } cases[] = {
        { "MonatNr='3", "Ungültiger Filter 'MonatNr='3': Anführungszeichen nicht geschlossen" },
        { "MonatNr=", "Ungültiger Filter 'MonatNr=': Wert erwartet nach '='" },
        { "(MonatNr='1'", "Ungültiger Filter '(MonatNr='1'': ')' fehlt" },
        { "MonatNr='1' or", "Ungültiger Filter 'MonatNr='1' or': Feldname erwartet statt 'Ende'" },
        { "Monat='1'", "Feld 'Monat' nicht gefunden" },
        { "MonatNr='drei'",
            "Ungültiger Filter 'MonatNr='drei'': 'drei' ist kein gültiger "
            "Ganzzahlwert für Feld 'MonatNr'" },
        { "MonatNr='1'; DROP TABLE records",
            "Ungültiger Filter 'MonatNr='1'; DROP TABLE records': "
            "unerwartetes Zeichen ';'" },
        { "SymbolBild='x'",
            "Ungültiger Filter 'SymbolBild='x'': Feld 'SymbolBild' kann nicht "
            "verglichen werden" },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(errorOf([&] { m_table->setFilter(QString::fromLatin1(c.expression)); }),
            QString::fromUtf8(c.message));
    }
    EXPECT_EQ(m_table->filter(), QStringLiteral("MonatNr='3'"));
    EXPECT_EQ(m_table->recordCount(), 3);
    // A bad filter set while closed is reported when the table opens, which then stays closed.
    Table other;
    other.setFilePath(m_path);
    other.setFilter(QStringLiteral("MonatNr=="));
    other.setFiltered(true);
    EXPECT_FALSE(errorOf([&] { other.open(); }).isEmpty());
    EXPECT_FALSE(other.isOpen());
}

// Nesting as deep as a person writes it works, and so do long chains of and/or; nesting or
// chains that would exhaust the stack or the table engine's SQL parser are refused with a
// message like any other bad filter, and the old filter stays.
TEST_F(Filter, DeepNestingAndLongChainsAreRefusedOrWorkNeverFailInTheTable)
{
    const QString month = QStringLiteral("MonatNr='3'");
    const auto parens = [](int depth, const QString &inner) {
        return QStringLiteral("(").repeated(depth) + inner + QStringLiteral(")").repeated(depth);
    };
    QString orNested = month; // MonatNr='3' or (MonatNr='3' or (...))
    for (int i = 0; i < 19; ++i)
        orNested = month + QStringLiteral(" or (") + orNested + QLatin1Char(')');
    const struct {
        const char *name;
        QString expression;
        int count;
    } working[] = {
        { "19 parentheses", parens(19, month), 3 },
        { "19 nots", QStringLiteral("not ").repeated(19) + month, 31 },
        { "or nested 19 deep", orNested, 3 },
        { "400 ors", QStringLiteral("MonatNr='3' or ").repeated(399) + month, 3 },
        { "400 ands", QStringLiteral("Nummer>'0' and ").repeated(399) + month, 3 },
    };
    for (const auto &c : working)
        EXPECT_EQ(countWith(c.expression), c.count) << c.name;

    m_table->setFilter(month);
    m_table->setFiltered(true);
    const struct {
        const char *name;
        QString expression;
        const char *message;
    } refused[] = {
        { "20 parentheses", parens(20, month), ": zu tief verschachtelt" },
        { "100000 parentheses", parens(100000, month), ": zu tief verschachtelt" },
        { "100000 nots", QStringLiteral("not ").repeated(100000) + month,
            ": zu tief verschachtelt" },
        { "(not 100 deep",
            QStringLiteral("(not ").repeated(100) + month + QStringLiteral(")").repeated(100),
            ": zu tief verschachtelt" },
        { "600 ors", QStringLiteral("MonatNr='3' or ").repeated(599) + month,
            ": mehr als 500 Vergleiche" },
    };
    for (const auto &c : refused) {
        EXPECT_TRUE(errorOf([&] {
            m_table->setFilter(c.expression);
        }).endsWith(QString::fromUtf8(c.message)))
            << c.name;
    }
    EXPECT_EQ(m_table->filter(), month);
    EXPECT_EQ(m_table->recordCount(), 3);
}

TEST(Literals, FilterLocateAndMasterLinkReadAComparedValueAlike)
{
    // A value compared with a field is read as the field's kind but without its range or
    // length, so a value no record can hold finds nothing instead of failing; text that is
    // no value of that kind is refused by a filter and by locate and links to nothing.
    test::TempDir dir;
    Table days;
    days.setFilePath(dir.file(QStringLiteral("Pers.DB")));
    days.create({ { QStringLiteral("nummer"), FieldType::AutoInc },
        { QStringLiteral("FracTag"), FieldType::Int16, 0, true, 1, 31 },
        { QStringLiteral("Tag"), FieldType::String, 2 } });
    days.open();
    for (const auto &[day, name] : { std::pair { 5, "Mo" }, std::pair { 31, "So" } }) {
        days.append();
        days.setInt(QStringLiteral("FracTag"), day);
        days.setString(QStringLiteral("Tag"), QString::fromLatin1(name));
        days.post();
    }
    Table master;
    master.setFilePath(dir.file(QStringLiteral("Wert.DB")));
    master.create({ { QStringLiteral("Wert"), FieldType::String, 20 } });
    master.open();
    master.append();
    master.post();

    const struct {
        const char *field;
        const char *literal;
        int count; // -1: refused
        const char *error;
    } cases[] = {
        { "FracTag", "31", 1, "" },
        { "FracTag", "99", 0, "" }, // beyond the field's range
        { "FracTag", "70000", 0, "" }, // beyond a 16-bit number
        { "FracTag", " 5 ", 1, "" },
        { "Tag", "So", 1, "" },
        { "Tag", "Sonntag", 0, "" }, // longer than the field
        { "nummer", "2", 1, "" }, // an auto-increment field
        { "FracTag", "drei", -1, "'drei' ist kein gültiger Ganzzahlwert für Feld 'FracTag'" },
    };
    for (const auto &c : cases) {
        const QString field = QString::fromLatin1(c.field);
        const QString literal = QString::fromLatin1(c.literal);
        const QString error = QString::fromUtf8(c.error);
        SCOPED_TRACE(QStringLiteral("%1='%2'").arg(field, literal).toStdString());

        days.clearMasterSource();
        const QString expression = QStringLiteral("%1='%2'").arg(field, literal);
        const QString filterError = errorOf([&] { days.setFilter(expression); });
        if (c.count < 0) {
            EXPECT_EQ(
                filterError, QStringLiteral("Ungültiger Filter '%1': %2").arg(expression, error));
        } else {
            EXPECT_EQ(filterError, QString());
            days.setFiltered(true);
            EXPECT_EQ(days.recordCount(), c.count);
            days.setFiltered(false);
        }
        days.setFilter(QString());

        bool found = false;
        EXPECT_EQ(
            errorOf([&] { found = days.locate(field, literal); }), c.count < 0 ? error : QString());
        EXPECT_EQ(found, c.count > 0);

        master.setString(QStringLiteral("Wert"), literal);
        master.post();
        days.setMasterSource(&master, QStringLiteral("Wert"), field);
        EXPECT_EQ(days.recordCount(), std::max(c.count, 0));
    }
}
