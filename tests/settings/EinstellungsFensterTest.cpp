#include "settings/ColorValue.h"
#include "settings/FarbAuswahl.h"
#include "settings/TKalenderEinstForm.h"
#include "settings/TReportMarginForm.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace kb;
using kb::test::readAll;
using kb::test::ScopedScriptedUi;
using kb::test::TempDir;
using kb::test::writeAll;
using Gruppe = TReportMarginForm::Gruppe;
using Seite = TReportMarginForm::Seite;

namespace {

class FensterTest : public ::testing::Test {
protected:
    QString pfad() const { return m_dir.file(u"Kalvalues.ini"_s); }
    QByteArray content() const { return readAll(pfad()); }

    TempDir m_dir;
    ScopedScriptedUi m_ui;
};

// ---- the margin dialog

class BlatteinzugTest : public FensterTest {
protected:
    std::array<int, 4> felder(Gruppe g) const
    {
        return { m_dialog.feld(g, Seite::Oben)->value(), m_dialog.feld(g, Seite::Links)->value(),
            m_dialog.feld(g, Seite::Rechts)->value(), m_dialog.feld(g, Seite::Unten)->value() };
    }
    TReportMarginForm m_dialog;
};

TEST_F(BlatteinzugTest, WithoutMarginKeysShowsTheFallbacksAndStandardRestoresTheDefaults)
{
    writeAll(pfad(), "[User]\r\nFirma=X\r\n");
    IniFile ini(pfad());
    std::array<int, 4> jahr {}, monat {}, nachStandard {};
    bool speichernNachFuellen = false;
    m_ui->answerModal(QDialog::Accepted, [&](QWidget *) {
        jahr = felder(Gruppe::Jahr);
        monat = felder(Gruppe::Monat);
        // The fill changed the fields from their first values, which counts as a change.
        speichernNachFuellen = m_dialog.speichernKnopf()->isEnabled();
        m_dialog.standardKnopf()->click();
        nachStandard = felder(Gruppe::Jahr);
        m_dialog.speichernKnopf()->click();
    });
    EXPECT_TRUE(blatteinzugBearbeiten(m_dialog, ini));

    // top, left, right, bottom
    EXPECT_EQ(jahr, (std::array<int, 4> { 4, 2, 3, 5 }));
    EXPECT_EQ(monat, (std::array<int, 4> { 10, 10, 10, 10 }));
    EXPECT_TRUE(speichernNachFuellen);
    EXPECT_EQ(nachStandard, (std::array<int, 4> { 3, 4, 2, 5 }));
    EXPECT_EQ(content(),
        QByteArray("[User]\r\nFirma=X\r\nKBtop=3\r\nKBLeft=4\r\nKBright=2\r\nKBBottom=5\r\n"
                   "MonatTOP=10\r\nMonatLeft=10\r\nMonatright=10\r\nMonatBottom=10\r\n"));
    EXPECT_FALSE(m_dialog.speichernKnopf()->isEnabled()); // closing disables it again
}

TEST_F(BlatteinzugTest, AbbrechenLeavesTheFileAsItWas)
{
    const QByteArray vorher = "[USER]\r\nKBTop=7\r\nKBRight=8\r\nmonatleft=9\r\n";
    writeAll(pfad(), vorher);
    IniFile ini(pfad());
    m_ui->answerModal(QDialog::Rejected, [&](QWidget *) {
        EXPECT_EQ(felder(Gruppe::Jahr), (std::array<int, 4> { 7, 2, 8, 5 }));
        EXPECT_EQ(felder(Gruppe::Monat), (std::array<int, 4> { 10, 9, 10, 10 }));
        m_dialog.feld(Gruppe::Jahr, Seite::Oben)->setValue(20);
        m_dialog.standardKnopf()->click();
        m_dialog.abbrechenKnopf()->click();
    });
    EXPECT_FALSE(blatteinzugBearbeiten(m_dialog, ini));
    EXPECT_EQ(content(), vorher);
    EXPECT_FALSE(m_dialog.speichernKnopf()->isEnabled());
}

TEST_F(BlatteinzugTest, StoredMarginsOutsideTheRangeShowAndSaveAsTheNearestLimit)
{
    writeAll(pfad(), "[User]\r\nKBLeft=55\r\nMonatTOP=-3\r\nMonatBottom=abc\r\n");
    IniFile ini(pfad());
    m_ui->answerModal(QDialog::Accepted, [&](QWidget *) {
        EXPECT_EQ(felder(Gruppe::Jahr), (std::array<int, 4> { 4, 40, 3, 5 }));
        EXPECT_EQ(felder(Gruppe::Monat), (std::array<int, 4> { 0, 10, 10, 10 }));
        m_dialog.speichernKnopf()->click();
    });
    EXPECT_TRUE(blatteinzugBearbeiten(m_dialog, ini));
    EXPECT_EQ(ini.readInteger(sectionUser(), u"KBLeft"_s, 0), 40);
    EXPECT_EQ(ini.readInteger(sectionUser(), u"MonatTOP"_s, 99), 0);
    EXPECT_EQ(ini.readInteger(sectionUser(), u"MonatBottom"_s, 0), 10);
}

// Opening again with the values the fields already hold changes nothing: "Speichern" stays
// disabled until the user changes a field.
TEST_F(BlatteinzugTest, SpeichernWaitsForAChange)
{
    writeAll(pfad(), "[User]\r\n");
    IniFile ini(pfad());
    m_ui->answerModal(QDialog::Rejected, [&](QWidget *) { m_dialog.abbrechenKnopf()->click(); });
    blatteinzugBearbeiten(m_dialog, ini);
    bool vorher = true, nachher = false;
    m_ui->answerModal(QDialog::Accepted, [&](QWidget *) {
        vorher = m_dialog.speichernKnopf()->isEnabled();
        m_dialog.feld(Gruppe::Monat, Seite::Unten)->stepUp();
        nachher = m_dialog.speichernKnopf()->isEnabled();
        m_dialog.speichernKnopf()->click();
    });
    EXPECT_TRUE(blatteinzugBearbeiten(m_dialog, ini));
    EXPECT_FALSE(vorher);
    EXPECT_TRUE(nachher);
    EXPECT_EQ(ini.readInteger(sectionUser(), u"MonatBottom"_s, 0), 11);
}

// A typed number above 40 becomes 40, whether the field is left by Enter or by a click on
// "Speichern"; it never loses a digit.
TEST_F(BlatteinzugTest, TypedMarginsAboveFortyBecomeForty)
{
    const struct {
        const char *getippt;
        int wert;
    } faelle[]
        = { { "45", 40 }, { "400", 40 }, { "41", 40 }, { "40", 40 }, { "7", 7 }, { "12", 12 } };
    for (const auto &f : faelle) {
        for (const bool mitEnter : { true, false }) {
            SCOPED_TRACE(std::string(f.getippt) + (mitEnter ? " Enter" : " Speichern"));
            writeAll(pfad(), "[User]\r\n");
            IniFile ini(pfad());
            m_ui->answerModal(QDialog::Accepted, [&](QWidget *) {
                m_dialog.show();
                m_dialog.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dialog));
                QSpinBox *feld = m_dialog.feld(Gruppe::Monat, Seite::Oben);
                feld->setFocus();
                QTest::keyClick(feld, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(feld, QString::fromUtf8(f.getippt));
                if (mitEnter)
                    QTest::keyClick(feld, Qt::Key_Return);
                QTest::mouseClick(m_dialog.speichernKnopf(), Qt::LeftButton);
                EXPECT_EQ(feld->value(), f.wert);
            });
            EXPECT_TRUE(blatteinzugBearbeiten(m_dialog, ini));
            EXPECT_EQ(ini.readInteger(sectionUser(), u"MonatTOP"_s, -1), f.wert);
            m_dialog.hide();
        }
    }
}

