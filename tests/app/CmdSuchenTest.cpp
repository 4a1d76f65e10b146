// kronoblatt-cli suchen, sicherungen and wiederherstellen.
#include "CliTestUtil.h"
#include "caldata/KalenderHilfe.h"
#include "platform/ProgramDir.h"

#include <QDir>
#include <gtest/gtest.h>

// Outputs of the runs in gtest's failure messages.
inline std::ostream &operator<<(std::ostream &os, const QString &text)
{
    return os << text.toStdString();
}

using namespace kb;
using kb::test::runCli;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

class CmdSuchen : public testing::Test {
protected:
    void SetUp() override
    {
        daten = ProgramDir::calendarDataDir();
        QDir().mkpath(daten);
        a = test::neuerKalender(daten, s("A"), 2024);
        b = test::neuerKalender(daten, s("B"), 2025);
        test::tagSchreiben(a, QDate(2024, 4, 8), s("Zahnarzt"), s("Füllung"));
        test::tagSchreiben(b, QDate(2025, 4, 7), s("Zahnärztin"));
    }

    test::EigenesProgrammverzeichnis home;
    QString daten;
    KalenderDatei a, b;
};

} // namespace

TEST_F(CmdSuchen, OhneKalenderAlleImKalenderdatenverzeichnisNeuestesJahrZuerst)
{
    const test::CliResult r = runCli({ s("suchen"), s("ZAHNA") });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, s("07.04.2025;B.QVK;Zahnärztin\n08.04.2024;A.QVK;Zahnarzt\n"));
}

TEST_F(CmdSuchen, NurDieGenanntenKalender)
{
    const test::CliResult r = runCli({ s("suchen"), s("fuellung"), a.qvkPfad() });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, s("08.04.2024;A.QVK;Füllung\n"));
}

TEST_F(CmdSuchen, NichtsGefundenIstExitCodeEins)
{
    const test::CliResult r = runCli({ s("suchen"), s("Ohrenarzt"), a.qvkPfad(), b.qvkPfad() });
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(r.err, s("Nichts gefunden: Ohrenarzt\n"));
}

TEST_F(CmdSuchen, LeererBegriffIstEinFalscherAufruf)
{
    const test::CliResult r = runCli({ s("suchen"), s(" ") });
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith(s("Der Suchbegriff ist leer.\nAufruf: kronoblatt-cli suchen "
                                   "BEGRIFF [KALENDER.QVK …]")))
        << r.err;
}

TEST_F(CmdSuchen, GeschuetzterOhnePasswortWirdUebersprungen)
{
    test::schuetzen(b, s("pw"));
    const test::CliResult r = runCli({ s("suchen"), s("zahn") });
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, s("08.04.2024;A.QVK;Zahnarzt\n"));
    EXPECT_TRUE(r.err.startsWith(s("Übersprungen: ") + QDir::toNativeSeparators(b.qvkPfad())))
        << r.err;

    const test::CliResult mit = runCli({ s("suchen"), s("zahn"), s("--passwort"), s("pw") });
    EXPECT_EQ(mit.out, s("07.04.2025;B.QVK;Zahnärztin\n08.04.2024;A.QVK;Zahnarzt\n"));
}

// A change by the command line copies the calendar first; the copy is listed and comes back.
TEST_F(CmdSuchen, SicherungenUndWiederherstellen)
{
    EXPECT_EQ(runCli({ s("sicherungen"), a.qvkPfad() }).code, 1);
    ASSERT_EQ(runCli({ s("passwort"), a.qvkPfad(), s("--neu"), s("pw") }).code, 0);

    const test::CliResult liste = runCli({ s("sicherungen"), a.qvkPfad() });
    ASSERT_EQ(liste.code, 0) << liste.err;
    const QStringList zeilen = liste.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(zeilen.size(), 1);
    const QStringList felder = zeilen.first().split(QLatin1Char(';'));
    ASSERT_EQ(felder.size(), 4);
    EXPECT_EQ(felder.at(1),
        QDateTime::fromString(felder.at(0), s("yyyy-MM-dd_HH-mm-ss")).toString(s("dd.MM.yyyy")));

    const test::CliResult zurueck
        = runCli({ s("wiederherstellen"), a.qvkPfad(), felder.at(0), s("--passwort"), s("pw") });
    ASSERT_EQ(zurueck.code, 0) << zurueck.err;
    // The copy was made before the password and took it on with the calendar: the restored
    // calendar is still protected.
    EXPECT_EQ(runCli({ s("suchen"), s("zahnarzt"), a.qvkPfad() }).out, QString());
    const test::CliResult suche
        = runCli({ s("suchen"), s("zahnarzt"), a.qvkPfad(), s("--passwort"), s("pw") });
    EXPECT_EQ(suche.out, s("08.04.2024;A.QVK;Zahnarzt\n"));
    EXPECT_EQ(runCli({ s("sicherungen"), a.qvkPfad() }).out.count(QLatin1Char('\n')), 2);

    const test::CliResult falsch = runCli({ s("wiederherstellen"), a.qvkPfad(), s("gibtsnicht") });
    EXPECT_EQ(falsch.code, 1);
}
