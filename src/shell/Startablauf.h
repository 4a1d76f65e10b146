#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <functional>

namespace kb {

// Dates throughout the program: "dd.mm.yyyy".
QString kurzesDatum(const QDate &date);
// The status bar clock: "hh:mm:ss".
QString uhrzeit(const QTime &time);

// Runs `schritt`; an error it throws is shown through the Ui seam instead of passing on, so
// a failing step of start-up (or of a command) ends only that step. Returns false after an
// error.
bool fehlerZeigen(const std::function<void()> &schritt);

// The steps of start-up, each ending alone when it fails.
void schritteAusfuehren(const QList<std::function<void()>> &schritte);

// The files given on the command line (`kronoblatt DATEI.QVK`, `kronoblatt FORM.qvf`,
// `kronoblatt DATEI.QVK FORM.qvf`, or file URLs as file managers pass them): the first
// argument ending in ".qvf" (any letter case) is the form file, the first other argument
// that is not an option the calendar file. Empty when there is none.
struct StartDateien {
    QString kalender;
    QString formular;
};
StartDateien startDateien(const QStringList &arguments);
// The calendar file of startDateien().
QString kalenderArgument(const QStringList &arguments);

// The Windows faces the windows and layouts name ("Arial", "MS Sans Serif", "Small Fonts" ...)
// drawn with the installed faces that stand in for them.
void windowsSchriftenErsetzen();

} // namespace kb
