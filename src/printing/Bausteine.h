#pragma once

// Parts that the month calendars, week calendar inserts and diary pages share: the address
// header, the footer strip, the month heading of a group, the day line and the care of the
// main window's day table while a layout walks it.

#include "printing/Tageszeile.h"
#include "printing/TextGruppen.h"
#include "report/Page.h"

#include <QColor>
#include <QRectF>
#include <QString>
#include <memory>

namespace kb {

class IniFile;
class Table;

namespace report {
class Band;
class DataSet;
class FieldText;
class Label;
} // namespace report

namespace Bausteine {

// An Arial font of the layouts' fixed printables.
report::FontSpec arial(double size, bool bold = false);

// The page header of the month calendars and the diary pages (91 pixels): the company in the
// Kopf group at the left, the company again in the Adresse font without style above the
// address lines Strasse, Ort, Telefon and Fax (Adresse group), and the logo named by Bild
// when its file exists. `breite` is the band's width, the paper between the side margins: the
// logo stays on it (logoBox) and the address keeps left of the logo.
void adresskopf(report::Band &kopf, const LayoutSettings &settings, const GruppenStile &stile,
    const IniFile &ini, double breite);

// The logo's box in a header band `breite` wide: 57 x 73 at (656, 8) when that fits; else at
// the band's right edge, and scaled down, proportions kept, when the band is narrower than
// the logo.
QRectF logoBox(double breite);

// The footer strip: Kopfbandtext in the KopfBand font name, size and colour without style, on
// KopfBandFarbe. `box` is cut at `breite`, the width of the band, so no margin setting lets it
// run off the paper.
report::Label &fussStreifen(
    report::Band &fuss, const LayoutSettings &settings, const QRectF &box, double breite);

// Month name (field Monat) and year of a group header, each on the Monat background.
class Monatsueberschrift {
public:
    Monatsueberschrift(report::Band &band, double top, double jahrLeft,
        const report::FontSpec &font, const QColor &farbe, const QColor &hintergrund);

    // Before the header prints: the year of the group's first day. A month name that reaches
    // the year's place (a large Monat font) pushes the year to its right, one blank apart.
    void vorDruck(const report::DataSet &daten);

private:
    report::FieldText *m_monat;
    report::Label *m_jahr;
    double m_jahrLeft;
};

// Geometry of a day line; everything else is common: the day number (field Datum, mask "d")
// at the left in Arial 10 bold, right-aligned in 25 x 17; the weekday (field Tag) in Arial 10;
// the week label at 48 in "Small Fonts" 5; the day text (field Text, word wrap) in Arial.
struct TageszeilenMasse {
    double hoehe = 16;
    double wochentagLeft = 32;
    QRectF text;
    double textGroesse = 10;
    // 0: the day text keeps its box. n: a wrapped day text grows its box, and the line, to up
    // to n lines. Text beyond the box ends at a whole line with "…".
    int hoechstensTextzeilen = 0;
};

// The day line of the month, week and diary layouts. Fills the detail band with its printables
// and its bottom line in `linienfarbe`; before each line it applies the day-line rules and
// keeps the texts apart: the week label starts right of the weekday, and where label and day
// text share their height the day text starts right of the label. The day text never reaches
// beyond `breite`, the detail band's width.
class Tageszeilendruck {
public:
    Tageszeilendruck(report::Band &zeile, const TageszeilenMasse &masse, qint32 linienfarbe,
        double breite, const report::DataSet &daten, const LayoutSettings &settings);

    // A new generation of the pages: the week-1 label shows again.
    void reset() { m_regeln->reset(); }
    void vorDruck(report::Band &zeile);
    void nachDruck() { m_regeln->nachDruck(); }
    // Shows or hides day number, weekday, week label and day text.
    void setSichtbar(bool sichtbar);
    // The height of the current day line: its own, or more when its day text grew.
    double hoehe() const { return m_hoehe; }

private:
    void ordnen();
    void textHoeheAnpassen();

    const report::DataSet &m_daten;
    TageszeilenMasse m_masse;
    double m_breite;
    double m_hoehe;
    Tageszeile::Teile m_teile;
    report::FieldText *m_nummer = nullptr;
    report::FieldText *m_wochentag = nullptr;
    std::unique_ptr<Tageszeile::Regeln> m_regeln;
};

// While a layout walks the main window's day table: the views on the table keep still, and
// afterwards the day that was current is current again if the table still shows it (else its
// first day). The table's filter stays as the run set it.
class TagesCursorSicherung {
public:
    explicit TagesCursorSicherung(Table &tage);
    ~TagesCursorSicherung();
    TagesCursorSicherung(const TagesCursorSicherung &) = delete;
    TagesCursorSicherung &operator=(const TagesCursorSicherung &) = delete;

private:
    Table &m_tage;
    int m_nummer = 0;
    bool m_gesperrt = false;
};

} // namespace Bausteine
} // namespace kb
