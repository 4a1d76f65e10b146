#include "app/cli/Cli.h"
#include "settings/KalenderIni.h"
#include "settings/LayoutSettings.h"

#include <QDir>

namespace kb::cli {

namespace {

// Prints the layout settings as the program loads them, one Key=Value line each, followed
// by the sixteen style keys as the print layouts read them.
int einstellungen(Call &call)
{
    const IniFile ini = einstellungsDatei(call.option(QStringLiteral("datei")), call.err);

    LayoutSettings ls;
    ls.loadAll(ini);
    for (const auto &[key, value] : ls.entries())
        call.out << key << '=' << value << '\n';
    const IniFile::Snapshot snap = ini.snapshot();
    for (int g = 0; g < kFontGroupCount; ++g) {
        const FontStyles st = readFontStyles(snap, static_cast<FontGroup>(g));
        const auto keys = fontStyleKeys(static_cast<FontGroup>(g));
        const bool on[4] = { st.bold, st.italic, st.underline, st.strikeOut };
        for (int i = 0; i < 4; ++i)
            call.out << keys[i] << '=' << (on[i] ? 1 : 0) << '\n';
    }
    return 0;
}

} // namespace

Command einstellungenBefehl()
{
    return {
        .name = QStringLiteral("einstellungen"),
        .summary = QStringLiteral("Zeigt die Layout-Einstellungen, wie das Programm sie liest, als "
                                  "Schlüssel=Wert."),
        .arguments = {},
        .options = { { { QStringLiteral("datei") }, QStringLiteral("INI"),
            QStringLiteral("die Einstellungsdatei; ohne diese Option die des Programms"), false } },
        .details = QStringLiteral("Fehlt die Einstellungsdatei des Programms, wird das "
                                  "gemeldet und es gelten die Vorgabewerte; eine mit --datei "
                                  "genannte Datei muss es geben."),
        .run = einstellungen,
    };
}

} // namespace kb::cli
