#include "app/VersionCompare.h"

#include "platform/core/Strings.h"

#include <algorithm>

namespace tarnwick {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

TVersionParts ParseVersionParts(std::string_view text, int maxParts)
{
    TVersionParts parts{};
    const int wanted = std::min<int>(maxParts, static_cast<int>(parts.size()));
    int count = 0;
    std::size_t at = 0;
    while (count < wanted && at < text.size()) {
        if (!IsDigit(text[at])) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() && IsDigit(text[at])) ++at;
        parts[count++] = StrToInt(text.substr(start, at - start));
    }
    return parts;
}

int CompareVersions(std::string_view a, std::string_view b, int partCount)
{
    if (a == b) return 0;
    const TVersionParts left = ParseVersionParts(a, partCount);
    const TVersionParts right = ParseVersionParts(b, partCount);
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (left[i] > right[i]) return 1;
        if (left[i] < right[i]) return -1;
    }
    return 0;
}

} // namespace tarnwick
