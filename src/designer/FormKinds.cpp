#include "designer/FormKinds.h"

namespace kb::designer {

namespace {

using enum ElementType;
using enum FormBand;

// Kinds by type, then band. The match prefixes are what the form reader has always
// compared; some are shorter than the written prefix ("DBT", "Bil", "DetailLab").
constexpr std::array<FormKind, kKindCount> kKinds = { {
    { FreeText, Header, "Label_", "Label_" },
    { FreeText, Group, "DetailLabel_", "DetailLab" },
    { FreeText, Day, "SubDetailLabel_", "SubDetailLabel_" },
    { FreeText, Summary, "SummenLabel_", "SummenLabel_" },
    { FreeText, Footer, "FussLabel_", "FussLabel_" },
    { SystemField, Header, "SYSLabel_", "SYSLab" },
    { SystemField, Group, "SYSDetailLabel_", "SYSDetailLab" },
    { SystemField, Day, "SYSSubDetailLabel_", "SYSSubDetailLab" },
    { SystemField, Summary, "SYSSummenLabel_", "SYSSummenLab" },
    { SystemField, Footer, "SYSFussLabel_", "SYSFussLab" },
    { DataField, Header, "DBTEXTLabel_", "DBT" },
    { DataField, Group, "DetailDBTEXTLabel_", "DetailDBT" },
    { DataField, Day, "SubDetailDBTEXTLabel_", "SubDetailDBTEXTLabel_" },
    { DataField, Summary, "SummenDBTEXTLabel_", "SummenDBTEXTLabel_" },
    { DataField, Footer, "FussDBTEXTLabel_", "FussDBTEXTLabel_" },
    { Picture, Header, "Bild_", "Bil" },
    { Picture, Group, "DetailBild_", "DetailBil" },
    { Picture, Day, "SubDetailBild_", "SubDetailBild_" },
    { Picture, Summary, "SummenBild_", "SummenBild_" },
    { Picture, Footer, "FussBild_", "FussBild_" },
    { Rectangle, Header, "shape_", "shape_" },
    { Rectangle, Group, "Detailshape_", "Detailshape_" },
    { Rectangle, Day, "SubDetailshape_", "SubDetailshape_" },
    { Rectangle, Summary, "Summenshape_", "Summenshape_" },
    { Rectangle, Footer, "Fussshape_", "Fussshape_" },
    { DataPicture, Header, "DBImage_", "DBImage_" },
    { DataPicture, Group, "DBDImage_", "DBDImage_" },
    { DataPicture, Day, "DBSubDetailImage_", "DBSubDetailImage_" },
    { DataPicture, Footer, "DBFussImage_", "DBFussImage_" },
} };

constexpr int id(ElementType type, FormBand band)
{
    for (int i = 0; i < kKindCount; ++i) {
        if (kKinds[i].type == type && kKinds[i].band == band)
            return i;
    }
    return -1;
}

// Files of the original program have their runs in this order; ours keep it.
constexpr std::array<int, kKindCount> kWriteOrder = {
    id(FreeText, Header),
    id(SystemField, Header),
    id(DataField, Header),
    id(Picture, Header),
    id(FreeText, Group),
    id(SystemField, Group),
    id(DataField, Group),
    id(FreeText, Day),
    // settings record
    id(SystemField, Day),
    id(Picture, Group),
    id(DataField, Day),
    id(Picture, Day),
    id(FreeText, Summary),
    id(SystemField, Summary),
    id(DataField, Summary),
    id(Picture, Summary),
    id(FreeText, Footer),
    id(SystemField, Footer),
    id(DataField, Footer),
    id(Picture, Footer),
    // four reserved blank records
    id(Rectangle, Header),
    id(Rectangle, Group),
    id(Rectangle, Day),
    id(Rectangle, Summary),
    id(Rectangle, Footer),
    id(DataPicture, Group),
    id(DataPicture, Day),
    id(DataPicture, Footer),
    id(DataPicture, Header),
};

constexpr std::array<int, kKindCount> kPassOrder = {
    id(FreeText, Header),
    id(SystemField, Header),
    id(SystemField, Group),
    id(SystemField, Day),
    id(SystemField, Summary),
    id(SystemField, Footer),
    id(DataField, Header),
    id(Picture, Header),
    id(FreeText, Group),
    id(FreeText, Day),
    id(DataField, Group),
    id(Picture, Group),
    id(DataField, Day),
    id(Picture, Day),
    id(DataField, Summary),
    id(Picture, Summary),
    id(FreeText, Summary),
    id(DataField, Footer),
    id(Picture, Footer),
    id(FreeText, Footer),
    // settings record
    id(Rectangle, Header),
    id(Rectangle, Group),
    id(Rectangle, Day),
    id(Rectangle, Summary),
    id(Rectangle, Footer),
    id(DataPicture, Header),
    id(DataPicture, Group),
    id(DataPicture, Day),
    id(DataPicture, Footer),
};

} // namespace

const std::array<FormKind, kKindCount> &formKinds()
{
    return kKinds;
}

const FormKind &formKind(int kind)
{
    return kKinds.at(static_cast<std::size_t>(kind));
}

std::optional<int> kindOf(ElementType type, FormBand band)
{
    const int i = id(type, band);
    return i < 0 ? std::nullopt : std::optional<int>(i);
}

std::optional<int> matchKind(QStringView name)
{
    for (int i = 0; i < kKindCount; ++i) {
        if (name.startsWith(QLatin1StringView(kKinds[i].matchPrefix)))
            return i;
    }
    return std::nullopt;
}

bool isSettingsName(QStringView name)
{
    return name.startsWith(QLatin1StringView(kSettingsName));
}

QString elementName(int kind, int number)
{
    return QLatin1StringView(formKind(kind).namePrefix) + QString::number(number);
}

const std::array<int, kKindCount> &writeOrder()
{
    return kWriteOrder;
}

const std::array<int, kKindCount> &passOrder()
{
    return kPassOrder;
}

QString bandCaption(FormBand band)
{
    switch (band) {
    case Header:
        return QStringLiteral("Kalender - Kopfzeile");
    case Group:
        return QStringLiteral("Monat/Gruppe");
    case Day:
        return QStringLiteral("Tage im Jahr");
    case Summary:
        return QStringLiteral("Summen");
    case Footer:
        return QStringLiteral("Fußzeile");
    }
    return {};
}

QString typeName(ElementType type, int count)
{
    const bool one = count == 1;
    switch (type) {
    case FreeText:
        return one ? QStringLiteral("freier Text") : QStringLiteral("freie Texte");
    case SystemField:
        return one ? QStringLiteral("Systemfeld") : QStringLiteral("Systemfelder");
    case DataField:
        return one ? QStringLiteral("Datenfeld") : QStringLiteral("Datenfelder");
    case Picture:
        return one ? QStringLiteral("Bild") : QStringLiteral("Bilder");
    case Rectangle:
        return one ? QStringLiteral("Rechteck") : QStringLiteral("Rechtecke");
    case DataPicture:
        return one ? QStringLiteral("Datenbank-Bild") : QStringLiteral("Datenbank-Bilder");
    }
    return {};
}

} // namespace kb::designer
