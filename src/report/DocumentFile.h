#pragma once

#include "report/Page.h"

#include <QString>

namespace kb::report {

// A generated report saved as it is, to be opened in the preview again later: a versioned
// binary file. The suffix the preview offers for it.
inline constexpr char16_t kDocumentSuffix[] = u"kbr";

// Writes atomically (a failed save leaves any earlier file untouched). Throws kb::Error.
void saveDocument(const Document &doc, const QString &path);
// Throws kb::Error with a German message when the file is missing, not ours, damaged or of a
// newer version.
Document loadDocument(const QString &path);

} // namespace kb::report
