#include "platform/Dateirechte.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kb::dateien {

namespace {

QString nativ(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

#ifndef Q_OS_WIN
QByteArray n(const QString &path)
{
    return QFile::encodeName(path);
}
#endif

} // namespace

#ifdef Q_OS_WIN

Umbenennung umbenennenOhneErsetzen(const QString &von, const QString &nach)
{
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(nativ(von).utf16()),
            reinterpret_cast<const wchar_t *>(nativ(nach).utf16()), MOVEFILE_WRITE_THROUGH))
        return Umbenennung::Erledigt;
    const DWORD e = GetLastError();
    return e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_EXISTS ? Umbenennung::ZielVorhanden
                                                               : Umbenennung::Fehlgeschlagen;
}

void verzeichnisSichern(const QString &)
{
}

QString kennung(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : QString();
}

bool beschreibbar(const QString &path)
{
    return QFileInfo(path).isWritable();
}

void besitzerUebernehmen(const QString &, const QString &)
{
}

unsigned modus(const QString &path)
{
    return unsigned(QFile::permissions(path));
}

bool modusSetzen(const QString &path, unsigned modus)
{
    return QFile::setPermissions(path, QFile::Permissions(int(modus)));
}

void privatAnlegen(const QString &path)
{
    QFile f(path);
    if (f.exists() || !f.open(QIODevice::NewOnly))
        throw Error(QStringLiteral("Die Datei „%1“ kann nicht angelegt werden.").arg(nativ(path)));
}

#else

Umbenennung umbenennenOhneErsetzen(const QString &von, const QString &nach)
{
    if (::renameat2(AT_FDCWD, n(von).constData(), AT_FDCWD, n(nach).constData(), RENAME_NOREPLACE)
        == 0)
        return Umbenennung::Erledigt;
    if (errno == EEXIST)
        return Umbenennung::ZielVorhanden;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return Umbenennung::Fehlgeschlagen;
    // File systems without the no-replace rename: a new link never replaces either.
    if (::link(n(von).constData(), n(nach).constData()) != 0)
        return errno == EEXIST ? Umbenennung::ZielVorhanden : Umbenennung::Fehlgeschlagen;
    ::unlink(n(von).constData());
    return Umbenennung::Erledigt;
}

void verzeichnisSichern(const QString &dir)
{
    const int fd = ::open(n(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString kennung(const QString &path)
{
    struct stat st;
    if (::lstat(n(path).constData(), &st) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
}

bool beschreibbar(const QString &path)
{
    // A file without any write permission is read-only also for the administrator, who
    // could write it anyway.
    struct stat st;
    return ::stat(n(path).constData(), &st) == 0 && (st.st_mode & 0222) != 0
        && ::access(n(path).constData(), W_OK) == 0;
}

void besitzerUebernehmen(const QString &vorbild, const QString &datei)
{
    struct stat st;
    if (::stat(n(vorbild).constData(), &st) != 0)
        throw Error(
            QStringLiteral("Die Datei „%1“ kann nicht gelesen werden.").arg(nativ(vorbild)));
    // Without the right to give a file away (only the administrator has it) the owner can
    // still be kept when it is the user's own file; a group the user does not belong to
    // cannot be set, and the file is then not rewritten at all.
    if (::chown(n(datei).constData(), st.st_uid, st.st_gid) != 0) {
        struct stat neu;
        if (::stat(n(datei).constData(), &neu) != 0 || neu.st_uid != st.st_uid
            || neu.st_gid != st.st_gid)
            throw Error(QStringLiteral("Besitzer und Gruppe von „%1“ können nicht erhalten "
                                       "werden; die Datei bleibt unverändert.")
                            .arg(nativ(vorbild)));
    }
}

unsigned modus(const QString &path)
{
    struct stat st;
    return ::stat(n(path).constData(), &st) == 0 ? unsigned(st.st_mode & 07777) : 0;
}

bool modusSetzen(const QString &path, unsigned modus)
{
    return ::chmod(n(path).constData(), mode_t(modus)) == 0;
}

void privatAnlegen(const QString &path)
{
    const int fd
        = ::open(n(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0)
        throw Error(QStringLiteral("Die Datei „%1“ kann nicht angelegt werden.").arg(nativ(path)));
    ::close(fd);
}

#endif

bool sichern(QFileDevice &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

QString ziel(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? path : real;
}

} // namespace kb::dateien
