#pragma once

#include "platform/OhneDialogUi.h"

#include <QTextStream>
#include <memory>

namespace kb::cli {

// While a form loads, its messages ("Bild ... nicht gefunden !") go to the error stream;
// the command line asks nothing and opens no dialog.
class StreamUi final : public OhneDialogUi {
public:
    explicit StreamUi(QTextStream &err)
        : m_err(err)
    {
    }
    void message(const QString &text) override { m_err << text << '\n'; }

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
