#include "caldata/KalenderAnlage.h"

#include "caldata/FeiertageUNIT.h"
#include "caldata/KalenderSperre.h"
#include "caldata/Schemas.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "platform/Haltepunkt.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace kb {

std::vector<TagDatensatz> tageDesJahres(int year, int state)
{
    std::vector<TagDatensatz> days;
    days.reserve(366);
    int n = 1;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31; ++d) {
            const QDate date(year, m, d);
            if (!date.isValid())
                continue;
            TagDatensatz t;
            t.nummer = n++;
            t.datum = date;
            t.tagNr = date.dayOfWeek();
            t.woche = date.weekNumber();
            QString name;
            FeiertageUNIT::feiertag(date, state, t.kennung, name);
            t.text = t.kennung != 0 ? name : QString();
            if (m == 12 && d == 4)
                t.text = QStringLiteral("Barbaratag");
            else if (m == 12 && d == 6)
                t.text = QStringLiteral("Nikolaus");
            t.monat = monatsnamen().at(m - 1);
            t.tag = wochentagKuerzel().at(t.tagNr - 1);
            t.monatNr = m;
            t.tagImMonat = d;
            days.push_back(std::move(t));
        }
    }
    return days;
}

QString dateinamenFehler(const QString &datei)
{
    static const QString verboten = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : datei) {
        if (c.unicode() < 0x20 || verboten.contains(c))
            return QStringLiteral("Der Dateiname „%1“ enthält ein Zeichen, das in "
                                  "Dateinamen nicht erlaubt ist (\\ / : * ? \" < > |).")
                .arg(datei);
    }
    // "." and ".." name directories, not files.
    if (!datei.isEmpty() && datei.count(QLatin1Char('.')) == datei.size())
        return QStringLiteral("„%1“ ist kein Dateiname. Bitte geben Sie einen Namen aus "
                              "Buchstaben oder Ziffern ein.")
            .arg(datei);
    return {};
}

QString eingabenPruefen(const AnlageEingaben &e)
{
    if (e.verzeichnis.isEmpty())
        return QStringLiteral("Sie müssen einen Verzeichnispfad auswählen !");
    if (e.datei.isEmpty())
        return QStringLiteral("Sie müssen einen Dateinamen eingeben !");
    const QString zeichen = dateinamenFehler(e.datei);
    if (!zeichen.isEmpty())
        return zeichen;
    const struct {
        const QString &text;
        const char *feld;
        int max;
    } laengen[]
        = { { e.name, "Name", 50 }, { e.vorname, "Vorname", 50 }, { e.land, "Bundesland", 30 } };
    for (const auto &l : laengen) {
        if (l.text.size() > l.max)
            return QStringLiteral("Der Eintrag für „%1“ ist zu lang (höchstens %2 Zeichen).")
                .arg(QString::fromLatin1(l.feld))
                .arg(l.max);
    }
    if (e.jahr < 1 || e.jahr > 9999)
        return QStringLiteral("Das Jahr %1 liegt nicht zwischen 1 und 9999.").arg(e.jahr);
    if (!QFileInfo(e.verzeichnis).isDir())
        return QStringLiteral("Das Verzeichnis „%1“ gibt es nicht.")
            .arg(QDir::toNativeSeparators(e.verzeichnis));
    return {};
}

