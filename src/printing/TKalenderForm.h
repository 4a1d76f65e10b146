#pragma once

#include "printing/TableDataSet.h"
#include "printing/Tageszeile.h"
#include "printing/TextGruppen.h"
#include "report/Report.h"
#include "settings/LayoutSettings.h"

#include <QString>
#include <memory>
#include <vector>

namespace kb {

class Table;

namespace report {
class Label;
} // namespace report

// One of the six year calendars: 1, 2, 3, 4, 6 or 12 pages with 12, 6, 4, 3, 2 or 1 months
// (columns) each.
struct KalenderVariante {
    QString handler; // the main window's handler, "Kronoblatt1Click" ...
    QString menuText; // entry of the calendar tool bar's drop-down menu
    QString navText; // item of the navigation group "Kronoblatt drucken"
    int spalten = 12;
    double tagesNummerGroesse = 8; // Arial bold, points
    double wochentagGroesse = 8; // Arial, points
    double textGroesse = 4; // "Small Fonts", points
    double textLeft = 30;
    double textWidth = 43;
    double wochenLabelLeft = 35;
    report::HAlign monatAusrichtung = report::HAlign::Left;

    int seiten() const { return 12 / spalten; }
};

// The six variants in menu order: 1 page with 12 columns first.
const std::vector<KalenderVariante> &kalenderVarianten();
// The variant whose navigation text is `navText` ("1 Seite 12 Spalten" ...); null for none.
const KalenderVariante *kalenderVariante(const QString &navText);

// The year calendar report form: a landscape A4 report with a page header (title, strip,
// address block, logo), one column per month with its name on top, one line per day and the
// state's name at the foot. It walks a cursor of its own on the calendar's day table, without
// filter, so every day of the year prints whatever the caller's cursor shows; the caller's
// cursor keeps its filter and position.
//
// Texts, fonts and colours of title, address, month name and shading come from `settings`
// (the program's run-time copy); margins, logo, strip colour, line colour, style keys and the
// symbol flag are read from the settings file when the form is made.
class TKalenderForm {
public:
    TKalenderForm(const KalenderVariante &variante, const Table &tage,
        const LayoutSettings &settings, const IniFile &ini);
    ~TKalenderForm();
    TKalenderForm(const TKalenderForm &) = delete;
    TKalenderForm &operator=(const TKalenderForm &) = delete;

    report::Report &report() { return m_report; }
    const KalenderVariante &variante() const { return m_variante; }
    // The year in the title: that of the caller's current day.
    int jahr() const { return m_jahr; }

    // All pages, as the preview shows them.
    report::Document generate();
    // Through the installed previewer; returns when the preview is closed.
    void previewAndWait();

private:
    void seiteEinrichten(const IniFile &ini);
    void kopfAufbauen(const IniFile &ini, const GruppenStile &stile);
    void spaltenkopfAufbauen(const GruppenStile &stile);
    void tageszeileAufbauen(const IniFile &ini);
    void fussAufbauen();

    KalenderVariante m_variante;
    LayoutSettings m_settings;
    std::unique_ptr<Table> m_cursor;
    TableDataSet m_daten;
    report::Report m_report;
    int m_jahr = 0;
    bool m_symbole = false;
    std::unique_ptr<Tageszeile::Regeln> m_regeln;

    report::Label *m_monat = nullptr;
};

// One run as the menu and navigation entries start it: reads the school-holiday periods into
// `settings` (ferieneinlesen), builds the form, shows the preview and waits, then drops the
// form and its cursor.
void kronoblattDrucken(const KalenderVariante &variante, const Table &tage,
    LayoutSettings &settings, const IniFile &ini);
// What the navigation entries say when no calendar is open.
QString keinKalenderGeoeffnet();
// A navigation item of the group "Kronoblatt drucken" (`navText` names the variant): without an
// open calendar (`tage` null or closed) it shows keinKalenderGeoeffnet() through the Ui seam;
// otherwise it runs the variant as its menu entry does. Errors pass on to the caller's handler.
void kronoblattNavigation(
    const QString &navText, const Table *tage, LayoutSettings &settings, const IniFile &ini);
// The same run, generating the pages instead of previewing them.
report::Document kronoblattDokument(const KalenderVariante &variante, const Table &tage,
    LayoutSettings &settings, const IniFile &ini);

} // namespace kb
