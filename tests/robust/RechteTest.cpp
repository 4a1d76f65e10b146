// `passwort` rewrites the year table: the new file keeps owner, group and mode, a read-only
// table is refused, and a symbolic link stays a link to the rewritten table.
#include "CliProzess.h"
#include "support/TestUtil.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
#endif

using namespace kb;
using namespace kb::test;

namespace {

Lauf passwort(const KalenderDatei &k, const QString &alt, const QString &neu)
{
    QStringList args = { u"passwort"_s, k.qvkPfad(), u"--neu"_s, neu };
    if (!alt.isEmpty())
        args << u"--passwort"_s << alt;
    return cli(args);
}

#ifndef Q_OS_WIN
struct stat status(const QString &path)
{
    struct stat st { };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

unsigned modus(const QString &path)
{
    return status(path).st_mode & 07777;
}
#endif

} // namespace

#ifndef Q_OS_WIN
TEST(PasswortRechte, SetzenUndAufhebenBehaltenDenModus)
{
    for (const unsigned mode : { 0600u, 0640u, 0664u }) {
        TempDir dir;
        const KalenderDatei k = test::kalenderAnlegen(dir.path(), u"Haus"_s);
        ASSERT_EQ(::chmod(QFile::encodeName(k.jahrPfad()).constData(), mode), 0);

        const Lauf setzen = passwort(k, QString(), u"geheim"_s);
        ASSERT_EQ(setzen.code, 0) << setzen.err;
        EXPECT_EQ(modus(k.jahrPfad()), mode) << std::oct << mode;
        EXPECT_FALSE(klartext(k.jahrPfad()));

        const Lauf aufheben = passwort(k, u"geheim"_s, QString());
        ASSERT_EQ(aufheben.code, 0) << aufheben.err;
        EXPECT_EQ(modus(k.jahrPfad()), mode) << std::oct << mode;
        EXPECT_TRUE(klartext(k.jahrPfad()));
        EXPECT_EQ(kalenderFehler(k, QString()), QString());
    }
}

// Giving a file to another owner takes the administrator's rights.
TEST(PasswortRechte, BehaeltBesitzerUndGruppe)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "nur als Administrator";
    TempDir dir;
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), u"Haus"_s);
    ASSERT_EQ(::chown(QFile::encodeName(k.jahrPfad()).constData(), 1234, 2345), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(k.jahrPfad()).constData(), 0640), 0);

    const Lauf setzen = passwort(k, QString(), u"geheim"_s);
    ASSERT_EQ(setzen.code, 0) << setzen.err;
    EXPECT_EQ(status(k.jahrPfad()).st_uid, 1234u);
    EXPECT_EQ(status(k.jahrPfad()).st_gid, 2345u);
    EXPECT_EQ(modus(k.jahrPfad()), 0640u);
}

TEST(PasswortRechte, SchreibgeschuetzteTabelleWirdNichtVeraendert)
{
    TempDir dir;
    const KalenderDatei k = test::kalenderAnlegen(dir.path(), u"Haus"_s);
    ASSERT_EQ(::chmod(QFile::encodeName(k.jahrPfad()).constData(), 0444), 0);
    const QByteArray vorher = readAll(k.jahrPfad());

    const Lauf setzen = passwort(k, QString(), u"geheim"_s);
    EXPECT_EQ(setzen.code, 1);
    EXPECT_TRUE(setzen.err.contains(
        u"Die Tabelle '%1' ist schreibgeschützt; das Passwort wurde nicht geändert."_s.arg(
            k.jahrPfad())))
        << setzen.err;
    EXPECT_EQ(readAll(k.jahrPfad()), vorher);
    EXPECT_EQ(modus(k.jahrPfad()), 0444u);
    EXPECT_EQ(reste(dir.path()), QStringList());
}
#endif

// The calendar's tables live elsewhere and are reached through links.
TEST(PasswortRechte, EinLinkBleibtUndSeinZielWirdVerschluesselt)
{
    TempDir dir;
    TempDir woanders;
    const KalenderDatei echt = test::kalenderAnlegen(woanders.path(), u"Echt"_s);
    const KalenderDatei k = KalenderDatei::neu(dir.path(), u"Haus"_s);
    ASSERT_TRUE(QFile::copy(echt.qvkPfad(), k.qvkPfad()));
    ASSERT_TRUE(QFile::link(echt.jahrPfad(), k.jahrPfad()));
    ASSERT_TRUE(QFile::link(echt.bildPfad(), k.bildPfad()));

    const Lauf setzen = passwort(k, QString(), u"geheim"_s);
    ASSERT_EQ(setzen.code, 0) << setzen.err;
    EXPECT_TRUE(QFileInfo(k.jahrPfad()).isSymLink());
    EXPECT_EQ(QFileInfo(k.jahrPfad()).symLinkTarget(), echt.jahrPfad());
    EXPECT_FALSE(klartext(echt.jahrPfad()));
    EXPECT_EQ(kalenderFehler(k, u"geheim"_s), QString());
    EXPECT_EQ(reste(dir.path()), QStringList());
    EXPECT_EQ(reste(woanders.path()), QStringList());
}
