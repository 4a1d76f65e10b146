#pragma once

#include <QString>
#include <chrono>

namespace kb {

// An advisory lock on a lock file, held by at most one process at a time. Within one process
// the holders of the same lock file share it, so a command that holds a lock may call code
// that takes it again. The lock file itself stays: removing it would let a process lock a
// file that a waiting process no longer sees.
class Dateisperre {
public:
    // Opens (and if needed creates) the lock file; throws kb::Error when it cannot.
    explicit Dateisperre(const QString &path);
    ~Dateisperre();
    Dateisperre(const Dateisperre &) = delete;
    Dateisperre &operator=(const Dateisperre &) = delete;

    // Takes the lock, trying again for up to `warten` while another process holds it. False
    // when the other process still holds it then.
    bool nehmen(std::chrono::milliseconds warten);
    // True when this holder took the lock from no one in this process (not nested).
    bool aeusserste() const { return m_aeusserste; }

private:
    QString m_key;
    bool m_gehalten = false;
    bool m_aeusserste = false;
};

} // namespace kb
