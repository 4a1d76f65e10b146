#include "app/cli/AufrufPasswort.h"

#include "app/cli/Cli.h"

namespace kb::cli {

std::optional<QString> passwortAngabe(const Call &call, const QString &name)
{
    const std::optional<QString> value = call.option(name);
    if (!value) {
        if (name == QLatin1String("passwort") && qEnvironmentVariableIsSet("KRONOBLATT_PASSWORT"))
            return qEnvironmentVariable("KRONOBLATT_PASSWORT");
        return std::nullopt;
    }
    if (*value != QLatin1String("-"))
        return value;
    const std::optional<QString> line = readInputLine();
    if (!line)
        throw Error(
            QStringLiteral("Zu --%1 - steht kein Passwort auf der Standardeingabe.").arg(name));
    return line;
}

Option passwortOption()
{
    return { { QStringLiteral("passwort") }, QStringLiteral("P"),
        QStringLiteral("das Passwort des Kalenders; - liest es von der Standardeingabe, "
                       "ohne diese Option gilt KRONOBLATT_PASSWORT"),
        false };
}

AufrufPasswort::AufrufPasswort(const Call &call)
    : AufrufPasswort(passwortAngabe(call, QStringLiteral("passwort")))
{
}

} // namespace kb::cli
