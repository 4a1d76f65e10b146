#include "support/ScriptedUi.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace kb::test {

void ScriptedUi::answerColor(std::optional<QColor> c)
{
    Answer a { Kind::Color, c.has_value(), {} };
    a.color = c.value_or(QColor());
    m_answers.push_back(a);
}

void ScriptedUi::answerFont(std::optional<QFont> f)
{
    Answer a { Kind::Font, f.has_value(), {} };
    a.font = f.value_or(QFont());
    m_answers.push_back(a);
}

void ScriptedUi::answerModal(int result, std::function<void(QWidget *)> onShow)
{
    Answer a { Kind::Modal, true, {} };
    a.result = result;
    a.onShow = std::move(onShow);
    m_answers.push_back(std::move(a));
}

void ScriptedUi::clear()
{
    m_answers.clear();
    m_messages.clear();
    m_questions.clear();
    m_prompts.clear();
    m_urls.clear();
    m_beeps = 0;
}

std::optional<ScriptedUi::Answer> ScriptedUi::take(Kind kind, const QString &what)
{
    if (m_answers.empty() || m_answers.front().kind != kind) {
        ADD_FAILURE() << "unexpected dialog: " << what.toStdString();
        return std::nullopt;
    }
    Answer a = std::move(m_answers.front());
    m_answers.pop_front();
    return a;
}

void ScriptedUi::message(const QString &text)
{
    m_messages.append(text);
}

bool ScriptedUi::question(const QString &text)
{
    m_questions.append(text);
    const auto a = take(Kind::Question, QStringLiteral("question: ") + text);
    return a && a->accept;
}

std::optional<QString> ScriptedUi::inputQuery(
    const QString &caption, const QString &prompt, const QString &, bool)
{
    m_prompts.append(prompt);
    const auto a
        = take(Kind::Input, QStringLiteral("input: ") + caption + QLatin1Char('/') + prompt);
    if (!a || !a->accept)
        return std::nullopt;
    return a->text;
}

QString ScriptedUi::openFileName(const QString &caption, const QString &, const QString &)
{
    const auto a = take(Kind::File, QStringLiteral("open file: ") + caption);
    return a ? a->text : QString();
}

QString ScriptedUi::saveFileName(
    const QString &caption, const QString &, const QString &, const QString &)
{
    const auto a = take(Kind::File, QStringLiteral("save file: ") + caption);
    return a ? a->text : QString();
}

QString ScriptedUi::directory(const QString &caption, const QString &)
{
    const auto a = take(Kind::Directory, QStringLiteral("directory: ") + caption);
    return a ? a->text : QString();
}

std::optional<QFont> ScriptedUi::font(const QFont &)
{
    const auto a = take(Kind::Font, QStringLiteral("font dialog"));
    if (!a || !a->accept)
        return std::nullopt;
    return a->font;
}

std::optional<QColor> ScriptedUi::color(const QColor &)
{
    const auto a = take(Kind::Color, QStringLiteral("colour dialog"));
    if (!a || !a->accept)
        return std::nullopt;
    return a->color;
}

int ScriptedUi::runModal(QWidget *dialog)
{
    const auto a = take(Kind::Modal,
        QStringLiteral("modal dialog: ") + (dialog ? dialog->windowTitle() : QString()));
    if (!a)
        return 0;
    if (a->onShow)
        a->onShow(dialog);
    return a->result;
}

bool ScriptedUi::printDialog(QPrinter *, QWidget *)
{
    const auto a = take(Kind::Print, QStringLiteral("print dialog"));
    return a && a->accept;
}

bool ScriptedUi::pageSetupDialog(QPrinter *, QWidget *)
{
    const auto a = take(Kind::Print, QStringLiteral("page setup dialog"));
    return a && a->accept;
}

ScopedScriptedUi::ScopedScriptedUi()
{
    auto ui = std::make_unique<ScriptedUi>();
    m_ui = ui.get();
    m_previous = installUi(std::move(ui));
}

ScopedScriptedUi::~ScopedScriptedUi()
{
    installUi(std::move(m_previous));
}

} // namespace kb::test
