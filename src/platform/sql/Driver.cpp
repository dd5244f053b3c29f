#include "platform/sql/Driver.h"

#include "platform/core/Exceptions.h"

#include <mutex>

namespace tarnwick::sql {

namespace {

// In place until start-up chooses a driver, so a forgotten wiring fails clearly.
class TNoDriver : public IDriver {
public:
    std::unique_ptr<ISession> Connect(const TConnectParams&) override
    {
        throw EOleException("No SQL Server driver has been configured.");
    }
};

std::mutex& DriverMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<IDriver>& CurrentDriver()
{
    static std::shared_ptr<IDriver> driver = std::make_shared<TNoDriver>();
    return driver;
}

} // namespace

std::shared_ptr<IDriver> SharedDriver()
{
    const std::lock_guard lock(DriverMutex());
    return CurrentDriver();
}

std::shared_ptr<IDriver> SetDriver(std::shared_ptr<IDriver> driver)
{
    const std::lock_guard lock(DriverMutex());
    if (!driver) driver = std::make_shared<TNoDriver>();
    CurrentDriver().swap(driver);
    return driver;
}

} // namespace tarnwick::sql
