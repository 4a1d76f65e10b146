#include "CliTestUtil.h"
#include "platform/Jpeg.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <gtest/gtest.h>

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QString anlegen(const TempDir &dir)
{
    const auto r = runCli({ s("anlegen"), s("--verzeichnis"), dir.path(), s("--datei"), s("Haus"),
        s("--jahr"), s("2025"), s("--land"), s("Hessen"), s("--name"), s("Vertraulich"),
        s("--vorname"), s("Vera") });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return dir.file(s("Haus.QVK"));
}

// Standard input of the command line for one test.
class Eingabe {
public:
    explicit Eingabe(const QString &text)
        : m_text(text)
        , m_stream(&m_text, QIODevice::ReadOnly)
    {
        kb::cli::setStandardInput(&m_stream);
    }
    ~Eingabe() { kb::cli::setStandardInput(nullptr); }

private:
    QString m_text;
    QTextStream m_stream;
};

// The environment variable for one test.
class Umgebung {
public:
    explicit Umgebung(const QString &passwort)
    {
        qputenv("KRONOBLATT_PASSWORT", passwort.toUtf8());
    }
    ~Umgebung() { qunsetenv("KRONOBLATT_PASSWORT"); }
};

bool klartext(const QString &path)
{
    return kb::test::readAll(path).startsWith("SQLite format 3");
}

// The calendar is protected, not one of its files: days, names, month texts and pictures.
TEST(CmdPasswort, ProtectsTheYearAndThePictureTable)
{
    TempDir dir;
    const QString qvk = anlegen(dir);
    ASSERT_TRUE(klartext(dir.file(s("Haus.DB"))));
    ASSERT_TRUE(klartext(dir.file(s("HausBild.DB"))));

    const auto r = runCli({ s("passwort"), qvk, s("--neu"), s("Geheim") });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, s("Haus.QVK ist mit dem Passwort geschützt.\n"));
    for (const char *tabelle : { "Haus.DB", "HausBild.DB" }) {
        const QByteArray bytes = kb::test::readAll(dir.file(s(tabelle)));
        EXPECT_FALSE(bytes.startsWith("SQLite format 3")) << tabelle;
        EXPECT_FALSE(bytes.contains("Vertraulich")) << tabelle;
        EXPECT_FALSE(bytes.contains("kronoblatt-table-1")) << tabelle;
    }
    // One password opens both: printing month pictures reads the picture table too.
    const auto druck = runCli({ s("drucken"), qvk, s("--layout"), s("Quartal 1 vertikal"), s("-o"),
        dir.file(s("q.pdf")), s("--passwort"), s("Geheim") });
    EXPECT_EQ(druck.code, 0) << druck.err.toStdString();

    const auto frei
        = runCli({ s("passwort"), qvk, s("--neu"), QString(), s("--passwort"), s("Geheim") });
    ASSERT_EQ(frei.code, 0) << frei.err.toStdString();
    EXPECT_EQ(frei.out, s("Der Passwortschutz von Haus.QVK ist aufgehoben.\n"));
    EXPECT_TRUE(klartext(dir.file(s("Haus.DB"))));
    EXPECT_TRUE(klartext(dir.file(s("HausBild.DB"))));
}

// Passwords need not show in the process list: "-" reads a line of standard input, and
// without --passwort the environment variable counts.
TEST(CmdPasswort, PasswordsFromStandardInputAndTheEnvironment)
{
    TempDir dir;
    const QString qvk = anlegen(dir);
    {
        Eingabe ein(s("Erstes\n"));
        ASSERT_EQ(runCli({ s("passwort"), qvk, s("--neu"), s("-") }).code, 0);
    }
    {
        Eingabe ein(s("Erstes\r\n"));
        const auto r = runCli({ s("tage"), qvk, s("--passwort"), s("-") });
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out.count(QLatin1Char('\n')), 366);
    }
    {
        // Both from standard input: the old password first, then the new one.
        Eingabe ein(s("Erstes\nZweites\n"));
        const auto r = runCli({ s("passwort"), qvk, s("--passwort"), s("-"), s("--neu"), s("-") });
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
    }
    {
        Umgebung env(s("Zweites"));
        EXPECT_EQ(runCli({ s("tage"), qvk }).code, 0);
        // The option wins over the environment.
        EXPECT_EQ(runCli({ s("tage"), qvk, s("--passwort"), s("Erstes") }).code, 1);
    }
    {
        Umgebung env(s("Falsch"));
        const auto r = runCli({ s("tage"), qvk });
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.startsWith(s("Falsches Passwort"))) << r.err.toStdString();
    }
    {
        Eingabe ein { QString() };
        const auto r = runCli({ s("tage"), qvk, s("--passwort"), s("-") });
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, s("Zu --passwort - steht kein Passwort auf der Standardeingabe.\n"));
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(runCli({ s("tage"), qvk, s("--passwort"), s("Zweites") }).code, 0);
}

// Every command that opens a calendar takes its password the same three ways.
struct PasswortWeg {
    const char *name;
    const char *option; // the value of --passwort; null: none given
    const char *eingabe; // standard input
    const char *umgebung; // KRONOBLATT_PASSWORT; null: not set
    int code;
};

TEST(CmdPasswort, EveryCommandTakesThePasswordTheSameWays)
{
    TempDir dir;
    const QString qvk = anlegen(dir);
    ASSERT_EQ(runCli({ s("passwort"), qvk, s("--neu"), s("Geheim") }).code, 0);
    QImage bild(QSize(640, 480), QImage::Format_RGB32);
    bild.fill(Qt::darkBlue);
    const QString jpeg = dir.file(s("bild.jpg"));
    kb::test::writeAll(jpeg, kb::jpeg::schreiben(bild));

    const QList<QStringList> befehle = {
        { s("tage"), qvk },
        { s("monatsbild"), qvk, s("3"), jpeg },
        { s("drucken"), qvk, s("--layout"), s("Quartal 1 vertikal"), s("-o"),
            dir.file(s("q.pdf")) },
    };
    const PasswortWeg wege[] = {
        { "Option", "Geheim", "", nullptr, 0 },
        { "Standardeingabe", "-", "Geheim\n", nullptr, 0 },
        { "Umgebung", nullptr, "", "Geheim", 0 },
        { "OptionVorUmgebung", "Falsch", "", "Geheim", 1 },
        { "MinusIstKeinPasswort", "-", "Falsch\n", "Geheim", 1 },
        { "Keines", nullptr, "", nullptr, 1 },
    };
    for (const QStringList &befehl : befehle) {
        for (const PasswortWeg &weg : wege) {
            QStringList args = befehl;
            if (weg.option)
                args << s("--passwort") << s(weg.option);
            Eingabe ein(s(weg.eingabe));
            std::optional<Umgebung> env;
            if (weg.umgebung)
                env.emplace(s(weg.umgebung));
            const auto r = runCli(args);
            EXPECT_EQ(r.code, weg.code)
                << befehl.at(0).toStdString() << " " << weg.name << ": " << r.err.toStdString();
        }
    }
}

} // namespace
