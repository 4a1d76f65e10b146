#include "CliTestUtil.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "platform/ProgramDir.h"
#include "report/Page.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <csignal>
#include <gtest/gtest.h>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QString kalender(const TempDir &dir, int year = 2026)
{
    kb::AnlageEingaben e;
    e.name = s("Muster");
    e.vorname = s("Erika");
    e.land = s("Hessen");
    e.verzeichnis = dir.path();
    e.datei = s("Druck");
    e.jahr = year;
    return kb::kalenderAnlegen(e).dateien.qvkPfad();
}

kb::test::CliResult drucken(
    const QString &qvk, const char *layout, const QString &ziel, QStringList mehr = {})
{
    QStringList args { s("drucken"), qvk, s("--layout"), s(layout), s("-o"), ziel };
    return runCli(args + mehr);
}

struct FormatCase {
    const char *layout;
    const char *datei;
    QStringList erwartet; // the files written, in page order
    QByteArray beginn; // how each file starts
};

TEST(CmdDrucken, WritesEveryFormatWithOneFilePerPageWherePagesAreFiles)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    const FormatCase cases[] = {
        { "1 Seite 12 Spalten", "jahr.pdf", { s("jahr.pdf") }, "%PDF" },
        { "3 Seiten 4 Spalten", "jahr.png", { s("jahr-1.png"), s("jahr-2.png"), s("jahr-3.png") },
            "\x89PNG" },
        { "2 Seiten 6 Spalten", "jahr.svg", { s("jahr-1.svg"), s("jahr-2.svg") }, "<?xml" },
        { "2 Seiten 6 Spalten", "jahr.wmf", { s("jahr-1.wmf"), s("jahr-2.wmf") },
            QByteArray("\xD7\xCD\xC6\x9A", 4) },
        { "4 Seiten 3 Spalten", "jahr.html", { s("jahr.html") }, "" },
        { "6 Seiten 2 Spalten", "jahr.csv", { s("jahr.csv") }, "\xEF\xBB\xBF" },
        { "12 Seiten 1 Spalte", "jahr.txt", { s("jahr.txt") }, "" },
        { "1 Seite 12 Spalten", "jahr.rtf", { s("jahr.rtf") }, "{\\rtf" },
        { "1 Seite 12 Spalten", "JAHR.XLSX", { s("JAHR.XLSX") }, "PK" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.datei);
        TempDir aus;
        const auto r = drucken(qvk, c.layout, aus.file(s(c.datei)));
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        QStringList gemeldet;
        for (const QString &name : c.erwartet) {
            const QString pfad = aus.file(name);
            gemeldet.append(QDir::toNativeSeparators(pfad));
            ASSERT_TRUE(QFile::exists(pfad)) << name.toStdString();
            EXPECT_TRUE(kb::test::readAll(pfad).startsWith(c.beginn));
        }
        EXPECT_EQ(r.out, gemeldet.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        EXPECT_EQ(QDir(aus.path()).entryList(QDir::Files).size(), c.erwartet.size());
    }
}

// A designed form filled with the calendar prints in every format, pages numbered as for the
// layouts.
TEST(CmdDrucken, DesignedFormsPrintInEveryFormat)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    const QString form = s(KB_BIN_DIR "/Kalenderdaten/Wochenplaner.qvf");
    const struct {
        const char *datei;
        QStringList erwartet;
        QByteArray beginn;
    } cases[] = {
        { "plan.pdf", { s("plan.pdf") }, "%PDF" },
        { "plan.png",
            { s("plan-1.png"), s("plan-2.png"), s("plan-3.png"), s("plan-4.png"), s("plan-5.png"),
                s("plan-6.png") },
            "\x89PNG" },
        { "plan.svg",
            { s("plan-1.svg"), s("plan-2.svg"), s("plan-3.svg"), s("plan-4.svg"), s("plan-5.svg"),
                s("plan-6.svg") },
            "<?xml" },
        { "plan.html", { s("plan.html") }, "" },
        { "plan.csv", { s("plan.csv") }, "\xEF\xBB\xBF" },
        { "plan.txt", { s("plan.txt") }, "" },
        { "plan.rtf", { s("plan.rtf") }, "{\\rtf" },
        { "plan.xlsx", { s("plan.xlsx") }, "PK" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.datei);
        TempDir aus;
        const auto r = runCli({ s("drucken"), qvk, s("--formular"), form, s("-o"),
            aus.file(s(c.datei)), s("--dpi"), s("72") });
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        for (const QString &name : c.erwartet) {
            ASSERT_TRUE(QFile::exists(aus.file(name))) << name.toStdString();
            EXPECT_TRUE(kb::test::readAll(aus.file(name)).startsWith(c.beginn));
        }
        EXPECT_EQ(QDir(aus.path()).entryList(QDir::Files).size(), c.erwartet.size());
    }
    const auto r
        = runCli({ s("drucken"), qvk, s("--formular"), form, s("-o"), dir.file(s("plan.txt")) });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString text = QString::fromUtf8(kb::test::readAll(dir.file(s("plan.txt"))));
    for (const char *erwartet :
        { "Wochenplaner 2026", "Januar", "Dezember", "Neujahr", "Hessen", "Woche 2" })
        EXPECT_TRUE(text.contains(s(erwartet))) << erwartet;
}

