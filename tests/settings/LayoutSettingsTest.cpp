#include "settings/LayoutSettings.h"
#include "settings/ColorValue.h"
#include "support/TestUtil.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using kb::test::readAll;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

LayoutSettings loadedFrom(const QByteArray &content)
{
    TempDir dir;
    writeAll(dir.file(u"k.ini"_s), content);
    LayoutSettings ls;
    ls.loadAll(IniFile(dir.file(u"k.ini"_s)));
    return ls;
}

} // namespace

TEST(LayoutSettings, MissingFileGivesTheLoaderDefaultsAndTheShippedColours)
{
    TempDir dir;
    const IniFile ini(dir.file(u"fehlt.ini"_s));
    LayoutSettings ls;
    ls.linienfarbe = 1;
    ls.font(FontGroup::Monat).styles.bold = false;
    ls.loadAll(ini);

    EXPECT_FALSE(ls.symbole);
    EXPECT_EQ(ls.firma, u"RI-DOZU"_s);
    EXPECT_EQ(ls.kbMargins, (Margins { 4, 2, 3, 5 }));
    EXPECT_EQ(ls.monatMargins, (Margins { 10, 10, 10, 10 }));
    for (const TextFont &f : ls.fonts) {
        EXPECT_EQ(f.name, u"Arial"_s);
        EXPECT_EQ(f.size, 8);
        // Without style keys every group is bold, italic, underlined and struck out.
        EXPECT_EQ(f.styles, (FontStyles { true, true, true, true }));
    }
    for (const FerienPeriode &p : ls.ferien) {
        EXPECT_EQ(p.beginn, u"00.00."_s);
        EXPECT_EQ(p.ende, u"00.00."_s);
    }
    // The colours are those of the shipped settings file, every one of its colour keys.
    const IniFile ausgeliefert(QStringLiteral(KB_SOURCE_DIR "/data/Kalvalues.ini"));
    ASSERT_TRUE(ausgeliefert.exists());
    LayoutSettings mitDatei;
    mitDatei.loadAll(ausgeliefert);
    int farben = 0;
    const auto eintraege = ls.entries();
    const auto erwartet = mitDatei.entries();
    ASSERT_EQ(eintraege.size(), erwartet.size());
    for (qsizetype i = 0; i < eintraege.size(); ++i) {
        const QString &key = eintraege[i].first;
        if (!key.contains(u"farbe"_s, Qt::CaseInsensitive) && !key.startsWith(u"Hintergrund"_s))
            continue;
        ++farben;
        EXPECT_EQ(eintraege[i].second, erwartet[i].second) << key.toStdString();
        EXPECT_EQ(ausgelieferteFarbe(key), ausgeliefert.readInteger(u"User"_s, key, -1))
            << key.toStdString();
        EXPECT_NE(eintraege[i].second, u"200"_s) << key.toStdString();
    }
    EXPECT_EQ(farben, 15);
    EXPECT_EQ(readLinienfarbe(ini), 12632256);
    EXPECT_EQ(readKopfBandFarbe(ini), 15788257);
    EXPECT_EQ(ausgelieferteFarbe(u"Firma"_s), std::nullopt);

    // A file that exists but lacks a colour key still reads it as 200.
    writeAll(dir.file(u"leer.ini"_s), "[User]\r\n");
    LayoutSettings leer;
    leer.loadAll(IniFile(dir.file(u"leer.ini"_s)));
    EXPECT_EQ(leer.hintergrundSamstag, 200);
    EXPECT_EQ(readLinienfarbe(IniFile(dir.file(u"leer.ini"_s))), 200);
}

TEST(LayoutSettings, EveryCaseVariantAddressesItsEntry)
{
    const LayoutSettings ls = loadedFrom("[USER]\r\n"
                                         "KBRight=11\r\n"
                                         "KBtop=12\r\n"
                                         "MonatRight=13\r\n"
                                         "MonatTop=14\r\n"
                                         "LinienFarbe=15\r\n"
                                         "Kopfbandfarbe=16\r\n"
                                         "KopfbandSchriftFarbe=17\r\n"
                                         "KopfBandtext=Band\r\n"
                                         "KopfstyleUnterstrichen=0\r\n"
                                         "adresseStyleBold=0\r\n"
                                         "[FERIEN]\r\n"
                                         "sommerbeginn=01.08.\r\n");
    EXPECT_EQ(ls.kbMargins.right, 11);
    EXPECT_EQ(ls.kbMargins.top, 12);
    EXPECT_EQ(ls.monatMargins.right, 13);
    EXPECT_EQ(ls.monatMargins.top, 14);
    EXPECT_EQ(ls.linienfarbe, 15);
    EXPECT_EQ(ls.kopfBandFarbe, 16);
    EXPECT_EQ(ls.font(FontGroup::KopfBand).farbe, 17);
    EXPECT_EQ(ls.kopfbandtext, u"Band"_s);
    EXPECT_EQ(ls.font(FontGroup::Kopf).styles, (FontStyles { true, true, false, true }));
    EXPECT_EQ(ls.font(FontGroup::Adresse).styles, (FontStyles { false, true, true, true }));
    EXPECT_EQ(ls.periode(Ferien::Sommer).beginn, u"01.08."_s);
}

