#pragma once

#include <QString>

namespace kb {

// The password dialog's "OK": enabled exactly when both entries are the same text (two
// empty entries count as the same).
inline bool passwortOkErlaubt(const QString &passwort, const QString &wiederholung)
{
    return passwort == wiederholung;
}

} // namespace kb
