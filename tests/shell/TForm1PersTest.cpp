#include "ShellTestUtil.h"

#include "caldata/PersDaten.h"
#include "caldata/PersModell.h"
#include "caldata/TDatenAnlegenF.h"
#include "caldata/TPersForm.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "storage/Datensatzleiste.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace kb;

namespace {

class TForm1PersTest : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        einstellungenAnlegen();
        TForm1::Optionen o;
        o.heute = QDate(2027, 3, 14);
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        f->resize(1366, 740);
        f->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
        return f;
    }

    // Types a personal date into the entry window's grid: a new row from the navigator, then
    // day, month and text through the grid's editors.
    static void eintippen(TPersForm &w, int tag, int monat, const char *text)
    {
        w.navigator()->ausfuehren(NavKnopf::Einfuegen);
        QTableView *g = w.grid();
        const int zeile = w.modell()->aktuelleZeile();
        for (int spalte : { 0, 1, 2 }) {
            const QModelIndex index = g->model()->index(zeile, spalte);
            QWidget *editor = g->itemDelegate()->createEditor(g, QStyleOptionViewItem(), index);
            auto *box = qobject_cast<QComboBox *>(editor);
            ASSERT_TRUE(box);
            if (spalte == 0)
                box->setCurrentIndex(tag - 1);
            else if (spalte == 1)
                box->setCurrentIndex(monat - 1);
            else
                box->setEditText(QString::fromUtf8(text));
            g->itemDelegate()->setModelData(editor, g->model(), index);
            delete editor;
        }
        w.navigator()->ausfuehren(NavKnopf::Speichern);
    }

    QStringList tageMit(TForm1 &f, const QList<QDate> &tage)
    {
        QStringList result;
        Table &jahr = f.sitzung().jahr();
        for (jahr.first(); !jahr.eof(); jahr.next()) {
            const QDate d = jahr.asDate(QStringLiteral("Datum"));
            if (tage.contains(d))
                result.append(d.toString(QStringLiteral("dd.MM. "))
                    + jahr.asString(QStringLiteral("Text")) + QStringLiteral(" (")
                    + QString::number(jahr.asInt(QStringLiteral("Kennung"))) + QLatin1Char(')'));
        }
        return result;
    }
};

// "Stammdaten", "Neu...": the master-data window makes the files in the chosen directory, the
// entry window opens on them, and the dates typed there go into the open calendar, the whole
// year although the grid showed March.
TEST_F(TForm1PersTest, NewPersonalDatesAreTypedAndWrittenIntoTheCalendar)
{
    auto f = fenster();
    ui->answerFile(kalender(u"Test"_s, 2027).qvkPfad());
    f->ausfuehren(Befehl::Oeffnen);
    ASSERT_TRUE(f->sitzung().offen());
    f->sitzung().monatsfilter(3);
    ASSERT_EQ(f->kalenderPanel()->monate()->currentIndex(), 3);

    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *d = qobject_cast<TDatenAnlegenF *>(w);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->windowTitle(), u"Stammdatendatei"_s);
        EXPECT_TRUE(d->verzeichnisFeld()->isReadOnly());
        d->verzeichnisButton()->click();
        EXPECT_EQ(d->verzeichnisFeld()->text(), QDir::toNativeSeparators(daten.chopped(1)));
        d->dateiFeld()->setText(u"1Familie"_s);
        d->anlegenButton()->click();
        EXPECT_NE(d->result(), int(QDialog::Accepted));
        d->dateiFeld()->setText(u"Familie"_s);
        d->nameFeld()->setText(u"Müller"_s);
        d->anlegenButton()->click();
        EXPECT_EQ(d->result(), int(QDialog::Accepted));
    });
    ui->answerDirectory(daten);
    ui->answerModal(QDialog::Accepted, [&](QWidget *w) {
        auto *p = qobject_cast<TPersForm *>(w);
        ASSERT_TRUE(p);
        EXPECT_EQ(p->windowTitle(), u"persönliche Stammdaten eingeben...."_s);
        EXPECT_EQ(p->hinweis()->text(),
            u"geben Sie hier den Tag, Monat und Ihren Text ein,\r\n für die wiederkehrenden "
            "Daten eines Jahres."_s);
        EXPECT_TRUE(f->persDaten().isOpen());
        eintippen(*p, 25, 12, "Geburtstag Oma");
        eintippen(*p, 5, 3, "Krank");
        eintippen(*p, 31, 4, "Urlaub");
        eintippen(*p, 5, 3, "Urlaub");
        eintippen(*p, 10, 11, "Hochzeitstag");
        // Shown in month-then-day order with two-digit days and months.
        QAbstractItemModel *m = p->grid()->model();
        QStringList zeilen;
        for (int r = 0; r < m->rowCount(); ++r)
            zeilen.append(m->index(r, 0).data().toString() + QLatin1Char('.')
                + m->index(r, 1).data().toString() + QLatin1Char(' ')
                + m->index(r, 2).data().toString());
        EXPECT_EQ(zeilen,
            (QStringList { u"05.03 Krank"_s, u"05.03 Urlaub"_s, u"31.04 Urlaub"_s,
                u"10.11 Hochzeitstag"_s, u"25.12 Geburtstag Oma"_s }));
        EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), u"Tag"_s);
        EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), u"Monat"_s);
        p->uebernehmenButton()->click();
        EXPECT_EQ(p->result(), int(QDialog::Accepted));
    });
    f->ausfuehren(Befehl::NavStammNeu);
    EXPECT_TRUE(ui->scriptDone());

    EXPECT_EQ(ui->messages(),
        (QStringList { u"Zahlen am Anfang des Dateinamens sind nicht erlaubt !"_s,
            u"Daten wurden in Kalender übernommen !\r\nNicht übernommen: 05.03. Urlaub (zweiter "
            "Eintrag für den Tag); 31.04. Urlaub (gibt es 2027 nicht)"_s }));
    EXPECT_TRUE(QFile::exists(daten + u"Familie.PER"_s));
    EXPECT_FALSE(f->persDaten().isOpen());
    EXPECT_EQ(f->kalenderPanel()->monate()->currentIndex(), 0);
    EXPECT_FALSE(f->sitzung().jahr().filtered());
    EXPECT_EQ(
        tageMit(*f,
            { QDate(2027, 3, 5), QDate(2027, 11, 10), QDate(2027, 12, 25), QDate(2027, 12, 26) }),
        (QStringList { u"05.03. Krank (0)"_s, u"10.11. Hochzeitstag (0)"_s,
            u"25.12. Geburtstag Oma (7)"_s, u"26.12. 2. Weihnachtstag (8)"_s }));
}

