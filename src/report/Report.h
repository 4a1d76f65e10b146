#pragma once

#include "platform/Margins.h"
#include "report/Band.h"
#include "report/DataSet.h"
#include "report/Page.h"
#include "report/Paginator.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <vector>

namespace kb::report {

// A banded report: page set-up, bands with their printables, and the data set it walks.
// Build it, generate it (or preview it), throw it away.
class Report {
public:
    Report();
    ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    // Paper and page.
    void setPaper(PaperSize paper);
    void setCustomPaper(double widthMm, double lengthMm);
    PaperSize paper() const { return m_paper; }
    void setOrientation(Orientation o) { m_orientation = o; }
    Orientation orientation() const { return m_orientation; }
    // Paper size in mm as oriented (landscape swaps width and length).
    QSizeF paperSizeMm() const;
    QSizeF pageSize() const; // layout pixels
    void setMargins(const Margins &m) { m_margins = m; }
    const Margins &margins() const { return m_margins; }
    void setColumns(int n) { m_columns = n < 1 ? 1 : n; }
    int columns() const { return m_columns; }
    void setColumnSpacing(double mm) { m_columnSpacing = mm < 0 ? 0 : mm; }
    double columnSpacing() const { return m_columnSpacing; }
    double printableWidth() const; // layout pixels
    double columnWidth() const; // layout pixels: (printable width - (N - 1) spacing) / N
    Frame &pageFrame() { return m_pageFrame; }
    const Frame &pageFrame() const { return m_pageFrame; }

    // The font of printables without one of their own.
    void setFont(const FontSpec &font) { m_font = font; }
    const FontSpec &font() const { return m_font; }
    void setTitle(const QString &title) { m_title = title; }
    const QString &title() const { return m_title; }
    void setPageHeaderOnFirstPage(bool on) { m_headerOnFirstPage = on; }
    bool pageHeaderOnFirstPage() const { return m_headerOnFirstPage; }
    void setPageFooterOnLastPage(bool on) { m_footerOnLastPage = on; }
    bool pageFooterOnLastPage() const { return m_footerOnLastPage; }

    // The records to walk, in their current order; not owned. Without one the report has no
    // records and prints only its page bands.
    void setDataSet(DataSet *dataSet) { m_dataSet = dataSet; }
    DataSet *dataSet() const { return m_dataSet; }

    // The band of a kind, created on first use. Group headers: addGroupHeader().
    Band &band(BandKind kind);
    Band *findBand(BandKind kind) const;
    Band &titleBand() { return band(BandKind::Title); }
    Band &pageHeader() { return band(BandKind::PageHeader); }
    Band &columnHeader() { return band(BandKind::ColumnHeader); }
    Band &detail() { return band(BandKind::Detail); }
    Band &pageFooter() { return band(BandKind::PageFooter); }
    // Group headers print, outermost first, before the first record and whenever the value of
    // their field changes (an outer change prints the inner headers too).
    Band &addGroupHeader(const QString &field);
    const std::vector<std::unique_ptr<Band>> &groupHeaders() const { return m_groups; }
    // The footer of group `group` (index into groupHeaders()), created on first use. It prints
    // when its group ends: before the next header of that group or an outer one (the data set
    // then stands on the first record of the next group), and after the last record.
    Band &groupFooter(std::size_t group);
    Band *findGroupFooter(std::size_t group) const;
    // The summary prints once after the last record (and its group footers), in the column.
    Band &summary() { return band(BandKind::Summary); }

    // What system data prints as date and time: asked once per generation. The current time
    // unless set (tests and reproducible output fix it).
    using Clock = std::function<QDateTime()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Runs each time the pages are generated, before the first band: reset run state here.
    void setOnStart(std::function<void()> hook) { m_onStart = std::move(hook); }
    void runOnStart()
    {
        if (m_onStart)
            m_onStart();
    }

    // All pages at once.
    Document generate();
    // Page by page, for a preview that shows pages while they are made.
    std::unique_ptr<Paginator> paginate();
    // An empty document with this report's paper and title.
    Document emptyDocument() const;

    // Through the installed previewer (Previewer.h): the window, or a recorder in tests.
    void previewAndWait();
    void previewWhileGenerating();

private:
    PaperSize m_paper = PaperSize::A4;
    QSizeF m_customSizeMm { 210, 297 };
    Orientation m_orientation = Orientation::Portrait;
    Margins m_margins { .left = 10, .right = 10, .top = 10, .bottom = 10 };
    int m_columns = 1;
    double m_columnSpacing = 0;
    Frame m_pageFrame;
    FontSpec m_font;
    QString m_title;
    bool m_headerOnFirstPage = true;
    bool m_footerOnLastPage = true;
    DataSet *m_dataSet = nullptr;
    std::vector<std::unique_ptr<Band>> m_bands; // one per kind except group headers
    std::vector<std::unique_ptr<Band>> m_groups;
    std::vector<std::unique_ptr<Band>> m_groupFooters; // by group; null where none
    std::function<void()> m_onStart;
    Clock m_clock = [] { return QDateTime::currentDateTime(); };
};

} // namespace kb::report
