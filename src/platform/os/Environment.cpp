#include "platform/os/Environment.h"

#include <cstdlib>

namespace tarnwick::os {

std::optional<std::string> EnvironmentVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

std::string EnvironmentOr(const char* name, std::string fallback)
{
    return EnvironmentVariable(name).value_or(std::move(fallback));
}

} // namespace tarnwick::os
