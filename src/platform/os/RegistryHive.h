#pragma once

#include "platform/os/RegistryStore.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::os {

// One registry root in memory, read from and written as the text of a Windows .reg export:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Vexholm\Vexholm Taxation]
//   "DataSource"="SRV01\\TAX"
//   "DefaultDataset"=dword:00000007
//
// Every key has its own section, parents before children, in the order they were made.
class TRegistryHive {
public:
    struct TNamedValue {
        std::string Name;
        TRegistryValue Value;
    };
    struct TKey {
        std::string Name;
        std::vector<TNamedValue> Values;
        std::vector<std::unique_ptr<TKey>> SubKeys;
    };

    explicit TRegistryHive(TRegistryRoot root);

    // ERegistryException naming the source and line for text that is not such an export.
    static TRegistryHive Parse(TRegistryRoot root, std::string_view text, std::string_view source);
    std::string Text() const;

    // The key at a path, or nullptr; an empty path is the root.
    TKey* Find(std::string_view path);
    TKey& Ensure(std::string_view path);
    bool Remove(std::string_view path);

    static TNamedValue* FindValue(TKey& key, std::string_view name);
    static void SetValue(TKey& key, std::string_view name, const TRegistryValue& value);

private:
    TRegistryRoot root_;
    TKey top_;
};

// The text of an expandable string value ("hex(2):" followed by its UTF-16 bytes, as exports
// write paths with variables in them), unexpanded; nothing for any other kind of value.
std::optional<std::string> ExpandableStringText(const TRegistryValue& value);

// The components of a key path; empty components (doubled or outer backslashes) are dropped.
TStringList SplitKeyPath(std::string_view path);

} // namespace tarnwick::os
