// The desktop program holds a calendar open while kronoblatt-cli changes its password and is
// killed after writing the safety copies. The desktop's next save takes the calendar's lock,
// which puts the copies back, and goes into the table now in place: the next writer keeps it.
// While another program holds the lock a save is refused with a message and stays pending.
#include "CliProzess.h"
#include "caldata/KalenderSperre.h"
#include "platform/Error.h"
#include "shell/KalenderSitzung.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QFile>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
#endif

using namespace kb;
using namespace kb::test;

namespace {

const QDate kTag(2024, 5, 8);

// The day text of `tag` as a fresh reader sees it in the table file.
QString gespeicherterText(const KalenderDatei &k, const QDate &tag)
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    EXPECT_TRUE(t.locate(u"Datum"_s, tag));
    return t.asString(u"Text"_s);
}

void textSetzen(KalenderSitzung &sitzung, const QString &text)
{
    ASSERT_TRUE(sitzung.jahr().locate(u"Datum"_s, kTag));
    sitzung.jahr().setString(u"Text"_s, text);
}

} // namespace

struct AbgebrochenerWechsel {
    const char *name;
    bool zweitesMalSpeichern; // a second save after the first (the table is already new)
};

class FensterNebenAbgebrochenemPasswort : public testing::TestWithParam<AbgebrochenerWechsel> { };

TEST_P(FensterNebenAbgebrochenemPasswort, DieGespeicherteAenderungBleibt)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
    KalenderSitzung sitzung(kTag);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());

    const Lauf tot = cli({ u"passwort"_s, k.qvkPfad(), u"--neu"_s, u"geheim"_s },
        { { u"KRONOBLATT_HALTEPUNKT"_s, u"passwort-kopie-geschrieben"_s } });
    ASSERT_TRUE(tot.getoetet) << tot.err;
    ASSERT_FALSE(reste(dir.path()).isEmpty());

    textSetzen(sitzung, u"Zahnarzt 9 Uhr"_s);
    EXPECT_EQ(errorOf([&] { sitzung.jahr().post(); }), QString());
    if (GetParam().zweitesMalSpeichern) {
        textSetzen(sitzung, u"Zahnarzt 10 Uhr"_s);
        EXPECT_EQ(errorOf([&] { sitzung.jahr().post(); }), QString());
    }
    const QString erwartet
        = GetParam().zweitesMalSpeichern ? u"Zahnarzt 10 Uhr"_s : u"Zahnarzt 9 Uhr"_s;
    EXPECT_EQ(reste(dir.path()), QStringList());

    // The next writers (the desktop opening the calendar again, a command) keep the edit.
    sitzung.schliessen(false);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());
    sitzung.schliessen(false);
    const Lauf naechster = cli({ u"passwort"_s, k.qvkPfad(), u"--neu"_s, u"geheim"_s });
    EXPECT_EQ(naechster.code, 0) << naechster.err;
    EXPECT_EQ(kalenderFehler(k, u"geheim"_s), QString());
    Session::addPassword(u"geheim"_s);
    EXPECT_EQ(gespeicherterText(k, kTag), erwartet);
    Session::removeAllPasswords();
    EXPECT_EQ(ui->messages(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Faelle, FensterNebenAbgebrochenemPasswort,
    testing::Values(
        AbgebrochenerWechsel { "einmal", false }, AbgebrochenerWechsel { "zweimal", true }),
    [](const auto &info) { return std::string(info.param.name); });

#ifndef Q_OS_WIN
// Another program holds the lock: the save is refused with the German message, the edit stays
// pending; closing asks whether to discard it, and "Nein" keeps it until it can be saved.
TEST(FensterSchreiber, EineNichtGespeicherteAenderungGehtNichtStillVerloren)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
    KalenderSitzung sitzung(kTag);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());

    const QByteArray lockName = QFile::encodeName(KalenderSperre::sperrdatei(k));
    const int fd = ::open(lockName.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

    textSetzen(sitzung, u"Elternabend"_s);
    EXPECT_EQ(errorOf([&] { sitzung.jahr().post(); }), KalenderSperre::belegtMeldung(k));
    EXPECT_EQ(sitzung.jahr().state(), Table::State::Edit);
    EXPECT_EQ(sitzung.jahr().asString(u"Text"_s), u"Elternabend"_s);

    ui->answerQuestion(false);
    sitzung.schliessen(true);
    EXPECT_TRUE(sitzung.offen());
    ASSERT_EQ(ui->questions().size(), 1);
    EXPECT_TRUE(ui->questions().at(0).startsWith(KalenderSperre::belegtMeldung(k)));
    EXPECT_EQ(ui->questions().at(0), aenderungVerwerfenFrage(KalenderSperre::belegtMeldung(k)));
    EXPECT_EQ(sitzung.jahr().state(), Table::State::Edit);

    ::flock(fd, LOCK_UN);
    ::close(fd);
    sitzung.schliessen(true);
    EXPECT_FALSE(sitzung.offen());
    EXPECT_EQ(gespeicherterText(k, kTag), u"Elternabend"_s);
    EXPECT_TRUE(ui->scriptDone());
}

// "Ja" discards the edit that cannot be saved, and the calendar closes.
TEST(FensterSchreiber, VerwerfenSchliesstOhneZuSpeichern)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
    const QString vorher = gespeicherterText(k, kTag);
    KalenderSitzung sitzung(kTag);
    ASSERT_TRUE(sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet());

    const QByteArray lockName = QFile::encodeName(KalenderSperre::sperrdatei(k));
    const int fd = ::open(lockName.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    textSetzen(sitzung, u"Elternabend"_s);
    ui->answerQuestion(true);
    EXPECT_TRUE(sitzung.aenderungenSichern());
    EXPECT_EQ(sitzung.jahr().state(), Table::State::Browse);
    ::flock(fd, LOCK_UN);
    ::close(fd);
    sitzung.schliessen(false);
    EXPECT_EQ(gespeicherterText(k, kTag), vorher);
}
#endif
