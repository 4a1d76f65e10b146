// The designer window through the Ui seam on the offscreen platform: loading and saving a
// form unchanged, the history back to the start, and the edge cases of bands, guides, the
// paper box, element numbers, styles, fonts and data sources.

#include "designer/TEntwurf.h"
#include "caldata/KalenderAnlage.h"
#include "designer/Eigenschaften.h"
#include "designer/EigenschaftsListe.h"
#include "designer/EntwurfElemente.h"
#include "designer/FormFile.h"
#include "designer/TReportEinst.h"
#include "report/Previewer.h"
#include "settings/LayoutSettings.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb::designer;
using kb::test::readAll;
using kb::test::ScopedScriptedUi;
using kb::test::TempDir;

namespace {

// A form with every element type on every band that takes it, a picture that exists and
// one that does not, a shown week label and free paper of 250 by 180 mm.
Formular reichesFormular(const TempDir &dir)
{
    QImage bild(40, 30, QImage::Format_RGB32);
    bild.fill(Qt::darkCyan);
    bild.save(dir.file(QStringLiteral("da.jpg")));

    Formular form;
    const ElementType typen[]
        = { ElementType::FreeText, ElementType::SystemField, ElementType::DataField,
              ElementType::Picture, ElementType::Rectangle, ElementType::DataPicture };
    int n = 0;
    for (int b = 0; b < kBandCount; ++b) {
        for (ElementType t : typen) {
            FormElement *e = form.create(t, FormBand(b));
            if (!e)
                continue;
            ++n;
            e->left += 60 * (int(t) + 1);
            e->top += b == 0 ? 0 : 3;
            e->caption = QStringLiteral("Text %1").arg(n);
            e->font = FormFont { QStringLiteral("Arial"), 9 + b, 0x00800000, quint8(n % 8), 0 };
            e->color = 0x00C0FFFF;
            e->transparent = n % 3 == 0;
            e->alignment = quint8(n % 3);
            if (t == ElementType::DataField || t == ElementType::DataPicture) {
                e->source = QLatin1StringView(b % 2 ? kMainTable : kDetailTable);
                e->dataField = QStringLiteral("Feld%1").arg(n);
            }
            if (t == ElementType::Picture) {
                e->placeholder = false;
                e->picturePath = b == 2 ? dir.file(QStringLiteral("fehlt.bmp"))
                                        : dir.file(QStringLiteral("da.jpg"));
                e->stretch = b != 1;
            }
        }
    }
    form.setBandHeight(FormBand::Header, 90);
    form.setBandHeight(FormBand::Day, 120);
    form.panel().orientation = OrientationBox::Landscape;
    form.panel().paper = PaperItem::Custom;
    form.panel().paperWidth = 250;
    form.panel().paperHeight = 180;
    form.panel().columns = 3;
    form.panel().columnSpacing = 4;
    form.panel().showWeeks = true;
    form.panel().shadeSundays = true;
    form.page().marginLeft = 12.5;
    return form;
}

QString gespeichert(TEntwurf &w, const QString &ziel)
{
    ScopedScriptedUi ui;
    ui->answerQuestion(true);
    ui->answerFile(ziel);
    w.close();
    EXPECT_TRUE(ui->scriptDone());
    return ziel;
}

void waehlen(TEntwurf &w, const QString &name)
{
    w.szene()->waehlen(name);
}

QStringList felderDerBox(const TEntwurf &w)
{
    QStringList felder;
    for (int i = 0; i < w.datenfeld()->count(); ++i)
        felder.append(w.datenfeld()->itemText(i));
    return felder;
}

// A calendar for 2027 as the wizard makes it, both tables open.
struct Kalender {
    explicit Kalender(const TempDir &dir)
    {
        kb::AnlageEingaben e;
        e.name = QStringLiteral("Muster");
        e.vorname = QStringLiteral("Erika");
        e.land = QStringLiteral("Bayern");
        e.verzeichnis = dir.path();
        e.datei = QStringLiteral("k2027");
        e.jahr = 2027;
        const kb::KalenderDatei d = kb::kalenderAnlegen(e).dateien;
        jahr.setFilePath(d.jahrPfad());
        jahr.open();
        bild.setFilePath(d.bildPfad());
        bild.open();
    }
    kb::Table jahr, bild;
};

} // namespace

