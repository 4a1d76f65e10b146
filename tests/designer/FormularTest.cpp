// The form model: elements as the designer creates, numbers, deletes and loads them, the
// page settings record, and saving that never loses the old file.

#include "designer/Formular.h"
#include "designer/FormFile.h"
#include "platform/Error.h"
#include "platform/ProgramDir.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

using namespace kb::designer;
using kb::test::errorOf;
using kb::test::readAll;
using kb::test::ScopedScriptedUi;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

FormRecord named(const QString &name)
{
    FormRecord r;
    r.name = name;
    return r;
}

FormRecord settingsRecord()
{
    FormRecord r = named(QStringLiteral("PositionsNummer"));
    r.marginTop = r.marginBottom = r.marginLeft = r.marginRight = QStringLiteral("10");
    r.columnSpacing = QStringLiteral("0");
    r.frameFlags = true;
    return r;
}

QStringList elementNames(const Formular &form)
{
    QStringList names;
    for (const FormElement &e : form.elements())
        names.append(e.name());
    return names;
}

} // namespace

TEST(Formular, NewElementsGetTheDesignersDefaults)
{
    struct Case {
        ElementType type;
        FormBand band;
        const char *name;
        int left, top, width, height;
        const char *caption;
    };
    using enum ElementType;
    using enum FormBand;
    const Case cases[] = {
        { FreeText, Header, "Label_1", 45, 10, 44, 12, "freies Textfeld" },
        { FreeText, Group, "DetailLabel_1", 45, 50, 44, 12, "freies Textfeld" },
        { FreeText, Footer, "FussLabel_1", 45, 50, 44, 12, "freies Textfeld" },
        { SystemField, Header, "SYSLabel_1", 45, 3, 44, 12, "System-Tools" },
        { SystemField, Summary, "SYSSummenLabel_1", 45, 50, 44, 12, "System-Tools" },
        { DataField, Header, "DBTEXTLabel_1", 45, 2, 120, 12, "" },
        { DataField, Day, "SubDetailDBTEXTLabel_1", 45, 50, 120, 12, "" },
        { Picture, Header, "Bild_1", 45, 2, 50, 35, "" },
        { Picture, Group, "DetailBild_1", 45, 50, 50, 35, "" },
        { Rectangle, Header, "shape_1", 45, 2, 40, 20, "" },
        { Rectangle, Day, "SubDetailshape_1", 45, 50, 40, 20, "" },
        { DataPicture, Group, "DBDImage_1", 27, 52, 100, 25, "" },
        { DataPicture, Day, "DBSubDetailImage_1", 10, 50, 20, 20, "" },
    };
    ScopedScriptedUi ui;
    for (const Case &c : cases) {
        Formular form;
        const FormElement *e = form.create(c.type, c.band);
        ASSERT_TRUE(e) << c.name;
        EXPECT_EQ(e->name(), QString::fromUtf8(c.name));
        EXPECT_EQ((std::array { e->left, e->top, e->width, e->height }),
            (std::array { c.left, c.top, c.width, c.height }))
            << c.name;
        EXPECT_EQ(e->caption, QString::fromUtf8(c.caption)) << c.name;
        EXPECT_EQ(e->alignment, kAlignLeft);
        EXPECT_TRUE(e->visible);
    }
    EXPECT_TRUE(ui->messages().isEmpty());

    Formular form;
    form.systemFieldFont().size = 11;
    EXPECT_EQ(form.create(SystemField, Day)->font,
        (FormFont { u"MS Sans Serif"_s, 11, kWindowText, 0, 0 }));
    const FormElement *picture = form.create(Picture, Footer);
    EXPECT_EQ(picture->picturePath, kb::ProgramDir::path() + u"leer.bmp"_s);
    EXPECT_TRUE(picture->placeholder);
    EXPECT_TRUE(picture->stretch);
    const FormElement *rectangle = form.create(Rectangle, Footer);
    EXPECT_EQ(rectangle->brushStyle, kBrushClear);
    EXPECT_TRUE(form.create(DataPicture, Day)->stretch);
}

