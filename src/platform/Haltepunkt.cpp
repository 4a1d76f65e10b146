#include "platform/Haltepunkt.h"

namespace kb {

namespace {
std::function<void(const char *)> &aktion()
{
    static std::function<void(const char *)> a;
    return a;
}
} // namespace

void haltepunkt(const char *name)
{
    if (aktion())
        aktion()(name);
}

void setHaltepunktAktion(std::function<void(const char *)> a)
{
    aktion() = std::move(a);
}

} // namespace kb
