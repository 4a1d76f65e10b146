#include "caldata/KalenderAnlage.h"
#include "caldata/KalenderDatei.h"
#include "caldata/Schemas.h"
#include "designer/BerichtsStrom.h"
#include "designer/BerichtsSzene.h"
#include "designer/Berichtsablage.h"
#include "designer/FertigeBerichte.h"
#include "designer/TReportDesignerDialog.h"
#include "designer/TSimpleDemoMainForm.h"
#include "report/DocumentQuery.h"
#include "report/Previewer.h"
#include "storage/Table.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace kb;
using designer::TReportDesignerDialog;
using designer::TSimpleDemoMainForm;
using test::ScopedScriptedUi;
using test::TempDir;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// A report table with the ready reports, and a calendar for the reports to read.
struct Ablage {
    TempDir dir;
    QString pfad = dir.file(s("designer.db"));
    KalenderDatei kalender;

    Ablage()
    {
        Table t;
        t.setFilePath(pfad);
        Schemas::anlegen(t, Schemas::designerTabelle());
        for (const bericht::FertigerBericht &f : bericht::fertigeBerichte())
            bericht::berichtAnhaengen(pfad, f.name, bericht::berichtSchreiben(f.bericht));
        AnlageEingaben e;
        e.name = s("Muster");
        e.vorname = s("Erika");
        e.land = s("Hessen");
        e.verzeichnis = dir.path();
        e.datei = s("Kal");
        e.jahr = 2026;
        kalender = kalenderAnlegen(e).dateien;
    }
    designer::KalenderQuelle quelle() const
    {
        return [k = kalender] {
            return std::optional(bericht::KalenderTabellen { k.jahrPfad(), k.bildPfad() });
        };
    }
};

struct Offen {
    Table table;
    std::unique_ptr<TSimpleDemoMainForm> fenster;
    explicit Offen(const Ablage &a)
    {
        table.setFilePath(a.pfad);
        table.open();
        fenster = std::make_unique<TSimpleDemoMainForm>(table, a.quelle());
    }
};

TEST(TSimpleDemoMainForm, ShowsTheWindowAsSpecified)
{
    Ablage a;
    Offen o(a);
    EXPECT_EQ(o.fenster->windowTitle(), s("Report-Kronoblatt-Designer/Report-Verwaltung"));
    EXPECT_EQ(o.fenster->size(), QSize(497, 500));
    EXPECT_EQ(o.fenster->liste()->size(), QSize(281, 409));
    EXPECT_EQ(o.fenster->liste()->columnWidth(0), 257);
    EXPECT_EQ(
        o.fenster->liste()->model()->headerData(0, Qt::Horizontal).toString(), s("Reportname"));
    EXPECT_EQ(o.fenster->liste()->model()->rowCount(), 3);
    EXPECT_EQ(o.fenster->liste()->toolTip(), s("Doppelklick um Vorschau zu erzeugen"));
    EXPECT_EQ(o.fenster->neuKnopf()->text(), s("neuen Report anlegen............"));
    EXPECT_EQ(o.fenster->loeschenKnopf()->text(), s("selektierten Report löschen....."));
    EXPECT_EQ(o.fenster->bearbeitenKnopf()->text(), s("selektierten Report editieren....."));
    EXPECT_EQ(o.fenster->vorschauKnopf()->text(), s("selektierte Report-Vorschau....."));
    EXPECT_EQ(o.fenster->druckenKnopf()->text(), s("selektierten Report drucken....."));
    EXPECT_EQ(o.fenster->schliessenKnopf()->text(), s("Schliessen"));
}

TEST(TSimpleDemoMainForm, CancellingTheNameQueryAddsNothing)
{
    Ablage a;
    Offen o(a);
    ScopedScriptedUi ui;
    ui->answerInput(std::nullopt);
    o.fenster->neu();
    EXPECT_EQ(o.table.recordCount(), 3);
    EXPECT_EQ(ui->prompts(), QStringList { s("Report-Name:") });
    EXPECT_TRUE(ui->scriptDone());
}

struct NeuFall {
    const char *was;
    const char *name;
};

// Closed without saving, the new report is kept with its name (an empty one too) and empty
// data.
TEST(TSimpleDemoMainForm, ANewReportClosedUnsavedIsStoredWithItsNameAndEmptyData)
{
    const NeuFall faelle[] = { { "named", "Mein Bericht" }, { "empty name", "" } };
    for (const NeuFall &f : faelle) {
        Ablage a;
        {
            Offen o(a);
            ScopedScriptedUi ui;
            ui->answerInput(s(f.name));
            QString titel;
            ui->answerModal(0, [&](QWidget *w) {
                titel = w->windowTitle();
                // A new report starts with a page header, a detail band and a page footer.
                const bericht::Bericht &b
                    = static_cast<TReportDesignerDialog *>(w)->szene()->bericht();
                ASSERT_EQ(b.baender.size(), 3u);
                EXPECT_EQ(b.baender[1].art, bericht::BandArt::Detail);
                EXPECT_EQ(bericht::elementAnzahl(b), 3u);
            });
            o.fenster->neu();
            EXPECT_TRUE(ui->scriptDone()) << f.was;
            EXPECT_TRUE(titel.endsWith(s(f.name))) << f.was;
        }
        Table t;
        t.setFilePath(a.pfad);
        t.open();
        ASSERT_EQ(t.recordCount(), 4) << f.was;
        t.last();
        EXPECT_EQ(t.asString(s("Reportname")), s(f.name)) << f.was;
        EXPECT_TRUE(t.asBytes(s("Reportdata")).isEmpty()) << f.was;
    }
}

