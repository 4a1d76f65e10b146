#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/Haltepunkt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kb {

namespace {

std::atomic<qint64> &writeLimit()
{
    static std::atomic<qint64> limit { -1 };
    return limit;
}

// The file a write to `path` replaces: the target of a symbolic link, else `path` itself.
QString realTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// The hidden files beside `target` that writes of it use begin with this name.
QString tempPrefix(const QFileInfo &target)
{
    return QStringLiteral(".") + target.fileName() + QStringLiteral(".kbtmp-");
}

QString tempNameBeside(const QString &target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QLatin1Char('/') + tempPrefix(info)
        + QString::number(QRandomGenerator::global()->generate(), 36);
}

class WriteFailure {
public:
    explicit WriteFailure(int error)
        : errorNumber(error)
    {
    }
    int errorNumber;
};

#ifndef Q_OS_WIN

// An open file descriptor that closes (without checks) unless released.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(Descriptor &&other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    Descriptor &operator=(Descriptor &&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

void writeAll(int fd, const QByteArray &bytes)
{
    const qint64 limit = writeLimit().load();
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    qint64 written = 0;
    while (left > 0) {
        qint64 chunk = left;
        if (limit >= 0) {
            chunk = std::min(chunk, limit - written);
            if (chunk <= 0)
                throw WriteFailure(ENOSPC);
        }
        const ssize_t n = ::write(fd, data, std::size_t(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw WriteFailure(errno);
        }
        if (n == 0)
            throw WriteFailure(ENOSPC);
        data += n;
        left -= n;
        written += n;
    }
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Creates the temporary file and locks it for as long as this process lives or writes it: a
// file beside the target that nobody holds locked is what a killed write left, and the next
// write removes it. A file removed between its creation and its lock is made anew.
Descriptor createLockedTemp(QString &temp, const QString &target)
{
    for (int attempt = 0;; ++attempt) {
        const QByteArray name = QFile::encodeName(temp);
        Descriptor fd(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0)
            throw WriteFailure(errno);
        while (::flock(fd.get(), LOCK_EX) != 0) {
            if (errno != EINTR)
                throw WriteFailure(errno);
        }
        struct stat opened { };
        struct stat named { };
        if (::fstat(fd.get(), &opened) == 0 && ::stat(name.constData(), &named) == 0
            && sameFile(opened, named))
            return fd;
        if (attempt >= 3)
            throw WriteFailure(EAGAIN);
        temp = tempNameBeside(target);
    }
}

// Removes the temporary files of earlier writes of `target` that a killed or failed run left;
// the file of a write still running elsewhere is locked and stays.
void removeLeftTemps(const QString &target)
{
    const QFileInfo info(target);
    const QString prefix = tempPrefix(info);
    const QString dir = info.absolutePath() + QLatin1Char('/');
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &n : names) {
        if (!n.startsWith(prefix))
            continue;
        const QByteArray path = QFile::encodeName(dir + n);
        const Descriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
    }
}

// The target when it exists as something other than a regular file (a device, a FIFO): no
// write replaces it.
bool isSpecialFile(const QString &target)
{
    struct stat sb { };
    return ::stat(QFile::encodeName(target).constData(), &sb) == 0 && !S_ISREG(sb.st_mode)
        && !S_ISDIR(sb.st_mode);
}

// Creates the new file with the permissions the target has (a new target gets those of the
// process's file-creation mask), writes and flushes it. The file stays open and locked until
// the caller has renamed it.
Descriptor writeNewFile(QString &temp, const QString &target, const QByteArray &bytes)
{
    Descriptor fd = createLockedTemp(temp, target);
    struct stat old { };
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        // Owner and group only where the process may set them; the mode never grows.
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), old.st_uid, old.st_gid);
        ::fchmod(fd.get(), old.st_mode & 07777);
    }
    writeAll(fd.get(), bytes);
    if (::fsync(fd.get()) != 0)
        throw WriteFailure(errno);
    return fd;
}

void syncDirectoryOf(const QString &target)
{
    const QByteArray dir = QFile::encodeName(QFileInfo(target).absolutePath());
    const int fd = ::open(dir.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

#else

// Windows keeps no lock on the file; a left temporary file stays.
struct Descriptor { };

void removeLeftTemps(const QString &)
{
}

bool isSpecialFile(const QString &)
{
    return false;
}

Descriptor writeNewFile(QString &temp, const QString &target, const QByteArray &bytes)
{
    QFile file(temp);
    if (!file.open(QIODevice::NewOnly | QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw WriteFailure(EACCES);
    const qint64 limit = writeLimit().load();
    const qint64 size = limit >= 0 ? std::min<qint64>(limit, bytes.size()) : bytes.size();
    if (file.write(bytes.constData(), size) != size || size != bytes.size())
        throw WriteFailure(ENOSPC);
    if (!file.flush() || _commit(file.handle()) != 0)
        throw WriteFailure(EIO);
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw WriteFailure(EIO);
    if (QFileInfo::exists(target))
        file.setPermissions(QFile::permissions(target));
    return {};
}

void syncDirectoryOf(const QString &)
{
}

#endif

void renameOver(const QString &temp, const QString &target)
{
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temp.toStdU16String()),
        std::filesystem::path(target.toStdU16String()), ec);
    if (ec)
        throw WriteFailure(ec.value());
}

} // namespace

FileWriteError::FileWriteError(const QString &path, const QString &reason)
    : Error(QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden. %2")
                .arg(QDir::toNativeSeparators(path), reason))
    , m_reason(reason)
{
}

QString systemErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return QStringLiteral("Auf dem Datenträger ist kein Platz mehr frei.");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("Der zugeteilte Speicherplatz ist erschöpft.");
#endif
    case EACCES:
    case EPERM:
        return QStringLiteral("Zugriff verweigert.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOENT:
        return QStringLiteral("Das Verzeichnis gibt es nicht.");
    case ENOTDIR:
        return QStringLiteral("Ein Teil des Pfades ist kein Verzeichnis.");
    case EISDIR:
        return QStringLiteral("Unter diesem Namen gibt es ein Verzeichnis.");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler des Datenträgers.");
    case EFBIG:
        return QStringLiteral("Die Datei wird zu groß.");
    default:
        break;
    }
    return QStringLiteral("Systemfehler %1 (%2).")
        .arg(errorNumber)
        .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
}

