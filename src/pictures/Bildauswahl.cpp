#include "pictures/Bildauswahl.h"

#include "pictures/Bildregeln.h"
#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Jpeg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <cstdio>

namespace kb {

namespace {
int g_auswahlIndex = 0;
}

QStringList bildMasken()
{
    return { QStringLiteral("*.JPG"), QStringLiteral("*JPEG"), QStringLiteral("*.BMP") };
}

QList<Bilddatei> bilddateien(const QString &ordner, bool *lesbar)
{
    QDir dir(ordner);
    const bool ok = dir.exists() && dir.isReadable();
    if (lesbar)
        *lesbar = ok;
    QList<Bilddatei> liste;
    if (!ok)
        return liste;
    const QFileInfoList infos = dir.entryInfoList(
        bildMasken(), QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    liste.reserve(infos.size());
    for (const QFileInfo &info : infos)
        liste.append(
            { info.fileName(), info.absoluteFilePath(), info.size(), info.lastModified() });
    return liste;
}

int gitterZeilen(int anzahl, bool beimOeffnen)
{
    const int zeilen = anzahl / kGitterSpalten + (anzahl % kGitterSpalten != 0 ? 1 : 0);
    return beimOeffnen ? std::max(zeilen, 2) : zeilen;
}

QString bilderZaehler(int anzahl)
{
    if (anzahl == 0)
        return QString();
    return QString::number(anzahl) + QStringLiteral(" Bilder");
}

int auswahlIndex()
{
    return g_auswahlIndex;
}

void setAuswahlIndex(int index)
{
    g_auswahlIndex = index;
}

int auswahlIndexVonZelle(int zeile, int spalte)
{
    return zeile * kGitterSpalten + spalte + 1;
}

QStringList laufwerke(const QString &ordner)
{
    QStringList roots;
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady())
            continue;
        // Pseudo file systems (proc, sysfs, cgroups ...) have no device file.
        const QByteArray geraet = v.device();
        const bool platte
            = geraet.startsWith('/') && !v.rootPath().startsWith(QLatin1String("/snap/"));
        if (platte || v.rootPath() == QLatin1String("/") || v.rootPath().size() <= 3)
            roots.append(v.rootPath());
    }
    const QString eigene = QStorageInfo(ordner).rootPath();
    if (!eigene.isEmpty())
        roots.append(eigene);
    if (roots.isEmpty())
        roots.append(QDir::rootPath());
    roots.removeDuplicates();
    roots.sort(Qt::CaseInsensitive);
    return roots;
}

QString laufwerkVon(const QStringList &laufwerke, const QString &ordner)
{
    const QString pfad = QDir::cleanPath(QDir(ordner).absolutePath());
    QString beste;
    for (const QString &root : laufwerke) {
        const QString r = QDir::cleanPath(root);
        const bool darin = pfad.compare(r, Qt::CaseInsensitive) == 0
            || pfad.startsWith(
                r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/'), Qt::CaseInsensitive);
        if (darin && r.size() > beste.size())
            beste = root;
    }
    return beste;
}

QString loeschFrage(const QString &name)
{
    return QStringLiteral("Wollen Sie ") + name + QStringLiteral(" wirklich löschen?");
}

void bildLoeschen(const QString &pfad)
{
    if (!QFile::exists(pfad))
        return;
    if (std::remove(QFile::encodeName(pfad).constData()) != 0)
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht gelöscht werden: %2")
                        .arg(QFileInfo(pfad).fileName(), systemErrorText(errno)));
}

void bildSpeichernAls(const QString &quelle, const QString &ziel)
{
    const QByteArray jpeg = jpeg::schreiben(bildLesen(quelle));
    try {
        writeFileAtomically(ziel, jpeg);
    } catch (const FileWriteError &e) {
        throw Error(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2")
                        .arg(QFileInfo(ziel).fileName(), e.reason()));
    }
}

} // namespace kb
