// A program for the process tests: "exitwith <code> [report file] [more arguments...]" writes
// its working folder, its show mode and every argument to the report file, one a line, then
// ends with the code.
#include <cstdlib>
#include <fstream>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2) return 100;
    if (argc >= 3) {
        std::ofstream report(argv[2], std::ios::binary | std::ios::trunc);
        char folder[4096] = {};
        report << (getcwd(folder, sizeof folder) ? folder : "?") << '\n';
        const char* mode = std::getenv("TARNWICK_SHOW_MODE");
        report << (mode ? mode : "-") << '\n';
        for (int i = 3; i < argc; ++i) report << argv[i] << '\n';
    }
    return std::atoi(argv[1]);
}
