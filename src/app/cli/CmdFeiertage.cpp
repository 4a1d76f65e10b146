#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"

namespace kb::cli {

namespace {

// Every day of the year with a holiday code, in date order.
int feiertage(Call &call)
{
    const int year = jahrArgument(call.argument(0));
    const int state = bundeslandArgument(call.argument(1));

    const FeiertageUNIT::Tabelle table = FeiertageUNIT::tabelle(year, state);
    for (QDate day(year, 1, 1); day.year() == year; day = day.addDays(1)) {
        const int code = table[static_cast<size_t>(FeiertageUNIT::tagImJahr(day))];
        if (code != 0)
            call.out << day.toString(QStringLiteral("dd.MM.yyyy")) << ';' << code << ';'
                     << FeiertageUNIT::name(code) << '\n';
    }
    return 0;
}

} // namespace

Command feiertageBefehl()
{
    return {
        .name = QStringLiteral("feiertage"),
        .summary = QStringLiteral("Listet die Feiertage und besonderen Tage eines Jahres: eine "
                                  "Zeile je Tag, TT.MM.JJJJ;Kennung;Name."),
        .arguments = {
            { QStringLiteral("JAHR"), QStringLiteral("1 bis 9999") },
            { QStringLiteral("LAND"),
                QStringLiteral("0 bis 15 oder der Name des Bundeslands, z. B. Bayern") },
        },
        .options = {},
        .details = {},
        .run = feiertage,
    };
}

} // namespace kb::cli
