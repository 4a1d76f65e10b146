// Input files that are no regular files: a device (directly or through a link), a FIFO or a
// directory named as a picture, a month text, a form file, a settings file or an iCalendar file
// is refused at once with a German message naming it and exit code 1, without reading endlessly
// or waiting for a writer, and nothing changes: neither the calendar nor the named file.
#include "CliTestUtil.h"
#include "platform/Jpeg.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>

using namespace Qt::StringLiterals;

using kb::test::runCli;
using kb::test::TempDir;

namespace {

struct Eingabeart {
    const char *name;
    const char *endung;
    const char *meldung; // the start of the message, %1 the file
    bool vollerPfad; // the message names the file with its path
    bool ohneEndung; // a name without the kind's extension is tried (a picture needs one)
    QStringList (*args)(const QString &qvk, const QString &datei, const QString &jpeg);
};

} // namespace

TEST(Eingabedateien, GeraeteUndPipesWerdenAbgelehnt)
{
    TempDir dir;
    ASSERT_EQ(
        runCli({ u"anlegen"_s, u"--verzeichnis"_s, dir.path(), u"--datei"_s, u"Haus"_s, u"--jahr"_s,
                   u"2025"_s, u"--land"_s, u"Hessen"_s, u"--name"_s, u"Krause"_s })
            .code,
        0);
    const QString qvk = dir.file(u"Haus.QVK"_s);
    const QString jpeg = dir.file(u"gut.jpg"_s);
    QImage bild(QSize(64, 48), QImage::Format_RGB32);
    bild.fill(Qt::red);
    kb::test::writeAll(jpeg, kb::jpeg::schreiben(bild));
    const QByteArray bildVorher = kb::test::readAll(dir.file(u"HausBild.DB"_s));
    const QByteArray jahrVorher = kb::test::readAll(dir.file(u"Haus.DB"_s));
    const QString pdf = dir.file(u"druck.pdf"_s);

    const Eingabeart arten[] = {
        { "Bild", ".jpg", "Die Datei \"%1\" ist keine gewöhnliche Datei", false, false,
            [](const QString &q, const QString &d, const QString &) {
                return QStringList { u"monatsbild"_s, q, u"4"_s, d };
            } },
        { "Monatstext", ".txt", "Die Textdatei \"%1\" ist keine gewöhnliche Datei", false, true,
            [](const QString &q, const QString &d, const QString &j) {
                return QStringList { u"monatsbild"_s, q, u"4"_s, j, u"--text"_s, d };
            } },
        { "Formular", ".qvf", "Die Formulardatei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &, const QString &d, const QString &) {
                return QStringList { u"formular"_s, d };
            } },
        { "Einstellungen", ".ini", "Die Datei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &, const QString &d, const QString &) {
                return QStringList { u"einstellungen"_s, u"--datei"_s, d };
            } },
        { "Ferien", ".ini", "Die Datei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &, const QString &d, const QString &) {
                return QStringList { u"ferien"_s, u"Hessen"_s, u"2025"_s, u"--einstellungen"_s, d };
            } },
        { "Druckeinstellungen", ".ini", "Die Datei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &q, const QString &d, const QString &) {
                return QStringList { u"drucken"_s, q, u"--layout"_s, u"Quartal 1 vertikal"_s,
                    u"--einstellungen"_s, d, u"-o"_s,
                    QFileInfo(q).absolutePath() + u"/druck.pdf"_s };
            } },
        { "iCalendar", ".ics", "Die Datei „%1“ ist keine gewöhnliche Datei", true, true,
            [](const QString &q, const QString &d, const QString &) {
                return QStringList { u"ics-import"_s, q, d };
            } },
    };
    for (const Eingabeart &art : arten) {
        const QString endung = QString::fromUtf8(art.endung);
        const QString link = dir.file(u"null"_s + endung);
        const QString fifo = dir.file(u"pipe"_s + endung);
        const QString ordner = dir.file(u"ordner"_s + endung);
        QFile::remove(link);
        QFile::remove(fifo);
        ASSERT_TRUE(QFile::link(u"/dev/zero"_s, link));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        ASSERT_TRUE(QDir().mkpath(ordner));
        const QStringList dateienVorher
            = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        QStringList dateien { link, fifo, ordner };
        if (art.ohneEndung)
            dateien.prepend(u"/dev/zero"_s);
        for (const QString &datei : std::as_const(dateien)) {
            const auto r = runCli(art.args(qvk, datei, jpeg));
            EXPECT_EQ(r.code, 1) << art.name << " " << datei.toStdString();
            const QString meldung = QString::fromUtf8(art.meldung)
                                        .arg(art.vollerPfad ? QDir::toNativeSeparators(datei)
                                                            : QFileInfo(datei).fileName());
            EXPECT_TRUE(r.err.startsWith(meldung))
                << art.name << ": " << r.err.toStdString() << " / " << meldung.toStdString();
            EXPECT_EQ(r.out, QString()) << art.name;
        }
        // The named files are what they were, and nothing came beside them.
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), u"/dev/zero"_s) << art.name;
        struct stat sb { };
        EXPECT_TRUE(::lstat(QFile::encodeName(fifo).constData(), &sb) == 0 && S_ISFIFO(sb.st_mode))
            << art.name;
        EXPECT_TRUE(QFileInfo(ordner).isDir()) << art.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System),
            dateienVorher)
            << art.name;
    }
    EXPECT_EQ(kb::test::readAll(dir.file(u"HausBild.DB"_s)), bildVorher);
    EXPECT_EQ(kb::test::readAll(dir.file(u"Haus.DB"_s)), jahrVorher);
    EXPECT_FALSE(QFile::exists(pdf));
}
#endif
