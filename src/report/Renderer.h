#pragma once

#include "report/Page.h"

class QPainter;

namespace kb::report {

// Draws one page on any painter: preview, printer, PDF, PNG, SVG. The painter's origin is the
// paper's top-left corner; `scale` is device units per layout pixel (1.0 at 96 dpi, dpi / 96
// in general). The painter's state is restored afterwards.
void renderPage(const Page &page, QPainter &painter, double scale);

} // namespace kb::report