TEST(TEntwurf, ARichFormSavedUnchangedGivesTheSameBytes)
{
    TempDir dir;
    const QString quelle = dir.file(QStringLiteral("reich.qvf"));
    reichesFormular(dir).save(quelle);
    // What the command line's re-save writes: the form file read into the model and written.
    const QString cli = dir.file(QStringLiteral("cli.qvf"));
    {
        ScopedScriptedUi ui;
        Formular form;
        form.load(quelle);
        form.save(cli);
    }
    const QByteArray vorher = readAll(cli);

    TEntwurf w;
    {
        ScopedScriptedUi ui;
        w.laden(quelle);
        ASSERT_EQ(ui->messages().size(), 1);
        EXPECT_EQ(ui->messages()[0],
            QStringLiteral("Bild ") + dir.file(QStringLiteral("fehlt.bmp"))
                + QStringLiteral(" nicht gefunden !"));
        EXPECT_EQ(ui->beeps(), 1);
    }
    EXPECT_TRUE(w.breiteBox()->isVisibleTo(&w));
    EXPECT_EQ(w.breiteBox()->value(), 250);
    EXPECT_EQ(w.hoeheBox()->value(), 180);
    EXPECT_EQ(w.papierBox()->currentText(), QString::fromUtf8("freie Grösse"));
    EXPECT_EQ(w.wochenBox()->currentText(), QStringLiteral("ja"));

    const QString ziel = gespeichert(w, dir.file(QStringLiteral("wieder.qvf")));
    EXPECT_EQ(readAll(ziel), vorher);
    EXPECT_EQ(w.pfad(), ziel);
}

TEST(TEntwurf, UndoingEveryStepGivesTheLoadedFormAgain)
{
    TempDir dir;
    const QString quelle = dir.file(QStringLiteral("reich.qvf"));
    reichesFormular(dir).save(quelle);

    TEntwurf w;
    {
        ScopedScriptedUi ui;
        w.laden(quelle);
    }
    const QByteArray vorher = formFileBytes(w.szene()->formular().records());
    w.show();
    const auto &a = w.aktionen();
    a.neuerText->trigger();
    waehlen(w, QStringLiteral("DetailLabel_1"));
    QTest::keyClick(w.ansicht(), Qt::Key_Right);
    QTest::keyClick(w.ansicht(), Qt::Key_Down, Qt::ShiftModifier);
    a.fett->trigger();
    w.textEingabe()->setText(QString());
    QTest::keyClicks(w.textEingabe(), QStringLiteral("Neu"));
    a.loeschen->trigger();
    w.spaltenBox()->setValue(7);
    w.szene()->aktivieren(FormBand::Footer);
    a.rechteck->trigger();
    w.szene()->ziehenBeginnen();
    w.szene()->bandZiehen(FormBand::Group, 200);
    w.szene()->ziehenBeenden(QStringLiteral("Band"));
    EXPECT_NE(w.szene()->formular().records().size(), 0u);
    EXPECT_NE(formFileBytes(w.szene()->formular().records()), vorher);

    while (w.szene()->verlauf()->canUndo())
        a.rueckgaengig->trigger();
    EXPECT_EQ(formFileBytes(w.szene()->formular().records()), vorher);
    EXPECT_TRUE(w.szene()->verlauf()->isClean());

    // And forward again: the change comes back whole.
    while (w.szene()->verlauf()->canRedo())
        a.wiederholen->trigger();
    EXPECT_EQ(w.szene()->formular().bandHeight(FormBand::Group), 200);
    EXPECT_EQ(w.szene()->formular().panel().columns, 7);
    EXPECT_TRUE(w.szene()->formular().find(QStringLiteral("Fussshape_1")));
    const QString ziel = gespeichert(w, dir.file(QStringLiteral("danach.qvf")));
    EXPECT_EQ(readAll(ziel), formFileBytes(w.szene()->formular().records()));
}

