#include "shell/Hilfe.h"

#include "caldata/KalenderDatei.h"
#include "platform/ProgramDir.h"

namespace kb {

QString hilfeInhalt()
{
    return ProgramDir::path() + QStringLiteral("Hilfe/index.html");
}

QString homepageAdresse()
{
    return QStringLiteral("http://") + QLatin1String(kWebadresse) + QLatin1Char('/');
}

QString versionsText()
{
    return QStringLiteral("V 3.0");
}

} // namespace kb
