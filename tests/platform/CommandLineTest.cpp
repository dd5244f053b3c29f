#include "platform/os/CommandLine.h"

#include <gtest/gtest.h>

namespace tarnwick::os {
namespace {

TEST(CommandLineTest, SwitchesAreFoundWithEitherMarkAndAnyCase)
{
    const TStringList saved = CommandLineArgs();
    SetCommandLineArgs({"/automation", "file.txt", "-Embedding"});
    EXPECT_TRUE(FindCmdLineSwitch("AUTOMATION"));
    EXPECT_TRUE(FindCmdLineSwitch("embedding"));
    EXPECT_FALSE(FindCmdLineSwitch("file.txt"));
    EXPECT_FALSE(FindCmdLineSwitch("AUTO"));
    SetCommandLineArgs({});
    EXPECT_FALSE(FindCmdLineSwitch("AUTOMATION"));
    SetCommandLineArgs(saved);
}

} // namespace
} // namespace tarnwick::os
