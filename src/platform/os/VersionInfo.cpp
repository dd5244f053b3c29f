#include "platform/os/VersionInfo.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"

namespace tarnwick::os {

namespace {

[[noreturn]] void ThrowBadLine(std::string_view line)
{
    throw EConvertError("Invalid version information line '" + std::string(line) + "'");
}

std::uint32_t ReadNumber(std::string_view text)
{
    const std::string trimmed = Trim(text);
    long long value = 0;
    if (!TryStrToInt64(trimmed, value) || value < 0 || value > 0xFFFFFFFFll)
        throw EConvertError("'" + trimmed + "' is not a valid version information number");
    return static_cast<std::uint32_t>(value);
}

std::uint16_t ReadHex16(std::string_view text)
{
    const std::string digits = Trim(text);
    long long value = 0;
    if (digits.size() != 4 || !TryStrToInt64("$" + digits, value))
        throw EConvertError("'" + digits + "' is not four hexadecimal digits");
    return static_cast<std::uint16_t>(value);
}

std::array<std::uint16_t, 4> ReadVersion(std::string_view text)
{
    std::array<std::uint16_t, 4> parts{};
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        const std::uint32_t part = ReadNumber(text.substr(start, dot - start));
        if (count == parts.size() || part > 0xFFFF)
            throw EConvertError("'" + std::string(text) + "' is not a valid four-part version");
        parts[count++] = static_cast<std::uint16_t>(part);
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    if (count != parts.size())
        throw EConvertError("'" + std::string(text) + "' is not a valid four-part version");
    return parts;
}

std::vector<TVersionTranslation> ReadTranslations(std::string_view text)
{
    std::vector<TVersionTranslation> translations;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const std::string pair = Trim(text.substr(start, comma - start));
        const std::size_t blank = pair.find(' ');
        if (blank == std::string::npos) ThrowBadLine(text);
        translations.push_back({ReadHex16(pair.substr(0, blank)), ReadHex16(pair.substr(blank + 1))});
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return translations;
}

} // namespace

bool TVersionInfo::HasHeader(std::string_view block)
{
    const TStringList lines = SplitLines(block);
    return !lines.empty() && lines[0] == Header;
}

TVersionInfo TVersionInfo::Parse(std::string_view block)
{
    if (!HasHeader(block)) throw EConvertError("Version information without its header");
    TVersionInfo info;
    std::string table;
    const TStringList lines = SplitLines(block);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (Trim(line).empty() || line[0] == ';') continue;
        if (line.front() == '[') {
            if (line.size() != 10 || line.back() != ']') ThrowBadLine(line);
            table = UpperCase(line.substr(1, 8));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) ThrowBadLine(line);
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = line.substr(equals + 1);
        if (!table.empty()) {
            info.strings_.push_back({table, key, value});
        } else if (SameText(key, "Translation")) {
            info.translations_ = ReadTranslations(value);
        } else {
            TFixedFileInfo& fixed = info.fixed_ ? *info.fixed_ : info.fixed_.emplace();
            if (SameText(key, "FileVersion"))
                fixed.FileVersion = ReadVersion(value);
            else if (SameText(key, "ProductVersion"))
                fixed.ProductVersion = ReadVersion(value);
            else if (SameText(key, "FileFlagsMask"))
                fixed.FileFlagsMask = ReadNumber(value);
            else if (SameText(key, "FileFlags"))
                fixed.FileFlags = ReadNumber(value);
            else
                ThrowBadLine(line);
        }
    }
    return info;
}

std::optional<std::string> TVersionInfo::StringValue(std::string_view translation,
                                                     std::string_view name) const
{
    for (const TStringEntry& entry : strings_)
        if (SameText(entry.Table, translation) && SameText(entry.Name, name)) return entry.Value;
    return std::nullopt;
}

} // namespace tarnwick::os
