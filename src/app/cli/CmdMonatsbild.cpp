#include "app/cli/AufrufPasswort.h"
#include "app/cli/Cli.h"
#include "caldata/KalenderDatei.h"
#include "caldata/KalenderSperre.h"
#include "caldata/Sicherungen.h"
#include "pictures/Bildregeln.h"
#include "pictures/Monatstext.h"
#include "storage/Table.h"

#include <QDir>
#include <QFileInfo>

namespace kb::cli {

namespace {

int monatArgument(const QString &text)
{
    try {
        return zahlArgument(text, 1, 12, QStringLiteral("Der Monat"));
    } catch (const UsageError &e) {
        // A month outside 1 to 12 is refused like a bad picture: the calendar stays as it is.
        throw Error(e.message());
    }
}

// Stores a month's picture (and text) as the picture browser and the texts page do. The
// picture and the text are read before the calendar is touched, so a bad file changes nothing.
int monatsbild(Call &call)
{
    const int monat = monatArgument(call.argument(1));
    const KalenderDatei k = KalenderDatei::vorhanden(call.argument(0));
    const QString bildPfad = call.argument(2);
    const QImage bild = monatsbildAusDatei(bildPfad);
    const std::optional<QString> textDatei = call.option(QStringLiteral("text"));
    const std::optional<QString> text
        = textDatei ? std::optional<QString>(monatstextLesen(*textDatei)) : std::nullopt;
    const AufrufPasswort passwort(call);

    // No password rewrite of another program may replace the table under this change.
    const KalenderSperre sperre(k);
    Sicherungen::vorAenderung(k);
    Table bilder;
    bilder.setFilePath(k.bildPfad());
    // A write that fails (a full disk) leaves the table byte for byte as it was.
    bilder.setKeepsBytesOnFailure(true);
    bilder.open();
    if (!bilder.locate(QStringLiteral("Nr"), monat))
        throw Error(QStringLiteral("Der Kalender hat keinen Eintrag für den Monat %1.").arg(monat));
    bilder.edit();
    bilder.setImage(QStringLiteral("Bild"), bild);
    if (text)
        bilder.setValue(QStringLiteral("TextMonat"), *text);
    bilder.post();
    bilder.close();
    call.out << QStringLiteral("Monat %1: Bild %2 (%3 × %4)")
                    .arg(monat)
                    .arg(QFileInfo(bildPfad).fileName())
                    .arg(bild.width())
                    .arg(bild.height());
    if (text)
        call.out << QStringLiteral(" und Text %1 (%2 Zeichen)")
                        .arg(QFileInfo(*textDatei).fileName())
                        .arg(text->size());
    call.out << QStringLiteral(" gespeichert.\n");
    return 0;
}

} // namespace

Command monatsbildBefehl()
{
    return {
        .name = QStringLiteral("monatsbild"),
        .summary = QStringLiteral("Speichert das Bild (und den Text) eines Monats wie die "
                                  "Bild-Auswahl: 640 × 480 oder 480 × 640, gestreckt."),
        .arguments = {
            { QStringLiteral("KALENDER.QVK"), QStringLiteral("die Kalenderdatei") },
            { QStringLiteral("MONAT"), QStringLiteral("der Monat, 1 bis 12") },
            { QStringLiteral("BILD"), QStringLiteral("eine JPEG- oder Bitmap-Datei") },
        },
        .options = {
            { { QStringLiteral("text") }, QStringLiteral("DATEI"),
                QStringLiteral("eine Textdatei als Text des Monats"), false },
            passwortOption(),
        },
        .details = QStringLiteral("Quadratische Bilder werden hochkant gespeichert. Eine "
                                  "Textdatei, die kein gültiges UTF-8 ist, wird als "
                                  "Windows-1252 gelesen; ihr Inhalt bleibt genau erhalten."),
        .run = monatsbild,
    };
}

} // namespace kb::cli
