#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick::os {

// Who and where this program runs. Each name is empty when the system cannot tell.
class IMachineIdentity {
public:
    virtual ~IMachineIdentity() = default;
    // The NetBIOS form of the host name: its first label, upper case, at most 15 characters;
    // TARNWICK_COMPUTERNAME in its place when set.
    virtual std::string ComputerName() = 0;
    // The account name; TARNWICK_USERNAME in its place when set.
    virtual std::string UserName() = 0;
};

// The NetBIOS form of a host name.
std::string NetBiosName(std::string_view hostName);

IMachineIdentity& MachineIdentity();
// Puts an identity in place (nullptr: the system's) and returns the previous one.
std::shared_ptr<IMachineIdentity> SetMachineIdentity(std::shared_ptr<IMachineIdentity> identity);

} // namespace tarnwick::os
