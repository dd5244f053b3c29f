#include "suite/ProgramLauncher.h"

#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"
#include "suite/VexholmRegistry.h"
#include "support/ChildProcess.h"
#include "support/OsSandbox.h"
#include "support/ScriptedToolkit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace tarnwick {
namespace {

TEST(QuoteProgramPathTest, QuotesTheProgramUpToTheFirstBlankAfterItsFolder)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(\\SRV01\VexholmTaxationReadOnly\Tools\Kelmoor.exe /SERVER)",
         R"("\\SRV01\VexholmTaxationReadOnly\Tools\Kelmoor.exe" /SERVER)"},
        {R"(C:\Tools\Check.exe)", R"("C:\Tools\Check.exe")"},
        {R"(C:\Program Files\Tools\Check.exe /X)", R"("C:\Program Files\Tools\Check.exe" /X)"},
        {R"("C:\Tools\Check.exe" /X)", R"("C:\Tools\Check.exe" /X)"},
        {R"(C:\Tools\Check.exe /NAME "a b")", R"(C:\Tools\Check.exe /NAME "a b")"}, // ends with a quote
        {"Check.exe /X", "Check.exe /X"},                                           // no folder
        {"C:Check.exe /X", R"("C:Check.exe" /X)"},
        {"", ""},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(QuoteProgramPath(line), expected) << line;
}

class ProgramLauncherTest : public ::testing::Test {
protected:
    test::OsSandbox os;
    test::ScopedScriptedToolkit toolkit;
    std::string tools = os.Paths.MakeFolder("unc/SRV01/VexholmTaxationReadOnly/Tools");
    std::string report = os.Paths.Folder() / "report.txt";

    ProgramLauncherTest() { ResetSuiteEnvironment(); }
    ~ProgramLauncherTest() override { ResetSuiteEnvironment(); }

    void InstallProgram(const std::string& name)
    {
        std::filesystem::copy_file(test::ChildProcess::TestProgram("exitwith"), tools + "/" + name);
    }
    TStringList Report()
    {
        std::ifstream in(report);
        TStringList lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

TEST_F(ProgramLauncherTest, WaitsForTheExitCodeWhilePumpingMessages)
{
    const std::string programs = os.Paths.MakeFolder("unc/SRV01/Apps/Program Files");
    std::filesystem::copy_file(test::ChildProcess::TestProgram("exitwith"), programs + "/Brevalt.exe");
    EXPECT_TRUE(RunProgramAndWait(R"(\\SRV01\Apps\Program Files\Brevalt.exe 3 )" + report, 2, true, ""));
    EXPECT_EQ(LastExitCode(), 3);
    EXPECT_EQ(Report().at(1), "2");

    EXPECT_TRUE(RunProgramAndWait(test::ChildProcess::TestProgram("exitwith") + " 0 " + report + " /BACKUP",
                                  2, false, R"(\\SRV01\VexholmTaxationReadOnly\Tools\)"));
    EXPECT_EQ(LastExitCode(), 0);
    EXPECT_EQ(Report(), (TStringList{std::filesystem::canonical(tools).string(), "2", "/BACKUP"}));
}

TEST_F(ProgramLauncherTest, TheWaitKeepsTheWindowAliveAndWorkPostedToItRuns)
{
    int pumps = 0;
    toolkit->OnProcessMessages([&] { ++pumps; });
    EXPECT_TRUE(RunProgramAndWait("sleep 0.2", 2, true, ""));
    EXPECT_EQ(LastExitCode(), 0);
    EXPECT_GT(pumps, 10);
}

TEST_F(ProgramLauncherTest, AFailedStartIsFalseAndKeepsTheLastExitCode)
{
    InstallProgram("Three.exe");
    ASSERT_TRUE(RunProgramAndWait(R"(\\SRV01\VexholmTaxationReadOnly\Tools\Three.exe 3)", 2, true, ""));
    EXPECT_FALSE(RunProgramAndWait(R"(\\SRV01\VexholmTaxationReadOnly\Tools\Missing.exe 0)", 2, true, ""));
    EXPECT_FALSE(StartProgram(R"(\\SRV01\VexholmTaxationReadOnly\Tools\Missing.exe 0)", 2, true, ""));
    EXPECT_EQ(LastExitCode(), 3);
}

TEST_F(ProgramLauncherTest, AnEndRequestSeenWhileWaitingEndsTheProgram)
{
    toolkit->OnProcessMessages([&] { toolkit->Terminate(); });
    EXPECT_THROW(RunProgramAndWait("sleep 5", 2, true, ""), test::THaltRequested);
    EXPECT_EQ(toolkit->HaltCode(), 0);
}

TEST_F(ProgramLauncherTest, InstallationCheckerStartsFromToolsAndEndsTheApplication)
{
    os.Registry.SetString(HKEY_CURRENT_USER, std::string(UserSuiteKey), "DataSource", "SRV01\\TAX");
    InitialiseSuiteEnvironment();
    // A stand-in that notes where it runs and what it was given.
    const std::string checker = tools + "/Kelmoor.exe";
    std::ofstream(checker) << "#!/bin/sh\npwd > '" << report << ".tmp'\necho \"$@\" >> '" << report
                           << ".tmp'\nmv '" << report << ".tmp' '" << report << "'\n";
    std::filesystem::permissions(checker, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);

    RunInstallationChecker(1);
    EXPECT_EQ(toolkit->Minimizes(), 1);
    EXPECT_TRUE(toolkit->Terminated());
    EXPECT_TRUE(toolkit->Boxes().empty());
    const TStringList expected = {"Minimize", "Terminate"};
    EXPECT_EQ(toolkit->Trace(), expected);
    EXPECT_GE(toolkit->ProcessMessagesCalls(), 1);
    for (int i = 0; i < 500 && !std::filesystem::exists(report); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Report(), (TStringList{std::filesystem::canonical(tools).string(), "/SERVER"}));
}

TEST_F(ProgramLauncherTest, InstallationCheckerThatCannotStartIsReportedAndTheProgramGoesOn)
{
    os.Registry.SetString(HKEY_CURRENT_USER, std::string(UserSuiteKey), "DataSource", "SRV01\\TAX");
    InitialiseSuiteEnvironment();
    RunInstallationChecker(2);
    EXPECT_FALSE(toolkit->Terminated());
    ASSERT_EQ(toolkit->Boxes().size(), 1u);
    EXPECT_EQ(toolkit->Boxes()[0].Caption, "Error");
    EXPECT_EQ(toolkit->Boxes()[0].Text, "Unable to run Vexholm Installation Checker.\n\rPlease check that "
                                        "Vexholm Taxation was installed correctly.");
}

} // namespace
} // namespace tarnwick
