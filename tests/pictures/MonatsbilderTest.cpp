#include "PicturesTestUtil.h"

#include "pictures/Monatsbilder.h"
#include "pictures/Monatstext.h"
#include "platform/QtUi.h"
#include "printing/TMonateKalenderForm.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

using namespace kb;
using test::zweifarbig;

namespace {

class MonatsbilderTest : public test::BilderTest { };

TEST(Monatsbilder, TheLabelAndTheHeaderNameOnlyMonthsOneToTwelve)
{
    EXPECT_EQ(monatsLabel(1), QStringLiteral("    Januar"));
    EXPECT_EQ(monatsLabel(7), QStringLiteral("    Juli"));
    EXPECT_EQ(monatsname(3), QStringLiteral("März"));
    EXPECT_EQ(monatsname(12), QStringLiteral("Dezember"));
    for (int kein : { 0, -1, 13 }) {
        EXPECT_FALSE(monatsLabel(kein)) << kein;
        EXPECT_FALSE(monatsname(kein)) << kein;
    }
}

TEST(Monatsbilder, OnlyTheSinglePictureIsLinked)
{
    EXPECT_FALSE(seiteVerknuepft(BilderSeite::AlleBilder));
    EXPECT_FALSE(seiteVerknuepft(BilderSeite::AlleTexte));
    EXPECT_TRUE(seiteVerknuepft(BilderSeite::EinzelBild));
    EXPECT_EQ(seitenTitel(BilderSeite::AlleBilder), QStringLiteral("alle Monats-Bilder"));
    EXPECT_EQ(seitenTitel(BilderSeite::AlleTexte), QStringLiteral("alle Monats-Texte"));
    EXPECT_EQ(seitenTitel(BilderSeite::EinzelBild), QStringLiteral("einzel Monats-Bild"));
}

TEST_F(MonatsbilderTest, LinkedThePictureTableFollowsTheDayTableUnlinkedItListsAllMonths)
{
    jahr.setFilter(QStringLiteral("MonatNr='7'"));
    jahr.setFiltered(true);
    bilderVerknuepfen(bilder, jahr);
    EXPECT_EQ(bilder.recordCount(), 1);
    EXPECT_EQ(aktuellerMonat(bilder), 7);
    jahr.setFilter(QStringLiteral("MonatNr='11'"));
    EXPECT_EQ(aktuellerMonat(bilder), 11);
    jahr.setFiltered(false);
    jahr.last();
    EXPECT_EQ(aktuellerMonat(bilder), 12);

    bilderEntknuepfen(bilder);
    EXPECT_TRUE(bilder.isOpen());
    EXPECT_EQ(bilder.recordCount(), 12);
    bilder.first();
    for (int m = 1; m <= 12; ++m, bilder.next())
        EXPECT_EQ(aktuellerMonat(bilder), m);
    // The day table moves alone now.
    jahr.first();
    monat(5);
    jahr.last();
    EXPECT_EQ(aktuellerMonat(bilder), 5);
}

TEST_F(MonatsbilderTest, CopyPutsTheMonthsPictureOnTheClipboardAndNothingWithoutOne)
{
    const QImage bild = zweifarbig(QSize(64, 48), Qt::red, Qt::blue);
    bildSpeichern(2, bild);
    bilder.refresh();
    monat(2);
    EXPECT_TRUE(bildKopieren(bilder));
    EXPECT_EQ(ui->clipboardImage().convertToFormat(QImage::Format_RGB32),
        bild.convertToFormat(QImage::Format_RGB32));

    const QImage vorher = zweifarbig(QSize(8, 8), Qt::green, Qt::green);
    ui->setClipboardImage(vorher);
    monat(3);
    EXPECT_FALSE(bildKopieren(bilder));
    EXPECT_EQ(ui->clipboardImage(), vorher);
}

TEST_F(MonatsbilderTest, PasteTakesThePictureFromTheClipboardAndPosts)
{
    const QImage bild = zweifarbig(QSize(640, 480), Qt::red, Qt::blue);
    ui->setClipboardImage(bild);
    monat(6);
    EXPECT_TRUE(bildEinfuegen(bilder));
    EXPECT_EQ(bilder.state(), Table::State::Browse);
    EXPECT_EQ(QImage::fromData(gespeichertesBild(6)).convertToFormat(QImage::Format_RGB32),
        bild.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(gespeichertesBild(5).isEmpty());
}

TEST_F(MonatsbilderTest, PasteWithTextOnTheClipboardChangesNothing)
{
    // The real clipboard of the platform, holding text.
    std::unique_ptr<Ui> vorher = installUi(std::make_unique<QtUi>());
    bildSpeichern(6, zweifarbig(QSize(64, 48), Qt::red, Qt::blue));
    bilder.refresh();
    const QByteArray gespeichert = gespeichertesBild(6);
    QApplication::clipboard()->setText(QStringLiteral("nur Text"));
    monat(6);
    EXPECT_FALSE(bildEinfuegen(bilder));
    EXPECT_EQ(bilder.state(), Table::State::Browse);
    EXPECT_EQ(gespeichertesBild(6), gespeichert);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("nur Text"));
    installUi(std::move(vorher));
}

TEST_F(MonatsbilderTest, DeleteClearsTheCurrentMonthsPictureOnly)
{
    for (int m : { 2, 3, 4 })
        bildSpeichern(m, zweifarbig(QSize(16, 16), Qt::red, Qt::blue));
    bilder.refresh();
    monat(3);
    bildLoeschen(bilder);
    EXPECT_TRUE(gespeichertesBild(3).isEmpty());
    EXPECT_FALSE(gespeichertesBild(2).isEmpty());
    EXPECT_FALSE(gespeichertesBild(4).isEmpty());
    EXPECT_EQ(bilder.state(), Table::State::Browse);
}

TEST_F(MonatsbilderTest, TheBrowsersEndDecidesWhatIsStored)
{
    const QImage alt = zweifarbig(QSize(16, 16), Qt::green, Qt::green);
    const QImage neu = zweifarbig(QSize(640, 480), Qt::red, Qt::blue);
    struct Fall {
        const char *was;
        Auswahl ende;
        bool bildAufZwischenablage;
        bool gespeichert;
        Table::State danach;
    };
    const Fall faelle[] = {
        { "übernehmen with a picture stores it", Auswahl::Uebernommen, true, true,
            Table::State::Browse },
        { "übernehmen without a valid picture cancels the edit", Auswahl::Uebernommen, false, false,
            Table::State::Browse },
        { "Schließen leaves the record in edit for the navigator", Auswahl::Geschlossen, true,
            false, Table::State::Edit },
    };
    for (const Fall &f : faelle) {
        bildSpeichern(8, alt);
        bilder.refresh();
        monat(8);
        const QByteArray vorher = gespeichertesBild(8);
        ui->setClipboardImage(QImage());
        const bool ergebnis = bildAusBrowser(bilder, [&] {
            EXPECT_EQ(bilder.state(), Table::State::Edit) << f.was;
            if (f.bildAufZwischenablage)
                ui->setClipboardImage(neu);
            return f.ende;
        });
        EXPECT_EQ(ergebnis, f.gespeichert) << f.was;
        EXPECT_EQ(bilder.state(), f.danach) << f.was;
        if (f.gespeichert)
            EXPECT_EQ(QImage::fromData(gespeichertesBild(8)).size(), QSize(640, 480)) << f.was;
        else
            EXPECT_EQ(gespeichertesBild(8), vorher) << f.was;
        bilder.cancel();
    }
}

TEST_F(MonatsbilderTest, AMonthTextFileIsStoredWithItsExactContent)
{
    // Several kilobytes of UTF-8 with umlauts, tabs, CR LF and a last line without end.
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("Zeile %1:\tGrüße aus Köln – 25 €\r\n").arg(i);
    text += QStringLiteral("Ende ohne Zeilenende");
    const QString pfad = dir.file(QStringLiteral("juli.txt"));
    test::writeAll(pfad, text.toUtf8());
    ASSERT_GT(text.toUtf8().size(), 6000);

    ui->answerFile(pfad);
    monat(7);
    EXPECT_TRUE(monatstextLaden(bilder, dir.path()));
    EXPECT_EQ(bilder.state(), Table::State::Browse);
    EXPECT_EQ(gespeicherterText(7), text);
    EXPECT_EQ(gespeicherterText(7).toUtf8(), test::readAll(pfad));
    EXPECT_TRUE(gespeicherterText(6).isEmpty());
}

TEST_F(MonatsbilderTest, AFileThatIsNotUtf8IsReadAsWindows1252)
{
    const QString pfad = dir.file(QStringLiteral("alt.txt"));
    // "Grüße" and the euro sign in Windows-1252, which is not valid UTF-8.
    test::writeAll(pfad,
        QByteArray("Gr\xfc\xdf"
                   "e \x80\r\n\tEnde"));
    ui->answerFile(pfad);
    monat(1);
    EXPECT_TRUE(monatstextLaden(bilder));
    EXPECT_EQ(gespeicherterText(1), QStringLiteral("Grüße €\r\n\tEnde"));
}

TEST_F(MonatsbilderTest, CancellingOrAnUnreadableFileChangesNothing)
{
    monat(2);
    bilder.edit();
    bilder.setString(QStringLiteral("TextMonat"), QStringLiteral("bleibt"));
    bilder.post();

    ui->answerFile(QString());
    EXPECT_FALSE(monatstextLaden(bilder));
    EXPECT_EQ(gespeicherterText(2), QStringLiteral("bleibt"));

    const QString fehlt = dir.file(QStringLiteral("fehlt.txt"));
    ui->answerFile(fehlt);
    const QString fehler = test::errorOf([&] { monatstextLaden(bilder); });
    EXPECT_TRUE(fehler.contains(QStringLiteral("fehlt.txt"))) << fehler.toStdString();
    EXPECT_EQ(bilder.state(), Table::State::Browse);
    EXPECT_EQ(gespeicherterText(2), QStringLiteral("bleibt"));

    const QString gross = dir.file(QStringLiteral("gross.txt"));
    test::writeAll(gross, QByteArray(int(kGroessteTextdatei) + 1, 'a'));
    ui->answerFile(gross);
    EXPECT_TRUE(
        test::errorOf([&] { monatstextLaden(bilder); }).contains(QStringLiteral("zu groß")));
    EXPECT_EQ(gespeicherterText(2), QStringLiteral("bleibt"));
}

TEST_F(MonatsbilderTest, ANameWithoutExtensionMeansTheTextFile)
{
    test::writeAll(dir.file(QStringLiteral("notiz.txt")), "Notiz");
    ui->answerFile(dir.file(QStringLiteral("notiz")));
    monat(9);
    EXPECT_TRUE(monatstextLaden(bilder));
    EXPECT_EQ(gespeicherterText(9), QStringLiteral("Notiz"));
}

} // namespace
