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
// gives the year), the run-time copy of the settings and the settings file.
struct DruckAuftrag {
    const Table &tage;
    LayoutSettings &settings;
    const IniFile &ini;
};

// A printed layout reachable by name, as the navigation bar lists it.
struct DruckLayout {
    QString name;
    std::function<report::Document(DruckAuftrag &)> dokument;
};

// Every layout that prints without the preview, in navigation order.
const std::vector<DruckLayout> &druckLayouts();
// The layout of that name; null for none.
const DruckLayout *druckLayout(const QString &name);

// Prints `layout` of the calendar whose day table is `jahrTabelle` without a preview: opens
// the table on its first day, loads the settings from `ini` as the program does at start-up
// and on every repaint, and returns the generated pages.
report::Document druckDokument(
    const DruckLayout &layout, const QString &jahrTabelle, const IniFile &ini);

} // namespace kb
