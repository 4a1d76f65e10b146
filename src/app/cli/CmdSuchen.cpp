#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/Suche.h"
#include "platform/ProgramDir.h"

#include <QDir>

namespace kb::cli {

namespace {

// The days holding the term, one line each; exit code 1 when none does.
int suchen(Call &call)
{
    const QString begriff = call.argument(0);
    if (begriff.trimmed().isEmpty())
        throw UsageError(QStringLiteral("Der Suchbegriff ist leer."));
    QStringList kalender = call.arguments(1);
    if (kalender.isEmpty())
        kalender = kalenderIn(ProgramDir::calendarDataDir());
    const AufrufPasswort passwort(call);

    Kalendersuche suche;
    const Suchergebnis ergebnis = suche.suchen(kalender, begriff);
    for (const Treffer &t : ergebnis.treffer)
        call.out << t.zeile() << '\n';
    for (const UebersprungenerKalender &u : ergebnis.uebersprungen)
        call.err << QStringLiteral("Übersprungen: ") << QDir::toNativeSeparators(u.kalender)
                 << QStringLiteral(" (") << u.grund << QStringLiteral(")\n");
    if (ergebnis.treffer.isEmpty()) {
        call.err << QStringLiteral("Nichts gefunden: ") << begriff << '\n';
        return 1;
    }
    return 0;
}

} // namespace

Command suchenBefehl()
{
    return {
        .name = QStringLiteral("suchen"),
        .summary = QStringLiteral("Sucht einen Begriff in Text und Notizen der Tage und gibt "
                                  "die Treffer als Zeilen TT.MM.JJJJ;KALENDER;Text aus."),
        .arguments = { { QStringLiteral("BEGRIFF"), QStringLiteral("der gesuchte Text") },
            { QStringLiteral("KALENDER.QVK"),
                QStringLiteral("die Kalenderdateien; ohne sie alle im Kalenderdatenverzeichnis"),
                true } },
        .options = { passwortOption() },
        .details = QStringLiteral(
            "Groß- und Kleinschreibung zählen nicht, Umlaute und ihre Umschreibung sind gleich "
            "(\"muenchen\" findet \"München\"), ebenso \"ß\" und \"ss\". Die Kalender erscheinen "
            "nach Jahren geordnet, das neueste zuerst. Ein geschützter Kalender, dessen Passwort "
            "nicht mit --passwort angegeben ist, wird übersprungen (Meldung auf stderr). "
            "Exit-Code 1, wenn nichts gefunden wurde."),
        .run = suchen,
    };
}

} // namespace kb::cli
