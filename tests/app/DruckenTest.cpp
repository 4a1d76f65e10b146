#include "CliTestUtil.h"
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "report/Page.h"
#include "storage/Table.h"
#include "support/Programmverzeichnis.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <csignal>
#include <gtest/gtest.h>
#ifndef Q_OS_WIN
#include <sys/resource.h>

using namespace Qt::StringLiterals;
#endif

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString kalender(const TempDir &dir, int year = 2026)
{
    kb::AnlageEingaben e;
    e.name = u"Muster"_s;
    e.vorname = u"Erika"_s;
    e.land = u"Hessen"_s;
    e.verzeichnis = dir.path();
    e.datei = u"Druck"_s;
    e.jahr = year;
    return kb::kalenderAnlegen(e).dateien.qvkPfad();
}

kb::test::CliResult drucken(
    const QString &qvk, const char *layout, const QString &ziel, QStringList mehr = {})
{
    QStringList args { u"drucken"_s, qvk, u"--layout"_s, QString::fromUtf8(layout), u"-o"_s, ziel };
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
        { "1 Seite 12 Spalten", "jahr.pdf", { u"jahr.pdf"_s }, "%PDF" },
        { "3 Seiten 4 Spalten", "jahr.png", { u"jahr-1.png"_s, u"jahr-2.png"_s, u"jahr-3.png"_s },
            "\x89PNG" },
        { "2 Seiten 6 Spalten", "jahr.svg", { u"jahr-1.svg"_s, u"jahr-2.svg"_s }, "<?xml" },
        { "2 Seiten 6 Spalten", "jahr.wmf", { u"jahr-1.wmf"_s, u"jahr-2.wmf"_s },
            QByteArray("\xD7\xCD\xC6\x9A", 4) },
        { "4 Seiten 3 Spalten", "jahr.html", { u"jahr.html"_s }, "" },
        { "6 Seiten 2 Spalten", "jahr.csv", { u"jahr.csv"_s }, "\xEF\xBB\xBF" },
        { "12 Seiten 1 Spalte", "jahr.txt", { u"jahr.txt"_s }, "" },
        { "1 Seite 12 Spalten", "jahr.rtf", { u"jahr.rtf"_s }, "{\\rtf" },
        { "1 Seite 12 Spalten", "JAHR.XLSX", { u"JAHR.XLSX"_s }, "PK" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.datei);
        TempDir aus;
        const auto r = drucken(qvk, c.layout, aus.file(QString::fromUtf8(c.datei)));
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
    const QString form = QString::fromUtf8(KB_BIN_DIR "/Kalenderdaten/Wochenplaner.qvf");
    const struct {
        const char *datei;
        QStringList erwartet;
        QByteArray beginn;
    } cases[] = {
        { "plan.pdf", { u"plan.pdf"_s }, "%PDF" },
        { "plan.png",
            { u"plan-1.png"_s, u"plan-2.png"_s, u"plan-3.png"_s, u"plan-4.png"_s, u"plan-5.png"_s,
                u"plan-6.png"_s },
            "\x89PNG" },
        { "plan.svg",
            { u"plan-1.svg"_s, u"plan-2.svg"_s, u"plan-3.svg"_s, u"plan-4.svg"_s, u"plan-5.svg"_s,
                u"plan-6.svg"_s },
            "<?xml" },
        { "plan.html", { u"plan.html"_s }, "" },
        { "plan.csv", { u"plan.csv"_s }, "\xEF\xBB\xBF" },
        { "plan.txt", { u"plan.txt"_s }, "" },
        { "plan.rtf", { u"plan.rtf"_s }, "{\\rtf" },
        { "plan.xlsx", { u"plan.xlsx"_s }, "PK" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.datei);
        TempDir aus;
        const auto r = runCli({ u"drucken"_s, qvk, u"--formular"_s, form, u"-o"_s,
            aus.file(QString::fromUtf8(c.datei)), u"--dpi"_s, u"72"_s });
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        for (const QString &name : c.erwartet) {
            ASSERT_TRUE(QFile::exists(aus.file(name))) << name.toStdString();
            EXPECT_TRUE(kb::test::readAll(aus.file(name)).startsWith(c.beginn));
        }
        EXPECT_EQ(QDir(aus.path()).entryList(QDir::Files).size(), c.erwartet.size());
    }
    const auto r
        = runCli({ u"drucken"_s, qvk, u"--formular"_s, form, u"-o"_s, dir.file(u"plan.txt"_s) });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString text = QString::fromUtf8(kb::test::readAll(dir.file(u"plan.txt"_s)));
    for (const char *erwartet :
        { "Wochenplaner 2026", "Januar", "Dezember", "Neujahr", "Hessen", "Woche 2" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(erwartet))) << erwartet;
}

