#pragma once

#include "platform/core/Strings.h"

#include <string_view>
#include <vector>

namespace tarnwick {

// Cuts a script into batches at lines that are exactly "GO"; the GO lines are dropped and
// batches without any line are left out (a batch of empty lines is kept).
std::vector<TStringList> SplitBatches(const TStringList& lines);

// The dataset numbers of a ";" list (double-quoted items may hold ";" and blanks; a ";" at
// the very end adds an empty item).
TStringList SplitDatasetList(std::string_view value);

// The statement prefix that switches a batch to a dataset's database: "use [TaxData7] ".
std::string DatasetUsePrefix(std::string_view datasetId);

} // namespace tarnwick
