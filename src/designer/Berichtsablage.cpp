#include "designer/Berichtsablage.h"

#include "platform/ProgramDir.h"
#include "storage/Table.h"

namespace kb::bericht {
namespace {

const QString kName = QStringLiteral("Reportname");
const QString kDaten = QStringLiteral("Reportdata");

} // namespace

QString berichtTabellePfad()
{
    return ProgramDir::designerDir() + QStringLiteral("designer.db");
}

QStringList berichtNamen(const QString &tabellenPfad)
{
    Table table;
    table.setFilePath(tabellenPfad);
    table.setReadOnly(true);
    table.open();
    QStringList namen;
    for (table.first(); !table.eof(); table.next())
        namen.append(table.asString(kName));
    return namen;
}

std::optional<QByteArray> berichtDaten(const QString &tabellenPfad, const QString &name)
{
    Table table;
    table.setFilePath(tabellenPfad);
    table.setReadOnly(true);
    table.open();
    for (table.first(); !table.eof(); table.next())
        if (table.asString(kName) == name)
            return table.asBytes(kDaten);
    return std::nullopt;
}

void berichtAnhaengen(const QString &tabellenPfad, const QString &name, const QByteArray &daten)
{
    Table table;
    table.setFilePath(tabellenPfad);
    table.open();
    table.append();
    table.setString(kName, name);
    table.setBytes(kDaten, daten);
    table.post();
    table.close();
}

} // namespace kb::bericht
