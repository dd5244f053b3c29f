#include "suite/FileUtilities.h"

#include "support/OsSandbox.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarnwick {
namespace {

TEST(FileUtilitiesTest, ReadOnlyFilesAreClearedBeforeTheyAreDeleted)
{
    test::OsSandbox os;
    const std::string locks = os.Paths.MakeFolder("unc/SRV01/Share/Locks");
    std::ofstream(locks + "/Tool.det") << "details";
    std::filesystem::permissions(locks + "/Tool.det", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const std::string details = "\\\\SRV01\\Share\\Locks\\Tool.det";

    EXPECT_TRUE(IsReadOnlyFile(details));
    EXPECT_TRUE(DeleteFileIfPresent(details));
    EXPECT_FALSE(std::filesystem::exists(locks + "/Tool.det"));
    EXPECT_TRUE(DeleteFileIfPresent(details)); // a missing file counts as gone
    EXPECT_FALSE(IsReadOnlyFile(details));
    EXPECT_TRUE(ClearReadOnly(details));

    std::ofstream(locks + "/Tool.use") << "";
    EXPECT_FALSE(IsReadOnlyFile("\\\\SRV01\\Share\\Locks\\Tool.use"));
    EXPECT_TRUE(ClearReadOnly("\\\\SRV01\\Share\\Locks\\Tool.use"));
}

} // namespace
} // namespace tarnwick
