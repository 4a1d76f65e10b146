#include "StorageTestUtil.h"

namespace kb::test {

QList<FieldDef> dayFields()
{
    return {
        { QStringLiteral("Nummer"), FieldType::Int16 },
        { QStringLiteral("Datum"), FieldType::Date },
        { QStringLiteral("Text"), FieldType::String, 255 },
        { QStringLiteral("MonatNr"), FieldType::Int16 },
        { QStringLiteral("Alarm"), FieldType::Boolean },
        { QStringLiteral("Notizen"), FieldType::Memo, 100 },
        { QStringLiteral("SymbolBild"), FieldType::Graphic },
    };
}

QList<IndexDef> dayIndexes()
{
    return { { QStringLiteral("PrimIdx"), { QStringLiteral("Nummer") }, true, true } };
}

void createDays(const QString &path, QDate from, int days)
{
    Table t;
    t.setFilePath(path);
    t.create(dayFields(), dayIndexes());
    t.open();
    t.startTransaction();
    for (int i = 0; i < days; ++i) {
        const QDate day = from.addDays(i);
        t.append();
        t.setInt(QStringLiteral("Nummer"), i + 1);
        t.setDate(QStringLiteral("Datum"), day);
        t.setString(QStringLiteral("Text"), QStringLiteral("Tag %1").arg(i + 1));
        t.setInt(QStringLiteral("MonatNr"), day.month());
        t.post();
    }
    t.commit();
}

std::unique_ptr<Table> openTable(const QString &path, bool exclusive)
{
    auto t = std::make_unique<Table>();
    t->setFilePath(path);
    t->open(exclusive);
    return t;
}

} // namespace kb::test
