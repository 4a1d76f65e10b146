#include "designer/FertigeBerichte.h"

#include "report/Printables.h"

namespace kb::bericht {
namespace {

// A4 portrait with margins of 15 mm: 180 mm, about 680 layout pixels, of printable width.
constexpr double kBreite = 680;

report::FontSpec schrift(double punkte, bool fett = false)
{
    return { .family = QStringLiteral("Arial"), .pointSize = punkte, .bold = fett };
}

Element text(const QString &caption, QRectF box, std::optional<report::FontSpec> font = {})
{
    Element e;
    e.art = ElementArt::Text;
    e.text = caption;
    e.geometrie = box;
    e.schrift = std::move(font);
    return e;
}

Element feld(const QString &name, QRectF box, const QString &maske = {})
{
    Element e;
    e.art = ElementArt::Feld;
    e.text = name;
    e.maske = maske;
    e.geometrie = box;
    return e;
}

Element linie(double y)
{
    Element e;
    e.art = ElementArt::LinieWaagrecht;
    e.geometrie = QRectF(0, y, kBreite, 1);
    return e;
}

Element systemwert(
    report::SystemData::Kind art, const QString &vorsatz, QRectF box, report::HAlign ausrichtung)
{
    Element e;
    e.art = ElementArt::Systemwert;
    e.systemwert = quint8(art);
    e.text = vorsatz;
    e.geometrie = box;
    e.ausrichtung = ausrichtung;
    e.schrift = schrift(8);
    return e;
}

Band band(BandArt art, double hoehe, std::vector<Element> elemente)
{
    Band b;
    b.art = art;
    b.hoehe = hoehe;
    b.elemente = std::move(elemente);
    return b;
}

Band seitenfuss()
{
    return band(BandArt::Seitenfuss, 24,
        { linie(2),
            systemwert(report::SystemData::Kind::Date, QStringLiteral("Gedruckt am "),
                QRectF(0, 6, 300, 16), report::HAlign::Left),
            systemwert(report::SystemData::Kind::PageNumber, QStringLiteral("Seite "),
                QRectF(kBreite - 200, 6, 200, 16), report::HAlign::Right) });
}

Bericht grundbericht(const QString &titel, const QString &abfrage)
{
    Bericht r;
    r.titel = titel;
    r.quelle = Quelle::Abfrage;
    r.abfrage = abfrage;
    r.schrift = schrift(10);
    return r;
}

// The title with the calendar's year and state, read from the first record; the year follows
// the title at `jahrLinks`.
Band titelband(const QString &titel, double jahrLinks)
{
    return band(BandArt::Titel, 60,
        { text(titel, QRectF(0, 0, jahrLinks - 8, 28), schrift(16, true)),
            feld(QStringLiteral("Datum"), QRectF(jahrLinks, 0, 80, 28), QStringLiteral("yyyy")),
            feld(QStringLiteral("BLand"), QRectF(0, 32, kBreite, 18)) });
}

Bericht feiertage()
{
    Bericht r = grundbericht(QStringLiteral("Feiertage des Jahres"),
        QStringLiteral("SELECT Datum, Tag, Text, BLand FROM Jahr WHERE Kennung > 0 "
                       "ORDER BY Nummer"));
    Band titel = titelband(r.titel, 232);
    titel.elemente[1].schrift = schrift(16, true);
    r.baender.push_back(std::move(titel));
    r.baender.push_back(band(BandArt::Spaltenkopf, 24,
        { text(QStringLiteral("Datum"), QRectF(0, 2, 100, 18), schrift(10, true)),
            text(QStringLiteral("Wochentag"), QRectF(110, 2, 120, 18), schrift(10, true)),
            text(QStringLiteral("Feiertag"), QRectF(240, 2, 440, 18), schrift(10, true)),
            linie(22) }));
    r.baender.push_back(band(BandArt::Detail, 20,
        { feld(QStringLiteral("Datum"), QRectF(0, 2, 100, 16), QStringLiteral("dd.mm.yyyy")),
            feld(QStringLiteral("Datum"), QRectF(110, 2, 120, 16), QStringLiteral("dddd")),
            feld(QStringLiteral("Text"), QRectF(240, 2, 440, 16)) }));
    r.baender.push_back(seitenfuss());
    return r;
}

Bericht termine()
{
    Bericht r = grundbericht(QStringLiteral("Termine und Geburtstage"),
        // Barbaratag and Nikolaus are the texts a new calendar gives 4 and 6 December without a
        // holiday code: special days too.
        QStringLiteral("SELECT Datum, Tag, Monat, Text, Notizen, BLand FROM Jahr "
                       "WHERE Kennung = 0 AND trim(ifnull(Text, '')) <> '' "
                       "AND NOT (MonatNr = 12 AND ((TagimMonat = 4 AND Text = 'Barbaratag') "
                       "OR (TagimMonat = 6 AND Text = 'Nikolaus'))) ORDER BY Nummer"));
    r.baender.push_back(titelband(r.titel, 262));
    r.baender[0].elemente[1].schrift = schrift(16, true);
    r.baender.push_back(band(BandArt::Spaltenkopf, 24,
        { text(QStringLiteral("Datum"), QRectF(0, 2, 90, 18), schrift(10, true)),
            text(QStringLiteral("Tag"), QRectF(95, 2, 40, 18), schrift(10, true)),
            text(QStringLiteral("Text"), QRectF(140, 2, 260, 18), schrift(10, true)),
            text(QStringLiteral("Notizen"), QRectF(410, 2, 270, 18), schrift(10, true)),
            linie(22) }));
    Band gruppe
        = band(BandArt::Gruppenkopf, 26, { feld(QStringLiteral("Monat"), QRectF(0, 6, 300, 18)) });
    gruppe.gruppenfeld = QStringLiteral("Monat");
    gruppe.elemente[0].schrift = schrift(11, true);
    r.baender.push_back(std::move(gruppe));
    Element notizen = feld(QStringLiteral("Notizen"), QRectF(410, 2, 270, 16));
    notizen.umbruch = true;
    notizen.autoStrecken = true;
    Element textfeld = feld(QStringLiteral("Text"), QRectF(140, 2, 260, 16));
    textfeld.umbruch = true;
    textfeld.autoStrecken = true;
    r.baender.push_back(band(BandArt::Detail, 20,
        { feld(QStringLiteral("Datum"), QRectF(0, 2, 90, 16), QStringLiteral("dd.mm.yyyy")),
            feld(QStringLiteral("Tag"), QRectF(95, 2, 40, 16)), textfeld, notizen }));
    r.baender.push_back(seitenfuss());
    return r;
}

Bericht monatsbilder()
{
    Bericht r = grundbericht(QStringLiteral("Monatsbilder"),
        QStringLiteral("SELECT b.MonatNR AS MonatNr, (SELECT j.Monat FROM Jahr j "
                       "WHERE j.MonatNr = b.MonatNR LIMIT 1) AS Monat, b.Bild AS Bild, "
                       "b.TextMonat AS TextMonat FROM Bilder b ORDER BY b.MonatNR"));
    r.baender.push_back(
        band(BandArt::Titel, 40, { text(r.titel, QRectF(0, 0, kBreite, 28), schrift(16, true)) }));
    Element bild;
    bild.art = ElementArt::Feldbild;
    bild.text = QStringLiteral("Bild");
    bild.geometrie = QRectF(0, 28, 330, 240);
    bild.strecken = true;
    bild.seitenverhaeltnis = true;
    Element monatstext = feld(QStringLiteral("TextMonat"), QRectF(345, 28, 335, 240));
    monatstext.umbruch = true;
    monatstext.schrift = schrift(10);
    Element monat = feld(QStringLiteral("Monat"), QRectF(0, 4, 300, 20));
    monat.schrift = schrift(12, true);
    Band detail = band(BandArt::Detail, 290, { monat, bild, monatstext, linie(284) });
    r.baender.push_back(std::move(detail));
    r.baender.push_back(seitenfuss());
    return r;
}

} // namespace

std::vector<FertigerBericht> fertigeBerichte()
{
    return {
        { QStringLiteral("Feiertage des Jahres"), feiertage() },
        { QStringLiteral("Termine und Geburtstage"), termine() },
        { QStringLiteral("Monatsbilder"), monatsbilder() },
    };
}

} // namespace kb::bericht