TEST(TEntwurf, DraggingASeparatorKeepsTheBandAboveItsRuler)
{
    const struct {
        const char *name;
        FormBand band;
        int drag; // pixels, downward positive
        int expected;
    } cases[] = {
        { "day band dragged up to 50", FormBand::Day, -36, 51 },
        { "day band dragged far up", FormBand::Day, -80, 51 },
        { "day band dragged down", FormBand::Day, 20, 106 },
        { "group band dragged up to 49", FormBand::Group, -30, 51 },
        { "header band has no minimum", FormBand::Header, -60, 12 },
    };
    for (const auto &c : cases) {
        TEntwurf w;
        w.resize(1200, 900);
        w.show();
        EntwurfAnsicht *v = w.ansicht();
        const BandStrip s = bandLayout(w.szene()->formular())[std::size_t(c.band)];
        const QPoint unten = v->mapFromScene(QPointF(300, s.separatorTop));
        QTest::mousePress(v->viewport(), Qt::LeftButton, {}, unten);
        // In steps, as a hand moves the mouse.
        const int schritte = 4;
        for (int i = 1; i <= schritte; ++i)
            QTest::mouseMove(v->viewport(), unten + QPoint(0, c.drag * i / schritte));
        QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, unten + QPoint(0, c.drag));
        EXPECT_EQ(w.szene()->formular().bandHeight(c.band), c.expected) << c.name;
        EXPECT_EQ(w.szene()->verlauf()->count(), 1) << c.name;
        w.szene()->verlauf()->undo();
        EXPECT_EQ(w.szene()->formular().bandHeight(c.band), Formular::defaultBandHeight(c.band))
            << c.name;
        ScopedScriptedUi ui;
        ui->answerQuestion(false);
        w.close();
    }
}

TEST(TEntwurf, DraggingAnElementIsOneStepAndHandlesResizeIt)
{
    TEntwurf w;
    w.resize(1200, 900);
    w.show();
    w.aktionen().neuerText->trigger(); // Label_1 at 45, 10 in the header band
    EntwurfAnsicht *v = w.ansicht();
    const QPoint mitte = v->mapFromScene(QPointF(45 + 20, kRulerHeight + 10 + 6));
    QTest::mousePress(v->viewport(), Qt::LeftButton, {}, mitte);
    for (int i = 1; i <= 5; ++i)
        QTest::mouseMove(v->viewport(), mitte + QPoint(6 * i, 2 * i));
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, mitte + QPoint(30, 10));
    const FormElement *e = w.szene()->formular().find(QStringLiteral("Label_1"));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->left, 75);
    EXPECT_EQ(e->top, 20);
    EXPECT_EQ(w.szene()->verlauf()->count(), 2); // created, moved

    // The handle at the bottom right corner.
    const QPoint ecke = v->mapFromScene(QPointF(75 + 44, kRulerHeight + 20 + 12));
    QTest::mousePress(v->viewport(), Qt::LeftButton, {}, ecke);
    QTest::mouseMove(v->viewport(), ecke + QPoint(10, 5));
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, ecke + QPoint(20, 8));
    e = w.szene()->formular().find(QStringLiteral("Label_1"));
    EXPECT_EQ(e->width, 64);
    EXPECT_EQ(e->height, 20);
    EXPECT_EQ(e->left, 75);
    EXPECT_EQ(w.szene()->verlauf()->count(), 3);
    ScopedScriptedUi ui;
    ui->answerQuestion(false);
    w.close();
}

TEST(TEntwurf, PanelChangesMoveTheColumnGuides)
{
    TEntwurf w;
    // "freie Grösse", 300 mm wide.
    w.papierBox()->setCurrentIndex(2);
    Q_EMIT w.papierBox()->activated(2);
    w.breiteBox()->setValue(300);
    EXPECT_EQ(w.szene()->spalten(), (ColumnGuides { 1110, 1110 }));
    w.spaltenBox()->setValue(2);
    EXPECT_EQ(w.szene()->spalten(), (ColumnGuides { 555, 555 }));
    w.abstandBox()->setValue(10);
    EXPECT_EQ(w.szene()->spalten(), (ColumnGuides { 555, 592 }));

    w.ausrichtungBox()->setCurrentIndex(1);
    Q_EMIT w.ausrichtungBox()->activated(1);
    EXPECT_EQ(w.ausrichtungBox()->currentText(), QStringLiteral("Querformat"));
    w.papierBox()->setCurrentIndex(1);
    Q_EMIT w.papierBox()->activated(1);
    EXPECT_EQ(w.ausrichtungBox()->currentText(), QStringLiteral("Hochformat"));
    EXPECT_FALSE(w.breiteBox()->isVisibleTo(&w));
    w.papierBox()->setCurrentIndex(2);
    Q_EMIT w.papierBox()->activated(2);
    EXPECT_TRUE(w.breiteBox()->isVisibleTo(&w));
    EXPECT_EQ(w.szene()->formular().page().widthMm, 300);
    // "DIN A4" in portrait: the sheet's 210 mm.
    w.papierBox()->setCurrentIndex(0);
    Q_EMIT w.papierBox()->activated(0);
    EXPECT_EQ(w.szene()->formular().page().widthMm, 210);
    EXPECT_EQ(w.szene()->spalten().column, 388); // 105 * 3.7 = 388.5, half to even
}

