#pragma once

#include "caldata/KalenderDatei.h"

#include <QProcess>
#include <QStringList>
#include <memory>
#include <ostream>
#include <utility>
#include <vector>

// Messages and outputs of the runs in gtest's failure messages.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}

namespace kb::test {

// One finished run of kronoblatt-cli.
struct Lauf {
    int code = -1;
    bool getoetet = false; // ended by a signal
    QString out;
    QString err;
};

using Umgebung = std::vector<std::pair<QString, QString>>;

// Starts kronoblatt-cli as a child process.
std::unique_ptr<QProcess> cliStarten(const QStringList &args, const Umgebung &umgebung = {});
// Waits for the end of a started run.
Lauf cliWarten(QProcess &p);
// Runs kronoblatt-cli to its end.
Lauf cli(const QStringList &args, const Umgebung &umgebung = {});

// The arguments of `anlegen` for calendar `name` in `dir` (2024, Bayern).
QStringList anlegenArgs(const QString &dir, const QString &name);
// Creates a calendar in-process; its files.
KalenderDatei kalenderAnlegen(const QString &dir, const QString &name, int jahr = 2024);

// What is wrong with calendar `k`: empty when it is complete (calendar file, both tables,
// each opens with `passwort`, passes the integrity check and holds its records: `tage` days
// and twelve months). "fehlt" when there is no calendar file.
QString kalenderFehler(const KalenderDatei &k, const QString &passwort, int tage = 366);

// True when `path` is a table in plain text (an SQLite file anybody can read).
bool klartext(const QString &path);

// The hidden working files left in `dir` (everything beginning with ".kbneu-" or ".ferien-",
// holding ".kbtmp-" or ending in ".kbtmp", ".kbtmp-journal", ".kbalt", ".kbnew", and the marks
// of unfinished generations).
QStringList reste(const QString &dir);

} // namespace kb::test
