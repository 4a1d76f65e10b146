#pragma once

#include "platform/Ui.h"

namespace kb {

// A Ui without anybody to answer it: questions get "no", dialogs are cancelled, nothing is
// shown. The command line, the fuzz targets and the program before its windows build on it
// and say only where messages go or what they answer otherwise.
class OhneDialogUi : public Ui {
public:
    void message(const QString &) override { }
    bool question(const QString &text) override
    {
        message(text);
        return false;
    }
    std::optional<QString> inputQuery(
        const QString &, const QString &, const QString &, bool) override
    {
        return std::nullopt;
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(
        const QString &, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString directory(const QString &, const QString &) override { return {}; }
    std::optional<QFont> font(const QFont &) override { return std::nullopt; }
    std::optional<QColor> color(const QColor &) override { return std::nullopt; }
    int runModal(QWidget *) override { return 0; }
    bool printDialog(QPrinter *, QWidget *) override { return false; }
    bool pageSetupDialog(QPrinter *, QWidget *) override { return false; }
    void beep() override { }
    void setBusy(bool) override { }
    bool openUrl(const QString &) override { return false; }
    QImage clipboardImage() override { return {}; }
    void setClipboardImage(const QImage &) override { }
};

} // namespace kb
