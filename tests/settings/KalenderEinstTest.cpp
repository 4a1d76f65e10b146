#include "settings/KalenderEinst.h"
#include "settings/ColorValue.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using kb::test::readAll;
using kb::test::ScopedScriptedUi;
using kb::test::TempDir;
using kb::test::writeAll;

namespace {

QString zweiteZeile()
{
    return u"\r\nWenn es für diesen Bereich keine Ferien gibt: bei Beginn u.Ende 00.00 eingeben!"_s;
}

// The keys of a file in the order they stand, "Section/Key".
QStringList keyOrder(const QByteArray &content)
{
    QStringList out;
    QString section;
    for (const QString &line : QString::fromLatin1(content).split(u"\r\n"_s)) {
        if (line.startsWith(QLatin1Char('[')))
            section = line.mid(1, line.size() - 2);
        else if (line.contains(QLatin1Char('=')))
            out.append(section + QLatin1Char('/') + line.section(QLatin1Char('='), 0, 0));
    }
    return out;
}

class KalenderEinstTest : public ::testing::Test {
protected:
    IniFile ini() const { return IniFile(m_dir.file(u"Kalvalues.ini"_s)); }
    void write(const QByteArray &content) { writeAll(ini().path(), content); }
    QByteArray content() const { return readAll(ini().path()); }

    TempDir m_dir;
    ScopedScriptedUi m_ui;
};

} // namespace

TEST_F(KalenderEinstTest, OpeningFillsFromTheFileWithColoursFallingBackTo100)
{
    write("[USER]\r\nFirma=Muster GmbH\r\nKopftext=Jahresplan\r\nKopfSchriftSize=14\r\n"
          "MonatSchriftName=Times New Roman\r\nMonatStyleBold=1\r\nMonatStyleItalic=0\r\n"
          "MonatStyleUnterstrichen=2\r\nHintergrundSamstag=255\r\nSymbole=1\r\n"
          "[Ferien]\r\nWeihnachten2Beginn=23.12.\r\nWeihnachten2Ende=31.12.\r\n");
    LayoutSettings layout;
    const KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);

    EXPECT_TRUE(w.symbole);
    EXPECT_EQ(w.text(EinstText::Firma), u"Muster GmbH"_s);
    EXPECT_EQ(w.text(EinstText::Kopftext), u"Jahresplan"_s);
    EXPECT_EQ(w.text(EinstText::Strasse), QString());
    EXPECT_EQ(layout.firma, u"Muster GmbH"_s);

    for (int i = 0; i < kEinstFarbeCount; ++i) {
        const auto f = static_cast<EinstFarbe>(i);
        EXPECT_EQ(w.farbe(f), f == EinstFarbe::HintergrundSamstag ? 255 : 100)
            << einstFarbeKey(f).toStdString();
    }
    for (qint32 c : { layout.hintergrundWochenende, layout.hintergrundFeiertag,
             layout.hintergrundFarbeFerien, layout.schriftFarbeUrlaub, layout.schriftFarbeKrank,
             layout.monatHintergrundFarbe, layout.bundeslandSchriftFarbe, layout.farbeFormular,
             layout.font(FontGroup::Kopf).farbe, layout.font(FontGroup::Monat).farbe })
        EXPECT_EQ(c, 100);
    EXPECT_EQ(layout.hintergrundSamstag, 255);

    EXPECT_EQ(w.font(FontGroup::Kopf).size, 14);
    EXPECT_EQ(w.font(FontGroup::Kopf).name, u"Arial"_s);
    EXPECT_EQ(w.font(FontGroup::Monat).name, u"Times New Roman"_s);
    EXPECT_EQ(layout.font(FontGroup::Monat).name, u"Times New Roman"_s);
    for (const TextFont &f : w.fonts)
        EXPECT_EQ(f.farbe, 100);
    // The flags are the stored styles: only exactly 1 is on, a missing key counts as 1.
    EXPECT_EQ(w.font(FontGroup::Monat).styles, (FontStyles { true, false, false, true }));
    EXPECT_EQ(w.font(FontGroup::Kopf).styles, (FontStyles { true, true, true, true }));

    EXPECT_EQ(layout.periode(Ferien::Weihnachten2).beginn, u"23.12."_s);
    EXPECT_EQ(w.ferien[int(Ferien::Weihnachten2)][0], u"23.12"_s);
    EXPECT_EQ(w.ferien[int(Ferien::Weihnachten2)][1], u"31.12"_s);
    EXPECT_EQ(w.ferien[int(Ferien::Sommer)][0], u"00.00"_s);
}

