#pragma once

#include "platform/core/Strings.h"
#include "platform/os/Registry.h"

#include <string>
#include <string_view>

namespace tarnwick {

using enum os::TRegistryRoot;

// The program's one registry object. Each operation below sets its own root and access on
// it and puts back the previous ones (closing any key it opened) however it ends.
class TVexholmRegistry : public os::TRegistry {
public:
    using os::TRegistry::TRegistry;
};

// The single instance, made with root HKEY_LOCAL_MACHINE on first use.
TVexholmRegistry& VexholmRegistry();
bool VexholmRegistryExists();
// Frees the instance (program end).
void FreeVexholmRegistry();

// The value as text; empty when the key or the value is missing. Nothing is created.
std::string ReadRegistryString(os::TRegistryRoot root, std::string_view key, std::string_view name);
// The stored integer, or fallback when the key or the value is missing.
int ReadRegistryInteger(os::TRegistryRoot root, std::string_view key, std::string_view name, int fallback);
// Creates the key when needed and writes the integer; false on any failure, never raises.
bool WriteRegistryInteger(os::TRegistryRoot root, std::string_view key, std::string_view name, int value);
bool RegistryKeyExists(os::TRegistryRoot root, std::string_view key);
// Deletes the key's direct subkeys one by one (each with everything below it), then the
// key; false when the key cannot be opened or a deletion fails.
bool DeleteRegistryKeyTree(os::TRegistryRoot root, std::string_view key);

} // namespace tarnwick
