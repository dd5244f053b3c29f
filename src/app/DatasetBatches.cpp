#include "app/DatasetBatches.h"

#include "platform/core/DelimitedList.h"
#include "platform/core/Format.h"

namespace tarnwick {

std::vector<TStringList> SplitBatches(const TStringList& lines)
{
    std::vector<TStringList> batches;
    TStringList current;
    for (const auto& line : lines) {
        if (line != "GO") {
            current.push_back(line);
        } else if (!current.empty()) {
            batches.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) batches.push_back(std::move(current));
    return batches;
}

TStringList SplitDatasetList(std::string_view value)
{
    return SplitDelimited(value, TDelimitedRules{.Delimiter = ';', .Quote = '"'});
}

std::string DatasetUsePrefix(std::string_view datasetId) { return Format("use [TaxData%s] ", {datasetId}); }

} // namespace tarnwick
