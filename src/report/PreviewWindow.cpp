#include "report/PreviewWindow.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "report/DocumentFile.h"
#include "report/PageView.h"
#include "report/Previewer.h"
#include "report/Renderer.h"
#include "report/Report.h"
#include "report/Writers.h"
#include "report/export/Export.h"

#include <QAction>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb::report {
namespace {

using Action = PreviewWindow::Action;

// One tool bar entry: the action's text, tooltip, icon and what it does.
struct ActionSpec {
    Action action;
    const char *text;
    const char *tip;
    std::optional<QStyle::StandardPixmap> icon;
    bool separatorBefore;
    void (*run)(PreviewWindow &);
};

const ActionSpec kActions[] = {
    { Action::WholePage, "Ganze Seite", "Ganze Seite zeigen", std::nullopt, false,
        [](PreviewWindow &w) { w.setZoomMode(PreviewWindow::ZoomMode::WholePage); } },
    { Action::ActualSize, "100 %", "In Originalgröße zeigen", std::nullopt, false,
        [](PreviewWindow &w) { w.setZoomMode(PreviewWindow::ZoomMode::Actual); } },
    { Action::PageWidth, "Seitenbreite", "Auf Seitenbreite zoomen", std::nullopt, false,
        [](PreviewWindow &w) { w.setZoomMode(PreviewWindow::ZoomMode::PageWidth); } },
    { Action::FirstPage, "Erste", "Erste Seite", QStyle::SP_MediaSkipBackward, true,
        [](PreviewWindow &w) { w.showPage(0); } },
    { Action::PreviousPage, "Vorherige", "Vorherige Seite", QStyle::SP_ArrowLeft, false,
        [](PreviewWindow &w) { w.showPage(w.currentPage() > 0 ? w.currentPage() - 1 : 0); } },
    { Action::NextPage, "Nächste", "Nächste Seite", QStyle::SP_ArrowRight, false,
        [](PreviewWindow &w) { w.showPage(w.currentPage() + 1); } },
    { Action::LastPage, "Letzte", "Letzte Seite", QStyle::SP_MediaSkipForward, false,
        [](PreviewWindow &w) {
            w.generateAll();
            w.showPage(w.document().pages.empty() ? 0 : w.document().pages.size() - 1);
        } },
    { Action::PrinterSetup, "Druckereinrichtung", "Drucker einrichten", std::nullopt, true,
        [](PreviewWindow &w) { w.printerSetup(); } },
    { Action::Print, "Drucken", "Bericht drucken", std::nullopt, false,
        [](PreviewWindow &w) { w.print(); } },
    { Action::Open, "Öffnen", "Gespeicherten Bericht öffnen", QStyle::SP_DialogOpenButton, true,
        [](PreviewWindow &w) { w.openSaved(); } },
    { Action::Save, "Speichern", "Bericht speichern oder exportieren", QStyle::SP_DialogSaveButton,
        false, [](PreviewWindow &w) { w.save(); } },
    { Action::Close, "Schließen", "Vorschau schließen", QStyle::SP_DialogCloseButton, true,
        [](PreviewWindow &w) { w.accept(); } },
};

bool isNavigation(Action a)
{
    return a == Action::FirstPage || a == Action::PreviousPage || a == Action::NextPage
        || a == Action::LastPage;
}

// The resolution of PNG pages, asked when the user saves as PNG; nullopt when cancelled.
std::optional<int> askPngDpi(QWidget *parent)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("PNG-Bilder"));
    dialog.setLabelText(
        QStringLiteral("Auflösung in dpi (%1 bis %2):").arg(kMinPngDpi).arg(kMaxPngDpi));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(kMinPngDpi, kMaxPngDpi);
    dialog.setIntStep(50);
    dialog.setIntValue(kDefaultPngDpi);
    if (ui().runModal(&dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

// Writes the document in the format its suffix names; our own format without a suffix.
// False when the user cancelled a question on the way.
bool saveAs(const Document &doc, QString path, QWidget *parent)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty())
        path += QLatin1Char('.') + documentSuffix();
    if (suffix.isEmpty() || suffix == documentSuffix()) {
        BusyCursor busy;
        saveDocument(doc, path);
        return true;
    }
    ExportOptions options;
    if (suffix == QLatin1String("png")) {
        const std::optional<int> dpi = askPngDpi(parent);
        if (!dpi)
            return false;
        options.pngDpi = *dpi;
    }
    BusyCursor busy;
    exportDocument(doc, path, options);
    return true;
}

