#include "app/cli/CliCommands.h"

namespace kb::cli {

// Each command lives in a file of its own (Cmd<Name>.cpp) that describes it and runs it; a
// new command adds its file and one line here.
Command feiertageBefehl();
Command anlegenBefehl();
Command tageBefehl();
Command passwortBefehl();
Command druckenBefehl();
Command demoBefehl();
Command einstellungenBefehl();
Command formularBefehl();
Command monatsbildBefehl();
Command ferienBefehl();
Command icsExportBefehl();
Command icsImportBefehl();
Command berichteBefehl();
Command berichtBefehl();
Command suchenBefehl();
Command sicherungenBefehl();
Command wiederherstellenBefehl();

const std::vector<Command> &commands()
{
    static const std::vector<Command> all = {
        feiertageBefehl(),
        anlegenBefehl(),
        tageBefehl(),
        passwortBefehl(),
        druckenBefehl(),
        demoBefehl(),
        einstellungenBefehl(),
        formularBefehl(),
        monatsbildBefehl(),
        ferienBefehl(),
        icsExportBefehl(),
        icsImportBefehl(),
        berichteBefehl(),
        berichtBefehl(),
        suchenBefehl(),
        sicherungenBefehl(),
        wiederherstellenBefehl(),
    };
    return all;
}

} // namespace kb::cli
