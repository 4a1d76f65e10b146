#pragma once

// A designed calendar form filled with the days of a calendar: the designer's five bands
// become the bands of a report over the day table, every element a printable, and a hook on
// the day band shades weekends, public holidays and school holidays and writes the week
// number. Runs without windows: the designer's "Seitenvorschau", the main window's preview
// of a chosen design and the command line all print through here.

#include "designer/Formular.h"
#include "printing/TableDataSet.h"
#include "printing/Tageszeile.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "settings/LayoutSettings.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace kb {
class Table;
} // namespace kb

namespace kb::designer {

// The shading switches of the page-settings panel ("Samstag", "Sonntag", "Feiertage",
// "Ferien").
struct Schattierung {
    bool samstag = false, sonntag = false, feiertage = false, ferien = false;
};
Schattierung schattierung(const PagePanel &panel);

// The background of a day line of a designed form, in the order the rules overwrite each
// other: white; with "Feiertage" a public holiday gets HintergrundFeiertag and a special day
// white; with "Samstag" a Saturday its colour, with "Sonntag" a Sunday its colour; with
// "Ferien" a working day that is no holiday and lies in a school-holiday period of `settings`
// the school-holiday colour; a public holiday without "Feiertage" ends white, even on a
// Sunday. A period bound that forms no date with the day's year throws kb::Error.
qint32 tagesHintergrund(
    const Tageszeile::Tag &tag, const Schattierung &schalter, const LayoutSettings &settings);

// Where an element of `form` prints on its report band (layout pixels relative to the band):
// the designer's position less the ruler offsets of its kind and band, plus the page's left
// and top margin in whole millimetres taken as pixels; texts are 10 pixels wider than their
// element. This keeps forms printing where they were always printed.
QRectF druckPosition(const FormElement &e, const FormPage &page);
// The report band heights of the designer bands: header as it is, group less 50, day less 49,
// summary 0, footer less 50.
double druckBandHoehe(FormBand band, const Formular &form);

// What system data a system field's caption selects; any other caption prints the time.
report::SystemData::Kind systemWert(const QString &caption);

// The picture a picture element prints when its file is missing.
QImage platzhalterBild();

// A form filled with one calendar, ready to generate or preview. The day table `tage` is the
// caller's: its filter is switched off and it is walked from its first day. `bilder` (may be
// null) is the picture table, linked to the day table by month (bilderVerknuepfen), for data
// fields and pictures of "KBDetailtabelle". The settings are copied. Everything built lives as
// long as this object.
class Formulardruck {
public:
    Formulardruck(const Formular &form, Table &tage, Table *bilder, const LayoutSettings &settings,
        const QString &titel = QStringLiteral("Kalenderformular"));
    ~Formulardruck();
    Formulardruck(const Formulardruck &) = delete;
    Formulardruck &operator=(const Formulardruck &) = delete;

    report::Report &report() { return m_report; }
    // All pages, as the preview shows them.
    report::Document generate();
    // Through the installed previewer ("Druck-Vorschau" with print and every export); returns
    // when it is closed.
    void previewAndWait();

private:
    void seiteEinrichten();
    void baenderEinrichten();
    void wocheEinrichten();
    void elementeAnlegen();
    void anlegen(const FormElement &e);
    void textAnlegen(const FormElement &e, report::Band &band);
    void bildAnlegen(const FormElement &e, report::Band &band);
    void rechteckAnlegen(const FormElement &e, report::Band &band);
    void datenbildAnlegen(const FormElement &e, report::Band &band);
    const report::DataSet *quelle(const QString &name) const;
    report::Band &band(FormBand band);
    void vorTag(report::Band &band);

    const Formular &m_form;
    LayoutSettings m_settings;
    Table &m_tage;
    TableDataSet m_tageDaten;
    std::optional<TableDataSet> m_bilderDaten;
    report::Report m_report;
    Schattierung m_schalter;
    Tageszeile::WochenLabel m_wochenLabel;
    report::Label *m_woche = nullptr;
    struct Tagesbild {
        report::Printable *printable;
        QRectF platz;
    };
    std::vector<Tagesbild> m_tagesbilder;
};

// The designer's "Seitenvorschau" and the main window's preview of a design: fills `form`
// with the calendar, shows the preview and waits; everything built is gone afterwards. The
// school-holiday periods and colours are those of `settings`, the run-time copy.
void formularVorschau(const Formular &form, Table &tage, Table *bilder,
    const LayoutSettings &settings, const QString &titel = QStringLiteral("Kalenderformular"));

// The report title of a design: its name and the calendar's year ("Jahresplaner 2027"),
// which a "Report-Titel" system field prints.
QString formularTitel(const QString &formPfad, const Table &tage);

// Headless: loads the form file `formPfad` (a missing or unreadable file throws kb::Error with
// the reason; messages while loading, such as missing pictures, go through the Ui seam), opens
// the calendar's day table `jahrTabelle` and, when it exists, its picture table `bildTabelle`
// linked by month, loads the settings from `ini` as the program does, and returns the pages.
report::Document formularDokument(const QString &formPfad, const QString &jahrTabelle,
    const QString &bildTabelle, const IniFile &ini);

} // namespace kb::designer
