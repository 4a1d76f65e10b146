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

using kb::test::runCli;
using kb::test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

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
        runCli({ s("anlegen"), s("--verzeichnis"), dir.path(), s("--datei"), s("Haus"), s("--jahr"),
                   s("2025"), s("--land"), s("Hessen"), s("--name"), s("Krause") })
            .code,
        0);
    const QString qvk = dir.file(s("Haus.QVK"));
    const QString jpeg = dir.file(s("gut.jpg"));
    QImage bild(QSize(64, 48), QImage::Format_RGB32);
    bild.fill(Qt::red);
    kb::test::writeAll(jpeg, kb::jpeg::schreiben(bild));
    const QByteArray bildVorher = kb::test::readAll(dir.file(s("HausBild.DB")));
    const QByteArray jahrVorher = kb::test::readAll(dir.file(s("Haus.DB")));
    const QString pdf = dir.file(s("druck.pdf"));

    const Eingabeart arten[] = {
        { "Bild", ".jpg", "Die Datei \"%1\" ist keine gewöhnliche Datei", false, false,
            [](const QString &q, const QString &d, const QString &) {
                return QStringList { s("monatsbild"), q, s("4"), d };
            } },
        { "Monatstext", ".txt", "Die Textdatei \"%1\" ist keine gewöhnliche Datei", false, true,
            [](const QString &q, const QString &d, const QString &j) {
                return QStringList { s("monatsbild"), q, s("4"), j, s("--text"), d };
            } },
        { "Formular", ".qvf", "Die Formulardatei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &, const QString &d, const QString &) {
                return QStringList { s("formular"), d };
            } },
        { "Einstellungen", ".ini", "Die Datei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &, const QString &d, const QString &) {
                return QStringList { s("einstellungen"), s("--datei"), d };
            } },
        { "Ferien", ".ini", "Die Datei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &, const QString &d, const QString &) {
                return QStringList { s("ferien"), s("Hessen"), s("2025"), s("--einstellungen"), d };
            } },
        { "Druckeinstellungen", ".ini", "Die Datei %1 ist keine gewöhnliche Datei", true, true,
            [](const QString &q, const QString &d, const QString &) {
                return QStringList { s("drucken"), q, s("--layout"), s("Quartal 1 vertikal"),
                    s("--einstellungen"), d, s("-o"),
                    QFileInfo(q).absolutePath() + s("/druck.pdf") };
            } },
        { "iCalendar", ".ics", "Die Datei „%1“ ist keine gewöhnliche Datei", true, true,
            [](const QString &q, const QString &d, const QString &) {
                return QStringList { s("ics-import"), q, d };
            } },
    };
    for (const Eingabeart &art : arten) {
        const QString endung = s(art.endung);
        const QString link = dir.file(s("null") + endung);
        const QString fifo = dir.file(s("pipe") + endung);
        const QString ordner = dir.file(s("ordner") + endung);
        QFile::remove(link);
        QFile::remove(fifo);
        ASSERT_TRUE(QFile::link(s("/dev/zero"), link));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        ASSERT_TRUE(QDir().mkpath(ordner));
        const QStringList dateienVorher
            = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        QStringList dateien { link, fifo, ordner };
        if (art.ohneEndung)
            dateien.prepend(s("/dev/zero"));
        for (const QString &datei : std::as_const(dateien)) {
            const auto r = runCli(art.args(qvk, datei, jpeg));
            EXPECT_EQ(r.code, 1) << art.name << " " << datei.toStdString();
            const QString meldung = s(art.meldung)
                                        .arg(art.vollerPfad ? QDir::toNativeSeparators(datei)
                                                            : QFileInfo(datei).fileName());
            EXPECT_TRUE(r.err.startsWith(meldung))
                << art.name << ": " << r.err.toStdString() << " / " << meldung.toStdString();
            EXPECT_EQ(r.out, QString()) << art.name;
        }
        // The named files are what they were, and nothing came beside them.
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), s("/dev/zero")) << art.name;
        struct stat sb { };
        EXPECT_TRUE(::lstat(QFile::encodeName(fifo).constData(), &sb) == 0 && S_ISFIFO(sb.st_mode))
            << art.name;
        EXPECT_TRUE(QFileInfo(ordner).isDir()) << art.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System),
            dateienVorher)
            << art.name;
    }
    EXPECT_EQ(kb::test::readAll(dir.file(s("HausBild.DB"))), bildVorher);
    EXPECT_EQ(kb::test::readAll(dir.file(s("Haus.DB"))), jahrVorher);
    EXPECT_FALSE(QFile::exists(pdf));
}
#endif
