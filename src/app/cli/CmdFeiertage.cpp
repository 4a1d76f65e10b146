#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"

namespace kb::cli {

// kronoblatt-cli feiertage JAHR LAND: every day of the year with a holiday code, in date order.
int cmdFeiertage(Io &io)
{
    Args args(io.args);
    const QStringList pos = args.positional(2);
    bool ok = false;
    const int year = pos.at(0).toInt(&ok);
    if (!ok || year < 1 || year > 9999)
        throw UsageError(QStringLiteral("Das Jahr muss eine Zahl von 1 bis 9999 sein: %1")
                             .arg(pos.at(0)));
    const int state = bundeslandAusArgument(pos.at(1));
    if (state < 0)
        throw UsageError(QStringLiteral("Unbekanntes Bundesland: %1 (0 bis 15 oder der Name, "
                                        "z. B. Bayern)")
                             .arg(pos.at(1)));

    const FeiertageUNIT::Tabelle table = FeiertageUNIT::tabelle(year, state);
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
        const int code = table[static_cast<size_t>(FeiertageUNIT::tagImJahr(day))];
        if (code != 0)
            io.out << day.toString(QStringLiteral("dd.MM.yyyy")) << ';' << code << ';'
                   << FeiertageUNIT::name(code) << '\n';
    }
    return 0;
}

} // namespace kb::cli
