#pragma once

#include <QString>
#include <QVariant>

namespace kb::report {

// The text a field printable shows for `value`. An empty mask gives the program's usual forms
// (dates "dd.mm.yyyy", decimal comma). A date mask uses the letters d, dd, ddd, dddd, m, mm,
// mmm, mmmm, yy, yyyy, h, hh, n, nn, s, ss (German day and month names; text in quotes is
// copied); a number mask uses 0, # and the separators ',' (thousands) and '.' (decimal point),
// printed the German way.
QString formatFieldValue(const QVariant &value, const QString &mask);

} // namespace kb::report