TEST(KalenderEinstPeriode, CheckOfOneRow)
{
    struct Fall {
        const char *name;
        const char *beginn;
        const char *ende;
        int jahr;
        const char *meldung; // nullptr: valid
    };
    const Fall faelle[] = {
        { "no period", "00.00", "00.00", 2026, nullptr },
        { "one day", "24.12", "24.12", 2026, nullptr },
        { "ordinary", "30.03", "11.04", 2026, nullptr },
        { "leap day in a leap year", "29.02", "01.03", 2024, nullptr },
        { "leap day in a common year", "29.02", "01.03", 2026,
            "29.02.2026 bis 01.03.2026 ist keine gültige Datumsangabe" },
        { "over the turn of the year", "20.12", "05.01", 2026,
            "20.12.2026 bis 05.01.2026 ist keine gültige Datumsangabe" },
        { "only the begin unset", "00.00", "15.03", 2026,
            "00.00.2026 bis 15.03.2026 ist keine gültige Datumsangabe" },
        { "only the end unset", "15.03", "00.00", 2026,
            "15.03.2026 bis 00.00.2026 ist keine gültige Datumsangabe" },
        { "no 30 February", "30.02", "05.03", 2004,
            "30.02.2004 bis 05.03.2004 ist keine gültige Datumsangabe" },
        { "no 31 April", "31.04", "02.05", 2026,
            "31.04.2026 bis 02.05.2026 ist keine gültige Datumsangabe" },
        { "no month 13", "01.13", "02.13", 2026,
            "01.13.2026 bis 02.13.2026 ist keine gültige Datumsangabe" },
        { "partly filled", "1_.03", "05.04", 2026,
            "1_.03.2026 bis 05.04.2026 ist keine gültige Datumsangabe" },
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        const auto fehler
            = ferienPeriodeFehler(QString::fromUtf8(f.beginn), QString::fromUtf8(f.ende), f.jahr);
        if (!f.meldung)
            EXPECT_FALSE(fehler.has_value());
        else
            EXPECT_EQ(fehler.value_or(QString()), QString::fromUtf8(f.meldung) + zweiteZeile());
    }
}

TEST_F(KalenderEinstTest, SavingEmptyDateFieldsStoresEighteenUnsetDates)
{
    LayoutSettings layout;
    KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);
    for (auto &zeile : w.ferien)
        zeile = { u"__.__"_s, QString() }; // as the masked field shows it, and as text() gives it
    IniFile file = ini();
    ASSERT_TRUE(kalenderEinstSpeichern(file, w, layout, 2026));
    EXPECT_TRUE(m_ui->messages().isEmpty());

    int n = 0;
    for (const QString &key : keyOrder(content())) {
        if (!key.startsWith(u"Ferien/"_s))
            continue;
        ++n;
        EXPECT_EQ(file.readString(sectionFerien(), key.mid(7), QString()), u"00.00."_s)
            << key.toStdString();
    }
    EXPECT_EQ(n, 18);
    for (const auto &zeile : w.ferien)
        EXPECT_EQ(zeile, (std::array<QString, 2> { u"00.00"_s, u"00.00"_s }));
}

TEST_F(KalenderEinstTest, LeapDayIsSavedOnlyInALeapYear)
{
    for (int jahr : { 2024, 2026 }) {
        SCOPED_TRACE(jahr);
        m_ui->clear();
        write("[Ferien]\r\n");
        LayoutSettings layout;
        KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);
        w.ferien[int(Ferien::Winter)] = { u"29.02"_s, u"03.03"_s };
        IniFile file = ini();
        const bool gespeichert = kalenderEinstSpeichern(file, w, layout, jahr);
        EXPECT_EQ(gespeichert, jahr == 2024);
        EXPECT_EQ(file.readString(sectionFerien(), u"WinterBeginn"_s, u"fehlt"_s),
            jahr == 2024 ? u"29.02."_s : u"fehlt"_s);
        EXPECT_EQ(m_ui->messages().size(), jahr == 2024 ? 0 : 1);
    }
}

