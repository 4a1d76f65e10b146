#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace kb::jpeg {

// The most pixels one decode may produce: 50 million, 200 MB as 32-bit pixels. A camera photo
// of 48 megapixels still loads; a picture of 20 000 × 20 000 is refused with a message instead
// of exhausting memory. Thumbnails decode at a reduced scale and so stay far below it.
inline constexpr qint64 kGroesstePixelzahl = 50'000'000;

// How a decode treats a file that libjpeg-turbo reads only with a warning (most often a
// truncated file, whose missing part comes out grey).
enum class Nachsicht {
    Streng, // refused with a message: what the user takes over must be whole
    Nachsichtig, // the picture as far as it could be read: good enough for a thumbnail
};

// Width and height from the header; nullopt when the bytes are no JPEG file.
std::optional<QSize> groesse(const QByteArray &daten);

// The scale libjpeg-turbo's DCT scaling decodes a picture of `quelle` at so that the result
// is as small as possible but still at least `mindestens` in both directions (or the full size
// when even that is smaller). An invalid `mindestens` means the full size.
QSize skalierteGroesse(QSize quelle, QSize mindestens);

// Decodes a JPEG file into a 32-bit RGB picture, at full size or, with a valid `mindestens`,
// reduced by DCT scaling (never a full decode for a small result). Throws kb::Error with a
// German message when the bytes are no JPEG, the picture is too large (kGroesstePixelzahl)
// or is damaged.
QImage lesen(
    const QByteArray &daten, QSize mindestens = {}, Nachsicht nachsicht = Nachsicht::Streng);

// Encodes a picture with the encoder's default settings (quality 75, 4:2:0 subsampling).
// Throws kb::Error when the picture is empty or the encoder fails.
QByteArray schreiben(const QImage &bild, int qualitaet = 75);

} // namespace kb::jpeg
