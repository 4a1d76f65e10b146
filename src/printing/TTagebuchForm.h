#pragma once

#include "printing/Tageszeile.h"
#include "report/Report.h"
#include "settings/LayoutSettings.h"

#include <memory>

namespace kb {

class IniFile;
class Table;
class TagebuchDaten;

namespace report {
class FieldText;
} // namespace report

namespace Bausteine {
class Monatsueberschrift;
class Tageszeilendruck;
} // namespace Bausteine

// Diary pages: portrait A4, one line per day with its text and below it the day's notes in
// full, each month introduced by its name and year, under the address header and above the
// header-band strip. The form walks the caller's day table through its filter; notes longer
// than a page go on over the next pages.
//
// Margins (MonatLeft ...), logo, line colour and style keys are read from the settings file
// when the form is made; everything else comes from `settings`.
class TTagebuchForm {
public:
    TTagebuchForm(Table &tage, const LayoutSettings &settings, const IniFile &ini);
    ~TTagebuchForm();
    TTagebuchForm(const TTagebuchForm &) = delete;
    TTagebuchForm &operator=(const TTagebuchForm &) = delete;

    report::Report &report() { return m_report; }
    report::Document generate() { return m_report.generate(); }
    void previewAndWait() { m_report.previewAndWait(); }

private:
    void seiteEinrichten(const IniFile &ini);
    void tageszeileAufbauen(const IniFile &ini);
    void vorTageszeile(report::Band &zeile);
    int notizZeilenProSeite() const;

    LayoutSettings m_settings;
    std::unique_ptr<TagebuchDaten> m_daten;
    report::Report m_report;
    std::unique_ptr<Bausteine::Monatsueberschrift> m_ueberschrift;
    std::unique_ptr<Bausteine::Tageszeilendruck> m_zeile;
    report::FieldText *m_notizen = nullptr;
};

// One run: `monat` 1 to 12 (a menu entry) sets the day table's filter to that month and
// leaves it so; 0 (the button's face) prints the table as it stands. Reads the school-holiday
// periods, builds the form, shows the preview and waits.
void tagebuchDrucken(int monat, Table &tage, LayoutSettings &settings, const IniFile &ini);
// The same run, generating the pages instead of previewing them.
report::Document tagebuchDokument(
    int monat, Table &tage, LayoutSettings &settings, const IniFile &ini);

} // namespace kb