TEST(LayoutSettings, StyleIsOnOnlyForExactlyOne)
{
    const struct {
        const char *value;
        bool on;
    } cases[] = { { "1", true }, { "0", false }, { "2", false }, { "-1", false }, { "$1", true },
        { "abc", true } /* invalid: the default 1 */, { "", true } };
    TempDir dir;
    for (const auto &c : cases) {
        writeAll(dir.file(u"k.ini"_s),
            QByteArray("[User]\r\nMonatStyleItalic=") + c.value + "\r\nMonatStyleBold=0\r\n");
        const IniFile ini(dir.file(u"k.ini"_s));
        const FontStyles st = readFontStyles(ini, FontGroup::Monat);
        EXPECT_EQ(st.italic, c.on) << c.value;
        EXPECT_FALSE(st.bold);
        EXPECT_TRUE(st.underline && st.strikeOut);
        const QFont f = makeFont(u"Arial"_s, 12, st);
        EXPECT_EQ(f.italic(), c.on);
        EXPECT_FALSE(f.bold());
        EXPECT_TRUE(f.underline() && f.strikeOut());
        EXPECT_EQ(f.pointSize(), 12);
    }
}

TEST(LayoutSettings, InvalidValuesGiveTheReadersOwnFallback)
{
    TempDir dir;
    writeAll(dir.file(u"k.ini"_s),
        "[User]\r\nHintergrundSamstag=abc\r\nKBLeft=x\r\n"
        "MonatLeft=\r\nSymbole=ja\r\nHintergrundFeiertag=$FF\r\n");
    const IniFile ini(dir.file(u"k.ini"_s));
    LayoutSettings ls;
    ls.load(ini);
    EXPECT_EQ(ls.hintergrundSamstag, 200);
    EXPECT_EQ(ls.hintergrundFeiertag, 255);
    EXPECT_EQ(ls.kbMargins.left, 4);
    EXPECT_EQ(ls.monatMargins.left, 10);
    EXPECT_FALSE(ls.symbole);

    // The settings dialog falls back to 100 for colours.
    EXPECT_EQ(readDialogColour(ini, u"HintergrundSamstag"_s), 100);
    EXPECT_EQ(readDialogColour(ini, u"HintergrundWochenende"_s), 100);
    EXPECT_EQ(readDialogColour(ini, u"HintergrundFeiertag"_s), 255);
}

TEST(LayoutSettings, MarginReadersAndTheirFallbacks)
{
    TempDir dir;
    const IniFile empty(dir.file(u"leer.ini"_s));
    EXPECT_EQ(readYearLayoutMargins(empty), (Margins { 4, 2, 3, 5 }));
    EXPECT_EQ(readMonthLayoutMargins(empty), (Margins { 4, 2, 3, 5 }));
    const MarginDialogValues dlg = readMarginDialogValues(empty);
    EXPECT_EQ(dlg.year, (Margins { .left = 2, .right = 3, .top = 4, .bottom = 5 }));
    EXPECT_EQ(dlg.month, (Margins { 10, 10, 10, 10 }));
    LayoutSettings ls;
    ls.load(empty);
    EXPECT_EQ(ls.monatMargins, (Margins { 10, 10, 10, 10 }));

    // The margin dialog writes its spellings; every reader finds them.
    IniFile ini(dir.file(u"k.ini"_s));
    writeMarginDialogValues(
        ini, MarginDialogValues { Margins { 1, 2, 3, 4 }, Margins { 5, 6, 7, 8 } });
    EXPECT_EQ(readAll(ini.path()),
        QByteArray("[User]\r\nKBtop=3\r\nKBLeft=1\r\nKBright=2\r\n"
                   "KBBottom=4\r\nMonatTOP=7\r\nMonatLeft=5\r\n"
                   "Monatright=6\r\nMonatBottom=8\r\n"));
    EXPECT_EQ(readYearLayoutMargins(ini), (Margins { 1, 2, 3, 4 }));
    EXPECT_EQ(readMonthLayoutMargins(ini), (Margins { 5, 6, 7, 8 }));
    EXPECT_EQ(readMarginDialogValues(ini).year, (Margins { 1, 2, 3, 4 }));
    ls.load(ini);
    EXPECT_EQ(ls.kbMargins, (Margins { 1, 2, 3, 4 }));
    EXPECT_EQ(ls.monatMargins, (Margins { 5, 6, 7, 8 }));
}

