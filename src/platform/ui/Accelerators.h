#pragma once

#include <string>
#include <string_view>

namespace tarnwick::ui {

// The text a caption or message shows: "&" marks the next character as the accelerator and
// disappears, "&&" shows one "&".
std::string DisplayTextOf(std::string_view caption);

} // namespace tarnwick::ui
