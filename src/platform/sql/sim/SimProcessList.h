#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The sessions open in this process, per server, as master.dbo.sysprocesses lists them
// (beside the direct connections the server's controls add).
namespace tarnwick::sql::sim {

struct TSimProcess {
    int SessionId = 0;
    std::string Server; // the server folder
    std::string Login;
    std::string HostName;
    std::string ProgramName;
    std::string Database;
    std::string LoginTime;
};

// Returns the new session's id (from 51, as SQL Server numbers user sessions).
int RegisterSession(TSimProcess process);
void UnregisterSession(int sessionId);
void SetSessionDatabase(int sessionId, const std::string& database);
std::vector<TSimProcess> SessionsOf(const std::filesystem::path& server);

} // namespace tarnwick::sql::sim
