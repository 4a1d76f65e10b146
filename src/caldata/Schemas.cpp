#include "caldata/Schemas.h"

namespace kb::Schemas {

namespace {

FieldDef feld(const char *name, FieldType type, int size = 0)
{
    FieldDef f;
    f.name = QString::fromLatin1(name);
    f.type = type;
    f.size = size;
    return f;
}

FieldDef bereich(const char *name, int min, int max)
{
    FieldDef f = feld(name, FieldType::Int16);
    f.required = true;
    f.min = min;
    f.max = max;
    return f;
}

IndexDef primaer(const char *field, const char *name = "")
{
    IndexDef i;
    i.name = QString::fromLatin1(name);
    i.fields = { QString::fromLatin1(field) };
    i.primary = true;
    i.unique = true;
    return i;
}

IndexDef sekundaer(const char *name, QStringList fields)
{
    IndexDef i;
    i.name = QString::fromLatin1(name);
    i.fields = std::move(fields);
    i.caseInsensitive = true;
    return i;
}

} // namespace

TableSchema jahrTabelle()
{
    return { {
                 feld("Nummer", FieldType::Int16),
                 feld("Datum", FieldType::Date),
                 feld("DatumLang", FieldType::Date),
                 feld("Text", FieldType::String, 255),
                 feld("Woche", FieldType::Int16),
                 feld("Monat", FieldType::String, 10),
                 feld("Tag", FieldType::String, 2),
                 feld("MonatNr", FieldType::Int16),
                 feld("TagNr", FieldType::Int16),
                 feld("Kennung", FieldType::Int16),
                 feld("Name", FieldType::String, 50),
                 feld("Vorname", FieldType::String, 50),
                 feld("BLand", FieldType::String, 30),
                 feld("Notizen", FieldType::Memo, 100),
                 feld("Alarm", FieldType::Boolean),
                 feld("TagimMonat", FieldType::Int16),
                 feld("SymbolBild", FieldType::Graphic),
             },
        { primaer("Nummer", "PrimIdx") } };
}

TableSchema bildTabelle()
{
    return { {
                 feld("Nr", FieldType::AutoInc),
                 feld("DetailNR", FieldType::Int32),
                 feld("Bild", FieldType::Graphic),
                 feld("MonatNR", FieldType::Int32),
                 feld("TextMonat", FieldType::Memo, 50),
             },
        { primaer("Nr"), sekundaer("Sek_IDNR", { QStringLiteral("DetailNr") }) } };
}

TableSchema persTabelle()
{
    return { {
                 feld("nummer", FieldType::AutoInc),
                 bereich("FracTag", 1, 31),
                 bereich("FracMonat", 1, 12),
                 feld("Text", FieldType::String, 255),
             },
        { primaer("Nummer"),
            sekundaer(
                "SekTagMonat", { QStringLiteral("FracMonat"), QStringLiteral("FracTag") }) } };
}

TableSchema texteTabelle()
{
    return { { feld("Nr", FieldType::AutoInc), feld("Text", FieldType::String, 255) },
        { primaer("Nr") } };
}

TableSchema designerTabelle()
{
    return { { feld("Reportname", FieldType::String, 40), feld("Reportdata", FieldType::Blob) },
        {} };
}

void anlegen(Table &table, const TableSchema &schema)
{
    table.create(schema.fields, schema.indexes);
}

} // namespace kb::Schemas
