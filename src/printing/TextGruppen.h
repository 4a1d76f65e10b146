#pragma once

// Fonts and colours of the four text groups (Kopf, KopfBand, Monat, Adresse) as the printed
// calendars use them: name, size and colour from the run-time copy of the settings, the style
// set as read from the settings file at the start of the run.

#include "report/Page.h"
#include "settings/LayoutSettings.h"

#include <QColor>

namespace kb {

// The colour to print a stored colour value with; "default" (and anything without a colour)
// gives `standard`.
QColor druckFarbe(qint32 value, const QColor &standard = Qt::black);

// The font of a text group with the given style set.
report::FontSpec gruppenFont(
    const LayoutSettings &settings, FontGroup group, const FontStyles &styles);
// The colour of a text group.
QColor gruppenFarbe(const LayoutSettings &settings, FontGroup group);

// The style sets of the four groups, read from the file now.
struct GruppenStile {
    std::array<FontStyles, kFontGroupCount> stile;

    static GruppenStile lesen(const IniFile &ini);
    const FontStyles &operator[](FontGroup g) const { return stile[static_cast<int>(g)]; }
};

} // namespace kb
