#include "platform/sql/odbc/OdbcConnectionString.h"
#include "platform/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace tarnwick;
using namespace tarnwick::sql;
using namespace tarnwick::sql::odbc;

namespace {

TConnectParams Login(std::string server)
{
    TConnectParams params;
    params.Server = std::move(server);
    params.Database = "TaxMaster";
    params.UserId = "TaxSoft";
    params.Password = "Pw4n8Rz";
    params.ApplicationName = "Tax Utility";
    return params;
}

} // namespace

TEST(OdbcConnectionString, MapsEveryKeyOfTheLogin)
{
    EXPECT_EQ(OdbcConnectionString(Login("SRV01"), "FreeTDS"),
              "Driver={FreeTDS};Server=SRV01;Database=TaxMaster;UID=TaxSoft;PWD=Pw4n8Rz;APP=Tax Utility;"
              "TDS_Version=7.3;");
}

TEST(OdbcConnectionString, ServerFormsReachTheDriver)
{
    struct Case {
        const char* server;
        const char* expected;
    };
    const Case cases[] = {
        {"SRV01\\TAX", "Server=SRV01\\TAX;"},
        {" SRV01\\TAX ", "Server=SRV01\\TAX;"},
        {"127.0.0.1,1", "Server=127.0.0.1;Port=1;"},
        {"SRV01\\TAX,1433", "Server=SRV01;Port=1433;"},
        {"(local)", "Server=localhost;"},
        {".\\TAX", "Server=localhost\\TAX;"},
        {"", "Server=localhost;"},
        {"SRV01,notaport", "Server=SRV01,notaport;"},
        {"SRV01,0", "Server=SRV01,0;"},
    };
    for (const auto& c : cases) {
        const std::string text = OdbcConnectionString(Login(c.server), "FreeTDS");
        EXPECT_EQ(text.substr(17, text.find("Database=") - 17), c.expected) << c.server;
    }
}

TEST(OdbcConnectionString, LeavesOutEmptyDatabaseAndApplicationButKeepsAnEmptyPassword)
{
    TConnectParams params;
    params.Server = "SRV01";
    params.UserId = "TaxAdmin";
    EXPECT_EQ(OdbcConnectionString(params, "ODBC Driver 18 for SQL Server"),
              "Driver={ODBC Driver 18 for SQL Server};Server=SRV01;UID=TaxAdmin;PWD=;TDS_Version=7.3;");
}

TEST(OdbcConnectionString, BracesValuesThatWouldSplitTheString)
{
    struct Case {
        const char* value;
        const char* expected;
    };
    const Case cases[] = {
        {"plain=value", "PWD=plain=value;"},
        {"a;b", "PWD={a;b};"},
        {"{a", "PWD={{a};"},
        {"a}", "PWD={a}};"}, // FreeTDS reads up to the "}" before the ";": the value is a}
        {"a}b", "PWD={a}b};"},
        {" a", "PWD={ a};"},
        {"a ", "PWD={a };"},
        {"Caf\xE9", "PWD=Caf\xE9;"},
    };
    for (const auto& c : cases) EXPECT_EQ(OdbcAttribute("PWD", c.value), c.expected) << c.value;
}

TEST(OdbcConnectionString, RefusesAValueTheDriverCannotReadWithoutNamingIt)
{
    auto params = Login("SRV01");
    params.Password = "x};y";
    try {
        OdbcConnectionString(params, "FreeTDS");
        FAIL() << "no error";
    } catch (const EOleException& e) {
        EXPECT_NE(e.Message().find("PWD"), std::string::npos);
        EXPECT_EQ(e.Message().find("x};y"), std::string::npos);
    }
}
