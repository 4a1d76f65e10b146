#pragma once

#include <QColor>
#include <QImage>
#include <QString>

namespace kb {

// The colour of pixel row `y` of the start-up window: red 0, green 0, blue 255 - y, taken
// modulo 256 (so the blue falls from the top and starts again below row 255).
QColor startfensterFarbe(int y);

// ProgramDir::path() + "KBLogo.bmp"
QString logoPfad();
// The start-up picture, with the colour of its bottom-left pixel made transparent. Throws
// kb::Error when the file is missing or no picture.
QImage logoLaden(const QString &path);

} // namespace kb
