#include "designer/Bericht.h"

#include <algorithm>

namespace kb::bericht {

const Band *findeBand(const Bericht &bericht, BandArt art)
{
    const auto it = std::find_if(bericht.baender.begin(), bericht.baender.end(),
        [art](const Band &b) { return b.art == art; });
    return it == bericht.baender.end() ? nullptr : &*it;
}

// Keeps the bands in the workspace's order: a new band goes before the first band of a later
// kind.
Band &bandHolen(Bericht &bericht, BandArt art)
{
    if (const Band *vorhanden = findeBand(bericht, art))
        return const_cast<Band &>(*vorhanden);
    const auto stelle = std::find_if(bericht.baender.begin(), bericht.baender.end(),
        [art](const Band &b) { return int(b.art) > int(art); });
    Band neu;
    neu.art = art;
    return *bericht.baender.insert(stelle, std::move(neu));
}

QString bandName(BandArt art)
{
    switch (art) {
    case BandArt::Titel:
        return QStringLiteral("Titel");
    case BandArt::Seitenkopf:
        return QStringLiteral("Seitenkopf");
    case BandArt::Spaltenkopf:
        return QStringLiteral("Spaltenkopf");
    case BandArt::Gruppenkopf:
        return QStringLiteral("Gruppenkopf");
    case BandArt::Detail:
        return QStringLiteral("Detail");
    case BandArt::Gruppenfuss:
        return QStringLiteral("Gruppenfuß");
    case BandArt::Zusammenfassung:
        return QStringLiteral("Zusammenfassung");
    case BandArt::Seitenfuss:
        return QStringLiteral("Seitenfuß");
    }
    return {};
}

std::size_t elementAnzahl(const Bericht &bericht)
{
    std::size_t n = 0;
    for (const Band &b : bericht.baender)
        n += b.elemente.size();
    return n;
}

} // namespace kb::bericht
