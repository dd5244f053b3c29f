#include "platform/os/VersionInfo.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <optional>

namespace tarnwick::os {

namespace {

// Where a section's bytes lie in its file.
struct TSectionPlace {
    std::uint64_t Offset = 0;
    std::uint64_t Size = 0;
    bool HasBytes = true;
};

template <typename T> bool ReadAt(std::ifstream& file, std::uint64_t offset, T& value)
{
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(&value), sizeof value);
    return static_cast<std::size_t>(file.gcount()) == sizeof value;
}

bool ReadBytesAt(std::ifstream& file, std::uint64_t offset, std::uint64_t size, std::string& bytes)
{
    bytes.assign(size, '\0');
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(bytes.data(), static_cast<std::streamsize>(size));
    return file && static_cast<std::uint64_t>(file.gcount()) == size;
}

template <typename Ehdr, typename Shdr>
std::optional<TSectionPlace> FindSection(std::ifstream& file, std::string_view name)
{
    Ehdr header{};
    if (!ReadAt(file, 0, header) || header.e_shentsize != sizeof(Shdr) || header.e_shstrndx >= header.e_shnum)
        return std::nullopt;
    Shdr names{};
    if (!ReadAt(file, header.e_shoff + std::uint64_t{header.e_shstrndx} * sizeof(Shdr), names))
        return std::nullopt;
    std::string nameTable;
    if (names.sh_size > (1u << 24) || !ReadBytesAt(file, names.sh_offset, names.sh_size, nameTable))
        return std::nullopt;
    for (std::uint64_t i = 0; i < header.e_shnum; ++i) {
        Shdr section{};
        if (!ReadAt(file, header.e_shoff + i * sizeof(Shdr), section)) return std::nullopt;
        if (section.sh_name >= nameTable.size()) continue;
        if (std::strncmp(nameTable.c_str() + section.sh_name, name.data(), name.size()) != 0 ||
            nameTable[section.sh_name + name.size()] != '\0')
            continue;
        return TSectionPlace{section.sh_offset, section.sh_size, section.sh_type != SHT_NOBITS};
    }
    return std::nullopt;
}

std::optional<TSectionPlace> FindVersionSection(std::ifstream& file)
{
    unsigned char ident[EI_NIDENT] = {};
    if (!ReadAt(file, 0, ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0 || ident[EI_DATA] != ELFDATA2LSB)
        return std::nullopt;
    if (ident[EI_CLASS] == ELFCLASS64) return FindSection<Elf64_Ehdr, Elf64_Shdr>(file, VersionInfoSection);
    if (ident[EI_CLASS] == ELFCLASS32) return FindSection<Elf32_Ehdr, Elf32_Shdr>(file, VersionInfoSection);
    return std::nullopt;
}

} // namespace

std::size_t GetFileVersionInfoSize(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return 0;
    const auto place = FindVersionSection(file);
    return place ? static_cast<std::size_t>(place->Size) : 0;
}

bool GetFileVersionInfo(const std::string& path, std::string& block)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const auto place = FindVersionSection(file);
    if (!place || !place->HasBytes || place->Size == 0 || place->Size > (1u << 24)) return false;
    return ReadBytesAt(file, place->Offset, place->Size, block) && TVersionInfo::HasHeader(block);
}

} // namespace tarnwick::os
