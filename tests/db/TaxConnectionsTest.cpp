#include "db/TaxConnections.h"
#include "StartedProgram.h"
#include "db/TaxDatabases.h"
#include "db/TaxLogins.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ExtractDataSourceTest, TakesTheValueAfterTheFirstDataSourceKey)
{
    struct TCase {
        const char* ConnectionString;
        const char* Expected;
    };
    const TCase cases[] = {
        {"", ""},
        {"Provider=SQLOLEDB.1;User ID=TaxSoft;Initial Catalog=TaxMaster;", ""},
        {"data source=SRV01;", ""},
        {"Initial Catalog=TaxMaster;Data Source = SRV01 ;Application Name=Tax Utility;", "SRV01"},
        {"Provider=SQLOLEDB.1;Initial Catalog=TaxMaster;Data Source=SRV01", "SRV01"},
        {"Data Source=\tSRV01\\TAX\r\n;OLE DB Services=-2;", "SRV01\\TAX"},
        {"Data Source=;Application Name=x;", ""},
        {"Data Source SRV01;", "SRV01"},
        {"Data Source=A;Data Source=B;", "A"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractDataSource(c.ConnectionString), c.Expected) << c.ConnectionString;
}

TEST(DatasetDatabaseNameTest, PlainDecimalAfterTaxData)
{
    EXPECT_EQ(DatasetDatabaseName(7), "TaxData7");
    EXPECT_EQ(DatasetDatabaseName(12), "TaxData12");
    EXPECT_EQ(DatasetDatabaseName(0), "TaxData0");
    EXPECT_EQ(DatasetDatabaseName(-3), "TaxData-3");
}

TEST(ConnectionStringTest, TemplateFilledInOrderWithTheProgramsDescription)
{
    test::StartedProgram program("SRV01\\TAX", "Tax Utility");
    EXPECT_EQ(TTaxConnections::MakeConnectionString(TaxSoftPassword, TaxSoftUser, "TaxMaster", "SRV01"),
              "Provider=SQLOLEDB.1;Password=Pw4n8Rz;Persist Security Info=True;User ID=TaxSoft;"
              "Initial Catalog=TaxMaster;Data Source=SRV01;OLE DB Services=-2;Application Name=Tax Utility;");
    EXPECT_EQ(TTaxConnections::TaxConnectionString("TaxMaster", "SRV01"),
              TTaxConnections::MakeConnectionString("Pw4n8Rz", "TaxSoft", "TaxMaster", "SRV01"));
    EXPECT_EQ(TTaxConnections::MakeConnectionString(TaxHardPassword, TaxHardUser, "master", "SRV01"),
              "Provider=SQLOLEDB.1;Password=Mb7q2Lx;Persist Security Info=True;User ID=TaxHard;"
              "Initial Catalog=master;Data Source=SRV01;OLE DB Services=-2;Application Name=Tax Utility;");
    EXPECT_EQ(
        TTaxConnections::MakeConnectionString(TaxAdminPassword, TaxAdminUser, DatasetDatabaseName(7), "S"),
        "Provider=SQLOLEDB.1;Password=r8v3k2p6;Persist Security Info=True;User ID=TaxAdmin;"
        "Initial Catalog=TaxData7;Data Source=S;OLE DB Services=-2;Application Name=Tax Utility;");

    const std::string suite = TTaxConnections::TaxConnectionString("TaxReadOnly");
    EXPECT_EQ(ExtractDataSource(suite), "SRV01\\TAX");
    EXPECT_NE(suite.find(";Initial Catalog=TaxReadOnly;"), std::string::npos);
}

TEST(ConnectionStringTest, NoDataSourceAnywhereAndNoVersionInformation)
{
    test::StartedProgram program("", "");
    EXPECT_EQ(
        TTaxConnections::TaxConnectionString("TaxMaster"),
        "Provider=SQLOLEDB.1;Password=Pw4n8Rz;Persist Security Info=True;User ID=TaxSoft;"
        "Initial Catalog=TaxMaster;Data Source=;OLE DB Services=-2;Application Name=< No Version Info >;");
}

// A connection that notes when it is freed.
class WatchedConnection : public TVexholmADOConnection {
public:
    explicit WatchedConnection(bool& freed) : freed_(freed) {}
    ~WatchedConnection() override { freed_ = true; }

private:
    bool& freed_;
};

TEST(TaxConnectionsTest, RegistersOnceClosesAllAndFreesOnlyConnectionsWithoutOwner)
{
    test::StartedProgram program("SRV01", "Tax Utility");
    test::SimulatedServer sim;
    TTaxConnections connections;
    EXPECT_EQ(connections.UniqueIDs().ConnectionString(), TTaxConnections::TaxConnectionString("TaxMaster"));
    connections.CloseAll();
    EXPECT_TRUE(connections.RegisteredConnections().empty());

    TVexholmADOConnection master, tax;
    bool freed = false;
    auto unowned = std::make_unique<WatchedConnection>(freed);
    TVexholmADOConnection* unownedRaw = unowned.get();
    for (TVexholmADOConnection* connection : {&master, &tax, unownedRaw}) {
        connection->SetConnectionString(TTaxConnections::TaxConnectionString("TaxMaster"));
        connection->Open();
    }
    connections.RegisterConnection(master);
    connections.RegisterConnection(tax);
    connections.RegisterConnection(master);
    connections.RegisterConnection(std::move(unowned));
    EXPECT_EQ(connections.RegisteredConnections(),
              (std::vector<TVexholmADOConnection*>{&master, &tax, unownedRaw}));

    connections.CloseAll();
    EXPECT_TRUE(connections.RegisteredConnections().empty());
    EXPECT_FALSE(master.Connected());
    EXPECT_FALSE(tax.Connected());
    EXPECT_TRUE(freed);

    master.Open();
    {
        TTaxConnections owner;
        owner.RegisterConnection(master);
    }
    EXPECT_FALSE(master.Connected());
}

} // namespace
} // namespace tarnwick