TEST(TEntwurf, NumbersAfterADeleteAndInASecondWindow)
{
    TempDir dir;
    TEntwurf w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (int i = 0; i < 3; ++i)
        w.aktionen().neuerText->trigger();
    waehlen(w, QStringLiteral("Label_2"));
    QTest::keyClick(w.ansicht(), Qt::Key_Delete);
    w.aktionen().neuerText->trigger();
    QStringList namen;
    for (const FormElement &e : w.szene()->formular().elements())
        namen.append(e.name());
    EXPECT_EQ(namen,
        QStringList(
            { QStringLiteral("Label_1"), QStringLiteral("Label_3"), QStringLiteral("Label_4") }));
    const QString datei = gespeichert(w, dir.file(QStringLiteral("drei.qvf")));

    for (int mal = 0; mal < 2; ++mal) {
        TEntwurf neu;
        neu.laden(datei);
        QStringList geladen;
        for (const FormElement &e : neu.szene()->formular().elements())
            geladen.append(e.name());
        EXPECT_EQ(geladen,
            QStringList({ QStringLiteral("Label_1"), QStringLiteral("Label_2"),
                QStringLiteral("Label_3") }))
            << mal;
        ScopedScriptedUi ui;
        ui->answerQuestion(false);
        neu.close();
        EXPECT_EQ(ui->questions(),
            QStringList(QStringLiteral("Änderungen in ") + QDir::toNativeSeparators(datei)
                + QStringLiteral(" speichern ?")));
    }
}

TEST(TEntwurf, StyleButtonsGiveTheWindowsStyleSet)
{
    TEntwurf w;
    w.aktionen().neuerText->trigger();
    w.aktionen().neuerText->trigger();
    w.szene()->aendern(QStringLiteral("fett"),
        [](Formular &f) { f.find(QStringLiteral("Label_1"))->font.style = 1; });

    // The window's style set is still empty: "Kursiv" makes the bold text italic only.
    waehlen(w, QStringLiteral("Label_1"));
    EXPECT_TRUE(w.aktionen().fett->isChecked());
    w.aktionen().kursiv->trigger();
    EXPECT_EQ(w.szene()->formular().find(QStringLiteral("Label_1"))->font.style, 2);

    // The font dialog on a bold text makes the set bold; "Unterstrichen" on another text
    // then gives it bold and underline.
    QFont fett(QStringLiteral("Arial"));
    fett.setPointSize(12);
    fett.setBold(true);
    {
        ScopedScriptedUi ui;
        ui->answerFont(fett);
        w.aktionen().schriftart->trigger();
        EXPECT_TRUE(ui->scriptDone());
    }
    const FormElement *e1 = w.szene()->formular().find(QStringLiteral("Label_1"));
    EXPECT_EQ(e1->font.name, QStringLiteral("Arial"));
    EXPECT_EQ(e1->font.size, 12);
    EXPECT_EQ(e1->font.style, 1);
    EXPECT_EQ(w.stilSatz(), 1);
    waehlen(w, QStringLiteral("Label_2"));
    w.aktionen().unterstrichen->setChecked(true);
    Q_EMIT w.aktionen().unterstrichen->triggered(true);
    EXPECT_EQ(w.szene()->formular().find(QStringLiteral("Label_2"))->font.style, 1 | 4);
}

