#include "caldata/KalenderDatei.h"

#include "caldata/KalenderSperre.h"
#include "caldata/Sicherungen.h"
#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "storage/Table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kb {

namespace {

QString mitSchraegstrich(QString dir)
{
    dir = QDir::fromNativeSeparators(dir);
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace

KalenderDatei KalenderDatei::ausQvk(const QString &path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    KalenderDatei k;
    k.directory = mitSchraegstrich(info.absolutePath());
    k.qvk = info.fileName();
    const QString base = k.qvk.left(std::max<qsizetype>(0, k.qvk.size() - 4));
    k.jahrTabelle = base + QLatin1String(".DB");
    k.bildTabelle = base + QLatin1String("Bild.DB");
    return k;
}

KalenderDatei KalenderDatei::neu(const QString &directory, const QString &name)
{
    KalenderDatei k;
    k.directory = mitSchraegstrich(directory);
    k.qvk = name + QLatin1String(".QVK");
    k.jahrTabelle = name + QLatin1String(".DB");
    k.bildTabelle = name + QLatin1String("Bild.DB");
    return k;
}

bool KalenderDatei::istKalenderdatei(const QString &path)
{
    return path.endsWith(QLatin1String(".QVK")) || path.endsWith(QLatin1String(".qvk"));
}

KalenderDatei KalenderDatei::vorhanden(const QString &path)
{
    if (!istKalenderdatei(path))
        throw Error(QStringLiteral("„%1“ ist keine Kalenderdatei (Endung .QVK).")
                        .arg(QDir::toNativeSeparators(path)));
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Die Kalenderdatei „%1“ gibt es nicht.")
                        .arg(QDir::toNativeSeparators(path)));
    return ausQvk(path);
}

QString kalenderdateiZeile(const QString &name, const QString &vorname)
{
    return QLatin1String("RI-DOZU Kronoblatt ") + QLatin1String(kWebadresse)
        + QLatin1String("Kronoblatt angelegt von : ") + name + QLatin1Char(',') + vorname
        + QLatin1String("\r\n");
}

namespace {

// Opens `table` exclusively, restructures it with the password and closes it again.
void tabelleSchuetzen(Table &table, const QString &password)
{
    table.open(true);
    try {
        table.addMasterPassword(password);
    } catch (...) {
        table.close();
        table.setExclusive(false);
        throw;
    }
    table.close();
    table.setExclusive(false);
}

// A copy of a closed table's file (of the file a link leads to), put back on request and
// removed otherwise. The copy is complete before it takes its name, so a copy that exists can
// always be put back.
class Sicherung {
public:
    explicit Sicherung(const QString &path)
        : m_path(dateien::ziel(path))
        , m_copy(m_path + QStringLiteral(".kbalt"))
    {
        const QString teil = m_copy + QStringLiteral(".kbtmp");
        QFile::remove(m_copy);
        QFile::remove(teil);
        if (!QFile::copy(m_path, teil) || !QFile::rename(teil, m_copy)) {
            QFile::remove(teil);
            throw Error(QStringLiteral("Von der Tabelle „%1“ kann keine Sicherung angelegt "
                                       "werden; das Passwort wurde nicht gesetzt.")
                            .arg(QDir::toNativeSeparators(m_path)));
        }
    }
    ~Sicherung() { QFile::remove(m_copy); }
    Sicherung(const Sicherung &) = delete;
    Sicherung &operator=(const Sicherung &) = delete;

    void zurueck()
    {
        const QString aside = m_path + QStringLiteral(".kbneu");
        QFile::remove(aside);
        if (QFile::rename(m_path, aside) && QFile::rename(m_copy, m_path))
            QFile::remove(aside);
    }

    // The change is done: the copy goes now.
    void verwerfen() { QFile::remove(m_copy); }

private:
    QString m_path;
    QString m_copy;
};

} // namespace

void passwortSetzen(Table &jahrTabelle, Table *bildTabelle, const QString &password)
{
    const QString pw = password.left(kMaxPasswortLaenge);
    // No other program rewrites this calendar from the first read to the last rename.
    const QString jahrPfad = jahrTabelle.filePath();
    const KalenderDatei kalender
        = KalenderDatei::ausQvk(jahrPfad.left(jahrPfad.size() - 3) + QLatin1String(".QVK"));
    const KalenderSperre sperre(kalender);
    Sicherungen::vorAenderung(kalender);
    const bool jahrWarOffen = jahrTabelle.isOpen();
    const bool bildWarOffen = bildTabelle && bildTabelle->isOpen();
    jahrTabelle.close();
    if (bildTabelle)
        bildTabelle->close();
    const auto wiederOeffnen = [&] {
        if (jahrWarOffen)
            jahrTabelle.open();
        if (bildWarOffen)
            bildTabelle->open();
    };
    try {
        if (!bildTabelle) {
            tabelleSchuetzen(jahrTabelle, pw);
        } else {
            // Both tables change their password together. Their copies stay until both are
            // rewritten; while the year table's copy exists, the next writer on the calendar
            // puts both tables back (a kill between the two rewrites leaves no calendar with
            // two passwords).
            Sicherung bildAlt(bildTabelle->filePath());
            Sicherung jahrAlt(jahrTabelle.filePath());
            tabelleSchuetzen(jahrTabelle, pw);
            try {
                tabelleSchuetzen(*bildTabelle, pw);
            } catch (...) {
                jahrAlt.zurueck();
                throw;
            }
            jahrAlt.verwerfen();
            bildAlt.verwerfen();
        }
    } catch (...) {
        // The tables are as they were: show them again, then report the failure. The old
        // password is still among the known ones.
        try {
            wiederOeffnen();
        } catch (...) {
        }
        throw;
    }
    // The copies made before follow: none stays readable without the new password.
    Sicherungen::passwortUebernehmen(kalender, pw);
    wiederOeffnen();
}

} // namespace kb
