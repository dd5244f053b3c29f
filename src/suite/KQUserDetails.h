#pragma once

#include <string>

namespace tarnwick {

// The local computer and user names, filled on request.
class TKQUserDetails {
public:
    std::string ComputerName;
    std::string UserName;

    // Each name is taken when it fits its buffer (16 and 257 characters), as the system
    // call that fills it refuses a longer one, and stays empty otherwise.
    void Fill();
};

} // namespace tarnwick
