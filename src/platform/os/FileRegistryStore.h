#pragma once

#include "platform/os/RegistryHive.h"
#include "platform/os/RegistryStore.h"

#include <functional>

namespace tarnwick::os {

// Where the two hive files live (local paths).
struct TRegistryFiles {
    std::string CurrentUser;
    std::string LocalMachine;

    // TARNWICK_REGISTRY_USER, else $XDG_CONFIG_HOME (or ~/.config)/tarnwick/HKEY_CURRENT_USER.reg;
    // TARNWICK_REGISTRY_MACHINE, else /etc/tarnwick/HKEY_LOCAL_MACHINE.reg.
    static TRegistryFiles FromEnvironment();
};

// The registry kept in two .reg files of Windows-1252 text. Each call reads the file afresh,
// so other processes' changes are seen; a change is made under an exclusive lock on
// "<file>.lock" and lands by renaming a complete new file over the old one, so a reader
// never sees half a file. A missing file is an empty hive.
class TFileRegistryStore : public IRegistryStore {
public:
    explicit TFileRegistryStore(TRegistryFiles files);

    bool KeyExists(TRegistryRoot root, std::string_view key) override;
    void CreateKey(TRegistryRoot root, std::string_view key) override;
    std::optional<TRegistryValue> ReadValue(TRegistryRoot root, std::string_view key,
                                            std::string_view name) override;
    void WriteValue(TRegistryRoot root, std::string_view key, std::string_view name,
                    const TRegistryValue& value) override;
    TStringList SubKeyNames(TRegistryRoot root, std::string_view key) override;
    bool DeleteKey(TRegistryRoot root, std::string_view key) override;

    const TRegistryFiles& Files() const { return files_; }

private:
    const std::string& FileOf(TRegistryRoot root) const;
    TRegistryHive Load(TRegistryRoot root) const;
    // Runs change on the hive under the file's lock and saves it when change returns true.
    bool Update(TRegistryRoot root, const std::function<bool(TRegistryHive&)>& change);

    TRegistryFiles files_;
};

} // namespace tarnwick::os
