#pragma once

// Export of a generated report to files. The format follows the file's suffix (any letter
// case):
//   .pdf              all pages in one PDF
//   .png .svg .wmf    one file per page: "bericht.png" becomes "bericht-1.png",
//                     "bericht-2.png" ..., a one-page report too (pageFileNames() in
//                     Writers.h)
//   .html .htm        one page after another, text positioned as on paper
// PNG pages have the resolution of ExportOptions (kDefaultPngDpi unless chosen).
// The row formats read the pages band by band (BandRows.h): one row per printed band, its
// texts left to right, an empty field where a printable printed nothing:
//   .csv              separator ",", quoted where needed, every line as many fields as the
//                     widest; UTF-8 with a byte order mark so spreadsheet programs read umlauts
//   .txt              the rows in columns (UTF-8, CR LF), pages separated by a form feed
//   .rtf              a paragraph per row, its fields on tab stops; a page break per page
//   .xlsx             one worksheet per page ("Seite 1" ...), a row per band, its fields in
//                     the columns A, B, C ...; numbers as numbers, the band's colour as fill
// Every file is written completely or not at all; failures throw kb::Error with a German
// message.

#include "report/Page.h"
#include "report/Writers.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kb::report {

struct ExportOptions {
    int pngDpi = kDefaultPngDpi; // kMinPngDpi to kMaxPngDpi
};

// Writes the document and returns the paths of the files written.
QStringList exportDocument(
    const Document &doc, const QString &path, const ExportOptions &options = {});

// True when exportDocument() knows the suffix of `path`.
bool isExportFormat(const QString &path);

// The filter for a save dialog, one entry per format ("PDF-Datei (*.pdf);;...").
QString exportFileFilter();

// The individual writers; each returns the complete file contents.
QByteArray htmlExport(const Document &doc);
QByteArray csvExport(const Document &doc);
QByteArray plainTextExport(const Document &doc);
QByteArray rtfExport(const Document &doc);
QByteArray xlsxExport(const Document &doc);
// A placeable Windows metafile of one page.
QByteArray wmfExport(const Document &doc, int pageIndex);

} // namespace kb::report
