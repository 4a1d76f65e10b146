#include "CliTestUtil.h"
#include "platform/Jpeg.h"
#include "storage/Table.h"
#include "support/TestUtil.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using kb::test::readAll;
using kb::test::runCli;
using kb::test::writeAll;

namespace {

class CmdMonatsbild : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto r = runCli({ QStringLiteral("anlegen"), QStringLiteral("--verzeichnis"),
            dir.path(), QStringLiteral("--datei"), QStringLiteral("Foto"), QStringLiteral("--jahr"),
            QStringLiteral("2025"), QStringLiteral("--land"), QStringLiteral("Hessen"),
            QStringLiteral("--name"), QStringLiteral("Krause"), QStringLiteral("--vorname"),
            QStringLiteral("Eva") });
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        qvk = dir.file(QStringLiteral("Foto.QVK"));
        bildTabelle = dir.file(QStringLiteral("FotoBild.DB"));
    }

    QString jpeg(const QString &name, QSize groesse)
    {
        QImage bild(groesse, QImage::Format_RGB32);
        bild.fill(Qt::darkGreen);
        writeAll(dir.file(name), kb::jpeg::schreiben(bild));
        return dir.file(name);
    }
    QString bmp(const QString &name, QSize groesse)
    {
        QImage bild(groesse, QImage::Format_RGB32);
        bild.fill(Qt::yellow);
        QByteArray bytes;
        QBuffer puffer(&bytes);
        puffer.open(QIODevice::WriteOnly);
        bild.save(&puffer, "BMP");
        writeAll(dir.file(name), bytes);
        return dir.file(name);
    }
    // Picture size and text of every month, as stored.
    QStringList monate() const
    {
        kb::Table t;
        t.setFilePath(bildTabelle);
        t.open();
        QStringList liste;
        for (t.first(); !t.eof(); t.next()) {
            const QImage bild = t.image(QStringLiteral("Bild"));
            liste.append(QStringLiteral("%1:%2x%3:%4")
                             .arg(t.asInt(QStringLiteral("Nr")))
                             .arg(bild.width())
                             .arg(bild.height())
                             .arg(t.asString(QStringLiteral("TextMonat"))));
        }
        return liste;
    }

    kb::test::TempDir dir;
    QString qvk, bildTabelle;
};

TEST_F(CmdMonatsbild, StoresThePictureStretchedAndTheTextExactly)
{
    const QString text = dir.file(QStringLiteral("maerz.txt"));
    writeAll(text, QByteArray("M\xE4rz\r\n\tFr\xFChling  \r\n"));
    auto r = runCli({ QStringLiteral("monatsbild"), qvk, QStringLiteral("3"),
        jpeg(QStringLiteral("quer.JPG"), { 1600, 1200 }), QStringLiteral("--text"), text });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
        QStringLiteral("Monat 3: Bild quer.JPG (640 × 480) und Text maerz.txt (19 Zeichen) "
                       "gespeichert.\n"));
    r = runCli({ QStringLiteral("monatsbild"), qvk, QStringLiteral("12"),
        bmp(QStringLiteral("quadrat.bmp"), { 500, 500 }) });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    r = runCli({ QStringLiteral("monatsbild"), qvk, QStringLiteral("7"),
        jpeg(QStringLiteral("hoch.jpeg"), { 300, 900 }) });
    ASSERT_EQ(r.code, 0) << r.err.toStdString();

    const QStringList m = monate();
    ASSERT_EQ(m.size(), 12);
    EXPECT_EQ(m[0], QStringLiteral("1:0x0:"));
    EXPECT_EQ(m[2], QString::fromUtf8("3:640x480:März\r\n\tFrühling  \r\n"));
    EXPECT_EQ(m[6], QStringLiteral("7:480x640:"));
    EXPECT_EQ(m[11], QStringLiteral("12:480x640:"));
}

TEST_F(CmdMonatsbild, BadInputIsAMessageAndLeavesTheCalendarUnchanged)
{
    ASSERT_EQ(runCli({ QStringLiteral("monatsbild"), qvk, QStringLiteral("5"),
                         jpeg(QStringLiteral("mai.jpg"), { 800, 600 }) })
                  .code,
        0);
    const QByteArray vorher = readAll(bildTabelle);
    const QString gut = jpeg(QStringLiteral("gut.jpg"), { 400, 300 });
    const QByteArray bitmap = readAll(bmp(QStringLiteral("ganz.bmp"), { 640, 480 }));
    writeAll(dir.file(QStringLiteral("halb.bmp")), bitmap.left(bitmap.size() * 3 / 4));
    writeAll(dir.file(QStringLiteral("text.jpg")), QByteArray("kein Bild"));
    const struct {
        const char *was;
        QStringList args;
        const char *meldung;
    } faelle[] = {
        { "no picture", { qvk, QStringLiteral("5"), dir.file(QStringLiteral("text.jpg")) },
            "\"text.jpg\": Die Datei ist kein lesbares JPEG-Bild." },
        { "truncated bitmap", { qvk, QStringLiteral("5"), dir.file(QStringLiteral("halb.bmp")) },
            "Die Datei \"halb.bmp\" ist kein lesbares Bitmap-Bild: sie ist beschädigt" },
        { "month 13", { qvk, QStringLiteral("13"), gut },
            "Der Monat muss eine Zahl von 1 bis 12 sein: 13" },
        { "month by name", { qvk, QStringLiteral("Mai"), gut },
            "Der Monat muss eine Zahl von 1 bis 12 sein: Mai" },
        { "missing calendar", { dir.file(QStringLiteral("Fehlt.QVK")), QStringLiteral("5"), gut },
            "Die Kalenderdatei" },
        { "missing picture", { qvk, QStringLiteral("5"), dir.file(QStringLiteral("fehlt.jpg")) },
            "Die Datei \"fehlt.jpg\" kann nicht gelesen werden" },
        { "missing text",
            { qvk, QStringLiteral("5"), gut, QStringLiteral("--text"),
                dir.file(QStringLiteral("fehlt.txt")) },
            "Die Textdatei \"fehlt.txt\" kann nicht gelesen werden" },
    };
    for (const auto &f : faelle) {
        const auto r = runCli(QStringList { QStringLiteral("monatsbild") } + f.args);
        EXPECT_EQ(r.code, 1) << f.was;
        EXPECT_TRUE(r.err.startsWith(QString::fromUtf8(f.meldung)))
            << f.was << ": " << r.err.toStdString();
        EXPECT_EQ(readAll(bildTabelle), vorher) << f.was;
    }
}

} // namespace
