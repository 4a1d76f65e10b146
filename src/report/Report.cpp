#include "report/Report.h"

#include "report/Paginator.h"
#include "report/Previewer.h"

namespace kb::report {
namespace {

QSizeF portraitSizeMm(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A3:
        return { 297, 420 };
    case PaperSize::A5:
        return { 148, 210 };
    case PaperSize::A4:
    case PaperSize::Custom:
        break;
    }
    return { 210, 297 };
}

} // namespace

Report::Report() = default;
Report::~Report() = default;

void Report::setPaper(PaperSize paper)
{
    m_paper = paper;
    if (paper != PaperSize::Custom)
        m_customSizeMm = portraitSizeMm(paper);
}

void Report::setCustomPaper(double widthMm, double lengthMm)
{
    m_paper = PaperSize::Custom;
    m_customSizeMm = QSizeF(widthMm > 1 ? widthMm : 1, lengthMm > 1 ? lengthMm : 1);
}

QSizeF Report::paperSizeMm() const
{
    const QSizeF size = m_paper == PaperSize::Custom ? m_customSizeMm : portraitSizeMm(m_paper);
    return m_orientation == Orientation::Landscape ? size.transposed() : size;
}

QSizeF Report::pageSize() const
{
    const QSizeF mm = paperSizeMm();
    return { mmToPixels(mm.width()), mmToPixels(mm.height()) };
}

double Report::printableWidth() const
{
    return pageSize().width() - mmToPixels(m_margins.left) - mmToPixels(m_margins.right);
}

double Report::columnWidth() const
{
    return (printableWidth() - (m_columns - 1) * mmToPixels(m_columnSpacing)) / m_columns;
}

Band &Report::band(BandKind kind)
{
    if (kind == BandKind::GroupHeader)
        return addGroupHeader(QString());
    if (kind == BandKind::GroupFooter)
        return groupFooter(m_groups.empty() ? 0 : m_groups.size() - 1);
    if (Band *existing = findBand(kind))
        return *existing;
    m_bands.push_back(std::make_unique<Band>(kind, &m_font));
    return *m_bands.back();
}

Band *Report::findBand(BandKind kind) const
{
    if (kind == BandKind::GroupHeader)
        return m_groups.empty() ? nullptr : m_groups.front().get();
    if (kind == BandKind::GroupFooter)
        return findGroupFooter(0);
    for (const auto &band : m_bands)
        if (band->kind() == kind)
            return band.get();
    return nullptr;
}

Band &Report::addGroupHeader(const QString &field)
{
    m_groups.push_back(std::make_unique<Band>(BandKind::GroupHeader, &m_font));
    m_groups.back()->setGroupField(field);
    return *m_groups.back();
}

Band &Report::groupFooter(std::size_t group)
{
    if (m_groups.empty())
        addGroupHeader(QString());
    if (group >= m_groups.size())
        group = m_groups.size() - 1;
    if (m_groupFooters.size() <= group)
        m_groupFooters.resize(group + 1);
    if (!m_groupFooters[group]) {
        m_groupFooters[group] = std::make_unique<Band>(BandKind::GroupFooter, &m_font);
        m_groupFooters[group]->setGroupField(m_groups[group]->groupField());
    }
    return *m_groupFooters[group];
}

Band *Report::findGroupFooter(std::size_t group) const
{
    return group < m_groupFooters.size() ? m_groupFooters[group].get() : nullptr;
}

Document Report::emptyDocument() const
{
    Document doc;
    doc.title = m_title;
    doc.paper = m_paper;
    doc.orientation = m_orientation;
    doc.paperSizeMm = paperSizeMm();
    return doc;
}

Document Report::generate()
{
    Document doc = emptyDocument();
    Paginator paginator(*this, m_clock());
    while (std::optional<Page> page = paginator.nextPage())
        doc.pages.push_back(std::move(*page));
    return doc;
}

std::unique_ptr<Paginator> Report::paginate()
{
    return std::make_unique<Paginator>(*this, m_clock());
}

void Report::previewAndWait()
{
    previewer().previewAndWait(*this);
}

void Report::previewWhileGenerating()
{
    previewer().previewWhileGenerating(*this);
}

} // namespace kb::report
