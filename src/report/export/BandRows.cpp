#include "report/export/BandRows.h"

#include <algorithm>

namespace kb::report {
namespace {

QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (const QChar c : { QLatin1Char('\n'), QLatin1Char('\r'), QLatin1Char('\t') })
        text.replace(c, QLatin1Char(' '));
    return text;
}

Field fieldOf(const TextItem &item)
{
    return Field { oneLine(item.text), &item, item.rect };
}

void sortLeftToRight(std::vector<Field> &fields)
{
    std::stable_sort(fields.begin(), fields.end(),
        [](const Field &a, const Field &b) { return a.rect.left() < b.rect.left(); });
}

void collectPictures(const Page &page, std::size_t first, std::size_t count, BandRow &row)
{
    for (std::size_t i = first; i < first + count; ++i)
        if (const auto *picture = std::get_if<PictureItem>(&page.items[i]))
            row.pictures.push_back(picture);
}

// A band as the paginator recorded it: one field per text printable.
BandRow rowOfPrintables(const Page &page, const PlacedBand &band)
{
    BandRow row { &band, {}, {} };
    for (const PlacedPrintable &p : band.printables) {
        if (!p.text)
            continue;
        const TextItem *item
            = p.itemCount ? std::get_if<TextItem>(&page.items[p.firstItem]) : nullptr;
        row.fields.push_back(item ? fieldOf(*item) : Field { QString(), nullptr, p.rect });
    }
    sortLeftToRight(row.fields);
    collectPictures(page, band.firstItem, band.itemCount, row);
    return row;
}

// A band saved without its printables (older report files): one field per text drawn.
BandRow rowOfTexts(const Page &page, const PlacedBand &band)
{
    BandRow row { &band, {}, {} };
    for (std::size_t i = band.firstItem; i < band.firstItem + band.itemCount; ++i)
        if (const auto *item = std::get_if<TextItem>(&page.items[i]))
            row.fields.push_back(fieldOf(*item));
    sortLeftToRight(row.fields);
    collectPictures(page, band.firstItem, band.itemCount, row);
    return row;
}

bool hasTextPrintable(const PlacedBand &band)
{
    return std::any_of(band.printables.begin(), band.printables.end(),
        [](const PlacedPrintable &p) { return p.text; });
}

} // namespace

double BandRow::origin() const
{
    if (band)
        return band->rect.left();
    return fields.empty() ? 0.0 : fields.front().rect.left();
}

std::optional<QColor> BandRow::fill(std::size_t i) const
{
    if (i < fields.size() && fields[i].item && fields[i].item->background)
        return fields[i].item->background;
    return band ? band->background : std::nullopt;
}

std::vector<BandRow> bandRows(const Page &page)
{
    // Bands in printing order; whatever lies between them was drawn outside every band.
    std::vector<BandRow> rows;
    std::size_t next = 0;
    const auto strayTexts = [&](std::size_t end) {
        for (; next < end; ++next) {
            const auto *item = std::get_if<TextItem>(&page.items[next]);
            if (item && !item->text.trimmed().isEmpty())
                rows.push_back(BandRow { nullptr, { fieldOf(*item) }, {} });
        }
    };
    for (const PlacedBand &band : page.bands) {
        strayTexts(std::max(next, band.firstItem));
        next = std::max(next, band.firstItem + band.itemCount);
        if (!band.printables.empty()) {
            if (hasTextPrintable(band))
                rows.push_back(rowOfPrintables(page, band));
        } else {
            BandRow row = rowOfTexts(page, band);
            if (!row.fields.empty())
                rows.push_back(std::move(row));
        }
    }
    strayTexts(page.items.size());
    return rows;
}

std::size_t widestRow(const Document &doc)
{
    std::size_t widest = 0;
    for (const Page &page : doc.pages)
        for (const BandRow &row : bandRows(page))
            widest = std::max(widest, row.fields.size());
    return widest;
}

} // namespace kb::report
