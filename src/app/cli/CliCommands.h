#pragma once

#include "app/cli/Cli.h"

#include <vector>

namespace kb::cli {

// Every command of kronoblatt-cli, in the order --help lists them.
const std::vector<Command> &commands();

} // namespace kb::cli
