#include "suite/VersionResource.h"

#include "platform/os/Process.h"
#include "support/ElfTestFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarnwick {
namespace {

const std::string Header = "TARNWICK VERSIONINFO 1\n";
const std::string Fixed = "FileVersion=28.1.0.57\nFileFlagsMask=0x3F\n";
const std::string Strings = "[080904E4]\nFileDescription=Taxation Utility 2025 R2\nFileVersion=28.1.0.57\n";

class VersionResourceTest : public ::testing::Test {
protected:
    test::TempFolder folder;

    std::string Program(const std::string& name, const std::string& block)
    {
        test::WriteElfFile(folder / name, {{".text", "code"}, {"tarnwick_version", block}});
        return folder / name;
    }
};

TEST_F(VersionResourceTest, EveryStatusWithItsPlaceholder)
{
    std::ofstream(folder / "plain.txt") << "no executable";
    test::WriteElfFile(folder / "past-end", {{"tarnwick_version", Header, 1u << 20}});
    struct TCase {
        std::string File;
        int Index;
        int Status;
        std::string Text;
    };
    const TCase cases[] = {
        {Program("full", Header + Fixed + "Translation=0809 04E4\n" + Strings), 1, viFound,
         "Taxation Utility 2025 R2"},
        {folder / "plain.txt", 2, viNoVersionInfo, "< No Version Info >"},
        {folder / "missing", 1, viNoVersionInfo, "< No Version Info >"},
        {Program("no-translation", Header + Fixed + Strings), 1, viNoTranslation,
         "< Error retrieving translation info >"},
        {Program("no-translation-no-fixed", Header + Strings), 2, viNoTranslation,
         "< Error retrieving translation info >"},
        {Program("other-table", Header + "Translation=0409 04B0\n" + Strings), 1, viNoString,
         "< Error retrieving version info >"},
        {Program("full2", Header + "Translation=0809 04E4\n" + Strings), 8, viNoString,
         "< Error retrieving version info >"},
        {folder / "past-end", 1, viLoadFailed, "< Error retrieving file version info >"},
        {Program("no-header", Fixed + Strings), 1, viLoadFailed, "< Error retrieving file version info >"},
        {Program("malformed", Header + "FileVersion=28.1\n" + Strings), 1, viException,
         "< Error exception occurred >"},
        {Program("bad-index", Header + "Translation=0809 04E4\n" + Strings), 9, viException,
         "< Error exception occurred >"},
    };
    for (const TCase& c : cases) {
        const TVersionString value = ReadVersionString(c.File, c.Index);
        EXPECT_EQ(value.Status, c.Status) << c.File << " " << c.Index;
        EXPECT_EQ(value.Text, c.Status == viFound ? c.Text : "") << c.File;
        EXPECT_EQ(GetVersionInfoText(c.File, c.Index), c.Text) << c.File << " " << c.Index;
    }
}

TEST_F(VersionResourceTest, WithoutTranslationTheFileVersionComesFromTheFixedRecord)
{
    const std::string file = Program("no-translation", Header + Fixed + Strings);
    const TVersionString version = ReadVersionString(file, 2);
    EXPECT_EQ(version.Status, viFound);
    EXPECT_EQ(version.Text, "28.1.0.57");
    EXPECT_EQ(GetFixedFileVersion(file), "28.1.0.57");
    EXPECT_EQ(GetFixedFileVersion(Program("no-fixed", Header + Strings)), "");
    EXPECT_EQ(GetFixedFileVersion(folder / "missing"), "");
}

TEST_F(VersionResourceTest, FileFlagsAreReadUnderTheirMask)
{
    const std::string all = Program("all", Header + "FileFlagsMask=0x3F\nFileFlags=0x2B\n");
    const std::string masked = Program("masked", Header + "FileFlagsMask=0x01\nFileFlags=0x2B\n");
    const std::string none = Program("none", Header + "FileFlagsMask=0x3F\nFileFlags=0\n");
    const std::pair<int, bool> allFlags[] = {{0, true}, {1, true},  {2, true},
                                             {3, true}, {4, false}, {-1, false}};
    for (const auto& [flag, expected] : allFlags) EXPECT_EQ(HasFileFlag(flag, all), expected) << flag;
    EXPECT_FALSE(HasFileFlag(0, masked));
    EXPECT_TRUE(HasFileFlag(3, masked));
    EXPECT_FALSE(HasFileFlag(0, none));
    EXPECT_FALSE(HasFileFlag(3, folder / "missing"));

    os::SetProgramFileName(all);
    EXPECT_TRUE(HasFileFlag(0));
    os::SetProgramFileName(none);
    EXPECT_FALSE(HasFileFlag(0));
    os::SetProgramFileName("");
}

} // namespace
} // namespace tarnwick
