#include "designer/Entwurfsliste.h"

#include <QDir>

namespace kb::designer {

QStringList entwurfsnamen(const QString &verzeichnis)
{
    QDir dir(verzeichnis);
    // As a wildcard search of the directory finds them: files and folders, hidden ones too,
    // in the directory's own order.
    dir.setFilter(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Unsorted);
    dir.setNameFilters({ QStringLiteral("*.qvf") });
    QStringList namen;
    for (const QString &eintrag : dir.entryList())
        namen.append(eintrag.chopped(4));
    return namen;
}

QString entwurfsPfad(const QString &verzeichnis, const QString &name)
{
    QString pfad = QDir::fromNativeSeparators(verzeichnis);
    if (!pfad.endsWith(QLatin1Char('/')))
        pfad += QLatin1Char('/');
    return pfad + name + QStringLiteral(".qvf");
}

} // namespace kb::designer
