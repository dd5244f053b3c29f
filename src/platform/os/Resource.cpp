#include "platform/os/Resource.h"

#include "platform/core/ServiceSlot.h"
#include "platform/core/Strings.h"

#include <cstdint>

// Defined by the linker when the program has a tarnwick_resources section; null otherwise.
extern "C" {
extern const char __start_tarnwick_resources[] __attribute__((weak));
extern const char __stop_tarnwick_resources[] __attribute__((weak));
}

namespace tarnwick::os {

namespace {
std::uint32_t ReadLength(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}
} // namespace

std::optional<std::string> FindRawResource(std::string_view table, std::string_view name)
{
    constexpr std::size_t headerSize = ResourceMagic.size() + 8;
    std::size_t at = 0;
    for (;;) {
        while (at < table.size() && table[at] == '\0') ++at;
        if (table.size() - at < headerSize || table.substr(at, ResourceMagic.size()) != ResourceMagic)
            return std::nullopt;
        const std::uint64_t nameLength = ReadLength(table.substr(at + ResourceMagic.size(), 4));
        const std::uint64_t dataLength = ReadLength(table.substr(at + ResourceMagic.size() + 4, 4));
        at += headerSize;
        if (table.size() - at < nameLength + dataLength) return std::nullopt;
        if (SameText(table.substr(at, nameLength), name))
            return std::string(table.substr(at + nameLength, dataLength));
        at += nameLength + dataLength;
    }
}

namespace {
class TSectionResources : public IRawResources {
public:
    std::optional<std::string> Load(std::string_view name) override
    {
        if (__start_tarnwick_resources == nullptr || __stop_tarnwick_resources == nullptr)
            return std::nullopt;
        return FindRawResource(std::string_view(__start_tarnwick_resources,
                                                static_cast<std::size_t>(__stop_tarnwick_resources -
                                                                         __start_tarnwick_resources)),
                               name);
    }
};

TServiceSlot<IRawResources>& Slot()
{
    static TServiceSlot<IRawResources> slot(MakeService<IRawResources, TSectionResources>);
    return slot;
}
} // namespace

std::optional<std::string> TMemoryResources::Load(std::string_view name)
{
    for (const auto& [entry, data] : Entries)
        if (SameText(entry, name)) return data;
    return std::nullopt;
}

IRawResources& RawResources() { return Slot().Get(); }

std::shared_ptr<IRawResources> SetRawResources(std::shared_ptr<IRawResources> resources)
{
    return Slot().Set(std::move(resources));
}

std::optional<std::string> LoadRawResource(std::string_view name) { return RawResources().Load(name); }

} // namespace tarnwick::os
