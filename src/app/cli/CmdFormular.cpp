#include "app/cli/Cli.h"
#include "app/cli/StreamUi.h"
#include "designer/FormSummary.h"
#include "designer/Formular.h"

#include <QDir>
#include <QFileInfo>

namespace kb::cli {

namespace {

// A form file's overview, or the form loaded as the designer loads it and saved again.
int formular(Call &call)
{
    const QString source = call.argument(0);
    // The designer offers to start a new form here; a command line reports the missing file,
    // so that a mistyped name never turns into an empty form.
    if (!QFileInfo::exists(source)) {
        throw Error(QStringLiteral("Die Formulardatei %1 existiert nicht.")
                        .arg(QDir::toNativeSeparators(source)));
    }

    designer::Formular form;
    {
        ScopedStreamUi messages(call.err);
        form.load(source);
    }
    if (const std::optional<QString> target = call.option(QStringLiteral("speichern"))) {
        form.save(*target);
        call.out << "Gespeichert: " << QDir::toNativeSeparators(*target) << " ("
                 << form.records().size() << " Sätze)\n";
        return 0;
    }
    call.out << "Formular: " << QDir::toNativeSeparators(source) << '\n';
    for (const QString &line : designer::formSummary(form))
        call.out << line << '\n';
    return 0;
}

} // namespace

Command formularBefehl()
{
    return {
        .name = QStringLiteral("formular"),
        .summary = QStringLiteral("Zeigt eine Übersicht eines Kalenderformulars: Elemente je "
                                  "Band, Seite, Papier und Spalten."),
        .arguments = { { QStringLiteral("EIN.qvf"), QStringLiteral("die Formulardatei") } },
        .options = { { { QStringLiteral("speichern") }, QStringLiteral("AUS.qvf"),
            QStringLiteral("lädt das Formular wie der Formular-Editor und speichert es als "
                           "AUS.qvf, statt die Übersicht zu zeigen"),
            false } },
        .details = QStringLiteral("Fehlende Bilder des Formulars werden gemeldet; sie bleiben "
                                  "mit ihrem Pfad im Formular. Eine beschädigte Formulardatei "
                                  "wird abgelehnt, es wird nichts geschrieben."),
        .run = formular,
    };
}

} // namespace kb::cli
