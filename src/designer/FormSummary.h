#pragma once

#include <QStringList>

namespace kb::designer {

class Formular;

// A short German overview of a form: its elements per band and type, the page settings, the
// paper and the columns. One line per entry.
QStringList formSummary(const Formular &form);

} // namespace kb::designer
