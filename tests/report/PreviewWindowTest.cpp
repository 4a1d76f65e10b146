#include "report/PreviewWindow.h"
#include "platform/Error.h"
#include "report/DocumentFile.h"
#include "report/MemoryDataSet.h"
#include "report/PageView.h"
#include "report/Previewer.h"
#include "report/Printables.h"
#include "report/Report.h"
#include "support/ScriptedUi.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QInputDialog>
#include <QKeyEvent>
#include <QProcess>
#include <QScreen>
#include <gtest/gtest.h>

using namespace kb::report;

namespace {

// A three-page report: 30 days of 30 pixels on A5 portrait, one column.
struct ThreePages {
    MemoryDataSet data;
    Report report;

    ThreePages()
    {
        for (int n = 1; n <= 50; ++n) {
            MemoryDataSet::Record r;
            r.insert(QStringLiteral("Text"), QStringLiteral("Eintrag %1").arg(n));
            data.append(r);
        }
        report.setPaper(PaperSize::A5);
        report.setDataSet(&data);
        report.setTitle(QStringLiteral("Vorschau-Test"));
        report.pageHeader().setHeight(30);
        report.pageHeader().add<SystemData>(SystemData::Kind::PageNumber).setSize(80, 20);
        report.detail().setHeight(30);
        report.detail().add<FieldText>(QStringLiteral("Text")).setSize(200, 20);
    }
};

using Action = PreviewWindow::Action;

void trigger(PreviewWindow &w, Action action)
{
    QAction *a = w.action(action);
    ASSERT_NE(a, nullptr) << int(action);
    ASSERT_TRUE(a->isEnabled()) << int(action);
    a->trigger();
}

class PreviewWindowTest : public ::testing::Test {
protected:
    void SetUp() override { installWindowPreviewer(); }
    void TearDown() override { installPreviewer(nullptr); }
    kb::test::ScopedScriptedUi ui;
};

TEST_F(PreviewWindowTest, PreviewAndWaitShowsAllPagesAndNavigates)
{
    ThreePages f;
    bool shown = false;
    ui->answerModal(0, [&](QWidget *widget) {
        shown = true;
        auto &w = *qobject_cast<PreviewWindow *>(widget);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Druck-Vorschau"));
        EXPECT_FALSE(w.generating());
        EXPECT_EQ(w.pageText(), QStringLiteral("Seite 1 von 3"));
        EXPECT_FALSE(w.action(Action::PreviousPage)->isEnabled());
        trigger(w, Action::NextPage);
        EXPECT_EQ(w.pageText(), QStringLiteral("Seite 2 von 3"));
        trigger(w, Action::LastPage);
        EXPECT_EQ(w.pageText(), QStringLiteral("Seite 3 von 3"));
        EXPECT_FALSE(w.action(Action::NextPage)->isEnabled());
        trigger(w, Action::PreviousPage);
        EXPECT_EQ(w.currentPage(), 1u);
        trigger(w, Action::FirstPage);
        EXPECT_EQ(w.pageText(), QStringLiteral("Seite 1 von 3"));
        // The paging keys do the same.
        const auto press = [&](int key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&w, &event);
        };
        press(Qt::Key_End);
        EXPECT_EQ(w.currentPage(), 2u);
        press(Qt::Key_PageDown); // stays on the last page
        EXPECT_EQ(w.currentPage(), 2u);
        press(Qt::Key_PageUp);
        EXPECT_EQ(w.currentPage(), 1u);
        press(Qt::Key_Home);
        EXPECT_EQ(w.currentPage(), 0u);
    });
    f.report.previewAndWait();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(PreviewWindowTest, ZoomModesFitThePageOrShowItAtItsSize)
{
    ThreePages f;
    PreviewWindow w(f.report.generate());
    w.resize(900, 700);
    w.show();
    const QSizeF page = w.document().pageSize(); // A5: 559 x 794 layout pixels
    const auto paper = [&] { return w.pageView()->paperRect().size(); };

    trigger(w, Action::ActualSize);
    EXPECT_DOUBLE_EQ(w.pageView()->zoom(), 1.0);
    EXPECT_NEAR(paper().width(), page.width(), 1);

    trigger(w, Action::WholePage);
    EXPECT_LT(paper().height(), 700 - 40); // the whole page is in view
    EXPECT_GT(paper().height(), 700 - 160);

    trigger(w, Action::PageWidth);
    EXPECT_GT(paper().width(), 900 - 100); // as wide as the window allows
    EXPECT_LT(paper().width(), 900);
    EXPECT_GT(paper().height(), 700); // and taller than the view: it scrolls
}

// Nobody sizes the window and no window manager resizes it after it appears: it still opens
// large, with the whole page filling the room below the tool bar.
TEST_F(PreviewWindowTest, OpensShowingTheWholePageAtASizeThatFillsTheWindow)
{
    ThreePages f;
    for (const bool landscape : { false, true }) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        f.report.setOrientation(landscape ? Orientation::Landscape : Orientation::Portrait);
        PreviewWindow w(f.report.generate());
        w.show();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const QSize screen = w.screen()->availableGeometry().size();
        EXPECT_GE(w.width(), screen.width() * 8 / 10);
        EXPECT_GE(w.height(), screen.height() * 8 / 10);
        EXPECT_EQ(w.zoomMode(), PreviewWindow::ZoomMode::WholePage);
        const QSize room = w.pageView()->parentWidget()->size();
        const QRect paper = w.pageView()->paperRect();
        EXPECT_LE(paper.width(), room.width());
        EXPECT_LE(paper.height(), room.height());
        // One side of the page nearly fills the room (40 pixels of grey around it).
        EXPECT_TRUE(paper.width() >= room.width() - 41 || paper.height() >= room.height() - 41)
            << "paper " << paper.width() << " x " << paper.height() << " in " << room.width()
            << " x " << room.height();
    }
}