TEST(TEntwurf, DataSourceFillsTheFieldBoxFromTheCalendarAndKeepsTheField)
{
    TempDir dir;
    Kalender k(dir);
    TEntwurf w;
    w.datenquellenSetzen(&k.jahr, &k.bild);
    EXPECT_EQ(w.datenquelle()->count(), 2);
    EXPECT_EQ(w.datenquelle()->itemText(0), QLatin1StringView(kMainTable));
    EXPECT_EQ(w.datenquelle()->itemText(1), QLatin1StringView(kDetailTable));
    w.szene()->aktivieren(FormBand::Group);
    w.aktionen().neuesDatenfeld->trigger();
    EXPECT_EQ(w.szene()->auswahl(), QStringLiteral("DetailDBTEXTLabel_1"));

    w.datenquelle()->setCurrentIndex(1);
    Q_EMIT w.datenquelle()->activated(1);
    EXPECT_EQ(felderDerBox(w),
        QStringList({ QStringLiteral("Bild"), QStringLiteral("DetailNR"), QStringLiteral("MonatNR"),
            QStringLiteral("Nr"), QStringLiteral("TextMonat") }));
    w.datenfeld()->setCurrentIndex(4);
    Q_EMIT w.datenfeld()->activated(4);
    const auto feld = [&] {
        return w.szene()->formular().find(QStringLiteral("DetailDBTEXTLabel_1"))->dataField;
    };
    EXPECT_EQ(feld(), QStringLiteral("TextMonat"));

    // Another source clears the box, but the element keeps its field until one is chosen.
    w.datenquelle()->setCurrentIndex(0);
    Q_EMIT w.datenquelle()->activated(0);
    EXPECT_EQ(w.datenfeld()->currentText(), QString());
    EXPECT_EQ(feld(), QStringLiteral("TextMonat"));
    EXPECT_EQ(w.szene()->formular().find(QStringLiteral("DetailDBTEXTLabel_1"))->source,
        QLatin1StringView(kMainTable));
    // The year table's fields, in alphabetical order.
    QStringList jahresfelder = k.jahr.fieldNames();
    jahresfelder.sort(Qt::CaseInsensitive);
    EXPECT_EQ(felderDerBox(w), jahresfelder);
    EXPECT_TRUE(jahresfelder.contains(QStringLiteral("Datum")));
}

TEST(TEntwurf, DataFieldsShowTheCurrentRecordAsItMoves)
{
    TempDir dir;
    Kalender k(dir);
    k.bild.close();
    k.bild.setIndexFieldNames(QStringLiteral("Nr"));
    k.bild.setMasterSource(&k.jahr, QStringLiteral("MonatNr"), QStringLiteral("Nr"));
    k.bild.open();
    k.bild.setString(QStringLiteral("TextMonat"), QStringLiteral("Schnee im Januar"));
    k.bild.post();
    TEntwurf w;
    w.datenquellenSetzen(&k.jahr, &k.bild);
    const auto wert = [&](const char *quelle, const char *feld) {
        return w.szene()->wert(QString::fromLatin1(quelle), QString::fromLatin1(feld)).toString();
    };
    k.jahr.first();
    EXPECT_EQ(wert(kMainTable, "Datum"), QStringLiteral("01.01.2027"));
    EXPECT_EQ(wert(kDetailTable, "TextMonat"), QStringLiteral("Schnee im Januar"));
    // The main window moves on: the designer shows the new record at once.
    ASSERT_TRUE(k.jahr.locate(QStringLiteral("Datum"), QDate(2027, 2, 3)));
    EXPECT_EQ(wert(kMainTable, "Datum"), QStringLiteral("03.02.2027"));
    EXPECT_EQ(wert(kMainTable, "Tag"), QStringLiteral("Mi"));
    EXPECT_EQ(wert(kDetailTable, "TextMonat"), QString());
    EXPECT_EQ(wert(kDetailTable, "MonatNR"), QStringLiteral("2"));
    // Unknown sources and fields show nothing.
    EXPECT_FALSE(w.szene()->wert(QStringLiteral("Andere"), QStringLiteral("Datum")).isValid());
    EXPECT_FALSE(w.szene()->wert(QLatin1StringView(kMainTable), QStringLiteral("Fehlt")).isValid());

    TEntwurf ohne;
    ohne.ohneDatenquellen(QStringLiteral("Kein Kalender geöffnet"));
    EXPECT_EQ(ohne.datenquelle()->count(), 0);
    EXPECT_EQ(ohne.statusText(2), QStringLiteral("Kein Kalender geöffnet"));
    EXPECT_FALSE(
        ohne.szene()->wert(QLatin1StringView(kMainTable), QStringLiteral("Datum")).isValid());
}

