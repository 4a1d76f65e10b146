#include "report/export/BandRows.h"
#include "report/export/Export.h"

#include <algorithm>
#include <map>
#include <utility>

namespace kb::report {
namespace {

// Rows of the same kind of band with the same fields share their column widths across the
// whole document, so the day lines of every column and page line up like a table.
using RowForm = std::pair<int, std::size_t>; // band kind (-1 outside bands), field count

RowForm formOf(const BandRow &row)
{
    return { row.band ? int(row.band->kind) : -1, row.fields.size() };
}

std::map<RowForm, std::vector<qsizetype>> columnWidths(const Document &doc)
{
    std::map<RowForm, std::vector<qsizetype>> widths;
    for (const Page &page : doc.pages) {
        for (const BandRow &row : bandRows(page)) {
            std::vector<qsizetype> &w = widths[formOf(row)];
            w.resize(row.fields.size(), 0);
            for (std::size_t i = 0; i < row.fields.size(); ++i)
                w[i] = std::max(w[i], row.fields[i].text.size());
        }
    }
    return widths;
}

QString rowLine(const BandRow &row, const std::vector<qsizetype> &widths)
{
    QString line;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        const Field &field = row.fields[i];
        if (i > 0)
            line += QLatin1String("  ");
        line += field.alignedRight() ? field.text.rightJustified(widths[i])
                                     : field.text.leftJustified(widths[i]);
    }
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

} // namespace

// One line per printed band (UTF-8, CR LF), its fields in columns; a form feed between pages.
QByteArray plainTextExport(const Document &doc)
{
    const auto widths = columnWidths(doc);
    QString out;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        if (p > 0)
            out += QLatin1Char('\f');
        for (const BandRow &row : bandRows(doc.pages[p]))
            out += rowLine(row, widths.at(formOf(row))) + QLatin1String("\r\n");
    }
    return out.toUtf8();
}

} // namespace kb::report
