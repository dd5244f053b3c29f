#include "support/ChildProcess.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace tarnwick::test {

std::string ChildProcess::TestProgram(const std::string& name)
{
    if (const char* bin = std::getenv("TARNWICK_TEST_BIN")) return std::string(bin) + "/tests/" + name;
    // Run by hand: the helpers are built beside the test programs.
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) throw std::runtime_error("pipe failed");
    std::string path = program.find('/') == std::string::npos ? TestProgram(program) : program;
    std::vector<char*> argv{path.data()};
    std::vector<std::string> copies = arguments;
    for (auto& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        close(toChild[1]);
        close(fromChild[0]);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
}

ChildProcess::~ChildProcess()
{
    if (pid_ > 0) Kill();
    if (input_ >= 0) close(input_);
    if (output_ >= 0) close(output_);
}

std::string ChildProcess::ReadLine()
{
    std::string line;
    char c;
    while (read(output_, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

int ChildProcess::CloseAndWait()
{
    close(input_);
    input_ = -1;
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Kill()
{
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

} // namespace tarnwick::test
