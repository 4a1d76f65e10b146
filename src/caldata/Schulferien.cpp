#include "caldata/Schulferien.h"

#include "platform/Error.h"
#include "platform/Logging.h"
#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

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
    qCInfo(lcCaldata).noquote() << "no free school-holiday period for" << von.toString(Qt::ISODate)
                                << "to" << bis.toString(Qt::ISODate);
}

} // namespace

QString schulferienDatei()
{
    for (const QString &dir : { ProgramDir::path(), QCoreApplication::applicationDirPath() }) {
        const QString pfad = QDir(dir).filePath(QStringLiteral("schulferien.csv"));
        if (QFile::exists(pfad))
            return pfad;
    }
    return {};
}

FerienPerioden schulferien(const QString &csvPfad, const QString &land, int jahr)
{
    QFile file(csvPfad);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden.")
                        .arg(QDir::toNativeSeparators(csvPfad)));
    FerienPerioden perioden;
    const QDate jahresBeginn(jahr, 1, 1);
    const QDate jahresEnde(jahr, 12, 31);
    const QStringList zeilen = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &zeile : zeilen) {
        const QStringList f = zeile.trimmed().split(QLatin1Char(';'));
        if (f.size() < 5 || f[0] != land)
            continue;
        const QDate von = datum(f[3]);
        const QDate bis = datum(f[4]);
        if (!von.isValid() || !bis.isValid() || bis < von) {
            qCDebug(lcCaldata) << "school-holiday line skipped:" << zeile;
            continue;
        }
        if (f[2].startsWith(QLatin1String("Weihnacht"))) {
            const QDate beginn = std::max(von, jahresBeginn);
            const QDate ende = std::min(bis, jahresEnde);
            if (beginn <= ende)
                eintragen(perioden, ende.month() <= 6 ? Ferien::Weihnachten1 : Ferien::Weihnachten2,
                    beginn, ende);
        } else if (von.year() == jahr && bis.year() == jahr) {
            eintragen(perioden, slotFuer(f[2]), von, bis);
        }
    }
    return perioden;
}

} // namespace kb
