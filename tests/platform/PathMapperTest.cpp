#include "platform/os/PathMapper.h"
#include "support/PathSandbox.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdlib.h>

namespace tarnwick::os {
namespace {

using test::PathSandbox;

struct TExpandCase {
    const char* Path;
    const char* Expected;
};

TEST(PathMapper, ExpandsAbsolutePathsInTheirOwnStyle)
{
    const TExpandCase cases[] = {
        {R"(\\SRV01\VexholmTaxationShareDir\Locks\)", R"(\\SRV01\VexholmTaxationShareDir\Locks\)"},
        {R"(\\SRV01\VexholmTaxationReadOnly\Tools\..\Kelmoor.exe)",
         R"(\\SRV01\VexholmTaxationReadOnly\Kelmoor.exe)"},
        {R"(\\SRV01\Share\..\..\x)", R"(\\SRV01\Share\x)"},
        {R"(\\SRV01\Share\\Logs\\)", R"(\\SRV01\Share\Logs\)"},
        {R"(C:\Apps\Tax)", R"(C:\Apps\Tax)"},
        {R"(C:\Apps\.\Tax\\)", R"(C:\Apps\Tax\)"},
        {"c:/Apps/Tax/", R"(c:\Apps\Tax\)"},
        {R"(C:\..\x)", R"(C:\x)"},
        {R"(C:)", R"(C:\)"},
        {R"(/srv/share/Logs\)", "/srv/share/Logs/"},
        {"/a//b/../c", "/a/c"},
        {"/", "/"},
        {"", ""},
    };
    TPathMapper mapper({"/u", "/d"});
    for (const auto& c : cases) EXPECT_EQ(mapper.ExpandFileName(c.Path), c.Expected) << c.Path;
}

class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

TEST(PathMapper, TakesRelativePathsFromTheCurrentFolder)
{
    test::TempFolder folder;
    auto real = std::filesystem::canonical(folder.Path()).string();
    CurrentFolder here(real);
    TPathMapper mapper({"/u", "/d"});
    EXPECT_EQ(mapper.ExpandFileName(R"(Logs\Tarnwick.log)"), real + "/Logs/Tarnwick.log");
    EXPECT_EQ(mapper.ExpandFileName(R"(..\x\)"), std::filesystem::path(real).parent_path().string() + "/x/");
    EXPECT_EQ(mapper.LocalPath("a.txt"), real + "/a.txt");
}

TEST(PathMapper, MapsSharesAndDrivesUnderTheirRoots)
{
    PathSandbox sandbox;
    auto& mapper = PathMapper();
    EXPECT_EQ(mapper.LocalPath(R"(\\SRV01\VexholmTaxationShareDir\Logs\Tarnwick.log)"),
              sandbox.Unc() + "/SRV01/VexholmTaxationShareDir/Logs/Tarnwick.log");
    EXPECT_EQ(mapper.LocalPath(R"(X:\Data\Backups\)"), sandbox.Drives() + "/x/Data/Backups");
    EXPECT_EQ(mapper.LocalPath(R"(/opt/vexholm\Logs\)"), "/opt/vexholm/Logs");
    // An empty server name (a data source that was never set) or a missing share names nothing.
    EXPECT_EQ(mapper.LocalPath(R"(\\\VexholmTaxationShareDir\Logs\)"), "");
    EXPECT_EQ(mapper.LocalPath(R"(\\SRV01\)"), "");
}

TEST(PathMapper, ResolvesExistingComponentsIgnoringCase)
{
    PathSandbox sandbox;
    sandbox.MakeFolder("unc/SRV01/VexholmTaxationShareDir/Logs");
    sandbox.MakeFolder("drives/C/Apps");
    EXPECT_EQ(PathMapper().LocalPath(R"(\\srv01\VEXHOLMTAXATIONSHAREDIR\logs\New Folder\a.log)"),
              sandbox.Unc() + "/SRV01/VexholmTaxationShareDir/Logs/New Folder/a.log");
    EXPECT_EQ(PathMapper().LocalPath(R"(C:\apps)"), sandbox.Drives() + "/C/Apps");
}

TEST(PathMapper, PrefersTheExactNameOverAnotherCase)
{
    PathSandbox sandbox;
    sandbox.MakeFolder("unc/S/Share/LOGS");
    sandbox.MakeFolder("unc/S/Share/logs");
    EXPECT_EQ(PathMapper().LocalPath(R"(\\S\Share\logs)"), sandbox.Unc() + "/S/Share/logs");
    EXPECT_EQ(PathMapper().LocalPath(R"(\\S\Share\LOGS)"), sandbox.Unc() + "/S/Share/LOGS");
    // Neither exact: the first in name order, so the answer never depends on the folder's order.
    EXPECT_EQ(PathMapper().LocalPath(R"(\\S\Share\Logs)"), sandbox.Unc() + "/S/Share/LOGS");
}

TEST(PathMapper, ConvertsWindows1252NamesAndMatchesTheirCase)
{
    PathSandbox sandbox;
    sandbox.MakeFolder("unc/S/Share/Caf\xc3\xa9");
    // "CAFÉ" in Windows-1252 finds the UTF-8 folder "Café" on disk; a new name is written in UTF-8.
    EXPECT_EQ(PathMapper().LocalPath("\\\\S\\Share\\CAF\xc9\\R\xe9sum\xe9.csv"),
              sandbox.Unc() + "/S/Share/Caf\xc3\xa9/R\xc3\xa9sum\xc3\xa9.csv");
}

TEST(PathMapper, RootsComeFromTheEnvironment)
{
    setenv("TARNWICK_UNC_ROOT", "/mnt/shares/", 1);
    setenv("TARNWICK_DRIVE_ROOT", "/mnt/drives", 1);
    auto roots = TPathRoots::FromEnvironment();
    unsetenv("TARNWICK_UNC_ROOT");
    unsetenv("TARNWICK_DRIVE_ROOT");
    TPathMapper mapper(roots);
    EXPECT_EQ(mapper.LocalPath(R"(\\NoSuchServer\s\f)"), "/mnt/shares/NoSuchServer/s/f");
    EXPECT_EQ(mapper.LocalPath(R"(Q:\f)"), "/mnt/drives/q/f");
    EXPECT_EQ(TPathRoots::FromEnvironment().UncRoot, "/srv/tarnwick/unc");
    EXPECT_EQ(TPathRoots::FromEnvironment().DriveRoot, "/srv/tarnwick/drives");
}

TEST(PathMapper, TrailingDelimiterFollowsThePathsStyle)
{
    EXPECT_EQ(IncludeTrailingPathDelimiter(R"(C:\Apps\Tax)"), R"(C:\Apps\Tax\)");
    EXPECT_EQ(IncludeTrailingPathDelimiter(R"(C:\Apps\Tax\)"), R"(C:\Apps\Tax\)");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
    EXPECT_TRUE(IsWindowsStylePath(R"(\\SRV01\Share)"));
    EXPECT_TRUE(IsWindowsStylePath(R"(C:\x)"));
    EXPECT_FALSE(IsWindowsStylePath("/srv/x"));
}

} // namespace
} // namespace tarnwick::os
