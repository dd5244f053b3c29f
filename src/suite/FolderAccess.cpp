#include "suite/FolderAccess.h"

#include "platform/core/Exceptions.h"
#include "platform/core/ScopeGuard.h"
#include "platform/core/Strings.h"
#include "platform/os/FileService.h"
#include "platform/os/NamedLock.h"
#include "platform/os/PathMapper.h"
#include "platform/ui/Toolkit.h"

namespace tarnwick {

namespace {

constexpr int LockTimeoutMs = 300000;
constexpr int ModifyRetryDelayMs = 250;

std::string& LastFailure()
{
    static std::string message;
    return message;
}

// The access steps with the lock held; each failure leaves its message in LastFailure.
int TestSteps(const std::string& file)
{
    os::IFileService& files = os::Files();
    TStringList lines = {"File Test", "==== ===="};
    try {
        files.WriteText(file, LinesText(lines));
    } catch (...) {
        LastFailure() = MessageOf(std::current_exception());
        return 1;
    }
    if (!files.FileExists(file)) return 5;
    try {
        lines = files.ReadLines(file);
    } catch (...) {
        LastFailure() = MessageOf(std::current_exception());
        return 2;
    }
    lines.push_back("Modify Test");
    try {
        files.WriteText(file, LinesText(lines));
    } catch (...) {
        ui::Toolkit().Sleep(ModifyRetryDelayMs);
        try {
            files.WriteText(file, LinesText(lines));
        } catch (...) {
            LastFailure() = MessageOf(std::current_exception());
            return 3;
        }
    }
    try {
        if (!files.DeleteFile(file)) return 4;
    } catch (...) {
        LastFailure() = MessageOf(std::current_exception());
        return 4;
    }
    return 0;
}

} // namespace

int TestFolderAccess(std::string_view folder)
{
    LastFailure().clear();
    const std::string file = os::IncludeTrailingPathDelimiter(folder) + "filetest.tst";

    const std::unique_ptr<os::INamedLock> lock = os::NamedLocks().Open(ReplaceAll(file, "\\", "_"));
    if (!lock->Acquire(LockTimeoutMs)) throw EOSError("Timed out waiting for the access test of " + file);
    const ScopeGuard release([&] {
        try {
            os::Files().DeleteFile(file);
        } catch (...) {
            // The test's own result stands; a file left behind is tried again next time.
        }
        lock->Release();
    });
    return TestSteps(file);
}

const std::string& LastAccessFailure() { return LastFailure(); }

} // namespace tarnwick
