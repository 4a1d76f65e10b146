#pragma once

// A page read as the row exports (CSV, plain text, RTF, Excel) see it: one row per printed band
// that has text printables, in printing order; its fields are those printables, left to right.
// A printable that printed nothing gives an empty field, so every row of a band has the same
// fields whatever the record's values. Texts outside every band (documents not made by the
// paginator) form a row each.

#include "report/Page.h"

#include <vector>

namespace kb::report {

struct Field {
    QString text; // line breaks and tabs turned into blanks
    const TextItem *item = nullptr; // what the printable drew; null when it printed nothing
    QRectF rect; // its box on the page, layout pixels

    bool alignedRight() const { return item && (item->alignment & Qt::AlignRight); }
};

struct BandRow {
    const PlacedBand *band = nullptr; // null for a text outside every band
    std::vector<Field> fields;
    std::vector<const PictureItem *> pictures; // the band's pictures, in drawing order

    // Where the fields are measured from: the band's left edge (so the day lines of all
    // columns line up), or the text's own for a text outside every band.
    double origin() const;
    // Background of the cell of field `i`: the printable's own fill, else the band's.
    std::optional<QColor> fill(std::size_t i) const;
};

std::vector<BandRow> bandRows(const Page &page);

// The largest number of fields of any row of the document.
std::size_t widestRow(const Document &doc);

} // namespace kb::report
