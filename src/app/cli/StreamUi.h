#pragma once

#include "platform/Ui.h"

#include <QTextStream>
#include <memory>

namespace kb::cli {

// While a form loads, its messages ("Bild ... nicht gefunden !") go to the error stream;
// the command line asks nothing and opens no dialog.
class StreamUi final : public Ui {
public:
    explicit StreamUi(QTextStream &err)
        : m_err(err)
    {
    }
    void message(const QString &text) override { m_err << text << '\n'; }
    bool question(const QString &text) override
    {
        m_err << text << '\n';
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

private:
    QTextStream &m_err;
};

// Installs a StreamUi for the guard's lifetime and puts the previous Ui back.
class ScopedStreamUi {
public:
    explicit ScopedStreamUi(QTextStream &err)
        : m_previous(installUi(std::make_unique<StreamUi>(err)))
    {
    }
    ~ScopedStreamUi() { installUi(std::move(m_previous)); }
    ScopedStreamUi(const ScopedStreamUi &) = delete;
    ScopedStreamUi &operator=(const ScopedStreamUi &) = delete;

private:
    std::unique_ptr<Ui> m_previous;
};

} // namespace kb::cli
