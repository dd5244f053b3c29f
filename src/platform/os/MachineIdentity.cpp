#include "platform/os/MachineIdentity.h"

#include "platform/core/ServiceSlot.h"
#include "platform/core/Strings.h"
#include "platform/os/Environment.h"
#include "platform/os/LocalNames.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace tarnwick::os {

namespace {

constexpr std::size_t NetBiosLength = 15;

class TSystemIdentity : public IMachineIdentity {
public:
    std::string ComputerName() override
    {
        if (auto name = EnvironmentVariable("TARNWICK_COMPUTERNAME")) return AnsiFromLocalName(*name);
        char host[256] = {};
        if (gethostname(host, sizeof host - 1) != 0) return {};
        return NetBiosName(AnsiFromLocalName(host));
    }

    std::string UserName() override
    {
        if (auto name = EnvironmentVariable("TARNWICK_USERNAME")) return AnsiFromLocalName(*name);
        long size = sysconf(_SC_GETPW_R_SIZE_MAX);
        std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
        passwd entry;
        passwd* found = nullptr;
        if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
            return AnsiFromLocalName(found->pw_name);
        return {};
    }
};

TServiceSlot<IMachineIdentity>& Slot()
{
    static TServiceSlot<IMachineIdentity> slot(MakeService<IMachineIdentity, TSystemIdentity>);
    return slot;
}

} // namespace

std::string NetBiosName(std::string_view hostName)
{
    std::string_view label = hostName.substr(0, hostName.find('.'));
    return UpperCase(label.substr(0, NetBiosLength));
}

IMachineIdentity& MachineIdentity() { return Slot().Get(); }

std::shared_ptr<IMachineIdentity> SetMachineIdentity(std::shared_ptr<IMachineIdentity> identity)
{
    return Slot().Set(std::move(identity));
}

} // namespace tarnwick::os
