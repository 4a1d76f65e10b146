#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "caldata/KalenderSperre.h"
#include "caldata/Schulferien.h"
#include "platform/Dateirechte.h"
#include "platform/ProgramDir.h"
#include "printing/DruckLayouts.h"
#include "report/export/Export.h"
#include "settings/KalenderIni.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace kb::cli {

namespace {

const char *const kDemoLayout = "1 Seite 12 Spalten";

QString landAusUmgebung()
{
    const QString land = qEnvironmentVariable("KRONOBLATT_LAND").trimmed();
    return land.isEmpty() ? QStringLiteral("Bayern") : land;
}

// The demo's own settings file: the program's settings with the school holidays of the
// demo's state and year, so the program's settings stay untouched.
// The file is made under a temporary name and takes its own name when it is complete, so a
// run killed halfway leaves no settings file without its school holidays.
void demoEinstellungen(const QString &pfad, const QString &land, int jahr)
{
    const QString neu = pfad + QStringLiteral(".kbneu");
    QFile::remove(neu);
    const QString programm = KalenderIni::read().settingsFilePath();
    if (QFile::exists(programm) && !QFile::copy(programm, neu))
        throw Error(QStringLiteral("Die Datei \"%1\" konnte nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(pfad)));
    IniFile ini(neu);
    const QString csv = schulferienDatei();
    const FerienPerioden perioden
        = csv.isEmpty() ? FerienPerioden {} : schulferien(csv, land, jahr);
    for (int i = 0; i < kFerienCount; ++i) {
        const QString name = ferienName(static_cast<Ferien>(i));
        ini.writeString(sectionFerien(), name + QStringLiteral("Beginn"), perioden[i].beginn);
        ini.writeString(sectionFerien(), name + QStringLiteral("Ende"), perioden[i].ende);
    }
    if (dateien::umbenennenOhneErsetzen(neu, pfad) != dateien::Umbenennung::Erledigt) {
        QFile::remove(neu);
        throw Error(QStringLiteral("Die Datei \"%1\" konnte nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(pfad)));
    }
}

// A few day texts, so the demo shows the coloured "Urlaub" and "Krank" lines: a week off
// from the first Monday of October and a sick day a week later. Holidays keep their names.
void beispielTexte(const QString &jahrTabelle, int jahr)
{
    QDate montag(jahr, 10, 1);
    while (montag.dayOfWeek() != 1)
        montag = montag.addDays(1);
    Table tage;
    tage.setFilePath(jahrTabelle);
    tage.open();
    for (tage.first(); !tage.eof(); tage.next()) {
        const qint64 abstand = montag.daysTo(tage.asDate(QStringLiteral("Datum")));
        const QString text = abstand >= 0 && abstand < 5 ? QStringLiteral("Urlaub")
            : abstand == 9                               ? QStringLiteral("Krank")
                                                         : QString();
        if (!text.isEmpty() && tage.asInt(QStringLiteral("Kennung")) == 0) {
            tage.setString(QStringLiteral("Text"), text);
            tage.post();
        }
    }
    tage.close();
}

// The headless main job: creates a demo calendar (once; later runs reuse it) and prints its
// year calendar on one page to PDF.
int demo(Call &call)
{
    const std::optional<QString> jahrText = call.option(QStringLiteral("jahr"));
    const int jahr = jahrText ? jahrArgument(*jahrText) : QDate::currentDate().year();
    const QString land = bundeslaender().at(
        bundeslandArgument(call.option(QStringLiteral("land")).value_or(landAusUmgebung())));

    const std::optional<QString> verzeichnis = call.option(QStringLiteral("verzeichnis"));
    QString dir
        = verzeichnis ? *verzeichnis : ProgramDir::calendarDataDir() + QStringLiteral("Demo");
    dir = QDir::cleanPath(QDir(dir).absolutePath()) + QLatin1Char('/');
    if (!QDir().mkpath(dir))
        throw Error(QStringLiteral("Das Verzeichnis \"%1\" konnte nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(dir)));
    const QString name = QStringLiteral("Demo%1-%2").arg(jahr).arg(land);
    const KalenderDatei k = KalenderDatei::neu(dir, name);

    // One lock from the generation to the settings file's last key.
    std::optional<KalenderSperre> sperre;
    sperre.emplace(k);
    if (QFile::exists(k.qvkPfad())) {
        call.out << "Demo-Kalender vorhanden: " << QDir::toNativeSeparators(k.qvkPfad()) << '\n';
    } else {
        AnlageEingaben e;
        e.name = QStringLiteral("Demo");
        e.vorname = QStringLiteral("Kronoblatt");
        e.land = land;
        e.verzeichnis = dir;
        e.datei = name;
        e.jahr = jahr;
        kalenderAnlegen(e);
        beispielTexte(k.jahrPfad(), jahr);
        call.out << "Demo-Kalender angelegt: " << QDir::toNativeSeparators(k.qvkPfad()) << '\n';
    }
    const QString iniPfad = dir + name + QStringLiteral(".ini");
    if (!QFile::exists(iniPfad))
        demoEinstellungen(iniPfad, land, jahr);
    sperre.reset();

    Session::removeAllPasswords();
    const IniFile ini(iniPfad);
    const report::Document doc = druckDokument(
        *druckLayout(QString::fromUtf8(kDemoLayout)), k.jahrPfad(), k.bildPfad(), ini);
    const QString pdf = dir + name + QStringLiteral(".pdf");
    report::exportDocument(doc, pdf);
    call.out << "Einstellungen: " << QDir::toNativeSeparators(iniPfad) << '\n'
             << "Jahreskalender \"" << kDemoLayout
             << "\" als PDF: " << QDir::toNativeSeparators(pdf) << '\n';
    return 0;
}

} // namespace

Command demoBefehl()
{
    return {
        .name = QStringLiteral("demo"),
        .summary = QStringLiteral("Legt einen Demo-Kalender an und druckt seinen Jahreskalender "
                                  "\"1 Seite 12 Spalten\" als PDF."),
        .arguments = {},
        .options = {
            { { QStringLiteral("verzeichnis") }, QStringLiteral("VERZ"),
                QStringLiteral("wohin Kalender, Einstellungen und PDF kommen; ohne diese Option "
                               "Kalenderdaten/Demo im Programmverzeichnis"),
                false },
            { { QStringLiteral("land") }, QStringLiteral("LAND"),
                QStringLiteral("0 bis 15 oder der Name des Bundeslands; ohne diese Option "
                               "KRONOBLATT_LAND, sonst Bayern"),
                false },
            { { QStringLiteral("jahr") }, QStringLiteral("JAHR"),
                QStringLiteral("1 bis 9999; ohne diese Option das laufende Jahr"), false },
        },
        .details = QStringLiteral("Ein vorhandener Demo-Kalender wird wieder verwendet. Die "
                                  "Einstellungen des Demo-Kalenders tragen die Schulferien des "
                                  "Landes, soweit das Programm sie kennt."),
        .run = demo,
    };
}

} // namespace kb::cli
