#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "ical/IcsImport.h"

#include <QTimeZone>

namespace kb::cli {

namespace {

int icsImport(Call &call)
{
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const AufrufPasswort passwort(call);

    const IcsImportErgebnis ergebnis
        = icsImportieren(k, call.argument(1), QTimeZone::systemTimeZone());
    call.out << ergebnis.meldung() << '\n';
    return 0;
}

} // namespace

Command icsImportBefehl()
{
    return {
        .name = QStringLiteral("ics-import"),
        .summary = QStringLiteral("Trägt die Termine einer iCalendar-Datei in die Tage des "
                                  "Kalenderjahres ein."),
        .arguments = {
            { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") },
            { QStringLiteral("DATEI.ics"), QStringLiteral("die iCalendar-Datei") },
        },
        .options = { { { QStringLiteral("passwort") }, QStringLiteral("P"),
            QStringLiteral("das Passwort des Kalenders; - liest es von der Standardeingabe, "
                           "ohne diese Option gilt KRONOBLATT_PASSWORT"),
            false } },
        .details = QStringLiteral(
            "Wiederholungen werden aufgelöst, Termine mit Uhrzeit stehen mit ihrer Ortszeit "
            "vorn (\"14:00 Elternabend\"), mehrtägige ganztägige Termine an jedem ihrer Tage. "
            "Ein Tag mit Text erhält den Termin nach \"; \", solange 255 Zeichen reichen; was "
            "schon im Text steht, wird nicht noch einmal eingetragen. Alles geschieht in einem "
            "Schritt: eine unlesbare Datei ändert nichts."),
        .run = icsImport,
    };
}

} // namespace kb::cli