TEST(Formular, DataPicturesOnlyInTheGroupAndDayBands)
{
    ScopedScriptedUi ui;
    Formular form;
    EXPECT_FALSE(form.create(ElementType::DataPicture, FormBand::Header));
    EXPECT_FALSE(form.create(ElementType::DataPicture, FormBand::Footer));
    EXPECT_EQ(ui->messages(),
        QStringList(2,
            u"Datenbank-Bilder können nur im Gruppenband (Detailband) und\r"
            "Tage im Jahr (Subdetailband) eingefügt werden !"_s));
    EXPECT_FALSE(form.create(ElementType::DataPicture, FormBand::Summary)); // silently
    EXPECT_EQ(ui->messages().size(), 2);
    EXPECT_TRUE(form.elements().empty());
    EXPECT_EQ(form.counter(*kindOf(ElementType::DataPicture, FormBand::Header)), 0);
}

TEST(Formular, NumbersAreNeverGivenTwiceUntilTheFormIsEmptied)
{
    ScopedScriptedUi ui;
    Formular form;
    for (int i = 0; i < 3; ++i)
        form.create(ElementType::FreeText, FormBand::Header);
    EXPECT_TRUE(form.remove(u"Label_2"_s));
    EXPECT_FALSE(form.remove(u"Label_2"_s));
    form.create(ElementType::FreeText, FormBand::Header);
    form.create(ElementType::FreeText, FormBand::Group);
    EXPECT_EQ(elementNames(form),
        (QStringList { u"Label_1"_s, u"Label_3"_s, u"Label_4"_s, u"DetailLabel_1"_s }));

    form.removeAll();
    EXPECT_TRUE(form.elements().empty());
    EXPECT_EQ(form.create(ElementType::FreeText, FormBand::Header)->name(), u"Label_1"_s);
}

TEST(Formular, TheHundredAndFirstElementOfAKindIsRefused)
{
    TempDir dir;
    ScopedScriptedUi ui;
    Formular form;
    for (int i = 0; i < kMaxElementsPerKind; ++i)
        ASSERT_TRUE(form.create(ElementType::Picture, FormBand::Day));
    form.remove(u"SubDetailBild_7"_s); // a deleted number still counts
    const QString path = dir.file(u"voll.qvf"_s);
    form.save(path);
    const QByteArray before = readAll(path);

    EXPECT_FALSE(form.create(ElementType::Picture, FormBand::Day));
    EXPECT_EQ(ui->messages(),
        QStringList { u"Es können keine weiteren Bilder im Band „Tage im Jahr“ angelegt "
                      "werden: Ein Formular fasst höchstens 100 Elemente einer Art je "
                      "Band. Gelöschte Elemente zählen mit, bis das Formular gespeichert "
                      "und wieder geöffnet ist."_s });
    EXPECT_EQ(form.counter(*kindOf(ElementType::Picture, FormBand::Day)), 100);
    form.save(path);
    EXPECT_EQ(readAll(path), before);
    // Other kinds are not affected.
    EXPECT_TRUE(form.create(ElementType::Picture, FormBand::Group));
    // An element without a slot of its own in its run is never dropped silently.
    form.find(u"SubDetailBild_100"_s)->number = 101;
    EXPECT_THROW(form.save(path), kb::Error);
    form.find(u"SubDetailBild_101"_s)->number = 99;
    EXPECT_EQ(errorOf([&] { form.save(path); }),
        u"Das Formular wird nicht gespeichert: Das Element SubDetailBild_99 hat keine eigene "
        "Nummer von 1 bis 100."_s);
    EXPECT_EQ(readAll(path), before);
    form.find(u"SubDetailBild_99"_s)->number = 100;

    // After saving and reopening the deleted number is free again.
    Formular reopened;
    reopened.load(path);
    EXPECT_EQ(reopened.create(ElementType::Picture, FormBand::Day)->name(), u"SubDetailBild_100"_s);
}

