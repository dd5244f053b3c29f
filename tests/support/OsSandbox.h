#pragma once

#include "platform/os/MachineIdentity.h"
#include "platform/os/SystemFolders.h"
#include "support/PathSandbox.h"
#include "support/RegistrySandbox.h"

#include <memory>
#include <string>

namespace tarnwick::test {

// Special folders fixed by the test.
class FixedSpecialFolders : public os::ISpecialFolders {
public:
    std::string Temp;
    std::string CommonAppData;
    std::string TempFolder() override { return Temp; }
    std::string CommonAppDataFolder() override { return CommonAppData; }
};

// Computer and user names fixed by the test.
class FixedMachineIdentity : public os::IMachineIdentity {
public:
    std::string Computer = "SRV01";
    std::string User = "jbloggs";
    std::string ComputerName() override { return Computer; }
    std::string UserName() override { return User; }
};

// Everything of the machine a test may touch, in temporary folders: the share and drive
// roots, both registry files, a temporary and a common application-data folder, and the
// machine's names (SRV01, jbloggs). The machine's own services return when it goes.
class OsSandbox {
public:
    OsSandbox();
    ~OsSandbox();
    OsSandbox(const OsSandbox&) = delete;
    OsSandbox& operator=(const OsSandbox&) = delete;

    PathSandbox Paths;
    RegistrySandbox Registry;
    std::shared_ptr<FixedSpecialFolders> Folders = std::make_shared<FixedSpecialFolders>();
    std::shared_ptr<FixedMachineIdentity> Identity = std::make_shared<FixedMachineIdentity>();

private:
    std::shared_ptr<os::ISpecialFolders> previousFolders_;
    std::shared_ptr<os::IMachineIdentity> previousIdentity_;
};

} // namespace tarnwick::test