// The save stops at the first invalid period: the periods before it are stored, the dialog's
// other values are not, and the message names the period.
TEST_F(KalenderEinstTest, AnInvalidSecondPeriodStopsTheSaveAfterTheFirst)
{
    const QByteArray vorher = "[User]\r\nFirma=Alt\r\nSymbole=0\r\nMonatStyleBold=0\r\n"
                              "[Ferien]\r\nWeihnachten1Beginn=00.00.\r\nWeihnachten1Ende=00.00.\r\n"
                              "WinterBeginn=02.02.\r\nWinterEnde=06.02.\r\n";
    write(vorher);
    LayoutSettings layout;
    KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);
    w.ferien[int(Ferien::Weihnachten1)] = { u"01.01"_s, u"05.01"_s };
    w.ferien[int(Ferien::Winter)] = { u"20.02"_s, u"10.02"_s };
    w.ferien[int(Ferien::Sommer)] = { u"30.07"_s, u"12.09"_s };
    w.text(EinstText::Firma) = u"Neu"_s;
    w.symbole = true;
    w.font(FontGroup::Monat).styles = FontStyles { true, true, false, false };

    IniFile file = ini();
    EXPECT_FALSE(kalenderEinstSpeichern(file, w, layout, 2027));
    EXPECT_EQ(m_ui->messages(),
        QStringList {
            u"20.02.2027 bis 10.02.2027 ist keine gültige Datumsangabe"_s + zweiteZeile() });
    QByteArray erwartet = vorher;
    erwartet.replace("Weihnachten1Beginn=00.00.", "Weihnachten1Beginn=01.01.");
    erwartet.replace("Weihnachten1Ende=00.00.", "Weihnachten1Ende=05.01.");
    EXPECT_EQ(content(), erwartet);
    EXPECT_EQ(layout.firma, u"Alt"_s);
}

TEST_F(KalenderEinstTest, SaveWritesEveryKeyInItsOrderThenSymbole)
{
    write("[User]\r\nBundeslandSchriftFarbe=4210752\r\nFarbeFormular=-2147483633\r\n");
    LayoutSettings layout;
    KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);
    w.symbole = true;
    IniFile file = ini();
    // Keys already in the file keep their place; the others are added in write order.
    writeAll(file.path(), "");
    ASSERT_TRUE(kalenderEinstSpeichern(file, w, layout, 2026));

    QStringList erwartet;
    for (int i = 0; i < kFerienCount; ++i) {
        const QString n = u"Ferien/"_s + ferienName(static_cast<Ferien>(i));
        erwartet << n + u"Beginn"_s << n + u"Ende"_s;
    }
    const char *user[] = { "Linienfarbe", "Firma", "Bild", "Strasse", "Ort", "Telefon", "Fax",
        "Kopftext", "Kopfbandtext", "KopfSchriftName", "KopfSchriftSize", "KopfSchriftFarbe" };
    for (const char *k : user)
        erwartet << u"User/"_s + QString::fromUtf8(k);
    for (FontGroup g :
        { FontGroup::Kopf, FontGroup::KopfBand, FontGroup::Monat, FontGroup::Adresse }) {
        for (const QString &k : fontStyleKeys(g))
            erwartet << u"User/"_s + k;
    }
    const char *rest[] = { "KopfBandFarbe", "KopfBandSchriftFarbe", "KopfBandSchriftSize",
        "KopfBandSchriftName", "AdresseSchriftSize", "AdresseSchriftName", "AdresseSchriftFarbe",
        "MonatSchriftName", "MonatSchriftSize", "MonatSchriftFarbe", "MonatHintergrundFarbe",
        "HintergrundWochenende", "HintergrundSamstag", "HintergrundFeiertag",
        "BundeslandSchriftFarbe", "FarbeFormular", "SchriftFarbeUrlaub", "SchriftFarbeKrank",
        "HintergrundFarbeFerien", "Symbole" };
    for (const char *k : rest)
        erwartet << u"User/"_s + QString::fromUtf8(k);
    EXPECT_EQ(keyOrder(content()), erwartet);

    // The two colours without a control go back as the dialog read them.
    EXPECT_EQ(file.readInteger(sectionUser(), u"BundeslandSchriftFarbe"_s, 0), 4210752);
    EXPECT_EQ(file.readInteger(sectionUser(), u"FarbeFormular"_s, 0), -2147483633);
    EXPECT_EQ(file.readString(sectionUser(), u"Symbole"_s, QString()), u"1"_s);
    EXPECT_TRUE(layout.symbole);
}

