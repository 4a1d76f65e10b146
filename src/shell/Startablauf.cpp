#include "shell/Startablauf.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "report/Fonts.h"

#include <QFont>
#include <QUrl>

namespace kb {

QString kurzesDatum(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString uhrzeit(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

bool fehlerZeigen(const std::function<void()> &schritt)
{
    try {
        schritt();
        return true;
    } catch (const Error &e) {
        ui().message(e.message());
    } catch (const std::exception &e) {
        ui().message(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void schritteAusfuehren(const QList<std::function<void()>> &schritte)
{
    for (const auto &schritt : schritte)
        fehlerZeigen(schritt);
}

StartDateien startDateien(const QStringList &arguments)
{
    StartDateien d;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg.isEmpty() || arg.startsWith(QLatin1Char('-')))
            continue;
        const QUrl url(arg);
        const QString pfad = url.isLocalFile() ? url.toLocalFile() : arg;
        QString &ziel
            = pfad.endsWith(QStringLiteral(".qvf"), Qt::CaseInsensitive) ? d.formular : d.kalender;
        if (ziel.isEmpty())
            ziel = pfad;
    }
    return d;
}

QString kalenderArgument(const QStringList &arguments)
{
    return startDateien(arguments).kalender;
}

void windowsSchriftenErsetzen()
{
    static const char *const faces[] = { "Arial", "MS Sans Serif", "Microsoft Sans Serif",
        "Small Fonts", "Tahoma", "Times New Roman", "Courier New", "Arial Narrow", "MS Serif" };
    for (const char *face : faces) {
        const QString name = QString::fromLatin1(face);
        QFont::insertSubstitution(name, report::installedFamily(name));
    }
}

} // namespace kb
