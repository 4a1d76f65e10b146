// The desktop program's writes of the picture table under a file-size limit (setrlimit in a
// child process, as `ulimit -f` does): a month picture stored, edited or deleted, or a month
// text loaded, that does not fit leaves the picture table byte for byte as it was, with no
// journal beside it; the user reads the German message, the change stays pending, and once
// there is room the same change is saved.
#include "CliProzess.h"
#include "caldata/KalenderSperre.h"
#include "caldata/Sicherungen.h"
#include "pictures/Bildbearbeitung.h"
#include "pictures/Monatsbilder.h"
#include "platform/AtomicFile.h"
#include "platform/Jpeg.h"
#include "platform/MitMeldung.h"
#include "shell/KalenderSitzung.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace kb;
using namespace kb::test;

namespace {

const QDate kTag(2024, 5, 8);

// A picture whose JPEG is large: colours change from pixel to pixel.
QImage buntesBild()
{
    QImage bild(QSize(640, 480), QImage::Format_RGB32);
    for (int y = 0; y < bild.height(); ++y) {
        for (int x = 0; x < bild.width(); ++x)
            bild.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    }
    return bild;
}

// What the child saw of one change under the limit.
struct Verlauf {
    QStringList meldungen; // shown while the limit held
    bool bytegenau = false; // the picture table afterwards as before, without a journal
    bool offen = false; // the change still pending
    QStringList spaeter; // shown when the pending change was saved without the limit
};

struct Aenderung {
    const char *name;
    int monat;
    // What the window does (through the Ui seam) on the picture table, at the month's record.
    std::function<void(Table &, ScriptedUi &, const QString &dir)> ausfuehren;
    // Whether the stored month shows the change afterwards.
    std::function<bool(const Table &)> gespeichert;
    // The limits: how far beyond the table's size the file may grow (-1: to 2048 bytes, which
    // keeps even the journal from being written).
    std::vector<qint64> grenzen = { -1, 0, 4096, 40000 };
};

QString langerText()
{
    QString text;
    while (text.size() < 300'000)
        text += u"Grüße aus dem Sommer, Zeile "_s + QString::number(text.size()) + u'\n';
    return text;
}

const Aenderung kAenderungen[] = {
    { "BildEingefuegt", 5,
        [](Table &t, ScriptedUi &ui, const QString &) {
            ui.setClipboardImage(buntesBild());
            bildEinfuegen(t);
        },
        [](const Table &t) { return !aktuellesBild(t).isNull(); } },
    { "BildBearbeitetGespeichert", 3,
        [](Table &t, ScriptedUi &, const QString &) {
            Bildbearbeitung bearbeitung(buntesBild());
            bearbeitung.waagerechtSpiegeln();
            bearbeitung.speichern(t);
        },
        [](const Table &t) { return aktuellesBild(t).pixel(0, 0) == buntesBild().pixel(639, 0); } },
    { "TextGeladen", 7,
        [](Table &t, ScriptedUi &ui, const QString &dir) {
            ui.answerFile(dir + u"sommer.txt"_s);
            monatstextLaden(t, dir);
        },
        [](const Table &t) { return t.asString(u"TextMonat"_s) == langerText(); } },
    // Deleting frees pages: only a journal that does not fit stops it.
    { "BildGeloescht", 3, [](Table &t, ScriptedUi &, const QString &) { bildLoeschen(t); },
        [](const Table &t) { return aktuellesBild(t).isNull(); }, { -1 } },
};

QByteArray zeilen(const QStringList &liste)
{
    return liste.join(u'\x1e').toUtf8();
}

// Opens the calendar as the desktop does and runs `aenderung` at its month under a file-size
// limit `mehr` bytes beyond the picture table's size (in a child process, which reports
// through a pipe); afterwards, without the limit, the pending change is saved.
Verlauf mitDateigrenze(const KalenderDatei &k, const QString &passwort, const Aenderung &aenderung,
    qint64 mehr, const QString &dir)
{
    const QByteArray vorher = readAll(k.bildPfad());
    const rlim_t grenze = mehr < 0 ? rlim_t(2048) : rlim_t(vorher.size() + mehr);
    int rohr[2];
    if (::pipe(rohr) != 0)
        return {};
    const pid_t kind = ::fork();
    if (kind == 0) {
        ::close(rohr[0]);
        ScopedScriptedUi ui;
        if (!passwort.isEmpty())
            ui->answerInput(passwort);
        Verlauf v;
        KalenderSitzung sitzung(kTag);
        bool bereit = sitzung.oeffnenDatei(k.qvkPfad()).geoeffnet();
        Table &bilder = sitzung.bild();
        mitMeldung([&] {
            bilderEntknuepfen(bilder);
            bereit = bereit && bilder.locate(u"Nr"_s, aenderung.monat);
            // The automatic copy before the first change is made before the limit holds.
            const KalenderSperre sperre(k);
            Sicherungen::vorAenderung(k);
        });
        rlimit alt {};
        ::getrlimit(RLIMIT_FSIZE, &alt);
        rlimit neu = alt;
        neu.rlim_cur = grenze;
        if (bereit && ::setrlimit(RLIMIT_FSIZE, &neu) == 0) {
            dateigrenzeAlsFehler();
            mitMeldung([&] { aenderung.ausfuehren(bilder, *ui, dir); });
            v.meldungen = ui->messages();
            v.bytegenau
                = readAll(k.bildPfad()) == vorher && !QFile::exists(k.bildPfad() + u"-journal"_s);
            v.offen = bilder.state() == Table::State::Edit;
            ::setrlimit(RLIMIT_FSIZE, &alt);
            ui->clear();
            mitMeldung([&] { bilder.post(); });
            v.spaeter = ui->messages();
            mitMeldung([&] { sitzung.schliessen(false); });
        } else {
            v.meldungen = QStringList { u"nicht bereit"_s };
        }
        const QByteArray bericht = zeilen(v.meldungen) + '\x1f' + (v.bytegenau ? '1' : '0')
            + (v.offen ? '1' : '0') + '\x1f' + zeilen(v.spaeter);
        [[maybe_unused]] const ssize_t n = ::write(rohr[1], bericht.constData(), bericht.size());
        ::_exit(0);
    }
    ::close(rohr[1]);
    QByteArray bericht;
    char puffer[4096];
    for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) != 0;) {
        if (n > 0)
            bericht.append(puffer, n);
        else if (errno != EINTR)
            break;
    }
    ::close(rohr[0]);
    int status = 0;
    ::waitpid(kind, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const QList<QByteArray> teile = bericht.split('\x1f');
    Verlauf v;
    if (teile.size() != 3 || teile[1].size() != 2)
        return v;
    const auto liste = [](const QByteArray &b) {
        return b.isEmpty() ? QStringList() : QString::fromUtf8(b).split(u'\x1e');
    };
    v.meldungen = liste(teile[0]);
    v.bytegenau = teile[1][0] == '1';
    v.offen = teile[1][1] == '1';
    v.spaeter = liste(teile[2]);
    return v;
}

class FensterBildUnterDateigrenze : public ::testing::TestWithParam<Aenderung> { };

// In a calendar with and without password.
TEST_P(FensterBildUnterDateigrenze, LaesstDieBildtabelleBytegenau)
{
    const Aenderung &aenderung = GetParam();
    for (const QString &passwort : { QString(), u"geheim"_s }) {
        for (const qint64 mehr : aenderung.grenzen) {
            const std::string fall = aenderung.name + (" +" + std::to_string(mehr))
                + (passwort.isEmpty() ? "" : " mit Passwort");
            TempDir dir;
            const KalenderDatei k = kalenderAnlegen(dir.path(), u"Haus"_s);
            const Umgebung umgebung = { { u"KRONOBLATT_PASSWORT"_s, passwort } };
            if (!passwort.isEmpty()) {
                const Lauf pw = cli({ u"passwort"_s, k.qvkPfad(), u"--neu"_s, passwort });
                ASSERT_EQ(pw.code, 0) << pw.err;
            }
            QImage klein(QSize(640, 480), QImage::Format_RGB32);
            klein.fill(qRgb(40, 90, 160));
            writeAll(dir.file(u"blau.jpg"_s), jpeg::schreiben(klein));
            const Lauf bild
                = cli({ u"monatsbild"_s, k.qvkPfad(), u"3"_s, dir.file(u"blau.jpg"_s) }, umgebung);
            ASSERT_EQ(bild.code, 0) << bild.err;
            writeAll(dir.file(u"sommer.txt"_s), langerText().toUtf8());

            Session::removeAllPasswords();
            const Verlauf v = mitDateigrenze(k, passwort, aenderung, mehr, dir.path());
            if (!passwort.isEmpty())
                Session::addPassword(passwort);
            ASSERT_EQ(v.meldungen.size(), 1) << fall << ": " << v.meldungen.join(u" | "_s);
            EXPECT_TRUE(v.meldungen.at(0).contains(u"Die Datei wird zu groß."_s))
                << v.meldungen.at(0);
            EXPECT_TRUE(v.bytegenau) << fall;
            EXPECT_TRUE(v.offen) << fall;
            EXPECT_EQ(v.spaeter, QStringList()) << fall;

            EXPECT_EQ(kalenderFehler(k, passwort), QString()) << fall;
            Table bilder;
            bilder.setFilePath(k.bildPfad());
            bilder.open();
            ASSERT_TRUE(bilder.locate(u"Nr"_s, aenderung.monat));
            EXPECT_TRUE(aenderung.gespeichert(bilder)) << fall;
            bilder.close();
            Session::removeAllPasswords();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Faelle, FensterBildUnterDateigrenze, ::testing::ValuesIn(kAenderungen),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
#endif