// A form file that cannot be read stops the run with the reason; nothing is written.
TEST(CmdDrucken, AFormThatCannotBeReadWritesNothing)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    kb::test::writeAll(dir.file(u"kaputt.qvf"_s), QByteArray(1000, 'x')); // no whole record
    QDir(dir.path()).mkdir(u"ordner.qvf"_s);
    const QString ziel = dir.file(u"aus.pdf"_s);
    const struct {
        const char *was;
        QStringList args;
        int code;
        const char *meldung;
    } cases[] = {
        { "missing form", { u"--formular"_s, dir.file(u"fehlt.qvf"_s) }, 1, "Die Formulardatei " },
        { "damaged form", { u"--formular"_s, dir.file(u"kaputt.qvf"_s) }, 1, "kaputt.qvf" },
        { "directory", { u"--formular"_s, dir.file(u"ordner.qvf"_s) }, 1, "ordner.qvf" },
        { "form and layout",
            { u"--formular"_s, dir.file(u"kaputt.qvf"_s), u"--layout"_s, u"1 Seite 12 Spalten"_s },
            2, "--formular" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.was);
        const auto r = runCli(QStringList { u"drucken"_s, qvk, u"-o"_s, ziel } + c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.meldung))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(QFile::exists(ziel));
    }
}

TEST(CmdDrucken, PagesShowTheCalendarInLandscape)
{
    TempDir dir;
    const QString qvk = kalender(dir, 2024);
    const auto r = drucken(qvk, "3 Seiten 4 Spalten", dir.file(u"seite.png"_s));
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage seite(dir.file(u"seite-1.png"_s));
    ASSERT_FALSE(seite.isNull());
    EXPECT_GT(seite.width(), seite.height());

    ASSERT_EQ(drucken(qvk, "12 Seiten 1 Spalte", dir.file(u"jahr.txt"_s)).code, 0);
    const QString text = QString::fromUtf8(kb::test::readAll(dir.file(u"jahr.txt"_s)));
    EXPECT_EQ(text.count(QLatin1Char('\f')), 11);
    for (const char *erwartet : { "Januar", "Dezember", "Neujahr", "Hessen", "29", "Woche1" })
        EXPECT_TRUE(text.contains(QString::fromUtf8(erwartet))) << erwartet;
}

TEST(CmdDrucken, SettingsComeFromTheProgramDirectoryOrTheNamedFile)
{
    TempDir home;
    const kb::test::Programmverzeichnis programm(home.path());
    kb::test::writeAll(home.file(u"Kalvalues.ini"_s), "[User]\r\nKopftext=Programmverzeichnis\r\n");
    TempDir dir;
    const QString qvk = kalender(dir);
    kb::test::writeAll(dir.file(u"eigen.ini"_s), "[USER]\r\nkopftext=Eigene Datei\r\n");

    ASSERT_EQ(drucken(qvk, "1 Seite 12 Spalten", dir.file(u"a.txt"_s)).code, 0);
    EXPECT_TRUE(kb::test::readAll(dir.file(u"a.txt"_s)).contains("Programmverzeichnis 2026"));
    ASSERT_EQ(drucken(qvk, "1 Seite 12 Spalten", dir.file(u"b.txt"_s),
                  { u"--einstellungen"_s, dir.file(u"eigen.ini"_s) })
                  .code,
        0);
    EXPECT_TRUE(kb::test::readAll(dir.file(u"b.txt"_s)).contains("Eigene Datei 2026"));

    // Without the program directory's file every value is its default, and the run goes on.
    QFile::remove(home.file(u"Kalvalues.ini"_s));
    const auto r = drucken(qvk, "1 Seite 12 Spalten", dir.file(u"c.txt"_s));
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains(u"nicht vorhanden!"_s));
    EXPECT_TRUE(kb::test::readAll(dir.file(u"c.txt"_s)).contains("RI-DOZU"));
}

