#include "platform/os/NamedLock.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/ServiceSlot.h"
#include "platform/os/FileHandle.h"
#include "platform/os/LocalNames.h"
#include "platform/os/SystemFolders.h"
#include "platform/os/SystemError.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace tarnwick::os {

namespace {

constexpr std::size_t LongestName = 160;

std::string HexOf(std::uint64_t value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = digits[value & 15];
    return text;
}

// Opens the file that stands for a lock, making it when it is missing. An existing file is
// opened without O_CREAT: in a sticky folder such as /tmp the kernel refuses O_CREAT on
// another account's file (fs.protected_regular), which would shut every other account out.
int OpenLockFile(const std::string& path)
{
    for (;;) {
        int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) return fd;
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

class TFlockNamedLock : public INamedLock {
public:
    TFlockNamedLock(TFileHandle handle, TFlockNamedLocks::TSleep sleep, std::chrono::milliseconds poll)
        : handle_(std::move(handle)), sleep_(std::move(sleep)), poll_(poll)
    {
    }
    ~TFlockNamedLock() override { Release(); }

    bool Acquire(int timeoutMs) override
    {
        std::chrono::milliseconds waited(0);
        for (;;) {
            if (flock(handle_.Get(), LOCK_EX | LOCK_NB) == 0) return held_ = true;
            if (errno != EWOULDBLOCK && errno != EINTR) RaiseLastOSError("Cannot acquire the named lock");
            if (waited.count() >= timeoutMs) return false;
            std::chrono::milliseconds step = std::min(poll_, std::chrono::milliseconds(timeoutMs) - waited);
            sleep_(step);
            waited += step;
        }
    }

    void Release() override
    {
        if (held_) flock(handle_.Get(), LOCK_UN);
        held_ = false;
    }

private:
    TFileHandle handle_;
    TFlockNamedLocks::TSleep sleep_;
    std::chrono::milliseconds poll_;
    bool held_ = false;
};

} // namespace

TFlockNamedLocks::TFlockNamedLocks(TSleep sleep, std::chrono::milliseconds pollInterval)
    : sleep_(sleep ? std::move(sleep)
                   : [](std::chrono::milliseconds step) { std::this_thread::sleep_for(step); }),
      pollInterval_(pollInterval)
{
}

std::string TFlockNamedLocks::LockFileOf(std::string_view name)
{
    std::string safe;
    for (char c : name) safe += (c == '/' || c == '\0') ? '_' : c;
    if (safe.size() > LongestName) {
        // FNV-1a keeps long names apart while the file name stays within the system's limit.
        std::uint64_t hash = 14695981039346656037ull;
        for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
        safe = safe.substr(0, LongestName) + "-" + HexOf(hash);
    }
    return SpecialFolders().TempFolder() + "tarnwick-" + safe;
}

std::unique_ptr<INamedLock> TFlockNamedLocks::Open(std::string_view name)
{
    std::string file = LockFileOf(name);
    TFileHandle handle(OpenLockFile(LocalNameFromAnsi(file)));
    if (!handle.Valid()) RaiseLastOSError(Format("Cannot open the named lock \"%s\"", {file}));
    // Any account on the machine may take the lock after us.
    fchmod(handle.Get(), 0666);
    return std::make_unique<TFlockNamedLock>(std::move(handle), sleep_, pollInterval_);
}

namespace {
TServiceSlot<INamedLocks>& Slot()
{
    static TServiceSlot<INamedLocks> slot(MakeService<INamedLocks, TFlockNamedLocks>);
    return slot;
}
} // namespace

INamedLocks& NamedLocks() { return Slot().Get(); }

std::shared_ptr<INamedLocks> SetNamedLocks(std::shared_ptr<INamedLocks> locks)
{
    return Slot().Set(std::move(locks));
}

} // namespace tarnwick::os
