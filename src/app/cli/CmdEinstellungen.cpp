#include "app/cli/Cli.h"
#include "settings/KalenderIni.h"
#include "settings/LayoutSettings.h"

#include <QDir>

namespace kb::cli {

// Prints the layout settings as the program loads them, one Key=Value line each, followed
// by the sixteen style keys as the print layouts read them.
int cmdEinstellungen(Io &io)
{
    Args args(io.args);
    const std::optional<QString> datei = args.option(QStringLiteral("--datei"));
    args.positional(0);

    const QString path = datei ? *datei : KalenderIni::read().settingsFilePath();
    const IniFile ini(path);
    if (!ini.exists()) {
        io.err << "Datei " << QDir::toNativeSeparators(path) << " nicht vorhanden!\n";
    }

    LayoutSettings ls;
    ls.loadAll(ini);
    for (const auto &[key, value] : ls.entries())
        io.out << key << '=' << value << '\n';
    const IniFile::Snapshot snap = ini.snapshot();
    for (int g = 0; g < kFontGroupCount; ++g) {
        const FontStyles st = readFontStyles(snap, static_cast<FontGroup>(g));
        const auto keys = fontStyleKeys(static_cast<FontGroup>(g));
        const bool on[4] = {st.bold, st.italic, st.underline, st.strikeOut};
        for (int i = 0; i < 4; ++i)
            io.out << keys[i] << '=' << (on[i] ? 1 : 0) << '\n';
    }
    return 0;
}

} // namespace kb::cli
