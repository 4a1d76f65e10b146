#include "caldata/Assistent.h"
#include "caldata/KalenderAnlage.h"
#include "support/TestUtil.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kb;

namespace {

TEST(Assistent, ChosenDirectoryDropsTrailingSeparators)
{
    const QChar sep = QDir::separator();
    const auto nativ
        = [](const char *p) { return QDir::toNativeSeparators(QString::fromLatin1(p)); };
    const struct {
        const char *gewaehlt;
        QString feld;
    } faelle[] = {
        { "/home/u/Kalender", nativ("/home/u/Kalender") },
        { "C:/", QStringLiteral("C:") },
        { "/", QString(sep) },
        { "/daten/", nativ("/daten") },
    };
    for (const auto &f : faelle)
        EXPECT_EQ(Assistent::gewaehltesVerzeichnis(QString::fromLatin1(f.gewaehlt)), f.feld)
            << f.gewaehlt;
}

TEST(Assistent, StepTwoChecksInOrder)
{
    test::TempDir dir;
    AnlageEingaben e;
    e.jahr = 2024;
    EXPECT_EQ(eingabenPruefen(e), QStringLiteral("Sie müssen einen Verzeichnispfad auswählen !"));
    e.verzeichnis = dir.path();
    EXPECT_EQ(eingabenPruefen(e), QStringLiteral("Sie müssen einen Dateinamen eingeben !"));
    e.datei = QStringLiteral("Familie");
    EXPECT_EQ(eingabenPruefen(e), QString());
    e.verzeichnis = dir.file(QStringLiteral("fehlt"));
    EXPECT_TRUE(eingabenPruefen(e).contains(QStringLiteral("gibt es nicht")));
}

TEST(Assistent, InstructionTextsOfTheThreeSteps)
{
    EXPECT_EQ(Assistent::anleitung(1).size(), 2);
    EXPECT_EQ(Assistent::anleitung(2).size(), 7);
    EXPECT_EQ(Assistent::anleitung(3).size(), 8);
    EXPECT_EQ(Assistent::anleitung(3)[6], QStringLiteral("Wählen Sie ' Fertigstellen '"));
    EXPECT_TRUE(Assistent::anleitung(4).isEmpty());
}

} // namespace
