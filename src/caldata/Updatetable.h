#pragma once

#include <QString>

namespace kb {

// Brings the year table of a calendar up to date before it is opened for display: adds
// `TagimMonat` and `SymbolBild` to calendars made before those fields existed, and brings
// every day's `TagimMonat` to its day of month (on every open, whether or not the field was
// just added; days that hold the right value already are not written again). Works through a handle
// of its own, which is closed again afterwards. Throws kb::Error with the engine's message when the
// table is missing, the statement fails or a post fails.
void updatetable(const QString &directory, const QString &tableName);

// The statement that adds one field to the table at `path`, e.g.
//   ALTER TABLE "C:\Daten\Test.DB" ADD Tagimmonat integer
QString alterTableAdd(const QString &path, const QString &fieldAndType);

} // namespace kb
