#include "platform/os/RegistryStore.h"

#include "platform/core/ServiceSlot.h"
#include "platform/os/FileRegistryStore.h"

namespace tarnwick::os {

std::string RootName(TRegistryRoot root)
{
    return root == TRegistryRoot::HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

namespace {
// The default reads its places from the environment, again whenever it is put back.
std::shared_ptr<IRegistryStore> MakeRegistryStore()
{
    return std::make_shared<TFileRegistryStore>(TRegistryFiles::FromEnvironment());
}

TServiceSlot<IRegistryStore>& Slot()
{
    static TServiceSlot<IRegistryStore> slot(MakeRegistryStore);
    return slot;
}
} // namespace

IRegistryStore& RegistryStore() { return Slot().Get(); }

std::shared_ptr<IRegistryStore> SetRegistryStore(std::shared_ptr<IRegistryStore> service)
{
    return Slot().Set(std::move(service));
}

} // namespace tarnwick::os
