#include "caldata/Schulferien.h"

#include "caldata/FeiertageUNIT.h"
#include "platform/Error.h"
#include "platform/Logging.h"
#include "platform/ProgramDir.h"
#include "settings/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace kb {

namespace {

QDate datum(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
}

QString ddmm(const QDate &tag)
{
    return tag.toString(QStringLiteral("dd.MM."));
}

QString ddmmyyyy(const QDate &tag)
{
    return tag.toString(QStringLiteral("dd.MM.yyyy"));
}

// "2025/26" → 2025; 0 when the text is no school year.
int schuljahrAus(const QString &text)
{
    static const QRegularExpression muster(QStringLiteral("^\\s*(\\d{4})\\s*/\\s*\\d{2,4}\\s*$"));
    const QRegularExpressionMatch m = muster.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

bool ja(const QString &text)
{
    return text.trimmed().compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0;
}

// The settings file's period for a kind of holidays ("Sommerferien", "Winterferien
// [Halbjahresferien]" ...); single days and other kinds go into the additional periods.
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

// A part of a holiday line that lies in the year being filled.
struct Kandidat {
    Ferien slot;
    QDate von;
    QDate bis;
    const SchulferienEintrag *eintrag;
};

// Puts a period into its own slot, or into a free additional one.
void eintragen(FerienTermine &termine, const Kandidat &k)
{
    for (Ferien f : { k.slot, Ferien::Zusatz, Ferien::Zusatz2 }) {
        const int i = static_cast<int>(f);
        if (!termine.perioden[i].isSet()) {
            termine.perioden[i] = { ddmm(k.von), ddmm(k.bis) };
            termine.vorlaeufig[i] = k.eintrag->vorlaeufig();
            return;
        }
    }
    termine.ausgelassen.append(
        QStringLiteral("%1 bis %2 (%3)").arg(ddmmyyyy(k.von), ddmmyyyy(k.bis), k.eintrag->art));
}

// The periods of `land` in `jahr`, without the check for complete data.
FerienTermine verteilen(const SchulferienTabelle &tabelle, const QString &land, int jahr)
{
    const QDate jahresBeginn(jahr, 1, 1);
    const QDate jahresEnde(jahr, 12, 31);
    QList<Kandidat> kandidaten;
    for (const SchulferienEintrag &e : tabelle.eintraege) {
        if (e.land != land)
            continue;
        if (e.art.startsWith(QLatin1String("Weihnacht"))) {
            // Christmas holidays span the turn of the year: the part in `jahr` counts, at
            // the start of the year or at its end.
            const QDate von = std::max(e.beginn, jahresBeginn);
            const QDate bis = std::min(e.ende, jahresEnde);
            if (von <= bis)
                kandidaten.append({ bis.month() <= 6 ? Ferien::Weihnachten1 : Ferien::Weihnachten2,
                    von, bis, &e });
        } else if (e.beginn.year() == jahr && e.ende.year() == jahr) {
            kandidaten.append(
                { e.einzelnerTag() ? Ferien::Zusatz : slotFuer(e.art), e.beginn, e.ende, &e });
        }
    }
    std::stable_sort(kandidaten.begin(), kandidaten.end(),
        [](const Kandidat &a, const Kandidat &b) { return a.von < b.von; });
    FerienTermine termine;
    for (const Kandidat &k : kandidaten)
        eintragen(termine, k);
    return termine;
}

} // namespace

bool SchulferienEintrag::einzelnerTag() const
{
    return art.startsWith(QLatin1String("Einzel"));
}

QString schulferienDatei()
{
    for (const QString &dir : { ProgramDir::path(), QCoreApplication::applicationDirPath() }) {
        const QString pfad = QDir(dir).filePath(QStringLiteral("schulferien.csv"));
        if (QFile::exists(pfad))
            return pfad;
    }
    return {};
}

SchulferienTabelle SchulferienTabelle::lesen(const QString &csvPfad)
{
    QFile file(csvPfad);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.")
                        .arg(QDir::toNativeSeparators(csvPfad)));
    return ausText(QString::fromUtf8(file.readAll()));
}

