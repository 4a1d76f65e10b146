// Form files byte for byte: golden files put together at the documented offsets, the
// writer's run order, the reader's prefix matching and pass order, and refused files.

#include "designer/FormFile.h"
#include "GoldenRecord.h"
#include "designer/Formular.h"
#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb::designer;
using kb::test::blanks;
using kb::test::errorOf;
using kb::test::GoldenRecord;
using kb::test::readAll;
using kb::test::ScopedScriptedUi;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

constexpr int kRecord = 1552;
constexpr qint32 kWindowTextColour = qint32(0x80000008);

// The settings record of a new form: week label "Woche" hidden, one column, DIN A4, margins
// 10 mm, page frame on all sides, footer band framed, black frames of width 1.
GoldenRecord newFormSettings()
{
    GoldenRecord r;
    r.i32(0, 86).text(20, "PositionsNummer").text(276, "Woche").i32(536, 17).i32(540, 27);
    r.text(545, "Small Fonts").i32(568, 7).i32(572, kWindowTextColour).byte(579, 1);
    r.i32(580, 50).i32(584, 10).byte(1135, 1);
    r.text(1172, "10").text(1177, "10").text(1182, "10").text(1187, "10");
    r.flags(1192, { 1, 1, 1, 1 }).i32(1200, 1).text(1204, "0").text(1209, "A4").i32(1508, 1);
    r.flags(1512, { 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1 });
    return r;
}

// A header free text as the designer creates it, with `counter` in word A.
GoldenRecord newHeaderText(const QByteArray &name, const QByteArray &caption, int counter)
{
    GoldenRecord r;
    r.i32(0, 72).i32(4, counter).text(20, name).text(276, caption).i32(532, 0x00FFFFFF);
    r.i32(536, 12).i32(540, 44).byte(544, 1).text(545, "MS Sans Serif").i32(568, 8);
    r.i32(572, kWindowTextColour).i32(580, 10).i32(584, 45).byte(1135, 1).i32(1136, 1);
    return r;
}

QString nameAt(const QByteArray &file, int record)
{
    const QByteArray r = file.mid(record * kRecord, kRecord);
    if (r.size() < kRecord)
        return QStringLiteral("(fehlt)");
    return QString::fromLatin1(r.mid(21, static_cast<unsigned char>(r.at(20))));
}

qint32 intAt(const QByteArray &file, int record, int offset)
{
    const QByteArray bytes = file.mid(record * kRecord + offset, 4);
    return bytes.size() == 4 ? qFromLittleEndian<qint32>(bytes.constData()) : -1;
}

QByteArray recordAt(const QByteArray &file, int record)
{
    return file.mid(record * kRecord, kRecord);
}

// Writes `bytes` as a form file and loads it.
void loadBytes(Formular &form, const TempDir &dir, const QByteArray &bytes)
{
    const QString path = dir.file(QStringLiteral("ein.qvf"));
    writeAll(path, bytes);
    form.load(path);
}

QByteArray saved(const Formular &form, const TempDir &dir)
{
    const QString path = dir.file(QStringLiteral("aus.qvf"));
    form.save(path);
    return readAll(path);
}

QByteArray fileOf(const std::vector<FormRecord> &records)
{
    return formFileBytes(records);
}

FormRecord named(const char *name)
{
    FormRecord r;
    r.name = QString::fromLatin1(name);
    return r;
}

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

QStringList elementNames(const Formular &form)
{
    QStringList names;
    for (const FormElement &e : form.elements())
        names.append(e.name());
    return names;
}

} // namespace

TEST(FormFile, EmptyFormSavesThirtyFourRecords)
{
    TempDir dir;
    ScopedScriptedUi ui;
    // 29 blank records 0 of the kinds, the settings record after the eighth, and the four
    // reserved blanks before the last nine runs.
    const QByteArray expected
        = blanks(8) + newFormSettings().bytes() + blanks(12) + blanks(4) + blanks(9);
    EXPECT_EQ(saved(Formular(), dir), expected);
    EXPECT_EQ(expected.size(), 34 * kRecord);
}

