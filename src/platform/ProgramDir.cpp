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
    dir = QDir::fromNativeSeparators(QDir::cleanPath(dir));
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

QString determine()
{
    const QString home = qEnvironmentVariable("KRONOBLATT_HOME");
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        return withSlash(QFileInfo(home).absoluteFilePath());
    }
    const QString exeDir = executableDir();
    if (isWritableDir(exeDir))
        return exeDir;
    const QString user =
        withSlash(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    QDir().mkpath(user);
    seed(exeDir, user);
    return user;
}

} // namespace

QString path()
{
    if (!cached())
        cached() = determine();
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

void seed(const QString &from, const QString &to)
{
    // Only the data files travel; the programs themselves stay where they are installed.
    static const QStringList dataSuffixes = {
        QStringLiteral("ini"), QStringLiteral("db"),  QStringLiteral("csv"),
        QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("htm"),
        QStringLiteral("html"), QStringLiteral("hlp"), QStringLiteral("qvf"),
        QStringLiteral("png")};
    const QString src = withSlash(from);
    const QString dst = withSlash(to);
    QDirIterator it(src, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!dataSuffixes.contains(QFileInfo(file).suffix().toLower()))
            continue;
        const QString target = dst + file.mid(src.size());
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target))
            qCWarning(lcPlatform) << "could not seed" << target;
        else
            QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
    }
}

} // namespace kb::ProgramDir
