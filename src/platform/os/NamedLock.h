#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tarnwick::os {

// A machine-wide lock known by name, in place of a named system mutex: held by at most one
// object on the machine at a time, and given up by the kernel when its holder dies.
class INamedLock {
public:
    virtual ~INamedLock() = default;
    // True once the lock is ours; false when timeoutMs passed first.
    virtual bool Acquire(int timeoutMs) = 0;
    virtual void Release() = 0;
};

class INamedLocks {
public:
    virtual ~INamedLocks() = default;
    // Opens (creating if needed) the lock of that name; EOSError when it cannot be made.
    virtual std::unique_ptr<INamedLock> Open(std::string_view name) = 0;
};

// The lock of a name is a file in the temporary folder locked with flock; the wait polls,
// sleeping through the given function between tries.
class TFlockNamedLocks : public INamedLocks {
public:
    using TSleep = std::function<void(std::chrono::milliseconds)>;
    explicit TFlockNamedLocks(TSleep sleep = nullptr,
                              std::chrono::milliseconds pollInterval = std::chrono::milliseconds(10));
    std::unique_ptr<INamedLock> Open(std::string_view name) override;

    // The file that stands for a name: the temporary folder, "tarnwick-", and the name with
    // "/" and other characters a file name cannot hold made "_".
    static std::string LockFileOf(std::string_view name);

private:
    TSleep sleep_;
    std::chrono::milliseconds pollInterval_;
};

INamedLocks& NamedLocks();
// Puts a named-lock service in place (nullptr: the flock one) and returns the previous one.
std::shared_ptr<INamedLocks> SetNamedLocks(std::shared_ptr<INamedLocks> locks);

} // namespace tarnwick::os
