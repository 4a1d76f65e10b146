#pragma once

#include "storage/Table.h"

#include <QDate>
#include <memory>

namespace kb::test {

// A small day table: Nummer (primary), Datum, Text, MonatNr, Alarm, Notizen, SymbolBild.
QList<FieldDef> dayFields();
QList<IndexDef> dayIndexes();
// Creates the day table `path` with one record per day from `from` on, in one transaction.
void createDays(const QString &path, QDate from, int days);
std::unique_ptr<Table> openTable(const QString &path, bool exclusive = false);

} // namespace kb::test
