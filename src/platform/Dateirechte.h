#pragma once

#include <QString>

class QFileDevice;

// File operations that rewrites of tables and calendars need beyond QFile: a rename that
// never replaces, the identity of a file, and keeping owner, group and mode.
namespace kb::dateien {

enum class Umbenennung { Erledigt, ZielVorhanden, Fehlgeschlagen };

// Moves `von` to `nach` in one step unless `nach` exists. Never replaces a file and never
// falls back to a copy: where the system has no such rename, a hard link to the new name
// followed by removing the old one does the same.
Umbenennung umbenennenOhneErsetzen(const QString &von, const QString &nach);

// Flushes what was written to an open file to disk; false when that fails.
bool sichern(QFileDevice &file);

// Flushes the entries of a directory (new names, renames) to disk.
void verzeichnisSichern(const QString &dir);

// Device and inode of the file at `path` as text; empty when it does not exist.
QString kennung(const QString &path);

// The file a path names after following symbolic links; `path` itself when it is no link
// or the link leads nowhere.
QString ziel(const QString &path);

// True when this process may write the existing file at `path` and the file has some write
// permission (a file marked read-only counts as such even for the administrator).
bool beschreibbar(const QString &path);

// Gives `datei` the owner and group of `vorbild`. Throws kb::Error with the German message
// when they cannot be kept.
void besitzerUebernehmen(const QString &vorbild, const QString &datei);

// The permission bits of the file at `path` (0 when it does not exist), and setting them.
unsigned modus(const QString &path);
bool modusSetzen(const QString &path, unsigned modus);

// Creates the empty file `path` (it must not exist) readable and writable only by its owner.
// Throws kb::Error when it cannot.
void privatAnlegen(const QString &path);

} // namespace kb::dateien
