// The report designer's window: property lists, fields dragged onto bands, keyboard moves and
// zoom, pictures loaded from files, printing from the report table.
#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "caldata/Schemas.h"
#include "designer/Arbeitsflaeche.h"
#include "designer/BerichtsDruck.h"
#include "designer/BerichtsEigenschaften.h"
#include "designer/BerichtsStrom.h"
#include "designer/BerichtsSzene.h"
#include "designer/EigenschaftsListe.h"
#include "designer/TReportDesignerDialog.h"
#include "pictures/BilderTestUtil.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QGraphicsSceneDragDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;
using namespace Qt::StringLiterals;
using bericht::BandArt;
using bericht::Bericht;
using bericht::Element;
using bericht::ElementArt;
using bericht::ElementEigenschaft;
using designer::ElementOrt;
using designer::TReportDesignerDialog;
using test::ScopedScriptedUi;
using test::TempDir;

namespace {

// A report with a page header holding a caption and a detail band holding a field.
Bericht einfacherBericht()
{
    Bericht b;
    b.titel = u"Test"_s;
    bericht::Band &kopf = bericht::bandHolen(b, BandArt::Seitenkopf);
    Element text;
    text.text = u"Überschrift"_s;
    text.geometrie = QRectF(10, 5, 200, 20);
    kopf.elemente.push_back(text);
    bericht::Band &detail = bericht::bandHolen(b, BandArt::Detail);
    Element feld;
    feld.art = ElementArt::Feld;
    feld.text = u"Datum"_s;
    feld.geometrie = QRectF(0, 0, 100, 16);
    detail.elemente.push_back(feld);
    return b;
}

struct Kalender {
    TempDir dir;
    KalenderDatei dateien;
    Kalender()
    {
        AnlageEingaben e;
        e.name = u"Muster"_s;
        e.vorname = u"Erika"_s;
        e.land = u"Hessen"_s;
        e.verzeichnis = dir.path();
        e.datei = u"Kal"_s;
        e.jahr = 2026;
        dateien = kalenderAnlegen(e).dateien;
    }
    designer::KalenderQuelle quelle() const
    {
        return [k = dateien] {
            return std::optional(bericht::KalenderTabellen { k.jahrPfad(), k.bildPfad() });
        };
    }
};

int zeileVon(designer::EigenschaftsListe *liste, ElementEigenschaft was)
{
    return liste->zeileVon(int(was));
}

TEST(BerichtsEigenschaften, TypedValuesChangeThePrintableOrAreRefusedWithAReason)
{
    const report::FontSpec standard;
    const struct {
        const char *name;
        ElementArt art;
        ElementEigenschaft was;
        const char *text;
        const char *fehler; // nullptr: taken
        std::function<bool(const Element &)> pruefen;
    } faelle[] = {
        { "left", ElementArt::Text, ElementEigenschaft::Links, " 42 ", nullptr,
            [](const Element &e) {
                return e.geometrie.left() == 42 && e.geometrie.width() == 120;
            } },
        { "width zero", ElementArt::Text, ElementEigenschaft::Breite, "0",
            "Bitte eine ganze Zahl von 1 bis 5000 eingeben.", {} },
        { "font size with a comma", ElementArt::Feld, ElementEigenschaft::Schriftgroesse, "12,5",
            nullptr, [](const Element &e) { return e.schrift && e.schrift->pointSize == 12.5; } },
        { "bold", ElementArt::Systemwert, ElementEigenschaft::Fett, "ja", nullptr,
            [](const Element &e) { return e.schrift && e.schrift->bold; } },
        { "bold typed wrongly", ElementArt::Text, ElementEigenschaft::Fett, "vielleicht",
            "Bitte „ja“ oder „nein“ eingeben.", {} },
        { "text colour by name", ElementArt::Text, ElementEigenschaft::Schriftfarbe, "rot", nullptr,
            [](const Element &e) { return e.farbe == QColor(Qt::red); } },
        { "background makes it opaque", ElementArt::Rechteck, ElementEigenschaft::Hintergrundfarbe,
            "#FFFF00", nullptr,
            [](const Element &e) {
                return e.hintergrund == QColor(Qt::yellow) && !e.transparent;
            } },
        { "no colour", ElementArt::Text, ElementEigenschaft::Schriftfarbe, "Lila-Blass",
            "„Lila-Blass“ ist keine Farbe. Bitte einen Farbnamen wie „Rot“ oder einen Wert wie "
            "„$000000FF“ eingeben.",
            {} },
        { "line style", ElementArt::LinieWaagrecht, ElementEigenschaft::Linienart, "gestrichelt",
            nullptr, [](const Element &e) { return e.stift.style == Qt::DashLine; } },
        { "line width", ElementArt::Rechteck, ElementEigenschaft::Linienbreite, "2,5", nullptr,
            [](const Element &e) { return e.stift.width == 2.5; } },
        { "line width too large", ElementArt::Rechteck, ElementEigenschaft::Linienbreite, "99",
            "Bitte eine Zahl von 0 bis 20 eingeben.", {} },
        { "system value by name", ElementArt::Systemwert, ElementEigenschaft::Systemwert,
            "seitennummer", nullptr, [](const Element &e) { return e.systemwert == 3; } },
        { "unknown alignment", ElementArt::Feld, ElementEigenschaft::Ausrichtung, "mittig",
            "„mittig“ ist keine Ausrichtung. Möglich sind: links, zentriert, rechts.", {} },
        { "empty field name", ElementArt::Feld, ElementEigenschaft::Text, "  ",
            "Bitte den Namen eines Feldes eingeben.", {} },
        { "no font on a line", ElementArt::LinieSenkrecht, ElementEigenschaft::Schriftart, "Arial",
            "Dieses Element hat keine solche Eigenschaft.", {} },
        { "kind is fixed", ElementArt::Text, ElementEigenschaft::Art, "Feld",
            "Dieses Element hat keine solche Eigenschaft.", {} },
    };
    for (const auto &f : faelle) {
        Element e;
        e.art = f.art;
        e.text = u"Datum"_s;
        e.geometrie = QRectF(8, 4, 120, 16);
        const Element vorher = e;
        const std::optional<QString> fehler
            = bericht::elementSetzen(e, int(f.was), QString::fromUtf8(f.text), standard);
        if (f.fehler) {
            EXPECT_EQ(fehler.value_or(QString()), QString::fromUtf8(f.fehler)) << f.name;
            EXPECT_EQ(e, vorher) << f.name;
        } else {
            EXPECT_FALSE(fehler.has_value()) << f.name << ": " << fehler->toStdString();
            EXPECT_TRUE(f.pruefen(e)) << f.name;
        }
    }
}

TEST(BerichtsEigenschaften, BandsTakeBackgroundFramesAndTheirGroupField)
{
    bericht::Band b;
    b.art = BandArt::Gruppenkopf;
    b.gruppenfeld = u"Monat"_s;
    using B = bericht::BandEigenschaft;
    EXPECT_FALSE(bericht::bandSetzen(b, int(B::Hintergrundfarbe), u"Silber"_s));
    EXPECT_EQ(b.hintergrund, QColor(0xC0, 0xC0, 0xC0));
    EXPECT_FALSE(bericht::bandSetzen(b, int(B::Hintergrundfarbe), u"keine"_s));
    EXPECT_FALSE(b.hintergrund.has_value());
    EXPECT_FALSE(bericht::bandSetzen(b, int(B::RahmenUnten), u"ja"_s));
    EXPECT_FALSE(bericht::bandSetzen(b, int(B::Rahmenbreite), u"1,5"_s));
    EXPECT_TRUE(b.rahmen.unten && !b.rahmen.oben);
    EXPECT_EQ(b.rahmen.stift.width, 1.5);
    EXPECT_EQ(bericht::bandSetzen(b, int(B::Gruppenfeld), u""_s),
        u"Bitte den Namen eines Feldes eingeben."_s);
    EXPECT_EQ(b.gruppenfeld, u"Monat"_s);
    EXPECT_EQ(bericht::bandSetzen(b, int(B::Hoehe), u"-3"_s),
        u"Bitte eine ganze Zahl von 0 bis 5000 eingeben."_s);

    bericht::Band seite;
    seite.art = BandArt::Seitenfuss;
    EXPECT_EQ(bericht::bandSetzen(seite, int(B::Gruppenfeld), u"Monat"_s),
        u"Dieses Band hat keine solche Eigenschaft."_s);
}

// What the property list does in the window: one step per edit, the list shows the model,
// a refused value gets its message and changes nothing, colours come from the colour dialog.
TEST(TReportDesignerDialog, PropertyListEditsTheSelectionAsOneStepEach)
{
    TReportDesignerDialog d(u"Test"_s, einfacherBericht(), {}, [](const QByteArray &) {});
    designer::BerichtsSzene *szene = d.szene();
    szene->aktivieren(0);
    szene->waehlen({ 0, 0 });
    designer::EigenschaftsListe *liste = d.elementListe();
    ASSERT_GT(liste->rowCount(), 5);
    EXPECT_EQ(liste->item(0, 1)->text(), u"Text"_s); // the kind
    EXPECT_FALSE(liste->item(0, 1)->flags() & Qt::ItemIsEditable);

    ScopedScriptedUi ui;
    liste->item(zeileVon(liste, ElementEigenschaft::Oben), 1)->setText(u"30"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(szene->ausgewaehlt()->geometrie.top(), 30);
    EXPECT_EQ(szene->verlauf()->count(), 1);
    // The list was rebuilt from the report.
    EXPECT_EQ(liste->item(zeileVon(liste, ElementEigenschaft::Oben), 1)->text(), u"30"_s);

    liste->item(zeileVon(liste, ElementEigenschaft::Breite), 1)->setText(u"breit"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(ui->messages(), QStringList { u"Bitte eine ganze Zahl von 1 bis 5000 eingeben."_s });
    EXPECT_EQ(szene->ausgewaehlt()->geometrie.width(), 200);
    EXPECT_EQ(liste->item(zeileVon(liste, ElementEigenschaft::Breite), 1)->text(), u"200"_s);
    EXPECT_EQ(szene->verlauf()->count(), 1);

    // A double click on a colour row opens the colour dialog.
    ui->answerColor(QColor(Qt::blue));
    const int farbe = zeileVon(liste, ElementEigenschaft::Schriftfarbe);
    Q_EMIT liste->cellDoubleClicked(farbe, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(szene->ausgewaehlt()->farbe, QColor(Qt::blue));
    EXPECT_EQ(liste->item(farbe, 1)->text(), u"Blau"_s);
    EXPECT_EQ(szene->verlauf()->count(), 2);
    EXPECT_TRUE(ui->scriptDone());

    // An edit that ends because the user picked another element still goes to its owner.
    liste->item(zeileVon(liste, ElementEigenschaft::Links), 1)->setText(u"77"_s);
    szene->aktivieren(1);
    szene->waehlen({ 1, 0 });
    QCoreApplication::processEvents();
    EXPECT_EQ(szene->bericht().baender[0].elemente[0].geometrie.left(), 77);
    EXPECT_EQ(szene->bericht().baender[1].elemente[0].geometrie.left(), 0);

    // The band list edits the active band.
    designer::EigenschaftsListe *band = d.bandListe();
    band->item(band->zeileVon(int(bericht::BandEigenschaft::Hintergrundfarbe)), 1)
        ->setText(u"Gelb"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(szene->bericht().baender[1].hintergrund, QColor(Qt::yellow));

    // Undo takes back one property at a time.
    d.aktionen().rueckgaengig->trigger();
    EXPECT_FALSE(szene->bericht().baender[1].hintergrund.has_value());
    d.aktionen().rueckgaengig->trigger();
    EXPECT_EQ(szene->bericht().baender[0].elemente[0].geometrie.left(), 10);
}

TEST(TReportDesignerDialog, AFieldDraggedFromTheListLandsWhereItIsDropped)
{
    Kalender k;
    TReportDesignerDialog d(u"Test"_s, einfacherBericht(), k.quelle(), [](const QByteArray &) {});
    ScopedScriptedUi ui;
    d.abfrageWahl()->setChecked(true);
    d.abfrageText()->setPlainText(u"SELECT Datum, Tag, Text FROM Jahr"_s);
    ASSERT_TRUE(d.pruefen());
    QListWidget *felder = d.feldliste();
    ASSERT_EQ(felder->count(), 3);
    const QList<QListWidgetItem *> tag = felder->findItems(u"Tag"_s, Qt::MatchExactly);
    ASSERT_EQ(tag.size(), 1);
    // What a drag from the list carries.
    std::unique_ptr<QMimeData> daten(
        felder->model()->mimeData({ felder->indexFromItem(tag.first()) }));
    ASSERT_TRUE(daten);
    EXPECT_EQ(daten->text(), u"Tag"_s);

    designer::BerichtsSzene *szene = d.szene();
    szene->aufbauen();
    const int detail = 1;
    // Find the detail band's top on the workspace: the first point that lies in it.
    QPointF ziel;
    for (double y = 0; y < 400; y += 1) {
        const auto [band, lage] = szene->bandBei(QPointF(60, y));
        if (band == detail) {
            ziel = QPointF(60, y + 4);
            break;
        }
    }
    ASSERT_FALSE(ziel.isNull());
    QGraphicsSceneDragDropEvent drop(QEvent::GraphicsSceneDrop);
    drop.setScenePos(ziel);
    drop.setMimeData(daten.get());
    drop.setProposedAction(Qt::CopyAction);
    QCoreApplication::sendEvent(szene, &drop);
    const std::vector<Element> &elemente = szene->bericht().baender[detail].elemente;
    ASSERT_EQ(elemente.size(), 2u);
    EXPECT_EQ(elemente[1].art, ElementArt::Feld);
    EXPECT_EQ(elemente[1].text, u"Tag"_s);
    EXPECT_EQ(elemente[1].geometrie.topLeft(), QPointF(60, 4));
    EXPECT_EQ(szene->auswahl(), (ElementOrt { detail, 1 }));
    // One step: undo removes it.
    d.aktionen().rueckgaengig->trigger();
    EXPECT_EQ(szene->bericht().baender[detail].elemente.size(), 1u);
}

TEST(TReportDesignerDialog, ArrowKeysMoveTheSelectionAndTheViewZooms)
{
    TReportDesignerDialog d(u"Test"_s, einfacherBericht(), {}, [](const QByteArray &) {});
    designer::BerichtsSzene *szene = d.szene();
    designer::EntwurfAnsicht *ansicht = d.ansichtMitZoom();
    szene->waehlen({ 0, 0 });
    QTest::keyClick(ansicht, Qt::Key_Right);
    QTest::keyClick(ansicht, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(ansicht, Qt::Key_Up);
    EXPECT_EQ(szene->ausgewaehlt()->geometrie.topLeft(), QPointF(21, 4));
    // The moves of one element are one step.
    EXPECT_EQ(szene->verlauf()->count(), 1);
    d.aktionen().rueckgaengig->trigger();
    EXPECT_EQ(szene->ausgewaehlt()->geometrie.topLeft(), QPointF(10, 5));

    // Without a selection the arrow keys move nothing.
    szene->waehlen({});
    QTest::keyClick(ansicht, Qt::Key_Left);
    EXPECT_EQ(szene->bericht(), einfacherBericht());

    QTest::keyClick(ansicht, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(ansicht->zoom(), 125);
    d.aktionen().vergroessern->trigger();
    EXPECT_EQ(ansicht->zoom(), 150);
    EXPECT_EQ(ansicht->transform().m11(), 1.5);
    d.aktionen().originalgroesse->trigger();
    EXPECT_EQ(ansicht->zoom(), 100);
    for (int i = 0; i < 5; ++i)
        d.aktionen().verkleinern->trigger();
    EXPECT_EQ(ansicht->zoom(), 50);
}

TEST(TReportDesignerDialog, APictureFileLoadedIntoAPicturePrintsInTheReport)
{
    TempDir dir;
    TReportDesignerDialog d(u"Test"_s, einfacherBericht(), {}, [](const QByteArray &) {});
    designer::BerichtsSzene *szene = d.szene();
    szene->aktivieren(0);
    d.aktionen().bild->trigger();
    ASSERT_EQ(szene->ausgewaehlt()->art, ElementArt::Bild);
    ScopedScriptedUi ui;

    // A file that is no picture, and a cut JPEG: a message, the picture stays.
    const Bericht vorher = szene->bericht();
    const QString kein = test::bildDatei(dir.file(u"kein.png"_s), "kein Bild");
    const QByteArray jpeg = test::testJpeg(QSize(400, 300), Qt::red, Qt::red);
    const QString halb = test::bildDatei(dir.file(u"halb.jpg"_s), jpeg.left(jpeg.size() / 2));
    EXPECT_FALSE(d.bildLaden(kein));
    EXPECT_FALSE(d.bildLaden(halb));
    ASSERT_EQ(ui->messages().size(), 2);
    EXPECT_EQ(ui->messages()[0],
        u"Die Datei \"kein.png\" ist kein Bild, das ein Bericht aufnehmen kann (JPEG, PNG, BMP "
        "oder GIF)."_s);
    EXPECT_TRUE(ui->messages()[1].contains(u"halb.jpg"_s)) << ui->messages()[1].toStdString();
    EXPECT_EQ(szene->bericht(), vorher);

    // A picture larger than the report keeps is scaled down; chosen through the file dialog.
    const QString foto = test::bildDatei(
        dir.file(u"foto.jpg"_s), test::testJpeg(QSize(3200, 2400), Qt::red, Qt::red));
    ui->answerFile(foto);
    d.bildLaden();
    EXPECT_TRUE(ui->scriptDone());
    const Element bild = *szene->ausgewaehlt();
    const Bericht mitBild = szene->bericht();
    ASSERT_EQ(mitBild.bilder.size(), 1u); // the placeholder's slot is reused
    QImage gespeichert;
    ASSERT_TRUE(gespeichert.loadFromData(mitBild.bilder[0], "PNG"));
    EXPECT_EQ(gespeichert.size(), QSize(1600, 1200));

    // The stored report prints the picture in its box.
    const report::Document doc
        = bericht::berichtErzeugen(bericht::berichtSchreiben(mitBild), std::nullopt);
    ASSERT_FALSE(doc.pages.empty());
    const report::PictureItem *gedruckt = nullptr;
    for (const report::Primitive &p : doc.pages[0].items)
        if (const auto *b = std::get_if<report::PictureItem>(&p))
            gedruckt = b;
    ASSERT_NE(gedruckt, nullptr);
    EXPECT_EQ(gedruckt->rect.size(), bild.geometrie.size());
    EXPECT_TRUE(
        test::aehnlich(gedruckt->image.pixelColor(gedruckt->image.rect().center()), Qt::red));
}

TEST(TReportDesignerDialog, PrintingFromTheFieldAsksThePrintDialogOrSaysWhyItCannot)
{
    TempDir dir;
    Table t;
    t.setFilePath(dir.file(u"designer.db"_s));
    Schemas::anlegen(t, Schemas::designerTabelle());
    t.open();
    t.append();
    t.setString(u"Reportname"_s, u"Test"_s);
    t.setBytes(u"Reportdata"_s, bericht::berichtSchreiben(einfacherBericht()));
    t.post();

    ScopedScriptedUi ui;
    ui->answerPrint(false);
    TReportDesignerDialog::druckenAusFeld(t, u"Reportdata"_s, {}, nullptr);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_TRUE(ui->messages().isEmpty());

    // A damaged report never reaches the print dialog.
    t.edit();
    t.setBytes(u"Reportdata"_s, "KBREPORT kaputt");
    t.post();
    TReportDesignerDialog::druckenAusFeld(t, u"Reportdata"_s, {}, nullptr);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_FALSE(ui->messages()[0].isEmpty());
}

} // namespace
