#include "report/PreviewWindow.h"

#include "platform/Error.h"
#include "platform/Ui.h"
#include "report/DocumentFile.h"
#include "report/PageView.h"
#include "report/Previewer.h"
#include "report/Renderer.h"
#include "report/Report.h"
#include "report/Writers.h"
#ifdef KB_REPORT_EXPORT
#include "report/export/Export.h"
#endif

#include <QAction>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb::report {
namespace {

const QString &reportFilter()
{
    static const QString filter = QStringLiteral("Kronoblatt-Bericht (*.kbr)");
    return filter;
}

QString saveFilter()
{
#ifdef KB_REPORT_EXPORT
    return reportFilter() + QStringLiteral(";;") + exportFileFilter();
#else
    return reportFilter()
        + QStringLiteral(";;PDF-Datei (*.pdf);;PNG-Bild (*.png);;SVG-Grafik (*.svg)");
#endif
}

// Writes the document in the format its suffix names; our own format without a suffix.
void saveAs(const Document &doc, QString path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty())
        path += QStringLiteral(".kbr");
    if (suffix.isEmpty() || suffix == QLatin1String("kbr")) {
        saveDocument(doc, path);
        return;
    }
#ifdef KB_REPORT_EXPORT
    if (isExportFormat(path)) {
        exportDocument(doc, path);
        return;
    }
#endif
    if (suffix == QLatin1String("pdf"))
        writePdf(doc, path);
    else if (suffix == QLatin1String("png"))
        writePng(doc, path);
    else if (suffix == QLatin1String("svg"))
        writeSvg(doc, path);
    else
        throw Error(QStringLiteral("Das Dateiformat \"%1\" wird nicht unterstützt.").arg(suffix));
}

QPageLayout printerLayout(const Document &doc)
{
    const bool landscape = doc.orientation == Orientation::Landscape;
    const QSizeF portrait = landscape ? doc.paperSizeMm.transposed() : doc.paperSizeMm;
    QPageSize size(portrait, QPageSize::Millimeter);
    switch (doc.paper) {
    case PaperSize::A3: size = QPageSize(QPageSize::A3); break;
    case PaperSize::A4: size = QPageSize(QPageSize::A4); break;
    case PaperSize::A5: size = QPageSize(QPageSize::A5); break;
    case PaperSize::Custom: break;
    }
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

} // namespace

PreviewWindow::PreviewWindow(Document doc, QWidget *parent)
    : QDialog(parent)
    , m_doc(std::move(doc))
{
    buildUi();
    refresh();
}

