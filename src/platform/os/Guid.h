#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarnwick::os {

// A GUID in its usual parts: a 32-bit, two 16-bit and eight single-byte fields.
struct TGuid {
    std::uint32_t Data1 = 0;
    std::uint16_t Data2 = 0;
    std::uint16_t Data3 = 0;
    std::array<std::uint8_t, 8> Data4{};
};

// A new random GUID (version 4).
TGuid NewGuid();

// The braced form with upper-case digits: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string GuidToString(const TGuid& guid);

} // namespace tarnwick::os
