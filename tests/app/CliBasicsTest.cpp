#include "CliTestUtil.h"

#include <gtest/gtest.h>

using kb::test::runCli;

TEST(Cli, HelpAndVersion)
{
    const auto help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("Aufruf: kronoblatt-cli BEFEHL")));

    const auto version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("kronoblatt-cli ")));
}

TEST(Cli, UnknownCommandAndNoArgumentsAreUsageErrors)
{
    EXPECT_EQ(runCli({QStringLiteral("gibtsnicht")}).code, 2);
    EXPECT_EQ(runCli({}).code, 2);
}
