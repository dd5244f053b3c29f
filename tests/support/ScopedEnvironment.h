#pragma once

#include <optional>
#include <string>

namespace tarnwick::test {

// Sets (or with nullopt unsets) an environment variable, restoring the old value when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

} // namespace tarnwick::test
