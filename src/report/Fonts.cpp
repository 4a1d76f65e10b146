#include "report/Fonts.h"

#include <QHash>

namespace kb::report {

QString installedFamily(const QString &family)
{
    static const QHash<QString, QString> faces = {
        { QStringLiteral("arial"), QStringLiteral("Liberation Sans") },
        { QStringLiteral("helvetica"), QStringLiteral("Liberation Sans") },
        { QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans") },
        { QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans") },
        { QStringLiteral("tahoma"), QStringLiteral("Liberation Sans") },
        { QStringLiteral("verdana"), QStringLiteral("DejaVu Sans") },
        { QStringLiteral("small fonts"), QStringLiteral("Liberation Sans Narrow") },
        { QStringLiteral("arial narrow"), QStringLiteral("Liberation Sans Narrow") },
        { QStringLiteral("times new roman"), QStringLiteral("Liberation Serif") },
        { QStringLiteral("times"), QStringLiteral("Liberation Serif") },
        { QStringLiteral("ms serif"), QStringLiteral("Liberation Serif") },
        { QStringLiteral("courier new"), QStringLiteral("Liberation Mono") },
        { QStringLiteral("courier"), QStringLiteral("Liberation Mono") },
    };
    const QString key = family.trimmed().toLower();
    if (key.isEmpty())
        return QStringLiteral("Liberation Sans");
    return faces.value(key, family.trimmed());
}

QFont fontFor(const FontSpec &spec, double deviceDpi)
{
    QFont font(installedFamily(spec.family));
    const double points = spec.pointSize > 0 ? spec.pointSize : 10.0;
    font.setPointSizeF(points * kPixelsPerInch / deviceDpi);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferAntialias));
    return font;
}

} // namespace kb::report
