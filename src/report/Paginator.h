#pragma once

#include "report/Page.h"
#include "report/Printable.h"

#include <QDateTime>
#include <QVariant>
#include <deque>
#include <optional>
#include <vector>

namespace kb::report {

class Band;
struct Frame;
class Report;

// Walks a report's records and lays its bands out on pages: a band that does not fit the rest
// of its column continues at the top of the next column, after the last column comes a new
// page. Pages come out one at a time, so a preview can show the first while the rest are made.
// Everything runs on the caller's thread.
class Paginator {
public:
    // `printTime` is what system data prints as date and time.
    Paginator(Report &report, QDateTime printTime);

    // Generates until one more page is complete; nullopt once the report is done. Errors of the
    // hooks (kb::Error) pass through and end the run.
    std::optional<Page> nextPage();
    bool done() const { return m_phase == Phase::Done && m_ready.empty(); }

private:
    enum class Phase { NotStarted, Records, Done };

    void step();
    void checkPageRoom() const;
    void start();
    void printRecord();
    void finish();

    void printGroupHeaders();
    void printGroupFooters(std::size_t outermost);
    void printInColumn(Band &band);
    void forceColumnBreak();
    void nextColumn();
    void openPage();
    void closePage(bool last);
    void printColumnHeader();
    void printSpanning(Band &band, double y);
    void drawPageFrame();

    double measure(const Band &band, double width) const;
    void place(Band &band, double x, double y, double width, double height, int column);
    void drawFrame(const Frame &frame, const QRectF &r);
    double columnLeft(int column) const;
    double columnBottom() const;
    bool columnIsEmpty() const { return m_y <= m_columnContentTop; }
    bool usable(const Band *band) const;

    Report &m_report;
    Phase m_phase = Phase::NotStarted;
    std::deque<Page> m_ready;
    Page m_page;
    PrintContext m_ctx;
    int m_column = 0;
    double m_y = 0;
    double m_columnTop = 0; // where columns start on this page
    double m_columnContentTop = 0; // below the column header of the current column
    bool m_forcedBreakSeen = false;
    std::vector<QVariant> m_groupValues;
    QDateTime m_printTime;
};

} // namespace kb::report
