#include "app/cli/CliCommands.h"

namespace kb::cli {

int cmdEinstellungen(Io &io);
int cmdFeiertage(Io &io);
int cmdAnlegen(Io &io);
int cmdTage(Io &io);
int cmdPasswort(Io &io);
int cmdDrucken(Io &io);
int cmdDemo(Io &io);

// Each command lives in a file of its own (Cmd<Name>.cpp) and is listed here.

const std::vector<Command> &commands()
{
    static const std::vector<Command> all = {
        {"feiertage", "feiertage JAHR LAND",
         "Listet die Feiertage und besonderen Tage eines Jahres: eine Zeile je Tag, "
         "TT.MM.JJJJ;Kennung;Name. LAND ist 0 bis 15 oder der Name des Bundeslands.",
         cmdFeiertage},
        {"anlegen",
         "anlegen --verzeichnis VERZ --datei NAME --jahr JAHR --land LAND [--name N] "
         "[--vorname V]",
         "Legt einen Kalender an wie der Assistent: NAME.QVK, NAME.DB und NAMEBild.DB in VERZ.",
         cmdAnlegen},
        {"tage", "tage KALENDER.QVK [--passwort P]",
         "Gibt die Tage eines Kalenders als CSV aus (Trennzeichen ;).", cmdTage},
        {"passwort", "passwort KALENDER.QVK --neu PASSWORT [--passwort ALT]",
         "Schützt die Jahrestabelle mit einem Passwort (höchstens 10 Zeichen; leer hebt den "
         "Schutz auf).",
         cmdPasswort},
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