TEST(FormFile, DeletedElementLeavesABlankRecordAndReloadsDensely)
{
    TempDir dir;
    ScopedScriptedUi ui;
    Formular form;
    for (const char *caption : { "eins", "zwei", "drei" })
        form.create(ElementType::FreeText, FormBand::Header)->caption = QString::fromUtf8(caption);
    ASSERT_TRUE(form.remove(QStringLiteral("Label_2")));

    const QByteArray file = saved(form, dir);
    ASSERT_EQ(file.size(), 37 * kRecord);
    EXPECT_EQ(recordAt(file, 0), GoldenRecord::blank().bytes());
    EXPECT_EQ(recordAt(file, 1), newHeaderText("Label_1", "eins", 3).bytes());
    EXPECT_EQ(recordAt(file, 2), GoldenRecord::blank().bytes());
    EXPECT_EQ(recordAt(file, 3), newHeaderText("Label_3", "drei", 3).bytes());
    EXPECT_EQ(nameAt(file, 11), QStringLiteral("PositionsNummer"));

    Formular reloaded;
    loadBytes(reloaded, dir, file);
    EXPECT_EQ(elementNames(reloaded), (QStringList { u"Label_1"_s, u"Label_2"_s }));
    EXPECT_EQ(reloaded.find(u"Label_2"_s)->caption, u"drei"_s);
    EXPECT_EQ(reloaded.counter(*kindOf(ElementType::FreeText, FormBand::Header)), 2);
    const QByteArray again = saved(reloaded, dir);
    EXPECT_EQ(again.size(), 36 * kRecord);
    EXPECT_EQ(recordAt(again, 2), newHeaderText("Label_2", "drei", 2).bytes());
}

TEST(FormFile, RunsFollowTheWritersOrderAndCountsSitInTheirWords)
{
    // One record of every kind, in a file order of our own: the pass order decides the
    // stacking order, the writer's order the runs of the saved file.
    const QStringList fileOrder = words(
        "DBImage_1 Fussshape_1 DBFussImage_1 FussBild_1 FussDBTEXTLabel_1 SYSFussLabel_1 "
        "FussLabel_1 SummenBild_1 SummenDBTEXTLabel_1 SYSSummenLabel_1 SummenLabel_1 "
        "Summenshape_1 SubDetailBild_1 SubDetailDBTEXTLabel_1 SYSSubDetailLabel_1 "
        "SubDetailLabel_1 SubDetailshape_1 DBSubDetailImage_1 DetailBild_1 "
        "DetailDBTEXTLabel_1 SYSDetailLabel_1 DetailLabel_1 Detailshape_1 DBDImage_1 Bild_1 "
        "DBTEXTLabel_1 SYSLabel_1 Label_1 shape_1");
    std::vector<FormRecord> records;
    for (const QString &name : fileOrder)
        records.push_back(named(name.toLatin1().constData()));

    TempDir dir;
    ScopedScriptedUi ui;
    Formular form;
    loadBytes(form, dir, fileOf(records));
    EXPECT_EQ(elementNames(form),
        words("Label_1 SYSLabel_1 SYSDetailLabel_1 SYSSubDetailLabel_1 SYSSummenLabel_1 "
              "SYSFussLabel_1 DBTEXTLabel_1 Bild_1 DetailLabel_1 SubDetailLabel_1 "
              "DetailDBTEXTLabel_1 DetailBild_1 SubDetailDBTEXTLabel_1 SubDetailBild_1 "
              "SummenDBTEXTLabel_1 SummenBild_1 SummenLabel_1 FussDBTEXTLabel_1 FussBild_1 "
              "FussLabel_1 shape_1 Detailshape_1 SubDetailshape_1 Summenshape_1 Fussshape_1 "
              "DBImage_1 DBDImage_1 DBSubDetailImage_1 DBFussImage_1"));

    // "-" is a blank record.
    const QStringList written = words(
        "- Label_1 - SYSLabel_1 - DBTEXTLabel_1 - Bild_1 - DetailLabel_1 - SYSDetailLabel_1 "
        "- DetailDBTEXTLabel_1 - SubDetailLabel_1 PositionsNummer - SYSSubDetailLabel_1 "
        "- DetailBild_1 - SubDetailDBTEXTLabel_1 - SubDetailBild_1 - SummenLabel_1 "
        "- SYSSummenLabel_1 - SummenDBTEXTLabel_1 - SummenBild_1 - FussLabel_1 "
        "- SYSFussLabel_1 - FussDBTEXTLabel_1 - FussBild_1 - - - - - shape_1 - Detailshape_1 "
        "- SubDetailshape_1 - Summenshape_1 - Fussshape_1 - DBDImage_1 - DBSubDetailImage_1 "
        "- DBFussImage_1 - DBImage_1");
    const QByteArray file = saved(form, dir);
    ASSERT_EQ(file.size(), written.size() * kRecord);
    for (int i = 0; i < written.size(); ++i) {
        const QString name = written[i] == QLatin1String("-") ? QString() : written[i];
        EXPECT_EQ(nameAt(file, i), name) << "record " << i;
        // The counter goes to word A for texts, system fields and rectangles, B for data
        // fields, C for pictures; data pictures and the settings record carry none.
        const bool data = name.contains(QLatin1String("DBTEXT"));
        const bool picture = name.contains(QLatin1String("Bild"));
        const bool a = !name.isEmpty() && !data && !picture
            && !name.contains(QLatin1String("Image")) && name != QLatin1String("PositionsNummer");
        EXPECT_EQ(intAt(file, i, 4), a ? 1 : 0) << name.toStdString();
        EXPECT_EQ(intAt(file, i, 8), data ? 1 : 0) << name.toStdString();
        EXPECT_EQ(intAt(file, i, 12), picture ? 1 : 0) << name.toStdString();
        EXPECT_EQ(intAt(file, i, 16), 0);
    }
}

