#include "app/cli/CliCommands.h"

namespace kb::cli {

// Each command lives in a file of its own (Cmd<Name>.cpp) and is listed here.

const std::vector<Command> &commands()
{
    static const std::vector<Command> all = {
    };
    return all;
}

} // namespace kb::cli