// "Seitenvorschau" fills the form as it stands in the window, unsaved changes included; without
// a calendar it says what is missing and previews nothing.
TEST(TEntwurf, ThePreviewFillsTheFormAsItStandsWithTheCalendar)
{
    kb::report::ScopedRecordingPreviewer vorschau;
    {
        ScopedScriptedUi ui;
        TEntwurf ohne;
        ohne.aktionen().vorschau->trigger();
        ASSERT_EQ(ui->messages().size(), 1);
        EXPECT_TRUE(ui->messages().first().contains(QStringLiteral("Kalender")));
        EXPECT_TRUE(vorschau.documents().empty());
    }
    TempDir dir;
    Kalender k(dir);
    const kb::LayoutSettings settings;
    TEntwurf w;
    w.datenquellenSetzen(&k.jahr, &k.bild);
    w.setDruckEinstellungen(&settings);
    w.szene()->aktivieren(FormBand::Header);
    w.aktionen().neuerText->trigger();
    w.textEingabe()->setText(QString());
    QTest::keyClicks(w.textEingabe(), QStringLiteral("Noch nicht gespeichert"));
    ScopedScriptedUi ui;
    w.aktionen().vorschau->trigger();
    EXPECT_TRUE(ui->messages().isEmpty());
    ASSERT_EQ(vorschau.documents().size(), 1u);
    bool gefunden = false;
    for (const kb::report::Page &seite : vorschau.documents().front().pages)
        for (const kb::report::Primitive &p : seite.items)
            if (const auto *t = std::get_if<kb::report::TextItem>(&p))
                gefunden = gefunden || t->text == QStringLiteral("Noch nicht gespeichert");
    EXPECT_TRUE(gefunden);
}

TEST(TEntwurf, PropertyListEditsTheSelectionAsOneStepEach)
{
    TEntwurf w;
    w.aktionen().neuerText->trigger();
    QTableWidget *liste = w.eigenschaftsListe();
    ASSERT_EQ(liste->rowCount(), 10);
    QStringList titel, werte;
    for (int i = 0; i < liste->rowCount(); ++i) {
        titel.append(liste->item(i, 0)->text());
        werte.append(liste->item(i, 1)->text());
    }
    EXPECT_EQ(titel,
        QStringList({ QStringLiteral("Name"), QStringLiteral("Oben"), QStringLiteral("Links"),
            QStringLiteral("Breite"), QStringLiteral("Höhe"), QStringLiteral("Text"),
            QStringLiteral("Hintergrundfarbe"), QStringLiteral("Schriftart"),
            QStringLiteral("Schriftgröße"), QStringLiteral("Schriftfarbe") }));
    EXPECT_EQ(werte.mid(0, 6),
        QStringList({ QStringLiteral("Label_1"), QStringLiteral("10"), QStringLiteral("45"),
            QStringLiteral("44"), QStringLiteral("12"), QStringLiteral("freies Textfeld") }));
    EXPECT_EQ(werte[6], QStringLiteral("Weiß"));
    EXPECT_FALSE(liste->item(0, 1)->flags() & Qt::ItemIsEditable);

    const struct {
        const char *name;
        int zeile;
        const char *text;
        const char *meldung; // nullptr: taken
    } cases[] = {
        { "top", 1, "20", nullptr },
        { "width", 3, "130", nullptr },
        { "caption", 5, "Jahresplaner", nullptr },
        { "background by name", 6, "gelb", nullptr },
        { "font size", 8, "14", nullptr },
        { "font colour as a value", 9, "$000000FF", nullptr },
        { "no number", 2, "links", "Bitte eine ganze Zahl von 0 bis 5000 eingeben." },
        { "width zero", 3, "0", "Bitte eine ganze Zahl von 1 bis 5000 eingeben." },
        { "no colour", 6, "Lila-Blass",
            "„Lila-Blass“ ist keine Farbe. Bitte einen Farbnamen wie „Rot“ oder einen Wert "
            "wie „$000000FF“ eingeben." },
    };
    int schritte = 0;
    for (const auto &c : cases) {
        ScopedScriptedUi ui;
        liste->item(c.zeile, 1)->setText(QString::fromUtf8(c.text));
        QCoreApplication::processEvents();
        if (c.meldung) {
            ASSERT_EQ(ui->messages().size(), 1) << c.name;
            EXPECT_EQ(ui->messages()[0], QString::fromUtf8(c.meldung)) << c.name;
        } else {
            EXPECT_TRUE(ui->messages().isEmpty()) << c.name;
            ++schritte;
        }
        EXPECT_EQ(w.szene()->verlauf()->count(), 1 + schritte) << c.name;
        // The list shows the element as it is, a refused text is gone.
        EXPECT_EQ(liste->item(c.zeile, 1)->text(),
            eigenschaften(*w.szene()->ausgewaehlt())[std::size_t(c.zeile)].wert)
            << c.name;
    }
    const FormElement *e = w.szene()->ausgewaehlt();
    EXPECT_EQ(e->top, 20);
    EXPECT_EQ(e->width, 130);
    EXPECT_EQ(e->caption, QStringLiteral("Jahresplaner"));
    EXPECT_EQ(e->color, 0x00FFFF);
    EXPECT_EQ(e->font.size, 14);
    EXPECT_EQ(e->font.color, 0x0000FF);
    // Undo takes back one property at a time.
    w.aktionen().rueckgaengig->trigger();
    EXPECT_EQ(w.szene()->ausgewaehlt()->font.color, kWindowText);
    EXPECT_EQ(liste->item(9, 1)->text(), QStringLiteral("Fenstertext"));

    // A rectangle lists only its name and geometry; nothing selected, nothing listed.
    w.aktionen().rechteck->trigger();
    EXPECT_EQ(liste->rowCount(), 5);
    w.szene()->waehlen({});
    EXPECT_EQ(liste->rowCount(), 0);
}

