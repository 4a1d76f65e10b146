#include "caldata/FerienSeiten.h"
#include "caldata/FeiertageUNIT.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kb;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The pages made from the installed table: an overview and a page per state with every
// holiday, weekday and length, the unconfirmed dates marked and the source and licence named.
TEST(FerienSeiten, InstalledTableGivesAnOverviewAndAPagePerState)
{
    test::TempDir dir;
    const QString ordner = dir.file(s("QVFerien/"));
    EXPECT_EQ(ferienSeitenAktualisieren(s(KB_SOURCE_DIR "/data/schulferien.csv"), ordner), 17);
    QStringList erwartet { s("Schulferien.htm") };
    for (const QString &land : bundeslaender())
        erwartet.append(s("Schulferien %1.htm").arg(land));
    erwartet.sort();
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files, QDir::Name), erwartet);

    const QString hessen = QString::fromUtf8(test::readAll(ordner + s("Schulferien Hessen.htm")));
    for (const char *teil : { "<title>Schulferien Hessen</title>", "<meta charset=\"utf-8\">",
             "<h2>Schuljahr 2026/27</h2>",
             "<tr><td>Herbstferien</td><td>Mo 05.10.2026</td><td>Sa 17.10.2026</td>"
             "<td class=\"zahl\">13</td><td></td></tr>",
             "Open Database License", "<a href=\"Schulferien.htm\">" })
        EXPECT_TRUE(hessen.contains(s(teil))) << teil;
    const QString bw
        = QString::fromUtf8(test::readAll(ordner + s("Schulferien Baden-Württemberg.htm")));
    EXPECT_TRUE(bw.contains(s("<tr><td>Osterferien/Frühjahrsferien</td><td>Di 30.03.2027</td>"
                              "<td>Sa 03.04.2027</td><td class=\"zahl\">5</td><td><span "
                              "class=\"hinweis\">vorläufig: andere Quelle nennt abweichende "
                              "Tage</span></td></tr>")))
        << bw.toStdString();
    const QString uebersicht = QString::fromUtf8(test::readAll(ordner + s("Schulferien.htm")));
    EXPECT_TRUE(uebersicht.contains(s("Schuljahre 2025/26 bis 2029/30")));
    EXPECT_TRUE(uebersicht.contains(
        s("<tr><td><a href=\"Schulferien Hessen.htm\">Hessen</a></td><td>29.06. – 07.08.</td>")))
        << uebersicht.toStdString();
}

// Only pages whose content changed are written again.
TEST(FerienSeiten, OnlyChangedPagesAreWritten)
{
    test::TempDir dir;
    const QString csv = dir.file(s("schulferien.csv"));
    const QString ordner = dir.file(s("QVFerien/"));
    test::writeAll(csv,
        "# Testquelle, Lizenz X\n"
        "land;schuljahr;art;beginn;ende;bestaetigt;umstritten;quelle\n"
        "Hessen;2026/27;Sommerferien;28.06.2027;06.08.2027;ja;nein;T\n"
        "Bayern;2026/27;Sommerferien;02.08.2027;13.09.2027;ja;nein;T\n");
    EXPECT_EQ(ferienSeitenAktualisieren(csv, ordner), 3);
    EXPECT_EQ(ferienSeitenAktualisieren(csv, ordner), 0);
    test::writeAll(csv,
        "# Testquelle, Lizenz X\n"
        "land;schuljahr;art;beginn;ende;bestaetigt;umstritten;quelle\n"
        "Hessen;2026/27;Sommerferien;28.06.2027;06.08.2027;ja;nein;T\n"
        "Bayern;2026/27;Sommerferien;02.08.2027;14.09.2027;nein;nein;T\n");
    const QByteArray hessen = test::readAll(ordner + s("Schulferien Hessen.htm"));
    EXPECT_EQ(ferienSeitenAktualisieren(csv, ordner), 2);
    EXPECT_EQ(test::readAll(ordner + s("Schulferien Hessen.htm")), hessen);
    EXPECT_TRUE(QString::fromUtf8(test::readAll(ordner + s("Schulferien Bayern.htm")))
                    .contains(s("Di 14.09.2027")));
    EXPECT_TRUE(QString::fromUtf8(test::readAll(ordner + s("Schulferien.htm")))
                    .contains(s("Testquelle, Lizenz X")));
}

} // namespace
