#include "ShellTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "storage/Table.h"

#include <QDir>

namespace kb::test {

void ShellTest::SetUp()
{
    m_programm.emplace(home.path());
    daten = home.path() + QStringLiteral("daten/");
    QDir().mkpath(daten);
    Session::removeAllPasswords();
}

void ShellTest::TearDown()
{
    Session::removeAllPasswords();
    m_programm.reset();
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
