#include "platform/os/Resource.h"

#include <gtest/gtest.h>

namespace tarnwick::os {
namespace {

TEST(ResourceTest, FindsAnEmbeddedResourceWithoutRegardToCase)
{
    const std::string expected = "PRINT '[TITLE] Test resource'\r\nSELECT 1\r\n\xA3 sign\r\n";
    EXPECT_EQ(LoadRawResource("TestResource"), expected);
    EXPECT_EQ(LoadRawResource("TESTRESOURCE"), expected);
    EXPECT_EQ(LoadRawResource("Empty"), std::string());
    EXPECT_EQ(LoadRawResource("SQLScript"), std::nullopt);
    EXPECT_EQ(LoadRawResource(""), std::nullopt);
}

std::string Entry(const std::string& name, const std::string& data)
{
    std::string entry(ResourceMagic);
    for (const std::size_t length : {name.size(), data.size()})
        for (int i = 0; i < 4; ++i) entry += static_cast<char>((length >> (8 * i)) & 0xFF);
    return entry + name + data;
}

TEST(ResourceTest, TableEntriesMayBePaddedAndAShortTableEndsTheSearch)
{
    const std::string table = Entry("A", "first") + std::string(5, '\0') + Entry("b", std::string(300, 'x'));
    EXPECT_EQ(FindRawResource(table, "a"), "first");
    EXPECT_EQ(FindRawResource(table, "B"), std::string(300, 'x'));
    EXPECT_EQ(FindRawResource(table, "c"), std::nullopt);
    const std::string cut = table.substr(0, table.size() - 1);
    EXPECT_EQ(FindRawResource(cut, "B"), std::nullopt);
    EXPECT_EQ(FindRawResource("garbage", "a"), std::nullopt);
}

} // namespace
} // namespace tarnwick::os
