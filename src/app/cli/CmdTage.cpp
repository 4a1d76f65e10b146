#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "storage/Table.h"

namespace kb::cli {

namespace {

// RFC 4180: a field holding the separator, a quote or a line break is quoted, with its
// quotes doubled.
QString csvFeld(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString wert(const Table &table, const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Date: {
        const QDate date = table.asDate(field.name);
        return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    case FieldType::Boolean:
        return table.asBool(field.name) ? QStringLiteral("1") : QStringLiteral("0");
    case FieldType::Graphic:
    case FieldType::Blob:
        return QString::number(table.blobSize(field.name));
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::AutoInc:
        return table.isNull(field.name) ? QString() : QString::number(table.asInt(field.name));
    case FieldType::String:
    case FieldType::Memo:
        break;
    }
    return table.asString(field.name);
}

} // namespace

namespace {

// The year table as CSV.
int tage(Call &call)
{
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const AufrufPasswort passwort(call);

    Table table;
    table.setFilePath(k.jahrPfad());
    table.open();
    const QList<FieldDef> fields = table.fieldDefs();
    QStringList line;
    for (const FieldDef &f : fields)
        line.append(csvFeld(f.name));
    call.out << line.join(QLatin1Char(';')) << '\n';
    for (table.first(); !table.eof(); table.next()) {
        line.clear();
        for (const FieldDef &f : fields)
            line.append(csvFeld(wert(table, f)));
        call.out << line.join(QLatin1Char(';')) << '\n';
    }
    table.close();
    return 0;
}

} // namespace

Command tageBefehl()
{
    return {
        .name = QStringLiteral("tage"),
        .summary = QStringLiteral("Gibt die Tage eines Kalenders als CSV aus (Trennzeichen ;)."),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = { passwortOption() },
        .details = QStringLiteral("Grafik- und Blobfelder erscheinen als ihre Größe in Bytes."),
        .run = tage,
    };
}

} // namespace kb::cli
