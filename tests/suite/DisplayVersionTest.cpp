#include "suite/DisplayVersion.h"

#include "platform/core/Exceptions.h"
#include "platform/os/CommandLine.h"
#include "support/SimulatedSuite.h"

#include <gtest/gtest.h>

#include <ctime>
#include <utime.h>

namespace tarnwick {
namespace {

class DisplayVersionTest : public ::testing::Test {
protected:
    DisplayVersionTest() { os::SetCommandLineArgs({"/AUTOMATION"}); }

    void SetSpecialVersion(const std::string& name)
    {
        suite.SetSetting("TaxMaster", "MasterSettings", "SpecialVersion", name);
    }

    // Gives the program file its last change at a local time.
    void SetProgramDate(int year, int month, int day, int hour, int minute, int second)
    {
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_sec = second;
        local.tm_isdst = -1;
        const utimbuf times{std::mktime(&local), std::mktime(&local)};
        ASSERT_EQ(utime(suite.ProgramFile().c_str(), &times), 0);
    }

    test::SimulatedSuite suite{1};
};

TEST_F(DisplayVersionTest, ReleaseBuildShowsTheYearReleaseAndTheSuffixKeepsItsFirstValue)
{
    EXPECT_EQ(GetDisplayVersion(), "2025 R2");
    EXPECT_EQ(VersionSuffix(), " 2025 R2");

    SetSpecialVersion("Hotfix 3");
    EXPECT_EQ(GetDisplayVersion(), "2025 R2 Hotfix 3");
    EXPECT_EQ(VersionSuffix(), " 2025 R2");
    ResetVersionSuffix();
    EXPECT_EQ(VersionSuffix(), " 2025 R2 Hotfix 3");
}

TEST_F(DisplayVersionTest, PreReleaseBuildIsMarkedBeta)
{
    suite.UseProgram("0x2");
    EXPECT_EQ(GetDisplayVersion(), "2025 R2 Beta");
    EXPECT_EQ(VersionSuffix(), " 2025 R2 Beta");
}

TEST_F(DisplayVersionTest, TestBuildsAddTheirKindAndTheProgramFilesDate)
{
    suite.UseProgram("0", true);
    SetProgramDate(2025, 11, 3, 14, 5, 9);
    EXPECT_EQ(VersionSuffix(), " 2025 R2 - SYSTEM TEST 03/11/2025");

    // A debug build is of no known kind.
    ResetVersionSuffix();
    suite.UseProgram("0x1");
    SetProgramDate(2025, 11, 3, 14, 5, 9);
    EXPECT_EQ(VersionSuffix(), " 2025 R2 - UNKNOWN 03/11/2025 14:05:09");
}

TEST_F(DisplayVersionTest, ADatabaseErrorIsReportedAndLeavesOutTheSpecialVersion)
{
    SetSpecialVersion("Hotfix 3");
    suite.Sim->FailStatement("SpecialVersion", "Invalid object name 'MasterSettings'.");
    EXPECT_EQ(VersionSuffix(), " 2025 R2");
    ASSERT_EQ(suite.Reported.size(), 1u);
    EXPECT_EQ(suite.Reported.front().substr(0, 37), "Invalid object name 'MasterSettings'.");

    suite.Sim->ClearFailures();
    EXPECT_EQ(VersionSuffix(), " 2025 R2");
}

TEST_F(DisplayVersionTest, AnErrorThatIsNotTheClientLibrarysEscapesUnreported)
{
    // MasterCon's first connect loads the catalogue, which fails on a missing column with
    // the query's own error.
    suite.Sim->Execute("TaxMaster", "DROP TABLE KQ22");
    suite.Sim->Execute("TaxMaster", "CREATE TABLE KQ22 (DataNumber INT, Description VARCHAR(100))");
    suite.Sim->Execute("TaxMaster", "INSERT INTO KQ22 (DataNumber, Description) VALUES (1, 'Dataset1')");
    EXPECT_THROW(GetDisplayVersion(), EDatabaseError);
    EXPECT_TRUE(suite.Reported.empty());
}

} // namespace
} // namespace tarnwick
