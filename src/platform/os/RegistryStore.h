#pragma once

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::os {

TARNWICK_EXCEPTION(ERegistryException, Exception);

enum class TRegistryRoot { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };

std::string RootName(TRegistryRoot root);

enum class TRegistryValueKind {
    String,
    DWord,
    // Any other kind found in a hive file, kept as its text so that rewriting loses nothing.
    Other,
};

struct TRegistryValue {
    TRegistryValueKind Kind = TRegistryValueKind::String;
    std::string Text;
    std::uint32_t Number = 0;

    static TRegistryValue String(std::string text)
    {
        return {TRegistryValueKind::String, std::move(text), 0};
    }
    static TRegistryValue DWord(std::uint32_t number) { return {TRegistryValueKind::DWord, {}, number}; }
    bool operator==(const TRegistryValue&) const = default;
};

// The two registry roots. Key paths are relative to the root ("Software\Vexholm\Vexholm
// Taxation"); key and value names are matched without regard to case; the empty value name
// is the key's default value. Failures of the storage raise ERegistryException.
class IRegistryStore {
public:
    virtual ~IRegistryStore() = default;

    virtual bool KeyExists(TRegistryRoot root, std::string_view key) = 0;
    // Creates the key and any missing parents.
    virtual void CreateKey(TRegistryRoot root, std::string_view key) = 0;
    virtual std::optional<TRegistryValue> ReadValue(TRegistryRoot root, std::string_view key,
                                                    std::string_view name) = 0;
    // Creates the key when needed.
    virtual void WriteValue(TRegistryRoot root, std::string_view key, std::string_view name,
                            const TRegistryValue& value) = 0;
    // Names of the direct subkeys, in stored order.
    virtual TStringList SubKeyNames(TRegistryRoot root, std::string_view key) = 0;
    // Deletes the key with all its subkeys; false when it does not exist.
    virtual bool DeleteKey(TRegistryRoot root, std::string_view key) = 0;
};

IRegistryStore& RegistryStore();
// Puts a store in place (nullptr: the hive files from the environment) and returns the previous one.
std::shared_ptr<IRegistryStore> SetRegistryStore(std::shared_ptr<IRegistryStore> store);

} // namespace tarnwick::os