SchulferienTabelle SchulferienTabelle::ausText(const QString &text)
{
    SchulferienTabelle tabelle;
    bool kopfZeilen = true;
    const QStringList zeilen = text.split(QLatin1Char('\n'));
    for (const QString &roh : zeilen) {
        QString zeile = roh.trimmed();
        if (zeile.startsWith(QChar(0xFEFF)))
            zeile.remove(0, 1);
        if (zeile.startsWith(QLatin1Char('#'))) {
            if (kopfZeilen)
                tabelle.kopf.append(zeile.mid(1).trimmed());
            continue;
        }
        if (zeile.isEmpty())
            continue;
        kopfZeilen = false;
        const QStringList f = zeile.split(QLatin1Char(';'));
        if (f.size() < 5) {
            qCDebug(lcCaldata) << "school-holiday line skipped:" << zeile;
            continue;
        }
        SchulferienEintrag e;
        e.land = f[0].trimmed();
        e.schuljahr = schuljahrAus(f[1]);
        e.art = f[2].trimmed();
        e.beginn = datum(f[3]);
        e.ende = datum(f[4]);
        // A line without the flag columns counts as confirmed and undisputed.
        e.bestaetigt = f.size() < 6 || ja(f[5]);
        e.umstritten = f.size() >= 7 && ja(f[6]);
        e.quelle = f.size() >= 8 ? f[7].trimmed() : QString();
        if (e.schuljahr == 0 || !e.beginn.isValid() || !e.ende.isValid() || e.ende < e.beginn) {
            // The column line ends up here as well.
            qCDebug(lcCaldata) << "school-holiday line skipped:" << zeile;
            continue;
        }
        tabelle.eintraege.append(e);
    }
    return tabelle;
}

QStringList SchulferienTabelle::laender() const
{
    QStringList result;
    for (const QString &land : bundeslaender()) {
        if (std::any_of(eintraege.begin(), eintraege.end(),
                [&](const SchulferienEintrag &e) { return e.land == land; }))
            result.append(land);
    }
    return result;
}

bool SchulferienTabelle::hatSchuljahr(const QString &land, int schuljahr) const
{
    return std::any_of(eintraege.begin(), eintraege.end(),
        [&](const SchulferienEintrag &e) { return e.land == land && e.schuljahr == schuljahr; });
}

QList<int> SchulferienTabelle::vollstaendigeJahre(const QString &land) const
{
    QList<int> schuljahre;
    for (const SchulferienEintrag &e : eintraege) {
        if (e.land == land && !schuljahre.contains(e.schuljahr))
            schuljahre.append(e.schuljahr);
    }
    QList<int> jahre;
    for (int s : schuljahre) {
        if (schuljahre.contains(s + 1))
            jahre.append(s + 1);
    }
    std::sort(jahre.begin(), jahre.end());
    return jahre;
}

QString vorlaeufigeTermine()
{
    return QStringLiteral("vorläufige Termine – bitte prüfen");
}

FerienTermine ferientermine(const SchulferienTabelle &tabelle, const QString &land, int jahr)
{
    if (!tabelle.hatSchuljahr(land, jahr - 1) || !tabelle.hatSchuljahr(land, jahr)) {
        FerienTermine leer;
        const QList<int> jahre = tabelle.vollstaendigeJahre(land);
        if (jahre.isEmpty()) {
            leer.meldung
                = QStringLiteral("Für %1 enthält die Schulferien-Tabelle keine Termine.").arg(land);
        } else {
            leer.meldung = QStringLiteral("Für %1 liegen für das Jahr %2 keine vollständigen "
                                          "Schulferien-Termine vor (vorhanden: %3 bis %4).")
                               .arg(land)
                               .arg(jahr)
                               .arg(jahre.first())
                               .arg(jahre.last());
        }
        return leer;
    }
    FerienTermine termine = verteilen(tabelle, land, jahr);
    termine.vorhanden = true;
    return termine;
}

FerienTermine ferientermine(const QString &land, int jahr)
{
    const QString pfad = schulferienDatei();
    if (pfad.isEmpty()) {
        FerienTermine leer;
        leer.meldung = QStringLiteral("Die Schulferien-Tabelle \"schulferien.csv\" ist im "
                                      "Programmverzeichnis nicht vorhanden.");
        return leer;
    }
    return ferientermine(SchulferienTabelle::lesen(pfad), land, jahr);
}

void ferienSchreiben(const QString &iniPfad, const FerienPerioden &perioden)
{
    IniFile ini(iniPfad);
    if (const QString problem = ini.problem(); !problem.isEmpty())
        throw Error(problem);
    if (!ini.exists())
        throw Error(
            QStringLiteral("Datei %1 nicht vorhanden!").arg(QDir::toNativeSeparators(iniPfad)));
    // The eighteen keys go into the file with one write: all of them or none.
    std::vector<IniFile::Entry> eintraege;
    for (int i = 0; i < kFerienCount; ++i) {
        const QString name = ferienName(static_cast<Ferien>(i));
        eintraege.push_back(
            { sectionFerien(), name + QStringLiteral("Beginn"), perioden[i].beginn });
        eintraege.push_back({ sectionFerien(), name + QStringLiteral("Ende"), perioden[i].ende });
    }
    ini.writeEntries(eintraege);
}

FerienPerioden schulferien(const QString &csvPfad, const QString &land, int jahr)
{
    return verteilen(SchulferienTabelle::lesen(csvPfad), land, jahr).perioden;
}

} // namespace kb