TEST(LayoutSettings, PaintLoadLeavesStylesAndStartupColoursAlone)
{
    TempDir dir;
    writeAll(dir.file(u"k.ini"_s),
        "[User]\r\nLinienfarbe=1\r\nKopfBandFarbe=2\r\n"
        "KopfStyleBold=0\r\nFirma=F\r\n");
    IniFile ini(dir.file(u"k.ini"_s));
    LayoutSettings ls;
    ls.load(ini);
    EXPECT_EQ(ls.firma, u"F"_s);
    EXPECT_EQ(ls.linienfarbe, 200);
    EXPECT_TRUE(ls.font(FontGroup::Kopf).styles.bold);
    ls.loadStartup(ini);
    EXPECT_EQ(ls.linienfarbe, 1);
    EXPECT_EQ(ls.kopfBandFarbe, 2);
    EXPECT_TRUE(ls.font(FontGroup::Kopf).styles.bold);
    ls.loadAll(ini);
    EXPECT_FALSE(ls.font(FontGroup::Kopf).styles.bold);

    // A write is read back at once, before any repaint, also through another object.
    IniFile(ini.path()).writeString(u"User"_s, u"Firma"_s, u"Neu GmbH"_s);
    ls.load(ini);
    EXPECT_EQ(ls.firma, u"Neu GmbH"_s);
    EXPECT_EQ(readLinienfarbe(ini), 1);
    EXPECT_EQ(readKopfBandFarbe(ini), 2);
    EXPECT_EQ(readDatei(ini), QString());
    writeDatei(ini, u"Mein Entwurf"_s);
    EXPECT_EQ(readDatei(IniFile(ini.path())), u"Mein Entwurf"_s);
}

TEST(LayoutSettings, EntriesFollowTheLoadOrder)
{
    LayoutSettings ls;
    ls.symbole = true;
    ls.periode(Ferien::Zusatz2).ende = u"31.12."_s;
    ls.font(FontGroup::Adresse).size = 10;
    const auto e = ls.entries();
    ASSERT_EQ(e.size(), 1 + 18 + 8 + 8 + 12 + 9 + 2);
    EXPECT_EQ(e[0], std::make_pair(u"Symbole"_s, u"1"_s));
    EXPECT_EQ(e[1], std::make_pair(u"Weihnachten1Beginn"_s, u"00.00."_s));
    EXPECT_EQ(e[18], std::make_pair(u"Zusatz2Ende"_s, u"31.12."_s));
    EXPECT_EQ(e[19].first, u"KBLeft"_s);
    EXPECT_EQ(e[27], std::make_pair(u"Firma"_s, u"RI-DOZU"_s));
    EXPECT_EQ(e[35].first, u"KopfSchriftName"_s);
    EXPECT_EQ(e[45], std::make_pair(u"AdresseSchriftSize"_s, u"10"_s));
    EXPECT_EQ(e[47].first, u"MonatHintergrundFarbe"_s);
    EXPECT_EQ(e[55].first, u"FarbeFormular"_s);
    EXPECT_EQ(e[56].first, u"Linienfarbe"_s);
    EXPECT_EQ(e[57].first, u"KopfBandFarbe"_s);

    // Written back key by key, the file loads into the same values.
    TempDir dir;
    IniFile ini(dir.file(u"k.ini"_s));
    for (const auto &[key, value] : e) {
        const bool ferien = key.endsWith(u"Beginn"_s) || key.endsWith(u"Ende"_s);
        ini.writeString(ferien ? sectionFerien() : sectionUser(), key, value);
    }
    LayoutSettings back;
    back.loadAll(ini);
    EXPECT_TRUE(back == ls);
}

TEST(SchoolHolidays, PeriodTest)
{
    const struct {
        const char *beginn;
        const char *ende;
        QDate day;
        bool inside;
    } cases[] = {
        { "20.12.", "31.12.", QDate(2005, 12, 20), true },
        { "20.12.", "31.12.", QDate(2005, 12, 31), true },
        { "20.12.", "31.12.", QDate(2005, 12, 19), false },
        { "20.12.", "31.12.", QDate(2006, 12, 24), true }, // the year of the day counts
        { "20.12.", "31.12.", QDate(2006, 1, 1), false },
        { "00.00.", "31.12.", QDate(2005, 12, 24), false }, // unset begin: no period
        { "20.12.", "00.00.", QDate(2005, 12, 24), false }, // unset end: no period
        { "00.00.", "00.00.", QDate(2005, 12, 24), false },
        { "29.02.", "01.03.", QDate(2004, 2, 29), true },
        { "1.8.", "5.8.", QDate(2004, 8, 5), true },
        { "10.08.", "01.08.", QDate(2004, 8, 5), false }, // begin after end
    };
    for (const auto &c : cases) {
        const FerienPeriode p { QString::fromUtf8(c.beginn), QString::fromUtf8(c.ende) };
        EXPECT_EQ(p.contains(c.day), c.inside)
            << c.beginn << "-" << c.ende << " " << c.day.toString().toStdString();
    }
}

