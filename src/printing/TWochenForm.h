#pragma once

#include "printing/TableDataSet.h"
#include "printing/Tageszeile.h"
#include "report/Report.h"
#include "settings/LayoutSettings.h"

#include <memory>

namespace kb {

class IniFile;
class Table;

namespace report {
class Label;
} // namespace report

namespace Bausteine {
class Monatsueberschrift;
class Tageszeilendruck;
} // namespace Bausteine

// The week calendar inserts: landscape A5 sheets with two columns, one calendar week per
// column under its month name and year, every day with its text and its notes, and the
// header-band text in a strip at the foot. Each change of Woche starts a new column; after
// the Saturday of week 1 the Sunday stands in a column of its own, so week 2 begins a sheet.
//
// The form walks the caller's day table as it stands (the run switches its filter off). Margins
// and column spacing are fixed; the line colour is read from the settings file.
class TWochenForm {
public:
    TWochenForm(Table &tage, const LayoutSettings &settings, const IniFile &ini);
    ~TWochenForm();
    TWochenForm(const TWochenForm &) = delete;
    TWochenForm &operator=(const TWochenForm &) = delete;

    report::Report &report() { return m_report; }
    report::Document generate() { return m_report.generate(); }
    void previewAndWait() { m_report.previewAndWait(); }

private:
    void seiteEinrichten();
    void tageszeileAufbauen(const IniFile &ini);
    void vorTageszeile(report::Band &zeile);
    void nachTageszeile(report::Band &zeile);

    LayoutSettings m_settings;
    TableDataSet m_daten;
    report::Report m_report;
    std::unique_ptr<Bausteine::Monatsueberschrift> m_ueberschrift;
    std::unique_ptr<Bausteine::Tageszeilendruck> m_zeile;
    report::Label *m_notizen = nullptr;
};

// One run of the toolbar button: switches the day table's filter off (it stays off), reads the
// school-holiday periods, builds the form, shows the preview and waits.
void wochenkalenderDrucken(Table &tage, LayoutSettings &settings, const IniFile &ini);
// The same run, generating the pages instead of previewing them.
report::Document wochenkalenderDokument(Table &tage, LayoutSettings &settings, const IniFile &ini);

} // namespace kb
