// The form designer bar of the calendar panel and form files given on the command line: the
// list of designs, the stored design name, the designer the commands open on the calendar.

#include "ShellTestUtil.h"

#include "designer/EntwurfLeiste.h"
#include "designer/Formular.h"
#include "designer/TEntwurf.h"
#include "platform/ProgramDir.h"
#include "report/PreviewWindow.h"
#include "report/Previewer.h"
#include "settings/IniFile.h"
#include "settings/KalenderIni.h"
#include "settings/LayoutSettings.h"
#include "shell/KalenderPanel.h"
#include "shell/KalenderSitzung.h"
#include "shell/TForm1.h"
#include "storage/Table.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>

using namespace kb;
using designer::TEntwurf;

namespace {

const QDate kHeute(2024, 3, 14);

class TForm1EntwurfTest : public test::ShellTest {
protected:
    std::unique_ptr<TForm1> fenster()
    {
        TForm1::Optionen o;
        o.heute = kHeute;
        auto f = std::make_unique<TForm1>(o);
        f->fensterErstellen();
        return f;
    }
    // A window with the calendar "Test" of 2024 open.
    std::unique_ptr<TForm1> mitKalender()
    {
        const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
        auto f = fenster();
        f->kalenderArgumentOeffnen(k.qvkPfad());
        EXPECT_TRUE(f->sitzung().offen());
        return f;
    }
    static designer::EntwurfLeiste *leiste(const TForm1 &f)
    {
        return f.kalenderPanel()->entwurfsLeiste();
    }
    static QStringList liste(const TForm1 &f)
    {
        QStringList namen;
        const QComboBox *box = leiste(f)->auswahl();
        for (int i = 0; i < box->count(); ++i)
            namen.append(box->itemText(i));
        namen.sort();
        return namen;
    }
    QString datenordner() const { return ProgramDir::calendarDataDir(); }
    QString formular(const QString &name) const
    {
        return datenordner() + name + QStringLiteral(".qvf");
    }
    // A form with one free text reading `text`.
    void formularAnlegen(const QString &name, const QString &text)
    {
        QDir().mkpath(datenordner());
        designer::Formular form;
        form.create(designer::ElementType::FreeText, designer::FormBand::Header)->caption = text;
        form.save(formular(name));
    }
    QString gespeicherterName() const
    {
        return readDatei(IniFile(home.file(QStringLiteral("Kalvalues.ini"))));
    }
    static QString fehltMeldung(const QString &pfad)
    {
        return QStringLiteral("Datei ") + QDir::toNativeSeparators(pfad)
            + QStringLiteral("\r\n             existiert nicht, neu anlegen ");
    }
};

// What the designer showed while it was open.
struct Gesehen {
    bool gezeigt = false;
    QString titel, status1, quellen;
    int datenquellen = 0;
    QStringList texte;
};

std::function<void(QWidget *)> ansehen(Gesehen &g, std::function<void(TEntwurf &)> dann = {})
{
    return [&g, dann](QWidget *w) {
        auto *e = qobject_cast<TEntwurf *>(w);
        ASSERT_NE(e, nullptr);
        g.gezeigt = true;
        g.titel = e->windowTitle();
        g.status1 = e->statusText(1);
        g.quellen = e->statusText(2);
        g.datenquellen = e->datenquelle()->count();
        for (const designer::FormElement &el : e->szene()->formular().elements())
            g.texte.append(el.caption);
        if (dann)
            dann(*e);
    };
}

TEST_F(TForm1EntwurfTest, TheListHoldsTheFormFilesAndTheStoredName)
{
    einstellungenAnlegen("[User]\r\nDatei=Wandkalender\r\n");
    const struct {
        const char *was;
        QStringList dateien; // form files to make; a name ending in "/" is a directory
        QStringList erwartet;
    } faelle[] = {
        { "an empty directory", {}, {} },
        { "form files, any letter case", { QStringLiteral("Jahr.qvf"), QStringLiteral("Foto.QVF") },
            { QStringLiteral("Foto"), QStringLiteral("Jahr") } },
        { "a directory named like a form file", { QStringLiteral("Ordner.qvf/") },
            { QStringLiteral("Ordner") } },
        { "other files are left out", { QStringLiteral("Texte.txt"), QStringLiteral("a.qvf.bak") },
            {} },
    };
    for (const auto &c : faelle) {
        QDir(datenordner()).removeRecursively();
        QDir().mkpath(datenordner());
        for (const QString &d : c.dateien) {
            if (d.endsWith(QLatin1Char('/')))
                QDir().mkpath(datenordner() + d);
            else
                test::writeAll(datenordner() + d, "x");
        }
        auto f = mitKalender();
        EXPECT_EQ(liste(*f), c.erwartet) << c.was;
        EXPECT_EQ(leiste(*f)->entwurfsname(), QStringLiteral("Wandkalender")) << c.was;
        f.reset();
        QDir(daten).removeRecursively();
        QDir().mkpath(daten);
    }
}

TEST_F(TForm1EntwurfTest, ATypedNameWithoutFileOpensAnEmptyDesignerThatSavesIt)
{
    einstellungenAnlegen("[User]\r\nDatei=Alt\r\n");
    auto f = mitKalender();
    leiste(*f)->auswahl()->setEditText(QStringLiteral("Mein Plan"));
    const QString pfad = formular(QStringLiteral("Mein Plan"));
    Gesehen g;
    ui->answerModal(0, ansehen(g, [&](TEntwurf &w) {
        // The name is stored before the designer opens.
        EXPECT_EQ(gespeicherterName(), QStringLiteral("Mein Plan"));
        w.aktionen().neuerText->trigger();
        ui->answerQuestion(true);
        ui->answerFile(pfad);
        w.close();
    }));
    leiste(*f)->oeffnenAktion()->trigger();
    EXPECT_TRUE(ui->scriptDone());
    EXPECT_TRUE(g.gezeigt);
    EXPECT_EQ(g.titel, QStringLiteral("Kalender gestalten"));
    EXPECT_EQ(g.status1, QDir::toNativeSeparators(pfad));
    EXPECT_EQ(g.datenquellen, 2);
    EXPECT_TRUE(g.texte.isEmpty());
    EXPECT_EQ(ui->messages(), QStringList { fehltMeldung(pfad) });
    EXPECT_TRUE(QFileInfo::exists(pfad));
    // The calendar stays open and the list now holds the new design, which stays selected.
    EXPECT_TRUE(f->sitzung().offen());
    EXPECT_EQ(f->sichtbaresPanel(), Panel::Kalender);
    EXPECT_TRUE(liste(*f).contains(QStringLiteral("Mein Plan")));
    EXPECT_EQ(leiste(*f)->entwurfsname(), QStringLiteral("Mein Plan"));
    // The designer started on the first day, with the picture table at its month.
    EXPECT_EQ(f->sitzung().jahr().asString(QStringLiteral("Datum")), QStringLiteral("01.01.2024"));
    EXPECT_EQ(f->sitzung().bild().asInt(QStringLiteral("Nr")), 1);
}

TEST_F(TForm1EntwurfTest, ANewFormKeepsTheSelectedDesignInTheSelector)
{
    einstellungenAnlegen("[User]\r\nDatei=Jahr\r\n");
    formularAnlegen(QStringLiteral("Jahr"), QStringLiteral("Jahresblatt"));
    const struct {
        const char *was;
        bool neuDa; // "neu.qvf" exists already
        QStringList texte;
    } faelle[] = {
        { "no form file neu", false, {} },
        { "an existing neu.qvf opens", true, { QStringLiteral("Vorlage") } },
    };
    for (const auto &c : faelle) {
        QFile::remove(formular(QStringLiteral("neu")));
        QFile::remove(formular(QStringLiteral("Plan 2")));
        if (c.neuDa)
            formularAnlegen(QStringLiteral("neu"), QStringLiteral("Vorlage"));
        auto f = mitKalender();
        ui->clear();
        EXPECT_EQ(leiste(*f)->entwurfsname(), QStringLiteral("Jahr")) << c.was;
        Gesehen g;
        ui->answerModal(0, ansehen(g, [&](TEntwurf &w) {
            ui->answerQuestion(true);
            // The save dialog offers neu.qvf; the user names the form.
            ui->answerFile(formular(QStringLiteral("Plan 2")));
            w.close();
        }));
        leiste(*f)->neuAktion()->trigger();
        EXPECT_TRUE(ui->scriptDone()) << c.was;
        EXPECT_EQ(g.status1, QDir::toNativeSeparators(formular(QStringLiteral("neu")))) << c.was;
        EXPECT_EQ(g.texte, c.texte) << c.was;
        const QStringList erwartet = c.neuDa
            ? QStringList {}
            : QStringList { fehltMeldung(formular(QStringLiteral("neu"))) };
        EXPECT_EQ(ui->messages(), erwartet) << c.was;
        EXPECT_TRUE(liste(*f).contains(QStringLiteral("Plan 2"))) << c.was;
        EXPECT_EQ(leiste(*f)->entwurfsname(), QStringLiteral("Jahr")) << c.was;
        f.reset();
        QDir(daten).removeRecursively();
        QDir().mkpath(daten);
    }
}

TEST_F(TForm1EntwurfTest, AChosenNameCountsOnlyOnceACommandStoresIt)
{
    einstellungenAnlegen("[User]\r\nDatei=Jahr\r\n");
    formularAnlegen(QStringLiteral("Jahr"), QStringLiteral("Jahresblatt"));
    formularAnlegen(QStringLiteral("Foto"), QStringLiteral("Fotoblatt"));
    auto f = mitKalender();
    leiste(*f)->auswahl()->setEditText(QStringLiteral("Foto"));
    f->entwurfslisteAuffrischen();
    EXPECT_EQ(leiste(*f)->entwurfsname(), QStringLiteral("Jahr"));
    EXPECT_EQ(gespeicherterName(), QStringLiteral("Jahr"));

    leiste(*f)->auswahl()->setEditText(QStringLiteral("Foto"));
    Gesehen g;
    ui->answerModal(0, ansehen(g));
    // A click on the caption opens the designer like its button.
    QMouseEvent klick(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(leiste(*f)->titel(), &klick);
    EXPECT_EQ(g.texte, QStringList { QStringLiteral("Fotoblatt") });
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_EQ(gespeicherterName(), QStringLiteral("Foto"));
    f->entwurfslisteAuffrischen();
    EXPECT_EQ(leiste(*f)->entwurfsname(), QStringLiteral("Foto"));
}

// The preview never shows the designer: the selected form, filled with the calendar, goes
// straight to the report preview; a missing design says so and previews an empty form. The
// grid keeps the month it showed.
TEST_F(TForm1EntwurfTest, ThePreviewShowsTheSelectedFormFilledWithoutTheDesigner)
{
    einstellungenAnlegen("[User]\r\nDatei=\r\n");
    report::installWindowPreviewer();
    formularAnlegen(QStringLiteral("Wand"), QStringLiteral("Unser Jahr"));
    auto f = mitKalender();
    f->sitzung().monatsfilter(3);
    const struct {
        const char *name;
        bool vorhanden;
    } faelle[] = { { "Wand", true }, { "fehlt", false } };
    for (const auto &fall : faelle) {
        SCOPED_TRACE(fall.name);
        ui->clear();
        const QString name = QString::fromUtf8(fall.name);
        leiste(*f)->auswahl()->setEditText(name);
        QString titel;
        bool textGedruckt = false;
        ui->answerModal(0, [&](QWidget *w) {
            auto *vorschau = qobject_cast<report::PreviewWindow *>(w);
            ASSERT_NE(vorschau, nullptr);
            titel = vorschau->windowTitle();
            for (const report::Page &seite : vorschau->document().pages)
                for (const report::Primitive &p : seite.items)
                    if (const auto *t = std::get_if<report::TextItem>(&p))
                        textGedruckt = textGedruckt || t->text == QStringLiteral("Unser Jahr");
        });
        leiste(*f)->vorschauAktion()->trigger();
        EXPECT_TRUE(ui->scriptDone());
        EXPECT_EQ(titel, QStringLiteral("Druck-Vorschau"));
        EXPECT_EQ(textGedruckt, fall.vorhanden);
        EXPECT_EQ(ui->messages(),
            fall.vorhanden ? QStringList {} : QStringList { fehltMeldung(formular(name)) });
        EXPECT_EQ(gespeicherterName(), name);
        EXPECT_EQ(f->sitzung().jahr().filter(), QStringLiteral("MonatNr='3'"));
        EXPECT_TRUE(f->sitzung().jahr().filtered());
    }
    report::installPreviewer(nullptr);
}

TEST_F(TForm1EntwurfTest, AFormFileFromTheCommandLineOpensOnACalendar)
{
    einstellungenAnlegen();
    const KalenderDatei k = kalender(QStringLiteral("Test"), 2024);
    const QString form = home.file(QStringLiteral("Brief.qvf"));
    {
        designer::Formular f;
        f.create(designer::ElementType::FreeText, designer::FormBand::Header)->caption
            = QStringLiteral("Kopf");
        f.save(form);
    }
    const struct {
        const char *was;
        QString kalender; // given on the command line
        QString zuletzt; // remembered in kalender.INI
        bool offen;
        QString grund; // the designer's status text without a calendar
    } faelle[] = {
        { "the calendar given with it", k.qvkPfad(), {}, true, {} },
        { "the calendar opened last", {}, k.qvkPfad(), true, {} },
        { "none opened yet", {}, {}, false,
            QStringLiteral("Noch kein Kalender geöffnet: die Datenfelder bleiben leer.") },
        { "the last one is gone", {}, daten + QStringLiteral("Weg.qvk"), false,
            QStringLiteral("Der zuletzt geöffnete Kalender ")
                + QDir::toNativeSeparators(daten + QStringLiteral("Weg.qvk"))
                + QStringLiteral(" ist nicht mehr vorhanden: die Datenfelder bleiben leer.") },
    };
    for (const auto &c : faelle) {
        QFile::remove(home.file(QStringLiteral("kalender.INI")));
        if (!c.zuletzt.isEmpty())
            KalenderIni::zuletztSchreiben(c.zuletzt);
        auto f = fenster();
        ui->clear();
        Gesehen g;
        ui->answerModal(0, ansehen(g));
        f->formularArgumentOeffnen(c.kalender, form);
        EXPECT_TRUE(ui->scriptDone()) << c.was;
        EXPECT_TRUE(ui->messages().isEmpty()) << c.was;
        EXPECT_EQ(g.texte, QStringList { QStringLiteral("Kopf") }) << c.was;
        EXPECT_EQ(g.status1, QDir::toNativeSeparators(form)) << c.was;
        EXPECT_EQ(g.datenquellen, c.offen ? 2 : 0) << c.was;
        EXPECT_EQ(g.quellen, c.grund) << c.was;
        // Afterwards the main window shows the calendar.
        EXPECT_EQ(f->sitzung().offen(), c.offen) << c.was;
        EXPECT_EQ(f->sichtbaresPanel(), c.offen ? Panel::Kalender : Panel::Keins) << c.was;
        if (c.offen) {
            EXPECT_EQ(KalenderIni::read().zuletzt, QFileInfo(k.qvkPfad()).absoluteFilePath())
                << c.was;
        }
    }
}

} // namespace
