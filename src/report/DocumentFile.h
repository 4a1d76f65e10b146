#pragma once

#include "report/Page.h"

#include <QString>

namespace kb::report {

// A generated report saved as it is, to be opened in the preview again later: a versioned
// binary file.

// The suffix of saved reports, "kbr", and the file dialog filter for them.
QString documentSuffix();
QString documentFileFilter();

// Writes atomically (a failed save leaves any earlier file untouched). Throws kb::Error.
void saveDocument(const Document &doc, const QString &path);
// Throws kb::Error with a German message when the file is missing, not ours, damaged or of a
// newer version.
Document loadDocument(const QString &path);

} // namespace kb::report
