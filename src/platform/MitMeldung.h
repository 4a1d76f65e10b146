#pragma once

#include <functional>

namespace kb {

// Runs `aktion`; an error of the table engine is shown through the Ui seam instead of passing
// on. Returns false after an error.
bool mitMeldung(const std::function<void()> &aktion);

} // namespace kb