TEST(SchoolHolidays, BoundWithoutValidDateRaisesTheConversionError)
{
    const struct {
        const char *beginn;
        const char *ende;
        int year;
        const char *message;
    } cases[] = {
        { "30.02.", "05.03.", 2004, "'30.02.2004' ist kein gültiges Datum" },
        { "29.02.", "01.03.", 2005, "'29.02.2005' ist kein gültiges Datum" },
        { "01.03.", "32.03.", 2005, "'32.03.2005' ist kein gültiges Datum" },
        { "ab.cd.", "01.03.", 2005, "'ab.cd.2005' ist kein gültiges Datum" },
        { "24.12", "31.12.", 2004, "'24.122004' ist kein gültiges Datum" },
        { "", "31.12.", 2004, "'2004' ist kein gültiges Datum" },
    };
    for (const auto &c : cases) {
        FerienPerioden all;
        all[static_cast<int>(Ferien::Herbst)]
            = FerienPeriode { QString::fromUtf8(c.beginn), QString::fromUtf8(c.ende) };
        EXPECT_EQ(test::errorOf([&] { inFerien(all, QDate(c.year, 6, 1)); }),
            QString::fromUtf8(c.message))
            << c.beginn;
    }
}

TEST(SchoolHolidays, FerieneinlesenReadsTheEighteenKeys)
{
    TempDir dir;
    writeAll(dir.file(u"k.ini"_s),
        "[Ferien]\r\nWeihnachten1Beginn=01.01.\r\n"
        "Weihnachten1Ende=06.01.\r\nSommerBeginn=01.08.\r\n"
        "Weihnachten2Beginn=23.12.\r\nWeihnachten2Ende=31.12.\r\n"
        "[User]\r\nFirma=nicht hier\r\n");
    const IniFile ini(dir.file(u"k.ini"_s));
    LayoutSettings ls;
    ls.periode(Ferien::Herbst).beginn = u"01.10."_s;
    ls.ferieneinlesen(ini);
    EXPECT_EQ(ls.firma, u"RI-DOZU"_s);
    EXPECT_EQ(ls.periode(Ferien::Herbst).beginn, u"00.00."_s); // missing key: unset
    EXPECT_EQ(ls.periode(Ferien::Sommer).beginn, u"01.08."_s);
    EXPECT_EQ(ls.periode(Ferien::Sommer).ende, u"00.00."_s);
    EXPECT_TRUE(ls.inFerien(QDate(2010, 1, 6)));
    EXPECT_TRUE(ls.inFerien(QDate(2010, 12, 23)));
    EXPECT_FALSE(ls.inFerien(QDate(2010, 1, 7)));
    EXPECT_FALSE(ls.inFerien(QDate(2010, 8, 15))); // Sommer has no end
}

TEST(InstalledSettingsFile, ReadableChoices)
{
    const IniFile ini(QStringLiteral(KB_SOURCE_DIR "/data/Kalvalues.ini"));
    ASSERT_TRUE(ini.exists());
    LayoutSettings ls;
    ls.loadAll(ini);
    for (int g = 0; g < kFontGroupCount; ++g) {
        for (const QString &key : fontStyleKeys(static_cast<FontGroup>(g)))
            EXPECT_TRUE(ini.hasKey(sectionUser(), key)) << key.toStdString();
        EXPECT_FALSE(ls.fonts[g].styles.strikeOut);
        EXPECT_FALSE(ls.fonts[g].styles.underline);
    }
    EXPECT_EQ(ls.kbMargins, (Margins { 4, 2, 3, 5 }));
    EXPECT_EQ(ls.monatMargins, (Margins { 10, 10, 10, 10 }));
    for (int i = 0; i < kFerienCount; ++i) {
        const QString name = ferienName(static_cast<Ferien>(i));
        EXPECT_EQ(ini.readString(sectionFerien(), name + u"Beginn"_s, {}), u"00.00."_s);
        EXPECT_EQ(ini.readString(sectionFerien(), name + u"Ende"_s, {}), u"00.00."_s);
    }
    const QList<qint32> shading = { ls.hintergrundSamstag, ls.hintergrundWochenende,
        ls.hintergrundFeiertag, ls.hintergrundFarbeFerien };
    for (qint32 c : shading) {
        EXPECT_NE(c, 200);
        EXPECT_GE(toQColor(c).lightness(), 200) << "soft background " << c;
    }
    EXPECT_EQ(QSet<qint32>(shading.begin(), shading.end()).size(), 4);
}