TEST(TSimpleDemoMainForm, DeleteRemovesTheSelectedReportWithoutAsking)
{
    Ablage a;
    Offen o(a);
    ScopedScriptedUi ui; // any question would fail the test
    o.table.setRecNo(2);
    o.fenster->loeschen();
    EXPECT_EQ(bericht::berichtNamen(a.pfad),
        (QStringList { s("Feiertage des Jahres"), s("Monatsbilder") }));
    EXPECT_TRUE(ui->messages().isEmpty());
}

QStringList seitenTexte(const report::Document &doc)
{
    QStringList out;
    for (const report::BandKind kind : { report::BandKind::Title, report::BandKind::Detail })
        for (const report::BandOnPage &b : report::bandsOf(doc, kind))
            out += b.texts();
    return out;
}

// A report designed and saved in the designer window previews the same when the report table
// is opened again, as after a restart.
TEST(TSimpleDemoMainForm, ASavedReportPreviewsTheSameAfterARestart)
{
    Ablage a;
    QStringList vorher;
    {
        Offen o(a);
        ScopedScriptedUi ui;
        ui->answerInput(s("Ostern"));
        ui->answerModal(1, [](QWidget *w) {
            auto *d = static_cast<TReportDesignerDialog *>(w);
            d->abfrageWahl()->setChecked(true);
            d->abfrageText()->setPlainText(
                s("SELECT Datum, Text FROM Jahr WHERE Kennung > 0 AND MonatNr = 1"));
            ASSERT_TRUE(d->pruefen());
            ASSERT_EQ(d->feldliste()->count(), 2);
            d->szene()->neu(bericht::ElementArt::Feld, s("Text"));
            d->szene()->neu(bericht::ElementArt::Feld, s("Datum"), QPointF(200, 2));
            d->speichern();
        });
        o.fenster->neu();
        EXPECT_TRUE(ui->scriptDone());
        report::ScopedRecordingPreviewer vorschau;
        o.fenster->vorschau();
        ASSERT_EQ(vorschau.documents().size(), 1u);
        vorher = seitenTexte(vorschau.documents()[0]);
    }
    EXPECT_EQ(vorher, (QStringList { s("Neujahr"), s("01.01.2026") }));
    Offen neu(a);
    neu.table.last();
    report::ScopedRecordingPreviewer vorschau;
    neu.fenster->vorschau();
    ASSERT_EQ(vorschau.documents().size(), 1u);
    EXPECT_EQ(seitenTexte(vorschau.documents()[0]), vorher);
}

struct Hinweisfall {
    const char *was;
    QByteArray daten;
    const char *hinweis;
};

// A report that cannot be read previews as one page saying why; nothing crashes.
TEST(TSimpleDemoMainForm, EmptyDamagedOrNewerReportsPreviewAsAPageWithANote)
{
    QByteArray neuer = bericht::berichtSchreiben(bericht::Bericht {});
    neuer[8] = char(9);
    const Hinweisfall faelle[] = {
        { "empty", QByteArray(), "leer" },
        { "damaged", QByteArray("KBREPORT\x01\x00\x05\x00\x00\x00\x00\x00kaputt", 22),
            "beschädigt" },
        { "foreign", QByteArray("GIF89a...."), "kein Bericht" },
        { "newer", neuer, "neueren Programmversion" },
    };
    for (const Hinweisfall &f : faelle) {
        Ablage a;
        Offen o(a);
        o.table.first();
        o.table.setBytes(s("Reportdata"), f.daten);
        o.table.post();
        report::ScopedRecordingPreviewer vorschau;
        o.fenster->vorschau();
        ASSERT_EQ(vorschau.documents().size(), 1u) << f.was;
        const report::Document &doc = vorschau.documents()[0];
        ASSERT_EQ(doc.pages.size(), 1u) << f.was;
        const QString text = seitenTexte(doc).join(u' ');
        EXPECT_TRUE(text.contains(s(f.hinweis))) << f.was << ": " << text.toStdString();
    }
}

TEST(TSimpleDemoMainForm, AnEngineErrorIsShownAndTheWindowStaysUsable)
{
    Ablage a;
    Table t;
    t.setFilePath(a.pfad);
    t.setReadOnly(true);
    t.open();
    TSimpleDemoMainForm fenster(t, a.quelle());
    ScopedScriptedUi ui;
    ui->answerInput(s("Neu"));
    fenster.neu();
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_EQ(t.state(), Table::State::Browse);
    EXPECT_EQ(t.recordCount(), 3);
}

// Closing a changed report asks whether to save; only "Ja" writes the field.
TEST(TReportDesignerDialog, EditingStoresTheChangesOnlyWhenTheUserSaves)
{
    for (const bool speichern : { false, true }) {
        Ablage a;
        Offen o(a);
        o.table.first();
        const QByteArray vorher = o.table.asBytes(s("Reportdata"));
        ScopedScriptedUi ui;
        ui->answerModal(0, [](QWidget *w) {
            auto *d = static_cast<TReportDesignerDialog *>(w);
            EXPECT_EQ(d->szene()->bericht().baender.size(), 4u);
            d->szene()->neu(bericht::ElementArt::Text);
            d->reject();
        });
        ui->answerQuestion(speichern);
        o.fenster->bearbeiten();
        EXPECT_TRUE(ui->scriptDone());
        EXPECT_EQ(ui->questions(),
            QStringList { s("Der Bericht wurde geändert. Änderungen speichern?") });
        const QByteArray nachher = o.table.asBytes(s("Reportdata"));
        if (!speichern) {
            EXPECT_EQ(nachher, vorher);
            continue;
        }
        const bericht::Bericht b = bericht::berichtLesen(nachher);
        EXPECT_EQ(
            bericht::elementAnzahl(b), bericht::elementAnzahl(bericht::berichtLesen(vorher)) + 1);
    }
}

} // namespace
