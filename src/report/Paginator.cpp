#include "report/Paginator.h"

#include "platform/Error.h"
#include "report/Band.h"
#include "report/Report.h"

#include <algorithm>

namespace kb::report {
namespace {

QRectF boundsOf(const Primitive &primitive)
{
    return std::visit(
        [](const auto &item) -> QRectF {
            using T = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<T, LineItem>)
                return QRectF(item.line.p1(), item.line.p2()).normalized();
            else
                return item.rect;
        },
        primitive);
}

} // namespace

Paginator::Paginator(Report &report, QDateTime printTime)
    : m_report(report)
    , m_printTime(std::move(printTime))
{
}

std::optional<Page> Paginator::nextPage()
{
    try {
        while (m_ready.empty() && m_phase != Phase::Done)
            step();
    } catch (...) {
        m_phase = Phase::Done;
        m_ready.clear();
        throw;
    }
    if (m_ready.empty())
        return std::nullopt;
    Page page = std::move(m_ready.front());
    m_ready.pop_front();
    return page;
}

void Paginator::step()
{
    switch (m_phase) {
    case Phase::NotStarted:
        start();
        break;
    case Phase::Records:
        if (m_report.dataSet() && !m_report.dataSet()->eof())
            printRecord();
        else
            finish();
        break;
    case Phase::Done:
        break;
    }
}

// Margins come from the user's settings: ones that leave no room for the report are refused
// before anything is generated.
void Paginator::checkPageRoom() const
{
    const Margins &m = m_report.margins();
    const double height = m_report.pageSize().height() - mmToPixels(m.top) - mmToPixels(m.bottom);
    if (m_report.columnWidth() < 1 || height < 1)
        throw Error(QStringLiteral("Die Seitenränder und Spaltenabstände lassen auf dem Papier "
                                   "keinen Platz für den Bericht."));
}

void Paginator::start()
{
    checkPageRoom();
    m_report.runOnStart();
    m_ctx = PrintContext {};
    m_ctx.dataSet = m_report.dataSet();
    m_ctx.reportTitle = m_report.title();
    m_ctx.now = m_printTime;
    m_groupValues.assign(m_report.groupHeaders().size(), QVariant());
    if (m_report.dataSet())
        m_report.dataSet()->first();
    m_phase = Phase::Records;
    openPage();
}

void Paginator::printRecord()
{
    ++m_ctx.detailNumber;
    printGroupHeaders();
    if (Band *detail = m_report.findBand(BandKind::Detail); usable(detail)) {
        printInColumn(*detail);
        ++m_ctx.detailCount;
    }
    m_report.dataSet()->next();
}

void Paginator::finish()
{
    if (m_ctx.detailNumber > 0)
        printGroupFooters(0);
    if (Band *summary = m_report.findBand(BandKind::Summary); usable(summary))
        printInColumn(*summary);
    closePage(true);
    m_phase = Phase::Done;
}

// A group header prints before the first record and whenever its field's value changes; a
// change of an outer group starts the inner groups afresh.
void Paginator::printGroupHeaders()
{
    const auto &groups = m_report.groupHeaders();
    const bool firstRecord = m_ctx.detailNumber == 1;
    std::size_t changedFrom = firstRecord ? 0 : groups.size();
    std::vector<QVariant> values(groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        values[i] = m_report.dataSet()->value(groups[i]->groupField());
        if (changedFrom == groups.size() && values[i] != m_groupValues[i])
            changedFrom = i;
    }
    if (!firstRecord && changedFrom < groups.size())
        printGroupFooters(changedFrom);
    for (std::size_t i = changedFrom; i < groups.size(); ++i) {
        m_groupValues[i] = values[i];
        if (usable(groups[i].get()))
            printInColumn(*groups[i]);
    }
}

// Ends the groups from the innermost out to `outermost`.
void Paginator::printGroupFooters(std::size_t outermost)
{
    for (std::size_t i = m_report.groupHeaders().size(); i > outermost; --i) {
        if (Band *footer = m_report.findGroupFooter(i - 1); usable(footer))
            printInColumn(*footer);
    }
}

// Measure, then place: the force flag is read before the hook (a hook's change applies to the
// next print), the hook runs before measuring (it may change texts and sizes).
void Paginator::printInColumn(Band &band)
{
    if (band.forceNewColumn())
        forceColumnBreak();
    band.runBeforePrint();
    const double width = m_report.columnWidth();
    const double height = measure(band, width);
    if (m_y + height > columnBottom() && !columnIsEmpty())
        nextColumn();
    place(band, columnLeft(m_column), m_y, width, height, m_column);
    m_y += height;
    band.runAfterPrint();
}

// The very first forced break is skipped while the report is still in its first column, so
// the first group starts in column 1.
void Paginator::forceColumnBreak()
{
    const bool first = !m_forcedBreakSeen;
    m_forcedBreakSeen = true;
    if (first && m_ctx.pageNumber == 1 && m_column == 0)
        return;
    nextColumn();
}

void Paginator::nextColumn()
{
    if (m_column + 1 < m_report.columns()) {
        ++m_column;
        m_y = m_columnTop;
        printColumnHeader();
        return;
    }
    closePage(false);
    ++m_ctx.pageNumber;
    openPage();
}

void Paginator::openPage()
{
    m_page = Page {};
    m_column = 0;
    m_y = mmToPixels(m_report.margins().top);
    Band *header = m_report.findBand(BandKind::PageHeader);
    if (usable(header) && (m_ctx.pageNumber > 1 || m_report.pageHeaderOnFirstPage()))
        printSpanning(*header, m_y);
    Band *title = m_report.findBand(BandKind::Title);
    if (usable(title) && m_ctx.pageNumber == 1)
        printSpanning(*title, m_y);
    m_columnTop = m_y;
    printColumnHeader();
}

