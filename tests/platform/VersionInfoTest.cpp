#include "platform/os/VersionInfo.h"

#include "platform/core/Exceptions.h"
#include "support/ElfTestFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarnwick::os {
namespace {

TEST(VersionInfoTest, ParsesFixedRecordTranslationsAndStrings)
{
    const TVersionInfo info = TVersionInfo::Parse("TARNWICK VERSIONINFO 1\r\n"
                                                  "; comment\r\n"
                                                  "FileVersion=28.1.0.57\r\n"
                                                  "FileFlagsMask=0x3F\r\n"
                                                  "FileFlags=34\r\n"
                                                  "Translation=0809 04E4, 0409 04B0\r\n"
                                                  "\r\n"
                                                  "[080904e4]\r\n"
                                                  "FileDescription=Tom & Jerry = cartoon\r\n"
                                                  "Comments=\r\n");
    ASSERT_TRUE(info.Fixed());
    EXPECT_EQ(info.Fixed()->FileVersion, (std::array<std::uint16_t, 4>{28, 1, 0, 57}));
    EXPECT_EQ(info.Fixed()->FileFlagsMask, 0x3Fu);
    EXPECT_EQ(info.Fixed()->FileFlags, 34u);
    ASSERT_EQ(info.Translations().size(), 2u);
    EXPECT_EQ(info.Translations()[0].Language, 0x0809);
    EXPECT_EQ(info.Translations()[0].CodePage, 0x04E4);
    EXPECT_EQ(info.Translations()[1].CodePage, 0x04B0);
    EXPECT_EQ(info.StringValue("080904E4", "filedescription"), "Tom & Jerry = cartoon");
    EXPECT_EQ(info.StringValue("080904E4", "Comments"), "");
    EXPECT_EQ(info.StringValue("080904E4", "CompanyName"), std::nullopt);
    EXPECT_EQ(info.StringValue("040904B0", "FileDescription"), std::nullopt);
}

TEST(VersionInfoTest, MalformedLinesAreConversionErrors)
{
    for (const char* bad : {"FileVersion=28.1.0", "FileVersion=28.1.0.70000", "FileFlags=x",
                            "Translation=080904E4", "Nonsense=1", "no equals sign", "[0809]"})
        EXPECT_THROW(TVersionInfo::Parse(std::string("TARNWICK VERSIONINFO 1\n") + bad), EConvertError)
            << bad;
    EXPECT_FALSE(TVersionInfo::HasHeader("VERSIONINFO\nFileVersion=1.2.3.4"));
    EXPECT_FALSE(TVersionInfo::Parse("TARNWICK VERSIONINFO 1\nTranslation=0809 04E4").Fixed());
}

TEST(VersionInfoFileTest, ReadsTheSectionOfAnElfFile)
{
    test::TempFolder folder;
    const std::string block = "TARNWICK VERSIONINFO 1\nFileVersion=1.2.3.4\n";
    test::WriteElfFile(folder / "good", {{".text", "code"}, {"tarnwick_version", block}});
    std::string read;
    EXPECT_EQ(GetFileVersionInfoSize(folder / "good"), block.size());
    EXPECT_TRUE(GetFileVersionInfo(folder / "good", read));
    EXPECT_EQ(read, block);
}

TEST(VersionInfoFileTest, FilesWithoutTheSectionHaveSizeZero)
{
    test::TempFolder folder;
    test::WriteElfFile(folder / "plain",
                       {{".text", "code"}, {"tarnwick_versionx", "TARNWICK VERSIONINFO 1"}});
    std::ofstream(folder / "text") << "not an executable";
    for (const char* name : {"plain", "text", "missing"})
        EXPECT_EQ(GetFileVersionInfoSize(folder / name), 0u) << name;
}

TEST(VersionInfoFileTest, UnreadableSectionsFailToLoad)
{
    test::TempFolder folder;
    test::WriteElfFile(folder / "past-end", {{"tarnwick_version", "TARNWICK VERSIONINFO 1\n", 1u << 20}});
    test::WriteElfFile(folder / "no-bits",
                       {{"tarnwick_version", "TARNWICK VERSIONINFO 1\n", std::nullopt, true}});
    test::WriteElfFile(folder / "no-header", {{"tarnwick_version", "FileVersion=1.2.3.4\n"}});
    for (const char* name : {"past-end", "no-bits", "no-header"}) {
        std::string read;
        EXPECT_NE(GetFileVersionInfoSize(folder / name), 0u) << name;
        EXPECT_FALSE(GetFileVersionInfo(folder / name, read)) << name;
    }
}

TEST(VersionInfoFileTest, ThisProgramCarriesTheProductVersionInformation)
{
    std::string block;
    ASSERT_TRUE(GetFileVersionInfo("/proc/self/exe", block));
    const TVersionInfo info = TVersionInfo::Parse(block);
    ASSERT_TRUE(info.Fixed());
    EXPECT_EQ(info.Fixed()->FileVersion, (std::array<std::uint16_t, 4>{28, 1, 16, 9999}));
    EXPECT_EQ(info.Fixed()->FileFlags & info.Fixed()->FileFlagsMask, 0u);
    EXPECT_EQ(info.StringValue("080904E4", "FileDescription"), "Taxation Utility 2025 R2");
    EXPECT_EQ(info.StringValue("080904E4", "OriginalFilename"), "Tarnwick.exe");
}

} // namespace
} // namespace tarnwick::os
