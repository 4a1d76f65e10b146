#include "support/ScriptedUi.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace kb;

TEST(ScriptedUi, RecordsMessagesAndAnswersInOrder)
{
    test::ScopedScriptedUi scripted;
    scripted->answerQuestion(true);
    scripted->answerInput(QStringLiteral("geheim"));
    scripted->answerInput(std::nullopt);

    ui().message(QStringLiteral("Hallo"));
    EXPECT_TRUE(ui().question(QStringLiteral("Wirklich?")));
    EXPECT_EQ(ui().inputQuery(QStringLiteral("Passwort"), QStringLiteral("Bitte"), {}, true),
        std::optional<QString>(QStringLiteral("geheim")));
    EXPECT_EQ(ui().inputQuery(QStringLiteral("Passwort"), QStringLiteral("Bitte"), {}, true),
        std::nullopt);
    EXPECT_EQ(scripted->messages(), QStringList { QStringLiteral("Hallo") });
    EXPECT_EQ(scripted->questions(), QStringList { QStringLiteral("Wirklich?") });
    EXPECT_TRUE(scripted->scriptDone());
}

TEST(ScriptedUi, UnexpectedDialogFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScopedScriptedUi scripted;
            ui().question(QStringLiteral("Unerwartet?"));
        },
        "unexpected dialog");
}
