// kronoblatt-cli killed at a named point between the steps of a rewrite (KRONOBLATT_HALTEPUNKT):
// afterwards there is no calendar or a complete one, and the next run on the calendar
// removes what the killed one left.
#include "CliProzess.h"
#include "designer/Formular.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kb;
using namespace kb::test;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

Umgebung halt(const char *punkt)
{
    return { { s("KRONOBLATT_HALTEPUNKT"), s(punkt) } };
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
    const KalenderDatei k = KalenderDatei::neu(dir.path(), s("Haus"));
    const Lauf tot = cli(anlegenArgs(dir.path(), s("Haus")), halt(GetParam().punkt));
    ASSERT_TRUE(tot.getoetet) << tot.err;

    EXPECT_EQ(kalenderFehler(k, QString()), GetParam().kalenderDa ? QString() : s("fehlt"));

    const Lauf wieder = cli(anlegenArgs(dir.path(), s("Haus")));
    if (GetParam().kalenderDa) {
        EXPECT_EQ(wieder.code, 1);
        EXPECT_TRUE(wieder.err.contains(s("Tabelle existiert bereits!"))) << wieder.err;
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
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), s("Haus"));
    ASSERT_EQ(cli({ s("passwort"), k.qvkPfad(), s("--neu"), s("geheim") }).code, 0);

    const Lauf tot
        = cli({ s("passwort"), k.qvkPfad(), s("--passwort"), s("geheim"), s("--neu"), QString() },
            halt("passwort-kopie-geschrieben"));
    ASSERT_TRUE(tot.getoetet) << tot.err;
    EXPECT_EQ(kalenderFehler(k, s("geheim")), QString());
    EXPECT_EQ(QFile::permissions(k.jahrPfad() + s(".kbtmp"))
            & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
        QFile::Permissions());

    const Lauf weiter
        = cli({ s("passwort"), k.qvkPfad(), s("--passwort"), s("geheim"), s("--neu"), s("neu") });
    EXPECT_EQ(weiter.code, 0) << weiter.err;
    EXPECT_EQ(kalenderFehler(k, s("neu")), QString());
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
    writeAll(dir.file(s("Kalvalues.ini")), "; meine Einstellungen\r\n[User]\r\nFirma=A\r\n");
    // A new form as the designer saves it: the command loads it and saves it again.
    designer::Formular().save(dir.file(s("Form.qvf")));
    writeAll(dir.file(s("Aus.qvf")), "alter Inhalt");
    const QString ziel = dir.file(s(GetParam().ziel));
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
                            return QStringList { s("ferien"), s("Hessen"), s("2026"),
                                s("--einstellungen"), dir + s("/Kalvalues.ini") };
                        },
                        "Kalvalues.ini" },
        DateiAbbruch { "formular",
            [](const QString &dir) {
                return QStringList { s("formular"), dir + s("/Form.qvf"), s("--speichern"),
                    dir + s("/Aus.qvf") };
            },
            "Aus.qvf" }),
    [](const testing::TestParamInfo<DateiAbbruch> &info) { return std::string(info.param.name); });
