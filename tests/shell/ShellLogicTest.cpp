#include "ShellTestUtil.h"

#include "platform/Error.h"
#include "shell/Arbeitsflaeche.h"
#include "shell/Befehle.h"
#include "shell/Startablauf.h"
#include "shell/Startfenster.h"
#include "shell/TKBForm.h"

#include <QFile>
#include <QImage>
#include <QUrl>

using namespace kb;

namespace {

struct AktivFall {
    const char *was;
    Befehl befehl;
    bool kalenderOffen;
    bool linkeLeiste;
    bool aktiv;
};

TEST(Befehle, WhichControlsAreEnabled)
{
    const AktivFall faelle[] = {
        { "left Schliessen without calendar", Befehl::Schliessen, false, true, false },
        { "left Schliessen with calendar", Befehl::Schliessen, true, true, true },
        { "left Passwort without calendar", Befehl::Passwort, false, true, false },
        { "left Passwort with calendar", Befehl::Passwort, true, true, true },
        { "menu Passwort says there is no calendar", Befehl::Passwort, false, false, true },
        { "menu Schliessen", Befehl::Schliessen, false, false, true },
        { "left Anlegen", Befehl::Anlegen, false, true, true },
        { "left Beenden", Befehl::Beenden, false, true, true },
        { "navigation print says there is no calendar", Befehl::NavKronoblattDrucken, false, false,
            true },
        { "organizer", Befehl::NavOrganizer, true, false, true },
        { "month pictures and texts", Befehl::NavBilderTexte, true, false, true },
        { "report management", Befehl::NavDesigner, true, false, true },
        { "report management without calendar", Befehl::NavDesigner, false, false, true },
        { "personal dates", Befehl::NavStammOeffnen, false, false, true },
        { "day navigator", Befehl::TagNaechster, true, false, true },
        { "Feldgrösse anpassen", Befehl::Feldgroesse, true, false, true },
        { "week calendar", Befehl::Wochenkalender, true, false, true },
        { "month calendars", Befehl::Monatskalender, true, false, true },
        { "diary pages", Befehl::Tagebuch, true, false, true },
        { "settings dialog", Befehl::Einstellungen, true, false, true },
        { "margin dialog", Befehl::Seiteneinstellungen, true, false, true },
        { "year calendar entries", Befehl::JahreskalenderDrucken, true, false, true },
    };
    for (const AktivFall &f : faelle)
        EXPECT_EQ(befehlAktiv(f.befehl, f.kalenderOffen, f.linkeLeiste), f.aktiv) << f.was;
}

TEST(Befehle, EveryPrintEntryNamesItsLayout)
{
    const auto &drucken = navigationsGruppen()[int(NavGruppenIndex::KronoblattDrucken)];
    ASSERT_EQ(drucken.eintraege.size(), 6);
    ASSERT_EQ(jahreskalenderMenue().size(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(drucken.eintraege[i].variante, i);
        EXPECT_EQ(jahreskalenderMenue()[i].variante, i);
    }
    EXPECT_EQ(
        jahreskalenderMenue()[0].text, QStringLiteral("Kronoblatt     1 Seite    /  12 Spalten"));
    EXPECT_EQ(drucken.eintraege[5].text, QStringLiteral("12 Seiten 1 Spalte"));
}

struct PanelFall {
    const char *was;
    NavGruppenIndex gruppe;
    bool offen;
    Panel vorher;
    Panel nachher;
};

TEST(Arbeitsflaeche, PanelAfterChangingTheNavigationGroup)
{
    const PanelFall faelle[] = {
        { "Kalender shows the calendar", NavGruppenIndex::Kalender, true, Panel::Keins,
            Panel::Kalender },
        { "Kalender replaces the month pictures", NavGruppenIndex::Kalender, true, Panel::Bilder,
            Panel::Kalender },
        { "no calendar: nothing changes", NavGruppenIndex::Kalender, false, Panel::Keins,
            Panel::Keins },
        { "printing shows the calendar", NavGruppenIndex::KronoblattDrucken, true, Panel::Bilder,
            Panel::Kalender },
        { "organizer group keeps the month pictures", NavGruppenIndex::OrganizerBilderTexte, true,
            Panel::Bilder, Panel::Bilder },
        { "organizer group shows the organizer", NavGruppenIndex::OrganizerBilderTexte, true,
            Panel::Kalender, Panel::Organizer },
        { "organizer group without a calendar changes nothing",
            NavGruppenIndex::OrganizerBilderTexte, false, Panel::Keins, Panel::Keins },
        { "master data changes nothing", NavGruppenIndex::Stammdaten, true, Panel::Kalender,
            Panel::Kalender },
    };
    for (const PanelFall &f : faelle)
        EXPECT_EQ(panelNachGruppenwechsel(f.gruppe, f.offen, f.vorher), f.nachher) << f.was;
}

TEST(Startablauf, CalendarGivenOnTheCommandLine)
{
    const struct {
        QStringList args;
        QString kalender;
    } faelle[] = {
        { { QStringLiteral("kronoblatt") }, QString() },
        { { QStringLiteral("kronoblatt"), QStringLiteral("/home/u/Test.QVK") },
            QStringLiteral("/home/u/Test.QVK") },
        { { QStringLiteral("kronoblatt"), QStringLiteral("-style"),
              QStringLiteral("Ordner/a.qvk") },
            QStringLiteral("Ordner/a.qvk") },
        { { QStringLiteral("kronoblatt"), QStringLiteral("file:///home/u/Mein%20Jahr.QVK") },
            QStringLiteral("/home/u/Mein Jahr.QVK") },
    };
    for (const auto &f : faelle)
        EXPECT_EQ(kalenderArgument(f.args), f.kalender)
            << f.args.join(QLatin1Char(' ')).toStdString();
}

TEST(Startablauf, FormFileGivenOnTheCommandLine)
{
    const struct {
        QStringList args;
        QString kalender, formular;
    } faelle[] = {
        { { QStringLiteral("kronoblatt"), QStringLiteral("/h/Jahr.qvf") }, QString(),
            QStringLiteral("/h/Jahr.qvf") },
        { { QStringLiteral("kronoblatt"), QStringLiteral("/h/K.QVK"), QStringLiteral("/h/F.QVF") },
            QStringLiteral("/h/K.QVK"), QStringLiteral("/h/F.QVF") },
        { { QStringLiteral("kronoblatt"), QStringLiteral("file:///h/Mein%20Plan.qvf"),
              QStringLiteral("/h/K.qvk") },
            QStringLiteral("/h/K.qvk"), QStringLiteral("/h/Mein Plan.qvf") },
        { { QStringLiteral("kronoblatt"), QStringLiteral("a.qvf"), QStringLiteral("b.qvf") },
            QString(), QStringLiteral("a.qvf") },
    };
    for (const auto &f : faelle) {
        const StartDateien d = startDateien(f.args);
        EXPECT_EQ(d.kalender, f.kalender) << f.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(d.formular, f.formular) << f.args.join(QLatin1Char(' ')).toStdString();
    }
}

TEST(Startablauf, AFailingStepIsShownAndTheNextOneRuns)
{
    test::ScopedScriptedUi ui;
    QStringList gelaufen;
    schritteAusfuehren({
        [&] { gelaufen << QStringLiteral("1"); },
        [&] {
            gelaufen << QStringLiteral("2");
            throw Error(QStringLiteral("Das Bild „KBLogo.bmp“ kann nicht geladen werden."));
        },
        [&] { gelaufen << QStringLiteral("3"); },
    });
    EXPECT_EQ(
        gelaufen, (QStringList { QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3") }));
    EXPECT_EQ(ui->messages(),
        QStringList { QStringLiteral("Das Bild „KBLogo.bmp“ kann nicht geladen werden.") });
}

TEST(Startablauf, DatesAndClock)
{
    EXPECT_EQ(kurzesDatum(QDate(2024, 3, 4)), QStringLiteral("04.03.2024"));
    EXPECT_EQ(uhrzeit(QTime(9, 5, 7)), QStringLiteral("09:05:07"));
}

TEST(Startfenster, BlueFallsByOneEachRowAndWrapsAfterRow255)
{
    const struct {
        int y;
        int blau;
    } faelle[] = { { 0, 255 }, { 1, 254 }, { 175, 80 }, { 255, 0 }, { 256, 255 }, { 300, 211 } };
    for (const auto &f : faelle) {
        EXPECT_EQ(startfensterFarbe(f.y), QColor(0, 0, f.blau)) << f.y;
    }
}

TEST(Startfenster, LogoGetsItsBottomLeftColourTransparentAndAMissingOneIsReported)
{
    test::TempDir dir;
    QImage bild(4, 3, QImage::Format_RGB32);
    bild.fill(QColor(0, 0, 200));
    bild.setPixel(1, 1, qRgb(255, 255, 255));
    ASSERT_TRUE(bild.save(dir.file(QStringLiteral("KBLogo.bmp"))));
    const QImage logo = logoLaden(dir.file(QStringLiteral("KBLogo.bmp")));
    EXPECT_EQ(qAlpha(logo.pixel(0, 0)), 0);
    EXPECT_EQ(logo.pixel(1, 1), qRgb(255, 255, 255));

    try {
        logoLaden(dir.file(QStringLiteral("fehlt.bmp")));
        ADD_FAILURE() << "no error for a missing picture";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("fehlt.bmp")));
    }
}

class StartfensterTest : public test::ShellTest { };

TEST_F(StartfensterTest, ShowsTheLogoOnTheBlueGradient)
{
    TKBForm form;
    EXPECT_EQ(form.size(), QSize(274, 176));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kronoblatt"));
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    // Without the picture in the program directory the window says so.
    EXPECT_THROW(form.logoLaden(), Error);

    ASSERT_TRUE(QFile::copy(
        QStringLiteral(KB_SOURCE_DIR "/data/KBLogo.bmp"), home.file(QStringLiteral("KBLogo.bmp"))));
    form.logoLaden();
    const QImage bild = form.grab().toImage();
    EXPECT_EQ(QColor(bild.pixel(200, 0)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(bild.pixel(200, 175)), QColor(0, 0, 80));
    // The logo's background is transparent: the gradient shows at its corner.
    EXPECT_EQ(QColor(bild.pixel(16, 88)), startfensterFarbe(88));
    // Its picture sits at (16, 16), 129 by 73 pixels: the sheet of paper is light.
    EXPECT_GT(QColor(bild.pixel(16 + 14, 16 + 55)).red(), 200);
    EXPECT_EQ(QColor(bild.pixel(150, 60)), startfensterFarbe(60));
}

} // namespace
