#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/Schulferien.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"

#include <QDir>

namespace kb::cli {

namespace {

// The school holidays of a state and year as the eighteen keys of section Ferien, printed or
// written into a settings file.
int ferien(Call &call)
{
    const QString land = bundeslaender().at(bundeslandArgument(call.argument(0)));
    const int jahr = jahrArgument(call.argument(1));
    const std::optional<QString> ini = call.option(QStringLiteral("einstellungen"));
    if (ini) {
        // A settings file that cannot be written is refused before anything is printed.
        const IniFile datei(*ini);
        if (const QString problem = datei.problem(); !problem.isEmpty())
            throw Error(problem);
        if (!datei.exists())
            throw Error(
                QStringLiteral("Datei %1 nicht vorhanden!").arg(QDir::toNativeSeparators(*ini)));
    }

    const FerienTermine termine = ferientermine(land, jahr);
    if (!termine.vorhanden) {
        call.err << termine.meldung << '\n';
        return 1;
    }

    for (int i = 0; i < kFerienCount; ++i) {
        const QString name = ferienName(static_cast<Ferien>(i));
        if (termine.vorlaeufig[i])
            call.err << name << "Beginn/" << name << "Ende: " << vorlaeufigeTermine() << '\n';
    }
    for (const QString &zeitraum : termine.ausgelassen)
        call.err << "Kein freier Zeitraum mehr für " << zeitraum << '\n';

    if (ini)
        ferienSchreiben(*ini, termine.perioden);
    for (int i = 0; i < kFerienCount; ++i) {
        const QString name = ferienName(static_cast<Ferien>(i));
        const FerienPeriode &p = termine.perioden[i];
        call.out << name << "Beginn=" << p.beginn << '\n' << name << "Ende=" << p.ende << '\n';
    }
    return 0;
}

} // namespace

Command ferienBefehl()
{
    return {
        .name = QStringLiteral("ferien"),
        .summary = QStringLiteral("Gibt die Schulferien eines Bundeslands und Jahres als die "
                                  "achtzehn Schlüssel des Abschnitts [Ferien] aus, "
                                  "Schlüssel=Wert."),
        .arguments = {
            { QStringLiteral("LAND"),
                QStringLiteral("0 bis 15 oder der Name des Bundeslands, z. B. Hessen") },
            { QStringLiteral("JAHR"), QStringLiteral("das Kalenderjahr") },
        },
        .options = { { { QStringLiteral("einstellungen") }, QStringLiteral("INI"),
            QStringLiteral("schreibt die Termine in diese Einstellungsdatei; alle anderen "
                           "Einträge und Kommentare bleiben"),
            false } },
        .details = QStringLiteral(
            "Die Termine kommen aus der Tabelle schulferien.csv im Programmverzeichnis. "
            "Weihnachten1 sind die Weihnachtsferien vom 01.01. an, Weihnachten2 die bis zum "
            "31.12.; einzelne freie Tage stehen in Zusatz und Zusatz2. Ferien, die das Land in "
            "dem Jahr nicht hat, sind 00.00. Unbestätigte oder umstrittene Termine werden auf "
            "der Fehlerausgabe genannt. Ohne Termine für Land und Jahr: Meldung, Rückgabewert "
            "1, die Einstellungsdatei bleibt unverändert."),
        .run = ferien,
    };
}

} // namespace kb::cli
