// Automatic copies of calendars: which are kept, that an unchanged calendar is not copied
// again, that a restore brings back both tables (a protected calendar's copies encrypted), and
// that a failing copy is reported without stopping the change.
#include "caldata/Sicherungen.h"
#include "KalenderHilfe.h"
#include "caldata/KalenderSperre.h"
#include "storage/TableFile.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kb;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QDateTime um(int jahr, int monat, int tag)
{
    return QDateTime(QDate(jahr, monat, tag), QTime(10, 0));
}

bool klartext(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

class SicherungenTest : public testing::Test {
protected:
    void SetUp() override { k = test::neuerKalender(dir.path(), s("Haus"), 2025); }

    QStringList namen() const
    {
        QStringList n;
        for (const Sicherungskopie &kopie : kb::Sicherungen::liste(k))
            n.append(kopie.name);
        return n;
    }

    test::EigenesProgrammverzeichnis home;
    test::TempDir dir;
    test::ScopedScriptedUi ui;
    KalenderDatei k;
};

} // namespace

// 40 changes from January 2025 to February 2026, on the 5th, 15th and 25th of each month
// (the last on 5 February 2026), each followed by a copy. Kept: the ten newest, and the newest
// of each month from March 2025 to February 2026; January and February 2025 are gone.
TEST_F(SicherungenTest, NachVierzigAenderungenInVierzehnMonatenBleibenDieLetztenZehnUndJeMonatEine)
{
    int n = 0;
    for (int m = 0; m < 14 && n < 40; ++m) {
        for (const int tag : { 5, 15, 25 }) {
            if (n == 40)
                break;
            ++n;
            const QDateTime zeit = um(2025 + m / 12, m % 12 + 1, tag);
            test::tagSchreiben(k, QDate(2025, 1, 1), QStringLiteral("Änderung %1").arg(n));
            ASSERT_TRUE(kb::Sicherungen::anlegen(k, zeit).has_value()) << n;
        }
    }
    EXPECT_EQ(namen(),
        (QStringList { // the ten newest
            s("2026-02-05_10-00-00"), s("2026-01-25_10-00-00"), s("2026-01-15_10-00-00"),
            s("2026-01-05_10-00-00"), s("2025-12-25_10-00-00"), s("2025-12-15_10-00-00"),
            s("2025-12-05_10-00-00"), s("2025-11-25_10-00-00"), s("2025-11-15_10-00-00"),
            s("2025-11-05_10-00-00"),
            // the newest of October back to March 2025
            s("2025-10-25_10-00-00"), s("2025-09-25_10-00-00"), s("2025-08-25_10-00-00"),
            s("2025-07-25_10-00-00"), s("2025-06-25_10-00-00"), s("2025-05-25_10-00-00"),
            s("2025-04-25_10-00-00"), s("2025-03-25_10-00-00") }));
}

struct BehaltenFall {
    const char *name;
    QList<QDateTime> zeiten; // newest first
    QDateTime jetzt;
    QList<bool> bleiben;
};

class Behalten : public testing::TestWithParam<BehaltenFall> { };

TEST_P(Behalten, Regel)
{
    EXPECT_EQ(kb::Sicherungen::behalten(GetParam().zeiten, GetParam().jetzt), GetParam().bleiben);
}

INSTANTIATE_TEST_SUITE_P(Faelle, Behalten,
    testing::Values(BehaltenFall { "Leer", {}, um(2026, 1, 1), {} },
        // Twelve copies of one day: the ten newest; the newest of the month is among them.
        BehaltenFall { "ZwoelfAnEinemTag", QList<QDateTime>(12, um(2026, 1, 1)), um(2026, 1, 1),
            { true, true, true, true, true, true, true, true, true, true, false, false } },
        // Older than the twelve months up to this one: only as one of the ten newest.
        BehaltenFall { "MonatVorEinemJahr", { um(2026, 1, 1), um(2025, 2, 1), um(2025, 1, 31) },
            um(2026, 1, 1), { true, true, true } },
        BehaltenFall { "ElfNeuereUndEinAlterMonat",
            { um(2026, 1, 11), um(2026, 1, 10), um(2026, 1, 9), um(2026, 1, 8), um(2026, 1, 7),
                um(2026, 1, 6), um(2026, 1, 5), um(2026, 1, 4), um(2026, 1, 3), um(2026, 1, 2),
                um(2025, 2, 1), um(2025, 1, 31) },
            um(2026, 1, 11),
            { true, true, true, true, true, true, true, true, true, true, true, false } }),
    [](const testing::TestParamInfo<BehaltenFall> &info) { return info.param.name; });

