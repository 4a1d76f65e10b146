#include "designer/BerichtsStrom.h"

#include <QStringDecoder>
#include <QtEndian>
#include <cmath>
#include <cstring>

// The stream of a stored report
// ==============================
//
// All numbers little-endian. A stream is a fixed header and a payload:
//
//   offset  size  content
//   0       8     the bytes "KBREPORT"
//   8       2     u16 format version (1); a newer version is refused, never guessed at
//   10      4     u32 payload length N; the stream is exactly 16 + N bytes
//   14      2     u16 CRC-16 (ISO 3309, qChecksum) of the payload
//   16      N     payload
//
// Payload, in this order:
//   str  title
//   u8   data source: 0 none, 1 table file, 2 query
//   str  table file path
//   str  query text
//   u8   paper: 0 A3, 1 A4, 2 A5, 3 custom
//   f64  custom paper width mm, f64 custom paper length mm   (1 to 2000 each)
//   u8   orientation: 0 portrait, 1 landscape
//   f64  margins left, right, top, bottom in mm              (0 to 500 each)
//   u8   columns                                             (1 to 20)
//   f64  column spacing mm                                   (0 to 500)
//   font the report's font
//   u16  picture count P (at most 64), then P times:
//        u32 length (at most 16 MiB) and that many bytes (a PNG file)
//   u16  band count B (at most 64), then B bands:
//        u8   kind: 0 title, 1 page header, 2 column header, 3 group header, 4 detail,
//                   5 group footer, 6 summary, 7 page footer
//        f64  height in layout pixels                        (0 to 5000)
//        str  group field
//        u8   has background (0/1), u32 background ARGB
//        frame
//        u8   new column (0/1)
//        u16  printable count E (at most 4096), then E printables:
//             u8   kind: 0 text, 1 field, 2 system value, 3 picture, 4 field picture,
//                        5 rectangle, 6 horizontal line, 7 vertical line
//             f64  left, top (-10000 to 10000), width, height (0 to 10000), layout pixels
//             str  text (caption, field name or prefix)
//             str  display mask
//             u8   system value kind                         (0 to 6)
//             u8   has own font (0/1), then the font when 1
//             u32  colour ARGB, u32 background ARGB
//             u8   flags: 1 transparent, 2 align to band, 4 auto size, 8 word wrap,
//                         16 auto stretch, 32 stretch, 64 keep aspect
//             u8   alignment: 0 left, 1 centre, 2 right
//             pen
//             i32  picture index: -1, or below P for a picture printable
//
//   str   u32 byte length (at most 65536) and that many bytes of UTF-8
//   font  str family (1 to 64 characters), f64 point size (1 to 500),
//         u8 style: 1 bold, 2 italic, 4 underline, 8 strike-out
//   pen   u32 colour ARGB, f64 width (0 to 100), u8 Qt::PenStyle (0 to 5)
//   frame u8 sides: 1 top, 2 bottom, 4 left, 8 right; pen
//
// Checks on reading, besides every range above: the header and its checksum, every count and
// length against the bytes left, valid UTF-8, at most one band of each kind except group
// headers and footers, a group header names its field and a group footer the field of a
// group header before it, a field printable names its field, a picture printable refers to a
// stored picture, and nothing is left over after the last band.

namespace kb::bericht {
namespace {

constexpr char kMagie[8] = { 'K', 'B', 'R', 'E', 'P', 'O', 'R', 'T' };
constexpr int kKopf = 16;
constexpr quint32 kMaxText = 65536;
constexpr quint32 kMaxBildBytes = 16u << 20;
constexpr int kMaxBilder = 64;
constexpr int kMaxBaender = 64;
constexpr int kMaxElemente = 4096;

const QString kBeschaedigt
    = QStringLiteral("Der gespeicherte Bericht ist beschädigt und kann nicht gelesen werden.");

[[noreturn]] void beschaedigt()
{
    throw StromFehler(StromFehler::Art::Beschaedigt, kBeschaedigt);
}

class Schreiber {
public:
    template<class T> void zahl(T v)
    {
        char bytes[sizeof(T)];
        qToLittleEndian(v, bytes);
        m_daten.append(bytes, sizeof(T));
    }
    void u8(quint8 v) { m_daten.append(char(v)); }
    void f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, sizeof bits);
        zahl<quint64>(bits);
    }
    void bytes(const QByteArray &b)
    {
        zahl<quint32>(quint32(b.size()));
        m_daten.append(b);
    }
    void text(const QString &s) { bytes(s.toUtf8()); }
    void farbe(const QColor &c) { zahl<quint32>(c.rgba()); }
    void schrift(const report::FontSpec &f)
    {
        text(f.family);
        f64(f.pointSize);
        u8(quint8(
            (f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strikeOut ? 8 : 0)));
    }
    void stift(const report::PenSpec &p)
    {
        farbe(p.color);
        f64(p.width);
        u8(quint8(p.style));
    }
    void rahmen(const Rahmen &r)
    {
        u8(quint8((r.oben ? 1 : 0) | (r.unten ? 2 : 0) | (r.links ? 4 : 0) | (r.rechts ? 8 : 0)));
        stift(r.stift);
    }
    const QByteArray &daten() const { return m_daten; }

private:
    QByteArray m_daten;
};

