#include "suite/VexholmRegistry.h"

#include <memory>

namespace tarnwick {

namespace {

std::unique_ptr<TVexholmRegistry>& Instance()
{
    static std::unique_ptr<TVexholmRegistry> registry;
    return registry;
}

// Sets root and access for one operation and puts the previous ones back when it ends.
class TRegistryScope {
public:
    TRegistryScope(os::TRegistryRoot root, os::TRegistryAccess access)
        : registry_(VexholmRegistry()), root_(registry_.RootKey()), access_(registry_.Access())
    {
        registry_.SetRootKey(root);
        registry_.SetAccess(access);
    }
    ~TRegistryScope()
    {
        registry_.CloseKey();
        registry_.SetRootKey(root_);
        registry_.SetAccess(access_);
    }
    TRegistryScope(const TRegistryScope&) = delete;
    TRegistryScope& operator=(const TRegistryScope&) = delete;

    TVexholmRegistry* operator->() { return &registry_; }

private:
    TVexholmRegistry& registry_;
    os::TRegistryRoot root_;
    os::TRegistryAccess access_;
};

} // namespace

TVexholmRegistry& VexholmRegistry()
{
    if (!Instance()) Instance() = std::make_unique<TVexholmRegistry>(HKEY_LOCAL_MACHINE);
    return *Instance();
}

bool VexholmRegistryExists() { return Instance() != nullptr; }

void FreeVexholmRegistry() { Instance().reset(); }

std::string ReadRegistryString(os::TRegistryRoot root, std::string_view key, std::string_view name)
{
    TRegistryScope registry(root, os::TRegistryAccess::Read);
    if (!registry->KeyExists(key) || !registry->OpenKeyReadOnly(key)) return {};
    return registry->ValueExists(name) ? registry->ReadString(name) : std::string();
}

int ReadRegistryInteger(os::TRegistryRoot root, std::string_view key, std::string_view name, int fallback)
{
    TRegistryScope registry(root, os::TRegistryAccess::Read);
    if (!registry->KeyExists(key) || !registry->OpenKeyReadOnly(key)) return fallback;
    return registry->ValueExists(name) ? registry->ReadInteger(name) : fallback;
}

bool WriteRegistryInteger(os::TRegistryRoot root, std::string_view key, std::string_view name, int value)
{
    try {
        TRegistryScope registry(root, os::TRegistryAccess::ReadWrite);
        if (!registry->OpenKey(key, true)) return false;
        registry->WriteInteger(name, value);
        return true;
    } catch (...) {
        return false;
    }
}

bool RegistryKeyExists(os::TRegistryRoot root, std::string_view key)
{
    TRegistryScope registry(root, os::TRegistryAccess::Read);
    return registry->KeyExists(key);
}

bool DeleteRegistryKeyTree(os::TRegistryRoot root, std::string_view key)
{
    TRegistryScope registry(root, os::TRegistryAccess::ReadWrite);
    if (!registry->OpenKey(key, false)) return false;
    TStringList names = registry->GetKeyNames();
    while (!names.empty()) {
        if (!registry->DeleteKey(names.front())) return false;
        names.erase(names.begin());
    }
    registry->CloseKey();
    return registry->DeleteKey(key);
}

} // namespace tarnwick