QPageLayout printerLayout(const Document &doc)
{
    const bool landscape = doc.orientation == Orientation::Landscape;
    const QSizeF portrait = landscape ? doc.paperSizeMm.transposed() : doc.paperSizeMm;
    QPageSize size(portrait, QPageSize::Millimeter);
    switch (doc.paper) {
    case PaperSize::A3:
        size = QPageSize(QPageSize::A3);
        break;
    case PaperSize::A4:
        size = QPageSize(QPageSize::A4);
        break;
    case PaperSize::A5:
        size = QPageSize(QPageSize::A5);
        break;
    case PaperSize::Custom:
        break;
    }
    return QPageLayout(
        size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

} // namespace

PreviewWindow::PreviewWindow(Document doc, QWidget *parent)
    : QDialog(parent)
    , m_doc(std::move(doc))
{
    buildUi();
    refresh();
}

PreviewWindow::PreviewWindow(Document shell, std::unique_ptr<Paginator> paginator, QWidget *parent)
    : QDialog(parent)
    , m_doc(std::move(shell))
    , m_paginator(std::move(paginator))
{
    buildUi();
    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, [this] { generateNextPage(); });
    // The first page shows at once; the others follow while the window is already usable.
    if (generateNextPage())
        m_timer->start();
    refresh();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::buildUi()
{
    setWindowTitle(QStringLiteral("Druck-Vorschau"));
    setSizeGripEnabled(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(m_toolBar);
    m_pageLabel = new QLabel(this);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    buildActions();

    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea { background: #808080; }"));
    m_view = new PageView;
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    // The zoom follows the room the page has, whenever that changes: also on the first
    // layout, which a window manager may or may not follow with resizes of its own.
    m_scroll->viewport()->installEventFilter(this);
    layout->addWidget(m_scroll, 1);
}

void PreviewWindow::buildActions()
{
    for (const ActionSpec &spec : kActions) {
        if (spec.separatorBefore)
            m_toolBar->addSeparator();
        QAction *action = m_toolBar->addAction(QString::fromUtf8(spec.text));
        action->setToolTip(QString::fromUtf8(spec.tip));
        if (spec.icon)
            action->setIcon(style()->standardIcon(*spec.icon));
        connect(action, &QAction::triggered, this, [this, run = spec.run] { run(*this); });
        m_actions[std::size_t(spec.action)] = action;
        // Navigation shows only its arrows (the tooltips name them), so the bar fits the
        // window; the page number sits between them.
        if (isNavigation(spec.action)) {
            if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(action)))
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
        if (spec.action == Action::PreviousPage)
            m_toolBar->addWidget(m_pageLabel);
    }
}

bool PreviewWindow::generateNextPage()
{
    if (!m_paginator)
        return false;
    try {
        std::optional<Page> page = m_paginator->nextPage();
        if (!page) {
            stopGenerating();
            return false;
        }
        m_doc.pages.push_back(std::move(*page));
    } catch (const Error &e) {
        stopGenerating();
        ui().message(e.message());
        return false;
    }
    refresh();
    return true;
}

void PreviewWindow::stopGenerating()
{
    if (m_timer)
        m_timer->stop();
    m_paginator.reset();
    refresh();
}

void PreviewWindow::generateAll()
{
    if (!m_paginator)
        return;
    BusyCursor busy;
    while (generateNextPage()) { }
}

QString PreviewWindow::pageText() const
{
    const std::size_t count = m_doc.pages.size();
    return QStringLiteral("Seite %1 von %2").arg(count ? m_current + 1 : 0).arg(count);
}

void PreviewWindow::showPage(std::size_t index)
{
    while (index >= m_doc.pages.size() && generateNextPage()) { }
    m_current = m_doc.pages.empty() ? 0 : std::min(index, m_doc.pages.size() - 1);
    refresh();
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::refresh()
{
    if (!m_view)
        return;
    const std::size_t count = m_doc.pages.size();
    m_view->setPage(count ? &m_doc.pages[m_current] : nullptr, m_doc.pageSize());
    m_pageLabel->setText(pageText());
    const bool more = m_current + 1 < count || m_paginator;
    action(Action::FirstPage)->setEnabled(m_current > 0);
    action(Action::PreviousPage)->setEnabled(m_current > 0);
    action(Action::NextPage)->setEnabled(more);
    action(Action::LastPage)->setEnabled(more);
    action(Action::Print)->setEnabled(count > 0 || m_paginator);
    applyZoom();
}

void PreviewWindow::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    applyZoom();
}

void PreviewWindow::applyZoom()
{
    const QSizeF page = m_doc.pageSize();
    const QSize room = m_scroll->viewport()->size() - QSize(40, 40);
    double zoom = 1.0;
    if (m_zoomMode == ZoomMode::WholePage)
        zoom = std::min(room.width() / page.width(), room.height() / page.height());
    else if (m_zoomMode == ZoomMode::PageWidth)
        zoom = (room.width() - m_scroll->verticalScrollBar()->sizeHint().width()) / page.width();
    m_view->setZoom(zoom);
    m_view->resize(m_view->sizeHint().expandedTo(m_scroll->viewport()->size()));
}

// A window nobody sized opens as large as the screen comfortably allows. Done here, after the
// first layout and before the window appears, so no window manager is needed for it.
void PreviewWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous() && !testAttribute(Qt::WA_Resized)) {
        resize(initialSize());
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
    // The viewport's final size arrives with the layout's next pass.
    QTimer::singleShot(0, this, &PreviewWindow::applyZoom);
}

QSize PreviewWindow::initialSize() const
{
    const QScreen *s = screen();
    const QSize available = s ? s->availableGeometry().size() : QSize(1024, 768);
    return QSize(available.width() * 9 / 10, available.height() * 9 / 10)
        .expandedTo(minimumSizeHint());
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        applyZoom();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::showLastPage()
{
    generateAll();
    showPage(m_doc.pages.empty() ? 0 : m_doc.pages.size() - 1);
}

void PreviewWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(m_current + 1);
        break;
    case Qt::Key_PageUp:
        showPage(m_current > 0 ? m_current - 1 : 0);
        break;
    case Qt::Key_Home:
        showPage(0);
        break;
    case Qt::Key_End:
        showLastPage();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void PreviewWindow::printerSetup()
{
    m_printer.setPageLayout(printerLayout(m_doc));
    ui().pageSetupDialog(&m_printer, this);
}

void PreviewWindow::print()
{
    generateAll();
    if (m_doc.pages.empty())
        return;
    m_printer.setDocName(m_doc.title);
    m_printer.setFromTo(1, int(m_doc.pages.size()));
    if (!ui().printDialog(&m_printer, this))
        return;
    try {
        BusyCursor busy;
        printTo(m_printer);
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void PreviewWindow::printTo(QPrinter &printer)
{
    printer.setFullPage(true);
    if (printer.pageLayout().fullRectPoints().isEmpty())
        printer.setPageLayout(printerLayout(m_doc));
    const int from = std::max(1, printer.fromPage());
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), int(m_doc.pages.size()))
                                        : int(m_doc.pages.size());
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(QStringLiteral("Der Drucker kann nicht angesprochen werden."));
    const double scale = printer.resolution() / kPixelsPerInch;
    for (int n = from; n <= to; ++n) {
        if (n > from)
            printer.newPage();
        renderPage(m_doc.pages[std::size_t(n - 1)], painter, scale);
    }
    painter.end();
}

void PreviewWindow::save()
{
    generateAll();
    const QString filter = documentFileFilter() + QStringLiteral(";;") + exportFileFilter();
    const QString path = ui().saveFileName(
        QStringLiteral("Bericht speichern"), QString(), filter, documentSuffix());
    if (path.isEmpty())
        return;
    try {
        saveAs(m_doc, path, this);
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void PreviewWindow::openSaved()
{
    const QString path
        = ui().openFileName(QStringLiteral("Bericht öffnen"), QString(), documentFileFilter());
    if (path.isEmpty())
        return;
    try {
        Document doc = loadDocument(path);
        stopGenerating();
        m_doc = std::move(doc);
        m_current = 0;
        refresh();
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

namespace {

class WindowPreviewer final : public Previewer {
public:
    void previewAndWait(Report &report) override
    {
        Document doc;
        {
            BusyCursor busy;
            doc = report.generate();
        }
        PreviewWindow window(std::move(doc));
        ui().runModal(&window);
    }

    void previewWhileGenerating(Report &report) override
    {
        PreviewWindow window(report.emptyDocument(), report.paginate());
        ui().runModal(&window);
    }
};

} // namespace

void installWindowPreviewer()
{
    installPreviewer(std::make_unique<WindowPreviewer>());
}

} // namespace kb::report
