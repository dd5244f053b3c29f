#include "platform/core/CodePage.h"

#include <array>

namespace tarnwick {

namespace {

// Bytes 0x80-0x9F of Windows-1252. The five bytes the code page leaves undefined map to the
// C1 control of the same value, as Windows does, so every byte survives a round trip.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos; returns false (and skips one byte) when it is invalid.
bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    int length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        ++pos;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        min = 0x10000;
    } else {
        ++pos;
        return false;
    }
    if (pos + static_cast<std::size_t>(length) > s.size()) {
        ++pos;
        return false;
    }
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[pos + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += static_cast<std::size_t>(length);
    return true;
}

} // namespace

char32_t CodePointOfAnsi(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x80 && b <= 0x9F) ? High[b - 0x80] : b;
}

char AnsiOfCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < High.size(); ++i)
        if (High[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

std::string Utf8FromAnsi(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) AppendUtf8(out, CodePointOfAnsi(c));
    return out;
}

std::u16string Utf16FromAnsi(std::string_view ansi)
{
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi) out += static_cast<char16_t>(CodePointOfAnsi(c));
    return out;
}

std::string AnsiFromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = 0;
        out += DecodeUtf8(utf8, pos, cp) ? AnsiOfCodePoint(cp) : '?';
    }
    return out;
}

std::string AnsiFromUtf16(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            ++i; // a character beyond the Basic Multilingual Plane is never in the code page
            out += '?';
            continue;
        }
        out += AnsiOfCodePoint(unit);
    }
    return out;
}

bool IsValidUtf8(std::string_view utf8)
{
    std::size_t pos = 0;
    char32_t cp = 0;
    while (pos < utf8.size())
        if (!DecodeUtf8(utf8, pos, cp)) return false;
    return true;
}

} // namespace tarnwick
