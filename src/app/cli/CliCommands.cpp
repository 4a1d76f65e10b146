#include "app/cli/CliCommands.h"

namespace kb::cli {

int cmdEinstellungen(Io &io);

// Each command lives in a file of its own (Cmd<Name>.cpp) and is listed here.

const std::vector<Command> &commands()
{
    static const std::vector<Command> all = {
        {"einstellungen", "einstellungen [--datei INI]",
         "Zeigt die Layout-Einstellungen, wie das Programm sie liest, als Schlüssel=Wert.",
         cmdEinstellungen},
    };
    return all;
}

} // namespace kb::cli
