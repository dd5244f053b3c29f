// Tells the process tests whether the program finds its own file: "programfile" prints
// "found" when the file service sees ProgramFileName() as a file, else "missing".
#include "platform/os/FileService.h"
#include "platform/os/Process.h"

#include <iostream>

int main()
{
    using namespace tarnwick;
    std::cout << (os::Files().FileExists(os::ProgramFileName()) ? "found" : "missing") << std::endl;
    return 0;
}
