#include "support/TempFolder.h"

#include <filesystem>
#include <random>

namespace tarnwick::test {

TempFolder::TempFolder()
{
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("tarnwick-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace tarnwick::test
