#pragma once

#include <string>
#include <string_view>

// Conversions between the system's Windows-1252 text and Unicode, used only at the edges
// (the SQL client, the toolkit, XML). Characters the code page lacks become "?".
namespace tarnwick {

std::string Utf8FromAnsi(std::string_view ansi);
std::u16string Utf16FromAnsi(std::string_view ansi);

// Invalid UTF-8 sequences become "?" as well; IsValidUtf8 tells them apart beforehand.
std::string AnsiFromUtf8(std::string_view utf8);
std::string AnsiFromUtf16(std::u16string_view utf16);

bool IsValidUtf8(std::string_view utf8);

// The Unicode code point of one Windows-1252 byte, and the byte of a code point (or '?').
char32_t CodePointOfAnsi(char c);
char AnsiOfCodePoint(char32_t codePoint);

} // namespace tarnwick
