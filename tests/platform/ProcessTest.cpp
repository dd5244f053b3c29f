#include "platform/os/Process.h"
#include "platform/os/ProcessCommandLine.h"

#include "support/ChildProcess.h"
#include "support/PathSandbox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tarnwick::os {
namespace {

TEST(CommandLineToArgsTest, FollowsTheRuntimeQuotingRules)
{
    const std::pair<const char*, TStringList> cases[] = {
        {R"("C:\Program Files\Tool.exe" /SERVER)", {R"(C:\Program Files\Tool.exe)", "/SERVER"}},
        {R"(C:\Tools\Check.exe)", {R"(C:\Tools\Check.exe)"}},
        {"prog  a\tb  ", {"prog", "a", "b"}},
        {R"(prog "a b" c"d e"f)", {"prog", "a b", "cd ef"}},
        {R"(prog a\\\"b "c\\" d\e)", {"prog", R"(a\"b)", R"(c\)", R"(d\e)"}},
        {R"(prog "a""b" "")", {"prog", R"(a"b)", ""}},
        {R"(prog \\server\share\x)", {"prog", R"(\\server\share\x)"}},
        {R"("C:\a\"b c)", {R"(C:\a\)", "b", "c"}}, // the program takes no escapes
        {R"("unterminated program)", {"unterminated program"}},
        {"", {""}},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(CommandLineToArgs(line), expected) << line;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ProcessTest, RunsAMappedProgramInItsWorkingFolderAndReportsItsExitCode)
{
    test::PathSandbox paths;
    const std::string tools = paths.MakeFolder("unc/SRV01/Share/Tools");
    std::filesystem::copy_file(test::ChildProcess::TestProgram("exitwith"), tools + "/Check.exe");
    const std::string report = paths.Folder() / "report.txt";

    auto process =
        Processes().Start(R"("\\SRV01\Share\Tools\Check.exe" 3 )" + report + R"( "two words" x\"y)", 2,
                          R"(\\SRV01\Share\Tools\)");
    ASSERT_NE(process, nullptr);
    while (!process->WaitFor(1)) {
    }
    EXPECT_EQ(process->ExitCode(), 3);
    EXPECT_EQ(ReadAll(report), std::filesystem::canonical(tools).string() + "\n2\ntwo words\nx\"y\n");
}

TEST(ProcessTest, AProgramThatCannotBeStartedGivesNothing)
{
    test::PathSandbox paths;
    const std::string exitwith = test::ChildProcess::TestProgram("exitwith");
    EXPECT_EQ(Processes().Start(R"(\\SRV01\Share\Missing.exe /SERVER)", 2, ""), nullptr);
    EXPECT_EQ(Processes().Start("no-such-program-anywhere", 2, ""), nullptr);
    EXPECT_EQ(Processes().Start(exitwith + " 0", 2, R"(\\SRV01\NoSuchFolder\)"), nullptr);
    EXPECT_EQ(Processes().Start("", 2, ""), nullptr);
    test::TempFolder folder;
    const std::string text = folder / "text.exe";
    std::ofstream(text) << "not a program";
    EXPECT_EQ(Processes().Start(text, 2, ""), nullptr);
}

TEST(ProcessTest, WaitForGivesUpAfterItsTimeoutAndADroppedProgramRunsOn)
{
    test::TempFolder folder;
    const std::string report = folder / "report.txt";
    // "sleep" is looked up in PATH: a name without a folder.
    auto sleeper = Processes().Start("sleep 0.3", 2, "");
    ASSERT_NE(sleeper, nullptr);
    EXPECT_FALSE(sleeper->WaitFor(1));
    sleeper.reset();
    auto process = Processes().Start(test::ChildProcess::TestProgram("exitwith") + " 0 " + report, 2, "");
    ASSERT_NE(process, nullptr);
    process.reset();
    for (int i = 0; i < 500 && !std::filesystem::exists(report); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(std::filesystem::exists(report));
}

TEST(ProgramFileNameTest, IsThisProgramUnlessATestSetsAnother)
{
    EXPECT_EQ(std::filesystem::path(ProgramFileName()).filename(), "platform_tests");
    SetProgramFileName("/opt/x/Tarnwick");
    EXPECT_EQ(ProgramFileName(), "/opt/x/Tarnwick");
    SetProgramFileName("");
    EXPECT_EQ(std::filesystem::path(ProgramFileName()).filename(), "platform_tests");
}

TEST(ProgramFileNameTest, FindsItsOwnFileInAFolderWhoseNameIsNotUtf8)
{
    test::TempFolder folder;
    const std::filesystem::path programs = folder.Path() / "Caf\xE9";
    std::filesystem::create_directory(programs);
    std::filesystem::copy_file(test::ChildProcess::TestProgram("programfile"), programs / "Tarnwick");
    test::ChildProcess program((programs / "Tarnwick").string(), {});
    EXPECT_EQ(program.ReadLine(), "found");
}

} // namespace
} // namespace tarnwick::os
