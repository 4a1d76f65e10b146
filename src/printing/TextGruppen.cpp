#include "printing/TextGruppen.h"

#include "settings/ColorValue.h"

namespace kb {

QColor druckFarbe(qint32 value, const QColor &standard)
{
    const QColor c = toQColor(value);
    return c.isValid() ? c : standard;
}

report::FontSpec gruppenFont(
    const LayoutSettings &settings, FontGroup group, const FontStyles &styles)
{
    const TextFont &f = settings.font(group);
    report::FontSpec spec;
    spec.family = f.name.trimmed().isEmpty() ? QStringLiteral("Arial") : f.name;
    spec.pointSize = f.size > 0 ? f.size : 8;
    spec.bold = styles.bold;
    spec.italic = styles.italic;
    spec.underline = styles.underline;
    spec.strikeOut = styles.strikeOut;
    return spec;
}

QColor gruppenFarbe(const LayoutSettings &settings, FontGroup group)
{
    return druckFarbe(settings.font(group).farbe);
}

GruppenStile GruppenStile::lesen(const IniFile &ini)
{
    const IniFile::Snapshot snap = ini.snapshot();
    GruppenStile g;
    for (int i = 0; i < kFontGroupCount; ++i)
        g.stile[i] = readFontStyles(snap, static_cast<FontGroup>(i));
    return g;
}

} // namespace kb