TEST(FormFile, RecordsMatchTheirKindByCaseSensitivePrefix)
{
    struct Case {
        const char *recordName;
        const char *element; // "" when the record is ignored
    };
    const Case cases[] = {
        { "Label_7", "Label_1" },
        { "label_1", "" }, // differs only in case
        { "LABEL_1", "" },
        { "Label", "" }, // shorter than the match prefix
        { "", "" },
        { "DBTEXTLabel_4", "DBTEXTLabel_1" },
        { "DBT", "DBTEXTLabel_1" }, // the header data fields match on three letters
        { "DBt", "" },
        { "DetailDBTEXTLabel_1", "DetailDBTEXTLabel_1" }, // never a header data field
        { "SubDetailDBTEXTLabel_2", "SubDetailDBTEXTLabel_1" },
        { "SubDetailDBTEXTLabel", "" }, // one letter short of its prefix
        { "DetailLabXY", "DetailLabel_1" },
        { "SYSLabel_9", "SYSLabel_1" },
        { "sysLabel_9", "" },
        { "Bildchen", "Bild_1" },
        { "DetailBild_1", "DetailBild_1" },
        { "shape_3", "shape_1" },
        { "Shape_3", "" },
        { "DBImage_2", "DBImage_1" },
        { "DBDImage_1", "DBDImage_1" },
        { "PositionsNummer", "" }, // the settings record makes no element
        { "Positionsnummer", "" },
    };
    TempDir dir;
    ScopedScriptedUi ui;
    for (const Case &c : cases) {
        FormRecord r = named(c.recordName);
        r.marginTop = r.marginBottom = r.marginLeft = r.marginRight = r.columnSpacing
            = QStringLiteral("1");
        Formular form;
        loadBytes(form, dir, fileOf({ FormRecord {}, r }));
        EXPECT_EQ(elementNames(form).join(QLatin1Char(',')), QString::fromUtf8(c.element))
            << c.recordName;
    }

    // Every written name is read back as its own kind, and no match prefix starts another.
    for (int k = 0; k < kKindCount; ++k) {
        EXPECT_EQ(matchKind(elementName(k, 100)), k) << formKind(k).namePrefix;
        for (int other = 0; other < kKindCount; ++other) {
            if (other != k) {
                EXPECT_FALSE(
                    QByteArray(formKind(other).matchPrefix).startsWith(formKind(k).matchPrefix));
            }
        }
    }
}

