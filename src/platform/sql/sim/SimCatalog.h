#pragma once

#include "platform/sql/sim/Sqlite.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The server-wide facts a simulated server keeps in its master database: which databases
// exist (with their ids and read-only state) and the configuration options of
// sp_configure.
namespace tarnwick::sql::sim {

struct TSimDatabase {
    std::string Name;
    int Id = 0;
    bool ReadOnly = false;
    std::string Created;
};

struct TConfigOption {
    std::string Name;
    long long Minimum = 0;
    long long Maximum = 0;
    long long ConfigValue = 0;
    long long RunValue = 0;
    bool Advanced = false;
};

class TSimCatalog {
public:
    // Opens the catalog of an existing server folder.
    explicit TSimCatalog(const std::filesystem::path& server);

    // Makes the master database of a new server (the folder must exist).
    static void Initialise(const std::filesystem::path& server);
    static std::filesystem::path MasterFile(const std::filesystem::path& server);

    std::vector<TSimDatabase> Databases();
    // Found without regard to case.
    std::optional<TSimDatabase> Find(const std::string& name);
    std::filesystem::path FileOf(const TSimDatabase& database) const;
    // Makes an empty database; an existing one is an error.
    TSimDatabase Create(const std::string& name);
    void SetReadOnly(const std::string& name, bool readOnly);

    std::vector<TConfigOption> Options();
    void SetConfigValue(const std::string& name, long long value);
    // RECONFIGURE: every configured value becomes the running one.
    void Reconfigure();

private:
    std::filesystem::path server_;
    TSqliteDb master_;
};

} // namespace tarnwick::sql::sim
