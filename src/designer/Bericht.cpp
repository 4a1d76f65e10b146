#include "designer/Bericht.h"

#include "pictures/Bildregeln.h"
#include "platform/Error.h"
#include "platform/PictureDecode.h"
#include "report/Printables.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <algorithm>

namespace kb::bericht {

const Band *findeBand(const Bericht &bericht, BandArt art)
{
    const auto it = std::find_if(bericht.baender.begin(), bericht.baender.end(),
        [art](const Band &b) { return b.art == art; });
    return it == bericht.baender.end() ? nullptr : &*it;
}

// Keeps the bands in the workspace's order: a new band goes before the first band of a later
// kind.
Band &bandHolen(Bericht &bericht, BandArt art)
{
    if (const Band *vorhanden = findeBand(bericht, art))
        return const_cast<Band &>(*vorhanden);
    const auto stelle = std::find_if(bericht.baender.begin(), bericht.baender.end(),
        [art](const Band &b) { return int(b.art) > int(art); });
    Band neu;
    neu.art = art;
    return *bericht.baender.insert(stelle, std::move(neu));
}

QString bandName(BandArt art)
{
    switch (art) {
    case BandArt::Titel:
        return QStringLiteral("Titel");
    case BandArt::Seitenkopf:
        return QStringLiteral("Seitenkopf");
    case BandArt::Spaltenkopf:
        return QStringLiteral("Spaltenkopf");
    case BandArt::Gruppenkopf:
        return QStringLiteral("Gruppenkopf");
    case BandArt::Detail:
        return QStringLiteral("Detail");
    case BandArt::Gruppenfuss:
        return QStringLiteral("Gruppenfuß");
    case BandArt::Zusammenfassung:
        return QStringLiteral("Zusammenfassung");
    case BandArt::Seitenfuss:
        return QStringLiteral("Seitenfuß");
    }
    return {};
}

std::size_t elementAnzahl(const Bericht &bericht)
{
    std::size_t n = 0;
    for (const Band &b : bericht.baender)
        n += b.elemente.size();
    return n;
}

Bericht neuerBericht(const QString &titel)
{
    Bericht b;
    b.titel = titel;
    Band &kopf = bandHolen(b, BandArt::Seitenkopf);
    kopf.hoehe = 40;
    Element ueberschrift;
    ueberschrift.text = titel.isEmpty() ? QStringLiteral("Bericht") : titel;
    ueberschrift.geometrie = QRectF(0, 4, 400, 28);
    ueberschrift.schrift = report::FontSpec { .family = QStringLiteral("Arial"),
        .pointSize = 16,
        .bold = true,
        .italic = false,
        .underline = false,
        .strikeOut = false };
    kopf.elemente.push_back(ueberschrift);
    bandHolen(b, BandArt::Detail).hoehe = 20;
    Band &fuss = bandHolen(b, BandArt::Seitenfuss);
    fuss.hoehe = 24;
    const auto systemwert = [](report::SystemData::Kind art, const QString &vorsatz, double links,
                                report::HAlign ausrichtung) {
        Element e;
        e.art = ElementArt::Systemwert;
        e.systemwert = quint8(art);
        e.text = vorsatz;
        e.geometrie = QRectF(links, 4, 200, 16);
        e.ausrichtung = ausrichtung;
        return e;
    };
    fuss.elemente.push_back(systemwert(
        report::SystemData::Kind::Date, QStringLiteral("Gedruckt am "), 0, report::HAlign::Left));
    fuss.elemente.push_back(systemwert(report::SystemData::Kind::PageNumber,
        QStringLiteral("Seite "), 480, report::HAlign::Right));
    return b;
}

QByteArray bildAlsPng(const QString &pfad)
{
    const QSize grenze(kGroessteBildseite, kGroessteBildseite);
    QImage bild;
    if (bildart(pfad) != Bildart::Keine) {
        bild = bildLesenFuer(
            pfad, [&](QSize quelle) { return quelle.scaled(grenze, Qt::KeepAspectRatio); });
    } else {
        bild = decodePicture(bilddateiLesen(pfad), { .size = grenze, .keepAspect = true });
        if (bild.isNull())
            throw Error(QStringLiteral("Die Datei \"%1\" ist kein Bild, das ein Bericht aufnehmen "
                                       "kann (JPEG, PNG, BMP oder GIF).")
                            .arg(QFileInfo(pfad).fileName()));
    }
    if (bild.width() > grenze.width() || bild.height() > grenze.height())
        bild = bild.scaled(grenze, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray png;
    QBuffer puffer(&png);
    puffer.open(QIODevice::WriteOnly);
    bild.save(&puffer, "PNG");
    return png;
}

void bildSetzen(Bericht &bericht, int band, int element, const QByteArray &png)
{
    Element &e = bericht.baender.at(std::size_t(band)).elemente.at(std::size_t(element));
    int anderswo = 0;
    for (const Band &b : bericht.baender)
        for (const Element &x : b.elemente)
            if (&x != &e && x.art == ElementArt::Bild && x.bild == e.bild)
                ++anderswo;
    if (e.bild >= 0 && std::size_t(e.bild) < bericht.bilder.size() && anderswo == 0) {
        bericht.bilder[std::size_t(e.bild)] = png;
        return;
    }
    bericht.bilder.push_back(png);
    e.bild = int(bericht.bilder.size()) - 1;
}

} // namespace kb::bericht