TEST(FormFile, LongTextsAreCutToTheirFields)
{
    TempDir dir;
    ScopedScriptedUi ui;
    Formular form;
    FormElement *e = form.create(ElementType::DataField, FormBand::Day);
    e->font.name = u"Sehr Lange Schriftart Für Überschriften"_s; // 39 characters
    e->dataField = u"EinFeldnameMitMehrAlsDreißigZeichen"_s; // 35 characters
    e->source = QString::fromUtf8(kMainTable);
    FormElement *t = form.create(ElementType::FreeText, FormBand::Footer);
    t->caption = QString(300, QLatin1Char('x'));

    const QByteArray file = saved(form, dir);
    const qsizetype field = file.indexOf("EinFeldname") - 1; // its length byte
    ASSERT_GT(field, 0);
    EXPECT_EQ(field % kRecord, 848);
    // Length 30 (octal 036), then the Windows-1252 bytes ("\xDF" is the sharp s), then the next
    // field.
    EXPECT_EQ(file.mid(field, 32), QByteArray("\036EinFeldnameMitMehrAlsDrei\xDFigZe\0", 32));
    const qsizetype font = file.indexOf("Sehr Lange") - 1;
    EXPECT_EQ(font % kRecord, 545);
    EXPECT_EQ(file.mid(font, 23), QByteArray("\x14Sehr Lange Schriftar") + QByteArray(2, '\0'));

    Formular reloaded;
    loadBytes(reloaded, dir, file);
    const FormElement *d = reloaded.find(u"SubDetailDBTEXTLabel_1"_s);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->font.name, u"Sehr Lange Schriftar"_s);
    EXPECT_EQ(d->dataField, u"EinFeldnameMitMehrAlsDreißigZe"_s);
    EXPECT_EQ(reloaded.find(u"FussLabel_1"_s)->caption, QString(255, QLatin1Char('x')));
}

TEST(FormFile, LandscapeIsDecidedByTheLastElementRecordInPassOrder)
{
    struct Rec {
        const char *name;
        qint32 orientation;
        const char *paper = "";
    };
    struct Case {
        const char *what;
        std::vector<Rec> file; // in file order
        OrientationBox expected;
    };
    const Case cases[] = {
        { "one landscape text", { { "Label_1", 1 } }, OrientationBox::Landscape },
        { "footer texts pass after header texts", { { "FussLabel_1", 0 }, { "Label_1", 1 } },
            OrientationBox::Portrait },
        { "system fields leave the box", { { "Label_1", 0 }, { "SYSLabel_1", 1 } },
            OrientationBox::Portrait },
        { "only system fields", { { "SYSFussLabel_1", 1 } }, OrientationBox::Empty },
        { "rectangles pass last", { { "shape_1", 1 }, { "Label_1", 0 } },
            OrientationBox::Landscape },
        { "any value but 0 is landscape", { { "Label_1", 7 } }, OrientationBox::Landscape },
        { "A3 paper turns the box to portrait after the texts",
            { { "Label_1", 1 }, { "PositionsNummer", 0, "A3" } }, OrientationBox::Portrait },
        { "rectangles pass after the settings record",
            { { "PositionsNummer", 0, "A3" }, { "shape_1", 1 } }, OrientationBox::Landscape },
    };
    TempDir dir;
    ScopedScriptedUi ui;
    for (const Case &c : cases) {
        std::vector<FormRecord> records;
        for (const Rec &r : c.file) {
            FormRecord record = named(r.name);
            record.orientation = r.orientation;
            record.paperSize = QString::fromLatin1(r.paper);
            record.marginTop = record.marginBottom = record.marginLeft = record.marginRight
                = record.columnSpacing = QStringLiteral("1");
            records.push_back(record);
        }
        Formular form;
        loadBytes(form, dir, fileOf(records));
        EXPECT_EQ(form.panel().orientation, c.expected) << c.what;

        // Every element record is saved with the box's orientation: 0 only for "Hochformat".
        const QByteArray file = saved(form, dir);
        for (int i = 0; i < file.size() / kRecord; ++i) {
            const QString name = nameAt(file, i);
            if (!name.isEmpty() && name != QLatin1String("PositionsNummer")) {
                EXPECT_EQ(intAt(file, i, 1136), c.expected == OrientationBox::Portrait ? 0 : 1)
                    << c.what;
            }
        }
    }
}

