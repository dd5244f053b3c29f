#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace tarnwick::os {

using TGuid = std::array<std::uint8_t, 16>;

class IGuidSource {
public:
    virtual ~IGuidSource() = default;
    // A new random (version 4) GUID.
    virtual TGuid NewGuid() = 0;
};

// The registry form, upper case: "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}". The first three
// groups are the little-endian fields of the GUID structure, as Windows prints them.
std::string GuidToString(const TGuid& guid);

IGuidSource& GuidSource();
// Puts a source in place (nullptr: the system's) and returns the previous one.
std::shared_ptr<IGuidSource> SetGuidSource(std::shared_ptr<IGuidSource> source);

inline TGuid NewGuid() { return GuidSource().NewGuid(); }

} // namespace tarnwick::os
