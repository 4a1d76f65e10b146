#include "ShellTestUtil.h"

#include "caldata/KalenderAnlage.h"
#include "caldata/TForm2.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "storage/Table.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using namespace kb;

namespace {

class TForm2Test : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        einstellungenAnlegen();
        TForm1::Optionen o;
        o.heute = QDate(2024, 3, 14);
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        return f;
    }
    static void klick(QPushButton *b)
    {
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    // Fills step 1 and moves on to step 2.
    static void schritt1(TForm2 &w)
    {
        EXPECT_EQ(w.schritt(), 1);
        w.nameFeld()->setText(QStringLiteral("Muster"));
        w.vornameFeld()->setText(QStringLiteral("Max"));
        w.landFeld()->setCurrentIndex(1);
        klick(w.rechterButton(1));
        EXPECT_EQ(w.schritt(), 2);
    }
};

TEST_F(TForm2Test, FromStepOneToAnOpenCalendar)
{
    auto f = fenster();
    ui->answerModal(QDialog::Accepted, [&](QWidget *dialog) {
        auto *w = qobject_cast<TForm2 *>(dialog);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Kronoblatt-Assistent"));
        EXPECT_EQ(w->landFeld()->count(), 16);
        EXPECT_EQ(w->landFeld()->maxVisibleItems(), 16);
        EXPECT_TRUE(w->verzeichnisFeld()->isReadOnly());
        EXPECT_EQ(w->jahrFeld()->date(), QDate::currentDate());
        schritt1(*w);

        klick(w->verzeichnisButton());
        EXPECT_EQ(
            QDir::fromNativeSeparators(w->verzeichnisFeld()->text()) + QLatin1Char('/'), daten);
        w->dateiFeld()->setText(QStringLiteral("Familie"));
        // Only the year counts.
        w->jahrFeld()->setDate(QDate(2025, 11, 30));
        klick(w->rechterButton(2));
        ASSERT_EQ(w->schritt(), 3);
        EXPECT_FALSE(w->statusText()->isVisibleTo(w));
        EXPECT_FALSE(w->fortschritt()->isVisibleTo(w));

        klick(w->rechterButton(3));
        EXPECT_EQ(w->result(), QDialog::Accepted);
        EXPECT_EQ(w->fortschritt()->value(), 100);
        EXPECT_EQ(w->statusText()->text(), QStringLiteral("Detailtabelle wird angelegt...."));
    });
    ui->answerDirectory(daten);
    f->leisten()->aktion(Befehlsleisten::Ort::LinkeLeiste, Befehl::Anlegen)->trigger();

    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(ui->messages(), QStringList { fertigMeldung(2025, 365) });
    const KalenderDatei k = KalenderDatei::neu(daten, QStringLiteral("Familie"));
    EXPECT_TRUE(QFile::exists(k.qvkPfad()));
    ASSERT_TRUE(f->sitzung().offen());
    EXPECT_EQ(f->sitzung().jahr().filePath(), k.jahrPfad());
    EXPECT_EQ(f->sitzung().jahr().asString(QStringLiteral("BLand")), QStringLiteral("Bayern"));
    EXPECT_EQ(f->windowTitle(), kalenderFensterTitel(k.qvkPfad()));
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Kalender);
    EXPECT_EQ(f->kalenderPanel()->caption(), QStringLiteral("Kalender angelegt für das Jahr 2025"));
    // New day records are refused again.
    ui->clear();
    EXPECT_FALSE(f->sitzung().jahr().insert());
    EXPECT_EQ(ui->messages(), QStringList { keineNeuenDatensaetze() });
}

TEST_F(TForm2Test, ATypedStateTextKeepsTheStateOfTheCalendarMadeBefore)
{
    auto f = fenster();
    // Sachsen first, then a text that names no state: its holidays are Sachsen's (Buß- und
    // Bettag), and the text is stored as typed.
    const struct {
        const char *datei;
        const char *land;
    } laeufe[] = { { "Erster", "Sachsen" }, { "Zweiter", "Sachsen (getippt)" } };
    for (const auto &lauf : laeufe) {
        ui->answerModal(QDialog::Accepted, [&](QWidget *dialog) {
            auto *w = qobject_cast<TForm2 *>(dialog);
            ASSERT_NE(w, nullptr);
            w->landFeld()->setEditText(QString::fromUtf8(lauf.land));
            klick(w->rechterButton(1));
            w->verzeichnisFeld()->setText(daten);
            w->dateiFeld()->setText(QString::fromUtf8(lauf.datei));
            w->jahrFeld()->setDate(QDate(2025, 1, 1));
            klick(w->rechterButton(2));
            klick(w->rechterButton(3));
            EXPECT_EQ(w->result(), QDialog::Accepted);
        });
        f->leisten()->aktion(Befehlsleisten::Ort::LinkeLeiste, Befehl::Anlegen)->trigger();
        ASSERT_TRUE(ui->scriptDone()) << lauf.datei;
        ASSERT_TRUE(f->sitzung().offen()) << lauf.datei;
        Table &jahr = f->sitzung().jahr();
        EXPECT_EQ(jahr.asString(QStringLiteral("BLand")), QString::fromUtf8(lauf.land));
        ASSERT_TRUE(jahr.locate(QStringLiteral("Datum"), QDate(2025, 11, 19)));
        EXPECT_EQ(jahr.asString(QStringLiteral("Text")), QStringLiteral("Buß- und Bettag"))
            << lauf.datei;
    }
}