// A font confirmed for one group changes its four flags; the groups left alone keep what the
// file held, including styles that are off.
TEST_F(KalenderEinstTest, FontStylesOfOneGroupChangeAndTheOthersAreKept)
{
    write("[User]\r\nKopfStyleBold=0\r\nKopfStyleItalic=0\r\nKopfStyleUnterstrichen=1\r\n"
          "KopfStyleDurchstrichen=0\r\nMonatStyleBold=0\r\nMonatStyleItalic=0\r\n"
          "MonatStyleUnterstrichen=1\r\nMonatStyleDurchstrichen=1\r\n"
          "AdresseStyleBold=0\r\nadresseStyleItalic=0\r\nAdresseStyleUnterstrichen=0\r\n"
          "AdresseStyleDurchstrichen=0\r\nKopfBandStyleBold=1\r\nKopfBandStyleItalic=0\r\n"
          "KopfBandStyleUnterstrichen=0\r\nKopfBandStyleDurchstrichen=0\r\n");
    LayoutSettings layout;
    KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);
    TextFont &monat = w.font(FontGroup::Monat);
    monat.name = u"Liberation Serif"_s;
    monat.size = 12;
    monat.styles = FontStyles { true, true, false, false };
    IniFile file = ini();
    ASSERT_TRUE(kalenderEinstSpeichern(file, w, layout, 2026));

    auto styles = [&](FontGroup g) { return readFontStyles(file, g); };
    EXPECT_EQ(styles(FontGroup::Monat), (FontStyles { true, true, false, false }));
    EXPECT_EQ(styles(FontGroup::Kopf), (FontStyles { false, false, true, false }));
    EXPECT_EQ(styles(FontGroup::KopfBand), (FontStyles { true, false, false, false }));
    EXPECT_EQ(styles(FontGroup::Adresse), (FontStyles { false, false, false, false }));
    for (const char *k :
        { "MonatStyleUnterstrichen", "MonatStyleDurchstrichen", "AdresseStyleItalic" })
        EXPECT_EQ(file.readString(sectionUser(), QString::fromUtf8(k), QString()), u"0"_s) << k;
    EXPECT_EQ(
        file.readString(sectionUser(), u"MonatSchriftName"_s, QString()), u"Liberation Serif"_s);

    // The run-time copy is reloaded completely, styles included.
    EXPECT_EQ(layout.font(FontGroup::Monat).styles, (FontStyles { true, true, false, false }));
    EXPECT_EQ(layout.font(FontGroup::Monat).size, 12);
    EXPECT_EQ(layout.font(FontGroup::Kopf).styles, (FontStyles { false, false, true, false }));
}

