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
// Converts a value compared with the field (a filter literal, a master key, a searched value)
// to a logical value of the field's kind. No range or length limit applies, so a value that
// no record can hold finds nothing instead of failing; text that is no value of the kind
// throws as fromInput() does.
QVariant comparisonValue(const FieldDef &field, const QVariant &value);
// The value bound into SQL for a logical value.
QVariant toSql(FieldType type, const QVariant &value);
// Binds a logical value as the file stores it; the quick path of every post.
void bind(sql::Stmt &stmt, int index, FieldType type, const QVariant &value);
// Reads a stored column as a logical value (blobs as their bytes).
QVariant fromSql(FieldType type, const sql::Stmt &stmt, int column);
// Reads a stored date ("yyyy-MM-dd").
QDate isoDate(const QString &text);
// Writes a date as stored ("yyyy-MM-dd").
QString isoText(const QDate &date);
// Text form: dates "dd.MM.yyyy", booleans "True"/"False", integers in decimal.
QString toText(FieldType type, const QVariant &value);

} // namespace kb::fieldvalue