TEST(CmdDrucken, ProtectedCalendarPrintsWithItsPassword)
{
    TempDir dir;
    const QString qvk = kalender(dir);
    {
        kb::Table t;
        t.setFilePath(kb::KalenderDatei::ausQvk(qvk).jahrPfad());
        t.open();
        kb::passwortSetzen(t, nullptr, u"geheim"_s);
        t.close();
    }
    const auto r = drucken(
        qvk, "1 Seite 12 Spalten", dir.file(u"p.pdf"_s), { u"--passwort"_s, u"geheim"_s });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.file(u"p.pdf"_s)));
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
        { { u"--dpi"_s, u"72"_s }, 842 },
        { { u"--dpi"_s, u"300"_s }, 3508 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.dpi.join(QLatin1Char(' ')).toStdString());
        TempDir aus;
        const auto r = drucken(qvk, "1 Seite 12 Spalten", aus.file(u"jahr.png"_s), c.dpi);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QImage seite(aus.file(u"jahr-1.png"_s));
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
    const auto hilfe = runCli({ u"drucken"_s, u"--help"_s });
    ASSERT_EQ(hilfe.code, 0);
    for (const char *name : { "\"Quartal 1 vertikal\"", "\"Quartal 4 horizontal\"",
             "\"Monate Januar/Februar vertikal\"", "\"Monate November/Dezember horizontal\"",
             "\"Monat März vertikal\"", "\"Monat Dezember horizontal\"", "\"Wochenkalender\"",
             "\"Tagebuch Mai\"", "\"Tagebuch\"" })
        EXPECT_TRUE(hilfe.out.contains(QString::fromUtf8(name))) << name;

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
        const auto r = drucken(qvk, c.layout, aus.file(u"seiten.txt"_s));
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QByteArray text = kb::test::readAll(aus.file(u"seiten.txt"_s));
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
    ASSERT_TRUE(bild.save(dir.file(u"januar.jpg"_s), "JPG"));
    {
        kb::Table bilder;
        bilder.setFilePath(kb::KalenderDatei::ausQvk(qvk).bildPfad());
        bilder.open();
        ASSERT_TRUE(bilder.locate(u"Nr"_s, 1));
        bilder.edit();
        bilder.loadBlobFromFile(u"Bild"_s, dir.file(u"januar.jpg"_s));
        bilder.post();
    }
    const auto r
        = drucken(qvk, "Monat Januar vertikal", dir.file(u"januar.png"_s), { u"--dpi"_s, u"96"_s });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QImage seite(dir.file(u"januar-1.png"_s));
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
    EXPECT_EQ(drucken(qvk, "1 Seite 12 Spalten", dir.file(u"jahr.pdf"_s)).code, 0);
    EXPECT_EQ(drucken(qvk, "Wochenkalender", dir.file(u"woche.pdf"_s)).code, 0);
    const auto r = drucken(qvk, "Quartal 1 vertikal", dir.file(u"quartal.pdf"_s));
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(r.err.trimmed().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.file(u"quartal.pdf"_s)));
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
        dir.file(u"ferien.ini"_s), "[Ferien]\r\nWinterBeginn=29.02.\r\nWinterEnde=03.03.\r\n");
    const QString ziel = dir.file(u"aus.pdf"_s);
    const FehlerCase cases[] = {
        { "unknown layout", { qvk, u"--layout"_s, u"1 Seite"_s, u"-o"_s, ziel }, 2,
            "Unbekanntes Layout \"1 Seite\"" },
        { "unknown format",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, dir.file(u"aus.doc"_s) }, 2,
            "Unbekanntes Ausgabeformat" },
        { "no output", { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s }, 2, "-o" },
        { "no layout", { qvk, u"-o"_s, ziel }, 2, "--layout" },
        { "missing calendar",
            { dir.file(u"fehlt.QVK"_s), u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, ziel }, 1,
            "" },
        { "missing settings file",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, ziel, u"--einstellungen"_s,
                dir.file(u"fehlt.ini"_s) },
            1, "nicht vorhanden!" },
        { "bad school-holiday bound",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, ziel, u"--einstellungen"_s,
                dir.file(u"ferien.ini"_s) },
            1,
            "'29.02.2026' ist kein gültiges Datum (Schlüssel WinterBeginn im Abschnitt [Ferien] "
            "der Einstellungsdatei " },
        { "resolution below 72 dpi",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, dir.file(u"aus.png"_s),
                u"--dpi"_s, u"71"_s },
            1, "Die Auflösung (dpi) muss eine Zahl von 72 bis 600 sein: 71" },
        { "resolution above 600 dpi",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, dir.file(u"aus.png"_s),
                u"--dpi"_s, u"601"_s },
            1, "Die Auflösung (dpi) muss eine Zahl von 72 bis 600 sein: 601" },
        { "resolution not a number",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, dir.file(u"aus.png"_s),
                u"--dpi"_s, u"hoch"_s },
            1, "Die Auflösung (dpi) muss eine Zahl von 72 bis 600 sein: hoch" },
        { "resolution missing",
            { qvk, u"--layout"_s, u"1 Seite 12 Spalten"_s, u"-o"_s, dir.file(u"aus.png"_s),
                u"--dpi"_s },
            2, "Zur Option --dpi fehlt der Wert." },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.was);
        const auto r = runCli(QStringList { u"drucken"_s } + c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.meldung))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(QDir(dir.path()).entryList({ u"aus*"_s }, QDir::Files).size(), 0);
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
        const QString ziel = dir.file(QString::fromUtf8(name));
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
        EXPECT_TRUE(r.err.contains(u"konnte nicht geschrieben werden"_s)) << r.err.toStdString();
        EXPECT_EQ(kb::test::readAll(ziel), vorher) << name;
    }
    const QStringList reste
        = QDir(dir.path()).entryList({ u".*kbtmp*"_s }, QDir::Files | QDir::Hidden);
    EXPECT_EQ(reste, QStringList());
}
#endif
