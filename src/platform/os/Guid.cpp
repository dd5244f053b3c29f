#include "platform/os/Guid.h"

#include <cstdio>
#include <random>

namespace tarnwick::os {

TGuid NewGuid()
{
    std::random_device source;
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::uint32_t word = source();
        for (std::size_t j = 0; j < 4; ++j) bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
    }
    TGuid guid;
    guid.Data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
                 static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    guid.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    // Version 4 (random) in the top nibble of Data3, the RFC 4122 variant in Data4[0].
    guid.Data3 = static_cast<std::uint16_t>(0x4000 | ((bytes[6] & 0x0F) << 8) | bytes[7]);
    guid.Data4[0] = static_cast<std::uint8_t>(0x80 | (bytes[8] & 0x3F));
    for (std::size_t i = 1; i < guid.Data4.size(); ++i) guid.Data4[i] = bytes[8 + i];
    return guid;
}

std::string GuidToString(const TGuid& guid)
{
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(guid.Data1), static_cast<unsigned>(guid.Data2),
                  static_cast<unsigned>(guid.Data3), guid.Data4[0], guid.Data4[1], guid.Data4[2],
                  guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

} // namespace tarnwick::os
