#include "platform/os/RegistryHive.h"

#include "platform/core/CodePage.h"
#include "platform/core/Format.h"

#include <algorithm>
#include <cctype>

namespace tarnwick::os {

namespace {

constexpr std::string_view Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view OldHeader = "REGEDIT4";

struct TParseError {};

std::string Escape(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Reads a double-quoted, backslash-escaped text at pos, leaving pos after its closing quote.
std::string ReadQuoted(std::string_view line, std::size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"') throw TParseError{};
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\') {
            if (++pos >= line.size()) break;
            c = line[pos];
        }
        text += c;
    }
    throw TParseError{};
}

std::uint32_t ReadDWord(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8) throw TParseError{};
    std::uint32_t number = 0;
    for (char c : digits) {
        int digit = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
        if (digit < 0) throw TParseError{};
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

std::string DWordText(std::uint32_t number)
{
    static const char digits[] = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i, number >>= 4) text[static_cast<std::size_t>(i)] = digits[number & 15];
    return "dword:" + text;
}

std::string ValueText(const TRegistryValue& value)
{
    switch (value.Kind) {
    case TRegistryValueKind::String:
        return "\"" + Escape(value.Text) + "\"";
    case TRegistryValueKind::DWord:
        return DWordText(value.Number);
    case TRegistryValueKind::Other:
        break;
    }
    return value.Text;
}

void AppendKey(const TRegistryHive::TKey& key, const std::string& path, bool top, std::string& text)
{
    if (!top || !key.Values.empty()) {
        text += "[" + path + "]\r\n";
        for (const auto& value : key.Values)
            text += (value.Name.empty() ? std::string("@") : "\"" + Escape(value.Name) + "\"") + "=" +
                    ValueText(value.Value) + "\r\n";
        text += "\r\n";
    }
    for (const auto& sub : key.SubKeys) AppendKey(*sub, path + "\\" + sub->Name, false, text);
}

using TKey = TRegistryHive::TKey;

TKey* FindSubKey(TKey& key, std::string_view name)
{
    auto found = std::find_if(key.SubKeys.begin(), key.SubKeys.end(),
                              [&](const auto& sub) { return SameText(sub->Name, name); });
    return found == key.SubKeys.end() ? nullptr : found->get();
}

} // namespace

