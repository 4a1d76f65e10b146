#pragma once

#include "report/Page.h"

#include <QString>
#include <functional>
#include <vector>

namespace kb {

class IniFile;
class Table;
struct LayoutSettings;

// What a print run needs of the program: the open calendar's day table (its current record
// gives the year; the month calendars and diary pages set its filter), the picture table
// (null without one), the run-time copy of the settings and the settings file.
struct DruckAuftrag {
    Table &tage;
    Table *bilder;
    LayoutSettings &settings;
    const IniFile &ini;
};

// Where a run's pages go: handed back to the caller, or into the preview, which the run waits
// for (nothing is handed back then).
enum class DruckZiel { Seiten, Vorschau };

// A printed layout reachable by name: the year calendars as the navigation bar lists them,
// then "Quartal 1 vertikal" ..., "Monate Januar/Februar vertikal" ..., "Monat Januar
// vertikal" ..., "Wochenkalender", "Tagebuch Januar" ... and "Tagebuch" (the days as the
// table shows them: without a filter the whole year). The main window's print commands and
// `kronoblatt-cli drucken` both run a layout from here.
struct DruckLayout {
    QString name;
    std::function<report::Document(DruckAuftrag &, DruckZiel)> lauf;
    bool mitBildern = false; // prints the month pictures

    report::Document dokument(DruckAuftrag &auftrag) const
    {
        return lauf(auftrag, DruckZiel::Seiten);
    }
    void vorschau(DruckAuftrag &auftrag) const { lauf(auftrag, DruckZiel::Vorschau); }
};

// Every layout, in menu order.
const std::vector<DruckLayout> &druckLayouts();
// The layout of that name; null for none.
const DruckLayout *druckLayout(const QString &name);
// The name of the diary layout of `monat` (1 to 12); 0 names the days the table shows.
QString tagebuchLayout(int monat);

// Prints `layout` of the calendar whose day table is `jahrTabelle` without a preview: opens
// the table on its first day and, for a layout with pictures whose picture table
// `bildTabelle` exists, the picture table; loads
// the settings from `ini` as the program does at start-up and on every repaint, and returns
// the generated pages.
report::Document druckDokument(const DruckLayout &layout, const QString &jahrTabelle,
    const QString &bildTabelle, const IniFile &ini);

} // namespace kb