TEST_F(SicherungenTest, UnveraenderterKalenderWirdNichtNochmalKopiert)
{
    ASSERT_TRUE(kb::Sicherungen::anlegen(k, um(2026, 1, 1)).has_value());
    EXPECT_FALSE(kb::Sicherungen::anlegen(k, um(2026, 1, 2)).has_value());
    test::tagSchreiben(k, QDate(2025, 1, 2), s("neu"));
    EXPECT_TRUE(kb::Sicherungen::anlegen(k, um(2026, 1, 3)).has_value());
    EXPECT_EQ(namen(), (QStringList { s("2026-01-03_10-00-00"), s("2026-01-01_10-00-00") }));
}

// Back and forth: the copy brings back the text; the state it replaced is itself a copy.
TEST_F(SicherungenTest, WiederherstellenHoltDenStandZurueckUndSichertDenJetzigen)
{
    const qint64 texte = kb::Sicherungen::anlegen(k, um(2025, 12, 31))->tagestexte;
    test::tagSchreiben(k, QDate(2025, 3, 12), s("Zahnarzt"));
    const std::optional<Sicherungskopie> vorher = kb::Sicherungen::anlegen(k, um(2026, 1, 1));
    ASSERT_TRUE(vorher.has_value());
    EXPECT_EQ(vorher->tagestexte, texte + 1);
    EXPECT_EQ(kb::Sicherungen::liste(k).first().tagestexte, texte + 1);
    test::tagSchreiben(k, QDate(2025, 3, 12), s("falsch gelöscht"));

    kb::Sicherungen::wiederherstellen(k, vorher->name);
    EXPECT_EQ(test::tagText(k, QDate(2025, 3, 12)), s("Zahnarzt"));
    const QList<Sicherungskopie> kopien = kb::Sicherungen::liste(k);
    ASSERT_EQ(kopien.size(), 3);
    EXPECT_NE(kopien.first().name, vorher->name);

    kb::Sicherungen::wiederherstellen(k, kopien.first().name);
    EXPECT_EQ(test::tagText(k, QDate(2025, 3, 12)), s("falsch gelöscht"));
    EXPECT_TRUE(
        QDir(dir.path())
            .entryList({ s("*.kbalt"), s("*.kbneu"), s("*.kbtmp") }, QDir::Files | QDir::Hidden)
            .isEmpty());
}

TEST_F(SicherungenTest, GeschuetzterKalenderBleibtInDerKopieVerschluesselt)
{
    test::tagSchreiben(k, QDate(2025, 3, 5), s("geheim"));
    test::schuetzen(k, s("pw"));
    Session::addPassword(s("pw"));
    const std::optional<Sicherungskopie> kopie = kb::Sicherungen::anlegen(k, um(2026, 1, 1));
    ASSERT_TRUE(kopie.has_value());
    EXPECT_GT(kopie->tagestexte, 0);
    EXPECT_FALSE(klartext(kopie->pfad + k.jahrTabelle));
    EXPECT_FALSE(klartext(kopie->pfad + k.bildTabelle));

    test::tagSchreiben(k, QDate(2025, 3, 5), s("anders"));
    kb::Sicherungen::wiederherstellen(k, kopie->name);
    Session::removeAllPasswords();
    ui->answerInput(s("pw"));
    EXPECT_EQ(test::tagText(k, QDate(2025, 3, 5)), s("geheim"));
    Session::removeAllPasswords();
}

