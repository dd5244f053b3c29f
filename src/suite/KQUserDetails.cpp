#include "suite/KQUserDetails.h"

#include "platform/os/MachineIdentity.h"

namespace tarnwick {

namespace {

constexpr std::size_t ComputerNameBuffer = 17;
constexpr std::size_t UserNameBuffer = 258;

std::string IfItFits(std::string name, std::size_t buffer)
{
    return name.size() < buffer ? name : std::string();
}

} // namespace

void TKQUserDetails::Fill()
{
    ComputerName = IfItFits(os::MachineIdentity().ComputerName(), ComputerNameBuffer);
    UserName = IfItFits(os::MachineIdentity().UserName(), UserNameBuffer);
}

} // namespace tarnwick
