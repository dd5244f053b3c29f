#pragma once

#include "platform/sql/sim/SimControls.h"
#include "platform/sql/sim/SimLog.h"
#include "platform/sql/sim/SimSession.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// One simulated server, for those who set it up and watch it: tests, the demo builder and
// the shell. Everything it sets is kept in the server's folder, so every process that
// uses the server sees it.
namespace tarnwick::sql::sim {

class TSimServer {
public:
    // The server of a data source under a root folder (empty: SimRoot()).
    explicit TSimServer(std::string dataSource, std::filesystem::path root = {});

    const std::string& DataSource() const { return dataSource_; }
    const std::filesystem::path& Folder() const { return folder_; }
    bool Exists() const;

    // Makes the server with its master database (nothing happens for an existing one);
    // SERVERPROPERTY('ServerName') answers the data source in upper case.
    void Create();
    void CreateDatabase(const std::string& name) const;
    // Runs a batch in a database as the administrative login, without the will-execute
    // path of a client connection; for setting up data.
    TBatchOutcome Execute(const std::string& database, const std::string& sql,
                          const std::vector<TParameter>& params = {}) const;

    TServerSettings Settings() const;
    void SetState(TServerState state);
    void SetConnectDelay(int milliseconds);
    void SetRealLockWaits(bool real);
    void RefuseLogin(const std::string& login, bool refused = true);
    void SetDataFolder(const std::string& windowsFolder);

    void FailStatement(const std::string& pattern, const std::string& message, int times = 0);
    void ClearFailures();

    void HoldRowLock(const TRowLock& lock);
    // The lock a running suite application holds on its own registration.
    void HoldAppsInUseLock(const std::string& computer, long long handle, int processId = 0);
    void ReleaseRowLocks();

    void AddDirectConnection(const TDirectConnection& connection);
    void ClearDirectConnections();

    void SetDrives(const std::vector<TDrive>& drives);
    void SetFileSizes(const std::string& database, long long dataKB, long long logKB);
    // A path of the server machine (C:\...) as a path of this machine, and a folder made there.
    std::filesystem::path DiskPath(const std::string& windowsPath) const;
    void MakeFolder(const std::string& windowsPath) const;
    // A backup of a database written to a file of the server machine, as BACKUP DATABASE
    // writes it.
    void WriteBackupFile(const std::string& windowsPath, const std::string& database) const;

    // Every connect and statement, in order; Statements keeps the executed batches only.
    std::vector<TSimLogEntry> Log() const;
    std::vector<TSimLogEntry> Statements() const;
    void ClearLog() const;

private:
    void UpdateSettings(const std::function<void(TServerSettings&)>& change);

    std::string dataSource_;
    std::filesystem::path root_;
    std::filesystem::path folder_;
};

} // namespace tarnwick::sql::sim
