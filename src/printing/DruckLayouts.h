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
struct DruckAuftrag
{
    const Table &tage;
    LayoutSettings &settings;
    const IniFile &ini;
};

// A printed layout reachable by name, as the navigation bar lists it.
struct DruckLayout
{
    QString name;
    std::function<report::Document(DruckAuftrag &)> dokument;
};

// Every layout that prints without the preview, in navigation order.
const std::vector<DruckLayout> &druckLayouts();
// The layout of that name; null for none.
const DruckLayout *druckLayout(const QString &name);

} // namespace kb
