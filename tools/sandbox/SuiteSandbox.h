#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::sandbox {

// How the simulated suite is laid out; the defaults give a suite on which every check of
// the utility passes. Scenario tests change what they need to break.
struct TSandboxOptions {
    // The suite's SQL Server instance; empty: this computer, so the utility runs "on the server".
    std::string DataSource;
    int Datasets = 3;
    // The version of the data (MasterSettings "Version" and each dataset's "Version").
    std::string DataVersion = "28.1.16";
    // The installed full version (MasterSettings "FullVersion").
    std::string FullVersion = "28.1.16.9999";
    // Datasets whose TaxData database is left out (their KQ22 rows stay).
    std::vector<int> MissingDatabases;
};

// A whole Vexholm Taxation suite in one folder: the two registry files, the server's shares
// and drives, the programs folder and a simulated SQL Server holding the suite's databases.
class TSuiteSandbox {
public:
    explicit TSuiteSandbox(std::filesystem::path folder);

    // Makes the sandbox; an existing one (with its server) is kept as it is.
    void Build(const TSandboxOptions& options = {});
    bool Exists() const;

    // Points this process, and the programs it starts, at the sandbox: registry files,
    // share and drive roots, folders and the simulated server as the SQL driver.
    void Activate() const;

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path UncRoot() const { return folder_ / "unc"; }
    std::filesystem::path DriveRoot() const { return folder_ / "drives"; }
    std::filesystem::path SimRoot() const { return folder_ / "sqlserver"; }
    std::filesystem::path UserRegistry() const { return folder_ / "registry" / "HKEY_CURRENT_USER.reg"; }
    std::filesystem::path MachineRegistry() const { return folder_ / "registry" / "HKEY_LOCAL_MACHINE.reg"; }
    std::filesystem::path CommonAppData() const { return folder_ / "common"; }
    std::filesystem::path TempFolder() const { return folder_ / "tmp"; }
    // The suite's data source as the registry holds it.
    std::string DataSource() const;

private:
    void BuildFolders(const std::string& server) const;
    void BuildRegistry(const std::string& server) const;
    void BuildServer(const TSandboxOptions& options, const std::string& server) const;

    std::filesystem::path folder_;
};

// The programs folder of the suite, as the registry names it.
inline constexpr const char* SandboxProgramsDir = "C:\\Program Files\\Vexholm\\Vexholm Taxation\\";

} // namespace tarnwick::sandbox
