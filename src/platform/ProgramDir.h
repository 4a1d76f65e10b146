#pragma once

#include <QString>
#include <QStringList>

namespace kb {

// Where the program keeps its files: settings, text library, report table, calendars.
// Paths use '/' and end with '/'.
namespace ProgramDir {

// KRONOBLATT_HOME if set; else the executable's directory if writable; else the user's data
// directory. Whichever it is, the installed data files it lacks are copied into it when it is
// first determined (see seed()).
QString path();
// path() + "Kalenderdaten/"
QString calendarDataDir();
// path() + "Designer/"
QString designerDir();

// Forgets the cached result (tests change KRONOBLATT_HOME between cases).
void reset();

// The data files installed with the program, relative to the folder that holds them. An
// entry ending with '/' is a folder whose files all belong to the installation.
const QStringList &installedDataFiles();
// The folders that may hold the installed data files, in the order they are looked at: the
// executable's folder, and <prefix>/share/kronoblatt beside a <prefix>/bin folder.
QStringList installedDataDirs(const QString &executableDir);

// Copies the installed data files found in `from` into `to` where `to` does not have them
// yet. Never overwrites a file, and copies nothing else (a calendar kept beside the program
// stays where it is). Does nothing when both name the same folder.
void seed(const QString &from, const QString &to);

// The program directory for the given places; seeds it from the installed data folders.
// `home` is KRONOBLATT_HOME (empty when unset).
QString determine(const QString &home, const QString &executableDir, const QString &userDir);

} // namespace ProgramDir
} // namespace kb
