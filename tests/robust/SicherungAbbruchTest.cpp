// kronoblatt-cli killed while it copies a calendar before a change, and while it puts a copy
// back: the calendar stays whole (a restore all or nothing), and no half copy is ever listed.
#include "CliProzess.h"
#include "caldata/KalenderSperre.h"
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

// The copies listed by `sicherungen`: their names, newest first.
QStringList gelistet(const KalenderDatei &k, const Umgebung &umgebung)
{
    const Lauf l = cli({ s("sicherungen"), k.qvkPfad() }, umgebung);
    QStringList namen;
    for (const QString &zeile : l.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        namen.append(zeile.section(QLatin1Char(';'), 0, 0));
    return namen;
}

// Every listed copy is whole: both tables and its description.
void vollstaendig(const QString &home, const KalenderDatei &k, const QStringList &namen)
{
    for (const QString &name : namen) {
        const QString kopie = home + s("/Sicherungen/Haus/") + name + QLatin1Char('/');
        EXPECT_TRUE(QFile::exists(kopie + k.jahrTabelle)) << kopie;
        EXPECT_TRUE(QFile::exists(kopie + k.bildTabelle)) << kopie;
        EXPECT_TRUE(QFile::exists(kopie + s("Sicherungskopie.txt"))) << kopie;
    }
}

class SicherungAbgebrochen : public testing::TestWithParam<const char *> { };
class WiederherstellenAbgebrochen : public testing::TestWithParam<const char *> { };

std::string punktName(const testing::TestParamInfo<const char *> &info)
{
    return QString::fromLatin1(info.param).remove(QLatin1Char('-')).toStdString();
}

} // namespace

// The run dies while it copies the calendar before its change: the change was not made, the
// unfinished copy is not listed, and the next change copies the calendar and clears it away.
TEST_P(SicherungAbgebrochen, KeineHalbeKopieUndDerKalenderBleibt)
{
    TempDir dir;
    TempDir home;
    const Umgebung umgebung { { s("KRONOBLATT_HOME"), home.path() } };
    Umgebung halt = umgebung;
    halt.push_back({ s("KRONOBLATT_HALTEPUNKT"), s(GetParam()) });
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), s("Haus"));

    const Lauf tot = cli({ s("passwort"), k.qvkPfad(), s("--neu"), s("geheim") }, halt);
    ASSERT_TRUE(tot.getoetet) << tot.err;
    EXPECT_EQ(kalenderFehler(k, QString()), QString());
    EXPECT_EQ(gelistet(k, umgebung), QStringList());

    const Lauf weiter = cli({ s("passwort"), k.qvkPfad(), s("--neu"), s("geheim") }, umgebung);
    ASSERT_EQ(weiter.code, 0) << weiter.err;
    EXPECT_EQ(kalenderFehler(k, s("geheim")), QString());
    const QStringList namen = gelistet(k, umgebung);
    EXPECT_EQ(namen.size(), 1);
    vollstaendig(home.path(), k, namen);
    EXPECT_EQ(QDir(home.file(s("Sicherungen/Haus")))
                  .entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
        namen);
}

INSTANTIATE_TEST_SUITE_P(Haltepunkte, SicherungAbgebrochen,
    testing::Values("sicherung-jahr-kopiert", "sicherung-geschrieben"), punktName);

// The calendar was protected after its copy was made, and the copy took on the password. A
// run that dies while putting the copy back leaves either state whole once the next writer
// takes the calendar's lock, never one table of each, and never a table readable without the
// password.
TEST_P(WiederherstellenAbgebrochen, GanzOderGarNicht)
{
    TempDir dir;
    TempDir home;
    const Umgebung umgebung { { s("KRONOBLATT_HOME"), home.path() } };
    Umgebung halt = umgebung;
    halt.push_back({ s("KRONOBLATT_HALTEPUNKT"), s(GetParam()) });
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), s("Haus"));
    ASSERT_EQ(cli({ s("passwort"), k.qvkPfad(), s("--neu"), s("geheim") }, umgebung).code, 0);
    const QStringList vorher = gelistet(k, umgebung);
    ASSERT_EQ(vorher.size(), 1);

    const QStringList zurueck
        = { s("wiederherstellen"), k.qvkPfad(), vorher.first(), s("--passwort"), s("geheim") };
    const Lauf tot = cli(zurueck, halt);
    ASSERT_TRUE(tot.getoetet) << tot.err;
    {
        const KalenderSperre naechsterSchreiber(k);
    }
    EXPECT_FALSE(klartext(k.jahrPfad()));
    EXPECT_FALSE(klartext(k.bildPfad()));
    EXPECT_EQ(kalenderFehler(k, s("geheim")), QString());
    EXPECT_EQ(reste(dir.path()), QStringList());
    vollstaendig(home.path(), k, gelistet(k, umgebung));

    const Lauf weiter = cli(zurueck, umgebung);
    ASSERT_EQ(weiter.code, 0) << weiter.err;
    EXPECT_FALSE(klartext(k.jahrPfad()));
    EXPECT_FALSE(klartext(k.bildPfad()));
    EXPECT_EQ(kalenderFehler(k, s("geheim")), QString());
    EXPECT_EQ(reste(dir.path()), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Haltepunkte, WiederherstellenAbgebrochen,
    testing::Values("wiederherstellen-kopiert", "wiederherstellen-alt-behalten",
        "wiederherstellen-bild-ersetzt", "wiederherstellen-jahr-ersetzt"),
    punktName);
