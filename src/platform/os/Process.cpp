#include "platform/os/Process.h"

#include "platform/core/CodePage.h"
#include "platform/core/ServiceSlot.h"
#include "platform/os/LocalNames.h"
#include "platform/os/PathMapper.h"
#include "platform/os/ProcessCommandLine.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

extern char** environ;

namespace tarnwick::os {

namespace {

// Programs dropped while still running; reaped whenever another is started or waited for.
std::mutex orphansMutex;
std::vector<pid_t> orphans;

void ReapOrphans()
{
    const std::lock_guard lock(orphansMutex);
    std::erase_if(orphans, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

class TSpawnedProcess : public IProcess {
public:
    explicit TSpawnedProcess(pid_t pid) : pid_(pid) {}
    ~TSpawnedProcess() override
    {
        if (ended_) return;
        const std::lock_guard lock(orphansMutex);
        orphans.push_back(pid_);
    }

    bool WaitFor(int timeoutMs) override
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (Poll()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    int ExitCode() const override { return exitCode_; }

private:
    bool Poll()
    {
        if (ended_) return true;
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == 0 || (done < 0 && errno == EINTR)) return false;
        ended_ = true;
        if (done < 0)
            exitCode_ = -1;
        else if (WIFEXITED(status))
            exitCode_ = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            exitCode_ = 128 + WTERMSIG(status);
        return true;
    }

    pid_t pid_;
    bool ended_ = false;
    int exitCode_ = 0;
};

// The spawn's file actions, freed on every path.
class TFileActions {
public:
    TFileActions() { posix_spawn_file_actions_init(&actions_); }
    ~TFileActions() { posix_spawn_file_actions_destroy(&actions_); }
    TFileActions(const TFileActions&) = delete;
    TFileActions& operator=(const TFileActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

bool HasFolder(std::string_view program) { return program.find_first_of("\\/:") != std::string_view::npos; }

TServiceSlot<IProcesses>& Slot()
{
    static TServiceSlot<IProcesses> slot(MakeService<IProcesses, TSpawnProcesses>);
    return slot;
}

std::string& ProgramFileOverride()
{
    static std::string path;
    return path;
}

} // namespace

std::unique_ptr<IProcess> TSpawnProcesses::Start(std::string_view commandLine, int showMode,
                                                 std::string_view workingFolder)
{
    ReapOrphans();
    const TStringList args = CommandLineToArgs(commandLine);
    if (args.empty() || args[0].empty()) return nullptr;
    const bool search = !HasFolder(args[0]);
    const std::string program = search ? Utf8FromAnsi(args[0]) : PathMapper().LocalPath(args[0]);

    std::vector<std::string> argv{program};
    for (std::size_t i = 1; i < args.size(); ++i) argv.push_back(Utf8FromAnsi(args[i]));
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry)
        if (std::string_view(*entry).rfind("TARNWICK_SHOW_MODE=", 0) != 0) env.emplace_back(*entry);
    env.push_back("TARNWICK_SHOW_MODE=" + std::to_string(showMode));

    std::vector<char*> argvPointers;
    for (auto& arg : argv) argvPointers.push_back(arg.data());
    argvPointers.push_back(nullptr);
    std::vector<char*> envPointers;
    for (auto& entry : env) envPointers.push_back(entry.data());
    envPointers.push_back(nullptr);

    TFileActions actions;
    if (!workingFolder.empty()) {
        const std::string folder = PathMapper().LocalPath(workingFolder);
        if (posix_spawn_file_actions_addchdir_np(actions.Get(), folder.c_str()) != 0) return nullptr;
    }
    pid_t pid = 0;
    const int failed = search ? posix_spawnp(&pid, program.c_str(), actions.Get(), nullptr,
                                             argvPointers.data(), envPointers.data())
                              : posix_spawn(&pid, program.c_str(), actions.Get(), nullptr,
                                            argvPointers.data(), envPointers.data());
    if (failed != 0) return nullptr;
    return std::make_unique<TSpawnedProcess>(pid);
}

IProcesses& Processes() { return Slot().Get(); }

std::shared_ptr<IProcesses> SetProcesses(std::shared_ptr<IProcesses> processes)
{
    return Slot().Set(std::move(processes));
}

std::string ProgramFileName()
{
    if (!ProgramFileOverride().empty()) return ProgramFileOverride();
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : AnsiFromLocalName(self.string());
}

void SetProgramFileName(std::string path) { ProgramFileOverride() = std::move(path); }

} // namespace tarnwick::os
