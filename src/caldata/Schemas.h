#pragma once

#include "storage/Table.h"

#include <QList>

namespace kb {

// Fields and indexes of one table, in the order they are created.
struct TableSchema {
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
};

// The tables of a calendar and the tables installed with the program.
namespace Schemas {

// Year table `<name>.DB`: one record per day, primary index "PrimIdx" on `Nummer`.
TableSchema jahrTabelle();
// Picture table `<name>Bild.DB`: one record per month.
TableSchema bildTabelle();
// Personal-dates table `<name>.DB` beside a `<name>.PER` file.
TableSchema persTabelle();
// Text library "Texte.db".
TableSchema texteTabelle();
// Report table "designer.db".
TableSchema designerTabelle();

// Creates the (closed) table's file with the schema.
void anlegen(Table &table, const TableSchema &schema);

} // namespace Schemas
} // namespace kb
