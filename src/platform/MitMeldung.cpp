#include "platform/MitMeldung.h"

#include "platform/Error.h"
#include "platform/Ui.h"

namespace kb {

bool mitMeldung(const std::function<void()> &aktion)
{
    try {
        aktion();
        return true;
    } catch (const Error &e) {
        ui().message(e.message());
    }
    return false;
}

} // namespace kb
