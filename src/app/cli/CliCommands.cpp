#include "app/cli/CliCommands.h"

namespace kb::cli {

int cmdEinstellungen(Io &io);
int cmdDrucken(Io &io);
int cmdDemo(Io &io);

// Each command lives in a file of its own (Cmd<Name>.cpp) and is listed here.

const std::vector<Command> &commands()
{
    static const std::vector<Command> all = {
        {"drucken",
         "drucken KALENDER.QVK --layout NAME -o DATEI [--passwort P] [--einstellungen INI]",
         "Druckt ein Layout ohne Vorschau, z. B. --layout \"1 Seite 12 Spalten\"; das Format "
         "folgt der Endung von DATEI (.pdf .png .svg .html .csv .txt .rtf .xlsx .wmf).",
         cmdDrucken},
        {"demo", "demo [--verzeichnis VERZ] [--land LAND] [--jahr JAHR]",
         "Legt einen Demo-Kalender an (Land aus KRONOBLATT_LAND, sonst Bayern; Jahr: das "
         "laufende) und druckt seinen Jahreskalender \"1 Seite 12 Spalten\" als PDF.",
         cmdDemo},
        {"einstellungen", "einstellungen [--datei INI]",
         "Zeigt die Layout-Einstellungen, wie das Programm sie liest, als Schlüssel=Wert.",
         cmdEinstellungen},
    };
    return all;
}

} // namespace kb::cli