// A form file that cannot be read stops the run with the reason; nothing is written.
TEST(CmdDrucken, AFormThatCannotBeReadWritesNothing)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    kb::test::writeAll(dir.file(s("kaputt.qvf")), QByteArray(1000, 'x')); // no whole record
    QDir(dir.path()).mkdir(s("ordner.qvf"));
    const QString ziel = dir.file(s("aus.pdf"));
    const struct {
        const char *was;
        QStringList args;
        int code;
        const char *meldung;
    } cases[] = {
        { "missing form", { s("--formular"), dir.file(s("fehlt.qvf")) }, 1, "Die Formulardatei " },
        { "damaged form", { s("--formular"), dir.file(s("kaputt.qvf")) }, 1, "kaputt.qvf" },
        { "directory", { s("--formular"), dir.file(s("ordner.qvf")) }, 1, "ordner.qvf" },
        { "form and layout",
            { s("--formular"), dir.file(s("kaputt.qvf")), s("--layout"), s("1 Seite 12 Spalten") },
            2, "--formular" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.was);
        const auto r = runCli(QStringList { s("drucken"), qvk, s("-o"), ziel } + c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.contains(s(c.meldung))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(QFile::exists(ziel));
    }
}

TEST(CmdDrucken, PagesShowTheCalendarInLandscape)
{
    TempDir dir;
    const QString qvk = kalender(dir, 2024);
    const auto r = drucken(qvk, "3 Seiten 4 Spalten", dir.file(s("seite.png")));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage seite(dir.file(s("seite-1.png")));
    ASSERT_FALSE(seite.isNull());
    EXPECT_GT(seite.width(), seite.height());

    ASSERT_EQ(drucken(qvk, "12 Seiten 1 Spalte", dir.file(s("jahr.txt"))).code, 0);
    const QString text = QString::fromUtf8(kb::test::readAll(dir.file(s("jahr.txt"))));
    EXPECT_EQ(text.count(QLatin1Char('\f')), 11);
    for (const char *erwartet : { "Januar", "Dezember", "Neujahr", "Hessen", "29", "Woche1" })
        EXPECT_TRUE(text.contains(s(erwartet))) << erwartet;
}

TEST(CmdDrucken, SettingsComeFromTheProgramDirectoryOrTheNamedFile)
{
    TempDir home;
    const QByteArray vorher = qgetenv("KRONOBLATT_HOME");
    qputenv("KRONOBLATT_HOME", home.path().toUtf8());
    kb::ProgramDir::reset();
    kb::test::writeAll(home.file(s("Kalvalues.ini")), "[User]\r\nKopftext=Programmverzeichnis\r\n");
    TempDir dir;
    const QString qvk = kalender(dir);
    kb::test::writeAll(dir.file(s("eigen.ini")), "[USER]\r\nkopftext=Eigene Datei\r\n");

    ASSERT_EQ(drucken(qvk, "1 Seite 12 Spalten", dir.file(s("a.txt"))).code, 0);
    EXPECT_TRUE(kb::test::readAll(dir.file(s("a.txt"))).contains("Programmverzeichnis 2026"));
    ASSERT_EQ(drucken(qvk, "1 Seite 12 Spalten", dir.file(s("b.txt")),
                  { s("--einstellungen"), dir.file(s("eigen.ini")) })
                  .code,
        0);
    EXPECT_TRUE(kb::test::readAll(dir.file(s("b.txt"))).contains("Eigene Datei 2026"));

    // Without the program directory's file every value is its default, and the run goes on.
    QFile::remove(home.file(s("Kalvalues.ini")));
    const auto r = drucken(qvk, "1 Seite 12 Spalten", dir.file(s("c.txt")));
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains(s("nicht vorhanden!")));
    EXPECT_TRUE(kb::test::readAll(dir.file(s("c.txt"))).contains("RI-DOZU"));
    qputenv("KRONOBLATT_HOME", vorher);
    kb::ProgramDir::reset();
}

