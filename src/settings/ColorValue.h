#pragma once

#include <QColor>
#include <QList>
#include <QString>

namespace kb {

// Colours are stored as 32-bit values $00BBGGRR (red in the low byte). Values with the top
// byte $80 name a system colour by their low byte; $1FFFFFFF is "none" and $20000000
// "default".
inline constexpr qint32 kColorNone = 0x1FFFFFFF;
inline constexpr qint32 kColorDefault = 0x20000000;

// The colour to paint with. System colours map to the classic desktop defaults, "none" to
// transparent and "default" to an invalid QColor (the caller keeps its own colour).
QColor toQColor(qint32 value);
// $00BBGGRR of an opaque colour.
qint32 fromQColor(const QColor &color);

// One entry of a colour picker: its name and stored value.
struct FarbEintrag {
    QString name;
    qint32 wert = 0;
};
// What a colour picker offers, in this order: the sixteen standard colours, the four
// extended ones, the system colours, then "none" and "default" when `mitNoneUndDefault`.
const QList<FarbEintrag> &farbEintraege(bool mitNoneUndDefault);
// The index of `wert` in farbEintraege(mitNoneUndDefault); -1 for a colour of its own.
int farbIndex(qint32 wert, bool mitNoneUndDefault);

} // namespace kb