// ---- the settings dialog

class EinstellungsDialogTest : public FensterTest {
protected:
    void oeffnen(int jahr = 2026, const QString &land = u"Hessen"_s)
    {
        m_ini.emplace(pfad());
        m_dialog.fuellen(*m_ini, m_layout, jahr, land);
    }
    void datum(Ferien f, const char *beginn, const char *ende)
    {
        m_dialog.datumsFeld(f, 0)->setText(QString::fromUtf8(beginn));
        m_dialog.datumsFeld(f, 1)->setText(QString::fromUtf8(ende));
    }
    std::optional<IniFile> m_ini;
    LayoutSettings m_layout;
    TKalenderEinstForm m_dialog;
};

TEST_F(EinstellungsDialogTest, OpeningShowsTheFileAndTheDateFieldsWithoutTheirDot)
{
    writeAll(pfad(),
        "[User]\r\nFirma=Muster\r\nBild=/tmp/logo.jpg\r\nSymbole=1\r\nLinienfarbe=255\r\n"
        "MonatHintergrundFarbe=536870912\r\n[Ferien]\r\nSommerBeginn=30.07.\r\n"
        "SommerEnde=12.09.\r\n");
    oeffnen();
    EXPECT_EQ(m_dialog.textFeld(EinstText::Firma)->text(), u"Muster"_s);
    EXPECT_EQ(m_dialog.textFeld(EinstText::Bild)->text(), u"/tmp/logo.jpg"_s);
    EXPECT_TRUE(m_dialog.symboleFeld()->isChecked());
    EXPECT_EQ(m_dialog.farbAuswahl(EinstFarbe::Linienfarbe)->currentText(), u"Rot"_s);
    EXPECT_EQ(m_dialog.farbAuswahl(EinstFarbe::HintergrundSamstag)->wert(), 100);
    // "default" is no entry of the month picker: the stored value is kept as a colour of its
    // own.
    FarbAuswahl *monat = m_dialog.farbAuswahl(EinstFarbe::MonatHintergrundFarbe);
    EXPECT_EQ(monat->findText(u"default"_s), -1);
    EXPECT_EQ(monat->findText(u"none"_s), -1);
    EXPECT_EQ(monat->wert(), kColorDefault);
    EXPECT_NE(m_dialog.farbAuswahl(EinstFarbe::KopfBandFarbe)->findText(u"none"_s), -1);
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Sommer, 0)->displayText(), u"30.07"_s);
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Sommer, 1)->displayText(), u"12.09"_s);
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Winter, 0)->displayText(), u"00.00"_s);
    EXPECT_EQ(m_dialog.tabs()->tabText(0), u"Labels und Farben"_s);
    EXPECT_EQ(m_dialog.tabs()->tabText(1), u"Ferien-Termine"_s);
}