// A calendar that gets a password takes its earlier copies along: none of them stays readable
// without it (the copy of the moment before the password is among them), and they still
// restore with it.
TEST_F(SicherungenTest, EinNeuesPasswortGiltAuchFuerDieFrueherenKopien)
{
    test::tagSchreiben(k, QDate(2025, 3, 5), s("geheim"));
    const std::optional<Sicherungskopie> kopie = kb::Sicherungen::anlegen(k, um(2026, 1, 1));
    ASSERT_TRUE(kopie.has_value());
    ASSERT_TRUE(klartext(kopie->pfad + k.jahrTabelle));

    test::schuetzen(k, s("pw"));
    const QList<Sicherungskopie> kopien = kb::Sicherungen::liste(k);
    ASSERT_FALSE(kopien.isEmpty());
    for (const Sicherungskopie &c : kopien) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_FALSE(klartext(c.pfad + k.jahrTabelle));
        EXPECT_FALSE(klartext(c.pfad + k.bildTabelle));
        EXPECT_FALSE(test::readAll(c.pfad + k.jahrTabelle).contains("geheim"));
    }

    Session::addPassword(s("pw"));
    test::tagSchreiben(k, QDate(2025, 3, 5), s("anders"));
    kb::Sicherungen::wiederherstellen(k, kopie->name);
    EXPECT_EQ(test::tagText(k, QDate(2025, 3, 5)), s("geheim"));
    Session::removeAllPasswords();
}

TEST_F(SicherungenTest, UnbekannteSicherungAendertNichts)
{
    test::tagSchreiben(k, QDate(2025, 3, 5), s("bleibt"));
    EXPECT_EQ(
        test::errorOf([&] { kb::Sicherungen::wiederherstellen(k, s("2020-01-01_00-00-00")); }),
        s("Der Kalender „%1“ hat keine Sicherungskopie „2020-01-01_00-00-00“.")
            .arg(QDir::toNativeSeparators(k.qvkPfad())));
    EXPECT_EQ(test::tagText(k, QDate(2025, 3, 5)), s("bleibt"));
}

// A file where the folder of the copies belongs: the copy fails with a message, the change
// goes on, and no half copy is left.
TEST_F(SicherungenTest, FehlgeschlageneKopieMeldetUndHaeltDieAenderungNichtAuf)
{
    test::writeAll(kb::Sicherungen::wurzel().chopped(1), "im Weg");
    QStringList meldungen;
    kb::Sicherungen::setMeldung([&](const QString &m) { meldungen.append(m); });
    kb::Sicherungen::vorAenderung(k);
    kb::Sicherungen::setMeldung({});
    ASSERT_EQ(meldungen.size(), 1);
    EXPECT_TRUE(meldungen.first().startsWith(s("Die Sicherungskopie des Kalenders „")))
        << meldungen.first().toStdString();
    EXPECT_TRUE(meldungen.first().endsWith(s("Die Änderung wird trotzdem gespeichert.")));
    EXPECT_TRUE(kb::Sicherungen::liste(k).isEmpty());
    kb::Sicherungen::vergessen(k);
}

// Once per run: the second change of the same calendar makes no copy, until the calendar is
// opened again.
TEST_F(SicherungenTest, VorAenderungKopiertEinmalJeOeffnen)
{
    kb::Sicherungen::vorAenderung(k);
    test::tagSchreiben(k, QDate(2025, 3, 5), s("eins"));
    kb::Sicherungen::vorAenderung(k);
    EXPECT_EQ(kb::Sicherungen::liste(k).size(), 1);
    kb::Sicherungen::vergessen(k);
    kb::Sicherungen::vorAenderung(k);
    EXPECT_EQ(kb::Sicherungen::liste(k).size(), 2);
    kb::Sicherungen::vergessen(k);
}
