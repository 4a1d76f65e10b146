#pragma once

// The texts of a page in reading order: texts whose vertical centres lie close together form a
// row; rows run top to bottom, the cells of a row left to right. The row-based exports (CSV,
// plain text, RTF, Excel) all read a page this way.

#include "report/Page.h"

#include <vector>

namespace kb::report {

struct TextCell {
    const TextItem *item = nullptr;
    QString text; // the item's text with line breaks turned into blanks
    double left = 0; // where the text's box starts, layout pixels
    double right = 0; // where it ends
};

struct TextRow {
    double top = 0; // top of the highest text in the row, layout pixels
    double bottom = 0; // bottom of the lowest
    std::vector<TextCell> cells;
};

// Empty and blank texts are left out.
std::vector<TextRow> textRows(const Page &page);

// The height the lines of a text take as the renderer breaks them, at most the height of its
// box.
double textBlockHeight(const TextItem &item);

} // namespace kb::report
