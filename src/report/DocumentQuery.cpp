#include "report/DocumentQuery.h"

namespace kb::report {

QStringList BandOnPage::texts() const
{
    QStringList out;
    for (const TextItem *text : items<TextItem>())
        out.append(text->text);
    return out;
}

std::vector<BandOnPage> bandsOf(const Document &doc, BandKind kind)
{
    std::vector<BandOnPage> out;
    for (std::size_t p = 0; p < doc.pages.size(); ++p)
        for (const PlacedBand &band : doc.pages[p].bands)
            if (band.kind == kind)
                out.push_back({ p, &band, &doc.pages[p] });
    return out;
}

} // namespace kb::report
