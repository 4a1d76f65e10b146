#pragma once

#include <QString>

namespace kb {

// Where the program keeps its files: settings, text library, report table, calendars.
// Paths use '/' and end with '/'.
namespace ProgramDir {

// KRONOBLATT_HOME if set; else the executable's directory if writable; else the user's data
// directory, seeded on first use with the data files installed beside the executable.
QString path();
// path() + "Kalenderdaten/"
QString calendarDataDir();
// path() + "Designer/"
QString designerDir();

// Forgets the cached result (tests change KRONOBLATT_HOME between cases).
void reset();

// Copies every file below `from` into `to` that `to` does not have yet. Never overwrites.
void seed(const QString &from, const QString &to);

} // namespace ProgramDir
} // namespace kb
