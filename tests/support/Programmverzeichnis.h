#pragma once

#include <QByteArray>
#include <QString>

namespace kb::test {

// Points the program directory (KRONOBLATT_HOME) at `pfad` for the helper's lifetime; the one
// before comes back afterwards. The program forgets the directory it found at both ends.
class Programmverzeichnis {
public:
    explicit Programmverzeichnis(const QString &pfad);
    ~Programmverzeichnis();
    Programmverzeichnis(const Programmverzeichnis &) = delete;
    Programmverzeichnis &operator=(const Programmverzeichnis &) = delete;

    // Points it somewhere else; the destructor still brings back the one before the first.
    void setzen(const QString &pfad);

private:
    QByteArray m_vorher;
};

} // namespace kb::test
