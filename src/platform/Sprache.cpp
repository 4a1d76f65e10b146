#include "platform/Sprache.h"

#include "platform/Logging.h"
#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace kb {

const QStringList &qtKataloge()
{
    static const QStringList kataloge = { QStringLiteral("qtbase") };
    return kataloge;
}

QStringList uebersetzungsOrdner(const QString &executableDir)
{
    QStringList ordner = { QLibraryInfo::path(QLibraryInfo::TranslationsPath) };
    for (const QString &daten : ProgramDir::installedDataDirs(executableDir))
        ordner.append(daten + QStringLiteral("translations"));
    return ordner;
}

std::vector<std::unique_ptr<QTranslator>> qtKatalogeLaden(const QStringList &ordner)
{
    std::vector<std::unique_ptr<QTranslator>> geladen;
    for (const QString &katalog : qtKataloge()) {
        const QString datei = katalog + QStringLiteral("_de");
        auto translator = std::make_unique<QTranslator>();
        bool gefunden = false;
        for (const QString &dir : ordner) {
            if (!dir.isEmpty() && translator->load(datei, dir)) {
                gefunden = true;
                break;
            }
        }
        if (!gefunden) {
            qCWarning(lcPlatform) << "Qt catalogue" << datei << "not found in" << ordner;
            continue;
        }
        QCoreApplication::installTranslator(translator.get());
        geladen.push_back(std::move(translator));
    }
    return geladen;
}

void deutschEinrichten()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    for (auto &translator : qtKatalogeLaden(uebersetzungsOrdner(app->applicationDirPath())))
        translator.release()->setParent(app);
}

QString versionsAusgabe(const QString &programm)
{
    return programm
        + QStringLiteral(" " KB_VERSION "\n"
                         "Lizenz: GPL-3.0-or-later (GNU General Public License, "
                         "Version 3 oder später)\n");
}

} // namespace kb
