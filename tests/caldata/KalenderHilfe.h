#pragma once

#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "platform/ProgramDir.h"
#include "storage/Passwords.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDate>
#include <QString>

namespace kb::test {

// A calendar of `jahr` made as the wizard makes it.
inline KalenderDatei neuerKalender(const QString &dir, const QString &name, int jahr)
{
    AnlageEingaben e;
    e.name = QStringLiteral("Muster");
    e.vorname = QStringLiteral("Maria");
    e.land = QStringLiteral("Bayern");
    e.verzeichnis = dir;
    e.datei = name;
    e.jahr = jahr;
    return kalenderAnlegen(e).dateien;
}

// Writes the text and the notes of the day `datum`.
inline void tagSchreiben(
    const KalenderDatei &k, const QDate &datum, const QString &text, const QString &notizen = {})
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    if (!t.locate(QStringLiteral("Datum"), datum))
        throw Error(QStringLiteral("kein Tag ") + datum.toString(Qt::ISODate));
    t.edit();
    t.setValue(QStringLiteral("Text"), text);
    t.setValue(QStringLiteral("Notizen"), notizen);
    t.post();
    t.close();
}

// The text of the day `datum`.
inline QString tagText(const KalenderDatei &k, const QDate &datum)
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    t.locate(QStringLiteral("Datum"), datum);
    return t.asString(QStringLiteral("Text"));
}

// Protects both tables of `k` with `passwort` and forgets every known password.
inline void schuetzen(const KalenderDatei &k, const QString &passwort)
{
    Table jahr;
    jahr.setFilePath(k.jahrPfad());
    Table bild;
    bild.setFilePath(k.bildPfad());
    passwortSetzen(jahr, &bild, passwort);
    Session::removeAllPasswords();
}

// A program directory of its own for one test (KRONOBLATT_HOME), given back afterwards.
class EigenesProgrammverzeichnis {
public:
    EigenesProgrammverzeichnis()
        : m_vorher(qgetenv("KRONOBLATT_HOME"))
    {
        qputenv("KRONOBLATT_HOME", m_dir.path().toUtf8());
        ProgramDir::reset();
    }
    ~EigenesProgrammverzeichnis()
    {
        qputenv("KRONOBLATT_HOME", m_vorher);
        ProgramDir::reset();
    }
    QString path() const { return m_dir.path(); }

private:
    QByteArray m_vorher;
    TempDir m_dir;
};

} // namespace kb::test
