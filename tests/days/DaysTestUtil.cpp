#include "DaysTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/Schemas.h"

namespace kb::test {

void TageTest::kalenderOeffnen(int jahrZahl, const QString &name)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.vorname = QStringLiteral("Erika");
    e.land = QStringLiteral("Baden-Württemberg");
    e.verzeichnis = dir.path();
    e.datei = name;
    e.jahr = jahrZahl;
    kalender = kalenderAnlegen(e).dateien;
    jahr.setFilePath(kalender.jahrPfad());
    jahr.open();
    farben.hintergrundSamstag = kSamstag;
    farben.hintergrundWochenende = kSonntag;
    farben.hintergrundFeiertag = kFeiertag;
    farben.hintergrundFarbeFerien = kFerien;
}

void TageTest::monat(int m)
{
    if (m == 0) {
        jahr.setFiltered(false);
        return;
    }
    jahr.setFilter(QStringLiteral("MonatNr='%1'").arg(m));
    jahr.setFiltered(true);
}

void TageTest::gehe(const QDate &datum)
{
    ASSERT_TRUE(jahr.locate(QStringLiteral("Datum"), datum)) << datum.toString().toStdString();
}

QString TageTest::texteAnlegen(const QStringList &texte)
{
    Table t;
    t.setDirectory(dir.path());
    t.setTableName(QStringLiteral("Texte.db"));
    Schemas::anlegen(t, Schemas::texteTabelle());
    t.open();
    for (const QString &text : texte) {
        t.append();
        t.setString(QStringLiteral("Text"), text);
        t.post();
    }
    t.close();
    return t.filePath();
}

QString TageTest::gespeicherterText(const QDate &datum) const
{
    Table t;
    t.setFilePath(kalender.jahrPfad());
    t.open();
    if (!t.locate(QStringLiteral("Datum"), datum))
        return QStringLiteral("<kein Tag>");
    return t.asString(QStringLiteral("Text"));
}

} // namespace kb::test
