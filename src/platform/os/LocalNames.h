#pragma once

#include <string>
#include <string_view>

namespace tarnwick::os {

// File names cross between the system's Windows-1252 texts and the file system's UTF-8
// here. A local name that is not valid UTF-8 is taken byte for byte.
std::string LocalNameFromAnsi(std::string_view ansi);
std::string AnsiFromLocalName(std::string_view local);

} // namespace tarnwick::os
