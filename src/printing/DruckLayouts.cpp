#include "printing/DruckLayouts.h"

#include "caldata/KalenderAnlage.h"
#include "printing/TKalenderForm.h"
#include "printing/TMonateKalenderForm.h"
#include "printing/TTagebuchForm.h"
#include "printing/TWochenForm.h"
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
        for (const MonatsAuswahl &m : monatsAuswahlen()) {
            layouts.push_back({ m.layoutName,
                [&m](DruckAuftrag &a) {
                    return monatskalenderDokument(m, a.tage, a.bilder, a.settings, a.ini);
                },
                true });
        }
        layouts.push_back({ QStringLiteral("Wochenkalender"),
            [](DruckAuftrag &a) { return wochenkalenderDokument(a.tage, a.settings, a.ini); } });
        for (int monat = 1; monat <= 12; ++monat) {
            layouts.push_back({ QStringLiteral("Tagebuch ") + monatsnamen().at(monat - 1),
                [monat](DruckAuftrag &a) {
                    return tagebuchDokument(monat, a.tage, a.settings, a.ini);
                } });
        }
        layouts.push_back({ QStringLiteral("Tagebuch"),
            [](DruckAuftrag &a) { return tagebuchDokument(0, a.tage, a.settings, a.ini); } });
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

report::Document druckDokument(const DruckLayout &layout, const QString &jahrTabelle,
    const QString &bildTabelle, const IniFile &ini)
{
    LayoutSettings settings;
    settings.loadStartup(ini);
    settings.load(ini);
    Table tage;
    tage.setFilePath(jahrTabelle);
    tage.open();
    tage.first();
    Table bilder;
    bilder.setFilePath(bildTabelle);
    if (layout.mitBildern && !bildTabelle.isEmpty() && bilder.exists())
        bilder.open();
    DruckAuftrag auftrag { tage, bilder.isOpen() ? &bilder : nullptr, settings, ini };
    return layout.dokument(auftrag);
}

} // namespace kb
