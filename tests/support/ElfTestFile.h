#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick::test {

// One section of a crafted ELF file. Offset, when set, replaces where the header says the
// bytes are (to point past the end of the file, say); NoBits makes it a section without
// bytes in the file.
struct TElfSection {
    TElfSection(std::string name, std::string bytes, std::optional<std::uint64_t> offset = std::nullopt,
                bool noBits = false)
        : Name(std::move(name)), Bytes(std::move(bytes)), Offset(offset), NoBits(noBits)
    {
    }

    std::string Name;
    std::string Bytes;
    std::optional<std::uint64_t> Offset;
    bool NoBits = false;
};

// Writes a minimal 64-bit little-endian ELF file holding the sections.
void WriteElfFile(const std::string& path, const std::vector<TElfSection>& sections);

} // namespace tarnwick::test