TEST(FormFile, EveryGroupRoundTripsFieldForField)
{
    // A file as the writer writes it, with a record of every group whose fields all differ
    // from the defaults: loading and saving it gives the same bytes.
    TempDir dir;
    const QString picture = dir.file(u"Bild mit Ümlaut.bmp"_s);
    writeAll(picture, "BM");
    const QByteArray picturePath = kb::toCp1252(QDir::toNativeSeparators(picture));

    GoldenRecord text;
    text.i32(0, 120).i32(4, 1).text(20, "Label_1").text(276, "Gr\xFC\xDF\x65 \x80 5");
    text.i32(532, 0x0000FF00);
    text.i32(536, 14).i32(540, 90).byte(544, 0).text(545, "Arial").i32(568, 12);
    text.i32(572, 0x000000FF).byte(576, 0x0B).byte(578, 1).byte(579, 2).i32(580, 11);
    text.i32(584, 33).byte(1135, 1);
    GoldenRecord data;
    data.i32(0, 120).i32(8, 1).text(20, "DBTEXTLabel_1").i32(532, 0x00C0C0C0).i32(536, 13);
    data.i32(540, 150).byte(544, 1).text(545, "Courier New").i32(568, 9).i32(572, 0x00800000);
    data.byte(576, 0x02).byte(578, 0).byte(579, 1).i32(580, 20).i32(584, 200);
    data.text(592, "KBDetailtabelle").text(848, "TextMonat").byte(1135, 1);
    GoldenRecord pictureRecord = GoldenRecord::blank();
    pictureRecord.i32(0, 95).i32(12, 1).text(20, "DetailBild_1").i32(536, 40).i32(540, 60);
    pictureRecord.byte(544, 0).i32(580, 55).i32(584, 70).text(879, picturePath).byte(1135, 0);
    GoldenRecord rectangle = GoldenRecord::blank();
    rectangle.i32(0, 140).i32(4, 1).text(20, "SubDetailshape_1").i32(536, 30).i32(540, 80);
    rectangle.byte(544, 0).i32(580, 60).i32(584, 5).text(1140, "stRectangle").byte(1152, 1);
    rectangle.i32(1156, 0x00FFFFFF);
    GoldenRecord dataPicture = GoldenRecord::blank();
    dataPicture.i32(0, 77).text(20, "DBFussImage_1").i32(536, 25).i32(540, 35).i32(580, 51);
    dataPicture.i32(584, 12).text(592, "KBHaupttabelle").text(848, "SymbolBild");
    GoldenRecord settings;
    settings.i32(0, 140).text(20, "PositionsNummer").text(276, "KW").i32(532, 0x000000FF);
    settings.i32(536, 18).i32(540, 30).byte(544, 1).text(545, "Arial").i32(568, 9);
    settings.i32(572, 0x00FF0000).byte(576, 5).byte(579, 2).i32(580, 55).i32(584, 100);
    settings.byte(1135, 1).text(1172, "12,5").text(1177, "7").text(1182, "0");
    settings.text(1187, "1000").flags(1192, { 1, 0, 1, 0 }).i32(1200, 3).text(1204, "5");
    settings.text(1209, "Custom").i32(1480, 250).i32(1484, 180).i32(1492, 1).i32(1500, 1);
    settings.i32(1508, 2);
    settings.flags(1512, { 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 1, 1, 0, 1 });

    // Runs: header texts, header system fields, header data fields, header pictures, group
    // texts, group system fields, group data fields, day texts | settings | day system
    // fields, group pictures, 10 runs | 4 reserved | day rectangles third, footer data
    // pictures eighth of nine.
    const QByteArray b = GoldenRecord::blank().bytes();
    const QByteArray file = b + text.bytes() + b + b + data.bytes() + b + b + b + b + b
        + settings.bytes() + b + b + pictureRecord.bytes() + blanks(10) + blanks(4) + b + b + b
        + rectangle.bytes() + b + b + b + b + b + dataPicture.bytes() + b;
    ASSERT_EQ(file.size(), (34 + 5) * kRecord);

    ScopedScriptedUi ui;
    Formular form;
    loadBytes(form, dir, file);
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join(QLatin1Char('\n')).toStdString();
    const QByteArray again = saved(form, dir);
    for (int i = 0; i < file.size() / kRecord; ++i)
        EXPECT_EQ(recordAt(again, i).toHex(), recordAt(file, i).toHex()) << "record " << i;
    EXPECT_EQ(again, file);

    // What the reader made of it.
    const FormElement *t = form.find(u"Label_1"_s);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->caption, u"Grüße € 5"_s);
    EXPECT_EQ(t->font, (FormFont { u"Arial"_s, 12, 0x000000FF, 0x0B, 0 }));
    EXPECT_TRUE(t->transparent);
    EXPECT_FALSE(t->visible);
    EXPECT_EQ(t->alignment, kAlignCenter);
    EXPECT_EQ(form.bandHeight(FormBand::Header), 120);
    EXPECT_EQ(form.bandHeight(FormBand::Group), 95);
    EXPECT_EQ(form.bandHeight(FormBand::Day), 140);
    EXPECT_EQ(form.bandHeight(FormBand::Summary), Formular::defaultBandHeight(FormBand::Summary));
    EXPECT_EQ(form.bandHeight(FormBand::Footer), 77);
    const FormElement *p = form.find(u"DetailBild_1"_s);
    EXPECT_EQ(p->picturePath, QDir::toNativeSeparators(picture));
    EXPECT_FALSE(p->placeholder);
    const FormPage &page = form.page();
    EXPECT_EQ(page.marginTop, 12.5);
    EXPECT_EQ(page.marginRight, 1000);
    EXPECT_EQ(page.pageFrame, (FrameSides { true, false, true, false }));
    EXPECT_EQ(page.bandFrames[3], (FrameSides { false, false, false, true }));
    EXPECT_EQ(page.frameColor, 0x000000FF);
    EXPECT_EQ(page.frameWidth, 2);
    EXPECT_EQ(page.paper, Paper::Custom);
    EXPECT_EQ(page.widthMm, 250);
    EXPECT_EQ(page.lengthMm, 180);
    EXPECT_EQ(form.panel().paper, PaperItem::Custom);
    EXPECT_EQ(form.panel().paperWidth, 250);
    EXPECT_EQ(form.panel().paperHeight, 180);
    EXPECT_EQ(form.panel().columns, 3);
    EXPECT_EQ(form.panel().columnSpacing, 5);
    EXPECT_TRUE(form.panel().showWeeks);
    EXPECT_TRUE(form.panel().shadeSaturdays);
    EXPECT_FALSE(form.panel().shadeSundays);
    EXPECT_TRUE(form.panel().shadeHolidays);
    EXPECT_EQ(form.weekLabel().left, 100);
    EXPECT_EQ(form.weekLabel().font, (FormFont { u"Arial"_s, 9, 0x00FF0000, 5, 0 }));
}

