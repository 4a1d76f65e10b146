#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "storage/Table.h"

namespace kb::cli {

namespace {

// Protects the calendar - year table and picture table - with a master password, as the main
// window's password command does.
int passwort(Call &call)
{
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    // The old password is read first: with "-" for both, standard input holds the old
    // password on its first line and the new one on the second.
    const AufrufPasswort passwort(call);
    const QString neu = passwortAngabe(call, QStringLiteral("neu")).value_or(QString());
    if (neu.size() > kMaxPasswortLaenge)
        throw UsageError(QStringLiteral("Das Passwort darf höchstens %1 Zeichen lang sein.")
                             .arg(kMaxPasswortLaenge));

    Table jahr;
    jahr.setFilePath(k.jahrPfad());
    Table bild;
    bild.setFilePath(k.bildPfad());
    passwortSetzen(jahr, &bild, neu);
    if (neu.isEmpty())
        call.out << QStringLiteral("Der Passwortschutz von %1 ist aufgehoben.\n").arg(k.qvk);
    else
        call.out << QStringLiteral("%1 ist mit dem Passwort geschützt.\n").arg(k.qvk);
    return 0;
}

} // namespace

Command passwortBefehl()
{
    return {
        .name = QStringLiteral("passwort"),
        .summary = QStringLiteral("Schützt den Kalender (Tage, Monatsbilder und -texte) mit "
                                  "einem Passwort (höchstens 10 Zeichen; leer hebt den Schutz "
                                  "auf)."),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {
            { { QStringLiteral("neu") }, QStringLiteral("PASSWORT"),
                QStringLiteral("das neue Passwort; \"\" hebt den Schutz auf, - liest es von "
                               "der Standardeingabe"),
                true },
            { { QStringLiteral("passwort") }, QStringLiteral("ALT"),
                QStringLiteral("das bisherige Passwort eines geschützten Kalenders; - liest es von "
                               "der Standardeingabe"),
                false },
        },
        .details = QStringLiteral("Ohne --passwort gilt die Umgebungsvariable "
                                  "KRONOBLATT_PASSWORT. Mit - für beide Optionen steht das "
                                  "bisherige Passwort in der ersten, das neue in der zweiten "
                                  "Zeile der Standardeingabe."),
        .run = passwort,
    };
}

} // namespace kb::cli
