#pragma once

#include "report/Page.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace kb::report {

// File output of a generated report. Every writer draws through renderPage(), so the files show
// what the preview shows. All throw kb::Error with a German message when a file cannot be
// written; a failed write leaves no half-written file behind.

// One PDF with all pages; the texts stay text.
void writePdf(const Document &doc, const QString &path);

// The resolutions PNG pages may have, and the one they get unless the user chooses: 150 dpi
// keeps the smallest texts of the one-page year calendar readable.
inline constexpr int kMinPngDpi = 72;
inline constexpr int kMaxPngDpi = 600;
inline constexpr int kDefaultPngDpi = 150;

// One page as a picture of `dpi` dots per inch on white paper; a null image when the picture
// would be too large to hold.
QImage renderPageImage(const Document &doc, std::size_t pageIndex, double dpi);

// PNG or SVG: page n goes to "<name>-<n>.<suffix>" beside `path`, a one-page document too.
// Returns the written files in page order.
QStringList writePng(const Document &doc, const QString &path, double dpi = kDefaultPngDpi);
QStringList writeSvg(const Document &doc, const QString &path);

// The files writePng()/writeSvg() write for a document of `pageCount` pages.
QStringList pageFileNames(const QString &path, std::size_t pageCount);

} // namespace kb::report
