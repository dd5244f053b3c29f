#include "platform/sql/sim/SimControls.h"

#include "platform/sql/sim/SimRecords.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace tarnwick::sql::sim {

namespace {

const char* StateNames[] = {"Running", "Paused", "Stopped", "Silent"};

bool ProcessAlive(int pid) { return pid == 0 || kill(pid, 0) == 0 || errno == EPERM; }

long long Number(const TRecord& record, std::size_t index)
{
    return index < record.size() ? StrToIntDef(record[index], 0) : 0;
}

std::string Field(const TRecord& record, std::size_t index)
{
    return index < record.size() ? record[index] : "";
}

} // namespace

std::filesystem::path DiskRoot(const std::filesystem::path& server) { return server / "disk"; }
std::filesystem::path StatementLogFile(const std::filesystem::path& server)
{
    return server / "statements.log";
}

TServerSettings ReadSettings(const std::filesystem::path& server)
{
    TServerSettings settings;
    for (const auto& record : ReadRecords(server / "server.txt")) {
        const std::string key = Field(record, 0);
        const std::string value = Field(record, 1);
        if (key == "ServerName")
            settings.ServerName = value;
        else if (key == "State") {
            for (int i = 0; i < 4; ++i)
                if (value == StateNames[i]) settings.State = static_cast<TServerState>(i);
        } else if (key == "ConnectDelayMs")
            settings.ConnectDelayMs = static_cast<int>(StrToIntDef(value, 0));
        else if (key == "RealLockWaits")
            settings.RealLockWaits = value == "1";
        else if (key == "RefusedLogin")
            settings.RefusedLogins.push_back(value);
        else if (key == "DataFolder")
            settings.DataFolder = value;
    }
    return settings;
}

void WriteSettings(const std::filesystem::path& server, const TServerSettings& settings)
{
    std::vector<TRecord> records = {{"ServerName", settings.ServerName},
                                    {"State", StateNames[static_cast<int>(settings.State)]},
                                    {"ConnectDelayMs", IntToStr(settings.ConnectDelayMs)},
                                    {"RealLockWaits", settings.RealLockWaits ? "1" : "0"},
                                    {"DataFolder", settings.DataFolder}};
    for (const auto& login : settings.RefusedLogins) records.push_back({"RefusedLogin", login});
    WriteRecords(server / "server.txt", records);
}

std::vector<TStatementFailure> ReadFailures(const std::filesystem::path& server)
{
    std::vector<TStatementFailure> failures;
    for (const auto& record : ReadRecords(server / "failures.txt"))
        failures.push_back({Field(record, 0), Field(record, 1), static_cast<int>(Number(record, 2))});
    return failures;
}

void WriteFailures(const std::filesystem::path& server, const std::vector<TStatementFailure>& failures)
{
    std::vector<TRecord> records;
    for (const auto& failure : failures)
        records.push_back({failure.Pattern, failure.Message, IntToStr(failure.Times)});
    WriteRecords(server / "failures.txt", records);
}

std::vector<TRowLock> ReadRowLocks(const std::filesystem::path& server)
{
    std::vector<TRowLock> locks;
    for (const auto& record : ReadRecords(server / "locks.txt")) {
        TRowLock lock{Field(record, 0), Field(record, 1), {}, static_cast<int>(Number(record, 2))};
        for (std::size_t i = 3; i + 1 < record.size(); i += 2)
            lock.Keys.emplace_back(record[i], record[i + 1]);
        if (ProcessAlive(lock.ProcessId)) locks.push_back(std::move(lock));
    }
    return locks;
}

void WriteRowLocks(const std::filesystem::path& server, const std::vector<TRowLock>& locks)
{
    std::vector<TRecord> records;
    for (const auto& lock : locks) {
        TRecord record = {lock.Database, lock.Table, IntToStr(lock.ProcessId)};
        for (const auto& [column, value] : lock.Keys) {
            record.push_back(column);
            record.push_back(value);
        }
        records.push_back(std::move(record));
    }
    WriteRecords(server / "locks.txt", records);
}

std::vector<TDirectConnection> ReadDirectConnections(const std::filesystem::path& server)
{
    std::vector<TDirectConnection> list;
    for (const auto& record : ReadRecords(server / "processes.txt"))
        list.push_back({Field(record, 0), Field(record, 1), Field(record, 2), Field(record, 3)});
    return list;
}

void WriteDirectConnections(const std::filesystem::path& server, const std::vector<TDirectConnection>& list)
{
    std::vector<TRecord> records;
    for (const auto& item : list)
        records.push_back({item.ProgramName, item.HostName, item.Database, item.LoginName});
    WriteRecords(server / "processes.txt", records);
}

std::vector<TDrive> ReadDrives(const std::filesystem::path& server)
{
    std::error_code error;
    if (!std::filesystem::exists(server / "drives.txt", error)) return {{'C', 102400}};
    std::vector<TDrive> drives;
    for (const auto& record : ReadRecords(server / "drives.txt"))
        if (!Field(record, 0).empty()) drives.push_back({Field(record, 0)[0], Number(record, 1)});
    return drives;
}

void WriteDrives(const std::filesystem::path& server, const std::vector<TDrive>& drives)
{
    std::vector<TRecord> records;
    for (const auto& drive : drives)
        records.push_back({std::string(1, drive.Letter), IntToStr(drive.FreeMB)});
    WriteRecords(server / "drives.txt", records);
}

std::vector<TFileSizes> ReadFileSizes(const std::filesystem::path& server)
{
    std::vector<TFileSizes> sizes;
    for (const auto& record : ReadRecords(server / "filesizes.txt"))
        sizes.push_back({Field(record, 0), Number(record, 1), Number(record, 2)});
    return sizes;
}

void WriteFileSizes(const std::filesystem::path& server, const std::vector<TFileSizes>& sizes)
{
    std::vector<TRecord> records;
    for (const auto& size : sizes)
        records.push_back({size.Database, IntToStr(size.DataKB), IntToStr(size.LogKB)});
    WriteRecords(server / "filesizes.txt", records);
}

} // namespace tarnwick::sql::sim
