#include "pictures/Bildregeln.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kb {

namespace {

QString dateiname(const QString &pfad)
{
    return QFileInfo(pfad).fileName();
}

QByteArray dateiLesen(const QString &pfad)
{
    InputFile datei = readInputFile(pfad, kGroessteBilddatei);
    switch (datei.problem) {
    case InputFile::Problem::None:
        break;
    case InputFile::Problem::Unreadable:
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2")
                        .arg(dateiname(pfad), datei.reason));
    case InputFile::Problem::NotAFile:
        throw Error(QStringLiteral("Die Datei \"%1\" ist keine gewöhnliche Datei (etwa ein Gerät "
                                   "oder eine Pipe) und kann nicht als Bild gelesen werden.")
                        .arg(dateiname(pfad)));
    case InputFile::Problem::TooLarge:
        throw Error(
            QStringLiteral("Die Datei \"%1\" ist zu groß für ein Bild.").arg(dateiname(pfad)));
    }
    return std::move(datei.bytes);
}

// A bitmap's size from its header; an invalid size when the header is broken.
QSize bitmapGroesse(const QByteArray &daten)
{
    QBuffer puffer;
    puffer.setData(daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer, "bmp");
    return leser.size();
}

quint32 le(const QByteArray &d, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | quint8(d[at + i]);
    return v;
}

// True when the bitmap's pixel data ends before the size its header gives: the offset of the
// data plus, uncompressed, the padded rows of its width and height, or, compressed, the data
// size the header names. The decoder would fill the missing rows with black.
bool bitmapUnvollstaendig(const QByteArray &d)
{
    if (d.size() < 26 || !d.startsWith("BM"))
        return false; // the decoder refuses it on its own
    const qint64 datenAb = le(d, 10, 4);
    const quint32 kopf = le(d, 14, 4);
    qint64 breite = 0, hoehe = 0, bits = 0, kompression = 0, datenGroesse = 0;
    if (kopf == 12) {
        breite = le(d, 18, 2);
        hoehe = le(d, 20, 2);
        bits = le(d, 24, 2);
    } else {
        if (d.size() < 38)
            return true;
        breite = qint32(le(d, 18, 4));
        hoehe = qint32(le(d, 22, 4));
        bits = le(d, 28, 2);
        kompression = le(d, 30, 4);
        datenGroesse = le(d, 34, 4);
    }
    breite = std::abs(breite);
    hoehe = std::abs(hoehe);
    qint64 noetig = 0;
    if (kompression == 0 || kompression == 3 || kompression == 6)
        noetig = (breite * bits + 31) / 32 * 4 * hoehe;
    else
        noetig = datenGroesse;
    return datenAb + noetig > d.size();
}

QImage bitmapLesen(const QByteArray &daten, const QString &pfad)
{
    const QSize s = bitmapGroesse(daten);
    if (!s.isValid() || s.isEmpty())
        throw Error(
            QStringLiteral("Die Datei \"%1\" ist kein lesbares Bitmap-Bild.").arg(dateiname(pfad)));
    if (bitmapUnvollstaendig(daten))
        throw Error(QStringLiteral("Die Datei \"%1\" ist kein lesbares Bitmap-Bild: sie ist "
                                   "beschädigt oder unvollständig, ihre Bilddaten enden vor der "
                                   "Größe, die ihr Kopf angibt.")
                        .arg(dateiname(pfad)));
    if (qint64(s.width()) * s.height() > jpeg::kGroesstePixelzahl)
        throw Error(QStringLiteral("Das Bild \"%1\" ist zu groß (%2 × %3 Bildpunkte). Es können "
                                   "Bilder mit höchstens %4 Millionen Bildpunkten geladen werden.")
                        .arg(dateiname(pfad))
                        .arg(s.width())
                        .arg(s.height())
                        .arg(jpeg::kGroesstePixelzahl / 1'000'000));
    QBuffer puffer;
    puffer.setData(daten);
    puffer.open(QIODevice::ReadOnly);
    QImageReader leser(&puffer, "bmp");
    QImage bild = leser.read();
    if (bild.isNull())
        throw Error(
            QStringLiteral("Die Datei \"%1\" ist kein lesbares Bitmap-Bild.").arg(dateiname(pfad)));
    return bild.convertToFormat(QImage::Format_RGB32);
}