void Paginator::closePage(bool last)
{
    Band *footer = m_report.findBand(BandKind::PageFooter);
    if (usable(footer) && (!last || m_report.pageFooterOnLastPage())) {
        footer->runBeforePrint();
        const double height = measure(*footer, m_report.printableWidth());
        const double bottom = m_report.pageSize().height() - mmToPixels(m_report.margins().bottom);
        place(*footer, columnLeft(0), bottom - height, m_report.printableWidth(), height, 0);
        footer->runAfterPrint();
    }
    drawPageFrame();
    m_ready.push_back(std::move(m_page));
    m_page = Page {};
}

void Paginator::printColumnHeader()
{
    Band *header = m_report.findBand(BandKind::ColumnHeader);
    if (usable(header)) {
        header->runBeforePrint();
        const double width = m_report.columnWidth();
        const double height = measure(*header, width);
        place(*header, columnLeft(m_column), m_y, width, height, m_column);
        m_y += height;
        header->runAfterPrint();
    }
    m_columnContentTop = m_y;
}

void Paginator::printSpanning(Band &band, double y)
{
    band.runBeforePrint();
    const double width = m_report.printableWidth();
    const double height = measure(band, width);
    place(band, columnLeft(0), y, width, height, 0);
    m_y = y + height;
    band.runAfterPrint();
}

void Paginator::drawPageFrame()
{
    const Frame &frame = m_report.pageFrame();
    if (!frame.any())
        return;
    const Margins &m = m_report.margins();
    const QSizeF size = m_report.pageSize();
    const QRectF area(QPointF(mmToPixels(m.left), mmToPixels(m.top)),
        QPointF(size.width() - mmToPixels(m.right), size.height() - mmToPixels(m.bottom)));
    const auto line = [this](const std::optional<PenSpec> &pen, QLineF l) {
        if (pen)
            m_page.items.emplace_back(LineItem { l, *pen });
    };
    line(frame.top, QLineF(area.topLeft(), area.topRight()));
    line(frame.bottom, QLineF(area.bottomLeft(), area.bottomRight()));
    line(frame.left, QLineF(area.topLeft(), area.bottomLeft()));
    line(frame.right, QLineF(area.topRight(), area.bottomRight()));
}

// The band's height, grown by the most any auto-stretching printable needs beyond its box.
double Paginator::measure(const Band &band, double width) const
{
    double growth = 0;
    for (const auto &printable : band.printables()) {
        if (printable->autoStretch() && printable->visible())
            growth = std::max(growth, printable->neededHeight(m_ctx, width) - printable->height());
    }
    return band.height() + growth;
}

// Records which primitives each printable drew, so exporters can read the page band by band
// and printable by printable.
void Paginator::place(Band &band, double x, double y, double width, double height, int column)
{
    PlacedBand placed;
    placed.kind = band.kind();
    placed.rect = QRectF(x, y, width, height);
    placed.column = column;
    placed.firstItem = m_page.items.size();
    if (band.background() && height > 0) {
        placed.background = band.background();
        m_page.items.emplace_back(RectItem { placed.rect, band.background(), std::nullopt });
    }
    placed.printables.reserve(band.printables().size());
    for (const auto &printable : band.printables()) {
        PlacedPrintable slot;
        slot.firstItem = m_page.items.size();
        printable->print(m_ctx, placed.rect, m_page);
        slot.itemCount = m_page.items.size() - slot.firstItem;
        slot.rect = slot.itemCount ? boundsOf(m_page.items[slot.firstItem])
                                   : printable->nominalBox(placed.rect);
        slot.text = dynamic_cast<const TextPrintable *>(printable.get()) != nullptr;
        placed.printables.push_back(slot);
    }
    drawFrame(band.frame(), placed.rect);
    placed.itemCount = m_page.items.size() - placed.firstItem;
    m_page.bands.push_back(std::move(placed));
}

// Frame lines lie inside the band, so neighbouring bands do not paint over them.
void Paginator::drawFrame(const Frame &frame, const QRectF &r)
{
    const auto line
        = [this](const std::optional<PenSpec> &pen, double x1, double y1, double x2, double y2) {
              if (pen && pen->style != Qt::NoPen && pen->width > 0)
                  m_page.items.emplace_back(LineItem { QLineF(x1, y1, x2, y2), *pen });
          };
    const auto half = [](const std::optional<PenSpec> &pen) { return pen ? pen->width / 2 : 0; };
    line(frame.top, r.left(), r.top() + half(frame.top), r.right(), r.top() + half(frame.top));
    line(frame.bottom, r.left(), r.bottom() - half(frame.bottom), r.right(),
        r.bottom() - half(frame.bottom));
    line(frame.left, r.left() + half(frame.left), r.top(), r.left() + half(frame.left), r.bottom());
    line(frame.right, r.right() - half(frame.right), r.top(), r.right() - half(frame.right),
        r.bottom());
}

double Paginator::columnLeft(int column) const
{
    return mmToPixels(m_report.margins().left)
        + column * (m_report.columnWidth() + mmToPixels(m_report.columnSpacing()));
}

double Paginator::columnBottom() const
{
    double bottom = m_report.pageSize().height() - mmToPixels(m_report.margins().bottom);
    if (const Band *footer = m_report.findBand(BandKind::PageFooter); usable(footer))
        bottom -= footer->height();
    return bottom;
}

bool Paginator::usable(const Band *band) const
{
    return band && band->enabled();
}

} // namespace kb::report
