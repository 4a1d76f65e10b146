#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "printing/DruckLayouts.h"
#include "report/export/Export.h"
#include "settings/KalenderIni.h"
#include "storage/Table.h"

#include <QDir>

namespace kb::cli {

namespace {

QString layoutNamen()
{
    QStringList namen;
    for (const DruckLayout &l : druckLayouts())
        namen.append(QLatin1Char('"') + l.name + QLatin1Char('"'));
    return namen.join(QStringLiteral(", "));
}

// The settings file named on the command line must exist; the program directory's may be
// missing, as at start-up: then every value is its default.
IniFile einstellungen(const std::optional<QString> &datei, QTextStream &err)
{
    const QString path = datei ? *datei : KalenderIni::read().settingsFilePath();
    IniFile ini(path);
    if (!ini.exists()) {
        const QString meldung = QStringLiteral("Datei ") + QDir::toNativeSeparators(path)
            + QStringLiteral(" nicht vorhanden!");
        if (datei)
            throw Error(meldung);
        err << meldung << '\n';
    }
    return ini;
}

} // namespace

// kronoblatt-cli drucken KALENDER.QVK --layout NAME -o DATEI [--passwort P]
// [--einstellungen INI]: prints a layout without the preview into the file's format.
int cmdDrucken(Io &io)
{
    Args args(io.args);
    const QString name = args.required(QStringLiteral("--layout"));
    std::optional<QString> ausgabe = args.option(QStringLiteral("-o"));
    if (!ausgabe)
        ausgabe = args.required(QStringLiteral("--ausgabe"));
    const std::optional<QString> password = args.option(QStringLiteral("--passwort"));
    const std::optional<QString> iniDatei = args.option(QStringLiteral("--einstellungen"));
    const QString kalender = args.positional(1).at(0);

    const DruckLayout *layout = druckLayout(name);
    if (!layout)
        throw UsageError(QStringLiteral("Unbekanntes Layout \"%1\". Möglich sind: %2.")
                             .arg(name, layoutNamen()));
    if (!report::isExportFormat(*ausgabe))
        throw UsageError(QStringLiteral("Unbekanntes Ausgabeformat: %1 (möglich: .pdf, .png, "
                                        ".svg, .html, .csv, .txt, .rtf, .xlsx, .wmf)")
                             .arg(QDir::toNativeSeparators(*ausgabe)));

    const KalenderDatei k = KalenderDatei::vorhanden(kalender);
    const IniFile ini = einstellungen(iniDatei, io.err);

    // As when a calendar is opened: only the password given now counts.
    Session::removeAllPasswords();
    if (password)
        Session::addPassword(*password);
    const report::Document dokument = druckDokument(*layout, k.jahrPfad(), ini);
    for (const QString &datei : report::exportDocument(dokument, *ausgabe))
        io.out << QDir::toNativeSeparators(datei) << '\n';
    return 0;
}

} // namespace kb::cli