QImage jpegLesen(
    const QByteArray &daten, const QString &pfad, QSize mindestens, jpeg::Nachsicht nachsicht)
{
    try {
        return jpeg::lesen(daten, mindestens, nachsicht);
    } catch (const Error &e) {
        throw Error(QStringLiteral("\"%1\": %2").arg(dateiname(pfad), e.message()));
    }
}

QSize dateiBildgroesse(Bildart art, const QByteArray &daten)
{
    if (art == Bildart::Jpeg)
        return jpeg::groesse(daten).value_or(QSize());
    return bitmapGroesse(daten);
}

void nurBilder(Bildart art, const QString &pfad)
{
    if (art == Bildart::Keine)
        throw Error(QStringLiteral("Die Datei \"%1\" ist kein Bild, das geladen werden kann "
                                   "(nur JPEG- und Bitmap-Dateien).")
                        .arg(dateiname(pfad)));
}

QImage lesenAlsArt(Bildart art, const QByteArray &daten, const QString &pfad, QSize mindestens,
    jpeg::Nachsicht nachsicht)
{
    if (art == Bildart::Jpeg)
        return jpegLesen(daten, pfad, mindestens, nachsicht);
    return bitmapLesen(daten, pfad);
}

} // namespace

QByteArray bilddateiLesen(const QString &pfad)
{
    return dateiLesen(pfad);
}

Bildart bildart(const QString &dateiname)
{
    const QString endung = QFileInfo(dateiname).suffix().toLower();
    if (endung == QLatin1String("jpg") || endung == QLatin1String("jpeg"))
        return Bildart::Jpeg;
    if (endung == QLatin1String("bmp"))
        return Bildart::Bitmap;
    return Bildart::Keine;
}

QSize monatsbildGroesse(QSize quelle)
{
    return quelle.height() < quelle.width() ? QSize(640, 480) : QSize(480, 640);
}

QRect startBildBox(QSize bild)
{
    const QRect hochkant(16, 32, 233, 304);
    if (bild.isEmpty() || bild.width() <= bild.height())
        return hochkant;
    const int breite = hochkant.height();
    const int hoehe = std::max(1, int(std::lround(double(breite) * bild.height() / bild.width())));
    return { hochkant.topLeft(), QSize(breite, hoehe) };
}

QImage bildLesen(const QString &pfad, QSize mindestens, jpeg::Nachsicht nachsicht)
{
    const Bildart art = bildart(pfad);
    nurBilder(art, pfad);
    return lesenAlsArt(art, dateiLesen(pfad), pfad, mindestens, nachsicht);
}

QImage zugeschnitten(const QImage &quelle, QSize ziel)
{
    if (quelle.isNull() || ziel.isEmpty())
        return {};
    // The largest part of the picture in the target's shape, in the middle.
    const QSize teil = ziel.scaled(quelle.size(), Qt::KeepAspectRatio);
    const QRect ausschnitt(
        QPoint((quelle.width() - teil.width()) / 2, (quelle.height() - teil.height()) / 2), teil);
    return quelle.copy(ausschnitt).scaled(ziel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage monatsbild(const QImage &quelle)
{
    if (quelle.isNull())
        return {};
    return zugeschnitten(quelle, monatsbildGroesse(quelle.size()))
        .convertToFormat(QImage::Format_RGB32);
}

QImage bildLesenFuer(const QString &pfad, const std::function<QSize(QSize)> &mindestensFuer,
    jpeg::Nachsicht nachsicht)
{
    const Bildart art = bildart(pfad);
    nurBilder(art, pfad);
    const QByteArray daten = dateiLesen(pfad);
    const QSize quelle = dateiBildgroesse(art, daten);
    const QSize mindestens = quelle.isValid() ? mindestensFuer(quelle) : QSize();
    return lesenAlsArt(art, daten, pfad, mindestens, nachsicht);
}

QImage monatsbildAusDatei(const QString &pfad)
{
    // The size in the file decides the orientation; the decode need not be larger than the
    // month picture.
    QSize ziel;
    const QImage bild = bildLesenFuer(pfad, [&ziel](QSize quelle) {
        ziel = monatsbildGroesse(quelle);
        return ziel;
    });
    // A reduced decode may round a nearly square picture to a square one: the orientation
    // stays the one of the file.
    const QSize groesse = ziel.isValid() ? ziel : monatsbildGroesse(bild.size());
    return zugeschnitten(bild, groesse).convertToFormat(QImage::Format_RGB32);
}

} // namespace kb
