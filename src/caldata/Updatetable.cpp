#include "caldata/Updatetable.h"

#include "storage/Table.h"
#include "storage/Transaktion.h"

namespace kb {

QString alterTableAdd(const QString &path, const QString &fieldAndType)
{
    QString quoted = path;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1String("ALTER TABLE \"") + quoted + QLatin1String("\" ADD ") + fieldAndType;
}

void updatetable(const QString &directory, const QString &tableName)
{
    Table table;
    table.setDirectory(directory);
    table.setTableName(tableName);
    const QString path = table.filePath();

    table.open();
    if (!table.hasField(QStringLiteral("TagimMonat"))) {
        table.close();
        Session::executeDdl(alterTableAdd(path, QStringLiteral("Tagimmonat integer")));
        table.open();
    }

    // One transaction for all days: a failing post leaves the table as it was. A day whose
    // value is right already is left alone, so opening an up-to-date calendar writes nothing
    // (and needs no wait for the disk).
    const QString tagImMonat = QStringLiteral("TagimMonat");
    Transaktion transaktion(table);
    // A freshly opened table stands on its first record.
    for (; !table.eof(); table.next()) {
        const QDate datum = table.asDate(QStringLiteral("Datum"));
        const bool stimmt = datum.isValid()
            ? !table.isNull(tagImMonat) && table.asInt(tagImMonat) == datum.day()
            : table.isNull(tagImMonat);
        if (stimmt)
            continue;
        table.edit();
        if (datum.isValid())
            table.setInt(tagImMonat, datum.day());
        else
            table.clearField(tagImMonat);
        table.post();
    }
    transaktion.commit();

    // The field list only changes through the statements here, so the open handle already
    // knows whether `SymbolBild` is there.
    if (!table.hasField(QStringLiteral("SymbolBild"))) {
        table.close();
        Session::executeDdl(alterTableAdd(path, QStringLiteral("SymbolBild blob(0,5)")));
    }
    table.close();
}

} // namespace kb
