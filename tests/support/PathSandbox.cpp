#include "support/PathSandbox.h"

#include <filesystem>

namespace tarnwick::test {

PathSandbox::PathSandbox()
{
    std::filesystem::create_directories(Unc());
    std::filesystem::create_directories(Drives());
    previous_ = os::SetPathMapper(std::make_shared<os::TPathMapper>(os::TPathRoots{Unc(), Drives()}));
}

PathSandbox::~PathSandbox() { os::SetPathMapper(previous_); }

std::string PathSandbox::MakeFolder(const std::string& relative) const
{
    std::string path = folder_ / relative;
    std::filesystem::create_directories(path);
    return path;
}

} // namespace tarnwick::test
