#include "platform/Jpeg.h"

#include "platform/Error.h"

#include <QSysInfo>
#include <limits>
#include <memory>
#include <turbojpeg.h>

namespace kb::jpeg {

namespace {

struct HandleFrei {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleFrei>;

struct PufferFrei {
    void operator()(unsigned char *puffer) const { tjFree(puffer); }
};
using Puffer = std::unique_ptr<unsigned char, PufferFrei>;

// QImage::Format_RGB32 holds 0xffRRGGBB per pixel in native byte order.
constexpr int kPixelformat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRX : TJPF_XRGB;

const unsigned char *bytes(const QByteArray &daten)
{
    return reinterpret_cast<const unsigned char *>(daten.constData());
}

Handle dekoder()
{
    Handle h(tjInitDecompress());
    if (!h)
        throw Error(QStringLiteral("Der JPEG-Dekoder kann nicht gestartet werden."));
    return h;
}

struct Kopf {
    int breite = 0;
    int hoehe = 0;
};

std::optional<Kopf> kopfLesen(void *handle, const QByteArray &daten)
{
    // The library takes the length as unsigned long; anything larger than a picture can
    // sensibly be is no JPEG for us.
    if (daten.size() < 4 || daten.size() > std::numeric_limits<int>::max())
        return std::nullopt;
    Kopf k;
    int unterabtastung = 0;
    int farbraum = 0;
    if (tjDecompressHeader3(handle, bytes(daten), static_cast<unsigned long>(daten.size()),
            &k.breite, &k.hoehe, &unterabtastung, &farbraum)
        != 0)
        return std::nullopt;
    if (k.breite <= 0 || k.hoehe <= 0)
        return std::nullopt;
    return k;
}

QString fehlertext(void *handle)
{
    return QString::fromLocal8Bit(tjGetErrorStr2(handle));
}

} // namespace

std::optional<QSize> groesse(const QByteArray &daten)
{
    Handle h = dekoder();
    const std::optional<Kopf> k = kopfLesen(h.get(), daten);
    if (!k)
        return std::nullopt;
    return QSize(k->breite, k->hoehe);
}

QSize skalierteGroesse(QSize quelle, QSize mindestens)
{
    if (!mindestens.isValid() || mindestens.isEmpty())
        return quelle;
    int anzahl = 0;
    const tjscalingfactor *faktoren = tjGetScalingFactors(&anzahl);
    QSize beste = quelle;
    for (int i = 0; faktoren && i < anzahl; ++i) {
        const tjscalingfactor f = faktoren[i];
        if (f.num > f.denom)
            continue; // the library also scales up; a thumbnail never needs that
        const QSize s(TJSCALED(quelle.width(), f), TJSCALED(quelle.height(), f));
        if (s.width() >= mindestens.width() && s.height() >= mindestens.height()
            && qint64(s.width()) * s.height() < qint64(beste.width()) * beste.height())
            beste = s;
    }
    return beste;
}

QImage lesen(const QByteArray &daten, QSize mindestens, Nachsicht nachsicht)
{
    Handle h = dekoder();
    const std::optional<Kopf> k = kopfLesen(h.get(), daten);
    if (!k)
        throw Error(QStringLiteral("Die Datei ist kein lesbares JPEG-Bild."));
    const QSize ziel = skalierteGroesse(QSize(k->breite, k->hoehe), mindestens);
    if (qint64(ziel.width()) * ziel.height() > kGroesstePixelzahl)
        throw Error(QStringLiteral("Das Bild ist zu groß (%1 × %2 Bildpunkte). Es können Bilder "
                                   "mit höchstens %3 Millionen Bildpunkten geladen werden.")
                        .arg(k->breite)
                        .arg(k->hoehe)
                        .arg(kGroesstePixelzahl / 1'000'000));
    QImage bild(ziel, QImage::Format_RGB32);
    if (bild.isNull())
        throw Error(QStringLiteral("Für das Bild ist nicht genug Speicher frei."));
    const int flags = nachsicht == Nachsicht::Streng ? TJFLAG_STOPONWARNING : 0;
    const int rc = tjDecompress2(h.get(), bytes(daten), static_cast<unsigned long>(daten.size()),
        bild.bits(), ziel.width(), static_cast<int>(bild.bytesPerLine()), ziel.height(),
        kPixelformat, flags);
    if (rc != 0) {
        // A warning (truncated data, stray bytes) leaves a picture whose unread part is grey.
        const bool warnung = tjGetErrorCode(h.get()) == TJERR_WARNING;
        if (nachsicht == Nachsicht::Streng || !warnung)
            throw Error(QStringLiteral("Das JPEG-Bild ist beschädigt oder unvollständig (%1).")
                            .arg(fehlertext(h.get())));
    }
    return bild;
}

QByteArray schreiben(const QImage &bild, int qualitaet)
{
    if (bild.isNull())
        throw Error(QStringLiteral("Es ist kein Bild zum Speichern da."));
    const QImage rgb = bild.convertToFormat(QImage::Format_RGB32);
    Handle h(tjInitCompress());
    if (!h)
        throw Error(QStringLiteral("Der JPEG-Kodierer kann nicht gestartet werden."));
    unsigned char *roh = nullptr;
    unsigned long laenge = 0;
    const int rc
        = tjCompress2(h.get(), rgb.constBits(), rgb.width(), static_cast<int>(rgb.bytesPerLine()),
            rgb.height(), kPixelformat, &roh, &laenge, TJSAMP_420, qualitaet, 0);
    Puffer puffer(roh);
    if (rc != 0)
        throw Error(QStringLiteral("Das Bild kann nicht als JPEG gespeichert werden (%1).")
                        .arg(fehlertext(h.get())));
    return QByteArray(reinterpret_cast<const char *>(puffer.get()), static_cast<qsizetype>(laenge));
}

} // namespace kb::jpeg
