#include "platform/sql/sim/SimServer.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/sim/SimCatalog.h"
#include "platform/sql/sim/SimDriver.h"
#include "platform/sql/sim/SimLogins.h"
#include "platform/sql/sim/SimRoot.h"

#include <fstream>

namespace tarnwick::sql::sim {

TSimServer::TSimServer(std::string dataSource, std::filesystem::path root)
    : dataSource_(std::move(dataSource)), root_(root.empty() ? SimRoot() : std::move(root))
{
    folder_ = FindServerFolder(root_, dataSource_);
}

bool TSimServer::Exists() const
{
    std::error_code error;
    return std::filesystem::exists(TSimCatalog::MasterFile(folder_), error);
}

void TSimServer::Create()
{
    if (Exists()) return;
    folder_ = root_ / ServerFolderName(dataSource_);
    std::filesystem::create_directories(folder_);
    TServerSettings settings;
    settings.ServerName = UpperCase(Trim(dataSource_));
    WriteSettings(folder_, settings);
    TSimCatalog::Initialise(folder_);
    MakeFolder(settings.DataFolder);
    MakeFolder(settings.DataFolder + "..\\Backup\\");
}

void TSimServer::CreateDatabase(const std::string& name) const { TSimCatalog(folder_).Create(name); }

TBatchOutcome TSimServer::Execute(const std::string& database, const std::string& sql,
                                  const std::vector<TParameter>& params) const
{
    const TSimLogin admin = *FindSimLogin("TaxAdmin");
    TConnectParams connect{dataSource_, database, admin.Name, admin.Password, "Tarnwick simulator setup", 0};
    return TSimDriver(root_).ConnectSim(connect)->ExecuteAll(sql, params, 0);
}

TServerSettings TSimServer::Settings() const { return ReadSettings(folder_); }

void TSimServer::UpdateSettings(const std::function<void(TServerSettings&)>& change)
{
    TServerSettings settings = ReadSettings(folder_);
    change(settings);
    WriteSettings(folder_, settings);
}

void TSimServer::SetState(TServerState state)
{
    UpdateSettings([state](TServerSettings& settings) { settings.State = state; });
}

void TSimServer::SetConnectDelay(int milliseconds)
{
    UpdateSettings([milliseconds](TServerSettings& settings) { settings.ConnectDelayMs = milliseconds; });
}

void TSimServer::SetRealLockWaits(bool real)
{
    UpdateSettings([real](TServerSettings& settings) { settings.RealLockWaits = real; });
}

void TSimServer::RefuseLogin(const std::string& login, bool refused)
{
    UpdateSettings([&](TServerSettings& settings) {
        std::erase_if(settings.RefusedLogins, [&](const std::string& name) { return SameText(name, login); });
        if (refused) settings.RefusedLogins.push_back(login);
    });
}

void TSimServer::SetDataFolder(const std::string& windowsFolder)
{
    UpdateSettings([&](TServerSettings& settings) { settings.DataFolder = windowsFolder; });
    MakeFolder(windowsFolder);
}

void TSimServer::FailStatement(const std::string& pattern, const std::string& message, int times)
{
    std::vector<TStatementFailure> failures = ReadFailures(folder_);
    failures.push_back({pattern, message, times});
    WriteFailures(folder_, failures);
}

void TSimServer::ClearFailures() { WriteFailures(folder_, {}); }

void TSimServer::HoldRowLock(const TRowLock& lock)
{
    std::vector<TRowLock> locks = ReadRowLocks(folder_);
    locks.push_back(lock);
    WriteRowLocks(folder_, locks);
}

void TSimServer::HoldAppsInUseLock(const std::string& computer, long long handle, int processId)
{
    HoldRowLock(
        {"TaxMaster", "AppsInUse", {{"Computer", computer}, {"Handle", IntToStr(handle)}}, processId});
}

void TSimServer::ReleaseRowLocks() { WriteRowLocks(folder_, {}); }

void TSimServer::AddDirectConnection(const TDirectConnection& connection)
{
    std::vector<TDirectConnection> list = ReadDirectConnections(folder_);
    list.push_back(connection);
    WriteDirectConnections(folder_, list);
}

void TSimServer::ClearDirectConnections() { WriteDirectConnections(folder_, {}); }

void TSimServer::SetDrives(const std::vector<TDrive>& drives) { WriteDrives(folder_, drives); }

void TSimServer::SetFileSizes(const std::string& database, long long dataKB, long long logKB)
{
    std::vector<TFileSizes> sizes = ReadFileSizes(folder_);
    std::erase_if(sizes, [&](const TFileSizes& size) { return SameText(size.Database, database); });
    sizes.push_back({database, dataKB, logKB});
    WriteFileSizes(folder_, sizes);
}

std::filesystem::path TSimServer::DiskPath(const std::string& windowsPath) const
{
    const std::filesystem::path path = MapServerPath(DiskRoot(folder_), windowsPath);
    if (path.empty()) throw EInOutError("Not a path of the server machine: " + windowsPath);
    return path;
}

void TSimServer::MakeFolder(const std::string& windowsPath) const
{
    std::filesystem::create_directories(DiskPath(windowsPath));
}

void TSimServer::WriteBackupFile(const std::string& windowsPath, const std::string& database) const
{
    Execute("master", "BACKUP DATABASE [" + database + "] TO DISK = N'" + ReplaceAll(windowsPath, "'", "''") +
                          "' WITH INIT");
}

std::vector<TSimLogEntry> TSimServer::Log() const { return ReadLog(folder_); }

std::vector<TSimLogEntry> TSimServer::Statements() const
{
    std::vector<TSimLogEntry> statements = ReadLog(folder_);
    std::erase_if(statements, [](const TSimLogEntry& entry) { return entry.Kind != "execute"; });
    return statements;
}

void TSimServer::ClearLog() const { std::ofstream(StatementLogFile(folder_), std::ios::trunc); }

} // namespace tarnwick::sql::sim
