#include "app/cli/Cli.h"
#include "caldata/FeiertageUNIT.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "platform/ProgramDir.h"
#include "printing/DruckLayouts.h"
#include "report/export/Export.h"
#include "settings/KalenderIni.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace kb::cli {

namespace {

const char *const kDemoLayout = "1 Seite 12 Spalten";

QString landAusUmgebung()
{
    const QString land = qEnvironmentVariable("KRONOBLATT_LAND").trimmed();
    return land.isEmpty() ? QStringLiteral("Bayern") : land;
}

int jahrAusArgument(const std::optional<QString> &text)
{
    if (!text)
        return QDate::currentDate().year();
    bool ok = false;
    const int jahr = text->toInt(&ok);
    if (!ok || jahr < 1 || jahr > 9999)
        throw UsageError(QStringLiteral("Ungültiges Jahr: %1").arg(*text));
    return jahr;
}

// The school-holiday table installed with the program, if any.
QString schulferienDatei()
{
    for (const QString &dir : { ProgramDir::path(), QCoreApplication::applicationDirPath() }) {
        const QString pfad = QDir(dir).filePath(QStringLiteral("schulferien.csv"));
        if (QFile::exists(pfad))
            return pfad;
    }
    return {};
}

QString ddmm(const QDate &tag)
{
    return tag.toString(QStringLiteral("dd.MM."));
}

// Puts a period into its own slot, or into a free additional one.
void eintragen(FerienPerioden &perioden, Ferien slot, const QDate &von, const QDate &bis)
{
    for (Ferien f : { slot, Ferien::Zusatz, Ferien::Zusatz2 }) {
        FerienPeriode &p = perioden[static_cast<int>(f)];
        if (!p.isSet()) {
            p = { ddmm(von), ddmm(bis) };
            return;
        }
    }
}

Ferien slotFuer(const QString &art)
{
    if (art.startsWith(QLatin1String("Winter")))
        return Ferien::Winter;
    if (art.startsWith(QLatin1String("Oster")))
        return Ferien::Ostern;
    if (art.startsWith(QLatin1String("Pfingst")))
        return Ferien::Himmelfahrt;
    if (art.startsWith(QLatin1String("Sommer")))
        return Ferien::Sommer;
    if (art.startsWith(QLatin1String("Herbst")))
        return Ferien::Herbst;
    return Ferien::Zusatz;
}

// The school holidays of `land` in `jahr` from the installed table (lines
// "land;schuljahr;art;beginn;ende;..."): the Christmas holidays split into the days at the
// start of the year and those at its end.
FerienPerioden schulferien(const QString &csv, const QString &land, int jahr)
{
    FerienPerioden perioden;
    QFile file(csv);
    if (!file.open(QIODevice::ReadOnly))
        return perioden;
    const QStringList zeilen = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &zeile : zeilen) {
        const QStringList f = zeile.trimmed().split(QLatin1Char(';'));
        if (f.size() < 5 || f[0] != land)
            continue;
        const QDate von = QDate::fromString(f[3], QStringLiteral("dd.MM.yyyy"));
        const QDate bis = QDate::fromString(f[4], QStringLiteral("dd.MM.yyyy"));
        if (!von.isValid() || !bis.isValid() || bis < von)
            continue;
        if (f[2].startsWith(QLatin1String("Weihnacht"))) {
            if (von.year() < jahr && bis.year() == jahr)
                eintragen(perioden, Ferien::Weihnachten1, QDate(jahr, 1, 1), bis);
            else if (von.year() == jahr)
                eintragen(perioden, Ferien::Weihnachten2, von,
                    bis.year() == jahr ? bis : QDate(jahr, 12, 31));
        } else if (von.year() == jahr && bis.year() == jahr) {
            eintragen(perioden, slotFuer(f[2]), von, bis);
        }
    }
    return perioden;
}

// The demo's own settings file: the program's settings with the school holidays of the
// demo's state and year, so the program's settings stay untouched.
void demoEinstellungen(const QString &pfad, const QString &land, int jahr)
{
    const QString programm = KalenderIni::read().settingsFilePath();
    if (QFile::exists(programm) && !QFile::copy(programm, pfad))
        throw Error(QStringLiteral("Die Datei \"%1\" konnte nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(pfad)));
    IniFile ini(pfad);
    const QString csv = schulferienDatei();
    const FerienPerioden perioden
        = csv.isEmpty() ? FerienPerioden {} : schulferien(csv, land, jahr);
    for (int i = 0; i < kFerienCount; ++i) {
        const QString name = ferienName(static_cast<Ferien>(i));
        ini.writeString(sectionFerien(), name + QStringLiteral("Beginn"), perioden[i].beginn);
        ini.writeString(sectionFerien(), name + QStringLiteral("Ende"), perioden[i].ende);
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

} // namespace

// kronoblatt-cli demo [--verzeichnis DIR] [--land LAND] [--jahr JAHR]: the headless main job.
// Creates a demo calendar (once; later runs reuse it) and prints its year calendar on one page
// to PDF.
int cmdDemo(Io &io)
{
    Args args(io.args);
    const std::optional<QString> verzeichnis = args.option(QStringLiteral("--verzeichnis"));
    const std::optional<QString> landArg = args.option(QStringLiteral("--land"));
    const int jahr = jahrAusArgument(args.option(QStringLiteral("--jahr")));
    args.positional(0);

    const QString landText = landArg ? *landArg : landAusUmgebung();
    const int landIndex = bundeslandAusArgument(landText);
    if (landIndex < 0)
        throw UsageError(
            QStringLiteral("Unbekanntes Bundesland: %1 (0 bis 15 oder der Name)").arg(landText));
    const QString land = bundeslaender().at(landIndex);

    QString dir
        = verzeichnis ? *verzeichnis : ProgramDir::calendarDataDir() + QStringLiteral("Demo");
    dir = QDir::cleanPath(QDir(dir).absolutePath()) + QLatin1Char('/');
    if (!QDir().mkpath(dir))
        throw Error(QStringLiteral("Das Verzeichnis \"%1\" konnte nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(dir)));
    const QString name = QStringLiteral("Demo%1-%2").arg(jahr).arg(land);
    const KalenderDatei k = KalenderDatei::neu(dir, name);

    if (QFile::exists(k.qvkPfad())) {
        io.out << "Demo-Kalender vorhanden: " << QDir::toNativeSeparators(k.qvkPfad()) << '\n';
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
        io.out << "Demo-Kalender angelegt: " << QDir::toNativeSeparators(k.qvkPfad()) << '\n';
    }
    const QString iniPfad = dir + name + QStringLiteral(".ini");
    if (!QFile::exists(iniPfad))
        demoEinstellungen(iniPfad, land, jahr);

    Session::removeAllPasswords();
    const IniFile ini(iniPfad);
    const report::Document doc
        = druckDokument(*druckLayout(QString::fromUtf8(kDemoLayout)), k.jahrPfad(), ini);
    const QString pdf = dir + name + QStringLiteral(".pdf");
    report::exportDocument(doc, pdf);
    io.out << "Einstellungen: " << QDir::toNativeSeparators(iniPfad) << '\n'
           << "Jahreskalender \"" << kDemoLayout << "\" als PDF: " << QDir::toNativeSeparators(pdf)
           << '\n';
    return 0;
}

} // namespace kb::cli
