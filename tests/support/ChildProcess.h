#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tarnwick::test {

// A helper program run by a test, with its standard input and output on pipes. It is
// killed and reaped when the object goes, if it still runs.
class ChildProcess {
public:
    // program is a path, or the name of a helper built beside the test programs.
    explicit ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of its output, without the line break; empty at its end.
    std::string ReadLine();
    // Closes its input (a well-behaved helper ends) and waits; the exit code.
    int CloseAndWait();
    // Kills it without warning and waits, as a crash would end it.
    void Kill();

    static std::string TestProgram(const std::string& name);

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
};

} // namespace tarnwick::test
