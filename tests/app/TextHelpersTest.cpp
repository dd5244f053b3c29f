#include "app/TextHelpers.h"

#include "platform/core/Format.h"
#include "platform/os/Guid.h"

#include <gtest/gtest.h>

#include <set>

namespace tarnwick {
namespace {

TEST(FormatMegabytesTest, MegabytesBelowOneGigabyteElseGigabytesWithOneDecimal)
{
    EXPECT_EQ(FormatMegabytes(0), "0 MB");
    EXPECT_EQ(FormatMegabytes(-5), "-5 MB");
    EXPECT_EQ(FormatMegabytes(1023), "1023 MB");
    EXPECT_EQ(FormatMegabytes(1024), "1.0 GB");
    EXPECT_EQ(FormatMegabytes(1536), "1.5 GB");
    EXPECT_EQ(FormatMegabytes(1048576), "1,024.0 GB");
}

TEST(FormatMegabytesTest, UsesTheLocaleSeparators)
{
    TFormatSettings& settings = FormatSettings();
    const TFormatSettings saved = settings;
    settings.DecimalSeparator = ',';
    settings.ThousandSeparator = '.';
    EXPECT_EQ(FormatMegabytes(1048576 + 512), "1.024,5 GB");
    settings = saved;
}

TEST(TextToBoolTest, FirstLetterDecides)
{
    for (const char* yes : {"TRUE", "Yes", "on", "ON", "1", "-1", "t", "yellow", "Onion"})
        EXPECT_TRUE(TextToBool(yes)) << yes;
    for (const char* no : {"", "FALSE", "No", "Off", "0", "x", "O", "o ", " true"})
        EXPECT_FALSE(TextToBool(no)) << no;
}

TEST(NewHexGuidTextTest, ThirtyTwoUpperCaseHexDigitsEachTimeNew)
{
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string guid = NewHexGuidText();
        ASSERT_EQ(guid.size(), 32u) << guid;
        EXPECT_EQ(guid.find_first_not_of("0123456789ABCDEF"), std::string::npos) << guid;
        EXPECT_EQ(guid[12], '4') << guid; // a random (version 4) GUID
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 50u);
}

class FixedGuids : public os::IGuidSource {
public:
    os::TGuid NewGuid() override
    {
        return {0x3C, 0x2D, 0x1E, 0x0F, 0x5A, 0x4B, 0x78, 0x69, 0x87, 0x96, 0xA5, 0xB4, 0xC3, 0xD2, 0xE1, 0xF0};
    }
};

TEST(NewHexGuidTextTest, IsTheBracedFormWithoutBracesAndHyphens)
{
    const auto previous = os::SetGuidSource(std::make_shared<FixedGuids>());
    EXPECT_EQ(NewHexGuidText(), "0F1E2D3C4B5A69788796A5B4C3D2E1F0");
    os::SetGuidSource(previous);
}

} // namespace
} // namespace tarnwick
