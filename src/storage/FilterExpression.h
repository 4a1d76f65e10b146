#pragma once

#include "storage/TableFile.h"

#include <QVariantList>

namespace kb::filter {

// A filter expression turned into an SQL condition over the record table; every
// literal becomes a bound parameter.
struct Condition {
    QString sql;
    QVariantList params;
};

// Parses "MonatNr='3'", "(MonatNr='1')or(MonatNr='2')", "not (Text='')" ...: comparisons
// (= <> < > <= >=) of a field with a quoted literal or a number, joined by and, or, not
// and parentheses. Literals are read as the field's type. Throws a German error when the
// expression does not parse or names an unknown field.
Condition parse(const QString &expression, const tablefile::Schema &schema);

} // namespace kb::filter