TEST(FormFile, RichFormIsByteIdenticalAfterOneNormalisingSave)
{
    // Every type on every band it can stand on, two or three of each, with a gap, written
    // in an order of its own and with what older writers left in the unused words.
    TempDir dir;
    std::vector<FormRecord> records;
    int n = 0;
    for (int k = 0; k < kKindCount; ++k) {
        const FormKind &kind = formKind(k);
        for (int i = 1; i <= 3; ++i) {
            if (i == 2 && k % 3 == 0)
                continue;
            ++n;
            FormRecord r;
            r.name = elementName(k, i * 2);
            r.bandHeight = 60 + k;
            r.countA = 1000 + n; // older writers' words are not read
            r.caption = QStringLiteral("Text %1 äöü").arg(n);
            r.color = 0x00010203 * (n % 7);
            r.height = 10 + n;
            r.width = 20 + n;
            r.top = 50 + n;
            r.left = 30 + 2 * n;
            r.visible = n % 2;
            r.fontName = n % 2 ? QStringLiteral("Arial") : QStringLiteral("Times New Roman");
            r.fontSize = 6 + n % 5;
            r.fontColor = 0x00102030 + n;
            r.fontStyle = quint8(n % 16);
            r.transparent = n % 3 == 0;
            r.alignment = quint8(n % 3);
            r.source = n % 2 ? QLatin1String(kMainTable) : QLatin1String(kDetailTable);
            r.dataField = QStringLiteral("Feld%1").arg(n);
            r.picturePath = kind.type == ElementType::Picture && n % 2
                ? dir.file(QStringLiteral("fehlt%1.jpg").arg(n))
                : QString();
            r.stretch = n % 4 == 0;
            r.orientation = 1;
            r.shapeType = QStringLiteral("stCircle");
            r.brushStyle = 0;
            records.push_back(r);
        }
    }
    FormRecord settings = named("PositionsNummer");
    settings.marginTop = QStringLiteral("12.5"); // a point, as other locales write it
    settings.marginBottom = QStringLiteral("7,25");
    settings.marginLeft = QStringLiteral(" 3 ");
    settings.marginRight = QStringLiteral("100,");
    settings.columnSpacing = QStringLiteral("2,6");
    settings.columns = 14;
    settings.paperSize = QStringLiteral("A3");
    settings.frameFlags = true;
    records.insert(records.begin() + 17, settings);
    std::reverse(records.begin(), records.end());

    ScopedScriptedUi ui;
    Formular first;
    loadBytes(first, dir, fileOf(records));
    EXPECT_FALSE(ui->messages().isEmpty()); // the missing pictures
    const QByteArray normalised = saved(first, dir);
    EXPECT_NE(normalised, fileOf(records));

    Formular second;
    loadBytes(second, dir, normalised);
    EXPECT_EQ(saved(second, dir), normalised);
    EXPECT_EQ(second.elements(), first.elements());
    // The spacing is saved as the panel's whole millimetres.
    EXPECT_EQ(first.page().columnSpacingMm, 2.6);
    FormPage page = first.page();
    page.columnSpacingMm = 3;
    EXPECT_EQ(second.page(), page);
    EXPECT_EQ(second.panel(), first.panel());
    EXPECT_EQ(second.weekLabel(), first.weekLabel());
    EXPECT_EQ(first.elements().size(), std::size_t(n));
    EXPECT_EQ(first.page().marginTop, 12.5);
    EXPECT_EQ(first.page().marginRight, 100);
    EXPECT_EQ(first.panel().columns, 12);
    EXPECT_EQ(first.panel().columnSpacing, 3);
}