TEST_F(KalenderEinstTest, SaveReloadsTheRunTimeCopy)
{
    write("[User]\r\nLinienfarbe=5\r\n");
    LayoutSettings layout;
    KalenderEinstWerte w = kalenderEinstFuellen(ini(), layout);
    w.text(EinstText::Kopfbandtext) = u"Bandtext äöü"_s;
    w.farbe(EinstFarbe::Linienfarbe) = kColorNone;
    w.farbe(EinstFarbe::KopfBandFarbe) = 0x80000005; // system colour "Fenster"
    w.font(FontGroup::KopfBand).name = u"Courier New"_s;
    w.ferien[int(Ferien::Herbst)] = { u"26.10"_s, u"30.10"_s };
    IniFile file = ini();
    ASSERT_TRUE(kalenderEinstSpeichern(file, w, layout, 2026));

    LayoutSettings erwartet;
    erwartet.loadAll(file);
    EXPECT_TRUE(layout == erwartet);
    EXPECT_EQ(layout.kopfbandtext, u"Bandtext äöü"_s);
    EXPECT_EQ(layout.linienfarbe, kColorNone);
    EXPECT_EQ(layout.kopfBandFarbe, qint32(0x80000005));
    EXPECT_EQ(layout.font(FontGroup::KopfBand).name, u"Courier New"_s);
    EXPECT_EQ(layout.periode(Ferien::Herbst).ende, u"30.10."_s);
    EXPECT_EQ(file.readString(sectionUser(), u"KopfBandFarbe"_s, QString()), u"-2147483643"_s);
}

TEST(KalenderEinstFelder, HolidayDatesBecomeRowsWithoutTheirDot)
{
    FerienPerioden p;
    p[int(Ferien::Sommer)] = FerienPeriode { u"30.07."_s, u"12.09."_s };
    FerienFelder felder;
    felder[int(Ferien::Winter)] = { u"01.02"_s, u"05.02"_s };
    ferienFelderSetzen(felder, p);
    EXPECT_EQ(felder[int(Ferien::Sommer)], (std::array<QString, 2> { u"30.07"_s, u"12.09"_s }));
    EXPECT_EQ(felder[int(Ferien::Winter)], (std::array<QString, 2> { u"00.00"_s, u"00.00"_s }));
    EXPECT_TRUE(ferienFeldLeer(u"__.__"_s));
    EXPECT_TRUE(ferienFeldLeer(u"."_s));
    EXPECT_FALSE(ferienFeldLeer(u"0_.__"_s));
}

TEST(Farbwahl, PickersOfferStandardExtendedAndSystemColours)
{
    const QList<FarbEintrag> &mit = farbEintraege(true);
    const QList<FarbEintrag> &ohne = farbEintraege(false);
    EXPECT_EQ(mit.size(), ohne.size() + 2);
    EXPECT_EQ(mit[mit.size() - 2].name, u"none"_s);
    EXPECT_EQ(mit.last().name, u"default"_s);
    EXPECT_EQ(farbIndex(kColorNone, false), -1);
    EXPECT_EQ(farbIndex(kColorDefault, false), -1);
    EXPECT_EQ(ohne[farbIndex(0x0000FF, false)].name, u"Rot"_s);
    EXPECT_EQ(ohne[farbIndex(0xF0CAA6, false)].name, u"Himmelblau"_s);
    EXPECT_EQ(ohne[farbIndex(qint32(0x8000000F), false)].name, u"Schaltfläche"_s);
    EXPECT_EQ(farbIndex(200, true), -1); // a colour of its own
    // Every entry is a distinct value, and system colours paint as their classic colour.
    QSet<qint32> werte;
    for (const FarbEintrag &e : mit) {
        EXPECT_FALSE(werte.contains(e.wert)) << e.name.toStdString();
        werte.insert(e.wert);
    }
    EXPECT_EQ(toQColor(qint32(0x8000000F)), QColor(0xD4, 0xD0, 0xC8));
}

TEST(MarginDialog, ValuesAreLimitedAndStandardIsFixed)
{
    const MarginDialogValues v { Margins { .left = -3, .right = 41, .top = 40, .bottom = 0 },
        Margins { .left = 1000, .right = 10, .top = -1, .bottom = 39 } };
    EXPECT_EQ(clampedMarginDialogValues(v),
        (MarginDialogValues { Margins { .left = 0, .right = 40, .top = 40, .bottom = 0 },
            Margins { .left = 40, .right = 10, .top = 0, .bottom = 39 } }));
    EXPECT_EQ(standardMarginDialogValues().year,
        (Margins { .left = 4, .right = 2, .top = 3, .bottom = 5 }));
    EXPECT_EQ(standardMarginDialogValues().month, (Margins { 10, 10, 10, 10 }));
}
