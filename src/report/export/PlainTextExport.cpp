#include "report/export/Export.h"
#include "report/export/TextRows.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kb::report {
namespace {

// Horizontal positions become columns of characters: one character per 7 layout pixels, about
// the average width of a 10-point proportional font.
constexpr double kPixelsPerChar = 7.0;

double leftmostText(const Document &doc)
{
    double left = std::numeric_limits<double>::max();
    for (const Page &page : doc.pages) {
        for (const TextRow &row : textRows(page)) {
            for (const TextCell &cell : row.cells)
                left = std::min(left, cell.left);
        }
    }
    return left == std::numeric_limits<double>::max() ? 0.0 : left;
}

QString rowLine(const TextRow &row, double origin)
{
    QString line;
    for (const TextCell &cell : row.cells) {
        const auto column
            = static_cast<qsizetype>(std::lround((cell.left - origin) / kPixelsPerChar));
        if (!line.isEmpty())
            line += QLatin1Char(' '); // neighbours never run together
        if (column > line.size())
            line += QString(column - line.size(), QLatin1Char(' '));
        line += cell.text;
    }
    return line;
}

} // namespace

QByteArray plainTextExport(const Document &doc)
{
    const double origin = leftmostText(doc);
    QString out;
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        if (p > 0)
            out += QLatin1Char('\f');
        const std::vector<TextRow> rows = textRows(doc.pages[p]);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            // A gap taller than the row before it shows as one empty line.
            if (r > 0 && rows[r].top - rows[r - 1].bottom > rows[r - 1].bottom - rows[r - 1].top)
                out += QLatin1String("\r\n");
            out += rowLine(rows[r], origin) + QLatin1String("\r\n");
        }
    }
    return out.toUtf8();
}

} // namespace kb::report
