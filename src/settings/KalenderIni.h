#pragma once

#include "settings/IniFile.h"

#include <QString>
#include <array>

namespace kb {

// The shell configuration "kalender.INI" in the program directory: the day grid's column
// widths and the name of the settings file. Read at start, rewritten at exit.
struct KalenderIni {
    // Size/spalte1 .. spalte5: widths in pixels; -1 keeps the designed width.
    std::array<qint32, 5> spalten { 1, -1, -1, -1, -1 };
    // Datei/Dateiname: the settings file, relative to the program directory.
    QString dateiname = QStringLiteral("Kalvalues.ini");
    // Zuletzt/Kalender: the calendar file opened last, so that a form file opened from the
    // desktop finds a calendar for its data fields. Empty before the first open.
    QString zuletzt;

    // ProgramDir::path() + "kalender.INI"
    static QString defaultPath();
    // Missing file or keys give the defaults above.
    static KalenderIni read(const QString &path = defaultPath());
    // Writes all six keys, and the last calendar when there is one; creates the file when it
    // is missing. Throws kb::Error.
    void write(const QString &path = defaultPath()) const;
    // Writes only Zuletzt/Kalender, at once (a calendar was opened). Throws kb::Error.
    static void zuletztSchreiben(const QString &qvkPfad, const QString &path = defaultPath());

    // ProgramDir::path() + dateiname
    QString settingsFilePath() const;
};

// Opens the settings file at start-up. When it does not exist, shows
// "Datei " + path + " nicht vorhanden!" through the Ui seam; the returned object then reads
// every key as its default and its first write creates the file.
IniFile openSettingsFile(const QString &path);

} // namespace kb
