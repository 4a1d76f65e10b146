#include "CliTestUtil.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "caldata/Schemas.h"
#include "designer/BerichtsStrom.h"
#include "designer/Berichtsablage.h"
#include "designer/FertigeBerichte.h"
#include "platform/ProgramDir.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The program directory at a temporary one whose report table holds the ready reports and
// three that cannot print.
class ProgrammMitBerichten {
public:
    ProgrammMitBerichten()
        : m_old(qgetenv("KRONOBLATT_HOME"))
    {
        qputenv("KRONOBLATT_HOME", m_home.path().toUtf8());
        kb::ProgramDir::reset();
        QDir().mkpath(m_home.file(s("Designer")));
        const QString tabelle = kb::bericht::berichtTabellePfad();
        kb::Table designer;
        designer.setFilePath(tabelle);
        kb::Schemas::anlegen(designer, kb::Schemas::designerTabelle());
        for (const kb::bericht::FertigerBericht &f : kb::bericht::fertigeBerichte())
            kb::bericht::berichtAnhaengen(
                tabelle, f.name, kb::bericht::berichtSchreiben(f.bericht));
        kb::bericht::berichtAnhaengen(tabelle, s("Kaputt"), QByteArray("KBREPORT\x01\x00zu kurz"));
        kb::bericht::Bericht verboten;
        verboten.quelle = kb::bericht::Quelle::Abfrage;
        verboten.abfrage = s("DELETE FROM Jahr");
        kb::bericht::berichtAnhaengen(
            tabelle, s("Verboten"), kb::bericht::berichtSchreiben(verboten));
        kb::bericht::berichtAnhaengen(tabelle, s("Leer"), QByteArray());
    }
    ~ProgrammMitBerichten()
    {
        qputenv("KRONOBLATT_HOME", m_old);
        kb::ProgramDir::reset();
    }

private:
    TempDir m_home;
    QByteArray m_old;
};

QString kalender(const TempDir &dir)
{
    kb::AnlageEingaben e;
    e.name = s("Muster");
    e.vorname = s("Erika");
    e.land = s("Hessen");
    e.verzeichnis = dir.path();
    e.datei = s("Bericht");
    e.jahr = 2026;
    return kb::kalenderAnlegen(e).dateien.qvkPfad();
}

TEST(CmdBerichte, ListsTheStoredNamesOnePerLine)
{
    ProgrammMitBerichten programm;
    const auto r = runCli({ s("berichte") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
        s("Feiertage des Jahres\nTermine und Geburtstage\nMonatsbilder\nKaputt\nVerboten\nLeer\n"));
}

TEST(CmdBericht, PrintsAStoredReportInEveryFormat)
{
    ProgrammMitBerichten programm;
    TempDir dir;
    const QString qvk = kalender(dir);
    const char *dateien[]
        = { "f.pdf", "f.png", "f.svg", "f.html", "f.csv", "f.txt", "f.rtf", "f.xlsx", "f.wmf" };
    for (const char *datei : dateien) {
        const auto r
            = runCli({ s("bericht"), s("Feiertage des Jahres"), qvk, s("-o"), dir.file(s(datei)) });
        EXPECT_EQ(r.code, 0) << datei << r.err.toStdString();
        const QStringList geschrieben = r.out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(geschrieben.isEmpty()) << datei;
        for (const QString &f : geschrieben)
            EXPECT_GT(QFileInfo(QDir::fromNativeSeparators(f)).size(), 0) << datei;
    }
    EXPECT_TRUE(kb::test::readAll(dir.file(s("f.pdf"))).startsWith("%PDF"));
    const QString csv = QString::fromUtf8(kb::test::readAll(dir.file(s("f.csv"))));
    EXPECT_TRUE(csv.contains(s("Neujahr"))) << csv.toStdString();
    EXPECT_TRUE(csv.contains(s("2. Weihnachtstag"))) << csv.toStdString();
}

struct Fehlerfall {
    const char *name;
    const char *meldung; // a part of the message
};

TEST(CmdBericht, UnknownDamagedOrRefusedReportsFailWithoutOutput)
{
    ProgrammMitBerichten programm;
    TempDir dir;
    const QString qvk = kalender(dir);
    const Fehlerfall faelle[] = {
        { "Gibt es nicht", "Es gibt keinen Bericht \"Gibt es nicht\"." },
        { "Kaputt", "beschädigt" },
        { "Verboten", "nur eine einzelne SELECT-Abfrage" },
        { "Leer", "leer" },
    };
    for (const Fehlerfall &f : faelle) {
        const QString ziel = dir.file(s("aus.pdf"));
        const auto r = runCli({ s("bericht"), s(f.name), qvk, s("-o"), ziel });
        EXPECT_EQ(r.code, 1) << f.name;
        EXPECT_TRUE(r.err.contains(s(f.meldung))) << f.name << ": " << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(ziel)) << f.name;
    }
}

} // namespace
