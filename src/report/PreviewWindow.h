#pragma once

#include "report/Page.h"
#include "report/Paginator.h"

#include <QDialog>
#include <QPrinter>
#include <array>
#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class QTimer;
class QToolBar;

namespace kb::report {

class PageView;

// "Druck-Vorschau": the pages of a report with zoom, page navigation, printer setup, print,
// open and save (our own format and the export formats). Pages may still be arriving from a
// paginator while the window is open. It opens showing the whole page: size and zoom follow
// the window's first layout, with or without a window manager.
class PreviewWindow final : public QDialog {
    Q_OBJECT
public:
    enum class ZoomMode { WholePage, Actual, PageWidth };
    // The tool bar's actions, in their order.
    enum class Action {
        WholePage,
        ActualSize,
        PageWidth,
        FirstPage,
        PreviousPage,
        NextPage,
        LastPage,
        PrinterSetup,
        Print,
        Open,
        Save,
        Close,
    };
    static constexpr std::size_t kActionCount = std::size_t(Action::Close) + 1;

    explicit PreviewWindow(Document doc, QWidget *parent = nullptr);
    // Shows the pages of `paginator` as they are generated; the paginator's report must
    // outlive the window.
    PreviewWindow(Document shell, std::unique_ptr<Paginator> paginator, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    const Document &document() const { return m_doc; }
    std::size_t currentPage() const { return m_current; } // 0-based
    bool generating() const { return m_paginator != nullptr; }
    QString pageText() const;
    ZoomMode zoomMode() const { return m_zoomMode; }
    PageView *pageView() const { return m_view; }
    QPrinter &printer() { return m_printer; }
    QAction *action(Action a) const { return m_actions[std::size_t(a)]; }

    void showPage(std::size_t index);
    void setZoomMode(ZoomMode mode);
    // Generates the pages still missing, now.
    void generateAll();

    void printerSetup();
    void print();
    void save();
    // Opens a saved report chosen in a file dialog (named apart from QDialog::open(), which
    // shows the window).
    void openSaved();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    void buildActions();
    void showLastPage();
    bool generateNextPage();
    void stopGenerating();
    void refresh();
    void applyZoom();
    void printTo(QPrinter &printer);
    QSize initialSize() const;

    Document m_doc;
    std::unique_ptr<Paginator> m_paginator;
    QTimer *m_timer = nullptr;
    std::size_t m_current = 0;
    ZoomMode m_zoomMode = ZoomMode::WholePage;
    QPrinter m_printer { QPrinter::HighResolution };
    QToolBar *m_toolBar = nullptr;
    QScrollArea *m_scroll = nullptr;
    PageView *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    std::array<QAction *, kActionCount> m_actions {};
};

// The previewer of the desktop program: shows reports in the preview window.
void installWindowPreviewer();

} // namespace kb::report
