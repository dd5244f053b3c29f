#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/sim/SimServer.h"
#include "support/TempFolder.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace tarnwick::test {

// A simulated suite server "SRV01" in a temporary simulator root, with the simulator as
// the driver every connection uses; both are put back when it goes. The statement log is
// empty when the test starts.
class SimulatedServer {
public:
    explicit SimulatedServer(int datasets = 2, const std::string& dataSource = "SRV01");
    ~SimulatedServer();
    SimulatedServer(const SimulatedServer&) = delete;
    SimulatedServer& operator=(const SimulatedServer&) = delete;

    sql::sim::TSimServer& Server() { return server_; }
    sql::sim::TSimServer* operator->() { return &server_; }
    const std::filesystem::path& Root() const { return root_.Path(); }

    // An OLE DB connection string for one of the suite's logins, with its password.
    std::string ConnectionString(const std::string& login, const std::string& database,
                                 const std::string& application = "Tarnwick Tests") const;

    // Runs a batch as the administrative login and returns the first column of the first
    // row as text (empty when there is none).
    std::string Scalar(const std::string& database, const std::string& sql) const;

private:
    TempFolder root_;
    std::shared_ptr<sql::IDriver> previous_;
    sql::sim::TSimServer server_;
};

// Runs posted window-thread work until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

} // namespace tarnwick::test
