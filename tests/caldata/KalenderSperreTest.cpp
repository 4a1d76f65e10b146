// The lock of a calendar, the rename that never replaces, and what the next writer removes
// of killed runs.
#include "caldata/KalenderSperre.h"
#include "caldata/KalenderAnlage.h"
#include "platform/Dateirechte.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
#endif

using namespace kb;
using namespace std::chrono_literals;

namespace {

QStringList dateienIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

#ifndef Q_OS_WIN
// Another program (here: a descriptor of its own, as a second process has) holds the lock.
TEST(KalenderSperre, EinZweiterSchreiberWartetUndBekommtDannEineMeldung)
{
    test::TempDir dir;
    const KalenderDatei k = KalenderDatei::neu(dir.path(), u"Haus"_s);
    const QByteArray lockName = QFile::encodeName(KalenderSperre::sperrdatei(k));
    const int fd = ::open(lockName.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);

    EXPECT_EQ(
        test::errorOf([&] { KalenderSperre sperre(k, 100ms); }), KalenderSperre::belegtMeldung(k));
    EXPECT_TRUE(KalenderSperre::belegtMeldung(k).contains(u"Haus.QVK"_s));

    ::flock(fd, LOCK_UN);
    EXPECT_EQ(test::errorOf([&] { KalenderSperre sperre(k, 100ms); }), QString());
    ::close(fd);
}

TEST(KalenderSperre, GiltFuerNamenInGrossUndKleinschreibungGleich)
{
    test::TempDir dir;
    EXPECT_EQ(KalenderSperre::sperrdatei(KalenderDatei::neu(dir.path(), u"Haus"_s)),
        KalenderSperre::sperrdatei(KalenderDatei::neu(dir.path(), u"HAUS"_s)));
}
#endif

// A command holding the lock calls code that takes it again; it is released by the last.
TEST(KalenderSperre, InEinemProgrammGeschachteltUndDanachFrei)
{
    test::TempDir dir;
    const KalenderDatei k = KalenderDatei::neu(dir.path(), u"Haus"_s);
    {
        KalenderSperre aussen(k, 0ms);
        KalenderSperre innen(k, 0ms);
    }
    Dateisperre fremd(KalenderSperre::sperrdatei(k));
    EXPECT_TRUE(fremd.nehmen(0ms));
}

TEST(Umbenennen, ErsetztNieEineVorhandeneDatei)
{
    test::TempDir dir;
    test::writeAll(dir.file(u"neu"_s), "neu");
    test::writeAll(dir.file(u"alt"_s), "alt");
    EXPECT_EQ(dateien::umbenennenOhneErsetzen(dir.file(u"neu"_s), dir.file(u"alt"_s)),
        dateien::Umbenennung::ZielVorhanden);
    EXPECT_EQ(test::readAll(dir.file(u"alt"_s)), "alt");
    EXPECT_EQ(test::readAll(dir.file(u"neu"_s)), "neu");

    EXPECT_EQ(dateien::umbenennenOhneErsetzen(dir.file(u"neu"_s), dir.file(u"frei"_s)),
        dateien::Umbenennung::Erledigt);
    EXPECT_EQ(test::readAll(dir.file(u"frei"_s)), "neu");
    EXPECT_FALSE(QFile::exists(dir.file(u"neu"_s)));
}

// What a kill left: the copies of a password rewrite and the tables of a generation whose
// calendar file never followed. A table of that name that is not the generation's own stays.
TEST(KalenderSperre, EntferntDieResteAbgebrochenerLaeufe)
{
    test::TempDir dir;
    const KalenderDatei k = KalenderDatei::neu(dir.path(), u"Haus"_s);
    for (const char *rest : { "Haus.DB.kbtmp", "Haus.DB.kbtmp-journal", "HausBild.DB.kbtmp",
             ".kbneu-abc.DB", ".kbneu-abc.QVK", ".kbneu-abcBild.DB" })
        test::writeAll(dir.file(QString::fromUtf8(rest)), "x");
    test::writeAll(dir.file(u"Haus.DB"_s), "Tage");
    test::writeAll(dir.file(u"HausBild.DB"_s), "Monate, vom Benutzer hingelegt");
    test::writeAll(dir.file(u".kbneu-zzz.DB"_s), "fremde Anlage");
    const QByteArray marke
        = "tag abc\nHaus.DB " + dateien::kennung(k.jahrPfad()).toUtf8() + "\nHausBild.DB 1:1\n";
    test::writeAll(anlageMarke(k), marke);

    {
        KalenderSperre sperre(k, 0ms);
    }

    EXPECT_EQ(dateienIn(dir.path()),
        (QStringList { u".haus.kbsperre"_s, u".kbneu-zzz.DB"_s, u"HausBild.DB"_s }));
}

// After a kill between the renames a new generation of the same calendar succeeds.
TEST(KalenderSperre, AnlegenNachAbgebrochenerAnlage)
{
    test::TempDir dir;
    AnlageEingaben e;
    e.land = u"Bayern"_s;
    e.verzeichnis = dir.path();
    e.datei = u"Haus"_s;
    e.jahr = 2023;
    const KalenderDatei k = kalenderAnlegen(e).dateien;
    // As a kill right after the year table moved leaves it: the mark, the table in place.
    ASSERT_TRUE(QFile::remove(k.qvkPfad()));
    ASSERT_TRUE(QFile::remove(k.bildPfad()));
    test::writeAll(dir.file(u".kbneu-q1.QVK"_s), "x");
    test::writeAll(
        anlageMarke(k), "tag q1\nHaus.DB " + dateien::kennung(k.jahrPfad()).toUtf8() + "\n");

    const AnlageErgebnis r = kalenderAnlegen(e);
    EXPECT_EQ(r.tage, 365);
    EXPECT_EQ(dateienIn(dir.path()),
        (QStringList { u".haus.kbsperre"_s, u"Haus.DB"_s, u"Haus.QVK"_s, u"HausBild.DB"_s }));
}
