#include "storage/TableImage.h"

#include "platform/AtomicFile.h"
#include "platform/Dateirechte.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kb {

namespace {

// Larger tables are not kept in memory; their failed writes are left to the engine.
constexpr qint64 kLargestImage = qint64(256) * 1024 * 1024;

bool writeInPlace(const QString &path, const QByteArray &bytes)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    qint64 done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t n
            = ::pwrite(fd, bytes.constData() + done, std::size_t(bytes.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += ok ? n : 0;
    }
    ok = ok && ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
#else
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size()
        && file.resize(bytes.size()) && file.flush();
#endif
}

} // namespace

TableImage::TableImage(const QString &path)
    : m_path(dateien::ziel(path))
{
    InputFile file = readInputFile(m_path, kLargestImage);
    m_valid = file.problem == InputFile::Problem::None;
    m_bytes = std::move(file.bytes);
}

bool TableImage::restore() const
{
    if (!m_valid)
        return false;
    const InputFile now = readInputFile(m_path, kLargestImage);
    if (now.problem != InputFile::Problem::None || now.bytes != m_bytes) {
        if (!writeInPlace(m_path, m_bytes))
            return false;
    }
    // The old bytes are a committed state of the table: the journal has nothing to bring back.
    const QString journal = m_path + QStringLiteral("-journal");
    if (QFile::exists(journal) && !QFile::remove(journal))
        return false;
    dateien::verzeichnisSichern(QFileInfo(m_path).absolutePath());
    return true;
}

} // namespace kb
