#pragma once

#include <utility>

namespace tarnwick {

// Runs a clean-up when the scope ends, on every path out of it.
template <typename F>
class ScopeGuard {
public:
    explicit ScopeGuard(F cleanup) : cleanup_(std::move(cleanup)) {}
    ~ScopeGuard() { cleanup_(); }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

private:
    F cleanup_;
};

} // namespace tarnwick
