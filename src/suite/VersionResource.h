#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

// The strings of a program's version information, by index.
inline constexpr std::array<std::string_view, 9> VersionInfoKeys = {
    "CompanyName",      "FileDescription", "FileVersion",    "InternalName", "LegalCopyright",
    "OriginalFilename", "ProductName",     "ProductVersion", "Comments"};

// Status codes of ReadVersionString.
inline constexpr int viFound = 0;
inline constexpr int viNoVersionInfo = 1;
inline constexpr int viNoTranslation = 2;
inline constexpr int viNoString = 3;
inline constexpr int viLoadFailed = 4;
inline constexpr int viException = 5;

struct TVersionString {
    int Status = viFound;
    std::string Text;
};

// One string of a program file's version information (the path in the system's style).
// Never raises: every failure is a status.
TVersionString ReadVersionString(std::string_view file, int index);
// The value, or the placeholder text of the status ("< No Version Info >", ...).
std::string GetVersionInfoText(std::string_view file, int index);
// The fixed file version as "%d.%d.%d.%d"; empty when there is none.
std::string GetFixedFileVersion(std::string_view file);
// Whether the masked file flags hold flag 0 pre-release, 1 private build, 2 special build or
// 3 debug. An empty file is the running program.
bool HasFileFlag(int flag, std::string_view file = {});

} // namespace tarnwick
