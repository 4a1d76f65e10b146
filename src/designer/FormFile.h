#pragma once

#include "designer/FormRecord.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace kb::designer {

// A form file holds more records than any form needs only when it is no form file.
inline constexpr qsizetype kMaxFormRecords = 10000;

// Decodes a form file held in memory; `path` names it in messages. Throws kb::Error with a
// German message when the size is no multiple of 1552, the file is far too large, or a
// length byte lies beyond its field. Never reads outside `bytes`.
std::vector<FormRecord> parseFormFile(QByteArrayView bytes, const QString &path);
// Reads and decodes the file at `path`; kb::Error also when it cannot be read.
std::vector<FormRecord> readFormFile(const QString &path);

QByteArray formFileBytes(const std::vector<FormRecord> &records);
// Replaces the file at once: written beside it and renamed, so a failed save (full disk,
// no permission) throws kb::Error and leaves the old file as it was.
void writeFormFile(const QString &path, const std::vector<FormRecord> &records);

} // namespace kb::designer
