// Holds a lock for the tests of another process: "lockholder exclusive <path>" or
// "lockholder named <name>". Prints "locked" once it holds the lock (or "failed: <why>"),
// then keeps it until its standard input closes or it is killed.
#include "platform/core/Exceptions.h"
#include "platform/os/ExclusiveFile.h"
#include "platform/os/NamedLock.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    using namespace tarnwick;
    if (argc != 3) {
        std::cerr << "usage: lockholder exclusive <path> | named <name>\n";
        return 2;
    }
    std::string kind = argv[1];
    std::unique_ptr<os::IExclusiveFile> file;
    std::unique_ptr<os::INamedLock> named;
    try {
        if (kind == "exclusive") {
            file = os::FileLocks().CreateExclusive(argv[2]);
        } else {
            named = os::NamedLocks().Open(argv[2]);
            if (!named->Acquire(0)) throw Exception("held elsewhere");
        }
    } catch (const Exception& error) {
        std::cout << "failed: " << error.Message() << std::endl;
        return 1;
    }
    std::cout << "locked" << std::endl;
    while (std::cin.get() != EOF) {
    }
    return 0;
}