TEST(CmdDrucken, ProtectedCalendarPrintsWithItsPassword)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    {
        kb::Table t;
        t.setFilePath(kb::KalenderDatei::ausQvk(qvk).jahrPfad());
        t.open();
        kb::passwortSetzen(t, nullptr, s("geheim"));
        t.close();
    }
    const auto r = drucken(
        qvk, "1 Seite 12 Spalten", dir.file(s("p.pdf")), { s("--passwort"), s("geheim") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.file(s("p.pdf"))));
}

// PNG pages at 150 dpi unless --dpi chooses 72 to 600: A4 landscape is 297 mm wide.
TEST(CmdDrucken, PngPagesHaveTheChosenResolution)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    const struct {
        QStringList dpi;
        int breite;
    } cases[] = {
        { {}, 1754 },
        { { s("--dpi"), s("72") }, 842 },
        { { s("--dpi"), s("300") }, 3508 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dpi.join(QLatin1Char(' ')).toStdString());
        TempDir aus;
        const auto r = drucken(qvk, "1 Seite 12 Spalten", aus.file(s("jahr.png")), c.dpi);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QImage seite(aus.file(s("jahr-1.png")));
        EXPECT_EQ(seite.width(), c.breite);
        EXPECT_EQ(qRound(seite.dotsPerMeterX() * 0.0254), c.dpi.isEmpty() ? 150 : c.dpi[1].toInt());
    }
}

struct NameCase {
    const char *layout;
    int seiten;
};

TEST(CmdDrucken, MonthWeekAndDiaryLayoutsByTheirNames)
{
    const auto hilfe = runCli({ s("drucken"), s("--help") });
    ASSERT_EQ(hilfe.code, 0);
    for (const char *name : { "\"Quartal 1 vertikal\"", "\"Quartal 4 horizontal\"",
             "\"Monate Januar/Februar vertikal\"", "\"Monate November/Dezember horizontal\"",
             "\"Monat März vertikal\"", "\"Monat Dezember horizontal\"", "\"Wochenkalender\"",
             "\"Tagebuch Mai\"", "\"Tagebuch\"" })
        EXPECT_TRUE(hilfe.out.contains(s(name))) << name;

    TempDir dir;
    const QString qvk = kalender(dir);
    const NameCase cases[] = {
        { "Quartal 1 vertikal", 1 },
        { "Quartal 3 horizontal", 1 },
        { "Monate Mai/Juni vertikal", 1 },
        { "Monat Februar horizontal", 1 },
        { "Wochenkalender", 27 },
        { "Tagebuch Oktober", 1 },
        { "Tagebuch", 10 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        TempDir aus;
        const auto r = drucken(qvk, c.layout, aus.file(s("seiten.txt")));
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QByteArray text = kb::test::readAll(aus.file(s("seiten.txt")));
        EXPECT_EQ(text.count('\f') + 1, c.seiten);
    }
}

// The month's picture comes from the calendar's picture table.
TEST(CmdDrucken, MonthCalendarShowsTheMonthPicture)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    QImage bild(640, 480, QImage::Format_RGB32);
    bild.fill(QColor(20, 160, 40));
    ASSERT_TRUE(bild.save(dir.file(s("januar.jpg")), "JPG"));
    {
        kb::Table bilder;
        bilder.setFilePath(kb::KalenderDatei::ausQvk(qvk).bildPfad());
        bilder.open();
        ASSERT_TRUE(bilder.locate(s("Nr"), 1));
        bilder.edit();
        bilder.loadBlobFromFile(s("Bild"), dir.file(s("januar.jpg")));
        bilder.post();
    }
    const auto r
        = drucken(qvk, "Monat Januar vertikal", dir.file(s("januar.png")), { s("--dpi"), s("96") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage seite(dir.file(s("januar-1.png")));
    ASSERT_FALSE(seite.isNull());
    // The upright box (250, 64, 210 x 321) in the month's header below the 91-pixel page
    // header, with the margins 4 and 3 mm of missing keys; the 4:3 picture fills the whole
    // box, cut at its sides.
    const QPoint mitte(qRound(kb::report::mmToPixels(4) + 250 + 105),
        qRound(kb::report::mmToPixels(3) + 92 + 64 + 160.5));
    const QColor farbe = seite.pixelColor(mitte);
    EXPECT_NEAR(farbe.red(), 20, 10);
    EXPECT_NEAR(farbe.green(), 160, 10);
    EXPECT_NEAR(farbe.blue(), 40, 10);
    for (const QPoint unten : { mitte + QPoint(0, 150), mitte + QPoint(-100, 150) }) {
        const QColor rand = seite.pixelColor(unten); // near the box's bottom corner
        EXPECT_NEAR(rand.green(), 160, 10);
        EXPECT_NEAR(rand.red(), 20, 10);
    }
}

// A damaged picture table stops only the layouts that print pictures, with a message.
TEST(CmdDrucken, DamagedPictureTableStopsOnlyTheMonthCalendars)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    kb::test::writeAll(kb::KalenderDatei::ausQvk(qvk).bildPfad(), QByteArray(4096, 'x'));
    EXPECT_EQ(drucken(qvk, "1 Seite 12 Spalten", dir.file(s("jahr.pdf"))).code, 0);
    EXPECT_EQ(drucken(qvk, "Wochenkalender", dir.file(s("woche.pdf"))).code, 0);
    const auto r = drucken(qvk, "Quartal 1 vertikal", dir.file(s("quartal.pdf")));
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.trimmed().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(s("quartal.pdf"))));
}

