#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "storage/Table.h"

namespace kb::cli {

// kronoblatt-cli passwort KALENDER.QVK --neu PASSWORT [--passwort ALT]: protects the year
// table with a master password, as the main window's password command does.
int cmdPasswort(Io &io)
{
    Args args(io.args);
    const QString neu = args.required(QStringLiteral("--neu"));
    const std::optional<QString> alt = args.option(QStringLiteral("--passwort"));
    const QString path = args.positional(1).at(0);
    if (neu.size() > kMaxPasswortLaenge)
        throw UsageError(QStringLiteral("Das Passwort darf höchstens %1 Zeichen lang sein.")
                             .arg(kMaxPasswortLaenge));
    const KalenderDatei k = KalenderDatei::vorhanden(path);
    // As when a calendar is opened: only the password given now counts.
    Session::removeAllPasswords();
    if (alt)
        Session::addPassword(*alt);

    Table jahr;
    jahr.setFilePath(k.jahrPfad());
    passwortSetzen(jahr, nullptr, neu);
    if (neu.isEmpty())
        io.out << QStringLiteral("Der Passwortschutz von %1 ist aufgehoben.\n").arg(k.jahrTabelle);
    else
        io.out << QStringLiteral("%1 ist mit dem Passwort geschützt.\n").arg(k.jahrTabelle);
    return 0;
}

} // namespace kb::cli