// Reads the payload; every read checks the bytes left first.
class Leser {
public:
    explicit Leser(QByteArrayView daten)
        : m_daten(daten)
    {
    }
    template<class T> T zahl()
    {
        brauche(sizeof(T));
        const T v = qFromLittleEndian<T>(m_daten.data() + m_pos);
        m_pos += sizeof(T);
        return v;
    }
    quint8 u8(quint8 max)
    {
        const quint8 v = zahl<quint8>();
        if (v > max)
            beschaedigt();
        return v;
    }
    bool flag() { return u8(1) != 0; }
    double f64(double min, double max)
    {
        const quint64 bits = zahl<quint64>();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v) || v < min || v > max)
            beschaedigt();
        return v;
    }
    QByteArray bytes(quint32 max)
    {
        const quint32 n = zahl<quint32>();
        if (n > max)
            beschaedigt();
        brauche(n);
        QByteArray b(m_daten.data() + m_pos, qsizetype(n));
        m_pos += n;
        return b;
    }
    QString text()
    {
        const QByteArray b = bytes(kMaxText);
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString s = decoder(b);
        if (decoder.hasError())
            beschaedigt();
        return s;
    }
    QColor farbe() { return QColor::fromRgba(zahl<quint32>()); }
    report::FontSpec schrift()
    {
        report::FontSpec f;
        f.family = text();
        if (f.family.isEmpty() || f.family.size() > 64)
            beschaedigt();
        f.pointSize = f64(1, 500);
        const quint8 stil = u8(15);
        f.bold = stil & 1;
        f.italic = stil & 2;
        f.underline = stil & 4;
        f.strikeOut = stil & 8;
        return f;
    }
    report::PenSpec stift()
    {
        report::PenSpec p;
        p.color = farbe();
        p.width = f64(0, 100);
        p.style = Qt::PenStyle(u8(quint8(Qt::DashDotDotLine)));
        return p;
    }
    Rahmen rahmen()
    {
        Rahmen r;
        const quint8 seiten = u8(15);
        r.oben = seiten & 1;
        r.unten = seiten & 2;
        r.links = seiten & 4;
        r.rechts = seiten & 8;
        r.stift = stift();
        return r;
    }
    bool amEnde() const { return m_pos == m_daten.size(); }

private:
    void brauche(qsizetype n) const
    {
        if (n < 0 || m_daten.size() - m_pos < n)
            beschaedigt();
    }

    QByteArrayView m_daten;
    qsizetype m_pos = 0;
};

void elementSchreiben(Schreiber &s, const Element &e)
{
    s.u8(quint8(e.art));
    s.f64(e.geometrie.left());
    s.f64(e.geometrie.top());
    s.f64(e.geometrie.width());
    s.f64(e.geometrie.height());
    s.text(e.text);
    s.text(e.maske);
    s.u8(e.systemwert);
    s.u8(e.schrift ? 1 : 0);
    if (e.schrift)
        s.schrift(*e.schrift);
    s.farbe(e.farbe);
    s.farbe(e.hintergrund);
    s.u8(quint8((e.transparent ? 1 : 0) | (e.anBandAusrichten ? 2 : 0) | (e.autoGroesse ? 4 : 0)
        | (e.umbruch ? 8 : 0) | (e.autoStrecken ? 16 : 0) | (e.strecken ? 32 : 0)
        | (e.seitenverhaeltnis ? 64 : 0)));
    s.u8(quint8(e.ausrichtung));
    s.stift(e.stift);
    s.zahl<qint32>(e.bild);
}

