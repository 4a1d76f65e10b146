#include "CliTestUtil.h"
#include "designer/FormFile.h"
#include "designer/Formular.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb::designer;
using kb::test::readAll;
using kb::test::runCli;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

// Header texts and a system field, a data field and a data picture in the day band, a
// rectangle in the footer; free paper in landscape, four columns, weeks shown.
Formular sampleForm()
{
    kb::test::ScopedScriptedUi ui;
    Formular form;
    form.create(ElementType::FreeText, FormBand::Header);
    form.create(ElementType::FreeText, FormBand::Header);
    form.create(ElementType::SystemField, FormBand::Header);
    form.create(ElementType::DataField, FormBand::Day)->source = QString::fromUtf8(kMainTable);
    form.create(ElementType::DataPicture, FormBand::Day);
    form.create(ElementType::Rectangle, FormBand::Footer);
    form.setBandHeight(FormBand::Header, 100);
    PagePanel &panel = form.panel();
    panel.orientation = OrientationBox::Landscape;
    panel.paper = PaperItem::Custom;
    panel.paperWidth = 250;
    panel.paperHeight = 180;
    panel.columns = 4;
    panel.columnSpacing = 3;
    panel.showWeeks = true;
    panel.shadeSaturdays = panel.shadeSundays = true;
    form.page().marginLeft = 12.5;
    return form;
}

} // namespace

TEST(CliFormular, SummaryNamesElementsPerBandPageAndPaper)
{
    TempDir dir;
    const QString path = dir.file(u"Jahresplan.qvf"_s);
    sampleForm().save(path);

    const auto r = runCli({ u"formular"_s, path });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(r.out,
        u"Formular: "_s + QDir::toNativeSeparators(path) + u"\n"_s
            + u"Elemente: 6\n"
              "  Kalender - Kopfzeile (Höhe 100): 2 freie Texte, 1 Systemfeld\n"
              "  Monat/Gruppe (Höhe 79): keine\n"
              "  Tage im Jahr (Höhe 86): 1 Datenfeld, 1 Datenbank-Bild\n"
              "  Summen (Höhe 63): keine\n"
              "  Fußzeile (Höhe 79): 1 Rechteck\n"
              "Papier: freie Grösse 250 x 180 mm, Querformat\n"
              "Spalten: 4, Abstand 3 mm\n"
              "Ränder: oben 10 mm, unten 10 mm, links 12,5 mm, rechts 10 mm\n"
              "Rahmen: Seite (oben, unten, links, rechts), Fußzeile (oben, unten, "
              "links, rechts); Farbe $00000000, Breite 1\n"
              "Wochen anzeigen: ja\n"
              "Hintergrundfarbe für: Samstag, Sonntag\n"_s);
}

TEST(CliFormular, SaveLoadsAsTheDesignerAndWritesTheFormAgain)
{
    TempDir dir;
    const QString in = dir.file(u"ein.qvf"_s);
    const QString out = dir.file(u"aus.qvf"_s);
    // A gap left by a deleted element, and a picture whose file is gone.
    Formular form = sampleForm();
    form.remove(u"Label_1"_s);
    {
        kb::test::ScopedScriptedUi ui;
        form.create(ElementType::Picture, FormBand::Group)->picturePath = dir.file(u"weg.bmp"_s);
    }
    form.save(in);

    const auto r = runCli({ u"formular"_s, in, u"--speichern"_s, out });
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, u"Bild "_s + dir.file(u"weg.bmp"_s) + u" nicht gefunden !\n"_s);
    EXPECT_EQ(r.out, u"Gespeichert: "_s + QDir::toNativeSeparators(out) + u" (40 Sätze)\n"_s);

    // What the designer would save after opening the form: the gap closed.
    kb::test::ScopedScriptedUi ui;
    Formular reloaded;
    reloaded.load(in);
    EXPECT_EQ(reloaded.find(u"Label_1"_s)->number, 1);
    EXPECT_EQ(readAll(out), formFileBytes(reloaded.records()));
    EXPECT_NE(readAll(out), readAll(in));

    // Saving onto the file itself is a normalising save in place.
    const auto again = runCli({ u"formular"_s, out, u"--speichern"_s, out });
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(readAll(out), formFileBytes(reloaded.records()));
}

TEST(CliFormular, BadInputIsReportedAndNothingIsWritten)
{
    TempDir dir;
    const QString out = dir.file(u"aus.qvf"_s);
    writeAll(out, "alt");
    const QString broken = dir.file(u"kaputt.qvf"_s);
    writeAll(broken, QByteArray(1553, '\0'));
    const QString missing = dir.file(u"fehlt.qvf"_s);

    struct Case {
        QStringList args;
        int code;
        QString err;
    };
    const Case cases[] = {
        { { u"formular"_s, missing, u"--speichern"_s, out }, 1,
            u"Die Formulardatei "_s + QDir::toNativeSeparators(missing)
                + u" existiert nicht.\n"_s },
        { { u"formular"_s, broken, u"--speichern"_s, out }, 1,
            u"Die Datei "_s + QDir::toNativeSeparators(broken)
                + u" ist keine gültige Formulardatei: Ihre Größe von 1553 Bytes ist kein "
                  "Vielfaches von 1552 Bytes. Sie ist wohl unvollständig oder beschädigt.\n"_s },
        { { u"formular"_s, broken }, 1,
            u"Die Datei "_s + QDir::toNativeSeparators(broken)
                + u" ist keine gültige Formulardatei: Ihre Größe von 1553 Bytes ist kein "
                  "Vielfaches von 1552 Bytes. Sie ist wohl unvollständig oder beschädigt.\n"_s },
        { { u"formular"_s }, 2,
            u"Es fehlt das Argument EIN.qvf.\n"
            "Aufruf: kronoblatt-cli formular EIN.qvf [--speichern AUS.qvf]\n"_s },
        { { u"formular"_s, missing, u"--speichern"_s }, 2,
            u"Zur Option --speichern fehlt der Wert.\n"
            "Aufruf: kronoblatt-cli formular EIN.qvf [--speichern AUS.qvf]\n"_s },
    };
    for (const Case &c : cases) {
        const auto r = runCli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(readAll(out), QByteArray("alt"));
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}
