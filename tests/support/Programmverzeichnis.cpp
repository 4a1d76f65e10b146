#include "support/Programmverzeichnis.h"

#include "platform/ProgramDir.h"

namespace kb::test {

Programmverzeichnis::Programmverzeichnis(const QString &pfad)
    : m_vorher(qgetenv("KRONOBLATT_HOME"))
{
    setzen(pfad);
}

Programmverzeichnis::~Programmverzeichnis()
{
    qputenv("KRONOBLATT_HOME", m_vorher);
    ProgramDir::reset();
}

void Programmverzeichnis::setzen(const QString &pfad)
{
    qputenv("KRONOBLATT_HOME", pfad.toUtf8());
    ProgramDir::reset();
}

} // namespace kb::test
