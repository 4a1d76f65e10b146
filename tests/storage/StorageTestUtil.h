#pragma once

#include "platform/Error.h"
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

// The German message of the kb::Error that `f` throws; empty when it throws none.
template<typename F> QString errorOf(F &&f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    return QString();
}

} // namespace kb::test
