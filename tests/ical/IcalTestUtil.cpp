#include "IcalTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "storage/Table.h"

namespace kb::test {

KalenderDatei kalender(const TempDir &dir, int jahr, const QString &datei)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Müller");
    e.vorname = QStringLiteral("Jörg");
    e.land = QStringLiteral("Bayern");
    e.verzeichnis = dir.path();
    e.datei = datei;
    e.jahr = jahr;
    return kalenderAnlegen(e).dateien;
}

void tagSetzen(const KalenderDatei &k, const QDate &tag, const QString &text,
    const QString &notizen, bool erinnern)
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    if (!t.locate(QStringLiteral("Nummer"), tag.dayOfYear()))
        throw Error(QStringLiteral("kein Tag"));
    t.edit();
    t.setString(QStringLiteral("Text"), text);
    t.setString(QStringLiteral("Notizen"), notizen);
    t.setBool(QStringLiteral("Alarm"), erinnern);
    t.post();
    t.close();
}

QMap<QDate, QString> texte(const KalenderDatei &k)
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    QMap<QDate, QString> result;
    for (t.first(); !t.eof(); t.next())
        result.insert(t.asDate(QStringLiteral("Datum")), t.asString(QStringLiteral("Text")));
    t.close();
    return result;
}

QByteArray ics(const QByteArray &events)
{
    QByteArray text
        = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//Test//Test//DE\n" + events + "END:VCALENDAR\n";
    text.replace("\n", "\r\n");
    return text;
}

} // namespace kb::test
