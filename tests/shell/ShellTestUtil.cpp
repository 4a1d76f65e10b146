#include "ShellTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "platform/ProgramDir.h"
#include "storage/Table.h"

#include <QDir>

namespace kb::test {

void ShellTest::SetUp()
{
    m_previousHome = qgetenv("KRONOBLATT_HOME");
    qputenv("KRONOBLATT_HOME", home.path().toUtf8());
    ProgramDir::reset();
    daten = home.path() + QStringLiteral("daten/");
    QDir().mkpath(daten);
    Session::removeAllPasswords();
}

void ShellTest::TearDown()
{
    Session::removeAllPasswords();
    qputenv("KRONOBLATT_HOME", m_previousHome);
    ProgramDir::reset();
}

KalenderDatei ShellTest::kalender(const QString &name, int jahr, const QString &verzeichnis)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.vorname = QStringLiteral("Erika");
    e.land = QStringLiteral("Baden-Württemberg");
    e.verzeichnis = verzeichnis.isEmpty() ? daten : verzeichnis;
    e.datei = name;
    e.jahr = jahr;
    return kalenderAnlegen(e).dateien;
}

void ShellTest::alarmSetzen(const KalenderDatei &k, const QDate &datum)
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    ASSERT_TRUE(t.locate(QStringLiteral("Datum"), datum));
    t.setBool(QStringLiteral("Alarm"), true);
    t.post();
    t.close();
}

void ShellTest::einstellungenAnlegen(const QByteArray &inhalt)
{
    writeAll(home.file(QStringLiteral("Kalvalues.ini")), inhalt);
}

} // namespace kb::test
