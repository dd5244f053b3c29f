#pragma once

#include "platform/os/FileRegistryStore.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>

namespace tarnwick::test {

// Both registry roots as hive files in a temporary folder, put in place of the machine's
// for the test's lifetime. The files do not exist until something is written.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    const os::TRegistryFiles& Files() const { return files_; }
    std::string UserFile() const { return files_.CurrentUser; }
    std::string MachineFile() const { return files_.LocalMachine; }

    void SetString(os::TRegistryRoot root, const std::string& key, const std::string& name,
                   const std::string& text);
    void SetDWord(os::TRegistryRoot root, const std::string& key, const std::string& name,
                  std::uint32_t number);

private:
    TempFolder folder_;
    os::TRegistryFiles files_;
    std::shared_ptr<os::IRegistryStore> previous_;
};

} // namespace tarnwick::test
