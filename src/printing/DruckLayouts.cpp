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

namespace {

// A layout's run from its two forms: the pages generated, or shown in the preview.
template<typename Seiten, typename Vorschau>
std::function<report::Document(DruckAuftrag &, DruckZiel)> lauf(Seiten seiten, Vorschau vorschau)
{
    return [seiten, vorschau](DruckAuftrag &a, DruckZiel ziel) {
        if (ziel == DruckZiel::Seiten)
            return seiten(a);
        vorschau(a);
        return report::Document();
    };
}

} // namespace

const std::vector<DruckLayout> &druckLayouts()
{
    static const std::vector<DruckLayout> all = [] {
        std::vector<DruckLayout> layouts;
        for (const KalenderVariante &v : kalenderVarianten()) {
            layouts.push_back({ v.navText,
                lauf(
                    [&v](DruckAuftrag &a) {
                        return kronoblattDokument(v, a.tage, a.settings, a.ini);
                    },
                    [&v](DruckAuftrag &a) { kronoblattDrucken(v, a.tage, a.settings, a.ini); }) });
        }
        for (const MonatsAuswahl &m : monatsAuswahlen()) {
            layouts.push_back({ m.layoutName,
                lauf(
                    [&m](DruckAuftrag &a) {
                        return monatskalenderDokument(m, a.tage, a.bilder, a.settings, a.ini);
                    },
                    [&m](DruckAuftrag &a) {
                        monatskalenderDrucken(m, a.tage, a.bilder, a.settings, a.ini);
                    }),
                true });
        }
        layouts.push_back({ QStringLiteral("Wochenkalender"),
            lauf([](DruckAuftrag &a) { return wochenkalenderDokument(a.tage, a.settings, a.ini); },
                [](DruckAuftrag &a) { wochenkalenderDrucken(a.tage, a.settings, a.ini); }) });
        const auto tagebuch = [&layouts](int monat) {
            layouts.push_back({ tagebuchLayout(monat),
                lauf(
                    [monat](DruckAuftrag &a) {
                        return tagebuchDokument(monat, a.tage, a.settings, a.ini);
                    },
                    [monat](
                        DruckAuftrag &a) { tagebuchDrucken(monat, a.tage, a.settings, a.ini); }) });
        };
        for (int monat = 1; monat <= 12; ++monat)
            tagebuch(monat);
        tagebuch(0);
        return layouts;
    }();
    return all;
}

QString tagebuchLayout(int monat)
{
    return monat == 0 ? QStringLiteral("Tagebuch")
                      : QStringLiteral("Tagebuch ") + monatsnamen().at(monat - 1);
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
