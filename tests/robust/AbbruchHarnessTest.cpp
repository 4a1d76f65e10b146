// The crash harness: kronoblatt-cli killed (SIGKILL) at random moments while it creates a
// calendar, changes its password and writes a settings file. After every kill each calendar
// is absent or complete (opens, passes the integrity check, holds all its records), a
// protected table has no copy in plain text beside it, and the next run goes on from there.
// The normal test run kills a few times per command; KRONOBLATT_ABBRUCH_LAEUFE sets the
// number of runs per command (e.g. 100 for a few hundred kills in all).
#include "CliProzess.h"
#include "caldata/KalenderSperre.h"
#include "settings/IniFile.h"
#include "settings/LayoutSettings.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

int laeufe()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KRONOBLATT_ABBRUCH_LAEUFE", &ok);
    return ok && n > 0 ? n : 6;
}

// Runs `args` once to its end and returns how long it took, in milliseconds.
int dauer(const QStringList &args, const Umgebung &umgebung = {})
{
    QElapsedTimer t;
    t.start();
    const Lauf l = cli(args, umgebung);
    EXPECT_EQ(l.code, 0) << l.err;
    return std::max<int>(int(t.elapsed()), 1);
}

// Starts `args`, kills it after a random time up to `bis` milliseconds (or lets it finish
// when it is quicker) and waits for its end.
Lauf zufaelligToeten(const QStringList &args, int bis, const Umgebung &umgebung = {})
{
    std::unique_ptr<QProcess> p = cliStarten(args, umgebung);
    p->waitForStarted();
    QThread::msleep(QRandomGenerator::global()->bounded(bis + 1));
    p->kill();
    return cliWarten(*p);
}

// Every file in `dir` that holds a table in plain text which others than its owner may read,
// except those listed.
QStringList lesbareKlartextDateien(const QString &dir, const QStringList &ausser)
{
    QStringList found;
    const QStringList all = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &f : all) {
        const QFile::Permissions fremd = QFile::ReadGroup | QFile::ReadOther;
        if (!ausser.contains(f) && klartext(dir + f) && (QFile::permissions(dir + f) & fremd))
            found.append(f);
    }
    return found;
}

} // namespace

TEST(AbbruchHarness, Anlegen)
{
    TempDir dir;
    const int bis = dauer(anlegenArgs(dir.path(), u"Probe"_s));
    for (int i = 0; i < laeufe(); ++i) {
        const QString name = QStringLiteral("K%1").arg(i);
        const KalenderDatei k = KalenderDatei::neu(dir.path(), name);
        zufaelligToeten(anlegenArgs(dir.path(), name), bis);
        const QString nachKill = kalenderFehler(k, QString());
        ASSERT_TRUE(nachKill.isEmpty() || nachKill == u"fehlt"_s)
            << "Lauf " << i << ": " << nachKill;

        const Lauf weiter = cli(anlegenArgs(dir.path(), name));
        EXPECT_TRUE(weiter.code == 0 || weiter.err.contains(u"Tabelle existiert bereits!"_s))
            << weiter.err;
        EXPECT_EQ(kalenderFehler(k, QString()), QString()) << "Lauf " << i;
    }
    EXPECT_EQ(reste(dir.path()), QStringList());
}

// Protection set and removed in turn; the old or the new password opens the table, never
// neither, and while it is protected no readable copy lies beside it.
TEST(AbbruchHarness, Passwort)
{
    TempDir dir;
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), u"Haus"_s);
    QString aktuell;
    const auto args = [&](const QString &neu) {
        QStringList a = { u"passwort"_s, k.qvkPfad(), u"--neu"_s, neu };
        if (!aktuell.isEmpty())
            a << u"--passwort"_s << aktuell;
        return a;
    };
    const int bis = dauer(args(u"probe"_s));
    aktuell = u"probe"_s;
    for (int i = 0; i < laeufe(); ++i) {
        const QString neu = aktuell.isEmpty() ? QStringLiteral("pw%1").arg(i) : QString();
        zufaelligToeten(args(neu), bis);
        // The next writer on the calendar finishes what the kill left: it takes the lock,
        // which puts back both tables of an unfinished change.
        {
            const KalenderSperre naechster(k);
        }
        if (kalenderFehler(k, neu).isEmpty()) {
            aktuell = neu;
        } else {
            ASSERT_EQ(kalenderFehler(k, aktuell), QString()) << "Lauf " << i;
        }
        // A removal killed while it writes the table's plain copy leaves that copy, readable
        // by its owner only, until the next run on the calendar removes it.
        if (!aktuell.isEmpty()) {
            EXPECT_EQ(lesbareKlartextDateien(dir.path(), { k.bildTabelle }), QStringList())
                << "Lauf " << i;
        }
    }
    const Lauf letzter = cli(args(u"ende"_s));
    EXPECT_EQ(letzter.code, 0) << letzter.err;
    EXPECT_EQ(kalenderFehler(k, u"ende"_s), QString());
    EXPECT_EQ(reste(dir.path()), QStringList());
}

