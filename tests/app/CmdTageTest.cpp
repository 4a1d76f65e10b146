#include "CliTestUtil.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using kb::test::runCli;

namespace {

QString anlegen(const kb::test::TempDir &dir)
{
    const auto r = runCli({ QStringLiteral("anlegen"), QStringLiteral("--verzeichnis"), dir.path(),
        QStringLiteral("--datei"), QStringLiteral("Tage"), QStringLiteral("--jahr"),
        QStringLiteral("2024"), QStringLiteral("--land"), QStringLiteral("Bayern"),
        QStringLiteral("--name"), QStringLiteral("Müller"), QStringLiteral("--vorname"),
        QStringLiteral("Jörg") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return dir.file(QStringLiteral("Tage.QVK"));
}

QByteArray png()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(CmdTage, DumpsTheYearTableAsCsv)
{
    kb::test::TempDir dir;
    const QString qvk = anlegen(dir);
    const QByteArray picture = png();
    {
        kb::Table t;
        t.setFilePath(dir.file(QStringLiteral("Tage.DB")));
        t.open();
        ASSERT_TRUE(t.locate(QStringLiteral("Nummer"), 2));
        t.edit();
        t.setString(QStringLiteral("Notizen"), QStringLiteral("Arzt; 9 Uhr\n\"Praxis\""));
        t.setBool(QStringLiteral("Alarm"), true);
        t.setBytes(QStringLiteral("SymbolBild"), picture);
        t.post();
        t.close();
    }

    const auto r = runCli({ QStringLiteral("tage"), qvk });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1 + 366 + 1 + 1); // header, days, the note's line break, end
    EXPECT_EQ(lines.at(0),
        QStringLiteral("Nummer;Datum;DatumLang;Text;Woche;Monat;Tag;MonatNr;"
                       "TagNr;Kennung;Name;Vorname;BLand;Notizen;Alarm;"
                       "TagimMonat;SymbolBild"));
    EXPECT_EQ(lines.at(1),
        QStringLiteral("1;01.01.2024;01.01.2024;Neujahr;1;Januar;Mo;1;1;1;"
                       "Müller;Jörg;Bayern;;0;1;0"));
    EXPECT_EQ(lines.at(2) + QLatin1Char('\n') + lines.at(3),
        QStringLiteral("2;02.01.2024;02.01.2024;;1;Januar;Di;1;2;0;Müller;Jörg;Bayern;"
                       "\"Arzt; 9 Uhr\n\"\"Praxis\"\"\";1;2;")
            + QString::number(picture.size()));
    EXPECT_EQ(lines.at(367),
        QStringLiteral("366;31.12.2024;31.12.2024;Silvester;1;Dezember;Di;12;"
                       "2;-15;Müller;Jörg;Bayern;;0;31;0"));
    EXPECT_TRUE(lines.last().isEmpty());
}

TEST(CmdTage, MissingOrWrongCalendarFileFails)
{
    kb::test::TempDir dir;
    const auto missing = runCli({ QStringLiteral("tage"), dir.file(QStringLiteral("Fehlt.QVK")) });
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("Die Kalenderdatei")));
    EXPECT_TRUE(missing.out.isEmpty());

    kb::test::writeAll(dir.file(QStringLiteral("Ohne.QVK")), "x");
    const auto noTable = runCli({ QStringLiteral("tage"), dir.file(QStringLiteral("Ohne.QVK")) });
    EXPECT_EQ(noTable.code, 1);
    EXPECT_FALSE(noTable.err.isEmpty());
    EXPECT_TRUE(noTable.out.isEmpty());

    EXPECT_EQ(runCli({ QStringLiteral("tage") }).code, 2);
}