// "Stammdaten", "Öffnen": only a .PER or .per file opens; without a calendar the merge says
// so and closes the entry window; a .PER file without its table is reported.
TEST_F(TForm1PersTest, OpeningAPerFileShowsItsDates)
{
    auto f = fenster();
    const PersDatei p = persDatenAnlegen({ daten, u"Familie"_s, {}, {} });
    {
        Table t;
        t.setFilePath(p.tabellenPfad());
        t.open();
        t.append();
        t.setInt(QStringLiteral("FracTag"), 1);
        t.setInt(QStringLiteral("FracMonat"), 5);
        t.setString(QStringLiteral("Text"), u"Maiwanderung"_s);
        t.post();
    }

    ui->answerFile(daten + u"Familie.txt"_s);
    f->ausfuehren(Befehl::NavStammOeffnen);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_TRUE(ui->messages().isEmpty());

    ui->answerFile(daten + u"Familie.PER"_s);
    ui->answerModal(QDialog::Rejected, [&](QWidget *w) {
        auto *form = qobject_cast<TPersForm *>(w);
        ASSERT_TRUE(form);
        EXPECT_EQ(form->grid()->model()->rowCount(), 1);
        EXPECT_EQ(form->grid()->model()->index(0, 2).data().toString(), u"Maiwanderung"_s);
        form->uebernehmenButton()->click();
        EXPECT_EQ(form->result(), int(QDialog::Rejected));
    });
    f->ausfuehren(Befehl::NavStammOeffnen);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_EQ(ui->messages(), QStringList { keineDatenZumEintragen() });

    ui->clear();
    QFile::remove(p.tabellenPfad());
    ui->answerFile(daten + u"Familie.PER"_s);
    f->ausfuehren(Befehl::NavStammOeffnen);
    EXPECT_EQ(ui->messages(),
        QStringList {
            u"Die Tabelle „%1“ gibt es nicht."_s.arg(QDir::toNativeSeparators(p.tabellenPfad())) });
    EXPECT_FALSE(f->persDaten().isOpen());
}

