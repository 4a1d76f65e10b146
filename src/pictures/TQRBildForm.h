#pragma once

#include "report/Page.h"
#include "report/Report.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSizeF>

namespace kb {

namespace report {
class Picture;
class SystemData;
} // namespace report

// The one-page picture report of the enlarged picture: A4 portrait without margins, one
// column, Arial. Its title band (145 high, white) holds the report title, centred, and the
// picture "BildX" stretched into the picture box of the window, 60 pixels higher than on
// screen (the window's tool bar and caption stay behind), and always wholly on the page. A
// hidden box prints no picture.
class TQRBildForm {
public:
    TQRBildForm(const QImage &bild, const QRect &box, bool boxSichtbar);
    TQRBildForm(const TQRBildForm &) = delete;
    TQRBildForm &operator=(const TQRBildForm &) = delete;

    report::Report &report() { return m_report; }
    const report::Picture &bildX() const { return *m_bildX; }

    report::Document generate() { return m_report.generate(); }
    // The preview that shows the page while it is made; from it the user prints.
    void previewWhileGenerating() { m_report.previewWhileGenerating(); }

    // Where the window's picture box prints on a page of `seite`: 60 pixels higher, but not
    // above the paper's top or left of its left edge; a box larger than the page is scaled
    // down to it, proportions kept.
    static QRectF druckBox(const QRect &box, const QSizeF &seite);

    static constexpr double kTitelHoehe = 145;
    // How much higher the picture sits on paper than in the window.
    static constexpr int kVersatz = 60;

private:
    report::Report m_report;
    report::SystemData *m_titel = nullptr;
    report::Picture *m_bildX = nullptr;
};

} // namespace kb