TEST(CmdPasswort, ProtectedCalendarNeedsItsPassword)
{
    kb::test::TempDir dir;
    const QString qvk = anlegen(dir);
    const QString tage = QStringLiteral("tage");
    const QString pw = QStringLiteral("--passwort");

    EXPECT_EQ(runCli({ QStringLiteral("passwort"), qvk, QStringLiteral("--neu"),
                         QStringLiteral("zuLang12345") })
                  .code,
        2);
    const auto set = runCli(
        { QStringLiteral("passwort"), qvk, QStringLiteral("--neu"), QStringLiteral("Geheim 10!") });
    ASSERT_EQ(set.code, 0) << set.err.toStdString();

    const auto without = runCli({ tage, qvk });
    EXPECT_EQ(without.code, 1);
    EXPECT_FALSE(without.err.isEmpty());
    EXPECT_TRUE(without.out.isEmpty());
    EXPECT_EQ(runCli({ tage, qvk, pw, QStringLiteral("geheim 10!") }).code, 1);
    const auto with = runCli({ tage, qvk, pw, QStringLiteral("Geheim 10!") });
    EXPECT_EQ(with.code, 0) << with.err.toStdString();
    EXPECT_EQ(with.out.count(QLatin1Char('\n')), 367);

    // Changing the password needs the old one.
    EXPECT_EQ(
        runCli({ QStringLiteral("passwort"), qvk, QStringLiteral("--neu"), QStringLiteral("neu") })
            .code,
        1);
    EXPECT_EQ(runCli({ QStringLiteral("passwort"), qvk, QStringLiteral("--neu"),
                         QStringLiteral("neu"), pw, QStringLiteral("Geheim 10!") })
                  .code,
        0);
    EXPECT_EQ(runCli({ tage, qvk, pw, QStringLiteral("neu") }).code, 0);
    EXPECT_EQ(runCli({ tage, qvk }).code, 1);
}

TEST(CmdPasswort, WrongPasswordIsCalledWrongAndMissingOneMissing)
{
    kb::test::TempDir dir;
    const QString qvk = anlegen(dir);
    const QString ausgabe = dir.file(QStringLiteral("aus.pdf"));
    const QString pw = QStringLiteral("--passwort");
    ASSERT_EQ(runCli({ QStringLiteral("passwort"), qvk, QStringLiteral("--neu"),
                         QStringLiteral("Richtig") })
                  .code,
        0);
    const QByteArray before = kb::test::readAll(dir.file(QStringLiteral("Tage.DB")));
    const QString tabelle = QDir::toNativeSeparators(dir.file(QStringLiteral("Tage.DB")));
    const QString falsch = QStringLiteral("Falsches Passwort für Tabelle '%1'\n").arg(tabelle);
    const QString keins = QStringLiteral("Kein Passwort für Tabelle '%1' angegeben\n").arg(tabelle);
    kb::test::writeAll(dir.file(QStringLiteral("k.ini")), "[User]\r\n");
    const QStringList drucken = { QStringLiteral("drucken"), qvk, QStringLiteral("--layout"),
        QStringLiteral("1 Seite 12 Spalten"), QStringLiteral("-o"), ausgabe,
        QStringLiteral("--einstellungen"), dir.file(QStringLiteral("k.ini")) };
    const QStringList passwort
        = { QStringLiteral("passwort"), qvk, QStringLiteral("--neu"), QStringLiteral("Neu") };
    const struct {
        const char *was;
        QStringList args;
        QString meldung;
    } cases[] = {
        { "tage, wrong password", { QStringLiteral("tage"), qvk, pw, QStringLiteral("FALSCH") },
            falsch },
        { "tage, empty password", { QStringLiteral("tage"), qvk, pw, QString() }, falsch },
        { "tage, no password", { QStringLiteral("tage"), qvk }, keins },
        { "drucken, wrong password", drucken + QStringList { pw, QStringLiteral("FALSCH") },
            falsch },
        { "drucken, no password", drucken, keins },
        { "passwort, wrong password", passwort + QStringList { pw, QStringLiteral("FALSCH") },
            falsch },
        { "passwort, no password", passwort, keins },
    };
    for (const auto &c : cases) {
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, 1) << c.was;
        EXPECT_EQ(r.err, c.meldung) << c.was;
        EXPECT_TRUE(r.out.isEmpty()) << c.was;
    }
    EXPECT_FALSE(QFile::exists(ausgabe));
    EXPECT_EQ(kb::test::readAll(dir.file(QStringLiteral("Tage.DB"))), before);
    // The right one still opens it, and a later command does not inherit it.
    EXPECT_EQ(runCli({ QStringLiteral("tage"), qvk, pw, QStringLiteral("Richtig") }).code, 0);
    EXPECT_EQ(runCli({ QStringLiteral("tage"), qvk }).err, keins);
}

} // namespace