void bandSchreiben(Schreiber &s, const Band &b)
{
    s.u8(quint8(b.art));
    s.f64(b.hoehe);
    s.text(b.gruppenfeld);
    s.u8(b.hintergrund ? 1 : 0);
    s.farbe(b.hintergrund.value_or(QColor(Qt::white)));
    s.rahmen(b.rahmen);
    s.u8(b.neueSpalte ? 1 : 0);
    s.zahl<quint16>(quint16(b.elemente.size()));
    for (const Element &e : b.elemente)
        elementSchreiben(s, e);
}

Element elementLesen(Leser &l, std::size_t bildAnzahl)
{
    Element e;
    e.art = ElementArt(l.u8(kElementArten - 1));
    const double left = l.f64(-10000, 10000);
    const double top = l.f64(-10000, 10000);
    const double w = l.f64(0, 10000);
    const double h = l.f64(0, 10000);
    e.geometrie = QRectF(left, top, w, h);
    e.text = l.text();
    e.maske = l.text();
    e.systemwert = l.u8(6);
    if (l.flag())
        e.schrift = l.schrift();
    e.farbe = l.farbe();
    e.hintergrund = l.farbe();
    const quint8 flags = l.u8(127);
    e.transparent = flags & 1;
    e.anBandAusrichten = flags & 2;
    e.autoGroesse = flags & 4;
    e.umbruch = flags & 8;
    e.autoStrecken = flags & 16;
    e.strecken = flags & 32;
    e.seitenverhaeltnis = flags & 64;
    e.ausrichtung = report::HAlign(l.u8(2));
    e.stift = l.stift();
    e.bild = l.zahl<qint32>();
    const bool feld = e.art == ElementArt::Feld || e.art == ElementArt::Feldbild;
    if (feld && e.text.trimmed().isEmpty())
        beschaedigt();
    if (e.art == ElementArt::Bild ? (e.bild < 0 || std::size_t(e.bild) >= bildAnzahl)
                                  : e.bild != -1)
        beschaedigt();
    return e;
}

Band bandLesen(Leser &l, std::size_t bildAnzahl)
{
    Band b;
    b.art = BandArt(l.u8(kBandArten - 1));
    b.hoehe = l.f64(0, 5000);
    b.gruppenfeld = l.text();
    const bool hatHintergrund = l.flag();
    const QColor hintergrund = l.farbe();
    if (hatHintergrund)
        b.hintergrund = hintergrund;
    b.rahmen = l.rahmen();
    b.neueSpalte = l.flag();
    const quint16 anzahl = l.zahl<quint16>();
    if (anzahl > kMaxElemente)
        beschaedigt();
    b.elemente.reserve(anzahl);
    for (quint16 i = 0; i < anzahl; ++i)
        b.elemente.push_back(elementLesen(l, bildAnzahl));
    return b;
}

// The references between bands: one band per kind except groups, and every group footer
// belongs to a group header before it.
void baenderPruefen(const std::vector<Band> &baender)
{
    bool gesehen[kBandArten] = {};
    QStringList gruppen;
    for (const Band &b : baender) {
        switch (b.art) {
        case BandArt::Gruppenkopf:
            if (b.gruppenfeld.trimmed().isEmpty() || gruppen.contains(b.gruppenfeld))
                beschaedigt();
            gruppen.append(b.gruppenfeld);
            break;
        case BandArt::Gruppenfuss:
            if (!gruppen.contains(b.gruppenfeld))
                beschaedigt();
            break;
        default:
            if (gesehen[int(b.art)])
                beschaedigt();
            gesehen[int(b.art)] = true;
            break;
        }
    }
}

Bericht nutzlastLesen(QByteArrayView nutzlast)
{
    Leser l(nutzlast);
    Bericht r;
    r.titel = l.text();
    r.quelle = Quelle(l.u8(2));
    r.tabelle = l.text();
    r.abfrage = l.text();
    r.papier = report::PaperSize(l.u8(3));
    const double breite = l.f64(1, 2000);
    const double laenge = l.f64(1, 2000);
    r.papierMm = QSizeF(breite, laenge);
    r.lage = report::Orientation(l.u8(1));
    r.raender.left = l.f64(0, 500);
    r.raender.right = l.f64(0, 500);
    r.raender.top = l.f64(0, 500);
    r.raender.bottom = l.f64(0, 500);
    r.spalten = l.u8(20);
    if (r.spalten < 1)
        beschaedigt();
    r.spaltenabstand = l.f64(0, 500);
    r.schrift = l.schrift();
    const quint16 bilder = l.zahl<quint16>();
    if (bilder > kMaxBilder)
        beschaedigt();
    for (quint16 i = 0; i < bilder; ++i)
        r.bilder.push_back(l.bytes(kMaxBildBytes));
    const quint16 baender = l.zahl<quint16>();
    if (baender > kMaxBaender)
        beschaedigt();
    for (quint16 i = 0; i < baender; ++i)
        r.baender.push_back(bandLesen(l, r.bilder.size()));
    if (!l.amEnde())
        beschaedigt();
    baenderPruefen(r.baender);
    return r;
}

