#pragma once

#include "platform/Ui.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <variant>

namespace kb::test {

// The Ui seam for tests: records every message and answers from a script.
// An interaction the script does not expect fails the running test.
class ScriptedUi final : public Ui {
public:
    // Script entries, consumed in order by the matching kind of interaction.
    void answerQuestion(bool yes) { m_answers.push_back(Answer { Kind::Question, yes, {} }); }
    void answerInput(std::optional<QString> text)
    {
        m_answers.push_back(Answer { Kind::Input, text.has_value(), text.value_or(QString()) });
    }
    void answerFile(const QString &path) { m_answers.push_back(Answer { Kind::File, true, path }); }
    void answerDirectory(const QString &path)
    {
        m_answers.push_back(Answer { Kind::Directory, true, path });
    }
    void answerColor(std::optional<QColor> c);
    void answerFont(std::optional<QFont> f);
    // A modal dialog: `onShow` may fill the dialog's controls; the result code is returned.
    void answerModal(int result, std::function<void(QWidget *)> onShow = {});
    void answerPrint(bool accept) { m_answers.push_back(Answer { Kind::Print, accept, {} }); }

    const QStringList &messages() const { return m_messages; }
    const QStringList &questions() const { return m_questions; }
    const QStringList &prompts() const { return m_prompts; }
    int beeps() const { return m_beeps; }
    int busyDepth() const { return m_busy; }
    // True when every scripted answer was used.
    bool scriptDone() const { return m_answers.empty(); }
    void clear();

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
    void beep() override { ++m_beeps; }
    void setBusy(bool busy) override { m_busy += busy ? 1 : -1; }
    bool openUrl(const QString &url) override
    {
        m_urls.append(url);
        return true;
    }
    QImage clipboardImage() override { return m_clipboard; }
    void setClipboardImage(const QImage &image) override { m_clipboard = image; }
    const QStringList &openedUrls() const { return m_urls; }

private:
    enum class Kind { Question, Input, File, Directory, Color, Font, Modal, Print };
    struct Answer {
        Answer(Kind k, bool a, QString t)
            : kind(k)
            , accept(a)
            , text(std::move(t))
        {
        }
        Kind kind;
        bool accept = true;
        QString text;
        QColor color;
        QFont font;
        int result = 0;
        std::function<void(QWidget *)> onShow;
    };
    std::optional<Answer> take(Kind kind, const QString &what);

    std::deque<Answer> m_answers;
    QStringList m_messages, m_questions, m_prompts, m_urls;
    QImage m_clipboard;
    int m_beeps = 0;
    int m_busy = 0;
};

// Installs a ScriptedUi for the lifetime of the guard and restores the previous seam.
class ScopedScriptedUi {
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScriptedUi *operator->() { return m_ui; }
    ScriptedUi &operator*() { return *m_ui; }

private:
    ScriptedUi *m_ui;
    std::unique_ptr<Ui> m_previous;
};

} // namespace kb::test