TEST(TEntwurf, AnUnreadableFormIsNeverOverwrittenByTheEmptyOne)
{
    TempDir dir;
    const QString kaputt = dir.file(QStringLiteral("kaputt.qvf"));
    const QByteArray inhalt("kein Formular, aber Daten, die bleiben sollen");
    kb::test::writeAll(kaputt, inhalt);
    TEntwurf w;
    {
        ScopedScriptedUi ui;
        w.laden(kaputt);
        EXPECT_EQ(ui->messages().size(), 1);
    }
    w.show();
    {
        ScopedScriptedUi ui;
        ui->answerQuestion(true);
        ui->answerFile(kaputt);
        w.close();
        ASSERT_EQ(ui->messages().size(), 1);
        EXPECT_EQ(ui->messages()[0],
            QStringLiteral("Die Datei ") + QDir::toNativeSeparators(kaputt)
                + QStringLiteral(" konnte nicht gelesen werden und wird nicht überschrieben. "
                                 "Bitte das Formular unter einem anderen Namen speichern."));
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_EQ(readAll(kaputt), inhalt);
    // Under another name it is saved, and the window closes.
    const QString anders = dir.file(QStringLiteral("anders.qvf"));
    gespeichert(w, anders);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFileInfo::exists(anders));
    EXPECT_EQ(readAll(kaputt), inhalt);
}

TEST(TEntwurf, DataPicturesOnlyInTheGroupAndDayBands)
{
    const struct {
        FormBand band;
        int messages;
        const char *created;
    } cases[] = {
        { FormBand::Header, 1, nullptr },
        { FormBand::Footer, 1, nullptr },
        { FormBand::Summary, 0, nullptr },
        { FormBand::Group, 0, "DBDImage_1" },
        { FormBand::Day, 0, "DBSubDetailImage_1" },
    };
    for (const auto &c : cases) {
        TEntwurf w;
        ScopedScriptedUi ui;
        w.szene()->aktivieren(c.band);
        w.aktionen().datenbankBild->trigger();
        EXPECT_EQ(ui->messages().size(), c.messages);
        EXPECT_EQ(w.szene()->formular().elements().size(), c.created ? 1u : 0u);
        if (c.created) {
            EXPECT_EQ(w.szene()->auswahl(), QString::fromUtf8(c.created));
        }
        EXPECT_EQ(w.szene()->verlauf()->count(), c.created ? 1 : 0);
    }
}

TEST(TEntwurf, ActiveBandNamedInTheStatusBar)
{
    TEntwurf w;
    EXPECT_EQ(w.statusText(0), QStringLiteral(" Formular-Kopf aktiv "));
    const std::pair<FormBand, const char *> cases[] = {
        { FormBand::Group, " Formular-Detail aktiv " },
        { FormBand::Day, " Formular-Subdetail aktiv " },
        { FormBand::Footer, " Formular-Fußzeile aktiv " },
        { FormBand::Header, " Formular-Kopfzeile aktiv " },
    };
    for (const auto &[band, text] : cases) {
        w.szene()->aktivieren(band);
        EXPECT_EQ(w.statusText(0), QString::fromUtf8(text));
        // Only the group band leaves the free-text input enabled while nothing is selected.
        EXPECT_EQ(w.textEingabe()->isEnabled(), band == FormBand::Group) << text;
        EXPECT_FALSE(w.datenquelle()->isEnabled()) << text;
    }
}