TEST_F(EinstellungsDialogTest, AnInvalidPeriodKeepsTheDialogOpenAndACorrectedOneCloses)
{
    writeAll(pfad(), "[User]\r\n");
    oeffnen(2026);
    for (int i = 0; i < kFerienCount; ++i) {
        m_dialog.datumsFeld(static_cast<Ferien>(i), 0)->clear();
        m_dialog.datumsFeld(static_cast<Ferien>(i), 1)->clear();
    }
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Herbst, 0)->displayText(), u"__.__"_s);
    datum(Ferien::Weihnachten2, "20.12", "05.01");
    m_dialog.textFeld(EinstText::Firma)->setText(u"Neu"_s);
    m_dialog.speichernKnopf()->click();
    EXPECT_EQ(m_ui->messages(),
        QStringList { u"20.12.2026 bis 05.01.2026 ist keine gültige Datumsangabe\r\n"
                      "Wenn es für diesen Bereich keine Ferien gibt: bei Beginn u.Ende 00.00 "
                      "eingeben!"_s });
    EXPECT_NE(m_dialog.result(), QDialog::Accepted);
    IniFile ini(pfad());
    EXPECT_EQ(ini.readString(sectionFerien(), u"HerbstEnde"_s, QString()), u"00.00."_s);
    EXPECT_FALSE(ini.hasKey(sectionFerien(), u"Weihnachten2Beginn"_s));
    EXPECT_FALSE(ini.hasKey(sectionUser(), u"Firma"_s));
    // The empty fields now show 00.00; the refused row keeps what was typed.
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Herbst, 0)->displayText(), u"00.00"_s);
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Weihnachten2, 0)->displayText(), u"20.12"_s);

    datum(Ferien::Weihnachten2, "21.12", "31.12");
    m_dialog.speichernKnopf()->click();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ini.readString(sectionFerien(), u"Weihnachten2Beginn"_s, QString()), u"21.12."_s);
    EXPECT_EQ(ini.readString(sectionUser(), u"Firma"_s, QString()), u"Neu"_s);
    EXPECT_EQ(m_layout.firma, u"Neu"_s);
}

