#pragma once

#include <QString>
#include <QStringList>

namespace kb {

// The texts and small rules of the new-calendar wizard "Kronoblatt-Assistent".
namespace Assistent {

inline constexpr int kSchritte = 3;

// The instruction lines of step 1, 2 or 3.
const QStringList &anleitung(int schritt);

// Hints of the directory field, the file name and the year picker.
QString hinweisVerzeichnis();
QString hinweisDatei();
QString hinweisJahr();

// The directory chooser's answer as the directory field shows it: separators that end the
// path are dropped (a drive root "C:\" shows as "C:"); the root "/" stays.
QString gewaehltesVerzeichnis(const QString &path);

} // namespace Assistent
} // namespace kb
