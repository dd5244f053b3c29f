#include "platform/sql/odbc/OdbcDriver.h"

#include "platform/core/CodePage.h"
#include "platform/os/Environment.h"
#include "platform/sql/odbc/OdbcConnectionString.h"
#include "platform/sql/odbc/OdbcSession.h"

#include <algorithm>
#include <cstdint>

namespace tarnwick::sql::odbc {

namespace {

class TOdbcDriver : public IDriver {
public:
    explicit TOdbcDriver(std::string driverName) : driverName_(std::move(driverName)) {}

    std::unique_ptr<ISession> Connect(const TConnectParams& params) override
    {
        auto environment = TOdbcEnvironment::Instance();
        auto connection = AllocateHandle<SQL_HANDLE_DBC>(SQL_HANDLE_ENV, environment->Handle());
        SQLHDBC handle = connection.Get();
        // Without a login timeout a server that never answers holds the caller forever.
        const auto timeout =
            reinterpret_cast<SQLPOINTER>(static_cast<std::uintptr_t>(std::max(params.ConnectionTimeout, 0)));
        CheckOdbc(SQLSetConnectAttrW(handle, SQL_ATTR_LOGIN_TIMEOUT, timeout, 0), SQL_HANDLE_DBC, handle);
        CheckOdbc(SQLSetConnectAttrW(handle, SQL_ATTR_CONNECTION_TIMEOUT, timeout, 0), SQL_HANDLE_DBC,
                  handle);
        std::u16string text = Utf16FromAnsi(OdbcConnectionString(params, driverName_));
        CheckOdbc(SQLDriverConnectW(handle, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()),
                                    static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                    SQL_DRIVER_NOPROMPT),
                  SQL_HANDLE_DBC, handle);
        return std::make_unique<TOdbcSession>(std::move(environment), std::move(connection));
    }

private:
    std::string driverName_;
};

} // namespace

std::string DefaultOdbcDriverName() { return os::EnvironmentOr("TARNWICK_ODBC_DRIVER", "FreeTDS"); }

std::shared_ptr<IDriver> MakeOdbcDriver(std::string driverName)
{
    return std::make_shared<TOdbcDriver>(std::move(driverName));
}

} // namespace tarnwick::sql::odbc
