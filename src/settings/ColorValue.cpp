#include "settings/ColorValue.h"

#include <array>

namespace kb {

namespace {

// The classic desktop colours of the system colour indexes 0 to 30, as RGB.
constexpr std::array<QRgb, 31> kSystemColours = {
    0xC8C8C8, // 0 scroll bar
    0x3A6EA5, // 1 desktop
    0x0A246A, // 2 active caption
    0x808080, // 3 inactive caption
    0xD4D0C8, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xD4D0C8, // 10 active border
    0xD4D0C8, // 11 inactive border
    0x808080, // 12 application workspace
    0x0A246A, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xD4D0C8, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xD4D0C8, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3D dark shadow
    0xD4D0C8, // 22 3D light
    0x000000, // 23 tooltip text
    0xFFFFE1, // 24 tooltip background
    0xB5B5B5, // 25 (unused)
    0x000080, // 26 hot-tracked item
    0xA6CAF0, // 27 active caption gradient
    0xC0C0C0, // 28 inactive caption gradient
    0x316AC5, // 29 menu highlight
    0xECE9D8, // 30 menu bar
};

QList<FarbEintrag> buildFarbEintraege(bool mitNoneUndDefault)
{
    auto n = [](const char *utf8) { return QString::fromUtf8(utf8); };
    // $00BBGGRR, as the settings file stores them.
    QList<FarbEintrag> list = {
        { n("Schwarz"), 0x000000 },
        { n("Kastanienbraun"), 0x000080 },
        { n("Grün"), 0x008000 },
        { n("Oliv"), 0x008080 },
        { n("Marineblau"), 0x800000 },
        { n("Purpur"), 0x800080 },
        { n("Petrol"), 0x808000 },
        { n("Grau"), 0x808080 },
        { n("Silber"), 0xC0C0C0 },
        { n("Rot"), 0x0000FF },
        { n("Hellgrün"), 0x00FF00 },
        { n("Gelb"), 0x00FFFF },
        { n("Blau"), 0xFF0000 },
        { n("Fuchsia"), 0xFF00FF },
        { n("Aqua"), 0xFFFF00 },
        { n("Weiß"), 0xFFFFFF },
        { n("Geldgrün"), 0xC0DCC0 },
        { n("Himmelblau"), 0xF0CAA6 },
        { n("Creme"), 0xF0FBFF },
        { n("Mittelgrau"), 0xA4A0A0 },
    };
    static const char *const systemNamen[] = { "Bildlaufleiste", "Desktop", "Aktive Titelleiste",
        "Inaktive Titelleiste", "Menü", "Fenster", "Fensterrahmen", "Menütext", "Fenstertext",
        "Titeltext", "Aktiver Rahmen", "Inaktiver Rahmen", "Anwendungshintergrund", "Markierung",
        "Markierter Text", "Schaltfläche", "Schaltflächenschatten", "Grauer Text",
        "Schaltflächentext", "Inaktiver Titeltext", "Schaltflächen-Glanzlicht",
        "3D-Schatten dunkel", "3D-Licht", "Quickinfo-Text", "Quickinfo-Hintergrund", nullptr,
        "Hot-Track-Element", "Verlauf aktive Titelleiste", "Verlauf inaktive Titelleiste",
        "Menümarkierung", "Menüleiste" };
    for (int i = 0; i < int(std::size(systemNamen)); ++i) {
        if (systemNamen[i]) // index 25 names no colour
            list.append({ n(systemNamen[i]), qint32(0x80000000u | quint32(i)) });
    }
    if (mitNoneUndDefault) {
        list.append({ QStringLiteral("none"), kColorNone });
        list.append({ QStringLiteral("default"), kColorDefault });
    }
    return list;
}

} // namespace

const QList<FarbEintrag> &farbEintraege(bool mitNoneUndDefault)
{
    static const QList<FarbEintrag> mit = buildFarbEintraege(true);
    static const QList<FarbEintrag> ohne = buildFarbEintraege(false);
    return mitNoneUndDefault ? mit : ohne;
}

int farbIndex(qint32 wert, bool mitNoneUndDefault)
{
    const QList<FarbEintrag> &list = farbEintraege(mitNoneUndDefault);
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].wert == wert)
            return i;
    }
    return -1;
}

QColor toQColor(qint32 value)
{
    if (value == kColorNone)
        return QColor(Qt::transparent);
    if (value == kColorDefault)
        return QColor();
    const auto bits = static_cast<quint32>(value);
    if ((bits >> 24) == 0x80) {
        const quint32 index = bits & 0xFF;
        return index < kSystemColours.size() ? QColor(kSystemColours[index]) : QColor(Qt::black);
    }
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

qint32 fromQColor(const QColor &color)
{
    const QColor c = color.toRgb();
    return qint32(c.red()) | (qint32(c.green()) << 8) | (qint32(c.blue()) << 16);
}

} // namespace kb