// What the reader would refuse is not written: the designer learns it on saving.
void grenzenPruefen(const Bericht &r)
{
    const auto zuGross = [] {
        throw Error(QStringLiteral("Der Bericht ist zu groß zum Speichern (höchstens %1 Bänder, "
                                   "%2 Elemente je Band, %3 Bilder zu 16 MB, Texte bis 64 KB).")
                        .arg(kMaxBaender)
                        .arg(kMaxElemente)
                        .arg(kMaxBilder));
    };
    const auto text = [&](const QString &t) {
        if (quint32(t.toUtf8().size()) > kMaxText)
            zuGross();
    };
    text(r.titel);
    text(r.tabelle);
    text(r.abfrage);
    if (r.baender.size() > kMaxBaender || r.bilder.size() > kMaxBilder)
        zuGross();
    for (const QByteArray &b : r.bilder)
        if (quint32(b.size()) > kMaxBildBytes)
            zuGross();
    for (const Band &b : r.baender) {
        if (b.elemente.size() > kMaxElemente)
            zuGross();
        for (const Element &e : b.elemente) {
            text(e.text);
            text(e.maske);
        }
    }
}

} // namespace

QByteArray berichtSchreiben(const Bericht &r)
{
    grenzenPruefen(r);
    Schreiber s;
    s.text(r.titel);
    s.u8(quint8(r.quelle));
    s.text(r.tabelle);
    s.text(r.abfrage);
    s.u8(quint8(r.papier));
    s.f64(r.papierMm.width());
    s.f64(r.papierMm.height());
    s.u8(quint8(r.lage));
    s.f64(r.raender.left);
    s.f64(r.raender.right);
    s.f64(r.raender.top);
    s.f64(r.raender.bottom);
    s.u8(quint8(r.spalten));
    s.f64(r.spaltenabstand);
    s.schrift(r.schrift);
    s.zahl<quint16>(quint16(r.bilder.size()));
    for (const QByteArray &b : r.bilder)
        s.bytes(b);
    s.zahl<quint16>(quint16(r.baender.size()));
    for (const Band &b : r.baender)
        bandSchreiben(s, b);

    const QByteArray &nutzlast = s.daten();
    QByteArray out(kMagie, sizeof kMagie);
    char kopf[8];
    qToLittleEndian<quint16>(kStromVersion, kopf);
    qToLittleEndian<quint32>(quint32(nutzlast.size()), kopf + 2);
    qToLittleEndian<quint16>(qChecksum(nutzlast), kopf + 6);
    out.append(kopf, sizeof kopf);
    out.append(nutzlast);
    return out;
}

Bericht berichtLesen(const QByteArray &daten)
{
    if (daten.isEmpty())
        throw StromFehler(StromFehler::Art::Leer,
            QStringLiteral("Der Bericht ist noch leer: er wurde noch nicht gestaltet."));
    if (daten.size() < qsizetype(sizeof kMagie)
        || std::memcmp(daten.constData(), kMagie, sizeof kMagie) != 0)
        throw StromFehler(StromFehler::Art::Fremd,
            QStringLiteral("Die gespeicherten Daten sind kein Bericht dieses Programms."));
    if (daten.size() < kKopf)
        beschaedigt();
    const quint16 version = qFromLittleEndian<quint16>(daten.constData() + 8);
    if (version > kStromVersion)
        throw StromFehler(StromFehler::Art::Neuer,
            QStringLiteral("Der Bericht wurde mit einer neueren Programmversion gespeichert "
                           "(Format %1) und kann hier nicht gelesen werden.")
                .arg(version));
    if (version == 0)
        beschaedigt();
    const quint32 laenge = qFromLittleEndian<quint32>(daten.constData() + 10);
    if (qint64(laenge) != qint64(daten.size()) - kKopf)
        beschaedigt();
    const QByteArrayView nutzlast(daten.constData() + kKopf, qsizetype(laenge));
    if (qFromLittleEndian<quint16>(daten.constData() + 14) != qChecksum(nutzlast))
        beschaedigt();
    return nutzlastLesen(nutzlast);
}

} // namespace kb::bericht
