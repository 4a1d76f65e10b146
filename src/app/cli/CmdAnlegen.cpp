#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/KalenderAnlage.h"

namespace kb::cli {

namespace {

// Creates a calendar as the wizard does.
int anlegen(Call &call)
{
    AnlageEingaben e;
    e.verzeichnis = call.value(QStringLiteral("verzeichnis"));
    e.datei = call.value(QStringLiteral("datei"));
    e.jahr = jahrArgument(call.value(QStringLiteral("jahr")));
    e.name = call.option(QStringLiteral("name")).value_or(QString());
    e.vorname = call.option(QStringLiteral("vorname")).value_or(QString());

    // A number or a name selects the state of the list; any other text is taken as typed in
    // the wizard, with the holidays of the state it resembles.
    const LandArgument land = LandArgument::lesen(call.value(QStringLiteral("land")));
    if (land.bekannt()) {
        e.land = bundeslaender().at(land.index);
    } else {
        e.land = land.text;
        call.err << QStringLiteral("Hinweis: „%1“ ist kein Bundesland der Liste; der Kalender "
                                   "erhält die Feiertage von %2.\n")
                        .arg(land.text, bundeslaender().at(landIndexFuer(land.text, e.landVorher)));
    }

    const AnlageErgebnis r = kalenderAnlegen(e);
    call.out << r.meldung << '\n';
    return 0;
}

} // namespace

Command anlegenBefehl()
{
    return {
        .name = QStringLiteral("anlegen"),
        .summary = QStringLiteral("Legt einen Kalender an wie der Assistent: NAME.QVK, NAME.DB "
                                  "und NAMEBild.DB in VERZ."),
        .arguments = {},
        .options = {
            { { QStringLiteral("verzeichnis") }, QStringLiteral("VERZ"),
                QStringLiteral("das Verzeichnis des Kalenders; es muss bestehen"), true },
            { { QStringLiteral("datei") }, QStringLiteral("NAME"),
                QStringLiteral("der Dateiname ohne Endung"), true },
            { { QStringLiteral("jahr") }, QStringLiteral("JAHR"), QStringLiteral("1 bis 9999"),
                true },
            { { QStringLiteral("land") }, QStringLiteral("LAND"),
                QStringLiteral("0 bis 15 oder der Name des Bundeslands; ein anderer Text wird "
                               "wie im Assistenten übernommen"),
                true },
            { { QStringLiteral("name") }, QStringLiteral("N"), QStringLiteral("Ihr Name"), false },
            { { QStringLiteral("vorname") }, QStringLiteral("V"), QStringLiteral("Ihr Vorname"),
                false },
        },
        .details = {},
        .run = anlegen,
    };
}

} // namespace kb::cli
