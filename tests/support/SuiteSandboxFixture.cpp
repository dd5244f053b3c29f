#include "support/SuiteSandboxFixture.h"

#include "platform/os/MachineIdentity.h"
#include "platform/os/PathMapper.h"
#include "platform/os/RegistryStore.h"
#include "platform/os/SystemFolders.h"
#include "platform/sql/sim/SimRoot.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace tarnwick::test {

namespace {
constexpr const char* SandboxVariables[] = {"TARNWICK_UNC_ROOT",
                                            "TARNWICK_DRIVE_ROOT",
                                            "TARNWICK_REGISTRY_USER",
                                            "TARNWICK_REGISTRY_MACHINE",
                                            "TARNWICK_COMMON_APPDATA",
                                            "TARNWICK_SIM_ROOT",
                                            "TMPDIR",
                                            "TARNWICK_COMPUTERNAME"};
} // namespace

ScopedSuiteSandbox::ScopedSuiteSandbox(sandbox::TSandboxOptions options)
    : previousDriver_(sql::SharedDriver())
{
    for (const char* name : SandboxVariables) {
        const char* value = std::getenv(name);
        environment_.push_back(std::make_unique<ScopedEnvironment>(
            name, value ? std::optional<std::string>(value) : std::nullopt));
    }
    setenv("TARNWICK_COMPUTERNAME", "SRV01", 1);
    os::SetMachineIdentity(nullptr);
    suite_ = std::make_unique<sandbox::TSuiteSandbox>(folder_.Path() / "suite");
    suite_->Build(options);
}

ScopedSuiteSandbox::~ScopedSuiteSandbox()
{
    sql::SetDriver(previousDriver_);
    sql::sim::SetSimRoot({});
    environment_.clear();
    os::SetPathMapper(nullptr);
    os::SetRegistryStore(nullptr);
    os::SetSpecialFolders(nullptr);
    os::SetMachineIdentity(nullptr);
}

} // namespace tarnwick::test
