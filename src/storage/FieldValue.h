#pragma once

#include "storage/Table.h"

namespace kb::sql {
class Stmt;
}

// Conversions between what callers assign, the logical value a cursor holds
// (int, QString, QDate, bool, QByteArray or null) and what the file stores.
namespace kb::fieldvalue {

// Converts an assigned value to the field's logical value; throws a German error for
// a value the field cannot take (text that is no number or date, out of range, too long).
QVariant fromInput(const FieldDef &field, const QVariant &value);
// The value bound into SQL for a logical value.
QVariant toSql(FieldType type, const QVariant &value);
// Reads a stored column as a logical value (blobs as their bytes).
QVariant fromSql(FieldType type, const sql::Stmt &stmt, int column);
// Reads a stored date ("yyyy-MM-dd").
QDate isoDate(const QString &text);
// Text form: dates "dd.MM.yyyy", booleans "True"/"False", integers in decimal.
QString toText(FieldType type, const QVariant &value);

} // namespace kb::fieldvalue
