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

using namespace kb;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

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
    QString einstellungen() const { return home.file(s("Kalvalues.ini")); }
};

// The calendar tool bar's "Einstellungen" fills the dialog from the settings file, checks the
// periods with the open calendar's year, takes over the school holidays of its state and
// year, and refreshes the run-time copy when it saved.
TEST_F(TForm1EinstellungenTest, EinstellungenEditsTheSettingsOfTheOpenCalendarsYearAndState)
{
    einstellungenAnlegen("[User]\r\nFirma=Test\r\n[Ferien]\r\nWinterBeginn=01.02.\r\n"
                         "WinterEnde=05.02.\r\n");
    ASSERT_TRUE(
        QFile::copy(s(KB_SOURCE_DIR "/data/schulferien.csv"), home.file(s("schulferien.csv"))));
    auto f = fenster();
    oeffnen(*f, kalender(s("Test"), 2027)); // Baden-Württemberg
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
        d->textFeld(EinstText::Firma)->setText(s("Neu"));
        // 29 February does not exist in 2027.
        d->datumsFeld(Ferien::Zusatz2, 0)->setText(s("29.02"));
        d->datumsFeld(Ferien::Zusatz2, 1)->setText(s("01.03"));
        d->speichernKnopf()->click();
        d->datumsFeld(Ferien::Zusatz2, 0)->setText(s("00.00"));
        d->datumsFeld(Ferien::Zusatz2, 1)->setText(s("00.00"));
        d->speichernKnopf()->click();
    });
    aktion(*f, Befehl::Einstellungen)->trigger();
    EXPECT_EQ(firma, s("Test"));
    EXPECT_EQ(weihnachtenEnde, s("09.01"));
    EXPECT_EQ(winterBeginn, s("00.00")); // no winter holidays in Baden-Württemberg
    EXPECT_EQ(osterHinweis, vorlaeufigeTermine());
    EXPECT_EQ(zusatz, s("25.03"));
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].startsWith(s("29.02.2027 bis 01.03.2027 ist keine")));
    const IniFile ini(einstellungen());
    EXPECT_EQ(ini.readString(sectionUser(), s("Firma"), QString()), s("Neu"));
    EXPECT_EQ(ini.readString(sectionFerien(), s("Weihnachten1Ende"), QString()), s("09.01."));
    EXPECT_EQ(ini.readString(sectionFerien(), s("WinterEnde"), QString()), s("00.00."));
    EXPECT_EQ(f->sitzung().layout().firma, s("Neu"));
    EXPECT_EQ(f->sitzung().layout().periode(Ferien::Weihnachten1).ende, s("09.01."));
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm1EinstellungenTest, SeiteneinstellungenWritesTheMarginsOnlyWhenSaved)
{
    einstellungenAnlegen("[User]\r\nKBLeft=6\r\n");
    auto f = fenster();
    oeffnen(*f, kalender(s("Test"), 2027));
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
    EXPECT_EQ(ini.readInteger(sectionUser(), s("MonatTOP"), 0), 25);
    EXPECT_EQ(ini.readInteger(sectionUser(), s("KBLeft"), 0), 6);
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
    oeffnen(*f, kalender(s("Test"), 2027));
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *d = qobject_cast<TKalenderEinstForm *>(w);
        ASSERT_NE(d, nullptr);
        d->textFeld(EinstText::Kopftext)->setText(s("Jahresplan"));
        d->speichernKnopf()->click();
    });
    aktion(*f, Befehl::Einstellungen)->trigger();
    const IniFile ini(einstellungen());
    EXPECT_EQ(ini.readString(sectionUser(), s("Kopftext"), QString()), s("Jahresplan"));
    EXPECT_EQ(f->sitzung().layout().kopftext, s("Jahresplan"));
}

} // namespace
