#include "platform/Ui.h"

#include "platform/Logging.h"
#include "platform/OhneDialogUi.h"

namespace kb {
namespace {

// Used where no window system is wanted (the command-line program): messages go to the log,
// questions are answered No, dialogs are cancelled, input queries get a fixed answer.
class HeadlessUi final : public OhneDialogUi {
public:
    explicit HeadlessUi(std::optional<QString> answer = std::nullopt)
        : m_answer(std::move(answer))
    {
    }
    void message(const QString &text) override { qCInfo(lcPlatform).noquote() << text; }
    std::optional<QString> inputQuery(
        const QString &, const QString &, const QString &, bool) override
    {
        return m_answer;
    }
    QImage clipboardImage() override { return m_clipboard; }
    void setClipboardImage(const QImage &image) override { m_clipboard = image; }

private:
    std::optional<QString> m_answer;
    QImage m_clipboard;
};

std::unique_ptr<Ui> &slot()
{
    static std::unique_ptr<Ui> installed = std::make_unique<HeadlessUi>();
    return installed;
}

} // namespace

Ui &ui()
{
    return *slot();
}

std::unique_ptr<Ui> headlessUi(std::optional<QString> answer)
{
    return std::make_unique<HeadlessUi>(std::move(answer));
}

std::unique_ptr<Ui> installUi(std::unique_ptr<Ui> ui)
{
    if (!ui)
        ui = std::make_unique<HeadlessUi>();
    std::swap(slot(), ui);
    return ui;
}

} // namespace kb
