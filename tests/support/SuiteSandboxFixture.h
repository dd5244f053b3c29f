#pragma once

#include "platform/sql/Driver.h"
#include "sandbox/SuiteSandbox.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <memory>
#include <vector>

namespace tarnwick::test {

// A whole simulated suite for one test, named after the machine "SRV01" unless the options
// say otherwise: the process points at it while the fixture lives and is put back after
// (environment, file roots, registry, simulator and SQL driver).
class ScopedSuiteSandbox {
public:
    explicit ScopedSuiteSandbox(sandbox::TSandboxOptions options = {});
    ~ScopedSuiteSandbox();
    ScopedSuiteSandbox(const ScopedSuiteSandbox&) = delete;
    ScopedSuiteSandbox& operator=(const ScopedSuiteSandbox&) = delete;

    sandbox::TSuiteSandbox& Suite() { return *suite_; }
    sandbox::TSuiteSandbox* operator->() { return suite_.get(); }

private:
    std::vector<std::unique_ptr<ScopedEnvironment>> environment_;
    std::shared_ptr<sql::IDriver> previousDriver_;
    TempFolder folder_;
    std::unique_ptr<sandbox::TSuiteSandbox> suite_;
};

} // namespace tarnwick::test