TStringList SplitKeyPath(std::string_view path)
{
    TStringList parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

TRegistryHive::TRegistryHive(TRegistryRoot root) : root_(root) {}

TRegistryHive TRegistryHive::Parse(TRegistryRoot root, std::string_view text, std::string_view source)
{
    TRegistryHive hive(root);
    const std::string rootName = RootName(root);
    TStringList lines = SplitLines(text);
    TKey* current = nullptr;
    bool headerSeen = false;
    std::size_t i = 0;
    try {
        for (; i < lines.size(); ++i) {
            std::string line = TrimRight(lines[i]);
            if (Trim(line).empty() || line[0] == ';') continue;
            if (!headerSeen) {
                if (line != Header && line != OldHeader) throw TParseError{};
                headerSeen = true;
            } else if (line[0] == '[') {
                if (line.back() != ']') throw TParseError{};
                std::string_view path = std::string_view(line).substr(1, line.size() - 2);
                if (!StartsText(rootName, path) ||
                    (path.size() > rootName.size() && path[rootName.size()] != '\\'))
                    throw TParseError{};
                current = &hive.Ensure(path.substr(rootName.size()));
            } else {
                if (!current) throw TParseError{};
                std::size_t pos = 0;
                std::string name = line[0] == '@' ? (++pos, std::string()) : ReadQuoted(line, pos);
                if (pos >= line.size() || line[pos] != '=') throw TParseError{};
                std::string_view data = std::string_view(line).substr(pos + 1);
                TRegistryValue value;
                if (!data.empty() && data[0] == '"') {
                    std::size_t at = pos + 1;
                    value = TRegistryValue::String(ReadQuoted(line, at));
                    if (at != line.size()) throw TParseError{};
                } else if (StartsText("dword:", data)) {
                    value = TRegistryValue::DWord(ReadDWord(data.substr(6)));
                } else {
                    value = {TRegistryValueKind::Other, std::string(data), 0};
                    // Binary and other kinds go on over lines ending in a backslash.
                    while (!value.Text.empty() && value.Text.back() == '\\' && i + 1 < lines.size())
                        value.Text += "\r\n" + TrimRight(lines[++i]);
                }
                SetValue(*current, name, value);
            }
        }
        if (!headerSeen && !lines.empty()) throw TParseError{};
    } catch (const TParseError&) {
        throw ERegistryException(Format("The registry file \"%s\" is not valid at line %d",
                                        {source, static_cast<long long>(i + 1)}));
    }
    return hive;
}

std::string TRegistryHive::Text() const
{
    std::string text = std::string(Header) + "\r\n\r\n";
    AppendKey(top_, RootName(root_), true, text);
    return text;
}

TRegistryHive::TKey* TRegistryHive::Find(std::string_view path)
{
    TKey* key = &top_;
    for (const std::string& part : SplitKeyPath(path))
        if (!(key = FindSubKey(*key, part))) return nullptr;
    return key;
}

TRegistryHive::TKey& TRegistryHive::Ensure(std::string_view path)
{
    TKey* key = &top_;
    for (const std::string& part : SplitKeyPath(path)) {
        TKey* sub = FindSubKey(*key, part);
        if (!sub) {
            key->SubKeys.push_back(std::make_unique<TKey>());
            sub = key->SubKeys.back().get();
            sub->Name = part;
        }
        key = sub;
    }
    return *key;
}

bool TRegistryHive::Remove(std::string_view path)
{
    TStringList parts = SplitKeyPath(path);
    if (parts.empty()) return false;
    TKey* parent = &top_;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i)
        if (!(parent = FindSubKey(*parent, parts[i]))) return false;
    const std::string& last = parts.back();
    auto found = std::find_if(parent->SubKeys.begin(), parent->SubKeys.end(),
                              [&](const auto& sub) { return SameText(sub->Name, last); });
    if (found == parent->SubKeys.end()) return false;
    parent->SubKeys.erase(found);
    return true;
}

TRegistryHive::TNamedValue* TRegistryHive::FindValue(TKey& key, std::string_view name)
{
    auto found = std::find_if(key.Values.begin(), key.Values.end(),
                              [&](const TNamedValue& value) { return SameText(value.Name, name); });
    return found == key.Values.end() ? nullptr : &*found;
}

void TRegistryHive::SetValue(TKey& key, std::string_view name, const TRegistryValue& value)
{
    // A line break cannot be written in the export's one-line text form.
    if (value.Kind == TRegistryValueKind::String && value.Text.find_first_of("\r\n") != std::string::npos)
        throw ERegistryException(Format("Failed to set data for '%s'", {name}));
    if (TNamedValue* existing = FindValue(key, name)) {
        existing->Value = value;
    } else {
        key.Values.push_back({std::string(name), value});
    }
}

std::optional<std::string> ExpandableStringText(const TRegistryValue& value)
{
    constexpr std::string_view prefix = "hex(2):";
    if (value.Kind != TRegistryValueKind::Other || !StartsText(prefix, value.Text)) return std::nullopt;
    std::u16string text;
    int byteIndex = 0;
    char16_t unit = 0;
    std::string_view data = std::string_view(value.Text).substr(prefix.size());
    for (std::size_t at = 0; at < data.size();) {
        const char c = data[at];
        if (c == ',' || c == '\\' || IsBlank(c)) {
            ++at;
            continue;
        }
        if (at + 2 > data.size() || !std::isxdigit(static_cast<unsigned char>(c)) ||
            !std::isxdigit(static_cast<unsigned char>(data[at + 1])))
            return std::nullopt;
        const auto byte = static_cast<char16_t>(std::stoi(std::string(data.substr(at, 2)), nullptr, 16));
        at += 2;
        unit = byteIndex == 0 ? byte : static_cast<char16_t>(unit | (byte << 8));
        if (++byteIndex == 2) {
            text += unit;
            byteIndex = 0;
        }
    }
    // The stored text ends in a NUL character.
    if (!text.empty() && text.back() == u'\0') text.pop_back();
    return AnsiFromUtf16(text);
}

} // namespace tarnwick::os
