#include "platform/os/Registry.h"

#include "platform/core/Format.h"
#include "platform/os/RegistryHive.h"

namespace tarnwick::os {

TRegistry::TRegistry(TRegistryRoot root) : root_(root) {}

void TRegistry::SetRootKey(TRegistryRoot root)
{
    CloseKey();
    root_ = root;
}

std::string TRegistry::FullPath(std::string_view key) const
{
    std::string path = !key.empty() && key[0] == '\\' ? std::string() : currentPath_;
    TStringList parts = SplitKeyPath(path);
    for (auto& part : SplitKeyPath(key)) parts.push_back(std::move(part));
    std::string joined;
    for (const auto& part : parts) joined += (joined.empty() ? "" : "\\") + part;
    return joined;
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate)
{
    std::string path = FullPath(key);
    IRegistryStore& store = RegistryStore();
    if (!store.KeyExists(root_, path)) {
        if (!canCreate || access_ == TRegistryAccess::Read) return false;
        store.CreateKey(root_, path);
    }
    currentPath_ = path;
    open_ = true;
    return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key)
{
    access_ = TRegistryAccess::Read;
    return OpenKey(key, false);
}

void TRegistry::CloseKey()
{
    currentPath_.clear();
    open_ = false;
}

bool TRegistry::KeyExists(std::string_view key) { return RegistryStore().KeyExists(root_, FullPath(key)); }

bool TRegistry::ValueExists(std::string_view name)
{
    return open_ && RegistryStore().ReadValue(root_, currentPath_, name).has_value();
}

std::string TRegistry::ReadString(std::string_view name)
{
    if (!open_) return {};
    auto value = RegistryStore().ReadValue(root_, currentPath_, name);
    if (!value) return {};
    if (value->Kind == TRegistryValueKind::String) return value->Text;
    if (auto expandable = ExpandableStringText(*value)) return *expandable;
    throw ERegistryException(Format("Invalid data type for '%s'", {name}));
}

int TRegistry::ReadInteger(std::string_view name)
{
    auto value = open_ ? RegistryStore().ReadValue(root_, currentPath_, name) : std::nullopt;
    if (!value || value->Kind != TRegistryValueKind::DWord)
        throw ERegistryException(Format("Invalid data type for '%s'", {name}));
    return static_cast<int>(value->Number);
}

void TRegistry::Write(std::string_view name, const TRegistryValue& value)
{
    if (!open_ || access_ == TRegistryAccess::Read)
        throw ERegistryException(Format("Failed to set data for '%s'", {name}));
    RegistryStore().WriteValue(root_, currentPath_, name, value);
}

void TRegistry::WriteString(std::string_view name, std::string_view text)
{
    Write(name, TRegistryValue::String(std::string(text)));
}

void TRegistry::WriteInteger(std::string_view name, int value)
{
    Write(name, TRegistryValue::DWord(static_cast<std::uint32_t>(value)));
}

TStringList TRegistry::GetKeyNames()
{
    return open_ ? RegistryStore().SubKeyNames(root_, currentPath_) : TStringList();
}

bool TRegistry::DeleteKey(std::string_view key)
{
    if (access_ == TRegistryAccess::Read) return false;
    std::string path = FullPath(key);
    return !path.empty() && RegistryStore().DeleteKey(root_, path);
}

} // namespace tarnwick::os
