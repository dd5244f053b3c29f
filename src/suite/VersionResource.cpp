#include "suite/VersionResource.h"

#include "platform/core/Format.h"
#include "platform/os/PathMapper.h"
#include "platform/os/Process.h"
#include "platform/os/VersionInfo.h"

#include <optional>

namespace tarnwick {

namespace {

constexpr std::array<std::string_view, 6> Placeholders = {"",
                                                          "< No Version Info >",
                                                          "< Error retrieving translation info >",
                                                          "< Error retrieving version info >",
                                                          "< Error retrieving file version info >",
                                                          "< Error exception occurred >"};

// The version information of a file: nothing when it has none or it cannot be loaded.
std::optional<os::TVersionInfo> LoadVersionInfo(std::string_view file)
{
    const std::string local = os::PathMapper().LocalPath(file);
    std::string block;
    if (os::GetFileVersionInfoSize(local) == 0 || !os::GetFileVersionInfo(local, block)) return std::nullopt;
    return os::TVersionInfo::Parse(block);
}

} // namespace

TVersionString ReadVersionString(std::string_view file, int index)
{
    try {
        const std::string local = os::PathMapper().LocalPath(file);
        if (os::GetFileVersionInfoSize(local) == 0) return {viNoVersionInfo, ""};
        std::string block;
        if (!os::GetFileVersionInfo(local, block)) return {viLoadFailed, ""};
        const os::TVersionInfo info = os::TVersionInfo::Parse(block);
        if (info.Translations().empty()) {
            if (index != 2) return {viNoTranslation, ""};
            std::string fixed = GetFixedFileVersion(file);
            return {fixed.empty() ? viNoTranslation : viFound, fixed};
        }
        const os::TVersionTranslation& first = info.Translations().front();
        const std::string table = Format("%.4x%.4x", {first.Language, first.CodePage});
        const auto value = info.StringValue(table, VersionInfoKeys.at(static_cast<std::size_t>(index)));
        return value ? TVersionString{viFound, *value} : TVersionString{viNoString, ""};
    } catch (...) {
        return {viException, ""};
    }
}

std::string GetVersionInfoText(std::string_view file, int index)
{
    const TVersionString value = ReadVersionString(file, index);
    return value.Status == viFound ? value.Text
                                   : std::string(Placeholders[static_cast<std::size_t>(value.Status)]);
}

std::string GetFixedFileVersion(std::string_view file)
{
    try {
        const auto info = LoadVersionInfo(file);
        if (!info || !info->Fixed()) return "";
        const auto& v = info->Fixed()->FileVersion;
        return Format("%d.%d.%d.%d", {v[0], v[1], v[2], v[3]});
    } catch (...) {
        return "";
    }
}

bool HasFileFlag(int flag, std::string_view file)
{
    constexpr std::array<std::uint32_t, 4> bits = {2, 8, 32, 1};
    if (flag < 0 || flag >= static_cast<int>(bits.size())) return false;
    try {
        const auto info = LoadVersionInfo(file.empty() ? os::ProgramFileName() : std::string(file));
        if (!info || !info->Fixed()) return false;
        return (info->Fixed()->FileFlags & info->Fixed()->FileFlagsMask &
                bits[static_cast<std::size_t>(flag)]) != 0;
    } catch (...) {
        return false;
    }
}

} // namespace tarnwick
