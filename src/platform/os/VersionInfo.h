#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::os {

// The fixed part of a program's version information.
struct TFixedFileInfo {
    std::array<std::uint16_t, 4> FileVersion{};
    std::array<std::uint16_t, 4> ProductVersion{};
    std::uint32_t FileFlagsMask = 0;
    std::uint32_t FileFlags = 0;
};

// One entry of the translation table: a language and a code page.
struct TVersionTranslation {
    std::uint16_t Language = 0;
    std::uint16_t CodePage = 0;
};

// A program's version information, in the text layout its version section holds:
//
//   TARNWICK VERSIONINFO 1
//   FileVersion=28.1.16.9999
//   ProductVersion=28.1.16.9999
//   FileFlagsMask=0x3F
//   FileFlags=0x0
//   Translation=0809 04E4
//   [080904E4]
//   FileDescription=Taxation Utility 2025 R2
//
// The fixed record exists when any of the first four keys is given; Translation lists
// "language codepage" pairs in hexadecimal, separated by commas; each bracketed string table
// is named by a translation written as eight hexadecimal digits. Blank lines and lines
// starting with ";" are ignored. Texts are Windows-1252.
class TVersionInfo {
public:
    static constexpr std::string_view Header = "TARNWICK VERSIONINFO 1";

    // Whether a block starts with the header, so it can be read at all.
    static bool HasHeader(std::string_view block);
    // Reads a block that has the header; EConvertError when a line is malformed.
    static TVersionInfo Parse(std::string_view block);

    const std::optional<TFixedFileInfo>& Fixed() const { return fixed_; }
    const std::vector<TVersionTranslation>& Translations() const { return translations_; }
    // The value of a string in the table of a translation ("080904E4"), matched without
    // regard to case; nothing when the table or the string is missing.
    std::optional<std::string> StringValue(std::string_view translation, std::string_view name) const;

private:
    struct TStringEntry {
        std::string Table;
        std::string Name;
        std::string Value;
    };
    std::optional<TFixedFileInfo> fixed_;
    std::vector<TVersionTranslation> translations_;
    std::vector<TStringEntry> strings_;
};

// The name of the ELF section that carries a program's version information.
inline constexpr std::string_view VersionInfoSection = "tarnwick_version";

// The size of a file's version information: 0 when the file cannot be opened, is no ELF
// file or has no version section. The path is a local one.
std::size_t GetFileVersionInfoSize(const std::string& path);
// Reads the version information; false when its bytes cannot be read or lack the header.
bool GetFileVersionInfo(const std::string& path, std::string& block);

} // namespace tarnwick::os
