#pragma once

#include "report/Page.h"

#include <QStringList>
#include <vector>

namespace kb::report {

// Looking things up in generated pages: what the layouts' tests and the exporters ask.

struct BandOnPage {
    std::size_t page = 0; // 0-based
    const PlacedBand *band = nullptr;
    const Page *onPage = nullptr;

    // The band's primitives of one kind, in drawing order.
    template<class T> std::vector<const T *> items() const
    {
        std::vector<const T *> out;
        for (std::size_t i = band->firstItem; i < band->firstItem + band->itemCount; ++i)
            if (const auto *item = std::get_if<T>(&onPage->items[i]))
                out.push_back(item);
        return out;
    }
    // The texts the band shows, in drawing order.
    QStringList texts() const;
};

// Every placement of bands of `kind`, page by page in printing order.
std::vector<BandOnPage> bandsOf(const Document &doc, BandKind kind);

} // namespace kb::report
