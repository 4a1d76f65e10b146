// kronoblatt-cli killed at a named point between the steps of a rewrite (KRONOBLATT_HALTEPUNKT):
// afterwards there is no calendar or a complete one, and the next run on the calendar
// removes what the killed one left.
#include "CliProzess.h"
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
