#include "platform/os/RegistryStore.h"

#include "platform/os/FileRegistryStore.h"

namespace tarnwick::os {

std::string RootName(TRegistryRoot root)
{
    return root == TRegistryRoot::HKEY_CURRENT_USER ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

namespace {
std::shared_ptr<IRegistryStore>& CurrentStore()
{
    static std::shared_ptr<IRegistryStore> store;
    return store;
}
} // namespace

IRegistryStore& RegistryStore()
{
    if (!CurrentStore())
        CurrentStore() = std::make_shared<TFileRegistryStore>(TRegistryFiles::FromEnvironment());
    return *CurrentStore();
}

std::shared_ptr<IRegistryStore> SetRegistryStore(std::shared_ptr<IRegistryStore> store)
{
    auto previous = CurrentStore();
    CurrentStore() = std::move(store);
    return previous;
}

} // namespace tarnwick::os
