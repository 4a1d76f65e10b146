#pragma once

#include "platform/Jpeg.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

namespace kb {

// How a picture file is read, by its extension, letter case ignored.
enum class Bildart {
    Keine, // no picture the program reads: an empty cell, refused when taken over
    Jpeg, // ".jpg", ".jpeg"
    Bitmap, // ".bmp", read through Qt
};
Bildart bildart(const QString &dateiname);

// A month picture is 640 × 480 when the picture is wider than high, else 480 × 640: square
// pictures count as portrait.
QSize monatsbildGroesse(QSize quelle);

// The picture box of the enlarged picture at its start, at (16, 32): 233 × 304 for an upright
// or square picture; a wider picture gets a box of its own proportions, 304 wide, so it is
// never squeezed into an upright box.
QRect startBildBox(QSize bild);

// The largest picture file read at all (200 MB); a larger one is refused before or while
// reading.
inline constexpr qint64 kGroessteBilddatei = 200LL * 1024 * 1024;

// A picture file's bytes, read only from a regular file of at most kGroessteBilddatei bytes;
// throws kb::Error with a German message naming the file otherwise.
QByteArray bilddateiLesen(const QString &pfad);

// Reads a picture file: JPEG through the program's codec (with `mindestens`, reduced by DCT
// scaling to no less than that size), bitmaps through Qt. Throws kb::Error with a German
// message naming the file when it cannot be read, is no picture of its kind, is damaged or is
// larger than jpeg::kGroesstePixelzahl pixels.
QImage bildLesen(const QString &pfad, QSize mindestens = {},
    jpeg::Nachsicht nachsicht = jpeg::Nachsicht::Streng);

// As bildLesen, with the smallest wanted size chosen from the picture's size in the file
// (`mindestensFuer` gets it and answers the size a reduced decode must not fall below).
QImage bildLesenFuer(const QString &pfad, const std::function<QSize(QSize)> &mindestensFuer,
    jpeg::Nachsicht nachsicht = jpeg::Nachsicht::Streng);

// The picture cut centred to the shape of `ziel` (what sticks out on two sides is left away)
// and scaled to `ziel`, so nothing is distorted. An empty picture stays empty.
QImage zugeschnitten(const QImage &quelle, QSize ziel);

// The picture cut centred to the month-picture shape and scaled to its size (zugeschnitten),
// as a 32-bit RGB bitmap. An empty picture stays empty.
QImage monatsbild(const QImage &quelle);

// A picture file as the picture browser hands it over: read, cut centred to the shape of
// 640 × 480 or 480 × 640 by the size of the picture in the file and scaled to it. A large JPEG
// is decoded at a reduced scale that is still at least the month-picture size. Throws
// kb::Error like bildLesen.
QImage monatsbildAusDatei(const QString &pfad);

} // namespace kb
