#pragma once

#include "platform/sql/Driver.h"
#include "platform/sql/sim/SimSession.h"

#include <filesystem>

namespace tarnwick::sql::sim {

// The SQL Server simulator as a driver. A connect finds the server folder named after the
// data source under the simulator root (a missing folder is a server that does not exist),
// honours the server's state (paused, stopped, silent, answer delay), checks the login and
// its password and opens the database ("master" when none is named).
class TSimDriver : public IDriver {
public:
    // An empty root follows SimRoot() at every connect.
    explicit TSimDriver(std::filesystem::path root = {});

    std::unique_ptr<ISession> Connect(const TConnectParams& params) override;
    // The same, with the simulator's own session type (the shell uses every result set).
    std::unique_ptr<TSimSession> ConnectSim(const TConnectParams& params);

private:
    std::filesystem::path root_;
};

} // namespace tarnwick::sql::sim
