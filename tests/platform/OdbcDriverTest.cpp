#include "platform/sql/odbc/OdbcDriver.h"
#include "platform/core/Exceptions.h"
#include "platform/core/ScopeGuard.h"
#include "platform/sql/odbc/OdbcDataTypes.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sqlext.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

using namespace tarnwick;
using namespace tarnwick::sql;
using namespace tarnwick::sql::odbc;

namespace {

// The message of the failure a connect raises, or nothing when it connected.
std::optional<std::string> ConnectFailure(IDriver& driver, const TConnectParams& params)
{
    try {
        driver.Connect(params);
    } catch (const EOleException& e) {
        return e.Message();
    }
    return std::nullopt;
}

TConnectParams ClosedPort()
{
    TConnectParams params;
    params.Server = "127.0.0.1,1";
    params.Database = "TaxMaster";
    params.UserId = "TaxSoft";
    params.Password = "Pw4n8Rz";
    params.ApplicationName = "Tax Utility";
    params.ConnectionTimeout = 30;
    return params;
}

// A local port that accepts connections and never answers: a server that has gone silent.
class SilentServer {
public:
    SilentServer() : socket_(socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        const bool ready = socket_ >= 0 &&
                           bind(socket_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                           listen(socket_, 4) == 0 &&
                           getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        port_ = ready ? ntohs(address.sin_port) : 0;
    }
    ~SilentServer()
    {
        if (socket_ >= 0) close(socket_);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int Port() const { return port_; }

private:
    int socket_;
    int port_ = 0;
};

} // namespace

TEST(OdbcDriver, ASilentServerFailsOnceTheConnectionTimeoutPasses)
{
    SilentServer server;
    ASSERT_NE(server.Port(), 0);
    auto params = ClosedPort();
    params.Server = "127.0.0.1," + std::to_string(server.Port());
    params.ConnectionTimeout = 1;
    const auto message = ConnectFailure(*MakeOdbcDriver("FreeTDS"), params);
    ASSERT_TRUE(message.has_value());
    EXPECT_FALSE(message->empty());
    EXPECT_NE(message->front(), '[') << *message;
}

TEST(OdbcDriver, AClosedPortFailsWithTheDriversTextAsAConnectionFailure)
{
    const auto message = ConnectFailure(*MakeOdbcDriver("FreeTDS"), ClosedPort());
    ASSERT_TRUE(message.has_value());
    EXPECT_TRUE(message->starts_with("Connection failure: ")) << *message;
    EXPECT_GT(message->size(), std::string("Connection failure: ").size());
    EXPECT_EQ(message->find('['), std::string::npos) << *message;
}

TEST(OdbcDriver, AnUnknownDriverNameFailsWithTheDriverManagersText)
{
    const auto message = ConnectFailure(*MakeOdbcDriver("No Such Tarnwick Driver"), ClosedPort());
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("No Such Tarnwick Driver"), std::string::npos) << *message;
    EXPECT_NE(message->front(), '[') << *message;
}

TEST(OdbcDriver, DriverNameComesFromTheEnvironmentWhenSet)
{
    const char* saved = std::getenv("TARNWICK_ODBC_DRIVER");
    const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;
    ScopeGuard restore([&] {
        if (previous)
            setenv("TARNWICK_ODBC_DRIVER", previous->c_str(), 1);
        else
            unsetenv("TARNWICK_ODBC_DRIVER");
    });
    unsetenv("TARNWICK_ODBC_DRIVER");
    EXPECT_EQ(DefaultOdbcDriverName(), "FreeTDS");
    setenv("TARNWICK_ODBC_DRIVER", "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so", 1);
    EXPECT_EQ(DefaultOdbcDriverName(), "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so");
}

TEST(OdbcDriver, ColumnTypesMapToTheBoundarysTypes)
{
    struct Case {
        int sqlType;
        unsigned long long size;
        int digits;
        TDataType expected;
    };
    const Case cases[] = {
        {SQL_BIT, 1, 0, TDataType::Boolean},
        {SQL_INTEGER, 10, 0, TDataType::Integer},
        {SQL_BIGINT, 19, 0, TDataType::Integer},
        {SQL_NUMERIC, 18, 0, TDataType::Integer}, // identity numeric(18,0)
        {SQL_NUMERIC, 38, 0, TDataType::Float},   // too wide for 64 bits
        {SQL_DECIMAL, 19, 4, TDataType::Float},   // money
        {SQL_FLOAT, 15, 0, TDataType::Float},
        {SQL_TYPE_TIMESTAMP, 23, 3, TDataType::DateTime},
        {SQL_WVARCHAR, 50, 0, TDataType::Text},
        {SQL_GUID, 36, 0, TDataType::Text},
        {SQL_WLONGVARCHAR, 1073741823, 0, TDataType::LargeText}, // ntext
        {SQL_LONGVARBINARY, 2147483647, 0, TDataType::Bytes},    // image
        {SQL_BINARY, 8, 0, TDataType::Bytes},                    // timestamp
    };
    for (const auto& c : cases)
        EXPECT_EQ(DataTypeOfSqlType(c.sqlType, c.size, c.digits), c.expected) << c.sqlType << " " << c.size;
}