TEST_F(EinstellungsDialogTest, AConfirmedFontSetsItsGroupsFourStyles)
{
    writeAll(pfad(),
        "[User]\r\nMonatStyleBold=0\r\nMonatStyleItalic=0\r\nMonatStyleUnterstrichen=1\r\n"
        "MonatStyleDurchstrichen=1\r\nKopfStyleBold=0\r\nKopfStyleItalic=1\r\n"
        "KopfStyleUnterstrichen=0\r\nKopfStyleDurchstrichen=0\r\n");
    oeffnen();
    QFont gewaehlt(u"Liberation Serif"_s, 12);
    gewaehlt.setBold(true);
    gewaehlt.setItalic(true);
    m_ui->answerFont(gewaehlt);
    m_ui->answerColor(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(m_dialog.schriftKnopf(FontGroup::Monat)->text(), u"   Schrift"_s);
    m_dialog.schriftKnopf(FontGroup::Monat)->click();
    m_dialog.schriftFarbeKnopf(FontGroup::Monat)->click();
    m_dialog.speichernKnopf()->click();
    ASSERT_EQ(m_dialog.result(), QDialog::Accepted);

    IniFile ini(pfad());
    auto wert = [&](const char *key) {
        return ini.readString(sectionUser(), QString::fromUtf8(key), QString());
    };
    EXPECT_EQ(wert("MonatStyleBold"), u"1"_s);
    EXPECT_EQ(wert("MonatStyleItalic"), u"1"_s);
    EXPECT_EQ(wert("MonatStyleUnterstrichen"), u"0"_s);
    EXPECT_EQ(wert("MonatStyleDurchstrichen"), u"0"_s);
    EXPECT_EQ(wert("MonatSchriftName"), u"Liberation Serif"_s);
    EXPECT_EQ(wert("MonatSchriftSize"), u"12"_s);
    EXPECT_EQ(wert("MonatSchriftFarbe"), QString::number(0x563412));
    // The header font was left alone: its stored styles stay.
    EXPECT_EQ(readFontStyles(ini, FontGroup::Kopf), (FontStyles { false, true, false, false }));
    EXPECT_TRUE(m_ui->scriptDone());
}

// The font dialog answers with the installed face that stands in for "Arial": keeping it keeps
// the stored name, so a settings file shared with Windows does not change its fonts.
TEST_F(EinstellungsDialogTest, AKeptFontFamilyKeepsItsStoredName)
{
    const QString vertreter = QFontInfo(QFont(u"Arial"_s)).family();
    const struct {
        const char *was;
        QString gewaehlt;
        QString gespeichert;
    } faelle[] = {
        { "the stand-in for Arial", vertreter, u"Arial"_s },
        { "Arial itself", u"Arial"_s, u"Arial"_s },
        { "another family", u"DejaVu Serif"_s, u"DejaVu Serif"_s },
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.was);
        writeAll(pfad(), "[User]\r\nKopfSchriftName=Arial\r\nKopfSchriftSize=10\r\n");
        oeffnen();
        m_ui->answerFont(QFont(f.gewaehlt, 14));
        m_dialog.schriftKnopf(FontGroup::Kopf)->click();
        m_dialog.speichernKnopf()->click();
        ASSERT_EQ(m_dialog.result(), QDialog::Accepted);
        IniFile ini(pfad());
        EXPECT_EQ(ini.readString(sectionUser(), u"KopfSchriftName"_s, QString()), f.gespeichert);
        EXPECT_EQ(ini.readString(sectionUser(), u"KopfSchriftSize"_s, QString()), u"14"_s);
    }
    EXPECT_EQ(gewaehlteSchriftart(QString(), u"Arial"_s), u"Arial"_s);
}

TEST_F(EinstellungsDialogTest, ColourPickersAndTheLogoEndUpInTheFile)
{
    writeAll(pfad(), "[User]\r\n");
    oeffnen();
    FarbAuswahl *sonntag = m_dialog.farbAuswahl(EinstFarbe::HintergrundWochenende);
    sonntag->setCurrentIndex(sonntag->findText(u"Himmelblau"_s));
    FarbAuswahl *linie = m_dialog.farbAuswahl(EinstFarbe::Linienfarbe);
    linie->setCurrentIndex(linie->findText(u"none"_s));
    // "Benutzerdefiniert..." asks for a colour of its own.
    FarbAuswahl *ferien = m_dialog.farbAuswahl(EinstFarbe::HintergrundFarbeFerien);
    m_ui->answerColor(QColor(0xDC, 0xF0, 0xD2));
    ferien->setCurrentIndex(0);
    Q_EMIT ferien->activated(0);
    m_ui->answerFile(m_dir.file(u"Wappen.jpg"_s));
    m_dialog.logoKnopf()->click();
    m_dialog.symboleFeld()->setChecked(true);
    m_dialog.speichernKnopf()->click();

    IniFile ini(pfad());
    auto zahl = [&](const char *key) {
        return ini.readInteger(sectionUser(), QString::fromUtf8(key), -1);
    };
    EXPECT_EQ(zahl("HintergrundWochenende"), 0xF0CAA6);
    EXPECT_EQ(zahl("Linienfarbe"), kColorNone);
    EXPECT_EQ(zahl("HintergrundFarbeFerien"), 0xD2F0DC);
    EXPECT_EQ(zahl("Symbole"), 1);
    EXPECT_EQ(ini.readString(sectionUser(), u"Bild"_s, QString()), m_dir.file(u"Wappen.jpg"_s));
    EXPECT_TRUE(m_layout.symbole);
    EXPECT_EQ(m_layout.linienfarbe, kColorNone);
}