TEST(Formular, PictureRecordsLoadAsTheDesignerLoadsThem)
{
    TempDir dir;
    const QString existing = dir.file(u"da.jpg"_s);
    writeAll(existing, "JPEG");
    const QString missing = dir.file(u"weg.bmp"_s);
    struct Case {
        const char *name;
        bool exists;
        bool visible, stretch; // in the record
        bool expectVisible, expectStretch;
    };
    const Case cases[] = {
        // Header pictures are always made visible and stretched.
        { "Bild_1", true, false, false, true, true },
        { "Bild_1", false, false, false, true, true },
        // Pictures of the other bands keep the record's values, also with the placeholder.
        { "DetailBild_1", true, false, false, false, false },
        { "SummenBild_1", true, true, true, true, true },
        { "FussBild_1", false, false, false, false, false },
    };
    for (const Case &c : cases) {
        ScopedScriptedUi ui;
        FormRecord r = named(QString::fromUtf8(c.name));
        r.picturePath = c.exists ? existing : missing;
        r.visible = c.visible;
        r.stretch = c.stretch;
        Formular form;
        form.loadRecords({ r }, dir.file(u"f.qvf"_s));
        const FormElement *e = form.find(QString::fromUtf8(c.name));
        ASSERT_TRUE(e) << c.name;
        EXPECT_EQ(e->picturePath, r.picturePath);
        EXPECT_EQ(e->placeholder, !c.exists) << c.name;
        EXPECT_EQ(e->visible, c.expectVisible) << c.name;
        EXPECT_EQ(e->stretch, c.expectStretch) << c.name;
        if (c.exists) {
            EXPECT_TRUE(ui->messages().isEmpty());
            EXPECT_EQ(ui->beeps(), 0);
        } else {
            EXPECT_EQ(
                ui->messages(), QStringList { u"Bild "_s + missing + u" nicht gefunden !"_s });
            EXPECT_EQ(ui->beeps(), 1);
        }
        // The path is saved as it was, placeholder or not.
        const std::vector<FormRecord> saved = form.records();
        const auto it = std::find_if(saved.begin(), saved.end(),
            [&](const FormRecord &x) { return x.name == QString::fromUtf8(c.name); });
        ASSERT_NE(it, saved.end());
        EXPECT_EQ(it->picturePath, r.picturePath);
    }
}

TEST(Formular, LoadingAppliesOnlyWhatTheDesignerReads)
{
    ScopedScriptedUi ui;
    FormRecord system = named(u"SYSLabel_4"_s);
    system.transparent = true;
    system.caption = u"Seitennummerierung"_s;
    system.fontPitch = 2;
    FormRecord data = named(u"DetailDBTEXTLabel_1"_s);
    data.transparent = true;
    data.caption = u"nicht gelesen"_s;
    data.source = u"Unbekannt"_s;
    FormRecord dataPicture = named(u"DBSubDetailImage_1"_s);
    dataPicture.visible = false;
    dataPicture.stretch = false;
    dataPicture.bandHeight = 95;
    FormRecord rectangle = named(u"Fussshape_1"_s);
    rectangle.shapeType = u"stCircle"_s;
    rectangle.brushStyle = 6;
    rectangle.penColor = 0xFF;
    FormRecord settings = settingsRecord();
    settings.bandHeight = 300; // the day band's height is not read from here
    settings.columns = 0;

    Formular form;
    form.loadRecords({ system, data, dataPicture, rectangle, settings }, u"f.qvf"_s);
    const FormElement *sys = form.find(u"SYSLabel_1"_s);
    EXPECT_FALSE(sys->transparent);
    EXPECT_EQ(sys->caption, u"Seitennummerierung"_s);
    EXPECT_EQ(sys->font.pitch, 2);
    const FormElement *d = form.find(u"DetailDBTEXTLabel_1"_s);
    EXPECT_TRUE(d->transparent);
    EXPECT_EQ(d->caption, QString());
    EXPECT_EQ(d->source, u"Unbekannt"_s);
    const FormElement *dp = form.find(u"DBSubDetailImage_1"_s);
    EXPECT_TRUE(dp->visible);
    EXPECT_TRUE(dp->stretch);
    const FormElement *rect = form.find(u"Fussshape_1"_s);
    EXPECT_EQ(rect->shapeType, u"stRectangle"_s);
    EXPECT_EQ(rect->brushStyle, kBrushClear);
    EXPECT_EQ(rect->penColor, kBlack);
    EXPECT_EQ(form.bandHeight(FormBand::Day), 95);
    EXPECT_EQ(form.bandHeight(FormBand::Group), 0); // set by the data field's record
    EXPECT_EQ(form.panel().columns, 1);

    // The pitch is applied but never written.
    for (const FormRecord &r : form.records())
        EXPECT_EQ(r.fontPitch, 0);
}

