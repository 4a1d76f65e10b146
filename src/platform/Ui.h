#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>

class QWidget;
class QPrinter;

namespace kb {

// Every interaction that blocks or leaves the process goes through this seam.
// The desktop program installs the Qt implementation; tests install a scripted one.
class Ui {
public:
    virtual ~Ui() = default;

    // Message box with an OK button.
    virtual void message(const QString &text) = 0;
    // Yes/No question; true means Yes.
    virtual bool question(const QString &text) = 0;
    // Single-line input; nullopt when cancelled. `password` hides what is typed.
    virtual std::optional<QString> inputQuery(
        const QString &caption, const QString &prompt, const QString &value, bool password = false)
        = 0;
    // File dialogs; an empty string when cancelled. `filter` in Qt's "Name (*.ext)" form.
    virtual QString openFileName(const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QString saveFileName(const QString &caption, const QString &dir, const QString &filter,
        const QString &defaultSuffix)
        = 0;
    virtual QString directory(const QString &caption, const QString &dir) = 0;
    virtual std::optional<QFont> font(const QFont &initial) = 0;
    virtual std::optional<QColor> color(const QColor &initial) = 0;
    // Runs a modal dialog and returns its result code (QDialog::Accepted = 1). A window that
    // is no dialog (the form designer) is shown application-modal until it closes; 0.
    virtual int runModal(QWidget *dialog) = 0;
    virtual bool printDialog(QPrinter *printer, QWidget *parent) = 0;
    virtual bool pageSetupDialog(QPrinter *printer, QWidget *parent) = 0;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
    virtual bool openUrl(const QString &url) = 0;
    virtual QImage clipboardImage() = 0;
    virtual void setClipboardImage(const QImage &image) = 0;
};

// The installed seam. Without an installed one, a quiet fallback answers every question
// with No and cancels every dialog, so headless code never blocks.
Ui &ui();
// Installs `ui` and returns the previous one (which the caller may restore).
std::unique_ptr<Ui> installUi(std::unique_ptr<Ui> ui);
// The quiet seam of the fallback, for code without windows (the command line): messages go
// to the log, questions are answered No, dialogs are cancelled, and every input query gets
// `answer` (nullopt: cancelled).
std::unique_ptr<Ui> headlessUi(std::optional<QString> answer = std::nullopt);

// Shows the hourglass while alive.
class BusyCursor {
public:
    BusyCursor() { ui().setBusy(true); }
    ~BusyCursor() { ui().setBusy(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace kb
