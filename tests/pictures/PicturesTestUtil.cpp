#include "PicturesTestUtil.h"

#include "caldata/KalenderAnlage.h"

namespace kb::test {

void BilderTest::SetUp()
{
    AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.vorname = QStringLiteral("Erika");
    e.land = QStringLiteral("Baden-Württemberg");
    e.verzeichnis = dir.path();
    e.datei = QStringLiteral("Test");
    e.jahr = 2024;
    kalender = kalenderAnlegen(e).dateien;
    jahr.setDirectory(kalender.directory);
    jahr.setTableName(kalender.jahrTabelle);
    jahr.open();
    bilder.setDirectory(kalender.directory);
    bilder.setTableName(kalender.bildTabelle);
    bilder.open();
}

void BilderTest::monat(int monat)
{
    bilder.setRecNo(monat);
    ASSERT_EQ(bilder.asInt(QStringLiteral("MonatNR")), monat);
}

namespace {

void aufMonat(Table &t, const KalenderDatei &k, int monat)
{
    t.setDirectory(k.directory);
    t.setTableName(k.bildTabelle);
    t.open();
    if (!t.locate(QStringLiteral("MonatNR"), monat))
        throw Error(QStringLiteral("kein Monat %1").arg(monat));
}

} // namespace

void BilderTest::bildSpeichern(int monat, const QImage &bild)
{
    Table t;
    aufMonat(t, kalender, monat);
    t.edit();
    t.setImage(QStringLiteral("Bild"), bild);
    t.post();
}

QByteArray BilderTest::gespeichertesBild(int monat) const
{
    Table t;
    aufMonat(t, kalender, monat);
    return t.asBytes(QStringLiteral("Bild"));
}

QString BilderTest::gespeicherterText(int monat) const
{
    Table t;
    aufMonat(t, kalender, monat);
    return t.asString(QStringLiteral("TextMonat"));
}

} // namespace kb::test
