#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"
#include "platform/sql/Connection.h"
#include "platform/sql/ConnectionString.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

using namespace tarnwick;
using namespace tarnwick::sql;

TEST(SqlConnectionString, KeysIgnoreCaseAndKeepValues)
{
    const TConnectionString text("Provider=SQLOLEDB.1;Password=Pw4n8Rz;Persist Security Info=True;"
                                 "user id=TaxSoft;INITIAL CATALOG=TaxMaster;Data Source=SRV01\\TAX;"
                                 "OLE DB Services=-2;Application Name=Tax Utility;");
    EXPECT_EQ(text.Value("Provider"), "SQLOLEDB.1");
    EXPECT_EQ(text.Value("OLE DB SERVICES"), "-2");
    EXPECT_EQ(text.Value("persist security info"), "True");
    const TConnectParams params = text.ConnectParams(15);
    EXPECT_EQ(params.UserId, "TaxSoft");
    EXPECT_EQ(params.Password, "Pw4n8Rz");
    EXPECT_EQ(params.Database, "TaxMaster");
    EXPECT_EQ(params.Server, "SRV01\\TAX");
    EXPECT_EQ(params.ApplicationName, "Tax Utility");
    EXPECT_EQ(params.ConnectionTimeout, 15);
    EXPECT_EQ(text.Value("Missing"), "");
    EXPECT_EQ(TConnectionString(" Data Source = SRV01 ;Password='a;b'").Value("data source"), "SRV01");
    EXPECT_EQ(TConnectionString("Password=\"a;b\";User ID=x").Value("Password"), "a;b");
}

class SqlConnection : public ::testing::Test {
protected:
    test::SimulatedServer sim;
};

TEST_F(SqlConnection, OpensExecutesAndCloses)
{
    TADOConnection connection;
    EXPECT_EQ(connection.ConnectionTimeout, 15);
    EXPECT_EQ(connection.CommandTimeout, 30);
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(connection.Execute("INSERT INTO MasterSettings (Name, Value) VALUES ('Version', '28.1.0')"), 1);
    EXPECT_TRUE(connection.Connected());
    auto rows = connection.ExecuteRecordset("SELECT Value FROM MasterSettings WHERE Name='Version'");
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields(0).AsString(), "28.1.0");
    connection.Close();
    EXPECT_FALSE(connection.Connected());

    const auto log = sim->Statements();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].Text, "SELECT Value FROM MasterSettings WHERE Name='Version'");
    EXPECT_EQ(log[1].Login, "TaxSoft");
    EXPECT_EQ(log[1].Database, "TaxMaster");
    EXPECT_EQ(log[1].Application, "Tarnwick Tests");
}
