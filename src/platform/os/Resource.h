#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::os {

// The raw-data resources built into the running program (tarnwick_embed_resources in
// CMake). Each entry of the tarnwick_resources section is the magic "TWRSRC01", the name's
// and the data's lengths as 32-bit little-endian numbers, the name and the data; entries may
// be separated by zero bytes of alignment.
inline constexpr std::string_view ResourceMagic = "TWRSRC01";

// Where the program's raw-data resources come from: its own section, or what a test gives.
class IRawResources {
public:
    virtual ~IRawResources() = default;
    virtual std::optional<std::string> Load(std::string_view name) = 0;
};

// Resources held in memory, for tests (names matched without regard to case).
class TMemoryResources : public IRawResources {
public:
    std::map<std::string, std::string> Entries;
    std::optional<std::string> Load(std::string_view name) override;
};

IRawResources& RawResources();
// Puts a source in place (nullptr: the program's own section) and returns the previous one.
std::shared_ptr<IRawResources> SetRawResources(std::shared_ptr<IRawResources> resources);

// The bytes of the resource of that name, matched without regard to case; nothing when the
// program has no such resource.
std::optional<std::string> LoadRawResource(std::string_view name);

// The same lookup in a table given as bytes (the section's contents).
std::optional<std::string> FindRawResource(std::string_view table, std::string_view name);

} // namespace tarnwick::os
