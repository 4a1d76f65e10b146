#pragma once

#include <QByteArray>
#include <QString>

namespace kb {

// Windows-1252, the encoding of settings and form files written by the original program.
QString fromCp1252(const QByteArray &bytes);
// Characters without a Windows-1252 code become '?'.
QByteArray toCp1252(const QString &text);

} // namespace kb