TEST_F(EinstellungsDialogTest, AbbrechenWritesNothing)
{
    const QByteArray vorher = "[User]\r\nFirma=Alt\r\n";
    writeAll(pfad(), vorher);
    oeffnen();
    m_dialog.textFeld(EinstText::Firma)->setText(u"Neu"_s);
    datum(Ferien::Sommer, "01.08", "10.09");
    m_dialog.abbrechenKnopf()->click();
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
    EXPECT_EQ(content(), vorher);
}

TEST_F(EinstellungsDialogTest, SchoolHolidaysOfTheStateFillTheRowsButAreSavedOnlyWithTheDialog)
{
    writeAll(pfad(), "[Ferien]\r\nZusatzBeginn=02.05.\r\nZusatzEnde=02.05.\r\n");
    oeffnen(2027, u"Hessen"_s);
    QString gefragt;
    int gefragtesJahr = 0;
    m_dialog.setFerienQuelle([&](const QString &land, int jahr) {
        gefragt = land;
        gefragtesJahr = jahr;
        FerienVorschlag v;
        v.perioden[int(Ferien::Weihnachten1)] = { u"01.01."_s, u"09.01."_s };
        v.perioden[int(Ferien::Sommer)] = { u"28.06."_s, u"06.08."_s };
        v.vorlaeufig[int(Ferien::Sommer)] = true;
        v.ausgelassen = QStringList { u"16.05.2027 bis 16.05.2027 (Einzelner Ferientag)"_s };
        return v;
    });
    const QByteArray vorher = content();
    m_dialog.ferienUebernehmenKnopf()->click();
    EXPECT_EQ(gefragt, u"Hessen"_s);
    EXPECT_EQ(gefragtesJahr, 2027);
    EXPECT_EQ(content(), vorher);
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Sommer, 0)->displayText(), u"28.06"_s);
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Weihnachten1, 1)->displayText(), u"09.01"_s);
    // A period the state does not have is unset, also where a date stood before.
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Zusatz, 0)->displayText(), u"00.00"_s);
    EXPECT_EQ(
        m_dialog.ferienHinweis(Ferien::Sommer)->text(), u"vorläufige Termine – bitte prüfen"_s);
    EXPECT_FALSE(m_dialog.ferienHinweis(Ferien::Sommer)->isHidden());
    EXPECT_TRUE(m_dialog.ferienHinweis(Ferien::Winter)->isHidden());
    // What found no free row is named, so the user can enter it.
    EXPECT_EQ(m_ui->messages(),
        QStringList { u"Für diese Ferientage war keine Zeile mehr frei; bitte bei Bedarf selbst "
                      "eintragen:\r\n16.05.2027 bis 16.05.2027 (Einzelner Ferientag)"_s });

    m_dialog.speichernKnopf()->click();
    IniFile ini(pfad());
    EXPECT_EQ(ini.readString(sectionFerien(), u"SommerEnde"_s, QString()), u"06.08."_s);
    EXPECT_EQ(ini.readString(sectionFerien(), u"ZusatzBeginn"_s, QString()), u"00.00."_s);
}

TEST_F(EinstellungsDialogTest, AStateWithoutDataLeavesTheRowsAndSaysSo)
{
    writeAll(pfad(), "[Ferien]\r\nSommerBeginn=01.07.\r\nSommerEnde=10.08.\r\n");
    oeffnen(2040, u"Bayern"_s);
    m_dialog.setFerienQuelle([](const QString &, int) {
        FerienVorschlag v;
        v.fehlt = u"Für Bayern liegen keine Schulferien für 2040 vor."_s;
        return v;
    });
    m_dialog.ferienUebernehmenKnopf()->click();
    EXPECT_EQ(
        m_ui->messages(), QStringList { u"Für Bayern liegen keine Schulferien für 2040 vor."_s });
    EXPECT_EQ(m_dialog.datumsFeld(Ferien::Sommer, 0)->displayText(), u"01.07"_s);
}

TEST_F(EinstellungsDialogTest, FerienNachsehenShowsTheChosenPage)
{
    writeAll(pfad(), "[User]\r\n");
    const QString seite = m_dir.file(u"Hessen.htm"_s);
    writeAll(seite, "<html><body><h1>Schulferien Hessen</h1></body></html>");
    oeffnen();
    m_ui->answerFile(seite);
    m_dialog.ferienNachsehenKnopf()->click();
    EXPECT_EQ(m_dialog.browser()->source(), QUrl::fromLocalFile(seite));
    EXPECT_TRUE(m_dialog.browser()->toPlainText().contains(u"Schulferien Hessen"_s));
}

} // namespace
