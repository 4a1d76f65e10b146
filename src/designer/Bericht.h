#pragma once

#include "platform/Margins.h"
#include "report/Page.h"
#include "report/Printable.h"

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

// A stored report of the report management: one data set, bands with their printables, paper,
// margins and columns. A plain value that BerichtsStrom writes into and reads from the blob
// field `Reportdata`; BerichtsDruck turns it into a report of the report engine.
namespace kb::bericht {

// Where the records come from.
enum class Quelle : quint8 {
    Keine, // only the page bands print
    Tabelle, // a table file (`tabelle` is its path)
    Abfrage, // one SELECT over the open calendar's tables `Jahr` and `Bilder`
};

// The bands in the order they appear on the workspace.
enum class BandArt : quint8 {
    Titel,
    Seitenkopf,
    Spaltenkopf,
    Gruppenkopf,
    Detail,
    Gruppenfuss,
    Zusammenfassung,
    Seitenfuss,
};
inline constexpr int kBandArten = 8;

enum class ElementArt : quint8 {
    Text, // a fixed caption
    Feld, // the current record's value of a field, through a display mask
    Systemwert, // date, time, page number ... (report::SystemData::Kind)
    Bild, // a picture of the report's own (an index into Bericht::bilder)
    Feldbild, // the picture of a graphic field
    Rechteck,
    LinieWaagrecht,
    LinieSenkrecht,
};
inline constexpr int kElementArten = 8;

struct Rahmen {
    bool oben = false, unten = false, links = false, rechts = false;
    report::PenSpec stift;

    bool any() const { return oben || unten || links || rechts; }
    friend bool operator==(const Rahmen &, const Rahmen &) = default;
};

struct Element {
    ElementArt art = ElementArt::Text;
    QRectF geometrie; // layout pixels, relative to the band
    QString text; // caption, field name or prefix of a system value
    QString maske; // display mask of a field
    quint8 systemwert = 0; // report::SystemData::Kind
    std::optional<report::FontSpec> schrift; // none: the report's font
    QColor farbe = Qt::black;
    QColor hintergrund = Qt::white;
    bool transparent = true;
    report::HAlign ausrichtung = report::HAlign::Left;
    bool anBandAusrichten = false;
    bool autoGroesse = false;
    bool umbruch = false;
    bool autoStrecken = false;
    bool strecken = false; // pictures: scaled into the box
    bool seitenverhaeltnis = false; // pictures: keep their proportions when scaled
    report::PenSpec stift; // shapes and lines
    int bild = -1; // ElementArt::Bild: index into Bericht::bilder

    friend bool operator==(const Element &, const Element &) = default;
};

struct Band {
    BandArt art = BandArt::Detail;
    double hoehe = 20; // layout pixels
    QString gruppenfeld; // group header and footer: the field whose change ends a group
    std::optional<QColor> hintergrund;
    Rahmen rahmen;
    bool neueSpalte = false; // group header and detail: each print starts a new column
    std::vector<Element> elemente;

    friend bool operator==(const Band &, const Band &) = default;
};

struct Bericht {
    QString titel;
    Quelle quelle = Quelle::Keine;
    QString tabelle; // Quelle::Tabelle: the table file
    QString abfrage; // Quelle::Abfrage: the SELECT
    report::PaperSize papier = report::PaperSize::A4;
    QSizeF papierMm { 210, 297 }; // PaperSize::Custom: width and length, portrait
    report::Orientation lage = report::Orientation::Portrait;
    Margins raender { .left = 15, .right = 15, .top = 15, .bottom = 15 };
    int spalten = 1;
    double spaltenabstand = 0; // mm
    report::FontSpec schrift;
    std::vector<Band> baender; // at most one of each kind except group headers and footers
    std::vector<QByteArray> bilder; // PNG files of the pictures of ElementArt::Bild

    friend bool operator==(const Bericht &, const Bericht &) = default;
};

// The band of a kind, or null.
const Band *findeBand(const Bericht &bericht, BandArt art);
Band &bandHolen(Bericht &bericht, BandArt art);
// German name of a band kind as the workspace shows it ("Seitenkopf", "Detail" ...).
QString bandName(BandArt art);
// What a new report starts with: a page header with its title, an empty detail band and a
// page footer with the date and the page number, A4 portrait, no data yet.
Bericht neuerBericht(const QString &titel);

// How many printables the report has in all its bands.
std::size_t elementAnzahl(const Bericht &bericht);

// The longest side a picture of the report's own keeps; larger pictures are scaled down when
// they are taken into the report.
inline constexpr int kGroessteBildseite = 1600;
// A picture file (JPEG, BMP, PNG, GIF) as the report keeps its pictures: PNG, at most
// kGroessteBildseite on its longer side. Throws kb::Error with a German message naming the
// file when it is no readable picture.
QByteArray bildAlsPng(const QString &pfad);
// Gives the picture printable at `band`/`element` the picture `png`. The slot of its old
// picture is reused when no other printable shows it, so replacing pictures does not make the
// report grow.
void bildSetzen(Bericht &bericht, int band, int element, const QByteArray &png);

} // namespace kb::bericht
