#include "platform/Dateisperre.h"

#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace kb {

namespace {

#ifdef Q_OS_WIN
using Handle = HANDLE;
const Handle kKeinHandle = INVALID_HANDLE_VALUE;

Handle oeffnen(const QString &path)
{
    return CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
        GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool versuchen(Handle h)
{
    OVERLAPPED ov {};
    return LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov);
}

void entsperren(Handle h)
{
    OVERLAPPED ov {};
    UnlockFileEx(h, 0, 1, 0, &ov);
}

void schliessen(Handle h)
{
    CloseHandle(h);
}
#else
using Handle = int;
const Handle kKeinHandle = -1;

Handle oeffnen(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // An existing lock file in a directory the user may only read still locks.
    if (fd < 0)
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    return fd;
}

bool versuchen(Handle fd)
{
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

void entsperren(Handle fd)
{
    ::flock(fd, LOCK_UN);
}

void schliessen(Handle fd)
{
    ::close(fd);
}
#endif

struct Eintrag {
    Handle handle = kKeinHandle;
    int gesperrt = 0; // holders in this process that hold the lock
    int offen = 0; // holders in this process
};

QHash<QString, Eintrag> &eintraege()
{
    static QHash<QString, Eintrag> all;
    return all;
}

} // namespace

Dateisperre::Dateisperre(const QString &path)
    : m_key(QFileInfo(path).absoluteFilePath())
{
    Eintrag &e = eintraege()[m_key];
    if (e.handle == kKeinHandle) {
        e.handle = oeffnen(m_key);
        if (e.handle == kKeinHandle) {
            eintraege().remove(m_key);
            throw Error(QStringLiteral("Die Sperrdatei „%1“ kann nicht angelegt werden.")
                            .arg(QDir::toNativeSeparators(m_key)));
        }
    }
    ++e.offen;
}

Dateisperre::~Dateisperre()
{
    auto it = eintraege().find(m_key);
    if (it == eintraege().end())
        return;
    if (m_gehalten && --it->gesperrt == 0)
        entsperren(it->handle);
    if (--it->offen > 0)
        return;
    schliessen(it->handle);
    eintraege().erase(it);
}

bool Dateisperre::nehmen(std::chrono::milliseconds warten)
{
    if (m_gehalten)
        return true;
    Eintrag &e = eintraege()[m_key];
    if (e.gesperrt > 0) {
        ++e.gesperrt;
        m_gehalten = true;
        return true;
    }
    const auto ende = std::chrono::steady_clock::now() + warten;
    while (!versuchen(e.handle)) {
        if (std::chrono::steady_clock::now() >= ende)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ++e.gesperrt;
    m_gehalten = true;
    m_aeusserste = true;
    return true;
}

} // namespace kb
