#include "caldata/KalenderDatei.h"

#include "platform/Error.h"
#include "storage/Table.h"

#include <QDir>
#include <QFileInfo>

namespace kb {

namespace {

QString mitSchraegstrich(QString dir)
{
    dir = QDir::fromNativeSeparators(dir);
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

} // namespace

KalenderDatei KalenderDatei::ausQvk(const QString &path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    KalenderDatei k;
    k.directory = mitSchraegstrich(info.absolutePath());
    k.qvk = info.fileName();
    const QString base = k.qvk.left(std::max<qsizetype>(0, k.qvk.size() - 4));
    k.jahrTabelle = base + QLatin1String(".DB");
    k.bildTabelle = base + QLatin1String("Bild.DB");
    return k;
}

KalenderDatei KalenderDatei::neu(const QString &directory, const QString &name)
{
    KalenderDatei k;
    k.directory = mitSchraegstrich(directory);
    k.qvk = name + QLatin1String(".QVK");
    k.jahrTabelle = name + QLatin1String(".DB");
    k.bildTabelle = name + QLatin1String("Bild.DB");
    return k;
}

bool KalenderDatei::istKalenderdatei(const QString &path)
{
    return path.endsWith(QLatin1String(".QVK")) || path.endsWith(QLatin1String(".qvk"));
}

KalenderDatei KalenderDatei::vorhanden(const QString &path)
{
    if (!istKalenderdatei(path))
        throw Error(QStringLiteral("„%1“ ist keine Kalenderdatei (Endung .QVK).")
                        .arg(QDir::toNativeSeparators(path)));
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Die Kalenderdatei „%1“ gibt es nicht.")
                        .arg(QDir::toNativeSeparators(path)));
    return ausQvk(path);
}

QString kalenderdateiZeile(const QString &name, const QString &vorname)
{
    return QLatin1String("RI-DOZU Kronoblatt ") + QLatin1String(kWebadresse)
           + QLatin1String("Kronoblatt angelegt von : ") + name + QLatin1Char(',') + vorname
           + QLatin1String("\r\n");
}

void passwortSetzen(Table &jahrTabelle, Table *bildTabelle, const QString &password)
{
    const bool jahrWarOffen = jahrTabelle.isOpen();
    const bool bildWarOffen = bildTabelle && bildTabelle->isOpen();
    jahrTabelle.close();
    if (bildTabelle)
        bildTabelle->close();
    jahrTabelle.open(true);
    try {
        jahrTabelle.addMasterPassword(password.left(kMaxPasswortLaenge));
    } catch (...) {
        jahrTabelle.close();
        jahrTabelle.setExclusive(false);
        throw;
    }
    jahrTabelle.close();
    jahrTabelle.setExclusive(false);
    if (jahrWarOffen)
        jahrTabelle.open();
    if (bildWarOffen)
        bildTabelle->open();
}

} // namespace kb