TEST(FormFile, CorruptFilesAreRefusedWithTheirMessage)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const QString path = dir.file(u"kaputt.qvf"_s);
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray valid;
    {
        Formular form;
        form.create(ElementType::DataField, FormBand::Header);
        valid = saved(form, dir); // 35 records; the settings record is record 10
    }
    const auto patched = [&](int record, int offset, QByteArray bytes) {
        QByteArray file = valid;
        file.replace(record * kRecord + offset, bytes.size(), bytes);
        return file;
    };
    QByteArray tooMany;
    for (int i = 0; i < 101; ++i)
        tooMany += GoldenRecord().text(20, "Label_" + QByteArray::number(i)).bytes();

    struct Case {
        const char *what;
        QByteArray file;
        QString message;
    };
    const QString corrupt = u"Die Formulardatei "_s + shown + u" ist beschädigt "_s;
    const Case cases[] = {
        { "truncated", valid.left(valid.size() - 100),
            u"Die Datei "_s + shown
                + u" ist keine gültige Formulardatei: Ihre Größe von 54220 Bytes ist kein "
                  "Vielfaches von 1552 Bytes. Sie ist wohl unvollständig oder beschädigt."_s },
        { "one byte more", valid + 'x',
            u"Die Datei "_s + shown
                + u" ist keine gültige Formulardatei: Ihre Größe von 54321 Bytes ist kein "
                  "Vielfaches von 1552 Bytes. Sie ist wohl unvollständig oder beschädigt."_s },
        { "font name beyond its field", patched(3, 545, "\x15"),
            corrupt
                + u"(Satz 4): Das Feld „Schriftname“ gibt 21 Zeichen an, es fasst höchstens "
                  "20."_s },
        { "data field beyond its field", patched(5, 848, "\xFF"),
            corrupt
                + u"(Satz 6): Das Feld „Datenfeld“ gibt 255 Zeichen an, es fasst höchstens 30."_s },
        { "shape type beyond its field", patched(34, 1140, "\x0C"),
            corrupt + u"(Satz 35): Das Feld „Form“ gibt 12 Zeichen an, es fasst höchstens 11."_s },
        { "margin beyond its field", patched(9, 1187, "\x05"),
            corrupt
                + u"(Satz 10): Das Feld „Rand rechts“ gibt 5 Zeichen an, es fasst höchstens 4."_s },
        { "spacing beyond its field", patched(9, 1204, "\x80"),
            corrupt
                + u"(Satz 10): Das Feld „Spaltenabstand“ gibt 128 Zeichen an, es fasst höchstens "
                  "4."_s },
        { "frame flag beyond its field", patched(9, 1550, "\x02"),
            corrupt + u"(Satz 10): Ein Rahmenschalter gibt 2 Zeichen an, er fasst höchstens 1."_s },
        { "margin no number",
            patched(9, 1177,
                QByteArray("\x03"
                           "1x2",
                    4)),
            u"Die Formulardatei "_s + shown
                + u" ist beschädigt: „1x2“ im Feld „Rand unten“ der Seiteneinstellungen ist keine "
                  "Zahl."_s },
        { "empty spacing", patched(9, 1204, QByteArray(5, '\0')),
            u"Die Formulardatei "_s + shown
                + u" ist beschädigt: „“ im Feld „Spaltenabstand“ der Seiteneinstellungen ist "
                  "keine Zahl."_s },
        { "spacing infinite",
            patched(9, 1204,
                QByteArray("\x03"
                           "inf",
                    4)),
            u"Die Formulardatei "_s + shown
                + u" ist beschädigt: „inf“ im Feld „Spaltenabstand“ der Seiteneinstellungen ist "
                  "keine Zahl."_s },
        { "101 header texts", tooMany,
            u"Die Formulardatei "_s + shown
                + u" enthält 101 freie Texte im Band „Kalender - Kopfzeile“; ein Formular fasst "
                  "höchstens 100 Elemente einer Art je Band."_s },
    };
    for (const Case &c : cases) {
        // What was loaded before stays.
        Formular form;
        form.create(ElementType::Rectangle, FormBand::Footer);
        writeAll(path, c.file);
        EXPECT_EQ(errorOf([&] { form.load(path); }), c.message) << c.what;
        EXPECT_EQ(elementNames(form), QStringList { u"Fussshape_1"_s }) << c.what;
        EXPECT_TRUE(ui->messages().isEmpty()) << c.what;
    }

    // A directory is no form file.
    Formular form;
    const QString error = errorOf([&] { form.load(dir.path()); });
    EXPECT_TRUE(error.startsWith(u"Die Formulardatei "_s + QDir::toNativeSeparators(dir.path())))
        << error.toStdString();
    EXPECT_TRUE(error.endsWith(u" kann nicht gelesen werden."_s)) << error.toStdString();
}

