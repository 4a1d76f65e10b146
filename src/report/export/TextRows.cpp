#include "report/export/TextRows.h"

#include "report/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace kb::report {
namespace {

struct Placed {
    TextCell cell;
    double top = 0;
    double bottom = 0;
    double centre() const { return (top + bottom) / 2; }
    double height() const { return bottom - top; }
};

Placed place(const TextItem &item)
{
    const double h = textBlockHeight(item);
    double top = item.rect.top();
    if (item.alignment & Qt::AlignBottom)
        top = item.rect.bottom() - h;
    else if (item.alignment & Qt::AlignVCenter)
        top = item.rect.center().y() - h / 2;
    QString text = item.text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return { TextCell { &item, text, item.rect.left(), item.rect.right() }, top, top + h };
}

// Two texts share a row when their centres are closer than half the smaller text's height.
bool sameRow(double rowCentre, double rowHeight, const Placed &p)
{
    const double tolerance = std::max(1.0, std::min(rowHeight, p.height()) / 2);
    return std::abs(p.centre() - rowCentre) < tolerance;
}

} // namespace

double textBlockHeight(const TextItem &item)
{
    const TextBlock block = layoutText(item.text, item.font, item.wordWrap, item.rect.width());
    return std::min(item.rect.height(), block.height());
}

std::vector<TextRow> textRows(const Page &page)
{
    std::vector<Placed> texts;
    for (const Primitive &p : page.items) {
        if (const auto *t = std::get_if<TextItem>(&p); t && !t->text.trimmed().isEmpty())
            texts.push_back(place(*t));
    }
    std::stable_sort(texts.begin(), texts.end(),
        [](const Placed &a, const Placed &b) { return a.centre() < b.centre(); });

    std::vector<TextRow> rows;
    double rowCentre = 0, rowHeight = 0;
    for (const Placed &p : texts) {
        if (rows.empty() || !sameRow(rowCentre, rowHeight, p)) {
            rows.push_back(TextRow { p.top, p.bottom, {} });
            rowCentre = p.centre();
            rowHeight = p.height();
        }
        TextRow &row = rows.back();
        row.top = std::min(row.top, p.top);
        row.bottom = std::max(row.bottom, p.bottom);
        row.cells.push_back(p.cell);
    }
    for (TextRow &row : rows) {
        std::stable_sort(row.cells.begin(), row.cells.end(),
            [](const TextCell &a, const TextCell &b) { return a.left < b.left; });
    }
    return rows;
}

} // namespace kb::report
