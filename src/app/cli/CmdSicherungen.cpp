#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/Sicherungen.h"

#include <QDir>

namespace kb::cli {

namespace {

// One line per copy, newest first: NAME;TT.MM.JJJJ;hh:mm:ss;TAGESTEXTE.
int sicherungen(Call &call)
{
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const QList<Sicherungskopie> kopien = Sicherungen::liste(k);
    if (kopien.isEmpty()) {
        call.err << QStringLiteral("Der Kalender „%1“ hat keine Sicherungen.\n")
                        .arg(QDir::toNativeSeparators(k.qvkPfad()));
        return 1;
    }
    for (const Sicherungskopie &s : kopien)
        call.out << s.name << ';' << s.zeit.toString(QStringLiteral("dd.MM.yyyy;HH:mm:ss")) << ';'
                 << s.tagestexte << '\n';
    return 0;
}

int wiederherstellen(Call &call)
{
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const AufrufPasswort passwort(call);
    Sicherungen::wiederherstellen(k, call.argument(1));
    call.out << QStringLiteral("Die Sicherungskopie %1 ist wiederhergestellt; der vorige Stand ist "
                               "gesichert.\n")
                    .arg(call.argument(1));
    return 0;
}

} // namespace

Command sicherungenBefehl()
{
    return {
        .name = QStringLiteral("sicherungen"),
        .summary = QStringLiteral("Listet die automatischen Sicherungen eines Kalenders, die "
                                  "neueste zuerst: NAME;TT.MM.JJJJ;hh:mm:ss;TAGESTEXTE."),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {},
        .details = QStringLiteral(
            "Vor der ersten Änderung, die ein Programmlauf an einem Kalender macht, werden "
            "seine Tabellen in den Ordner \"Sicherungen\" des Programmverzeichnisses kopiert. "
            "Es bleiben die letzten zehn und die neueste jedes Monats für ein Jahr. Exit-Code 1, "
            "wenn es keine Sicherungskopie gibt."),
        .run = sicherungen,
    };
}

Command wiederherstellenBefehl()
{
    return {
        .name = QStringLiteral("wiederherstellen"),
        .summary = QStringLiteral("Holt eine Sicherungskopie als Stand des Kalenders zurück, ganz "
                                  "oder gar nicht; der jetzige Stand wird vorher gesichert."),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") },
            { QStringLiteral("NAME"),
                QStringLiteral("die Sicherungskopie, wie sicherungen sie nennt") } },
        .options = { passwortOption() },
        .details = {},
        .run = wiederherstellen,
    };
}

} // namespace kb::cli
