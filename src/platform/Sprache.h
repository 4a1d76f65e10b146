#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

namespace kb {

// The program speaks German whatever the machine's locale is: its own texts are German, and
// Qt's standard dialogs (message boxes, file, font, colour and input dialogs, print dialogs)
// read German through Qt's own catalogues.

// The Qt catalogues the program's dialogs take their texts from ("qtbase").
const QStringList &qtKataloge();

// The folders searched for Qt's catalogues, in order: Qt's translations directory, then a
// "translations" folder in each folder that holds the installed data files (beside the
// executable, <prefix>/share/kronoblatt).
QStringList uebersetzungsOrdner(const QString &executableDir);

// Loads each of qtKataloge() in German from the first of `ordner` that holds it and installs
// it in the application. A catalogue found nowhere is left out (the dialogs then stay
// English) and logged. The translators stay installed while the returned objects live.
std::vector<std::unique_ptr<QTranslator>> qtKatalogeLaden(const QStringList &ordner);

// At the start of both programs, with the application object made: German as the default
// locale, and Qt's German catalogues from uebersetzungsOrdner() installed for the lifetime
// of the application.
void deutschEinrichten();

// What `--version` of both programs prints: "<programm> <version>" and the licence line.
QString versionsAusgabe(const QString &programm);

} // namespace kb
