#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "printing/DruckLayouts.h"
#include "report/export/Export.h"
#include "settings/KalenderIni.h"
#include "storage/Table.h"

#include <QDir>

namespace kb::cli {

namespace {

constexpr QLatin1String kFormate(".pdf, .png, .svg, .html, .csv, .txt, .rtf, .xlsx, .wmf");

QStringList layoutNamen()
{
    QStringList namen;
    for (const DruckLayout &l : druckLayouts())
        namen.append(QLatin1Char('"') + l.name + QLatin1Char('"'));
    return namen;
}

// --dpi N: the resolution of PNG pages. Out of range it ends the run (exit code 1) with the
// message every number check gives.
int aufloesung(const std::optional<QString> &text)
{
    if (!text)
        return report::kDefaultPngDpi;
    try {
        return zahlArgument(
            *text, report::kMinPngDpi, report::kMaxPngDpi, QStringLiteral("Die Auflösung (dpi)"));
    } catch (const UsageError &e) {
        throw Error(e.message());
    }
}

// Prints a layout without the preview into the format the output file's suffix names.
int drucken(Call &call)
{
    const QString name = call.value(QStringLiteral("layout"));
    const QString ausgabe = call.value(QStringLiteral("o"));
    const int dpi = aufloesung(call.option(QStringLiteral("dpi")));
    const DruckLayout *layout = druckLayout(name);
    if (!layout)
        throw UsageError(QStringLiteral("Unbekanntes Layout \"%1\". Möglich sind: %2.")
                             .arg(name, layoutNamen().join(QStringLiteral(", "))));
    if (!report::isExportFormat(ausgabe))
        throw UsageError(QStringLiteral("Unbekanntes Ausgabeformat: %1 (möglich: %2)")
                             .arg(QDir::toNativeSeparators(ausgabe), kFormate));

    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const IniFile ini = einstellungsDatei(call.option(QStringLiteral("einstellungen")), call.err);

    const AufrufPasswort passwort(call);
    const report::Document dokument = druckDokument(*layout, k.jahrPfad(), k.bildPfad(), ini);
    for (const QString &datei : report::exportDocument(dokument, ausgabe, { .pngDpi = dpi }))
        call.out << QDir::toNativeSeparators(datei) << '\n';
    return 0;
}

} // namespace

Command druckenBefehl()
{
    return {
        .name = QStringLiteral("drucken"),
        .summary = QStringLiteral("Druckt ein Layout ohne Vorschau, z. B. --layout \"1 Seite 12 "
                                  "Spalten\"; das Format folgt der Endung von DATEI (%1).")
                       .arg(kFormate),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {
            { { QStringLiteral("layout") }, QStringLiteral("NAME"),
                QStringLiteral("das Layout, wie es das Menü nennt"), true },
            { { QStringLiteral("o"), QStringLiteral("ausgabe") }, QStringLiteral("DATEI"),
                QStringLiteral("die Ausgabedatei; Seiten als Bilder oder Metadateien werden "
                               "DATEI-1, DATEI-2 ... nummeriert"),
                true },
            passwortOption(),
            { { QStringLiteral("einstellungen") }, QStringLiteral("INI"),
                QStringLiteral("die Einstellungsdatei; ohne diese Option die des Programms"),
                false },
            { { QStringLiteral("dpi") }, QStringLiteral("N"),
                QStringLiteral("die Auflösung der PNG-Bilder, %1 bis %2 (ohne diese Option %3)")
                    .arg(report::kMinPngDpi)
                    .arg(report::kMaxPngDpi)
                    .arg(report::kDefaultPngDpi),
                false },
        },
        .details = QStringLiteral("Layouts:\n") + itemList(layoutNamen())
            + QStringLiteral("\nDie Monatskalender zeigen die Monatsbilder des Kalenders; "
                             "\"Tagebuch\" ohne Monat druckt das ganze Jahr."),
        .run = drucken,
    };
}

} // namespace kb::cli
