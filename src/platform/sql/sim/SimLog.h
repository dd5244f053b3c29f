#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The log of what every session sent a simulated server, shared by all processes.
namespace tarnwick::sql::sim {

struct TSimLogEntry {
    std::string Time;  // yyyy-mm-dd hh:nn:ss.zzz
    int ProcessId = 0; // the client process
    int SessionId = 0; // the session's spid, 0 for a connect that failed
    std::string Kind;  // "connect", "execute", "begin", "commit", "rollback"
    std::string Login;
    std::string Database; // the session's database when the entry was made
    std::string Application;
    // The batch as sent, or for a connect the error that refused it (empty on success).
    std::string Text;
};

void AppendLog(const std::filesystem::path& server, const TSimLogEntry& entry);
std::vector<TSimLogEntry> ReadLog(const std::filesystem::path& server);

} // namespace tarnwick::sql::sim
