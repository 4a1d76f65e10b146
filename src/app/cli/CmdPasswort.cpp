#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "storage/Table.h"

namespace kb::cli {

namespace {

// Protects the year table with a master password, as the main window's password command does.
int passwort(Call &call)
{
    const QString neu = call.value(QStringLiteral("neu"));
    if (neu.size() > kMaxPasswortLaenge)
        throw UsageError(QStringLiteral("Das Passwort darf höchstens %1 Zeichen lang sein.")
                             .arg(kMaxPasswortLaenge));
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const AufrufPasswort passwort(call.option(QStringLiteral("passwort")));

    Table jahr;
    jahr.setFilePath(k.jahrPfad());
    passwortSetzen(jahr, nullptr, neu);
    if (neu.isEmpty())
        call.out
            << QStringLiteral("Der Passwortschutz von %1 ist aufgehoben.\n").arg(k.jahrTabelle);
    else
        call.out << QStringLiteral("%1 ist mit dem Passwort geschützt.\n").arg(k.jahrTabelle);
    return 0;
}

} // namespace

Command passwortBefehl()
{
    return {
        .name = QStringLiteral("passwort"),
        .summary = QStringLiteral("Schützt die Jahrestabelle mit einem Passwort (höchstens 10 "
                                  "Zeichen; leer hebt den Schutz auf)."),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {
            { { QStringLiteral("neu") }, QStringLiteral("PASSWORT"),
                QStringLiteral("das neue Passwort; \"\" hebt den Schutz auf"), true },
            { { QStringLiteral("passwort") }, QStringLiteral("ALT"),
                QStringLiteral("das bisherige Passwort eines geschützten Kalenders"), false },
        },
        .details = {},
        .run = passwort,
    };
}

} // namespace kb::cli