PreviewWindow::PreviewWindow(Document shell, std::unique_ptr<Paginator> paginator,
                             QWidget *parent)
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
    resize(1000, 760);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(m_toolBar);

    connect(addAction(QStringLiteral("wholePage"), QStringLiteral("Ganze Seite"),
                      QStringLiteral("Ganze Seite zeigen")),
            &QAction::triggered, this, [this] { setZoomMode(ZoomMode::WholePage); });
    connect(addAction(QStringLiteral("actualSize"), QStringLiteral("100 %"),
                      QStringLiteral("In Originalgröße zeigen")),
            &QAction::triggered, this, [this] { setZoomMode(ZoomMode::Actual); });
    connect(addAction(QStringLiteral("pageWidth"), QStringLiteral("Seitenbreite"),
                      QStringLiteral("Auf Seitenbreite zoomen")),
            &QAction::triggered, this, [this] { setZoomMode(ZoomMode::PageWidth); });
    m_toolBar->addSeparator();
    connect(addAction(QStringLiteral("firstPage"), QStringLiteral("Erste"),
                      QStringLiteral("Erste Seite")),
            &QAction::triggered, this, [this] { showPage(0); });
    connect(addAction(QStringLiteral("previousPage"), QStringLiteral("Vorherige"),
                      QStringLiteral("Vorherige Seite")),
            &QAction::triggered, this, [this] { showPage(m_current > 0 ? m_current - 1 : 0); });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("pageNumber"));
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    m_toolBar->addWidget(m_pageLabel);
    connect(addAction(QStringLiteral("nextPage"), QStringLiteral("Nächste"),
                      QStringLiteral("Nächste Seite")),
            &QAction::triggered, this, [this] { showPage(m_current + 1); });
    connect(addAction(QStringLiteral("lastPage"), QStringLiteral("Letzte"),
                      QStringLiteral("Letzte Seite")),
            &QAction::triggered, this, [this] {
                generateAll();
                showPage(m_doc.pages.empty() ? 0 : m_doc.pages.size() - 1);
            });
    m_toolBar->addSeparator();
    connect(addAction(QStringLiteral("printerSetup"), QStringLiteral("Druckereinrichtung"),
                      QStringLiteral("Drucker einrichten")),
            &QAction::triggered, this, &PreviewWindow::printerSetup);
    connect(addAction(QStringLiteral("print"), QStringLiteral("Drucken"),
                      QStringLiteral("Bericht drucken")),
            &QAction::triggered, this, &PreviewWindow::print);
    m_toolBar->addSeparator();
    connect(addAction(QStringLiteral("open"), QStringLiteral("Öffnen"),
                      QStringLiteral("Gespeicherten Bericht öffnen")),
            &QAction::triggered, this, &PreviewWindow::open);
    connect(addAction(QStringLiteral("save"), QStringLiteral("Speichern"),
                      QStringLiteral("Bericht speichern oder exportieren")),
            &QAction::triggered, this, &PreviewWindow::save);
    m_toolBar->addSeparator();
    connect(addAction(QStringLiteral("close"), QStringLiteral("Schließen"),
                      QStringLiteral("Vorschau schließen")),
            &QAction::triggered, this, &QDialog::accept);

    const auto icon = [this](const char *name, QStyle::StandardPixmap pixmap) {
        findChild<QAction *>(QString::fromLatin1(name))->setIcon(style()->standardIcon(pixmap));
    };
    icon("firstPage", QStyle::SP_MediaSkipBackward);
    icon("previousPage", QStyle::SP_ArrowLeft);
    icon("nextPage", QStyle::SP_ArrowRight);
    icon("lastPage", QStyle::SP_MediaSkipForward);
    icon("open", QStyle::SP_DialogOpenButton);
    icon("save", QStyle::SP_DialogSaveButton);
    icon("close", QStyle::SP_DialogCloseButton);
    // Navigation shows only its arrows (the tooltips name them), so the bar fits the window.
    for (const char *name : {"firstPage", "previousPage", "nextPage", "lastPage"}) {
        QAction *action = findChild<QAction *>(QString::fromLatin1(name));
        if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }

    m_scroll = new QScrollArea(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setStyleSheet(QStringLiteral("QScrollArea { background: #808080; }"));
    m_view = new PageView;
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);
}

QAction *PreviewWindow::addAction(const QString &name, const QString &text, const QString &tip)
{
    QAction *action = m_toolBar->addAction(text);
    action->setObjectName(name);
    action->setToolTip(tip);
    return action;
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
    while (generateNextPage()) {
    }
}

QString PreviewWindow::pageText() const
{
    const std::size_t count = m_doc.pages.size();
    return QStringLiteral("Seite %1 von %2").arg(count ? m_current + 1 : 0).arg(count);
}

void PreviewWindow::showPage(std::size_t index)
{
    while (index >= m_doc.pages.size() && generateNextPage()) {
    }
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
    findChild<QAction *>(QStringLiteral("firstPage"))->setEnabled(m_current > 0);
    findChild<QAction *>(QStringLiteral("previousPage"))->setEnabled(m_current > 0);
    findChild<QAction *>(QStringLiteral("nextPage"))->setEnabled(more);
    findChild<QAction *>(QStringLiteral("lastPage"))->setEnabled(more);
    findChild<QAction *>(QStringLiteral("print"))->setEnabled(count > 0 || m_paginator);
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

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    applyZoom();
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
        generateAll();
        showPage(m_doc.pages.empty() ? 0 : m_doc.pages.size() - 1);
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
    const QString path = ui().saveFileName(QStringLiteral("Bericht speichern"), QString(),
                                           saveFilter(), QStringLiteral("kbr"));
    if (path.isEmpty())
        return;
    try {
        BusyCursor busy;
        saveAs(m_doc, path);
    } catch (const Error &e) {
        ui().message(e.message());
    }
}

void PreviewWindow::open()
{
    const QString path = ui().openFileName(QStringLiteral("Bericht öffnen"), QString(),
                                           reportFilter());
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

class WindowPreviewer final : public Previewer
{
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