QString keineDateiText()
{
    return QStringLiteral("Unter diesem Namen gibt es keine gewöhnliche Datei, sondern etwa ein "
                          "Gerät, eine Pipe oder ein Verzeichnis.");
}

namespace {

// Opens `path` for reading when it is a regular file within `limit`; the descriptor (or -1
// with the problem set in `result`).
#ifndef Q_OS_WIN
int openInputFile(const QString &path, qint64 limit, InputFile &result, qint64 &size)
{
    const QByteArray native = QFile::encodeName(path);
    // Without O_NONBLOCK opening a FIFO would wait for a writer.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.problem = InputFile::Problem::Unreadable;
        result.reason = systemErrorText(errno);
        return -1;
    }
    struct stat sb;
    if (::fstat(fd, &sb) != 0 || !S_ISREG(sb.st_mode)) {
        ::close(fd);
        result.problem = InputFile::Problem::NotAFile;
        return -1;
    }
    if (sb.st_size > limit) {
        ::close(fd);
        result.problem = InputFile::Problem::TooLarge;
        return -1;
    }
    size = qint64(sb.st_size);
    return fd;
}
#endif

InputFile readOrInspect(const QString &path, qint64 limit, bool read)
{
    InputFile result;
#ifndef Q_OS_WIN
    qint64 size = 0;
    const int fd = openInputFile(path, limit, result, size);
    if (fd < 0 || !read) {
        if (fd >= 0)
            ::close(fd);
        return result;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    result.bytes.reserve(qsizetype(size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.problem = InputFile::Problem::Unreadable;
            result.reason = systemErrorText(errno);
            result.bytes.clear();
            break;
        }
        if (n == 0)
            break;
        if (result.bytes.size() + n > limit) {
            result.problem = InputFile::Problem::TooLarge;
            result.bytes.clear();
            break;
        }
        result.bytes.append(buffer, qsizetype(n));
    }
    ::close(fd);
#else
    if (!QFileInfo(path).isFile()) {
        result.problem = QFileInfo::exists(path) ? InputFile::Problem::NotAFile
                                                 : InputFile::Problem::Unreadable;
        result.reason = systemErrorText(ENOENT);
        return result;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.problem = InputFile::Problem::Unreadable;
        result.reason = f.errorString();
        return result;
    }
    if (!read) {
        if (f.size() > limit)
            result.problem = InputFile::Problem::TooLarge;
        return result;
    }
    result.bytes = f.read(limit + 1);
    if (result.bytes.size() > limit) {
        result.problem = InputFile::Problem::TooLarge;
        result.bytes.clear();
    } else if (f.error() != QFileDevice::NoError) {
        result.problem = InputFile::Problem::Unreadable;
        result.reason = f.errorString();
        result.bytes.clear();
    }
#endif
    return result;
}

} // namespace

InputFile readInputFile(const QString &path, qint64 limit)
{
    return readOrInspect(path, limit, true);
}

InputFile inspectInputFile(const QString &path, qint64 limit)
{
    return readOrInspect(path, limit, false);
}

void dateigrenzeAlsFehler()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString target = realTarget(path);
    if (QFileInfo(target).isDir())
        throw FileWriteError(path, systemErrorText(EISDIR));
    if (isSpecialFile(target))
        throw FileWriteError(path, keineDateiText());
    removeLeftTemps(target);
    QString temp = tempNameBeside(target);
    try {
        // The new file stays locked until it has replaced the target.
        [[maybe_unused]] const Descriptor written = writeNewFile(temp, target, bytes);
        haltepunkt("datei-neu-geschrieben");
        renameOver(temp, target);
    } catch (const WriteFailure &failure) {
        QFile::remove(temp);
        throw FileWriteError(path, systemErrorText(failure.errorNumber));
    }
    syncDirectoryOf(target);
}

void appendToFile(const QString &path, const QByteArray &bytes)
{
    try {
#ifndef Q_OS_WIN
        const QByteArray name = QFile::encodeName(path);
        const Descriptor fd(
            ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
        if (fd.get() < 0)
            throw WriteFailure(errno);
        writeAll(fd.get(), bytes);
#else
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            throw WriteFailure(EACCES);
        if (file.write(bytes) != bytes.size() || !file.flush())
            throw WriteFailure(ENOSPC);
#endif
    } catch (const WriteFailure &failure) {
        throw FileWriteError(path, systemErrorText(failure.errorNumber));
    }
}

namespace testing {

void limitWrites(qint64 bytes)
{
    writeLimit().store(bytes);
}

} // namespace testing

} // namespace kb
