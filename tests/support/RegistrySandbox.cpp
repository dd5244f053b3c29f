#include "support/RegistrySandbox.h"

namespace tarnwick::test {

RegistrySandbox::RegistrySandbox()
    : files_{folder_ / "user/HKEY_CURRENT_USER.reg", folder_ / "machine/HKEY_LOCAL_MACHINE.reg"}
{
    previous_ = os::SetRegistryStore(std::make_shared<os::TFileRegistryStore>(files_));
}

RegistrySandbox::~RegistrySandbox() { os::SetRegistryStore(previous_); }

void RegistrySandbox::SetString(os::TRegistryRoot root, const std::string& key, const std::string& name,
                                const std::string& text)
{
    os::RegistryStore().WriteValue(root, key, name, os::TRegistryValue::String(text));
}

void RegistrySandbox::SetDWord(os::TRegistryRoot root, const std::string& key, const std::string& name,
                               std::uint32_t number)
{
    os::RegistryStore().WriteValue(root, key, name, os::TRegistryValue::DWord(number));
}

} // namespace tarnwick::test
