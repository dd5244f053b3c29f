#include "suite/AppInfo.h"

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/os/Process.h"
#include "suite/SuiteEnvironment.h"
#include "suite/VexholmRegistry.h"
#include "support/ElfTestFile.h"
#include "support/OsSandbox.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// A program file with the given file flags, or without version information.
class AppInfoTest : public ::testing::Test {
protected:
    test::OsSandbox os;
    TFormatSettings savedSettings = FormatSettings();
    std::shared_ptr<TFixedClock> clock = std::make_shared<TFixedClock>(EncodeDate(2025, 12, 8) + 0.5);
    std::shared_ptr<IClock> previousClock = SetClock(clock);

    AppInfoTest()
    {
        ResetSuiteEnvironment();
        FinaliseAppInfo();
    }
    ~AppInfoTest() override
    {
        FinaliseAppInfo();
        ResetSuiteEnvironment();
        os::SetProgramFileName("");
        SetClock(previousClock);
        FormatSettings() = savedSettings;
    }

    void UseProgram(const std::string& flags)
    {
        const std::string path = os.Paths.Folder() / "Tarnwick";
        std::string block = "TARNWICK VERSIONINFO 1\n";
        if (flags != "none")
            block += "FileVersion=28.1.0.57\nFileFlagsMask=0x3F\nFileFlags=" + flags +
                     "\nTranslation=0809 04E4\n[080904E4]\nFileDescription=Taxation Utility 2025 R2\n"
                     "FileVersion=28.1.0.57\n";
        if (flags == "none")
            test::WriteElfFile(path, {{".text", "code"}});
        else
            test::WriteElfFile(path, {{"tarnwick_version", block}});
        os::SetProgramFileName(path);
    }
    void SystemTest() { os.Registry.SetString(HKEY_CURRENT_USER, std::string(SystemTestKey), "", ""); }
    void HelpOverride(const std::string& date)
    {
        os.Registry.SetString(HKEY_CURRENT_USER, std::string(HelpOverrideKey), "Date", date);
        os.Registry.SetString(HKEY_CURRENT_USER, std::string(HelpOverrideKey) + "\\Sub", "x", "y");
    }
};

TEST_F(AppInfoTest, ReleaseBuildReadsItsIdentityFromItsVersionInformation)
{
    UseProgram("0");
    InitialiseAppInfo();
    EXPECT_EQ(GetAppFileVersion(), "28.1.0.57");
    EXPECT_EQ(GetAppDescription(), "Taxation Utility 2025 R2");
    EXPECT_EQ(GetAppBuildKind(), bkRelease);
    EXPECT_FALSE(AppIsBeta());
    EXPECT_EQ(FormatVersionText(GetAppFileVersion()), "2025 R2");
    FinaliseAppInfo();
    EXPECT_EQ(GetAppFileVersion(), "");
}

TEST_F(AppInfoTest, ProgramWithoutVersionInformationIsUnclassified)
{
    UseProgram("none");
    InitialiseAppInfo();
    EXPECT_EQ(GetAppFileVersion(), "< No Version Info >");
    EXPECT_EQ(GetAppDescription(), "< No Version Info >");
    EXPECT_EQ(GetAppBuildKind(), bkUnclassified);
}

TEST_F(AppInfoTest, DebugAndPrivateBuildsAreUnclassifiedEvenUnderSystemTest)
{
    SystemTest();
    for (const char* flags : {"0x1", "0x8", "0x9"}) {
        UseProgram(flags);
        EXPECT_EQ(DetermineBuildKind(), bkUnclassified) << flags;
    }
    UseProgram("0x20"); // a special build is not held back
    EXPECT_EQ(DetermineBuildKind(), bkSystemTest);
}

TEST_F(AppInfoTest, PreReleaseIsBetaInAReleaseBuild)
{
    UseProgram("0x2");
    InitialiseAppInfo();
    EXPECT_EQ(GetAppBuildKind(), bkRelease);
    EXPECT_TRUE(AppIsBeta());
    EXPECT_EQ(FormatVersionText(GetAppFileVersion()), "2025 R2 Beta");
}

TEST_F(AppInfoTest, HelpOverrideForTodayMakesKindSixWithoutBeta)
{
    UseProgram("0x2");
    SystemTest();
    HelpOverride("08/12/2025");
    FormatSettings().ShortDateFormat = "yyyy-mm-dd"; // the build kind fixes the format itself
    InitialiseAppInfo();
    EXPECT_EQ(GetAppBuildKind(), bkSystemTestHelpOverride);
    EXPECT_FALSE(AppIsBeta());
    EXPECT_EQ(FormatVersionText("28.1.0.57"), "2025 R2");
    EXPECT_EQ(FormatSettings().ShortDateFormat, "dd/mm/yyyy");
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, HelpOverrideKey));
}

TEST_F(AppInfoTest, StaleHelpOverrideIsDeletedAndLeavesKindFour)
{
    UseProgram("0x2");
    SystemTest();
    HelpOverride("07/12/2025");
    InitialiseAppInfo();
    EXPECT_EQ(GetAppBuildKind(), bkSystemTest);
    EXPECT_TRUE(AppIsBeta());
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, HelpOverrideKey));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, SystemTestKey));
}

TEST_F(AppInfoTest, SystemTestWithoutHelpOverrideIsKindFour)
{
    UseProgram("0");
    SystemTest();
    EXPECT_EQ(DetermineBuildKind(), bkSystemTest);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, HelpOverrideKey));
}

TEST(FormatVersionTextTest, YearsReleasesAndOldStyleNumbers)
{
    const std::pair<const char*, const char*> cases[] = {
        {"28.1.0.57", "2025 R2"},
        {"28.0.11", "2025"},
        {"24.3.1", "2021 R4"},
        {"24.0", "2021"},
        {"11.1.2", "v11.01"},
        {"23.5.0", "v23.05"},
        {"23.5", "v23.05"},
        {"11.0.2", "v11.0"},
        {"11.0.4", "v11.0"},
        {"10.2", "v10.2"},
        {"", "v"},
    };
    for (const auto& [version, expected] : cases) EXPECT_EQ(FormatVersionText(version), expected) << version;
}

TEST(FormatVersionTextTest, MajorVersionThatIsNotANumberIsAConversionError)
{
    EXPECT_THROW(FormatVersionText("< No Version Info >"), EConvertError);
    EXPECT_THROW(FormatVersionText("x9.1"), EConvertError);
}

} // namespace
} // namespace tarnwick
