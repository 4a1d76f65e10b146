#pragma once

#include <QString>
#include <QStringList>

namespace kb::designer {

// The design names of the form files in `verzeichnis`: every entry whose name matches
// "*.qvf" (any letter case), directories included, without its last four characters, in
// the order the directory lists them (not sorted). A missing directory gives none.
QStringList entwurfsnamen(const QString &verzeichnis);

// The form file of the design name `name` in `verzeichnis`: verzeichnis/name.qvf.
QString entwurfsPfad(const QString &verzeichnis, const QString &name);

// The design name of the form file the main window's "Formulardatei neu anlegen" opens.
inline constexpr char kNeuerEntwurf[] = "neu";

} // namespace kb::designer
