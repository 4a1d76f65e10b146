#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "app/cli/StreamUi.h"
#include "caldata/KalenderDatei.h"
#include "designer/Formulardruck.h"
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

// The layout of --layout; null when a form is printed instead (--formular). Exactly one of
// the two must be given.
const DruckLayout *gewaehltesLayout(const Call &call)
{
    const std::optional<QString> name = call.option(QStringLiteral("layout"));
    const bool formular = call.isSet(QStringLiteral("formular"));
    if (name.has_value() == formular)
        throw UsageError(QStringLiteral("Bitte entweder --layout NAME oder --formular FORM.qvf "
                                        "angeben."));
    if (formular)
        return nullptr;
    const DruckLayout *layout = druckLayout(*name);
    if (!layout)
        throw UsageError(QStringLiteral("Unbekanntes Layout \"%1\". Möglich sind: %2.")
                             .arg(*name, layoutNamen().join(QStringLiteral(", "))));
    return layout;
}

// Prints a layout or a designed form without the preview into the format the output file's
// suffix names.
int drucken(Call &call)
{
    const QString ausgabe = call.value(QStringLiteral("o"));
    const int dpi = aufloesung(call.option(QStringLiteral("dpi")));
    const DruckLayout *layout = gewaehltesLayout(call);
    if (!report::isExportFormat(ausgabe))
        throw UsageError(QStringLiteral("Unbekanntes Ausgabeformat: %1 (möglich: %2)")
                             .arg(QDir::toNativeSeparators(ausgabe), kFormate));

    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const IniFile ini = einstellungsDatei(call.option(QStringLiteral("einstellungen")), call.err);

    const AufrufPasswort passwort(call);
    report::Document dokument;
    if (layout) {
        dokument = druckDokument(*layout, k.jahrPfad(), k.bildPfad(), ini);
    } else {
        // Messages while the form loads (a picture not found) go to the error stream.
        const ScopedStreamUi meldungen(call.err);
        dokument = designer::formularDokument(
            call.value(QStringLiteral("formular")), k.jahrPfad(), k.bildPfad(), ini);
    }
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
                                  "Spalten\", oder ein Kalenderformular (--formular); das "
                                  "Format folgt der Endung von DATEI (%1).")
                       .arg(kFormate),
        .arguments = { { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") } },
        .options = {
            { { QStringLiteral("layout") }, QStringLiteral("NAME"),
                QStringLiteral("das Layout, wie es das Menü nennt"), false },
            { { QStringLiteral("formular") }, QStringLiteral("FORM.qvf"),
                QStringLiteral("ein Kalenderformular, mit dem Kalender gefüllt, statt eines "
                               "Layouts"),
                false },
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
                             "\"Tagebuch\" ohne Monat druckt das ganze Jahr.\n"
                             "Statt eines Layouts druckt --formular ein Kalenderformular, mit "
                             "den Tagen des Kalenders gefüllt, etwa Jahresplaner.qvf, "
                             "Fotokalender.qvf oder Wochenplaner.qvf aus dem Ordner "
                             "Kalenderdaten des Programms. Genau eines von beiden angeben."),
        .run = drucken,
    };
}

} // namespace kb::cli
