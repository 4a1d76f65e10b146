#include "platform/ProgramDir.h"

#include "platform/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <optional>

namespace kb::ProgramDir {
namespace {

std::optional<QString> &cached()
{
    static std::optional<QString> dir;
    return dir;
}

QString withSlash(QString dir)
{
    dir = QDir::fromNativeSeparators(QDir::cleanPath(QFileInfo(dir).absoluteFilePath()));
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

bool isWritableDir(const QString &dir)
{
    // QFileInfo::isWritable looks at permission bits only; a real file tells the truth
    // (read-only mounts, ACLs).
    QTemporaryFile probe(dir + QStringLiteral(".kronoblatt-probe-XXXXXX"));
    return probe.open();
}

QString executableDir()
{
    if (QCoreApplication::instance())
        return withSlash(QCoreApplication::applicationDirPath());
    return withSlash(QDir::currentPath());
}

bool sameDir(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

void copyFile(const QString &source, const QString &target)
{
    QDir().mkpath(QFileInfo(target).absolutePath());
    // QFile::copy writes a temporary file beside the target and renames it, so an
    // interrupted start never leaves half a table behind.
    if (!QFile::copy(source, target)) {
        qCWarning(lcPlatform) << "could not copy" << source << "to" << target;
        return;
    }
    // Installed files may be read-only; the user's copies are theirs to change.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
}

} // namespace

QString path()
{
    if (!cached()) {
        cached() = determine(qEnvironmentVariable("KRONOBLATT_HOME"), executableDir(),
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    }
    return *cached();
}

QString calendarDataDir()
{
    return path() + QStringLiteral("Kalenderdaten/");
}

QString designerDir()
{
    return path() + QStringLiteral("Designer/");
}

void reset()
{
    cached().reset();
}

const QStringList &installedDataFiles()
{
    static const QStringList files = {
        QStringLiteral("Kalvalues.ini"),
        QStringLiteral("schulferien.csv"),
        QStringLiteral("KBLogo.bmp"),
        QStringLiteral("kronoblatt.png"),
        QStringLiteral("Einstellungen des Kronoblatt.htm"),
        QStringLiteral("Hilfe/"),
        QStringLiteral("WappenundLogos/"),
        QStringLiteral("Kalenderdaten/Texte.db"),
        QStringLiteral("Kalenderdaten/Jahresplaner.qvf"),
        QStringLiteral("Kalenderdaten/Fotokalender.qvf"),
        QStringLiteral("Kalenderdaten/Wochenplaner.qvf"),
        QStringLiteral("Designer/designer.db"),
    };
    return files;
}

QStringList installedDataDirs(const QString &executableDir)
{
    const QString exe = withSlash(executableDir);
    return { exe, withSlash(exe + QStringLiteral("../share/kronoblatt")) };
}

void seed(const QString &from, const QString &to)
{
    const QString src = withSlash(from);
    const QString dst = withSlash(to);
    if (sameDir(src, dst))
        return;
    auto copyMissing = [&](const QString &file) {
        const QString target = dst + file;
        if (!QFileInfo::exists(target))
            copyFile(src + file, target);
    };
    for (const QString &entry : installedDataFiles()) {
        if (!entry.endsWith(QLatin1Char('/'))) {
            if (QFileInfo(src + entry).isFile())
                copyMissing(entry);
            continue;
        }
        QDirIterator it(src + entry, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            copyMissing(it.next().mid(src.size()));
    }
}

QString determine(const QString &home, const QString &executableDir, const QString &userDir)
{
    QString dir;
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        dir = withSlash(home);
    } else if (isWritableDir(withSlash(executableDir))) {
        dir = withSlash(executableDir);
    } else {
        QDir().mkpath(userDir);
        dir = withSlash(userDir);
    }
    for (const QString &installed : installedDataDirs(executableDir))
        seed(installed, dir);
    return dir;
}

} // namespace kb::ProgramDir
