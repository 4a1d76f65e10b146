// Arbitrary bytes as a form file, read from memory through the reader's own entry point and
// loaded into the form model. Every input is either refused with kb::Error or loads; what
// loads is saved, and the saved bytes load again and save to the same bytes.
// Needs the sources of kb_designer and kb_platform, built with -fsanitize=fuzzer.

#include "designer/FormFile.h"
#include "designer/Formular.h"
#include "platform/Error.h"
#include "platform/Ui.h"

#include <QByteArrayView>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// Loading a form may report missing pictures; nothing else asks the user anything.
class QuietUi final : public kb::Ui {
public:
    void message(const QString &) override { }
    bool question(const QString &) override { return false; }
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

kb::designer::Formular load(QByteArrayView bytes)
{
    const QString name = QStringLiteral("fuzz.qvf");
    kb::designer::Formular form;
    form.loadRecords(kb::designer::parseFormFile(bytes, name), name);
    return form;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    kb::installUi(std::make_unique<QuietUi>());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    kb::designer::Formular form;
    try {
        form = load(QByteArrayView(data, static_cast<qsizetype>(size)));
    } catch (const kb::Error &) {
        return 0; // refused with its message
    }
    // A saved form always loads again (a throw here ends the run) and saves the same way.
    const QByteArray saved = kb::designer::formFileBytes(form.records());
    if (kb::designer::formFileBytes(load(saved).records()) != saved)
        std::abort();
    return 0;
}
