#include "settings/KalenderIni.h"

#include "platform/ProgramDir.h"
#include "platform/Ui.h"

#include <QDir>

namespace kb {

namespace {

QString sectionSize()
{
    return QStringLiteral("Size");
}

QString sectionDatei()
{
    return QStringLiteral("Datei");
}

QString sectionZuletzt()
{
    return QStringLiteral("Zuletzt");
}

QString spalteKey(int i)
{
    return QStringLiteral("spalte%1").arg(i + 1);
}

} // namespace

QString KalenderIni::defaultPath()
{
    return ProgramDir::path() + QStringLiteral("kalender.INI");
}

KalenderIni KalenderIni::read(const QString &path)
{
    KalenderIni k;
    const IniFile::Snapshot ini = IniFile(path).snapshot();
    for (int i = 0; i < int(k.spalten.size()); ++i)
        k.spalten[i] = ini.readInteger(sectionSize(), spalteKey(i), k.spalten[i]);
    k.dateiname = ini.readString(sectionDatei(), QStringLiteral("Dateiname"), k.dateiname);
    k.zuletzt = ini.readString(sectionZuletzt(), QStringLiteral("Kalender"), {});
    return k;
}

void KalenderIni::write(const QString &path) const
{
    IniFile ini(path);
    for (int i = 0; i < int(spalten.size()); ++i)
        ini.writeInteger(sectionSize(), spalteKey(i), spalten[i]);
    ini.writeString(sectionDatei(), QStringLiteral("Dateiname"), dateiname);
    if (!zuletzt.isEmpty())
        ini.writeString(sectionZuletzt(), QStringLiteral("Kalender"), zuletzt);
}

void KalenderIni::zuletztSchreiben(const QString &qvkPfad, const QString &path)
{
    IniFile(path).writeString(sectionZuletzt(), QStringLiteral("Kalender"), qvkPfad);
}

QString KalenderIni::settingsFilePath() const
{
    return ProgramDir::path() + dateiname;
}

IniFile openSettingsFile(const QString &path)
{
    IniFile ini(path);
    if (!ini.exists())
        ui().message(QStringLiteral("Datei ") + QDir::toNativeSeparators(path)
            + QStringLiteral(" nicht vorhanden!"));
    return ini;
}

} // namespace kb