// PNG pages get the resolution the user chooses; cancelling the choice writes nothing.
TEST_F(PreviewWindowTest, PngExportAsksForTheResolution)
{
    kb::test::TempDir dir;
    ThreePages f;
    PreviewWindow w(f.report.generate());
    const QString png = dir.file(QStringLiteral("seite.png"));
    int offered = 0;
    ui->answerFile(png);
    ui->answerModal(QDialog::Accepted, [&](QWidget *dialog) {
        auto *input = qobject_cast<QInputDialog *>(dialog);
        ASSERT_NE(input, nullptr);
        offered = input->intValue();
        EXPECT_EQ(input->intMinimum(), 72);
        EXPECT_EQ(input->intMaximum(), 600);
        input->setIntValue(300);
    });
    trigger(w, Action::Save);
    EXPECT_EQ(offered, 150);
    const QImage first(dir.file(QStringLiteral("seite-1.png")));
    EXPECT_EQ(first.width(), 1749); // A5, 148 mm at 300 dpi, rounded up
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("seite-3.png"))));

    ui->answerFile(dir.file(QStringLiteral("nicht.png")));
    ui->answerModal(QDialog::Rejected);
    trigger(w, Action::Save);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("nicht-1.png"))));
    EXPECT_TRUE(ui->messages().isEmpty());
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(PreviewWindowTest, PreviewWhileGeneratingShowsTheFirstPageAtOnce)
{
    ThreePages f;
    std::vector<std::size_t> pageCounts;
    ui->answerModal(0, [&](QWidget *widget) {
        auto &w = *qobject_cast<PreviewWindow *>(widget);
        pageCounts.push_back(w.document().pages.size());
        EXPECT_TRUE(w.generating());
        EXPECT_EQ(w.pageText(), QStringLiteral("Seite 1 von 1"));
        // The window's event loop brings the rest.
        for (int i = 0; i < 100 && w.generating(); ++i)
            QCoreApplication::processEvents();
        pageCounts.push_back(w.document().pages.size());
        EXPECT_EQ(w.pageText(), QStringLiteral("Seite 1 von 3"));
    });
    f.report.previewWhileGenerating();
    EXPECT_EQ(pageCounts, (std::vector<std::size_t> { 1, 3 }));
}

TEST_F(PreviewWindowTest, GenerationErrorIsShownAndKeepsThePagesSoFar)
{
    ThreePages f;
    f.report.detail().setBeforePrint([&](Band &) {
        if (f.data.value(QStringLiteral("Text")).toString() == QStringLiteral("Eintrag 40"))
            throw kb::Error(QStringLiteral("'29.02.2023' ist kein gültiges Datum"));
    });
    PreviewWindow w(f.report.emptyDocument(), f.report.paginate());
    w.generateAll();
    EXPECT_FALSE(w.generating());
    EXPECT_EQ(w.document().pages.size(), 1u);
    EXPECT_EQ(
        ui->messages(), QStringList { QStringLiteral("'29.02.2023' ist kein gültiges Datum") });
}

TEST_F(PreviewWindowTest, SaveOpenAndExportThroughTheDialogs)
{
    kb::test::TempDir dir;
    ThreePages f;
    PreviewWindow w(f.report.generate());
    const QString saved = dir.file(QStringLiteral("bericht.kbr"));
    ui->answerFile(saved);
    trigger(w, Action::Save);
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(loadDocument(saved).pages.size(), 3u);

    ui->answerFile(dir.file(QStringLiteral("bericht.pdf")));
    trigger(w, Action::Save);
    EXPECT_TRUE(QFile::exists(dir.file(QStringLiteral("bericht.pdf"))));
    ui->answerFile(QString()); // cancelled: nothing happens
    trigger(w, Action::Save);

    PreviewWindow other(Document {});
    EXPECT_EQ(other.pageText(), QStringLiteral("Seite 0 von 0"));
    ui->answerFile(saved);
    trigger(other, Action::Open);
    EXPECT_EQ(other.pageText(), QStringLiteral("Seite 1 von 3"));
    EXPECT_EQ(other.document().title, QStringLiteral("Vorschau-Test"));

    kb::test::writeAll(dir.file(QStringLiteral("kaputt.kbr")), "kein Bericht");
    ui->answerFile(dir.file(QStringLiteral("kaputt.kbr")));
    trigger(other, Action::Open);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("kein gespeicherter Bericht")));
    EXPECT_EQ(other.document().pages.size(), 3u); // the pages shown stay
    EXPECT_TRUE(ui->scriptDone());
}

TEST_F(PreviewWindowTest, PrintsThePagesTheDialogChose)
{
    kb::test::TempDir dir;
    ThreePages f;
    PreviewWindow w(f.report.generate());
    const QString pdf = dir.file(QStringLiteral("druck.pdf"));
    w.printer().setOutputFormat(QPrinter::PdfFormat);
    w.printer().setOutputFileName(pdf);
    ui->answerPrint(true); // printer setup
    trigger(w, Action::PrinterSetup);
    ui->answerPrint(false); // print dialog cancelled: nothing printed
    trigger(w, Action::Print);
    EXPECT_FALSE(QFile::exists(pdf));
    ui->answerPrint(true);
    trigger(w, Action::Print);
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("Eintrag 1\n")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Eintrag 50")));
    EXPECT_TRUE(ui->scriptDone());
}

} // namespace
