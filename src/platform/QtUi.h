#pragma once

#include "platform/Ui.h"

namespace kb {

// The extension an open dialog adds to a name typed without one: that of the dialog's first
// filter when it names exactly one "*.ext" pattern ("Textdateien(*.txt)" gives "txt"),
// otherwise none.
QString standardEndung(const QString &filter);

// The seam as the desktop program shows it: Qt's message boxes and common dialogs.
class QtUi final : public Ui {
public:
    void message(const QString &text) override;
    bool question(const QString &text) override;
    std::optional<QString> inputQuery(const QString &caption, const QString &prompt,
        const QString &value, bool password) override;
    QString openFileName(
        const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter,
        const QString &defaultSuffix) override;
    QString directory(const QString &caption, const QString &dir) override;
    std::optional<QFont> font(const QFont &initial) override;
    std::optional<QColor> color(const QColor &initial) override;
    int runModal(QWidget *dialog) override;
    bool printDialog(QPrinter *printer, QWidget *parent) override;
    bool pageSetupDialog(QPrinter *printer, QWidget *parent) override;
    void beep() override;
    void setBusy(bool busy) override;
    bool openUrl(const QString &url) override;
    QImage clipboardImage() override;
    void setClipboardImage(const QImage &image) override;
};

} // namespace kb
