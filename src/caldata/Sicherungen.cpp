#include "caldata/Sicherungen.h"

#include "caldata/KalenderSperre.h"
#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "platform/Haltepunkt.h"
#include "platform/ProgramDir.h"
#include "platform/Ui.h"
#include "storage/TableFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace kb::Sicherungen {

namespace {

const QString kZeitFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");
const QString kUnfertig = QStringLiteral(".unfertig-");
// In each copy: its checksum of the tables and the number of day texts.
const QString kInfo = QStringLiteral("Sicherungskopie.txt");
// In each calendar's folder: the year table the copies belong to.
const QString kHerkunft = QStringLiteral("Kalender.txt");
constexpr int kLetzte = 10;
constexpr int kMonate = 12;

// Who the copies belong to: the year table, whatever the calendar file's extension's case.
QString absolut(const KalenderDatei &k)
{
    return QFileInfo(k.jahrPfad()).absoluteFilePath();
}

QString herkunftLesen(const QString &ordner)
{
    QFile f(ordner + kHerkunft);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll()).trimmed();
}

void dateiSchreiben(const QString &pfad, const QByteArray &inhalt)
{
    QFile f(pfad);
    if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size() || !dateien::sichern(f))
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
                        .arg(QDir::toNativeSeparators(pfad)));
}

// The checksum of both tables' bytes: it tells whether they changed since a copy.
QByteArray pruefsumme(const KalenderDatei &k)
{
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    for (const QString &pfad : { k.jahrPfad(), k.bildPfad() }) {
        if (pfad == k.bildPfad() && !QFileInfo::exists(pfad))
            continue;
        QFile f(pfad);
        if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
            throw Error(QStringLiteral("Die Tabelle \"%1\" kann nicht gelesen werden.")
                            .arg(QDir::toNativeSeparators(pfad)));
        hash.addData(QByteArrayView("|"));
    }
    return hash.result().toHex();
}

struct Info {
    QByteArray pruefsumme;
    qint64 tagestexte = 0;
};

Info infoLesen(const QString &kopie)
{
    Info info;
    QFile f(kopie + kInfo);
    if (!f.open(QIODevice::ReadOnly))
        return info;
    for (const QByteArray &zeile : f.readAll().split('\n')) {
        if (zeile.startsWith("pruefsumme="))
            info.pruefsumme = zeile.mid(11).trimmed();
        else if (zeile.startsWith("tagestexte="))
            info.tagestexte = zeile.mid(11).trimmed().toLongLong();
    }
    return info;
}

// The time a copy's folder name states; invalid for other folders.
QDateTime zeitAusName(const QString &name)
{
    return QDateTime::fromString(name.left(kZeitFormat.size()), kZeitFormat);
}

QString freierName(const QString &ordner, const QDateTime &jetzt)
{
    const QString basis = jetzt.toString(kZeitFormat);
    QString name = basis;
    for (int n = 2;
         QFileInfo::exists(ordner + name) || QFileInfo::exists(ordner + kUnfertig + name); ++n)
        name = basis + QLatin1Char('_') + QString::number(n);
    return name;
}

QString ordnerAnlegen(const KalenderDatei &k)
{
    const QString ordner = Sicherungen::ordner(k);
    if (!QDir().mkpath(ordner))
        throw Error(QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(ordner)));
    if (herkunftLesen(ordner).isEmpty())
        dateiSchreiben(ordner + kHerkunft, absolut(k).toUtf8() + '\n');
    return ordner;
}

// What killed or failed copies left: hidden folders that were never renamed.
void unfertigeEntfernen(const QString &ordner)
{
    const QStringList reste
        = QDir(ordner).entryList({ kUnfertig + QLatin1Char('*') }, QDir::Dirs | QDir::Hidden);
    for (const QString &rest : reste)
        QDir(ordner + rest).removeRecursively();
}

void kopieSchreiben(const KalenderDatei &k, const QString &ziel, const QByteArray &summe)
{
    if (!QDir().mkpath(ziel))
        throw Error(QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                        .arg(QDir::toNativeSeparators(ziel)));
    const qint64 texte
        = tablefile::backupCopy(k.jahrPfad(), ziel + k.jahrTabelle, QStringLiteral("Text"));
    haltepunkt("sicherung-jahr-kopiert");
    // A calendar whose picture table is lost still has its days, and they are copied.
    if (QFileInfo::exists(k.bildPfad()))
        tablefile::backupCopy(k.bildPfad(), ziel + k.bildTabelle);
    dateiSchreiben(
        ziel + kInfo, "pruefsumme=" + summe + "\ntagestexte=" + QByteArray::number(texte) + '\n');
    haltepunkt("sicherung-geschrieben");
}

