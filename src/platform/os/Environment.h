#pragma once

#include <optional>
#include <string>

namespace tarnwick::os {

// A variable of the process environment as it stands (local file-name encoding); nothing
// when it is unset or empty, so an empty setting never counts as a choice.
std::optional<std::string> EnvironmentVariable(const char* name);

// The variable, or the fallback when it is unset or empty.
std::string EnvironmentOr(const char* name, std::string fallback);

} // namespace tarnwick::os
