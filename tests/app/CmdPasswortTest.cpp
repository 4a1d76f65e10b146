#include "CliTestUtil.h"
#include "platform/Jpeg.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString anlegen(const TempDir &dir)
{
    const auto r = runCli({ u"anlegen"_s, u"--verzeichnis"_s, dir.path(), u"--datei"_s, u"Haus"_s,
        u"--jahr"_s, u"2025"_s, u"--land"_s, u"Hessen"_s, u"--name"_s, u"Vertraulich"_s,
        u"--vorname"_s, u"Vera"_s });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    return dir.file(u"Haus.QVK"_s);
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
    ASSERT_TRUE(klartext(dir.file(u"Haus.DB"_s)));
    ASSERT_TRUE(klartext(dir.file(u"HausBild.DB"_s)));

    const auto r = runCli({ u"passwort"_s, qvk, u"--neu"_s, u"Geheim"_s });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, u"Haus.QVK ist mit dem Passwort geschützt.\n"_s);
    for (const char *tabelle : { "Haus.DB", "HausBild.DB" }) {
        const QByteArray bytes = kb::test::readAll(dir.file(QString::fromUtf8(tabelle)));
        EXPECT_FALSE(bytes.startsWith("SQLite format 3")) << tabelle;
        EXPECT_FALSE(bytes.contains("Vertraulich")) << tabelle;
        EXPECT_FALSE(bytes.contains("kronoblatt-table-1")) << tabelle;
    }
    // One password opens both: printing month pictures reads the picture table too.
    const auto druck = runCli({ u"drucken"_s, qvk, u"--layout"_s, u"Quartal 1 vertikal"_s, u"-o"_s,
        dir.file(u"q.pdf"_s), u"--passwort"_s, u"Geheim"_s });
    EXPECT_EQ(druck.code, 0) << druck.err.toStdString();

    const auto frei
        = runCli({ u"passwort"_s, qvk, u"--neu"_s, QString(), u"--passwort"_s, u"Geheim"_s });
    ASSERT_EQ(frei.code, 0) << frei.err.toStdString();
    EXPECT_EQ(frei.out, u"Der Passwortschutz von Haus.QVK ist aufgehoben.\n"_s);
    EXPECT_TRUE(klartext(dir.file(u"Haus.DB"_s)));
    EXPECT_TRUE(klartext(dir.file(u"HausBild.DB"_s)));
}

// Passwords need not show in the process list: "-" reads a line of standard input, and
// without --passwort the environment variable counts.
TEST(CmdPasswort, PasswordsFromStandardInputAndTheEnvironment)
{
    TempDir dir;
    const QString qvk = anlegen(dir);
    {
        Eingabe ein(u"Erstes\n"_s);
        ASSERT_EQ(runCli({ u"passwort"_s, qvk, u"--neu"_s, u"-"_s }).code, 0);
    }
    {
        Eingabe ein(u"Erstes\r\n"_s);
        const auto r = runCli({ u"tage"_s, qvk, u"--passwort"_s, u"-"_s });
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out.count(QLatin1Char('\n')), 366);
    }
    {
        // Both from standard input: the old password first, then the new one.
        Eingabe ein(u"Erstes\nZweites\n"_s);
        const auto r = runCli({ u"passwort"_s, qvk, u"--passwort"_s, u"-"_s, u"--neu"_s, u"-"_s });
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
    }
    {
        Umgebung env(u"Zweites"_s);
        EXPECT_EQ(runCli({ u"tage"_s, qvk }).code, 0);
        // The option wins over the environment.
        EXPECT_EQ(runCli({ u"tage"_s, qvk, u"--passwort"_s, u"Erstes"_s }).code, 1);
    }
    {
        Umgebung env(u"Falsch"_s);
        const auto r = runCli({ u"tage"_s, qvk });
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.err.startsWith(u"Falsches Passwort"_s)) << r.err.toStdString();
    }
    {
        Eingabe ein { QString() };
        const auto r = runCli({ u"tage"_s, qvk, u"--passwort"_s, u"-"_s });
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, u"Zu --passwort - steht kein Passwort auf der Standardeingabe.\n"_s);
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(runCli({ u"tage"_s, qvk, u"--passwort"_s, u"Zweites"_s }).code, 0);
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
    ASSERT_EQ(runCli({ u"passwort"_s, qvk, u"--neu"_s, u"Geheim"_s }).code, 0);
    QImage bild(QSize(640, 480), QImage::Format_RGB32);
    bild.fill(Qt::darkBlue);
    const QString jpeg = dir.file(u"bild.jpg"_s);
    kb::test::writeAll(jpeg, kb::jpeg::schreiben(bild));

    const QList<QStringList> befehle = {
        { u"tage"_s, qvk },
        { u"monatsbild"_s, qvk, u"3"_s, jpeg },
        { u"drucken"_s, qvk, u"--layout"_s, u"Quartal 1 vertikal"_s, u"-o"_s,
            dir.file(u"q.pdf"_s) },
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
                args << u"--passwort"_s << QString::fromUtf8(weg.option);
            Eingabe ein(QString::fromUtf8(weg.eingabe));
            std::optional<Umgebung> env;
            if (weg.umgebung)
                env.emplace(QString::fromUtf8(weg.umgebung));
            const auto r = runCli(args);
            EXPECT_EQ(r.code, weg.code)
                << befehl.at(0).toStdString() << " " << weg.name << ": " << r.err.toStdString();
        }
    }
}

} // namespace
