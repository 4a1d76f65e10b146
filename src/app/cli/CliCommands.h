#pragma once

#include "app/cli/Cli.h"

#include <vector>

namespace kb::cli {

struct Command
{
    const char *name;
    // One line for the overview of --help, and the usage shown by "hilfe NAME".
    const char *usage;
    const char *summary;
    int (*run)(Io &io);
};

// Every command of kronoblatt-cli, in the order --help lists them.
const std::vector<Command> &commands();

} // namespace kb::cli
