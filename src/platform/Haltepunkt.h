#pragma once

#include <functional>

namespace kb {

// Named points between the steps of file operations that must leave whole files behind
// even when the program is killed there. Nothing happens at them unless an action is set;
// crash tests set one that kills the process (kronoblatt-cli: the environment variable
// KRONOBLATT_HALTEPUNKT names the point).
void haltepunkt(const char *name);
void setHaltepunktAktion(std::function<void(const char *name)> aktion);

} // namespace kb
