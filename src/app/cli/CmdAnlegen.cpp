#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/KalenderAnlage.h"

namespace kb::cli {

// kronoblatt-cli anlegen: creates a calendar as the wizard does.
int cmdAnlegen(Io &io)
{
    Args args(io.args);
    AnlageEingaben e;
    e.verzeichnis = args.required(QStringLiteral("--verzeichnis"));
    e.datei = args.required(QStringLiteral("--datei"));
    const QString jahr = args.required(QStringLiteral("--jahr"));
    const QString land = args.required(QStringLiteral("--land"));
    e.name = args.option(QStringLiteral("--name")).value_or(QString());
    e.vorname = args.option(QStringLiteral("--vorname")).value_or(QString());
    args.positional(0);

    bool ok = false;
    e.jahr = jahr.toInt(&ok);
    if (!ok || e.jahr < 1 || e.jahr > 9999)
        throw UsageError(QStringLiteral("Das Jahr muss eine Zahl von 1 bis 9999 sein: %1").arg(jahr));
    // A number selects the state of the list; any other text is taken as typed in the wizard.
    bool isNumber = false;
    land.toInt(&isNumber);
    const int index = bundeslandAusArgument(land);
    if (isNumber && index < 0)
        throw UsageError(QStringLiteral("Unbekanntes Bundesland: %1 (0 bis 15 oder der Name, "
                                        "z. B. Bayern)")
                             .arg(land));
    e.land = index >= 0 ? bundeslaender().at(index) : land;
    if (index < 0)
        io.err << QStringLiteral("Hinweis: „%1“ ist kein Bundesland der Liste; der Kalender "
                                 "erhält die Feiertage von %2.\n")
                      .arg(land, bundeslaender().at(landIndexFuer(land)));

    const AnlageErgebnis r = kalenderAnlegen(e);
    io.out << r.meldung << '\n';
    return 0;
}

} // namespace kb::cli
