#include "db/AbandonedConnections.h"

#include <vector>

namespace tarnwick {

namespace {

std::vector<std::unique_ptr<sql::TADOConnection>>& Abandoned()
{
    static std::vector<std::unique_ptr<sql::TADOConnection>> connections;
    return connections;
}

} // namespace

void AbandonConnection(std::unique_ptr<sql::TADOConnection> connection)
{
    if (!connection) return;
    // Closing never waits: an answer that came after the test gave up is closed, and a
    // connect still under way is forgotten, its session dropped with its late answer.
    connection->Close();
    Abandoned().push_back(std::move(connection));
}

std::size_t AbandonedConnectionCount() { return Abandoned().size(); }

} // namespace tarnwick
