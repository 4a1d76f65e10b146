#include "platform/Error.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QRegularExpression>

namespace kb {

namespace {

struct AddField {
    QString path;
    FieldDef field;
};

Error badStatement(const QString &statement)
{
    return Error(QStringLiteral("Ungültige Anweisung: %1").arg(statement));
}

FieldDef fieldOfType(const QString &name, const QString &typeText, const QString &statement)
{
    QString type = typeText.toLower();
    type.remove(QLatin1Char(' '));
    FieldDef field;
    field.name = name;
    static const QRegularExpression blob(QStringLiteral("^blob\\((\\d{1,6}),(\\d)\\)$"));
    static const QRegularExpression text(QStringLiteral("^(?:var)?char\\((\\d{1,3})\\)$"));
    if (type == QLatin1String("integer") || type == QLatin1String("int"))
        field.type = FieldType::Int32;
    else if (type == QLatin1String("smallint"))
        field.type = FieldType::Int16;
    else if (type == QLatin1String("date"))
        field.type = FieldType::Date;
    else if (type == QLatin1String("boolean"))
        field.type = FieldType::Boolean;
    else if (const auto m = text.match(type); m.hasMatch()) {
        field.type = FieldType::String;
        field.size = m.captured(1).toInt();
        if (field.size < 1 || field.size > 255)
            throw badStatement(statement);
    } else if (const auto b = blob.match(type); b.hasMatch()) {
        // The second number is the blob's kind: 1 memo, 2 binary, 5 graphic.
        const int kind = b.captured(2).toInt();
        field.size = b.captured(1).toInt();
        if (kind == 1)
            field.type = FieldType::Memo;
        else if (kind == 2)
            field.type = FieldType::Blob;
        else if (kind == 5)
            field.type = FieldType::Graphic;
        else
            throw badStatement(statement);
    } else {
        throw badStatement(statement);
    }
    return field;
}

AddField parseStatement(const QString &statement)
{
    static const QRegularExpression form(
        QStringLiteral(
            "^\\s*ALTER\\s+TABLE\\s+\"((?:[^\"]|\"\")+)\"\\s+ADD\\s+(\\S+)\\s+(.+?)\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = form.match(statement);
    if (!m.hasMatch())
        throw badStatement(statement);
    AddField add;
    add.path = m.captured(1).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    add.path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString name = m.captured(2);
    if (!tablefile::isValidFieldName(name))
        throw Error(QStringLiteral("Ungültiger Feldname '%1'").arg(name));
    add.field = fieldOfType(name, m.captured(3), statement);
    return add;
}

} // namespace

void Session::executeDdl(const QString &statement)
{
    const AddField add = parseStatement(statement);
    const QString shown = tablefile::displayName(add.path);
    if (tablefile::registry::inUse(add.path))
        throw Error(
            QStringLiteral("Die Tabelle '%1' ist gesperrt: sie ist bereits geöffnet").arg(shown));
    tablefile::OpenedFile opened = tablefile::open(add.path);
    if (opened.schema.indexOf(add.field.name) >= 0)
        throw Error(QStringLiteral("Feld '%1' existiert bereits in Tabelle '%2'")
                        .arg(add.field.name, shown));
    if (opened.schema.fields.size() >= 255)
        throw Error(QStringLiteral("Tabelle '%1' hat bereits 255 Felder").arg(shown));
    if (opened.readOnly)
        throw Error(QStringLiteral("Die Tabelle '%1' ist schreibgeschützt").arg(shown));
    try {
        tablefile::addField(opened.db.get(), add.field);
    } catch (const sql::SqlError &e) {
        throw tablefile::toError(e, add.path);
    }
}

} // namespace kb
