#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// "1023 MB" below 1024 megabytes, else gigabytes with one decimal and the locale's
// separators: "1.0 GB", "1,024.0 GB".
std::string FormatMegabytes(long long megabytes);

// The first-letter rule of setting texts: "-", "1", "T", "Y" and "ON" read as true;
// everything else, the empty text too, as false.
bool TextToBool(std::string_view text);

// A new GUID as 32 upper-case hexadecimal digits, without braces or hyphens.
std::string NewHexGuidText();

} // namespace tarnwick