void rotieren(const KalenderDatei &k, const QDateTime &jetzt)
{
    const QList<Sicherungskopie> alle = liste(k);
    QList<QDateTime> zeiten;
    for (const Sicherungskopie &s : alle)
        zeiten.append(s.zeit);
    const QList<bool> bleiben = behalten(zeiten, jetzt);
    for (qsizetype i = 0; i < alle.size(); ++i) {
        if (!bleiben.at(i))
            QDir(alle.at(i).pfad).removeRecursively();
    }
}

std::function<void(const QString &)> &meldungsFunktion()
{
    static std::function<void(const QString &)> f;
    return f;
}

QSet<QString> &gesichert()
{
    static QSet<QString> kalender;
    return kalender;
}

void kopieren(const QString &von, const QString &nach)
{
    QFile::remove(nach);
    if (!QFile::copy(von, nach)) {
        QFile::remove(nach);
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.")
                        .arg(QDir::toNativeSeparators(nach)));
    }
    tablefile::syncFile(nach);
}

// Keeps a copy of `tabelle` as "<tabelle>.kbalt", written under a temporary name first, so a
// copy of that name is always complete.
void altesBehalten(const QString &tabelle)
{
    const QString tmp = tabelle + QStringLiteral(".kbtmp");
    kopieren(tabelle, tmp);
    tablefile::replaceFile(tmp, tabelle + QStringLiteral(".kbalt"), true);
}

void einsetzen(const QString &neu, const QString &tabelle)
{
    const unsigned modus = dateien::modus(tabelle);
    tablefile::replaceFile(neu, tabelle, true);
    dateien::modusSetzen(tabelle, modus);
}

} // namespace

QString wurzel()
{
    return ProgramDir::path() + QStringLiteral("Sicherungen/");
}

QString ordner(const KalenderDatei &kalender)
{
    const QString name = kalender.jahrTabelle.left(kalender.jahrTabelle.size() - 3);
    const QString pfad = absolut(kalender);
    for (int n = 1;; ++n) {
        const QString ordner = wurzel() + name
            + (n == 1 ? QString() : QStringLiteral(" (%1)").arg(n)) + QLatin1Char('/');
        const QString herkunft = herkunftLesen(ordner);
        if (herkunft.isEmpty() || herkunft == pfad)
            return ordner;
    }
}

QList<Sicherungskopie> liste(const KalenderDatei &kalender)
{
    const QString ordner = Sicherungen::ordner(kalender);
    QList<Sicherungskopie> kopien;
    const QStringList namen = QDir(ordner).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : namen) {
        const QDateTime zeit = zeitAusName(name);
        if (!zeit.isValid())
            continue;
        const QString pfad = ordner + name + QLatin1Char('/');
        kopien.append({ name, pfad, zeit, infoLesen(pfad).tagestexte });
    }
    std::sort(kopien.begin(), kopien.end(), [](const Sicherungskopie &a, const Sicherungskopie &b) {
        return a.zeit != b.zeit ? a.zeit > b.zeit : a.name > b.name;
    });
    return kopien;
}

QList<bool> behalten(const QList<QDateTime> &zeiten, const QDateTime &jetzt)
{
    const auto monatszahl = [](const QDate &d) { return d.year() * 12 + d.month() - 1; };
    const int bisMonat = monatszahl(jetzt.date());
    QList<bool> bleiben(zeiten.size(), false);
    QSet<int> monate;
    for (qsizetype i = 0; i < zeiten.size(); ++i) {
        const int monat = monatszahl(zeiten.at(i).date());
        const bool imJahr = monat > bisMonat - kMonate && monat <= bisMonat;
        if (i < kLetzte || (imJahr && !monate.contains(monat)))
            bleiben[i] = true;
        if (imJahr)
            monate.insert(monat);
    }
    return bleiben;
}

std::optional<Sicherungskopie> anlegen(const KalenderDatei &kalender, const QDateTime &jetzt)
{
    const QByteArray summe = pruefsumme(kalender);
    const QString ordner = ordnerAnlegen(kalender);
    unfertigeEntfernen(ordner);
    const QList<Sicherungskopie> vorher = liste(kalender);
    if (!vorher.isEmpty() && infoLesen(vorher.first().pfad).pruefsumme == summe)
        return std::nullopt;

    const QString name = freierName(ordner, jetzt);
    const QString unfertig = ordner + kUnfertig + name + QLatin1Char('/');
    try {
        kopieSchreiben(kalender, unfertig, summe);
        if (!QDir().rename(unfertig, ordner + name))
            throw Error(QStringLiteral("Der Ordner \"%1\" kann nicht angelegt werden.")
                            .arg(QDir::toNativeSeparators(ordner + name)));
        dateien::verzeichnisSichern(ordner);
    } catch (...) {
        QDir(unfertig).removeRecursively();
        throw;
    }
    rotieren(kalender, jetzt);
    const QString pfad = ordner + name + QLatin1Char('/');
    return Sicherungskopie { name, pfad, zeitAusName(name), infoLesen(pfad).tagestexte };
}

