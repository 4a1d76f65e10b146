#include "caldata/KalenderSperre.h"

#include "caldata/Sicherungen.h"
#include "platform/Dateirechte.h"
#include "platform/Error.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace kb {

namespace {

QString basisName(const KalenderDatei &k)
{
    return k.jahrTabelle.left(std::max<qsizetype>(0, k.jahrTabelle.size() - 3));
}

// What a kill in the middle of a rewrite of `table` can leave beside it.
void rewriteResteEntfernen(const QString &table)
{
    static const char *const endungen[]
        = { ".kbtmp", ".kbtmp-journal", ".kbalt", ".kbneu", ".kbnew", ".kbnew-journal" };
    for (const QString &pfad : { table, dateien::ziel(table) }) {
        for (const char *endung : endungen)
            QFile::remove(pfad + QLatin1String(endung));
    }
}

struct Marke {
    QString tag;
    QList<std::pair<QString, QString>> verschoben; // file name, identity
};

Marke markeLesen(const QString &pfad)
{
    Marke m;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return m;
    static const QRegularExpression tagForm(QStringLiteral("^[0-9a-z]+$"));
    const QList<QByteArray> zeilen = f.readAll().split('\n');
    for (const QByteArray &z : zeilen) {
        const QString zeile = QString::fromUtf8(z);
        const qsizetype trenner = zeile.lastIndexOf(QLatin1Char(' '));
        if (trenner <= 0)
            continue;
        const QString name = zeile.left(trenner);
        const QString wert = zeile.mid(trenner + 1);
        if (name == QLatin1String("tag") && m.tag.isEmpty()) {
            if (tagForm.match(wert).hasMatch())
                m.tag = wert;
        } else if (!wert.isEmpty()) {
            m.verschoben.append({ name, wert });
        }
    }
    return m;
}

void unfertigeAnlageEntfernen(const KalenderDatei &k)
{
    const QString marke = anlageMarke(k);
    if (!QFile::exists(marke))
        return;
    const Marke m = markeLesen(marke);
    // Without its calendar file the tables moved into place are no calendar; they are removed
    // only when they are still the very files this generation made.
    if (!QFile::exists(k.qvkPfad())) {
        for (const auto &[name, kennung] : m.verschoben) {
            if (name != k.jahrTabelle && name != k.bildTabelle)
                continue;
            if (dateien::kennung(k.directory + name) == kennung)
                QFile::remove(k.directory + name);
        }
    }
    if (!m.tag.isEmpty()) {
        const QStringList reste = QDir(k.directory)
                                      .entryList({ anlagePraefix(m.tag) + QLatin1Char('*') },
                                          QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &f : reste)
            QFile::remove(k.directory + f);
    }
    QFile::remove(marke);
    dateien::verzeichnisSichern(k.directory);
}

} // namespace

KalenderSperre::KalenderSperre(const KalenderDatei &kalender, std::chrono::milliseconds warten)
    : m_sperre(sperrdatei(kalender))
{
    if (!m_sperre.nehmen(warten))
        throw Error(belegtMeldung(kalender));
    if (m_sperre.aeusserste())
        resteEntfernen(kalender);
}

QString KalenderSperre::sperrdatei(const KalenderDatei &kalender)
{
    return kalender.directory + QLatin1Char('.') + basisName(kalender).toLower()
        + QLatin1String(".kbsperre");
}

QString KalenderSperre::belegtMeldung(const KalenderDatei &kalender)
{
    return QStringLiteral("Der Kalender „%1“ wird gerade von einem anderen Programm geändert. "
                          "Bitte versuchen Sie es gleich noch einmal.")
        .arg(QDir::toNativeSeparators(kalender.qvkPfad()));
}

Table::WriteGuard kalenderSchreibschutz(const KalenderDatei &kalender)
{
    return [kalender]() -> std::shared_ptr<void> {
        if (!QFileInfo(kalender.directory).isWritable())
            return nullptr;
        auto sperre = std::make_shared<KalenderSperre>(kalender);
        Sicherungen::vorAenderung(kalender);
        return sperre;
    };
}

QString anlageMarke(const KalenderDatei &kalender)
{
    return kalender.directory + QLatin1Char('.') + basisName(kalender).toLower()
        + QLatin1String(".kbanlage");
}

QString anlagePraefix(const QString &tag)
{
    return QLatin1String(".kbneu-") + tag;
}

// A password change of both tables keeps a copy of each table until both are rewritten, and
// drops the year table's copy first. While that copy exists the change is unfinished: both
// tables go back to their copies (the picture table first, so a kill in here repeats it).
void unfertigenPasswortwechselZuruecknehmen(const KalenderDatei &kalender)
{
    const QString jahr = dateien::ziel(kalender.jahrPfad());
    const QString jahrAlt = jahr + QStringLiteral(".kbalt");
    if (!QFile::exists(jahrAlt))
        return;
    const QString bild = dateien::ziel(kalender.bildPfad());
    const QString bildAlt = bild + QStringLiteral(".kbalt");
    if (QFile::exists(bildAlt))
        tablefile::replaceFile(bildAlt, bild, true);
    tablefile::replaceFile(jahrAlt, jahr, true);
}

void resteEntfernen(const KalenderDatei &kalender)
{
    unfertigeAnlageEntfernen(kalender);
    unfertigenPasswortwechselZuruecknehmen(kalender);
    rewriteResteEntfernen(kalender.jahrPfad());
    rewriteResteEntfernen(kalender.bildPfad());
}

} // namespace kb
