#include "printing/DruckLayouts.h"

#include "printing/TKalenderForm.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"

#include <algorithm>

namespace kb {

const std::vector<DruckLayout> &druckLayouts()
{
    static const std::vector<DruckLayout> all = [] {
        std::vector<DruckLayout> layouts;
        for (const KalenderVariante &v : kalenderVarianten()) {
            layouts.push_back({ v.navText, [&v](DruckAuftrag &a) {
                                   return kronoblattDokument(v, a.tage, a.settings, a.ini);
                               } });
        }
        return layouts;
    }();
    return all;
}

const DruckLayout *druckLayout(const QString &name)
{
    const auto &all = druckLayouts();
    const auto it = std::find_if(
        all.begin(), all.end(), [&](const DruckLayout &l) { return l.name == name; });
    return it == all.end() ? nullptr : &*it;
}

report::Document druckDokument(
    const DruckLayout &layout, const QString &jahrTabelle, const IniFile &ini)
{
    LayoutSettings settings;
    settings.loadStartup(ini);
    settings.load(ini);
    Table tage;
    tage.setFilePath(jahrTabelle);
    tage.open();
    tage.first();
    DruckAuftrag auftrag { tage, settings, ini };
    return layout.dokument(auftrag);
}

} // namespace kb
