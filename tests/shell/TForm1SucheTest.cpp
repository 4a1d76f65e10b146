// Bearbeiten → Suchen… and Datei → Sicherung wiederherstellen… in the main window.
#include "ShellTestUtil.h"

#include "caldata/Sicherungen.h"
#include "platform/ProgramDir.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "shell/TSicherungForm.h"
#include "shell/TSuchForm.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

using namespace kb;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

void schreiben(const KalenderDatei &k, const QDate &datum, const QString &text)
{
    Table t;
    t.setFilePath(k.jahrPfad());
    t.open();
    ASSERT_TRUE(t.locate(s("Datum"), datum));
    t.setValue(s("Text"), text);
    t.post();
}

class TForm1SucheTest : public test::ShellTest {
protected:
    void SetUp() override
    {
        test::ShellTest::SetUp();
        QDir().mkpath(ProgramDir::calendarDataDir());
        a = kalender(s("A"), 2024, ProgramDir::calendarDataDir());
        b = kalender(s("B"), 2025, ProgramDir::calendarDataDir());
        schreiben(a, QDate(2024, 4, 8), s("Termin beim Zahnarzt"));
        schreiben(b, QDate(2025, 4, 7), s("Zahnärztin"));
        einstellungenAnlegen();
        TForm1::Optionen o;
        o.heute = QDate(2024, 3, 14);
        f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        ui->answerFile(a.qvkPfad());
        f->ausfuehren(Befehl::Oeffnen);
    }

    QStringList zeile(int row) const
    {
        QStringList z;
        for (int c = 0; c < 4; ++c)
            z.append(f->suchFenster()->treffer()->index(row, c).data().toString());
        return z;
    }

    KalenderDatei a, b;
    std::unique_ptr<TForm1> f;
};

} // namespace

TEST_F(TForm1SucheTest, SuchtImOffenenKalenderUndEnterZeigtDenTag)
{
    ASSERT_TRUE(f->sitzung().offen());
    f->ausfuehren(Befehl::Suchen);
    TSuchForm *suche = f->suchFenster();
    ASSERT_NE(suche, nullptr);
    EXPECT_TRUE(suche->isVisible());
    QTest::keyClicks(suche->begriff(), s("ZAHNA"));
    QTest::keyClick(suche->begriff(), Qt::Key_Return);
    ASSERT_EQ(suche->treffer()->rowCount(), 1);
    EXPECT_EQ(zeile(0),
        (QStringList { s("08.04.2024"), s("Montag"), s("A.QVK"), s("Termin beim Zahnarzt") }));
    EXPECT_EQ(suche->hinweis()->text(), s("1 Tage gefunden."));

    suche->liste()->setCurrentIndex(suche->treffer()->index(0, 0));
    QTest::keyClick(suche->liste(), Qt::Key_Return);
    EXPECT_EQ(f->sitzung().monat(), 4);
    EXPECT_EQ(f->sitzung().jahr().asDate(s("Datum")), QDate(2024, 4, 8));
    EXPECT_TRUE(ui->scriptDone());
}

// Every calendar of the calendar data directory, the newest year first; a day of another
// calendar opens that calendar.
TEST_F(TForm1SucheTest, InAllenKalendernOeffnetDenKalenderDesTages)
{
    f->ausfuehren(Befehl::Suchen);
    TSuchForm *suche = f->suchFenster();
    suche->alleKalender()->setChecked(true);
    suche->begriff()->setText(s("zahnaerzt"));
    suche->suchen();
    ASSERT_EQ(suche->treffer()->rowCount(), 1);
    EXPECT_EQ(
        zeile(0), (QStringList { s("07.04.2025"), s("Montag"), s("B.QVK"), s("Zahnärztin") }));

    suche->begriff()->setText(s("zahn"));
    suche->suchen();
    ASSERT_EQ(suche->treffer()->rowCount(), 2);
    EXPECT_EQ(zeile(0).at(2), s("B.QVK"));
    EXPECT_EQ(zeile(1).at(2), s("A.QVK"));
    Q_EMIT suche->liste()->activated(suche->treffer()->index(0, 3));
    EXPECT_EQ(f->sitzung().dateien().qvkPfad(), b.qvkPfad());
    EXPECT_EQ(f->sitzung().jahr().asDate(s("Datum")), QDate(2025, 4, 7));
    EXPECT_TRUE(ui->scriptDone());
}

// The first save after opening copies the calendar; the copy comes back over a later change.
TEST_F(TForm1SucheTest, SicherungWiederherstellenHoltDenStandZurueck)
{
    Table &jahr = f->sitzung().jahr();
    ASSERT_TRUE(jahr.locate(s("Datum"), QDate(2024, 4, 8)));
    jahr.setValue(s("Text"), s("aus Versehen geändert"));
    jahr.post();
    const QList<Sicherungskopie> kopien = Sicherungen::liste(a);
    ASSERT_EQ(kopien.size(), 1);

    ui->answerModal(QDialog::Accepted, [](QWidget *dialog) {
        auto *form = qobject_cast<TSicherungForm *>(dialog);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->liste()->topLevelItemCount(), 1);
        EXPECT_TRUE(form->wiederherstellenKnopf()->isEnabled());
    });
    f->ausfuehren(Befehl::SicherungWiederherstellen);
    EXPECT_EQ(ui->messages(),
        QStringList { s("Der Stand vom %1 ist wiederhergestellt.")
                          .arg(kopien.first().zeit.toString(s("dd.MM.yyyy, HH:mm:ss"))) });
    ASSERT_TRUE(f->sitzung().offen());
    ASSERT_TRUE(f->sitzung().jahr().locate(s("Datum"), QDate(2024, 4, 8)));
    EXPECT_EQ(f->sitzung().jahr().asString(s("Text")), s("Termin beim Zahnarzt"));
    // The changed state was copied before it was replaced.
    EXPECT_EQ(Sicherungen::liste(a).size(), 2);
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(TForm1SucheTest, AbbrechenLaesstDenKalender)
{
    Table &jahr = f->sitzung().jahr();
    ASSERT_TRUE(jahr.locate(s("Datum"), QDate(2024, 4, 8)));
    jahr.setValue(s("Text"), s("bleibt"));
    jahr.post();
    ui->answerModal(QDialog::Rejected);
    f->ausfuehren(Befehl::SicherungWiederherstellen);
    EXPECT_TRUE(ui->messages().isEmpty());
    ASSERT_TRUE(f->sitzung().jahr().locate(s("Datum"), QDate(2024, 4, 8)));
    EXPECT_EQ(f->sitzung().jahr().asString(s("Text")), s("bleibt"));
    EXPECT_TRUE(ui->scriptDone());
}