// The drop-down lists of the grid: 31 days and 12 months with twelve rows visible, the text
// with its five suggestions and free typing.
TEST_F(TForm1PersTest, TheGridOffersItsDropDownLists)
{
    auto f = fenster();
    const PersDatei p = persDatenAnlegen({ daten, u"Familie"_s, {}, {} });
    ui->answerFile(p.perPfad());
    ui->answerModal(QDialog::Rejected, [&](QWidget *w) {
        auto *form = qobject_cast<TPersForm *>(w);
        ASSERT_TRUE(form);
        form->navigator()->ausfuehren(NavKnopf::Einfuegen);
        QTableView *g = form->grid();
        QStringList inhalt;
        for (int spalte : { 0, 1, 2 }) {
            auto *box = qobject_cast<QComboBox *>(g->itemDelegate()->createEditor(
                g, QStyleOptionViewItem(), g->model()->index(0, spalte)));
            ASSERT_TRUE(box);
            EXPECT_EQ(box->maxVisibleItems(), 12);
            EXPECT_EQ(box->isEditable(), spalte == 2);
            inhalt.append(QString::number(box->count()) + QLatin1Char(' ') + box->itemText(0)
                + QLatin1Char('-') + box->itemText(box->count() - 1));
            delete box;
        }
        EXPECT_EQ(inhalt, (QStringList { u"31 01-31"_s, u"12 01-12"_s, u"5 Urlaub-Todestag"_s }));
        form->navigator()->ausfuehren(NavKnopf::Verwerfen);
    });
    f->ausfuehren(Befehl::NavStammOeffnen);
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_TRUE(ui->messages().isEmpty());
}

// Dates typed as a user types them, with the keyboard into the grid's editors and the
// navigator's buttons clicked: each new date goes into a new row whatever order the list sorts
// them into, and no earlier date changes.
TEST_F(TForm1PersTest, DatesTypedOneAfterAnotherAreAllKept)
{
    const PersDatei p = persDatenAnlegen({ daten, u"Familie"_s, {}, {} });
    Table pers;
    pers.setFilePath(p.tabellenPfad());
    pers.setIndexName(QStringLiteral("SekTagMonat"));
    pers.open();
    Table jahr;
    TPersForm form(&pers, &jahr);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTableView *g = form.grid();

    const auto tippen = [&](int tag, int monat, const char *text) {
        QTest::mouseClick(form.navigator()->knopf(NavKnopf::Einfuegen), Qt::LeftButton);
        QApplication::processEvents();
        for (int spalte : { 0, 1, 2 }) {
            auto *box = qobject_cast<QComboBox *>(QApplication::focusWidget());
            ASSERT_TRUE(box) << "kein Editor in Spalte " << spalte;
            ASSERT_EQ(g->currentIndex().column(), spalte);
            ASSERT_EQ(g->currentIndex().row(), form.modell()->aktuelleZeile());
            if (spalte == 0)
                box->setCurrentIndex(tag - 1);
            else if (spalte == 1)
                box->setCurrentIndex(monat - 1);
            else
                QTest::keyClicks(box, QString::fromUtf8(text));
            QTest::keyClick(box, spalte == 2 ? Qt::Key_Return : Qt::Key_Tab);
            QApplication::processEvents();
        }
        QTest::mouseClick(form.navigator()->knopf(NavKnopf::Speichern), Qt::LeftButton);
        QApplication::processEvents();
        // The cursor stays on the saved date wherever it sorted to, and no editor is open.
        EXPECT_EQ(g->model()->index(g->currentIndex().row(), 2).data().toString(),
            QString::fromUtf8(text));
        EXPECT_FALSE(qobject_cast<QComboBox *>(QApplication::focusWidget()));
    };
    tippen(24, 12, "Bescherung");
    tippen(29, 2, "Schalttag");
    tippen(1, 5, "Maifeiertag");
    // A click on a row only selects it; the next "+" still makes a new row.
    QTest::mouseClick(
        g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, 2)).center());
    QApplication::processEvents();
    tippen(3, 10, "Einheit");

    QStringList aufPlatte;
    {
        Table t;
        t.setFilePath(p.tabellenPfad());
        t.setIndexName(QStringLiteral("SekTagMonat"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            aufPlatte.append(QStringLiteral("%1.%2 %3")
                                 .arg(t.asInt(QStringLiteral("FracTag")), 2, 10, QLatin1Char('0'))
                                 .arg(t.asInt(QStringLiteral("FracMonat")), 2, 10, QLatin1Char('0'))
                                 .arg(t.asString(QStringLiteral("Text"))));
    }
    EXPECT_EQ(aufPlatte,
        (QStringList { u"29.02 Schalttag"_s, u"01.05 Maifeiertag"_s, u"03.10 Einheit"_s,
            u"24.12 Bescherung"_s }));
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join(QLatin1Char('|')).toStdString();
}

} // namespace
