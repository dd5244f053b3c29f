#pragma once

#include <memory>
#include <string>

namespace tarnwick::os {

// Folders the platform names, each with a trailing separator of its own style.
class ISpecialFolders {
public:
    virtual ~ISpecialFolders() = default;
    // $TMPDIR, else /tmp.
    virtual std::string TempFolder() = 0;
    // The all-users application-data folder: $TARNWICK_COMMON_APPDATA, else /var/lib.
    // Empty when there is none.
    virtual std::string CommonAppDataFolder() = 0;
};

ISpecialFolders& SpecialFolders();
// Puts a service in place (nullptr: the environment's) and returns the previous one.
std::shared_ptr<ISpecialFolders> SetSpecialFolders(std::shared_ptr<ISpecialFolders> folders);

} // namespace tarnwick::os
