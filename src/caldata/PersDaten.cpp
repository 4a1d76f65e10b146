#include "caldata/PersDaten.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "caldata/Schemas.h"
#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "storage/Table.h"
#include "storage/Transaktion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <utility>
#include <vector>

namespace kb {

namespace {

QString ordner(const QString &directory)
{
    QString d = QDir::fromNativeSeparators(directory);
    if (!d.isEmpty() && !d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

// The name of the file in `directory` that equals `name` without regard to letter case;
// empty when there is none.
QString vorhandeneDatei(const QString &directory, const QString &name)
{
    const QStringList dateien
        = QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &f : dateien) {
        if (f.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    }
    return {};
}

QString ddmm(int tag, int monat)
{
    return QStringLiteral("%1.%2.")
        .arg(tag, 2, 10, QLatin1Char('0'))
        .arg(monat, 2, 10, QLatin1Char('0'));
}

// Suspends the views of a table while alive.
class ViewsSuspended {
public:
    explicit ViewsSuspended(Table &table)
        : m_table(table)
    {
        m_table.disableControls();
    }
    ~ViewsSuspended() { m_table.enableControls(); }
    ViewsSuspended(const ViewsSuspended &) = delete;
    ViewsSuspended &operator=(const ViewsSuspended &) = delete;

private:
    Table &m_table;
};

} // namespace

PersDatei PersDatei::ausPer(const QString &path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    PersDatei p;
    p.directory = ordner(info.absolutePath());
    p.per = info.fileName();
    p.tabelle = p.per.left(p.per.size() - 4) + QStringLiteral(".DB");
    return p;
}

PersDatei PersDatei::neu(const QString &directory, const QString &name)
{
    PersDatei p;
    p.directory = ordner(directory);
    p.per = name + QStringLiteral(".PER");
    p.tabelle = name + QStringLiteral(".DB");
    return p;
}

bool PersDatei::istPersDatei(const QString &path)
{
    return path.endsWith(QLatin1String(".PER")) || path.endsWith(QLatin1String(".per"));
}

QString persDateiZeile(const QString &name, const QString &vorname)
{
    return QStringLiteral("RI-DOZU Kronoblatt persönliche Daten ") + QLatin1String(kWebadresse)
        + QStringLiteral(" Kronoblatt angelegt von : ") + name + QLatin1Char(',') + vorname
        + QStringLiteral("\r\n");
}

QString persEingabenPruefen(const PersEingaben &e)
{
    if (e.verzeichnis.trimmed().isEmpty())
        return QStringLiteral("Sie müssen einen Verzeichnispfad auswählen !");
    if (e.datei.trimmed().isEmpty())
        return QStringLiteral("Sie müssen einen Dateinamen eingeben !");
    if (e.datei.front().isDigit())
        return QStringLiteral("Zahlen am Anfang des Dateinamens sind nicht erlaubt !");
    if (e.datei.contains(QLatin1Char('.')))
        return QStringLiteral("Bitte geben Sie den Dateinamen ohne Dateierweiterung ein !");
    const QString zeichen = dateinamenFehler(e.datei);
    if (!zeichen.isEmpty())
        return zeichen;
    if (!QFileInfo(e.verzeichnis).isDir())
        return QStringLiteral("Das Verzeichnis „%1“ gibt es nicht.")
            .arg(QDir::toNativeSeparators(e.verzeichnis));
    const PersDatei p = PersDatei::neu(e.verzeichnis, e.datei);
    if (!vorhandeneDatei(p.directory, p.tabelle).isEmpty()
        || !vorhandeneDatei(p.directory, p.per).isEmpty())
        return QStringLiteral("Tabelle existiert bereits!");
    return {};
}

PersDatei persDatenAnlegen(const PersEingaben &e)
{
    const QString fehler = persEingabenPruefen(e);
    if (!fehler.isEmpty())
        throw Error(fehler);
    const PersDatei p = PersDatei::neu(e.verzeichnis, e.datei);

    writeFileAtomically(p.perPfad(), toCp1252(persDateiZeile(e.name, e.vorname)));
    try {
        Table tabelle;
        tabelle.setFilePath(p.tabellenPfad());
        const TableSchema schema = Schemas::persTabelle();
        tabelle.create(schema.fields, schema.indexes);
    } catch (const Error &) {
        QFile::remove(p.perPfad());
        throw;
    }
    return p;
}

QString keineDatenZumEintragen()
{
    return QStringLiteral(
        "Kein Kalender geöffnet um Daten einzutragen oder keine Daten zum Eintragen vorhanden !");
}

QString datenUebernommen()
{
    return QStringLiteral("Daten wurden in Kalender übernommen !");
}

QString PersUebernahme::meldung() const
{
    if (ausgelassen.isEmpty())
        return datenUebernommen();
    return datenUebernommen() + QStringLiteral("\r\nNicht übernommen: ")
        + ausgelassen.join(QStringLiteral("; "));
}

PersUebernahme persDatenUebernehmen(Table &jahr, Table &pers)
{
    if (pers.isOpen() && pers.isModified())
        pers.post();
    if (!jahr.isOpen() || !pers.isOpen() || pers.isEmpty() || jahr.isEmpty())
        throw Error(keineDatenZumEintragen());

    const int jahrZahl = jahr.asDate(QStringLiteral("Datum")).year();
    // The whole year, whatever month the views showed.
    if (jahr.filtered())
        jahr.setFiltered(false);
    PersUebernahme ergebnis;

    // The personal dates in month-then-day order (entries of one day in table order); the
    // first entry for a day wins.
    struct Eintrag {
        int tag;
        int monat;
        QString text;
    };
    std::vector<Eintrag> eintraege;
    {
        const Bookmark merker = pers.bookmark();
        ViewsSuspended still(pers);
        for (pers.first(); !pers.eof(); pers.next())
            eintraege.push_back({ pers.asInt(QStringLiteral("FracTag")),
                pers.asInt(QStringLiteral("FracMonat")), pers.asString(QStringLiteral("Text")) });
        pers.gotoBookmark(merker);
    }
    std::stable_sort(eintraege.begin(), eintraege.end(), [](const Eintrag &a, const Eintrag &b) {
        return std::pair(a.monat, a.tag) < std::pair(b.monat, b.tag);
    });
    QHash<QDate, QString> texte;
    for (const Eintrag &e : eintraege) {
        const QDate datum(jahrZahl, e.monat, e.tag);
        const QString wer = ddmm(e.tag, e.monat) + QLatin1Char(' ') + e.text;
        if (!datum.isValid())
            ergebnis.ausgelassen.append(wer + QStringLiteral(" (gibt es %1 nicht)").arg(jahrZahl));
        else if (texte.contains(datum))
            ergebnis.ausgelassen.append(wer + QStringLiteral(" (zweiter Eintrag für den Tag)"));
        else
            texte.insert(datum, e.text);
    }

    ViewsSuspended still(jahr);
    try {
        Transaktion transaktion(jahr);
        for (jahr.first(); !jahr.eof(); jahr.next()) {
            const auto it = texte.constFind(jahr.asDate(QStringLiteral("Datum")));
            if (it == texte.constEnd())
                continue;
            jahr.edit();
            jahr.setString(QStringLiteral("Text"), *it);
            jahr.post();
            ++ergebnis.geschrieben;
        }
        transaktion.commit();
    } catch (...) {
        // Nothing was written; the cursor goes back to the first day all the same.
        jahr.first();
        throw;
    }
    jahr.first();
    return ergebnis;
}

} // namespace kb
