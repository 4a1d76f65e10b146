#pragma once

#include "printing/TableDataSet.h"
#include "printing/Tageszeile.h"
#include "printing/TextGruppen.h"
#include "report/Report.h"
#include "settings/LayoutSettings.h"

#include <QRectF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace kb {

class IniFile;
class Table;

namespace report {
class FieldImage;
} // namespace report

namespace Bausteine {
class Monatsueberschrift;
class Tageszeilendruck;
} // namespace Bausteine

// The six month calendars: a quarter, a pair or one month on a page, each with an upright or
// a landscape picture box.
struct MonatsBildVariante {
    int nummer = 1; // 1 to 6
    int spalten = 3; // months per page
    bool hochformat = true; // upright picture box
    QRectF bild; // the picture's box in the month's group header
};
// Variants 1 to 6 in this order: quarter upright, quarter landscape, pair upright, pair
// landscape, one month upright, one month landscape.
const std::vector<MonatsBildVariante> &monatsBildVarianten();

// One entry of the month calendar button's menu: the months it prints and how.
struct MonatsAuswahl {
    QString text; // the menu entry
    QString handler; // the main window's handler serving it
    int variante = 1; // the picture variant, 1 to 6
    QString filter; // set on the day table
    QString layoutName; // as `kronoblatt-cli drucken --layout` names it
};

// A line of the month calendar button's menu: an entry, a separator or a submenu.
struct MonatsMenuePunkt {
    enum class Art { Eintrag, Trenner, Untermenue };
    Art art = Art::Eintrag;
    QString text; // entry or submenu caption
    std::vector<int> auswahlen; // indexes into monatsAuswahlen(): one entry, or the submenu's
};

// Every entry of the menu, in menu order (4 + 4 quarters, 6 + 6 pairs, 12 + 12 months).
const std::vector<MonatsAuswahl> &monatsAuswahlen();
// The menu as it drops down from the button.
const std::vector<MonatsMenuePunkt> &monatskalenderMenue();
// The filter of one month, "(MonatNr='7')"; also the diary's month entries use it.
QString monatsFilter(int monat);

// The month calendar report form: portrait A4, one month per column. A month's group header
// carries its name, the year and its picture from the month picture table; one line per day
// follows. The form walks the caller's day table through the filter it holds; the picture
// comes from the caller's picture table, which follows the day table (bilderVerknuepfen).
//
// Texts, fonts and colours come from `settings`; margins (MonatLeft ...), the logo, the line
// colour and the style keys are read from the settings file when the form is made.
class TMonateKalenderForm {
public:
    TMonateKalenderForm(const MonatsBildVariante &variante, Table &tage, Table *bilder,
        const LayoutSettings &settings, const IniFile &ini);
    ~TMonateKalenderForm();
    TMonateKalenderForm(const TMonateKalenderForm &) = delete;
    TMonateKalenderForm &operator=(const TMonateKalenderForm &) = delete;

    report::Report &report() { return m_report; }
    report::Document generate() { return m_report.generate(); }
    void previewAndWait() { m_report.previewAndWait(); }

private:
    void seiteEinrichten(const IniFile &ini);
    void gruppeAufbauen(const GruppenStile &stile);
    void tageszeileAufbauen(const IniFile &ini);
    void vorGruppe();

    MonatsBildVariante m_variante;
    LayoutSettings m_settings;
    TableDataSet m_daten;
    std::optional<TableDataSet> m_bilder;
    report::Report m_report;
    std::unique_ptr<Bausteine::Monatsueberschrift> m_ueberschrift;
    report::FieldImage *m_bild = nullptr;
    std::unique_ptr<Bausteine::Tageszeilendruck> m_zeile;
};

// Puts the picture table into its linked mode: closed, ordered by Nr, master field MonatNr of
// the day table, opened again; it then stands on the month of the day table's current day.
// A closed picture table only gets the link.
void bilderVerknuepfen(Table &bilder, Table &tage);

// One run of a menu entry: links the picture table (when there is one) to the day table,
// reads the school-holiday periods, sets the entry's filter on the day table and switches it
// on (it stays afterwards, and the picture table stays linked), builds the form, shows the
// preview and waits.
void monatskalenderDrucken(const MonatsAuswahl &auswahl, Table &tage, Table *bilder,
    LayoutSettings &settings, const IniFile &ini);
// The same run, generating the pages instead of previewing them.
report::Document monatskalenderDokument(const MonatsAuswahl &auswahl, Table &tage, Table *bilder,
    LayoutSettings &settings, const IniFile &ini);

} // namespace kb
