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
    const QString land = call.value(QStringLiteral("land"));
    bool isNumber = false;
    land.toInt(&isNumber);
    if (isNumber || bundeslandAusArgument(land) >= 0) {
        e.land = bundeslaender().at(bundeslandArgument(land));
    } else {
        e.land = land;
        call.err << QStringLiteral("Hinweis: „%1“ ist kein Bundesland der Liste; der Kalender "
                                   "erhält die Feiertage von %2.\n")
                        .arg(land, bundeslaender().at(landIndexFuer(land)));
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
