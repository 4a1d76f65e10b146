#pragma once

#include "report/Page.h"

#include <QFont>
#include <QString>

namespace kb::report {

// The installed face that stands in for a face named by a layout. The Windows faces map to
// metric-compatible Liberation faces; any other name is kept and left to fontconfig.
QString installedFamily(const QString &family);

// The font to draw `spec` with on a device of `deviceDpi` logical dots per inch, sized so that
// the text is spec.pointSize points tall in layout pixels once the painter scales layout
// pixels to the device. Hinting is off, so glyph advances scale linearly and every device
// breaks lines where the 96-dpi measuring did.
QFont fontFor(const FontSpec &spec, double deviceDpi = kPixelsPerInch);

} // namespace kb::report