TEST(TReportEinst, MarginFieldsFormatAndRefuseTooLargeValues)
{
    TReportEinst d;
    d.show();
    QLineEdit *oben = d.feld(0);
    QLineEdit *unten = d.feld(1);
    EXPECT_EQ(oben->text(), QStringLiteral("10")); // as a new dialog shows it
    const auto verlassen = [&](QLineEdit *feld, const QString &text) {
        feld->setFocus();
        QFocusEvent ein(QEvent::FocusIn);
        QCoreApplication::sendEvent(feld, &ein); // remembers
        feld->selectAll();
        QTest::keyClicks(feld, text);
        QFocusEvent aus(QEvent::FocusOut);
        QCoreApplication::sendEvent(feld, &aus);
    };
    ScopedScriptedUi ui;
    verlassen(oben, QStringLiteral("1500"));
    EXPECT_EQ(ui->messages(), QStringList(QString::fromUtf8("Wert zu groß !")));
    EXPECT_EQ(oben->text(), QStringLiteral("10"));

    verlassen(oben, QStringLiteral("7"));
    EXPECT_EQ(oben->text(), QStringLiteral("7,00"));
    d.rauf(0)->click();
    EXPECT_EQ(oben->text(), QStringLiteral("8,00"));

    // Letters are not taken.
    verlassen(unten, QStringLiteral("1a2"));
    EXPECT_EQ(unten->text(), QStringLiteral("12,00"));
    verlassen(unten, QStringLiteral("0"));
    d.runter(1)->click();
    EXPECT_EQ(unten->text(), QStringLiteral("0,00"));
    d.feld(4)->setText(QStringLiteral("0"));
    d.runter(4)->click();
    EXPECT_EQ(d.feld(4)->text(), QStringLiteral("0"));
    d.rauf(4)->click();
    EXPECT_EQ(d.feld(4)->text(), QStringLiteral("1"));
    EXPECT_EQ(ui->messages().size(), 1);
}

TEST(TReportEinst, TakenOverIntoTheFormAsOneStep)
{
    TempDir dir;
    TEntwurf w;
    const Formular vorher = w.szene()->formular();
    {
        ScopedScriptedUi ui;
        ui->answerColor(QColor(Qt::red));
        ui->answerModal(QDialog::Accepted, [](QWidget *dialog) {
            auto *d = static_cast<TReportEinst *>(dialog);
            d->schalter(0, 0)->setChecked(false); // page frame top
            d->schalter(2, 3)->setChecked(true); // group band right
            d->feld(2)->setText(QStringLiteral("12,50"));
            d->feld(4)->setText(QStringLiteral("3"));
        });
        w.einstellungen()->farbeAendern()->click();
        w.aktionen().einstellungen->trigger();
        EXPECT_TRUE(ui->scriptDone());
    }
    const FormPage &p = w.szene()->formular().page();
    EXPECT_FALSE(p.pageFrame.top);
    EXPECT_TRUE(p.pageFrame.bottom);
    EXPECT_TRUE(p.bandFrames[1].right);
    EXPECT_EQ(p.marginLeft, 12.5);
    EXPECT_EQ(p.frameWidth, 3);
    EXPECT_EQ(p.frameColor, 0x000000FF);
    EXPECT_EQ(w.szene()->verlauf()->count(), 1);

    // Saved and loaded again, the dialog shows the form's values.
    const QString datei = gespeichert(w, dir.file(QStringLiteral("rahmen.qvf")));
    TEntwurf neu;
    neu.laden(datei);
    EXPECT_EQ(neu.einstellungen()->feld(2)->text(), QStringLiteral("12,50"));
    EXPECT_FALSE(neu.einstellungen()->schalter(0, 0)->isChecked());
    EXPECT_TRUE(neu.einstellungen()->schalter(2, 3)->isChecked());
    EXPECT_EQ(neu.einstellungen()->farbe(), 0x000000FF);
    w.szene()->verlauf()->undo();
    EXPECT_EQ(w.szene()->formular(), vorher);
    ScopedScriptedUi ui;
    ui->answerQuestion(false);
    neu.close();
}

TEST(TReportEinst, AMarginThatIsNoNumberKeepsTheDialogOpen)
{
    TReportEinst d;
    d.feld(3)->setText(QString());
    ScopedScriptedUi ui;
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Rejected);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("rechts")));
    FormPage page;
    EXPECT_FALSE(d.uebernehmen(page));
    EXPECT_EQ(page, FormPage {});
}
