#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

// The numeric parts of a version text: its runs of decimal digits, in order, at most six.
using TVersionParts = std::array<int, 6>;

// Reads up to maxParts (never more than six) digit runs; the other slots stay 0. A run too
// long for a 32-bit signed number raises EConvertError.
TVersionParts ParseVersionParts(std::string_view text, int maxParts);

// 1 when a is the later version, -1 when the earlier, 0 when equal, comparing the first
// partCount parts. Identical texts are equal without being read.
int CompareVersions(std::string_view a, std::string_view b, int partCount);

} // namespace tarnwick
