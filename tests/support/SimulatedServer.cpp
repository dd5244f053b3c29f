#include "support/SimulatedServer.h"

#include "platform/core/MainThreadQueue.h"
#include "platform/sql/ValueConversion.h"
#include "platform/sql/sim/SimDriver.h"
#include "platform/sql/sim/SimLogins.h"
#include "platform/sql/sim/SimRoot.h"
#include "platform/sql/sim/SuiteSchema.h"

#include <thread>

namespace tarnwick::test {

SimulatedServer::SimulatedServer(int datasets, const std::string& dataSource)
    : previous_(sql::SetDriver(std::make_shared<sql::sim::TSimDriver>())),
      server_((sql::sim::SetSimRoot(root_.Path()),
               sql::sim::CreateSuiteServer(dataSource, datasets, root_.Path())))
{
    server_.ClearLog();
}

SimulatedServer::~SimulatedServer()
{
    sql::SetDriver(previous_);
    sql::sim::SetSimRoot({});
}

std::string SimulatedServer::ConnectionString(const std::string& login, const std::string& database,
                                              const std::string& application) const
{
    const auto known = sql::sim::FindSimLogin(login);
    return "Provider=SQLOLEDB.1;Password=" + (known ? known->Password : std::string()) +
           ";Persist Security Info=True;User ID=" + login + ";Initial Catalog=" + database +
           ";Data Source=" + server_.DataSource() + ";OLE DB Services=-2;Application Name=" + application +
           ";";
}

std::string SimulatedServer::Scalar(const std::string& database, const std::string& sql) const
{
    const auto outcome = server_.Execute(database, sql);
    if (outcome.Sets.empty() || outcome.Sets.front().Rows.empty()) return {};
    return sql::ValueToString(outcome.Sets.front().Rows.front().front());
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        RunPostedWork();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace tarnwick::test
