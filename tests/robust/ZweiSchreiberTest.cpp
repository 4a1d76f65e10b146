// Two kronoblatt-cli processes started together on one calendar: one writer at a time, the
// second reports what keeps it from writing, and the calendar stays whole.
#include "CliProzess.h"
#include "support/TestUtil.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

constexpr int kPaare = 6;

} // namespace

// Both runs reported success before, and then only one of the two passwords opened the table.
TEST(ZweiSchreiber, ZweiPasswortLaeufeZugleich)
{
    TempDir dir;
    for (int i = 0; i < kPaare; ++i) {
        const KalenderDatei k = test::kalenderAnlegen(dir.path(), QStringLiteral("P%1").arg(i));
        const QStringList pw = { u"erstes"_s, u"zweites"_s };
        std::unique_ptr<QProcess> laeufe[2];
        for (int j = 0; j < 2; ++j)
            laeufe[j] = cliStarten({ u"passwort"_s, k.qvkPfad(), u"--neu"_s, pw[j] });
        Lauf ende[2] = { cliWarten(*laeufe[0]), cliWarten(*laeufe[1]) };

        int erfolge = 0;
        for (int j = 0; j < 2; ++j) {
            ASSERT_FALSE(ende[j].getoetet) << ende[j].err;
            if (ende[j].code == 0) {
                ++erfolge;
                EXPECT_EQ(kalenderFehler(k, pw[j], 366), QString()) << "Passwort " << pw[j];
            } else {
                // The second waits for the first and then finds the table protected.
                EXPECT_TRUE(
                    ende[j].err.contains(u"Kein Passwort für Tabelle '%1'"_s.arg(k.jahrPfad()))
                    || ende[j].err.contains(u"wird gerade von einem anderen Programm"_s))
                    << ende[j].err;
            }
        }
        EXPECT_EQ(erfolge, 1) << "Paar " << i;
        EXPECT_EQ(reste(dir.path()), QStringList());
    }
}

// The loser of two generations of one calendar deleted the winner's year table before.
TEST(ZweiSchreiber, ZweiAnlagenZugleich)
{
    TempDir dir;
    for (int i = 0; i < kPaare; ++i) {
        const QString name = QStringLiteral("A%1").arg(i);
        std::unique_ptr<QProcess> laeufe[2];
        for (auto &l : laeufe)
            l = cliStarten(anlegenArgs(dir.path(), name));
        Lauf ende[2] = { cliWarten(*laeufe[0]), cliWarten(*laeufe[1]) };

        int erfolge = 0;
        for (const Lauf &l : ende) {
            ASSERT_FALSE(l.getoetet) << l.err;
            if (l.code == 0)
                ++erfolge;
            else
                EXPECT_TRUE(l.err.contains(u"Tabelle existiert bereits!"_s)
                    || l.err.contains(u"wird gerade von einem anderen Programm"_s))
                    << l.err;
        }
        EXPECT_EQ(erfolge, 1) << "Paar " << i;
        EXPECT_EQ(kalenderFehler(KalenderDatei::neu(dir.path(), name), QString()), QString());
        EXPECT_EQ(reste(dir.path()), QStringList());
    }
}