namespace {

// An existing year table is the wizard's "Tabelle existiert bereits!". A calendar file or
// picture table left over without it is not replaced either; the message names that file.
void ablehnenWennVorhanden(const KalenderDatei &k)
{
    const QStringList vorhanden
        = QDir(k.directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
    auto finden = [&vorhanden](const QString &name) {
        for (const QString &f : vorhanden) {
            if (f.compare(name, Qt::CaseInsensitive) == 0)
                return f;
        }
        return QString();
    };
    if (!finden(k.jahrTabelle).isEmpty())
        throw Error(QStringLiteral("Tabelle existiert bereits!"));
    for (const QString &neu : { k.bildTabelle, k.qvk }) {
        const QString f = finden(neu);
        if (!f.isEmpty())
            throw Error(QStringLiteral("Die Datei „%1“ ist schon vorhanden; der Kalender wird "
                                       "nicht angelegt.")
                            .arg(QDir::toNativeSeparators(k.directory + f)));
    }
}

QString nichtAngelegt(const KalenderDatei &k, const QString &grund)
{
    return QStringLiteral("Der Kalender „%1“ konnte nicht angelegt werden. %2")
        .arg(QDir::toNativeSeparators(k.qvkPfad()), grund);
}

// The half-made calendar under temporary names; removes whatever is left of it. A mark
// beside the calendar names the temporary files before the first of them exists and the
// tables once they move into place, so that after a kill the next run on this calendar
// removes exactly what this generation made (see resteEntfernen).
class Baustelle {
public:
    explicit Baustelle(const KalenderDatei &ziel)
        : m_ziel(ziel)
        , m_marke(anlageMarke(ziel))
    {
        const QString tag = QString::number(QRandomGenerator::global()->generate(), 36);
        // Short and independent of the calendar's name, so a long name cannot make the
        // temporary names too long.
        m_prefix = anlagePraefix(tag);
        m_temp = KalenderDatei::neu(ziel.directory, m_prefix);
        try {
            markeErgaenzen(QLatin1String("tag ") + tag);
        } catch (...) {
            // The destructor does not run for a constructor that throws.
            QFile::remove(m_marke);
            throw;
        }
    }
    Baustelle(const Baustelle &) = delete;
    Baustelle &operator=(const Baustelle &) = delete;
    ~Baustelle()
    {
        if (!m_fertig) {
            // Only what this run moved into place; a file of that name made by anyone else
            // was never moved over (the rename does not replace).
            for (const QString &f : std::as_const(m_verschoben))
                QFile::remove(f);
        }
        // The temporary tables and whatever side files the engine left beside them.
        const QStringList reste = QDir(m_ziel.directory)
                                      .entryList({ m_prefix + QLatin1Char('*') },
                                          QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &f : reste)
            QFile::remove(m_ziel.directory + f);
        QFile::remove(m_marke);
    }

    const KalenderDatei &temp() const { return m_temp; }

    // Notes the tables before they move: the next run removes them only while they are
    // still these very files and the calendar file never followed.
    void tabellenVormerken()
    {
        markeErgaenzen(m_ziel.jahrTabelle + QLatin1Char(' ') + dateien::kennung(m_temp.jahrPfad())
            + QLatin1Char('\n') + m_ziel.bildTabelle + QLatin1Char(' ')
            + dateien::kennung(m_temp.bildPfad()));
    }

    void verschieben(const QString &von, const QString &nach)
    {
        if (dateien::umbenennenOhneErsetzen(von, nach) != dateien::Umbenennung::Erledigt)
            throw Error(QStringLiteral("Die Datei „%1“ konnte nicht angelegt werden.")
                            .arg(QDir::toNativeSeparators(nach)));
        m_verschoben.append(nach);
    }
    void fertig() { m_fertig = true; }

private:
    // Appends a line to the mark before the step it announces. A kill loses nothing the
    // system has been handed, so the mark is not flushed: that would cost every generation
    // a wait for the disk.
    void markeErgaenzen(const QString &zeilen)
    {
        try {
            appendToFile(m_marke, (zeilen + QLatin1Char('\n')).toUtf8());
        } catch (const FileWriteError &e) {
            throw Error(nichtAngelegt(m_ziel, e.reason()));
        }
    }

    KalenderDatei m_ziel;
    KalenderDatei m_temp;
    QString m_marke;
    QString m_prefix;
    QStringList m_verschoben;
    bool m_fertig = false;
};

// Writes the new calendar file `temp` of the calendar `ziel`.
void kalenderdateiSchreiben(const QString &temp, const KalenderDatei &ziel, const AnlageEingaben &e)
{
    try {
        appendToFile(temp, toCp1252(kalenderdateiZeile(e.name, e.vorname)));
    } catch (const FileWriteError &error) {
        throw Error(QStringLiteral("Die Kalenderdatei „%1“ konnte nicht geschrieben werden. %2")
                        .arg(QDir::toNativeSeparators(ziel.qvkPfad()), error.reason()));
    }
}

// A failure while the new tables are filled, told with the names of the calendar's own files
// rather than those of their temporary copies.
Error mitKalenderNamen(const Error &error, const KalenderDatei &temp, const KalenderDatei &ziel)
{
    QString text = error.message();
    const std::pair<QString, QString> namen[] = {
        { temp.jahrPfad(), ziel.jahrPfad() },
        { temp.bildPfad(), ziel.bildPfad() },
        { temp.qvkPfad(), ziel.qvkPfad() },
    };
    for (const auto &[von, nach] : namen) {
        text.replace(QDir::toNativeSeparators(von), QDir::toNativeSeparators(nach));
        text.replace(QFileInfo(von).fileName(), QFileInfo(nach).fileName());
    }
    return Error(text);
}

void melden(const AnlageFortschritt &f, int position, const QString &status)
{
    if (f)
        f(position, status);
}

int jahrTabelleFuellen(
    const QString &path, const AnlageEingaben &e, int state, const AnlageFortschritt &fortschritt)
{
    Table table;
    table.setFilePath(path);
    melden(fortschritt, 0, QStringLiteral("Tabelle anlegen....."));
    Schemas::anlegen(table, Schemas::jahrTabelle());
    table.open();
    table.disableControls();
    // All days reach the file in one transaction; a failure leaves none of them. The table
    // has a temporary name until it is complete, so its journal can stay in memory.
    table.startTransaction(Table::Journal::InMemory);
    const QString status = QStringLiteral("Datensätze für die Tage werden gefüllt .....");
    int n = 0;
    for (const TagDatensatz &t : tageDesJahres(e.jahr, state)) {
        table.append();
        table.setInt(QStringLiteral("Nummer"), t.nummer);
        table.setDate(QStringLiteral("Datum"), t.datum);
        table.setDate(QStringLiteral("DatumLang"), t.datum);
        table.setString(QStringLiteral("Monat"), t.monat);
        table.setInt(QStringLiteral("Woche"), t.woche);
        table.setString(QStringLiteral("Tag"), t.tag);
        table.setInt(QStringLiteral("MonatNr"), t.monatNr);
        table.setInt(QStringLiteral("TagNr"), t.tagNr);
        table.setInt(QStringLiteral("Kennung"), t.kennung);
        table.setString(QStringLiteral("Text"), t.text);
        table.setInt(QStringLiteral("TagimMonat"), t.tagImMonat);
        table.setString(QStringLiteral("Name"), e.name);
        table.setString(QStringLiteral("Vorname"), e.vorname);
        table.setString(QStringLiteral("BLand"), e.land);
        table.post();
        n = t.nummer;
        melden(fortschritt, std::min(n / 3, 100), status);
    }
    table.commit();
    table.enableControls();
    table.close();
    return n;
}

void bildTabelleFuellen(const QString &path, const AnlageFortschritt &fortschritt)
{
    melden(fortschritt, 100, QStringLiteral("Detailtabelle wird angelegt...."));
    Table table;
    table.setFilePath(path);
    Schemas::anlegen(table, Schemas::bildTabelle());
    table.open();
    table.startTransaction(Table::Journal::InMemory);
    for (int m = 1; m <= 12; ++m) {
        table.append();
        table.setInt(QStringLiteral("DetailNR"), m);
        table.setInt(QStringLiteral("MonatNR"), m);
        table.post();
    }
    table.commit();
    table.close();
}

} // namespace

int landIndexFuer(const QString &land, int vorher)
{
    const int index = bundeslandIndex(land);
    return index >= 0 ? index : vorher;
}

QString fertigMeldung(int year, int days)
{
    return QStringLiteral("Kalender - Tabellen wurde angelegt !\n\rFür das Jahr %1 wurden : %2 "
                          "Tage angelegt.   ")
        .arg(year)
        .arg(days);
}

AnlageErgebnis kalenderAnlegen(const AnlageEingaben &e, const AnlageFortschritt &fortschritt)
{
    if (const QString problem = eingabenPruefen(e); !problem.isEmpty())
        throw Error(problem);
    AnlageErgebnis result;
    result.dateien = KalenderDatei::neu(e.verzeichnis, e.datei);
    // Held until the calendar file is in place; taking it removes what a killed generation
    // of this calendar left, so that it does not count as existing.
    const KalenderSperre sperre(result.dateien);
    ablehnenWennVorhanden(result.dateien);

    result.landIndex = landIndexFuer(e.land, e.landVorher);

    Baustelle bau(result.dateien);
    const KalenderDatei &temp = bau.temp();
    try {
        kalenderdateiSchreiben(temp.qvkPfad(), result.dateien, e);
        result.tage = jahrTabelleFuellen(temp.jahrPfad(), e, result.landIndex, fortschritt);
        bildTabelleFuellen(temp.bildPfad(), fortschritt);
    } catch (const Error &error) {
        throw mitKalenderNamen(error, temp, result.dateien);
    }

    // The calendar file moves last: until it is there, the tables are the leftovers of an
    // unfinished generation, which the next run removes.
    bau.tabellenVormerken();
    haltepunkt("anlegen-tabellen-fertig");
    bau.verschieben(temp.jahrPfad(), result.dateien.jahrPfad());
    haltepunkt("anlegen-jahr-verschoben");
    bau.verschieben(temp.bildPfad(), result.dateien.bildPfad());
    haltepunkt("anlegen-bild-verschoben");
    bau.verschieben(temp.qvkPfad(), result.dateien.qvkPfad());
    bau.fertig();
    haltepunkt("anlegen-kalender-verschoben");

    result.meldung = fertigMeldung(e.jahr, result.tage);
    return result;
}

} // namespace kb
