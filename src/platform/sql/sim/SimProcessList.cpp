#include "platform/sql/sim/SimProcessList.h"

#include <algorithm>
#include <mutex>

namespace tarnwick::sql::sim {

namespace {

std::mutex& ListMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<TSimProcess>& List()
{
    static std::vector<TSimProcess> list;
    return list;
}

} // namespace

int RegisterSession(TSimProcess process)
{
    static int next = 51;
    const std::lock_guard lock(ListMutex());
    process.SessionId = next++;
    List().push_back(process);
    return process.SessionId;
}

void UnregisterSession(int sessionId)
{
    const std::lock_guard lock(ListMutex());
    std::erase_if(List(), [sessionId](const TSimProcess& process) { return process.SessionId == sessionId; });
}

void SetSessionDatabase(int sessionId, const std::string& database)
{
    const std::lock_guard lock(ListMutex());
    for (auto& process : List())
        if (process.SessionId == sessionId) process.Database = database;
}

std::vector<TSimProcess> SessionsOf(const std::filesystem::path& server)
{
    const std::lock_guard lock(ListMutex());
    std::vector<TSimProcess> found;
    for (const auto& process : List())
        if (process.Server == server.string()) found.push_back(process);
    return found;
}

} // namespace tarnwick::sql::sim
