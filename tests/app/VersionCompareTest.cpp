#include "app/VersionCompare.h"

#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

struct TComparison {
    const char* A;
    const char* B;
    int Parts;
    int Expected;
};

TEST(CompareVersionsTest, ComparesTheFirstPartsNumerically)
{
    const TComparison cases[] = {
        {"28.1.16.9999", "28.1.16.9999", 4, 0},
        {"28.1.16.9999", "28.1.16.9999.7", 4, 0},
        {"28.1.9", "28.1.10", 4, -1},
        {"28.1", "28.1.0.0", 4, 0},
        {"28.1.17", "28.1.16.9999", 4, 1},
        {"28.0.11", "28.1.16.9999", 4, -1},
        {"28.1.16.9999", "28.1.16.1", 3, 0},
        {"28.1.16.9999", "28.1.16.1", 4, 1},
        {"r28.1", "28-1", 6, 0},
        {"1.2.3.4.5.6", "1.2.3.4.5.7", 6, -1},
        {"1.2.3.4.5.6.1", "1.2.3.4.5.6.2", 9, 0}, // never more than six parts
        {"no digits", "0.0.0.0", 4, 0},
        {"no digits", "0.0.0.1", 4, -1},
        {"", "0.0.0.1", 4, -1},
        {"010.2", "10.2", 4, 0},
    };
    for (const TComparison& c : cases)
        EXPECT_EQ(CompareVersions(c.A, c.B, c.Parts), c.Expected)
            << c.A << " vs " << c.B << " (" << c.Parts << ")";
}

TEST(CompareVersionsTest, DigitRunBeyondThirtyTwoBitsIsAConversionError)
{
    EXPECT_THROW(CompareVersions("28.2147483648", "28.1", 4), EConvertError);
    EXPECT_EQ(CompareVersions("28.2147483647", "28.1", 4), 1);
    // Parts beyond the count are never read, and identical texts are never parsed.
    EXPECT_EQ(CompareVersions("28.1.99999999999", "28.1", 2), 0);
    EXPECT_EQ(CompareVersions("99999999999", "99999999999", 4), 0);
}

TEST(ParseVersionPartsTest, FillsUpToTheMaximumAndLeavesTheRestZero)
{
    EXPECT_EQ(ParseVersionParts("28.1.16.9999", 3), (TVersionParts{28, 1, 16, 0, 0, 0}));
    EXPECT_EQ(ParseVersionParts("v28 build 16, rev 3", 6), (TVersionParts{28, 16, 3, 0, 0, 0}));
    EXPECT_EQ(ParseVersionParts("1.2.3.4.5.6.7.8", 8), (TVersionParts{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ParseVersionParts("1.2", 0), (TVersionParts{}));
}

} // namespace
} // namespace tarnwick
