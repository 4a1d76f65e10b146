// kronoblatt-cli under a file-size limit (setrlimit in the child, as `ulimit -f` does): the
// write that would pass it fails with the German message, the program ends with exit code 1
// instead of being killed, and no temporary file stays behind.
#include "CliProzess.h"
#include "caldata/KalenderSperre.h"
#include "platform/Jpeg.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/resource.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

// Runs kronoblatt-cli with the file-size limit `bytes`.
Lauf mitDateigrenze(const QStringList &args, rlim_t bytes, const Umgebung &umgebung = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    for (const auto &[name, wert] : umgebung)
        env.insert(name, wert);
    p.setProcessEnvironment(env);
    p.setChildProcessModifier([bytes] {
        const rlimit grenze { bytes, bytes };
        ::setrlimit(RLIMIT_FSIZE, &grenze);
    });
    p.start(
        qEnvironmentVariable("KRONOBLATT_TEST_CLI", QStringLiteral(KB_BIN_DIR "/kronoblatt-cli")),
        args);
    return cliWarten(p);
}

} // namespace

TEST(Dateigrenze, EinZuGrosserDruckEndetMitMeldungUndOhneReste)
{
    TempDir dir;
    const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
    const QString pdf = dir.file(u"quartal.pdf"_s);
    const QByteArray vorher("alter Inhalt");
    writeAll(pdf, vorher);
    const QStringList vorherDateien = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);

    const Lauf l = mitDateigrenze(
        { u"drucken"_s, k.qvkPfad(), u"--layout"_s, u"Quartal 1 vertikal"_s, u"-o"_s, pdf }, 4096);
    EXPECT_FALSE(l.getoetet);
    EXPECT_EQ(l.code, 1) << l.err;
    EXPECT_TRUE(l.err.contains(u"Die Datei wird zu groß."_s)) << l.err;
    EXPECT_TRUE(l.err.contains(QDir::toNativeSeparators(pdf))) << l.err;
    EXPECT_EQ(readAll(pdf), vorher);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), vorherDateien);

    // Without the limit the same print is written.
    const Lauf frei = mitDateigrenze(
        { u"drucken"_s, k.qvkPfad(), u"--layout"_s, u"Quartal 1 vertikal"_s, u"-o"_s, pdf },
        RLIM_INFINITY);
    EXPECT_EQ(frei.code, 0) << frei.err;
    EXPECT_TRUE(readAll(pdf).startsWith("%PDF"));
}

// A month picture that would make the picture table pass the limit: the table engine's write
// fails with the German reason, and the calendar stays sound with its old picture.
TEST(Dateigrenze, EinZuGrossesMonatsbildEndetMitMeldung)
{
    TempDir dir;
    const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
    QImage bild(QSize(640, 480), QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    }
    const QString jpeg = dir.file(u"bunt.jpg"_s);
    writeAll(jpeg, jpeg::schreiben(bild));
    const QByteArray vorher = readAll(k.bildPfad());

    const Lauf l = mitDateigrenze(
        { u"monatsbild"_s, k.qvkPfad(), u"3"_s, jpeg }, rlim_t(QFileInfo(k.bildPfad()).size()));
    EXPECT_FALSE(l.getoetet);
    EXPECT_EQ(l.code, 1) << l.err;
    EXPECT_TRUE(l.err.contains(u"Die Datei wird zu groß."_s)) << l.err;
    EXPECT_FALSE(l.err.contains(u"disk"_s)) << l.err;
    EXPECT_EQ(kalenderFehler(k, QString()), QString());
    EXPECT_EQ(readAll(k.bildPfad()), vorher);
}

// A calendar that cannot be made because no file may grow: at every limit the run ends with
// exit code 1 and a German message naming the calendar (never a temporary file), and leaves
// nothing behind, not even the mark of its generation.
TEST(Dateigrenze, EinNichtAngelegterKalenderHinterlaesstNichts)
{
    for (const rlim_t grenze : { rlim_t(0), rlim_t(10), rlim_t(4096), rlim_t(30'000) }) {
        TempDir dir;
        const KalenderDatei k = KalenderDatei::neu(dir.path(), u"Haus"_s);
        const Lauf l = mitDateigrenze(anlegenArgs(dir.path(), u"Haus"_s), grenze);
        EXPECT_FALSE(l.getoetet) << grenze;
        EXPECT_EQ(l.code, 1) << grenze << ": " << l.err;
        EXPECT_TRUE(l.err.contains(u"Die Datei wird zu groß."_s)) << l.err;
        EXPECT_FALSE(l.err.contains(u".kb"_s)) << l.err;
        EXPECT_TRUE(l.err.contains(QDir::toNativeSeparators(dir.path()))) << l.err;
        EXPECT_EQ(kalenderFehler(k, QString()), u"fehlt"_s);
        EXPECT_EQ(reste(dir.path()), QStringList()) << grenze;
        // Only the calendar's lock file stays: it is the same file for every run.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList { KalenderSperre::sperrdatei(k).section(QLatin1Char('/'), -1) })
            << grenze;
    }
}

// A month picture that fits only partly, in a calendar with and without password: however far
// the write got, the picture table afterwards is byte for byte the one before, with no journal
// beside it, and the next run stores the picture.
TEST(Dateigrenze, EinGescheitertesMonatsbildLaesstDieTabelleBytegenau)
{
    for (const char *passwort : { "", "geheim" }) {
        TempDir dir;
        const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
        const Umgebung umgebung = { { u"KRONOBLATT_PASSWORT"_s, QString::fromUtf8(passwort) } };
        if (*passwort) {
            const Lauf pw
                = cli({ u"passwort"_s, k.qvkPfad(), u"--neu"_s, QString::fromUtf8(passwort) });
            ASSERT_EQ(pw.code, 0) << pw.err;
        }
        QImage bild(QSize(640, 480), QImage::Format_RGB32);
        for (int y = 0; y < bild.height(); ++y) {
            for (int x = 0; x < bild.width(); ++x)
                bild.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
        }
        const QString jpeg = dir.file(u"bunt.jpg"_s);
        writeAll(jpeg, jpeg::schreiben(bild));
        const QByteArray vorher = readAll(k.bildPfad());
        const QStringList args = { u"monatsbild"_s, k.qvkPfad(), u"3"_s, jpeg };
        for (const qint64 mehr : { 0, 1024, 4096, 16384, 40000 }) {
            const Lauf l = mitDateigrenze(args, rlim_t(vorher.size() + mehr), umgebung);
            EXPECT_EQ(l.code, 1) << passwort << " +" << mehr << ": " << l.err;
            EXPECT_TRUE(l.err.contains(u"Die Datei wird zu groß."_s)) << l.err;
            EXPECT_TRUE(readAll(k.bildPfad()) == vorher) << passwort << " +" << mehr;
            EXPECT_FALSE(QFile::exists(k.bildPfad() + u"-journal"_s)) << passwort << " +" << mehr;
        }
        EXPECT_EQ(kalenderFehler(k, QString::fromUtf8(passwort)), QString());
        const Lauf frei = cli(args, umgebung);
        EXPECT_EQ(frei.code, 0) << frei.err;
        EXPECT_NE(readAll(k.bildPfad()), vorher);
    }
}
#endif
