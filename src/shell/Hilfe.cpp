#include "shell/Hilfe.h"

#include "caldata/KalenderDatei.h"
#include "platform/ProgramDir.h"

#include <QVersionNumber>

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
    const QVersionNumber version = QVersionNumber::fromString(QStringLiteral(KB_VERSION));
    return QStringLiteral("V %1.%2").arg(version.majorVersion()).arg(version.minorVersion());
}

QString lizenzText()
{
    return QStringLiteral("Lizenz: GNU GPL, Version 3 oder später (GPL-3.0-or-later)");
}

} // namespace kb