// The demo writes its calendar and its own settings file with the school holidays.
TEST(AbbruchHarness, Einstellungen)
{
    TempDir home;
    TempDir dir;
    const Umgebung umgebung = { { u"KRONOBLATT_HOME"_s, home.path() } };
    const auto args = [&](const QString &verzeichnis) {
        return QStringList { u"demo"_s, u"--verzeichnis"_s, verzeichnis, u"--jahr"_s, u"2024"_s,
            u"--land"_s, u"Bayern"_s };
    };
    const int bis = dauer(args(dir.file(u"probe"_s)), umgebung);
    for (int i = 0; i < laeufe(); ++i) {
        const QString verzeichnis = dir.file(QStringLiteral("d%1").arg(i)) + QLatin1Char('/');
        const KalenderDatei k = KalenderDatei::neu(verzeichnis, u"Demo2024-Bayern"_s);
        const QString ini = verzeichnis + u"Demo2024-Bayern.ini"_s;
        zufaelligToeten(args(verzeichnis), bis, umgebung);
        const QString nachKill = kalenderFehler(k, QString());
        ASSERT_TRUE(nachKill.isEmpty() || nachKill == u"fehlt"_s)
            << "Lauf " << i << ": " << nachKill;
        // The settings file is there with all its school-holiday keys, or not at all.
        if (QFile::exists(ini)) {
            const IniFile::Snapshot snap = IniFile(ini).snapshot();
            for (int f = 0; f < kFerienCount; ++f) {
                for (const char *teil : { "Beginn", "Ende" }) {
                    const QString key
                        = ferienName(static_cast<Ferien>(f)) + QString::fromUtf8(teil);
                    EXPECT_NE(snap.readString(sectionFerien(), key, u"fehlt"_s), u"fehlt"_s)
                        << "Lauf " << i << ": " << key.toStdString();
                }
            }
        }

        const Lauf weiter = cli(args(verzeichnis), umgebung);
        EXPECT_EQ(weiter.code, 0) << weiter.err;
        EXPECT_EQ(kalenderFehler(k, QString()), QString()) << "Lauf " << i;
        EXPECT_EQ(reste(verzeichnis), QStringList());
    }
}

// The school holidays written into a large settings file: after every kill the file holds its
// old content or all eighteen new values, and the next run leaves no copy of it behind.
TEST(AbbruchHarness, Ferien)
{
    TempDir dir;
    const QString ini = dir.file(u"Kalvalues.ini"_s);
    QByteArray alt = "; meine Einstellungen\r\n[User]\r\nFirma=A\r\n";
    for (int i = 0; i < 20'000; ++i)
        alt += "[Abschnitt" + QByteArray::number(i) + "]\r\nA=1\r\n";
    const auto args = [&](int jahr) {
        return QStringList { u"ferien"_s, u"Hessen"_s, QString::number(jahr), u"--einstellungen"_s,
            ini };
    };
    writeAll(ini, alt);
    const int bis = dauer(args(2026));
    for (int i = 0; i < laeufe(); ++i) {
        writeAll(ini, alt);
        zufaelligToeten(args(2026), bis);
        const QByteArray nachKill = readAll(ini);
        if (nachKill != alt) {
            ASSERT_TRUE(nachKill.startsWith(alt.left(40))) << "Lauf " << i;
            const IniFile::Snapshot snap = IniFile(ini).snapshot();
            for (int f = 0; f < kFerienCount; ++f) {
                const QString key = ferienName(static_cast<Ferien>(f)) + u"Ende"_s;
                EXPECT_NE(snap.readString(sectionFerien(), key, u"fehlt"_s), u"fehlt"_s)
                    << "Lauf " << i << ": " << key.toStdString();
            }
        }
        const Lauf weiter = cli(args(2026));
        EXPECT_EQ(weiter.code, 0) << weiter.err;
        EXPECT_EQ(reste(dir.path()), QStringList()) << "Lauf " << i;
    }
}