TEST(Formular, SettingsRecordSetsPageAndPanel)
{
    struct Case {
        const char *what;
        const char *paper;
        qint32 width, height;
        PaperItem item;
        Paper page;
        double pageWidth, pageLength;
        OrientationBox box;
    };
    const Case cases[] = {
        { "A4", "A4", 0, 0, PaperItem::A4, Paper::A4, 210, 297, OrientationBox::Empty },
        { "A3 is custom paper in portrait", "A3", 0, 0, PaperItem::A3, Paper::Custom, 420, 300,
            OrientationBox::Portrait },
        { "Custom", "Custom", 250, 180, PaperItem::Custom, Paper::Custom, 250, 180,
            OrientationBox::Empty },
        { "Custom within the boxes' range", "Custom", 10, 9000, PaperItem::Custom, Paper::Custom,
            60, 1500, OrientationBox::Empty },
        // An unknown paper name leaves the defaults.
        { "unknown", "Letter", 0, 0, PaperItem::A4, Paper::A3, 420, 297, OrientationBox::Empty },
    };
    ScopedScriptedUi ui;
    for (const Case &c : cases) {
        FormRecord r = settingsRecord();
        r.paperSize = QString::fromUtf8(c.paper);
        r.paperWidth = c.width;
        r.paperHeight = c.height;
        Formular form;
        form.loadRecords({ r }, u"f.qvf"_s);
        EXPECT_EQ(form.panel().paper, c.item) << c.what;
        EXPECT_EQ(form.page().paper, c.page) << c.what;
        EXPECT_EQ(form.page().widthMm, c.pageWidth) << c.what;
        EXPECT_EQ(form.page().lengthMm, c.pageLength) << c.what;
        EXPECT_EQ(form.panel().orientation, c.box) << c.what;
        if (c.item == PaperItem::Custom) {
            EXPECT_EQ(form.panel().paperWidth, c.pageWidth) << c.what;
            EXPECT_EQ(form.panel().paperHeight, c.pageLength) << c.what;
        }
    }

    // Numbers with either decimal separator; the margins within 0 to 1000 mm.
    FormRecord r = settingsRecord();
    r.marginTop = u"12,5"_s;
    r.marginBottom = u"7.25"_s;
    r.marginLeft = u"-3"_s;
    r.marginRight = u"5000"_s;
    r.columnSpacing = u"60"_s;
    r.columns = 99;
    r.visible = true;
    r.shadeSundays = 1;
    r.shadeHolidays = 2; // only 1 switches on
    r.frameWidth = -4;
    Formular form;
    form.loadRecords({ r }, u"f.qvf"_s);
    const FormPage &page = form.page();
    EXPECT_EQ((std::array { page.marginTop, page.marginBottom, page.marginLeft, page.marginRight }),
        (std::array { 12.5, 7.25, 0.0, 1000.0 }));
    EXPECT_EQ(page.columnSpacingMm, 50);
    EXPECT_EQ(form.panel().columnSpacing, 50);
    EXPECT_EQ(form.panel().columns, 12);
    EXPECT_EQ(page.columns, 12);
    EXPECT_TRUE(form.panel().showWeeks);
    EXPECT_FALSE(form.panel().shadeSaturdays);
    EXPECT_TRUE(form.panel().shadeSundays);
    EXPECT_FALSE(form.panel().shadeHolidays);
    EXPECT_EQ(page.frameWidth, 0);
}

TEST(Formular, MarginsAreSavedAsTextsOfAtMostFourCharacters)
{
    struct Case {
        double mm;
        const char *text;
    };
    const Case cases[] = {
        { 10, "10" },
        { 12.5, "12,5" },
        { 7.25, "7,25" },
        { 0, "0" },
        { 1000, "1000" },
        { 100.75, "101" },
        { 9.999, "10" },
        { 12.34, "12,3" },
        { 0.005, "0,01" },
        { -2, "0" },
        { 2000, "1000" },
    };
    ScopedScriptedUi ui;
    for (const Case &c : cases) {
        Formular form;
        form.page().marginLeft = c.mm;
        const std::vector<FormRecord> records = form.records();
        EXPECT_EQ(records[8].marginLeft, QString::fromUtf8(c.text)) << c.mm;
    }
}

TEST(Formular, FailedSaveLeavesTheOldFile)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const QString path = dir.file(u"alt.qvf"_s);
    Formular old;
    old.save(path);
    const QByteArray before = readAll(path);

    Formular bigger;
    for (int i = 0; i < 20; ++i)
        bigger.create(ElementType::FreeText, FormBand::Day);
    // A full disk, as far as this process is concerned: writes beyond 60 KB fail.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 60 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString message = errorOf([&] { bigger.save(path); });
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(message.startsWith(u"Die Formulardatei "_s + QDir::toNativeSeparators(path)
        + u" kann nicht gespeichert werden: "_s))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith(u"\nDie bisherige Datei bleibt unverändert."_s));
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { u"alt.qvf"_s });

    // Into a directory that does not exist.
    EXPECT_THROW(old.save(dir.file(u"fehlt/neu.qvf"_s)), kb::Error);
}
