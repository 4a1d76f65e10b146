#include "caldata/FerienSeiten.h"
#include "caldata/FeiertageUNIT.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;

namespace {

// The pages made from the installed table: an overview and a page per state with every
// holiday, weekday and length, the unconfirmed dates marked and the source and licence named.
TEST(FerienSeiten, InstalledTableGivesAnOverviewAndAPagePerState)
{
    test::TempDir dir;
    const QString ordner = dir.file(u"QVFerien/"_s);
    EXPECT_EQ(
        ferienSeitenAktualisieren(QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv"), ordner),
        17);
    QStringList erwartet { u"Schulferien.htm"_s };
    for (const QString &land : bundeslaender())
        erwartet.append(u"Schulferien %1.htm"_s.arg(land));
    erwartet.sort();
    EXPECT_EQ(QDir(ordner).entryList(QDir::Files, QDir::Name), erwartet);

    const QString hessen = QString::fromUtf8(test::readAll(ordner + u"Schulferien Hessen.htm"_s));
    for (const char *teil : { "<title>Schulferien Hessen</title>", "<meta charset=\"utf-8\">",
             "<h2>Schuljahr 2026/27</h2>",
             "<tr><td>Herbstferien</td><td>Mo 05.10.2026</td><td>Sa 17.10.2026</td>"
             "<td class=\"zahl\">13</td><td></td></tr>",
             "Open Database License", "<a href=\"Schulferien.htm\">" })
        EXPECT_TRUE(hessen.contains(QString::fromUtf8(teil))) << teil;
    const QString bw
        = QString::fromUtf8(test::readAll(ordner + u"Schulferien Baden-Württemberg.htm"_s));
    EXPECT_TRUE(bw.contains(u"<tr><td>Osterferien/Frühjahrsferien</td><td>Di 30.03.2027</td>"
                            "<td>Sa 03.04.2027</td><td class=\"zahl\">5</td><td><span "
                            "class=\"hinweis\">vorläufig: andere Quelle nennt abweichende "
                            "Tage</span></td></tr>"_s))
        << bw.toStdString();
    const QString uebersicht = QString::fromUtf8(test::readAll(ordner + u"Schulferien.htm"_s));
    EXPECT_TRUE(uebersicht.contains(u"Schuljahre 2025/26 bis 2029/30"_s));
    EXPECT_TRUE(uebersicht.contains(
        u"<tr><td><a href=\"Schulferien Hessen.htm\">Hessen</a></td><td>29.06. – 07.08.</td>"_s))
        << uebersicht.toStdString();
}

// Only pages whose content changed are written again.
TEST(FerienSeiten, OnlyChangedPagesAreWritten)
{
    test::TempDir dir;
    const QString csv = dir.file(u"schulferien.csv"_s);
    const QString ordner = dir.file(u"QVFerien/"_s);
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
    const QByteArray hessen = test::readAll(ordner + u"Schulferien Hessen.htm"_s);
    EXPECT_EQ(ferienSeitenAktualisieren(csv, ordner), 2);
    EXPECT_EQ(test::readAll(ordner + u"Schulferien Hessen.htm"_s), hessen);
    EXPECT_TRUE(QString::fromUtf8(test::readAll(ordner + u"Schulferien Bayern.htm"_s))
                    .contains(u"Di 14.09.2027"_s));
    EXPECT_TRUE(QString::fromUtf8(test::readAll(ordner + u"Schulferien.htm"_s))
                    .contains(u"Testquelle, Lizenz X"_s));
}

} // namespace
