#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick::os {

// A program this process started.
class IProcess {
public:
    virtual ~IProcess() = default;
    // Whether it has ended, waiting at most timeoutMs for it.
    virtual bool WaitFor(int timeoutMs) = 0;
    // Its exit code once it has ended; 128 + the signal's number when a signal ended it.
    virtual int ExitCode() const = 0;
};

// Starts programs from Windows command lines (quoting of the C runtime). The program path
// is mapped by PathMapper(); a name without any folder is looked up in PATH. The show mode
// (0 minimised, 1 maximised, 2 normal, 3 hidden) reaches the program as TARNWICK_SHOW_MODE.
// A program dropped before it ended runs on and is reaped later.
class IProcesses {
public:
    virtual ~IProcesses() = default;
    // Nothing when the program cannot be started. An empty working folder keeps ours.
    virtual std::unique_ptr<IProcess> Start(std::string_view commandLine, int showMode,
                                            std::string_view workingFolder) = 0;
};

class TSpawnProcesses : public IProcesses {
public:
    std::unique_ptr<IProcess> Start(std::string_view commandLine, int showMode,
                                    std::string_view workingFolder) override;
};

IProcesses& Processes();
// Puts a process service in place (nullptr: the posix_spawn one) and returns the previous one.
std::shared_ptr<IProcesses> SetProcesses(std::shared_ptr<IProcesses> processes);

// The running program's file, as system text; a test may put another file in its place
// (empty: the real one again).
std::string ProgramFileName();
void SetProgramFileName(std::string path);

} // namespace tarnwick::os
