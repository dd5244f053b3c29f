#include "app/DatasetBatches.h"

#include <gtest/gtest.h>

using namespace tarnwick;

TEST(DatasetBatches, SplitsAtExactGoLinesOnly)
{
    using Batches = std::vector<TStringList>;
    const std::vector<std::pair<TStringList, Batches>> cases = {
        {{"A", "B"}, {{"A", "B"}}},
        {{"A", "GO"}, {{"A"}}},
        {{"A", "GO", "GO", "B"}, {{"A"}, {"B"}}},
        {{"GO", "A"}, {{"A"}}},
        {{"A", " GO", "go", "GO "}, {{"A", " GO", "go", "GO "}}},
        {{"A", "GO", "", "", "GO"}, {{"A"}, {"", ""}}},
        {{}, {}},
    };
    for (const auto& [lines, batches] : cases) EXPECT_EQ(SplitBatches(lines), batches) << JoinLines(lines);
}

TEST(DatasetBatches, DatasetListsAndPrefix)
{
    EXPECT_EQ(SplitDatasetList("3;7"), (TStringList{"3", "7"}));
    EXPECT_EQ(SplitDatasetList("3 ; 7"), (TStringList{"3", "7"}));
    EXPECT_EQ(SplitDatasetList("3;7;"), (TStringList{"3", "7", ""}));
    EXPECT_EQ(DatasetUsePrefix("7"), "use [TaxData7] ");
    EXPECT_EQ(DatasetUsePrefix(""), "use [TaxData] ");
}
