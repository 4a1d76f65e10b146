#include "caldata/Assistent.h"

#include <QDir>

namespace kb::Assistent {

const QStringList &anleitung(int schritt)
{
    static const QStringList texte[kSchritte] = {
        { QStringLiteral("Bitte geben Sie Ihre Daten ein !"), QString() },
        { QStringLiteral("Bitte wählen Sie über den Schalter ein Verzeichnis "),
            QStringLiteral("aus,geben Sie einen Dateinamen ohne "),
            QStringLiteral("Dateierweiterung "),
            QStringLiteral("ein. Zahlen am Anfang des Dateinamens sind nicht "),
            QStringLiteral("erlaubt."),
            QStringLiteral("Wählen Sie ein Jahr aus, von dem der Kalender"),
            QStringLiteral("erstellt werden soll. ") },
        { QStringLiteral("Es sind nun genügend Daten vorhanden,"), QString(),
            QStringLiteral(" um einen "), QString(), QStringLiteral("Kronoblatt anzulegen."),
            QString(), QStringLiteral("Wählen Sie ' Fertigstellen '"), QString() },
    };
    static const QStringList keine;
    return schritt >= 1 && schritt <= kSchritte ? texte[schritt - 1] : keine;
}

QString hinweisVerzeichnis()
{
    return QStringLiteral("wählen Sie über den Schalter ein Verzeichnis aus");
}

QString hinweisDatei()
{
    return QStringLiteral("Dateinamen ohne Sonderzeichen und SQL-Statments (siehe Hilfe)");
}

QString hinweisJahr()
{
    return QStringLiteral("wählen Sie ein Jahr aus, Tag und Monat sind nicht von Bedeutung");
}

QString gewaehltesVerzeichnis(const QString &path)
{
    QString dir = QDir::toNativeSeparators(path);
    const QChar sep = QDir::separator();
    while (dir.size() > 1 && dir.endsWith(sep))
        dir.chop(1);
    return dir;
}

} // namespace kb::Assistent
