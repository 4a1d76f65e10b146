#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The report table "designer.db": `Reportname` and the report stream in `Reportdata`.
namespace kb::bericht {

// The report table of the program: ProgramDir::designerDir() + "designer.db".
QString berichtTabellePfad();

// The stored names in the table's order, an empty name too.
QStringList berichtNamen(const QString &tabellenPfad);
// The data of the first report named exactly `name`; nullopt when there is none.
std::optional<QByteArray> berichtDaten(const QString &tabellenPfad, const QString &name);
// Appends a report to the table.
void berichtAnhaengen(const QString &tabellenPfad, const QString &name, const QByteArray &daten);

} // namespace kb::bericht
