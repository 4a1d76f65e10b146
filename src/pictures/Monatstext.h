#pragma once

#include <QByteArray>
#include <QString>

namespace kb {

// The largest text file loaded as a month text (10 MB); a larger one is refused.
inline constexpr qint64 kGroessteTextdatei = 10LL * 1024 * 1024;

// The text of a month-text file with its content kept exactly (line ends, tabs, trailing
// blanks): valid UTF-8 is read as UTF-8 (a leading byte-order mark is no part of the text),
// anything else as Windows-1252, the encoding of text files written on Windows.
QString monatstextAusBytes(const QByteArray &bytes);

// Reads a month-text file. Throws kb::Error with a German message naming the file when it
// cannot be read or is too large.
QString monatstextLesen(const QString &pfad);

} // namespace kb
