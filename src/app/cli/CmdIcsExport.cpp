#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "ical/IcsExport.h"

namespace kb::cli {

namespace {

int icsExport(Call &call)
{
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const QString ziel = call.value(QStringLiteral("o"));
    IcsExportOptionen optionen;
    optionen.ohneFeiertage = call.isSet(QStringLiteral("ohne-feiertage"));
    const AufrufPasswort passwort(call);

    const int termine = icsExportieren(k, ziel, optionen);
    call.out << QStringLiteral("%1 Termine nach %2 geschrieben.\n").arg(termine).arg(ziel);
    return 0;
}

} // namespace

Command icsExportBefehl()
{
    return {
        .name = QStringLiteral("ics-export"),
        .summary = QStringLiteral("Schreibt die Tage mit Text als iCalendar-Datei (ganztägige "
                                  "Termine) für Telefon, Web- und andere Kalender."),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {
            { { QStringLiteral("o"), QStringLiteral("ausgabe") }, QStringLiteral("DATEI"),
                QStringLiteral("die iCalendar-Datei (.ics)"), true },
            { { QStringLiteral("passwort") }, QStringLiteral("P"),
                QStringLiteral("das Passwort des Kalenders; - liest es von der Standardeingabe, "
                               "ohne diese Option gilt KRONOBLATT_PASSWORT"),
                false },
            { { QStringLiteral("ohne-feiertage") }, QString(),
                QStringLiteral("lässt Feiertage und besondere Tage aus"), false },
        },
        .details = QStringLiteral("Ein zweiter Export derselben Kalenderdatei hat dieselben "
                                  "UIDs: der empfangende Kalender ersetzt seine Termine, statt "
                                  "sie doppelt anzulegen."),
        .run = icsExport,
    };
}

} // namespace kb::cli