void vorAenderung(const KalenderDatei &kalender)
{
    const QString pfad = absolut(kalender);
    if (gesichert().contains(pfad) || !QFileInfo::exists(kalender.jahrPfad()))
        return;
    gesichert().insert(pfad);
    try {
        anlegen(kalender);
    } catch (const Error &e) {
        const QString text = fehlgeschlagenMeldung(kalender, e.message());
        if (meldungsFunktion())
            meldungsFunktion()(text);
        else
            ui().message(text);
    }
}

void vergessen(const KalenderDatei &kalender)
{
    gesichert().remove(absolut(kalender));
}

void setMeldung(std::function<void(const QString &)> meldung)
{
    meldungsFunktion() = std::move(meldung);
}

void passwortUebernehmen(const KalenderDatei &kalender, const QString &passwort)
{
    QList<Sicherungskopie> kopien;
    try {
        kopien = liste(kalender);
    } catch (...) {
        return;
    }
    for (const Sicherungskopie &kopie : kopien) {
        try {
            for (const QString &tabelle : { kalender.jahrTabelle, kalender.bildTabelle }) {
                if (QFileInfo::exists(kopie.pfad + tabelle))
                    tablefile::rekeyFile(kopie.pfad + tabelle, passwort);
            }
        } catch (...) {
            QDir(kopie.pfad).removeRecursively();
        }
    }
}

void wiederherstellen(const KalenderDatei &kalender, const QString &name)
{
    const QList<Sicherungskopie> kopien = liste(kalender);
    const auto kopie = std::find_if(
        kopien.begin(), kopien.end(), [&](const Sicherungskopie &s) { return s.name == name; });
    if (kopie == kopien.end())
        throw Error(QStringLiteral("Der Kalender „%1“ hat keine Sicherungskopie „%2“.")
                        .arg(QDir::toNativeSeparators(kalender.qvkPfad()), name));
    if (tablefile::registry::inUse(kalender.jahrPfad())
        || tablefile::registry::inUse(kalender.bildPfad()))
        throw Error(QStringLiteral("Der Kalender „%1“ ist geöffnet; bitte zuerst schließen.")
                        .arg(QDir::toNativeSeparators(kalender.qvkPfad())));
    const KalenderSperre sperre(kalender);
    // The copy must open as tables before anything changes (a protected one with its password).
    tablefile::open(kopie->pfad + kalender.jahrTabelle, true);
    const bool mitBild = QFileInfo::exists(kopie->pfad + kalender.bildTabelle);
    if (mitBild)
        tablefile::open(kopie->pfad + kalender.bildTabelle, true);

    const QString jahr = dateien::ziel(kalender.jahrPfad());
    const QString bild = dateien::ziel(kalender.bildPfad());
    const QString neu = QStringLiteral(".kbneu");
    const QString alt = QStringLiteral(".kbalt");
    try {
        // Beside the tables first: the copy of the current state may rotate the chosen one away.
        kopieren(kopie->pfad + kalender.jahrTabelle, jahr + neu);
        if (mitBild)
            kopieren(kopie->pfad + kalender.bildTabelle, bild + neu);
        try {
            anlegen(kalender);
        } catch (const Error &e) {
            throw Error(QStringLiteral("Der jetzige Stand konnte nicht gesichert werden; die "
                                       "Sicherungskopie wurde nicht zurückgeholt. %1")
                            .arg(e.message()));
        }
        haltepunkt("wiederherstellen-kopiert");
        // While the year table's old copy exists, the lock's clean-up puts both tables back.
        if (mitBild && QFileInfo::exists(bild))
            altesBehalten(bild);
        altesBehalten(jahr);
        haltepunkt("wiederherstellen-alt-behalten");
        if (mitBild)
            einsetzen(bild + neu, bild);
        haltepunkt("wiederherstellen-bild-ersetzt");
        einsetzen(jahr + neu, jahr);
        haltepunkt("wiederherstellen-jahr-ersetzt");
        QFile::remove(jahr + alt);
        dateien::verzeichnisSichern(kalender.directory);
    } catch (...) {
        resteEntfernen(kalender);
        throw;
    }
    QFile::remove(bild + alt);
}

QString fehlgeschlagenMeldung(const KalenderDatei &kalender, const QString &grund)
{
    return QStringLiteral("Die Sicherungskopie des Kalenders „%1“ ist fehlgeschlagen: %2 – Die "
                          "Änderung wird trotzdem gespeichert.")
        .arg(QDir::toNativeSeparators(kalender.qvkPfad()), grund);
}

} // namespace kb::Sicherungen
