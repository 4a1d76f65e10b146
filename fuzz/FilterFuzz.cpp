// Arbitrary text as a filter expression on a real table with a field of every comparable
// type. An expression either is refused with kb::Error by the parser, or it parses and then
// filters the table without an error.

#include "FuzzSupport.h"
#include "platform/Error.h"
#include "storage/FilterExpression.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QDate>
#include <cstdlib>
#include <memory>

namespace {

QList<kb::FieldDef> fields()
{
    using kb::FieldType;
    return {
        { QStringLiteral("Nummer"), FieldType::AutoInc },
        { QStringLiteral("Datum"), FieldType::Date },
        { QStringLiteral("Text"), FieldType::String, 40 },
        { QStringLiteral("MonatNr"), FieldType::Int16, 0, false, 1, 12 },
        { QStringLiteral("Anzahl"), FieldType::Int32 },
        { QStringLiteral("Alarm"), FieldType::Boolean },
        { QStringLiteral("Notizen"), FieldType::Memo, 100 },
        { QStringLiteral("SymbolBild"), FieldType::Graphic },
    };
}

// The table the filters run on: a few days with texts, numbers and blanks.
std::unique_ptr<kb::Table> makeTable()
{
    auto t = std::make_unique<kb::Table>();
    t->setFilePath(kb::fuzz::scratchDir() + QStringLiteral("/Filter.DB"));
    t->create(fields(), { { QStringLiteral("PrimIdx"), { QStringLiteral("Nummer") }, true } });
    t->open();
    for (int i = 0; i < 6; ++i) {
        t->append();
        t->setDate(QStringLiteral("Datum"), QDate(2024, 1 + 2 * i, 1 + i));
        if (i % 3 != 0)
            t->setString(QStringLiteral("Text"), QStringLiteral("Tag '%1' ä").arg(i));
        t->setInt(QStringLiteral("MonatNr"), 1 + 2 * i);
        t->setInt(QStringLiteral("Anzahl"), i * 1000 - 2500);
        t->setBool(QStringLiteral("Alarm"), i % 2 == 0);
        t->post();
    }
    t->setFiltered(true);
    return t;
}

kb::Table *table;
kb::tablefile::Schema schema;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    kb::fuzz::initialize(argc, argv);
    static std::unique_ptr<kb::Table> owner = makeTable();
    table = owner.get();
    schema.fields = table->fieldDefs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString expression = QString::fromUtf8(kb::fuzz::bytes(data, size));
    try {
        kb::filter::parse(expression, schema);
    } catch (const kb::Error &) {
        return 0; // refused with its message
    }
    // What parses runs: the condition is sound SQL and its values bind.
    try {
        table->setFilter(expression);
        for (table->first(); !table->eof(); table->next())
            table->asString(QStringLiteral("Text"));
    } catch (const kb::Error &) {
        std::abort();
    }
    return 0;
}