TEST_F(TForm2Test, StepTwoNeedsDirectoryAndFileName)
{
    TForm2 w;
    schritt1(w);
    klick(w.rechterButton(2));
    EXPECT_EQ(w.schritt(), 2);
    ui->answerDirectory(daten);
    klick(w.verzeichnisButton());
    klick(w.rechterButton(2));
    EXPECT_EQ(w.schritt(), 2);
    w.dateiFeld()->setText(QStringLiteral("a:b"));
    klick(w.rechterButton(2));
    EXPECT_EQ(w.schritt(), 2);
    ASSERT_EQ(ui->messages().size(), 3);
    EXPECT_EQ(ui->messages()[0], QStringLiteral("Sie müssen einen Verzeichnispfad auswählen !"));
    EXPECT_EQ(ui->messages()[1], QStringLiteral("Sie müssen einen Dateinamen eingeben !"));
    EXPECT_TRUE(ui->messages()[2].contains(QStringLiteral("nicht erlaubt")));

    // Back and forth keeps the entries; "Abbrechen" closes without a calendar.
    klick(w.linkerButton(2));
    EXPECT_EQ(w.schritt(), 1);
    EXPECT_EQ(w.nameFeld()->text(), QStringLiteral("Muster"));
    klick(w.linkerButton(1));
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_TRUE(QDir(daten).entryList(QDir::Files).isEmpty());
}

// Enter goes on as the right button does, wherever the focus is, and on the last step makes
// the calendar.
TEST_F(TForm2Test, EnterGoesToTheNextStepAndFinishesOnTheLast)
{
    TForm2 w;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.nameFeld()->setText(QStringLiteral("Muster"));
    w.vornameFeld()->setText(QStringLiteral("Max"));
    w.nameFeld()->setFocus();
    QTest::keyClick(w.nameFeld(), Qt::Key_Return);
    ASSERT_EQ(w.schritt(), 2);

    // Step 2 still checks its entries before it lets Enter go on.
    w.dateiFeld()->setFocus();
    QTest::keyClick(w.dateiFeld(), Qt::Key_Return);
    EXPECT_EQ(w.schritt(), 2);
    EXPECT_EQ(ui->messages(),
        QStringList { QStringLiteral("Sie müssen einen Verzeichnispfad auswählen !") });
    ui->answerDirectory(daten);
    klick(w.verzeichnisButton());
    w.dateiFeld()->setText(QStringLiteral("Eingabetaste"));
    w.jahrFeld()->setDate(QDate(2025, 6, 1));
    // The focus on "..." or "Zurück" does not catch Enter.
    QTest::keyClick(w.verzeichnisButton(), Qt::Key_Return);
    ASSERT_EQ(w.schritt(), 3);
    QTest::keyClick(w.linkerButton(3), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(KalenderDatei::neu(daten, QStringLiteral("Eingabetaste")).qvkPfad()));
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm2Test, AnExistingCalendarIsRefusedAndTheShownOneStaysOpen)
{
    auto f = fenster();
    const KalenderDatei vorhanden = kalender(QStringLiteral("Familie"), 2024);
    ui->answerFile(vorhanden.qvkPfad());
    f->leisten()->aktion(Befehlsleisten::Ort::Menue, Befehl::Oeffnen)->trigger();
    ASSERT_TRUE(f->sitzung().offen());
    const QByteArray vorher = test::readAll(vorhanden.jahrPfad());

    ui->answerModal(QDialog::Rejected, [&](QWidget *dialog) {
        auto *w = qobject_cast<TForm2 *>(dialog);
        schritt1(*w);
        klick(w->verzeichnisButton());
        w->dateiFeld()->setText(QStringLiteral("FAMILIE"));
        klick(w->rechterButton(2));
        EXPECT_FALSE(w->fertigstellen());
        EXPECT_EQ(w->schritt(), 3); // the wizard stays for another name
        EXPECT_FALSE(w->fortschritt()->isVisibleTo(w));
    });
    ui->answerDirectory(daten);
    f->leisten()->aktion(Befehlsleisten::Ort::Navigation, Befehl::NavNeu)->trigger();

    EXPECT_EQ(ui->messages(), QStringList { QStringLiteral("Tabelle existiert bereits!") });
    EXPECT_TRUE(f->sitzung().offen());
    EXPECT_EQ(f->sitzung().jahr().filePath(), vorhanden.jahrPfad());
    EXPECT_EQ(test::readAll(vorhanden.jahrPfad()), vorher);
    EXPECT_FALSE(f->sitzung().jahr().insert());
}

} // namespace
