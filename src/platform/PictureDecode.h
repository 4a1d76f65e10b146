#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace kb {

// Pictures larger than this are refused: decoded they would take more than 200 MB each.
inline constexpr qint64 kMaxPicturePixels = 50'000'000;

// How a picture is wanted: at most `size` (an invalid size: as stored), keeping its proportions
// when `keepAspect`; otherwise each side shrinks on its own, as for a picture stretched into
// its box. With `cover` the picture keeps its proportions and shrinks only as far as it still
// covers `size` (it is cut to the box where it prints). Pictures are never enlarged.
struct PictureFit {
    QSize size;
    bool keepAspect = false;
    bool cover = false;
    bool operator==(const PictureFit &) const = default;
};

// The size a picture of `stored` size gets for `fit`.
QSize fittedPictureSize(const QSize &stored, const PictureFit &fit);

// Decodes a stored picture. Its size is read from the header before anything is decoded: a
// picture above kMaxPicturePixels throws kb::Error ("Das Bild ist mit 9000 × 9000 Bildpunkten
// zu groß ..."). A picture larger than `fit` is decoded (or scaled right after decoding) to
// that size. Bytes that are no picture give a null image.
QImage decodePicture(const QByteArray &bytes, const PictureFit &fit = {});

// Reads only the header: throws the error of decodePicture() for a picture that is too large.
void checkPictureSize(const QByteArray &bytes);

// The message for a picture of `size` that is too large.
QString pictureTooLargeMessage(const QSize &size);

} // namespace kb
