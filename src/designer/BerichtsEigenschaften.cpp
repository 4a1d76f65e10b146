#include "designer/BerichtsEigenschaften.h"

#include <QLocale>
#include <algorithm>

namespace kb::bericht {

using designer::Listenzeile;
using designer::Werteart;

namespace {

constexpr int kMaxPixel = 5000;

const QStringList &jaNeinListe()
{
    static const QStringList l = { QStringLiteral("ja"), QStringLiteral("nein") };
    return l;
}

const QStringList &ausrichtungen()
{
    static const QStringList l
        = { QStringLiteral("links"), QStringLiteral("zentriert"), QStringLiteral("rechts") };
    return l;
}

struct Linienart {
    Qt::PenStyle stil;
    const char16_t *name;
};
constexpr Linienart kLinienarten[] = {
    { Qt::SolidLine, u"durchgezogen" },
    { Qt::DashLine, u"gestrichelt" },
    { Qt::DotLine, u"gepunktet" },
    { Qt::DashDotLine, u"Strich-Punkt" },
};

QStringList linienartNamen()
{
    QStringList l;
    for (const Linienart &a : kLinienarten)
        l.append(QString::fromUtf16(a.name));
    return l;
}

QString linienartName(Qt::PenStyle stil)
{
    for (const Linienart &a : kLinienarten)
        if (a.stil == stil)
            return QString::fromUtf16(a.name);
    return QString::fromUtf16(kLinienarten[0].name);
}

bool mitText(ElementArt a)
{
    return a == ElementArt::Text || a == ElementArt::Feld || a == ElementArt::Systemwert;
}

bool mitStift(ElementArt a)
{
    return a == ElementArt::Rechteck || a == ElementArt::LinieWaagrecht
        || a == ElementArt::LinieSenkrecht;
}

bool mitHintergrund(ElementArt a)
{
    return mitText(a) || a == ElementArt::Rechteck;
}

Listenzeile zeile(auto id, const QString &titel, const QString &wert, Werteart art = Werteart::Text,
    QStringList auswahl = {})
{
    return { .id = int(id),
        .titel = titel,
        .wert = wert,
        .aenderbar = true,
        .art = art,
        .auswahl = std::move(auswahl) };
}

QString zahl(double wert)
{
    return QLocale(QLocale::German).toString(wert, 'g', 6);
}

std::optional<QString> auswahlSetzen(
    int &ziel, const QString &text, const QStringList &werte, const QString &was)
{
    const QString t = text.trimmed();
    for (int i = 0; i < werte.size(); ++i) {
        if (werte[i].compare(t, Qt::CaseInsensitive) == 0) {
            ziel = i;
            return std::nullopt;
        }
    }
    return QStringLiteral("„%1“ ist keine %2. Möglich sind: %3.")
        .arg(t, was, werte.join(QStringLiteral(", ")));
}

} // namespace

QStringList systemwertNamen()
{
    return { QStringLiteral("Datum"), QStringLiteral("Uhrzeit"),
        QStringLiteral("Datum und Uhrzeit"), QStringLiteral("Seitennummer"),
        QStringLiteral("Anzahl Datensätze"), QStringLiteral("Datensatznummer"),
        QStringLiteral("Berichtstitel") };
}

QString elementArtName(ElementArt art)
{
    static const QStringList namen
        = { QStringLiteral("Text"), QStringLiteral("Feld"), QStringLiteral("Systemwert"),
              QStringLiteral("Bild"), QStringLiteral("Feldbild"), QStringLiteral("Rechteck"),
              QStringLiteral("waagrechte Linie"), QStringLiteral("senkrechte Linie") };
    return namen.value(int(art));
}

std::vector<Listenzeile> elementZeilen(const Element &e, const report::FontSpec &standardSchrift)
{
    using E = ElementEigenschaft;
    std::vector<Listenzeile> z;
    Listenzeile art = zeile(E::Art, QStringLiteral("Art"), elementArtName(e.art));
    art.aenderbar = false;
    z.push_back(art);
    switch (e.art) {
    case ElementArt::Text:
        z.push_back(zeile(E::Text, QStringLiteral("Text"), e.text));
        break;
    case ElementArt::Feld:
        z.push_back(zeile(E::Text, QStringLiteral("Feld"), e.text));
        z.push_back(zeile(E::Maske, QStringLiteral("Maske"), e.maske));
        break;
    case ElementArt::Systemwert:
        z.push_back(zeile(E::Systemwert, QStringLiteral("Systemwert"),
            systemwertNamen().value(e.systemwert), Werteart::Auswahl, systemwertNamen()));
        z.push_back(zeile(E::Text, QStringLiteral("Vorsatz"), e.text));
        break;
    case ElementArt::Feldbild:
        z.push_back(zeile(E::Text, QStringLiteral("Feld"), e.text));
        break;
    default:
        break;
    }
    const QRectF g = e.geometrie;
    z.push_back(zeile(E::Links, QStringLiteral("Links"), QString::number(qRound(g.left()))));
    z.push_back(zeile(E::Oben, QStringLiteral("Oben"), QString::number(qRound(g.top()))));
    z.push_back(zeile(E::Breite, QStringLiteral("Breite"), QString::number(qRound(g.width()))));
    z.push_back(zeile(E::Hoehe, QStringLiteral("Höhe"), QString::number(qRound(g.height()))));
    if (mitText(e.art)) {
        const report::FontSpec s = e.schrift.value_or(standardSchrift);
        z.push_back(zeile(E::Schriftart, QStringLiteral("Schriftart"), s.family));
        z.push_back(zeile(E::Schriftgroesse, QStringLiteral("Schriftgröße"), zahl(s.pointSize)));
        z.push_back(zeile(E::Fett, QStringLiteral("Fett"), designer::jaNein(s.bold),
            Werteart::Auswahl, jaNeinListe()));
        z.push_back(zeile(E::Kursiv, QStringLiteral("Kursiv"), designer::jaNein(s.italic),
            Werteart::Auswahl, jaNeinListe()));
        z.push_back(zeile(E::Schriftfarbe, QStringLiteral("Schriftfarbe"),
            designer::farbText(e.farbe), Werteart::Farbe));
        z.push_back(zeile(E::Ausrichtung, QStringLiteral("Ausrichtung"),
            ausrichtungen().value(int(e.ausrichtung)), Werteart::Auswahl, ausrichtungen()));
        z.push_back(zeile(E::Umbruch, QStringLiteral("Zeilenumbruch"), designer::jaNein(e.umbruch),
            Werteart::Auswahl, jaNeinListe()));
        z.push_back(zeile(E::AutoStrecken, QStringLiteral("Höhe wächst mit"),
            designer::jaNein(e.autoStrecken), Werteart::Auswahl, jaNeinListe()));
    }
    if (mitHintergrund(e.art)) {
        z.push_back(zeile(E::Hintergrundfarbe, QStringLiteral("Hintergrundfarbe"),
            designer::farbText(e.hintergrund), Werteart::Farbe));
        z.push_back(zeile(E::Transparent, QStringLiteral("Transparent"),
            designer::jaNein(e.transparent), Werteart::Auswahl, jaNeinListe()));
    }
    if (e.art == ElementArt::Bild || e.art == ElementArt::Feldbild)
        z.push_back(zeile(E::Einpassen, QStringLiteral("Einpassen"), designer::jaNein(e.strecken),
            Werteart::Auswahl, jaNeinListe()));
    if (mitStift(e.art)) {
        z.push_back(zeile(E::Linienfarbe, QStringLiteral("Linienfarbe"),
            designer::farbText(e.stift.color), Werteart::Farbe));
        z.push_back(zeile(E::Linienbreite, QStringLiteral("Linienbreite"), zahl(e.stift.width)));
        z.push_back(zeile(E::Linienart, QStringLiteral("Linienart"), linienartName(e.stift.style),
            Werteart::Auswahl, linienartNamen()));
    }
    return z;
}

std::optional<QString> elementSetzen(
    Element &e, int id, const QString &text, const report::FontSpec &standardSchrift)
{
    using E = ElementEigenschaft;
    const std::vector<Listenzeile> zeilen = elementZeilen(e, standardSchrift);
    const auto zeileDa = std::any_of(zeilen.begin(), zeilen.end(),
        [id](const Listenzeile &z) { return z.id == id && z.aenderbar; });
    if (!zeileDa)
        return QStringLiteral("Dieses Element hat keine solche Eigenschaft.");
    Element neu = e;
    report::FontSpec schrift = neu.schrift.value_or(standardSchrift);
    std::optional<QString> fehler;
    const auto geometrie = [&](auto setzen, int von) {
        int wert = 0;
        fehler = designer::zahlSetzen(wert, text, von, kMaxPixel);
        if (!fehler)
            setzen(double(wert));
    };
    switch (E(id)) {
    case E::Art:
        break;
    case E::Text:
        if ((neu.art == ElementArt::Feld || neu.art == ElementArt::Feldbild)
            && text.trimmed().isEmpty())
            fehler = QStringLiteral("Bitte den Namen eines Feldes eingeben.");
        else
            neu.text = neu.art == ElementArt::Text ? text : text.trimmed();
        break;
    case E::Maske:
        neu.maske = text.trimmed();
        break;
    case E::Systemwert: {
        int i = 0;
        fehler = auswahlSetzen(i, text, systemwertNamen(), QStringLiteral("Systemwert"));
        if (!fehler)
            neu.systemwert = quint8(i);
        break;
    }
    case E::Links:
        geometrie([&](double v) { neu.geometrie.moveLeft(v); }, 0);
        break;
    case E::Oben:
        geometrie([&](double v) { neu.geometrie.moveTop(v); }, 0);
        break;
    case E::Breite:
        geometrie([&](double v) { neu.geometrie.setWidth(v); }, 1);
        break;
    case E::Hoehe:
        geometrie([&](double v) { neu.geometrie.setHeight(v); }, 1);
        break;
    case E::Schriftart:
        if (text.trimmed().isEmpty())
            fehler = QStringLiteral("Bitte den Namen einer Schriftart eingeben.");
        else
            schrift.family = text.trimmed();
        break;
    case E::Schriftgroesse:
        fehler = designer::zahlSetzen(schrift.pointSize, text, 1, 500);
        break;
    case E::Fett:
        fehler = designer::jaNeinSetzen(schrift.bold, text);
        break;
    case E::Kursiv:
        fehler = designer::jaNeinSetzen(schrift.italic, text);
        break;
    case E::Schriftfarbe:
        fehler = designer::farbeSetzen(neu.farbe, text);
        break;
    case E::Ausrichtung: {
        int i = 0;
        fehler = auswahlSetzen(i, text, ausrichtungen(), QStringLiteral("Ausrichtung"));
        if (!fehler)
            neu.ausrichtung = report::HAlign(i);
        break;
    }
    case E::Umbruch:
        fehler = designer::jaNeinSetzen(neu.umbruch, text);
        break;
    case E::AutoStrecken:
        fehler = designer::jaNeinSetzen(neu.autoStrecken, text);
        break;
    case E::Hintergrundfarbe:
        fehler = designer::farbeSetzen(neu.hintergrund, text);
        // A background chosen is meant to be seen.
        if (!fehler)
            neu.transparent = false;
        break;
    case E::Transparent:
        fehler = designer::jaNeinSetzen(neu.transparent, text);
        break;
    case E::Einpassen:
        fehler = designer::jaNeinSetzen(neu.strecken, text);
        if (!fehler)
            neu.seitenverhaeltnis = neu.strecken;
        break;
    case E::Linienfarbe:
        fehler = designer::farbeSetzen(neu.stift.color, text);
        break;
    case E::Linienbreite:
        fehler = designer::zahlSetzen(neu.stift.width, text, 0, 20);
        break;
    case E::Linienart: {
        int i = 0;
        fehler = auswahlSetzen(i, text, linienartNamen(), QStringLiteral("Linienart"));
        if (!fehler)
            neu.stift.style = kLinienarten[i].stil;
        break;
    }
    }
    if (fehler)
        return fehler;
    const bool schriftZeile = id >= int(E::Schriftart) && id <= int(E::Kursiv);
    if (schriftZeile && schrift != neu.schrift.value_or(standardSchrift))
        neu.schrift = schrift;
    e = neu;
    return std::nullopt;
}

std::vector<Listenzeile> bandZeilen(const Band &b)
{
    using B = BandEigenschaft;
    std::vector<Listenzeile> z;
    Listenzeile name = zeile(B::Name, QStringLiteral("Band"), bandName(b.art));
    name.aenderbar = false;
    z.push_back(name);
    z.push_back(zeile(B::Hoehe, QStringLiteral("Höhe"), QString::number(qRound(b.hoehe))));
    if (b.art == BandArt::Gruppenkopf)
        z.push_back(zeile(B::Gruppenfeld, QStringLiteral("Gruppenfeld"), b.gruppenfeld));
    if (b.art == BandArt::Gruppenkopf || b.art == BandArt::Detail)
        z.push_back(zeile(B::NeueSpalte, QStringLiteral("Neue Spalte"),
            designer::jaNein(b.neueSpalte), Werteart::Auswahl, jaNeinListe()));
    z.push_back(zeile(B::Hintergrundfarbe, QStringLiteral("Hintergrundfarbe"),
        b.hintergrund ? designer::farbText(*b.hintergrund) : QStringLiteral("keine"),
        Werteart::Farbe));
    const std::pair<B, std::pair<const char16_t *, bool>> kanten[] = {
        { B::RahmenOben, { u"Rahmen oben", b.rahmen.oben } },
        { B::RahmenUnten, { u"Rahmen unten", b.rahmen.unten } },
        { B::RahmenLinks, { u"Rahmen links", b.rahmen.links } },
        { B::RahmenRechts, { u"Rahmen rechts", b.rahmen.rechts } },
    };
    for (const auto &[id, kante] : kanten)
        z.push_back(zeile(id, QString::fromUtf16(kante.first), designer::jaNein(kante.second),
            Werteart::Auswahl, jaNeinListe()));
    z.push_back(zeile(B::Rahmenfarbe, QStringLiteral("Rahmenfarbe"),
        designer::farbText(b.rahmen.stift.color), Werteart::Farbe));
    z.push_back(zeile(B::Rahmenbreite, QStringLiteral("Rahmenbreite"), zahl(b.rahmen.stift.width)));
    return z;
}

std::optional<QString> bandSetzen(Band &b, int id, const QString &text)
{
    using B = BandEigenschaft;
    const std::vector<Listenzeile> zeilen = bandZeilen(b);
    if (std::none_of(zeilen.begin(), zeilen.end(),
            [id](const Listenzeile &z) { return z.id == id && z.aenderbar; }))
        return QStringLiteral("Dieses Band hat keine solche Eigenschaft.");
    Band neu = b;
    std::optional<QString> fehler;
    switch (B(id)) {
    case B::Name:
        break;
    case B::Hoehe: {
        int hoehe = 0;
        fehler = designer::zahlSetzen(hoehe, text, 0, kMaxPixel);
        neu.hoehe = hoehe;
        break;
    }
    case B::Gruppenfeld:
        if (text.trimmed().isEmpty())
            fehler = QStringLiteral("Bitte den Namen eines Feldes eingeben.");
        neu.gruppenfeld = text.trimmed();
        break;
    case B::NeueSpalte:
        fehler = designer::jaNeinSetzen(neu.neueSpalte, text);
        break;
    case B::Hintergrundfarbe:
        if (text.trimmed().isEmpty()
            || text.trimmed().compare(u"keine", Qt::CaseInsensitive) == 0) {
            neu.hintergrund.reset();
        } else {
            QColor f;
            fehler = designer::farbeSetzen(f, text);
            neu.hintergrund = f;
        }
        break;
    case B::RahmenOben:
        fehler = designer::jaNeinSetzen(neu.rahmen.oben, text);
        break;
    case B::RahmenUnten:
        fehler = designer::jaNeinSetzen(neu.rahmen.unten, text);
        break;
    case B::RahmenLinks:
        fehler = designer::jaNeinSetzen(neu.rahmen.links, text);
        break;
    case B::RahmenRechts:
        fehler = designer::jaNeinSetzen(neu.rahmen.rechts, text);
        break;
    case B::Rahmenfarbe:
        fehler = designer::farbeSetzen(neu.rahmen.stift.color, text);
        break;
    case B::Rahmenbreite:
        fehler = designer::zahlSetzen(neu.rahmen.stift.width, text, 0, 20);
        break;
    }
    if (fehler)
        return fehler;
    b = neu;
    return std::nullopt;
}

} // namespace kb::bericht
