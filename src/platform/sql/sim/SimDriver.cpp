#include "platform/sql/sim/SimDriver.h"

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"
#include "platform/sql/sim/SimCatalog.h"
#include "platform/sql/sim/SimControls.h"
#include "platform/sql/sim/SimErrors.h"
#include "platform/sql/sim/SimLog.h"
#include "platform/sql/sim/SimRoot.h"

#include <chrono>
#include <thread>
#include <unistd.h>

namespace tarnwick::sql::sim {

namespace {

using TClock = std::chrono::steady_clock;

bool TimedOut(TClock::time_point start, int timeoutSeconds)
{
    return timeoutSeconds > 0 && TClock::now() - start >= std::chrono::seconds(timeoutSeconds);
}

// Waits for the server to answer: through its answer delay and while it stays silent.
void AwaitAnswer(const std::filesystem::path& server, int timeoutSeconds)
{
    const auto start = TClock::now();
    const int delay = ReadSettings(server).ConnectDelayMs;
    while (TClock::now() - start < std::chrono::milliseconds(delay)) {
        if (TimedOut(start, timeoutSeconds)) throw EOleException(LoginTimeoutText());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    while (ReadSettings(server).State == TServerState::Silent) {
        if (TimedOut(start, timeoutSeconds)) throw EOleException(LoginTimeoutText());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

TSimDriver::TSimDriver(std::filesystem::path root) : root_(std::move(root)) {}

std::unique_ptr<ISession> TSimDriver::Connect(const TConnectParams& params) { return ConnectSim(params); }

std::unique_ptr<TSimSession> TSimDriver::ConnectSim(const TConnectParams& params)
{
    const std::filesystem::path server = FindServerFolder(root_.empty() ? SimRoot() : root_, params.Server);
    std::error_code error;
    if (Trim(params.Server).empty() || !std::filesystem::exists(TSimCatalog::MasterFile(server), error))
        throw EOleException(ServerNotFoundText());
    const std::string database = params.Database.empty() ? std::string("master") : params.Database;
    auto refuse = [&](const std::string& text) {
        AppendLog(server, {IsoDateTimeText(Now()), static_cast<int>(getpid()), 0, "connect", params.UserId,
                           database, params.ApplicationName, text});
        throw EOleException(text);
    };
    AwaitAnswer(server, params.ConnectionTimeout);
    const TServerSettings settings = ReadSettings(server);
    if (settings.State == TServerState::Stopped) refuse(ServerNotFoundText());
    if (settings.State == TServerState::Paused) refuse(ServerPausedText());
    const auto login = FindSimLogin(params.UserId);
    if (!login || login->Password != params.Password || IndexOfText(settings.RefusedLogins, login->Name) >= 0)
        refuse(LoginFailedText(params.UserId));
    TSimCatalog catalog(server);
    const auto found = catalog.Find(database);
    if (!found) refuse(CannotOpenDatabaseText(database));
    auto session = std::make_unique<TSimSession>(server, *login, params, *found);
    AppendLog(server, {IsoDateTimeText(Now()),
                       static_cast<int>(getpid()),
                       session->SessionId(),
                       "connect",
                       login->Name,
                       found->Name,
                       params.ApplicationName,
                       {}});
    return session;
}

} // namespace tarnwick::sql::sim
