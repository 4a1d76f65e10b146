#include "ShellTestUtil.h"

#include "caldata/Schulferien.h"
#include "platform/ProgramDir.h"
#include "settings/IniFile.h"
#include "settings/TKalenderEinstForm.h"
#include "settings/TReportMarginForm.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

using namespace kb;

namespace {

class TForm1EinstellungenTest : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        TForm1::Optionen o;
        o.heute = QDate(2027, 3, 14);
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        return f;
    }
    void oeffnen(TForm1 &f, const KalenderDatei &k)
    {
        ui->answerFile(k.qvkPfad());
        f.ausfuehren(Befehl::Oeffnen);
        ASSERT_TRUE(f.sitzung().offen());
    }
    static QAction *aktion(TForm1 &f, Befehl b)
    {
        QAction *a = f.kalenderPanel()->aktion(b);
        EXPECT_NE(a, nullptr);
        EXPECT_TRUE(a && a->isEnabled());
        return a;
    }
    QString einstellungen() const { return home.file(u"Kalvalues.ini"_s); }
};

// The calendar tool bar's "Einstellungen" fills the dialog from the settings file, checks the
// periods with the open calendar's year, takes over the school holidays of its state and
// year, and refreshes the run-time copy when it saved.
TEST_F(TForm1EinstellungenTest, EinstellungenEditsTheSettingsOfTheOpenCalendarsYearAndState)
{
    einstellungenAnlegen("[User]\r\nFirma=Test\r\n[Ferien]\r\nWinterBeginn=01.02.\r\n"
                         "WinterEnde=05.02.\r\n");
    ASSERT_TRUE(QFile::copy(
        QStringLiteral(KB_SOURCE_DIR "/data/schulferien.csv"), home.file(u"schulferien.csv"_s)));
    auto f = fenster();
    oeffnen(*f, kalender(u"Test"_s, 2027)); // Baden-Württemberg
    ui->clear();

    QString firma, weihnachtenEnde, winterBeginn, osterHinweis, zusatz;
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *d = qobject_cast<TKalenderEinstForm *>(w);
        ASSERT_NE(d, nullptr);
        ASSERT_EQ(d, f->einstellungsDialog());
        firma = d->textFeld(EinstText::Firma)->text();
        // Christmas 2026/27 of Baden-Württemberg ends on 9 January 2027.
        d->ferienUebernehmenKnopf()->click();
        weihnachtenEnde = d->datumsFeld(Ferien::Weihnachten1, 1)->displayText();
        winterBeginn = d->datumsFeld(Ferien::Winter, 0)->displayText();
        // The Easter dates of 2027 are disputed; Maundy Thursday is a single free day.
        osterHinweis = d->ferienHinweis(Ferien::Ostern)->text();
        zusatz = d->datumsFeld(Ferien::Zusatz, 0)->displayText();
        d->textFeld(EinstText::Firma)->setText(u"Neu"_s);
        // 29 February does not exist in 2027.
        d->datumsFeld(Ferien::Zusatz2, 0)->setText(u"29.02"_s);
        d->datumsFeld(Ferien::Zusatz2, 1)->setText(u"01.03"_s);
        d->speichernKnopf()->click();
        d->datumsFeld(Ferien::Zusatz2, 0)->setText(u"00.00"_s);
        d->datumsFeld(Ferien::Zusatz2, 1)->setText(u"00.00"_s);
        d->speichernKnopf()->click();
    });
    aktion(*f, Befehl::Einstellungen)->trigger();
    EXPECT_EQ(firma, u"Test"_s);
    EXPECT_EQ(weihnachtenEnde, u"09.01"_s);
    EXPECT_EQ(winterBeginn, u"00.00"_s); // no winter holidays in Baden-Württemberg
    EXPECT_EQ(osterHinweis, vorlaeufigeTermine());
    EXPECT_EQ(zusatz, u"25.03"_s);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].startsWith(u"29.02.2027 bis 01.03.2027 ist keine"_s));
    const IniFile ini(einstellungen());
    EXPECT_EQ(ini.readString(sectionUser(), u"Firma"_s, QString()), u"Neu"_s);
    EXPECT_EQ(ini.readString(sectionFerien(), u"Weihnachten1Ende"_s, QString()), u"09.01."_s);
    EXPECT_EQ(ini.readString(sectionFerien(), u"WinterEnde"_s, QString()), u"00.00."_s);
    EXPECT_EQ(f->sitzung().layout().firma, u"Neu"_s);
    EXPECT_EQ(f->sitzung().layout().periode(Ferien::Weihnachten1).ende, u"09.01."_s);
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm1EinstellungenTest, SeiteneinstellungenWritesTheMarginsOnlyWhenSaved)
{
    einstellungenAnlegen("[User]\r\nKBLeft=6\r\n");
    auto f = fenster();
    oeffnen(*f, kalender(u"Test"_s, 2027));
    const QByteArray vorher = test::readAll(einstellungen());

    ui->answerModal(QDialog::Rejected, [&](QWidget *w) {
        auto *d = qobject_cast<TReportMarginForm *>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(
            d->feld(TReportMarginForm::Gruppe::Jahr, TReportMarginForm::Seite::Links)->value(), 6);
        d->abbrechenKnopf()->click();
    });
    aktion(*f, Befehl::Seiteneinstellungen)->trigger();
    EXPECT_EQ(test::readAll(einstellungen()), vorher);

    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *d = qobject_cast<TReportMarginForm *>(w);
        ASSERT_NE(d, nullptr);
        d->feld(TReportMarginForm::Gruppe::Monat, TReportMarginForm::Seite::Oben)->setValue(25);
        d->speichernKnopf()->click();
    });
    aktion(*f, Befehl::Seiteneinstellungen)->trigger();
    const IniFile ini(einstellungen());
    EXPECT_EQ(ini.readInteger(sectionUser(), u"MonatTOP"_s, 0), 25);
    EXPECT_EQ(ini.readInteger(sectionUser(), u"KBLeft"_s, 0), 6);
    EXPECT_EQ(readMonthLayoutMargins(ini).top, 25);
}

// The dialog's note and the school-holiday table's word for unconfirmed dates are one text.
TEST(FerienHinweis, TheDialogNamesUnconfirmedDatesAsTheTableDoes)
{
    EXPECT_EQ(ferienVorlaeufigHinweis(), vorlaeufigeTermine());
}

// Without a settings file at start-up the first save makes one.
TEST_F(TForm1EinstellungenTest, AMissingSettingsFileIsMadeByTheFirstSave)
{
    auto f = fenster();
    ASSERT_EQ(ui->messages().size(), 1); // "Datei ... nicht vorhanden!"
    oeffnen(*f, kalender(u"Test"_s, 2027));
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *d = qobject_cast<TKalenderEinstForm *>(w);
        ASSERT_NE(d, nullptr);
        d->textFeld(EinstText::Kopftext)->setText(u"Jahresplan"_s);
        d->speichernKnopf()->click();
    });
    aktion(*f, Befehl::Einstellungen)->trigger();
    const IniFile ini(einstellungen());
    EXPECT_EQ(ini.readString(sectionUser(), u"Kopftext"_s, QString()), u"Jahresplan"_s);
    EXPECT_EQ(f->sitzung().layout().kopftext, u"Jahresplan"_s);
}

} // namespace
