// kronoblatt-cli killed at a named point between the steps of a rewrite (KRONOBLATT_HALTEPUNKT):
// afterwards there is no calendar or a complete one, and the next run on the calendar
// removes what the killed one left.
#include "CliProzess.h"
#include "designer/Formular.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

Umgebung halt(const char *punkt)
{
    return { { u"KRONOBLATT_HALTEPUNKT"_s, QString::fromUtf8(punkt) } };
}

} // namespace

struct AnlageAbbruch {
    const char *punkt;
    bool kalenderDa; // the calendar is complete after the kill
};

class AnlegenAbgebrochen : public testing::TestWithParam<AnlageAbbruch> { };

TEST_P(AnlegenAbgebrochen, KeinKalenderOderEinGanzerUndDerNaechsteLaufRaeumtAuf)
{
    TempDir dir;
    const KalenderDatei k = KalenderDatei::neu(dir.path(), u"Haus"_s);
    const Lauf tot = cli(anlegenArgs(dir.path(), u"Haus"_s), halt(GetParam().punkt));
    ASSERT_TRUE(tot.getoetet) << tot.err;

    EXPECT_EQ(kalenderFehler(k, QString()), GetParam().kalenderDa ? QString() : u"fehlt"_s);

    const Lauf wieder = cli(anlegenArgs(dir.path(), u"Haus"_s));
    if (GetParam().kalenderDa) {
        EXPECT_EQ(wieder.code, 1);
        EXPECT_TRUE(wieder.err.contains(u"Tabelle existiert bereits!"_s)) << wieder.err;
    } else {
        EXPECT_EQ(wieder.code, 0) << wieder.err;
    }
    EXPECT_EQ(kalenderFehler(k, QString()), QString());
    EXPECT_EQ(reste(dir.path()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Haltepunkte, AnlegenAbgebrochen,
    testing::Values(AnlageAbbruch { "anlegen-tabellen-fertig", false },
        AnlageAbbruch { "anlegen-jahr-verschoben", false },
        AnlageAbbruch { "anlegen-bild-verschoben", false },
        AnlageAbbruch { "anlegen-kalender-verschoben", true }),
    [](const testing::TestParamInfo<AnlageAbbruch> &info) {
        QString name = QString::fromLatin1(info.param.punkt);
        return name.remove(QLatin1Char('-')).toStdString();
    });

// Killed with the new copy complete and the table not yet replaced: the table is as it was,
// and the next run removes the copy (for a removal of the password: a copy in plain text,
// which only its owner could read).
TEST(PasswortAbgebrochen, TabelleBleibtUndDieKopieVerschwindet)
{
    TempDir dir;
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), u"Haus"_s);
    ASSERT_EQ(cli({ u"passwort"_s, k.qvkPfad(), u"--neu"_s, u"geheim"_s }).code, 0);

    const Lauf tot
        = cli({ u"passwort"_s, k.qvkPfad(), u"--passwort"_s, u"geheim"_s, u"--neu"_s, QString() },
            halt("passwort-kopie-geschrieben"));
    ASSERT_TRUE(tot.getoetet) << tot.err;
    EXPECT_EQ(kalenderFehler(k, u"geheim"_s), QString());
    EXPECT_EQ(QFile::permissions(k.jahrPfad() + u".kbtmp"_s)
            & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
        QFile::Permissions());

    const Lauf weiter
        = cli({ u"passwort"_s, k.qvkPfad(), u"--passwort"_s, u"geheim"_s, u"--neu"_s, u"neu"_s });
    EXPECT_EQ(weiter.code, 0) << weiter.err;
    EXPECT_EQ(kalenderFehler(k, u"neu"_s), QString());
    EXPECT_EQ(reste(dir.path()), QStringList());
}

// A settings or form file whose new content is complete beside it when the program is killed:
// the file is as it was, and the next write of it removes the hidden copy.
struct DateiAbbruch {
    const char *name;
    QStringList (*args)(const QString &dir);
    const char *ziel; // the file the command writes
};

class DateiSchreibenAbgebrochen : public testing::TestWithParam<DateiAbbruch> { };

TEST_P(DateiSchreibenAbgebrochen, DieDateiBleibtUndDerNaechsteLaufRaeumtAuf)
{
    TempDir dir;
    writeAll(dir.file(u"Kalvalues.ini"_s), "; meine Einstellungen\r\n[User]\r\nFirma=A\r\n");
    // A new form as the designer saves it: the command loads it and saves it again.
    designer::Formular().save(dir.file(u"Form.qvf"_s));
    writeAll(dir.file(u"Aus.qvf"_s), "alter Inhalt");
    const QString ziel = dir.file(QString::fromUtf8(GetParam().ziel));
    const QByteArray vorher = readAll(ziel);
    const QStringList args = GetParam().args(dir.path());

    const Lauf tot = cli(args, halt("datei-neu-geschrieben"));
    ASSERT_TRUE(tot.getoetet) << tot.err;
    EXPECT_EQ(readAll(ziel), vorher);
    EXPECT_EQ(reste(dir.path()).size(), 1) << reste(dir.path()).join(QLatin1Char(' '));

    const Lauf wieder = cli(args);
    EXPECT_EQ(wieder.code, 0) << wieder.err;
    EXPECT_NE(readAll(ziel), vorher);
    EXPECT_EQ(reste(dir.path()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Befehle, DateiSchreibenAbgebrochen,
    testing::Values(DateiAbbruch { "ferien",
                        [](const QString &dir) {
                            return QStringList { u"ferien"_s, u"Hessen"_s, u"2026"_s,
                                u"--einstellungen"_s, dir + u"/Kalvalues.ini"_s };
                        },
                        "Kalvalues.ini" },
        DateiAbbruch { "formular",
            [](const QString &dir) {
                return QStringList { u"formular"_s, dir + u"/Form.qvf"_s, u"--speichern"_s,
                    dir + u"/Aus.qvf"_s };
            },
            "Aus.qvf" }),
    [](const testing::TestParamInfo<DateiAbbruch> &info) { return std::string(info.param.name); });