TEST(FormFile, DamagedBytesLoadOrAreRefusedNeverCrash)
{
    // Bytes changed at random in a rich file: every load either succeeds or is refused with
    // kb::Error, and what loads saves and loads again to the same file.
    TempDir dir;
    ScopedScriptedUi ui;
    Formular rich;
    for (int k = 0; k < kKindCount; ++k) {
        const FormKind &kind = formKind(k);
        if (FormElement *e = rich.create(kind.type, kind.band))
            e->dataField = QStringLiteral("Feld");
    }
    const QByteArray valid = saved(rich, dir);
    // In memory through the reader's own entry point; files would only add the disk.
    const auto load = [](Formular &form, const QByteArray &bytes) {
        form.loadRecords(parseFormFile(bytes, QStringLiteral("x.qvf")), QStringLiteral("x.qvf"));
    };
    QRandomGenerator random(1552);
    int loaded = 0;
    for (int round = 0; round < 1000; ++round) {
        QByteArray file = valid;
        for (int i = 0, n = 1 + round % 8; i < n; ++i)
            file[random.bounded(file.size())] = static_cast<char>(random.bounded(256));
        if (round % 50 == 0)
            file.chop(random.bounded(kRecord));
        Formular form;
        try {
            load(form, file);
        } catch (const kb::Error &) {
            continue;
        }
        ++loaded;
        const QByteArray once = formFileBytes(form.records());
        Formular again;
        load(again, once);
        EXPECT_EQ(formFileBytes(again.records()), once) << "round " << round;
    }
    EXPECT_GT(loaded, 300);
}

TEST(FormFile, MissingFileShowsTheMessageAndLeavesTheFormEmpty)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const QString path = dir.file(u"neu.qvf"_s);
    Formular form;
    form.create(ElementType::FreeText, FormBand::Header);
    EXPECT_FALSE(form.load(path));
    EXPECT_EQ(ui->messages(),
        QStringList { u"Datei "_s + QDir::toNativeSeparators(path)
            + u"\r\n             existiert nicht, neu anlegen "_s });
    EXPECT_TRUE(form.elements().empty());
    EXPECT_EQ(form.counter(0), 0);
    EXPECT_FALSE(QFileInfo::exists(path));

    // Saving the empty form creates the file.
    form.save(path);
    EXPECT_EQ(readAll(path).size(), 34 * kRecord);
}

TEST(FormFile, ExistingFileIsReplacedCompletely)
{
    TempDir dir;
    ScopedScriptedUi ui;
    const QString path = dir.file(u"f.qvf"_s);
    writeAll(path, QByteArray(100 * kRecord, 'x'));
    Formular().save(path);
    EXPECT_EQ(readAll(path), formFileBytes(Formular().records()));
}
