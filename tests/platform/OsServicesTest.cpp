#include "platform/os/Guid.h"
#include "platform/os/MachineIdentity.h"
#include "platform/os/SystemFolders.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <set>
#include <unistd.h>

namespace tarnwick::os {
namespace {

using test::ScopedEnvironment;

TEST(MachineIdentity, ComputerNameFollowsNetBiosRules)
{
    EXPECT_EQ(NetBiosName("srv01.practice.example"), "SRV01");
    EXPECT_EQ(NetBiosName("a-very-long-host-name-indeed"), "A-VERY-LONG-HOS");
    EXPECT_EQ(NetBiosName("x"), "X");
    ScopedEnvironment unset("TARNWICK_COMPUTERNAME", std::nullopt);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    EXPECT_EQ(MachineIdentity().ComputerName(), NetBiosName(host));
}

TEST(MachineIdentity, NamesCanBeOverridden)
{
    ScopedEnvironment computer("TARNWICK_COMPUTERNAME", "SRV01");
    ScopedEnvironment user("TARNWICK_USERNAME", "jbloggs");
    EXPECT_EQ(MachineIdentity().ComputerName(), "SRV01");
    EXPECT_EQ(MachineIdentity().UserName(), "jbloggs");
}

TEST(MachineIdentity, UserNameIsTheAccountName)
{
    ScopedEnvironment unset("TARNWICK_USERNAME", std::nullopt);
    EXPECT_EQ(MachineIdentity().UserName(), getpwuid(geteuid())->pw_name);
}

TEST(SpecialFolders, EndWithASeparator)
{
    {
        ScopedEnvironment tmp("TMPDIR", "/var/tmp/x");
        ScopedEnvironment common("TARNWICK_COMMON_APPDATA", "/srv/common/");
        EXPECT_EQ(SpecialFolders().TempFolder(), "/var/tmp/x/");
        EXPECT_EQ(SpecialFolders().CommonAppDataFolder(), "/srv/common/");
    }
    ScopedEnvironment tmp("TMPDIR", std::nullopt);
    ScopedEnvironment common("TARNWICK_COMMON_APPDATA", std::nullopt);
    EXPECT_EQ(SpecialFolders().TempFolder(), "/tmp/");
    EXPECT_EQ(SpecialFolders().CommonAppDataFolder(), "/var/lib/");
}

TEST(Guid, IsRandomVersionFour)
{
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        std::string text = GuidToString(NewGuid());
        ASSERT_EQ(text.size(), 38u);
        EXPECT_EQ(text[15], '4') << text;
        EXPECT_NE(std::string("89AB").find(text[20]), std::string::npos) << text;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 50u);
}

TEST(Guid, PrintsTheFirstFieldsLittleEndian)
{
    TGuid guid = {0x3C, 0x2D, 0x1E, 0x0F, 0x5A, 0x4B, 0x78, 0x69,
                  0x87, 0x96, 0xA5, 0xB4, 0xC3, 0xD2, 0xE1, 0xF0};
    EXPECT_EQ(GuidToString(guid), "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
}

} // namespace
} // namespace tarnwick::os