struct FehlerCase {
    const char *was;
    QStringList args; // after "drucken"
    int code;
    const char *meldung;
};

TEST(CmdDrucken, BadCallsWriteNothingAndSayWhy)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    kb::test::writeAll(
        dir.file(s("ferien.ini")), "[Ferien]\r\nWinterBeginn=29.02.\r\nWinterEnde=03.03.\r\n");
    const QString ziel = dir.file(s("aus.pdf"));
    const FehlerCase cases[] = {
        { "unknown layout", { qvk, s("--layout"), s("1 Seite"), s("-o"), ziel }, 2,
            "Unbekanntes Layout \"1 Seite\"" },
        { "unknown format",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), dir.file(s("aus.doc")) }, 2,
            "Unbekanntes Ausgabeformat" },
        { "no output", { qvk, s("--layout"), s("1 Seite 12 Spalten") }, 2, "-o" },
        { "no layout", { qvk, s("-o"), ziel }, 2, "--layout" },
        { "missing calendar",
            { dir.file(s("fehlt.QVK")), s("--layout"), s("1 Seite 12 Spalten"), s("-o"), ziel }, 1,
            "" },
        { "missing settings file",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), ziel, s("--einstellungen"),
                dir.file(s("fehlt.ini")) },
            1, "nicht vorhanden!" },
        { "bad school-holiday bound",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), ziel, s("--einstellungen"),
                dir.file(s("ferien.ini")) },
            1,
            "'29.02.2026' ist kein gültiges Datum (Schlüssel WinterBeginn im Abschnitt [Ferien] "
            "der Einstellungsdatei " },
        { "resolution below 72 dpi",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), dir.file(s("aus.png")),
                s("--dpi"), s("71") },
            1, "Die Auflösung (dpi) muss eine Zahl von 72 bis 600 sein: 71" },
        { "resolution above 600 dpi",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), dir.file(s("aus.png")),
                s("--dpi"), s("601") },
            1, "Die Auflösung (dpi) muss eine Zahl von 72 bis 600 sein: 601" },
        { "resolution not a number",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), dir.file(s("aus.png")),
                s("--dpi"), s("hoch") },
            1, "Die Auflösung (dpi) muss eine Zahl von 72 bis 600 sein: hoch" },
        { "resolution missing",
            { qvk, s("--layout"), s("1 Seite 12 Spalten"), s("-o"), dir.file(s("aus.png")),
                s("--dpi") },
            2, "Zur Option --dpi fehlt der Wert." },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.was);
        const auto r = runCli(QStringList { s("drucken") } + c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.contains(s(c.meldung))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList({ s("aus*") }, QDir::Files).size(), 0);
    }
}

} // namespace

#ifndef Q_OS_WIN
// A full disk as the system reports it (a file-size limit makes every write beyond it fail):
// the run fails, and the good export of an earlier run stays.
TEST(CmdDrucken, AFullDiskFailsAndKeepsTheEarlierExport)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    for (const char *name : { "jahr.csv", "jahr.txt", "jahr.xlsx", "jahr.pdf" }) {
        const QString ziel = dir.file(s(name));
        ASSERT_EQ(drucken(qvk, "1 Seite 12 Spalten", ziel).code, 0) << name;
        const QByteArray vorher = kb::test::readAll(ziel);
        ASSERT_GT(vorher.size(), 2048) << name;

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 2048;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const auto r = drucken(qvk, "1 Seite 12 Spalten", ziel);
        setrlimit(RLIMIT_FSIZE, &saved);

        EXPECT_EQ(r.code, 1) << name;
        EXPECT_TRUE(r.out.isEmpty()) << name;
        EXPECT_TRUE(r.err.contains(s("konnte nicht geschrieben werden"))) << r.err.toStdString();
        EXPECT_EQ(kb::test::readAll(ziel), vorher) << name;
    }
    const QStringList reste
        = QDir(dir.path()).entryList({ s(".*kbtmp*") }, QDir::Files | QDir::Hidden);
    EXPECT_EQ(reste, QStringList());
}
#endif
