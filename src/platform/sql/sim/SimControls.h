#pragma once

#include "platform/core/Strings.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// What a simulated server is told to do, kept in files in its folder so that every
// process using the server sees the same: its state, injected failures, row locks held by
// live suite applications, direct connections, drives and file sizes.
namespace tarnwick::sql::sim {

enum class TServerState {
    Running,
    Paused,  // new connections fail with the paused text; open sessions go on
    Stopped, // new connections fail as for a missing server; open sessions lose the network
    Silent   // connects get no answer until the connection timeout or a change of state
};

struct TServerSettings {
    std::string ServerName; // what SERVERPROPERTY('ServerName') answers
    TServerState State = TServerState::Running;
    int ConnectDelayMs = 0; // every connect is answered after this long
    // A statement that meets a held row lock waits its command timeout for real (else it
    // fails at once with the timeout text).
    bool RealLockWaits = false;
    TStringList RefusedLogins; // logins that fail as with a wrong password
    std::string DataFolder = "C:\\Program Files\\Microsoft SQL Server\\MSSQL\\Data\\";
};

// A batch whose text contains Pattern (ignoring case) fails with Message, Times times
// (0: every time).
struct TStatementFailure {
    std::string Pattern;
    std::string Message;
    int Times = 0;
};

// A row lock held the way a running suite application holds its AppsInUse row: the rows of
// Table in Database whose Keys columns have the given values. ProcessId 0 holds the lock
// until it is released; another id holds it while that process lives.
struct TRowLock {
    std::string Database;
    std::string Table;
    std::vector<std::pair<std::string, std::string>> Keys;
    int ProcessId = 0;
};

// A connection of another program, listed in master.dbo.sysprocesses.
struct TDirectConnection {
    std::string ProgramName;
    std::string HostName;
    std::string Database;
    std::string LoginName = "sa";
};

struct TDrive {
    char Letter = 'C';
    long long FreeMB = 0;
};

// The sizes sp_helpfile reports for a database's data and log files.
struct TFileSizes {
    std::string Database;
    long long DataKB = 0;
    long long LogKB = 0;
};

TServerSettings ReadSettings(const std::filesystem::path& server);
void WriteSettings(const std::filesystem::path& server, const TServerSettings& settings);

std::vector<TStatementFailure> ReadFailures(const std::filesystem::path& server);
void WriteFailures(const std::filesystem::path& server, const std::vector<TStatementFailure>& failures);

// Locks whose holding process has ended are left out.
std::vector<TRowLock> ReadRowLocks(const std::filesystem::path& server);
void WriteRowLocks(const std::filesystem::path& server, const std::vector<TRowLock>& locks);

std::vector<TDirectConnection> ReadDirectConnections(const std::filesystem::path& server);
void WriteDirectConnections(const std::filesystem::path& server, const std::vector<TDirectConnection>& list);

// A server without a drives file has one drive, C, with 100 GB free.
std::vector<TDrive> ReadDrives(const std::filesystem::path& server);
void WriteDrives(const std::filesystem::path& server, const std::vector<TDrive>& drives);

std::vector<TFileSizes> ReadFileSizes(const std::filesystem::path& server);
void WriteFileSizes(const std::filesystem::path& server, const std::vector<TFileSizes>& sizes);

// The folder that stands for the server machine's drives: <server>/disk/c/...
std::filesystem::path DiskRoot(const std::filesystem::path& server);
// The statement log of the server.
std::filesystem::path StatementLogFile(const std::filesystem::path& server);

} // namespace tarnwick::sql::sim
