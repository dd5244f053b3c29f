#include "platform/core/Strings.h"

#include "platform/core/Exceptions.h"

#include <charconv>
#include <limits>

namespace tarnwick {

namespace {

// Windows-1252 letters outside ASCII whose case partner is not at +/- 0x20.
struct CasePair {
    unsigned char lower;
    unsigned char upper;
};
constexpr CasePair SpecialPairs[] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};

} // namespace

std::string TrimLeft(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    return std::string(text.substr(start));
}

std::string TrimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text)
{
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && IsBlank(text[start])) ++start;
    while (end > start && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(start, end - start));
}

char UpperChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    for (const auto& pair : SpecialPairs)
        if (u == pair.lower) return static_cast<char>(pair.upper);
    return c;
}

char LowerChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
    for (const auto& pair : SpecialPairs)
        if (u == pair.upper) return static_cast<char>(pair.lower);
    return c;
}

std::string UpperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result) c = UpperChar(c);
    return result;
}

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result) c = LowerChar(c);
    return result;
}

int CompareText(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(UpperChar(a[i]));
        const auto cb = static_cast<unsigned char>(UpperChar(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

std::size_t FindText(std::string_view text, std::string_view needle, std::size_t from)
{
    if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
    if (needle.size() > text.size()) return std::string_view::npos;
    for (std::size_t i = from; i + needle.size() <= text.size(); ++i) {
        if (SameText(text.substr(i, needle.size()), needle)) return i;
    }
    return std::string_view::npos;
}

bool ContainsText(std::string_view text, std::string_view needle)
{
    return FindText(text, needle) != std::string_view::npos;
}

bool StartsText(std::string_view prefix, std::string_view text)
{
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty()) return std::string(text);
    std::string result;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = FindText(text, from, pos)) != std::string_view::npos;) {
        result.append(text.substr(pos, hit - pos)).append(to);
        pos = hit + from.size();
    }
    result.append(text.substr(pos));
    return result;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty()) return std::string(text);
    std::string result;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::string_view::npos;) {
        result.append(text.substr(pos, hit - pos)).append(to);
        pos = hit + from.size();
    }
    result.append(text.substr(pos));
    return result;
}

TStringList SplitLines(std::string_view text)
{
    TStringList lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string LinesText(const TStringList& lines)
{
    std::string text;
    for (const auto& line : lines) text.append(line).append(CRLF);
    return text;
}

std::string JoinLines(const TStringList& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text.append(CRLF);
        text.append(lines[i]);
    }
    return text;
}

int IndexOfText(const TStringList& list, std::string_view value)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (SameText(list[i], value)) return static_cast<int>(i);
    return -1;
}

std::string IntToStr(long long value) { return std::to_string(value); }

bool TryStrToInt64(std::string_view text, long long& value)
{
    // Blanks around the digits are accepted, as are a sign and a "$" or "0x" hex prefix.
    std::string t = Trim(text);
    std::string_view s = t;
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    unsigned long long magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    const auto limit = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (negative) {
        if (magnitude > limit + 1) return false;
        value = magnitude == limit + 1 ? std::numeric_limits<long long>::min()
                                       : -static_cast<long long>(magnitude);
    } else {
        if (magnitude > limit) return false;
        value = static_cast<long long>(magnitude);
    }
    return true;
}

long long StrToInt64(std::string_view text)
{
    long long value = 0;
    if (!TryStrToInt64(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

int StrToInt(std::string_view text)
{
    const long long value = StrToInt64(text);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return static_cast<int>(value);
}

long long StrToIntDef(std::string_view text, long long fallback)
{
    long long value = 0;
    return TryStrToInt64(text, value) ? value : fallback;
}

std::string QuotedStr(std::string_view text)
{
    return "'" + ReplaceAll(text, "'", "''") + "'";
}

} // namespace tarnwick
