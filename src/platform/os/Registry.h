#pragma once

#include "platform/os/RegistryStore.h"

#include <string>
#include <string_view>

namespace tarnwick::os {

enum class TRegistryAccess { Read, ReadWrite };

// The registry-access object: a current root, an access mode and at most one open key.
// Key paths that start with a backslash are taken from the root, others from the open key
// (or the root when none is open). Values are read and written in the open key.
class TRegistry {
public:
    explicit TRegistry(TRegistryRoot root = TRegistryRoot::HKEY_CURRENT_USER);
    virtual ~TRegistry() = default;

    TRegistryRoot RootKey() const { return root_; }
    // Changing the root closes the open key.
    void SetRootKey(TRegistryRoot root);
    TRegistryAccess Access() const { return access_; }
    void SetAccess(TRegistryAccess access) { access_ = access; }
    // The open key's path from the root, empty when none is open.
    const std::string& CurrentPath() const { return currentPath_; }
    bool HasCurrentKey() const { return open_; }

    // Opens a key, creating it (and its parents) when canCreate and the access allows
    // writing; false when it does not exist and is not created.
    bool OpenKey(std::string_view key, bool canCreate);
    bool OpenKeyReadOnly(std::string_view key);
    void CloseKey();

    bool KeyExists(std::string_view key);
    bool ValueExists(std::string_view name);
    // Empty text for a missing value; ERegistryException "Invalid data type for '<name>'"
    // for a value of another kind.
    std::string ReadString(std::string_view name);
    // ERegistryException for a missing value or one of another kind.
    int ReadInteger(std::string_view name);
    // ERegistryException "Failed to set data for '<name>'" without an open key or write access.
    void WriteString(std::string_view name, std::string_view text);
    void WriteInteger(std::string_view name, int value);
    TStringList GetKeyNames();
    // Deletes a key with everything below it; false when it does not exist.
    bool DeleteKey(std::string_view key);

private:
    std::string FullPath(std::string_view key) const;
    void Write(std::string_view name, const TRegistryValue& value);

    TRegistryRoot root_;
    TRegistryAccess access_ = TRegistryAccess::ReadWrite;
    std::string currentPath_;
    bool open_ = false;
};

} // namespace tarnwick::os
