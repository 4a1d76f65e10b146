#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "designer/BerichtsDruck.h"
#include "designer/Berichtsablage.h"
#include "report/export/Export.h"

#include <QDir>

namespace kb::cli {

namespace {

constexpr QLatin1String kFormate(".pdf, .png, .svg, .html, .csv, .txt, .rtf, .xlsx, .wmf");

int berichteAuflisten(Call &call)
{
    for (const QString &name : bericht::berichtNamen(bericht::berichtTabellePfad()))
        call.out << name << '\n';
    return 0;
}

// Prints a stored report filled with a calendar's days into the format of the output file's
// suffix. Everything is generated before the first file is written, so a failure leaves none.
int berichtDrucken(Call &call)
{
    const QString name = call.argument(0);
    const QString ausgabe = call.value(QStringLiteral("o"));
    if (!report::isExportFormat(ausgabe))
        throw UsageError(QStringLiteral("Unbekanntes Ausgabeformat: %1 (möglich: %2)")
                             .arg(QDir::toNativeSeparators(ausgabe), kFormate));
    const std::optional<QByteArray> daten
        = bericht::berichtDaten(bericht::berichtTabellePfad(), name);
    if (!daten)
        throw Error(QStringLiteral("Es gibt keinen Bericht \"%1\".").arg(name));
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(1));
    const AufrufPasswort passwort(call);
    const report::Document dokument = bericht::berichtErzeugen(
        *daten, bericht::KalenderTabellen { .jahrPfad = k.jahrPfad(), .bildPfad = k.bildPfad() });
    for (const QString &datei : report::exportDocument(dokument, ausgabe))
        call.out << QDir::toNativeSeparators(datei) << '\n';
    return 0;
}

} // namespace

Command berichteBefehl()
{
    return {
        .name = QStringLiteral("berichte"),
        .summary = QStringLiteral("Listet die Namen der gespeicherten Berichte, einen je Zeile."),
        .arguments = {},
        .options = {},
        .details = {},
        .run = berichteAuflisten,
    };
}

Command berichtBefehl()
{
    return {
        .name = QStringLiteral("bericht"),
        .summary = QStringLiteral("Druckt einen gespeicherten Bericht mit den Tagen eines "
                                  "Kalenders; das Format folgt der Endung von DATEI (%1).")
                       .arg(kFormate),
        .arguments = { { QStringLiteral("NAME"), QStringLiteral("der Name des Berichts") },
            { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {
            { { QStringLiteral("o"), QStringLiteral("ausgabe") }, QStringLiteral("DATEI"),
                QStringLiteral("die Ausgabedatei; Seiten als Bilder oder Metadateien werden "
                               "DATEI-1, DATEI-2 ... nummeriert"),
                true },
            passwortOption(),
        },
        .details = {},
        .run = berichtDrucken,
    };
}

} // namespace kb::cli
