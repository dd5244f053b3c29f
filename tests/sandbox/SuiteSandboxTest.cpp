#include "sandbox/SuiteSandbox.h"
#include "platform/os/FileService.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Recordset.h"
#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"
#include "support/SuiteSandboxFixture.h"

#include <gtest/gtest.h>

using namespace tarnwick;

namespace {

std::string Scalar(const std::string& dataSource, const std::string& database, const std::string& sql)
{
    sql::TADOConnection connection;
    connection.SetConnectionString("Provider=SQLOLEDB.1;Password=r8v3k2p6;User ID=TaxAdmin;Initial Catalog=" +
                                   database + ";Data Source=" + dataSource + ";");
    auto rows = connection.ExecuteRecordset(sql);
    return rows->Eof() ? std::string() : rows->Fields(0).AsString();
}

class SuiteSandbox : public ::testing::Test {
protected:
    ~SuiteSandbox() override
    {
        ResetSuiteStatus();
        ResetSuiteEnvironment();
    }
};

} // namespace

TEST_F(SuiteSandbox, BuildsASuiteNamedAfterThisComputer)
{
    test::ScopedSuiteSandbox suite;
    InitialiseSuiteEnvironment();

    EXPECT_EQ(GetDataSource(), "SRV01");
    EXPECT_EQ(GetDefaultDataset(), 1);
    EXPECT_TRUE(os::Files().DirectoryExists(GetShareFolder() + "Locks\\"));
    EXPECT_EQ(GetLogsFolder(), "\\\\SRV01\\VexholmTaxationShareDir\\Logs\\");
    EXPECT_TRUE(os::Files().DirectoryExists(GetSuiteStatus()->ProgramsDir));

    EXPECT_EQ(Scalar("SRV01", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='Version'"),
              "28.1.16");
    EXPECT_EQ(Scalar("SRV01", "TaxMaster", "SELECT COUNT(*) FROM KQ22"), "3");
    EXPECT_EQ(Scalar("SRV01", "TaxData3", "SELECT Value FROM DatasetSettings WHERE Name='Dataset'"), "3");
    EXPECT_EQ(Scalar("SRV01", "TaxData2", "SELECT COUNT(*) FROM KQ01"), "2");
}

TEST_F(SuiteSandbox, OptionsBreakTheSuiteAndAnExistingSandboxIsKept)
{
    sandbox::TSandboxOptions options;
    options.DataSource = "SRV09\\TAX";
    options.DataVersion = "27.0.1";
    options.MissingDatabases = {2};
    test::ScopedSuiteSandbox suite(options);

    EXPECT_EQ(suite->DataSource(), "SRV09\\TAX");
    EXPECT_EQ(Scalar("SRV09\\TAX", "TaxData1", "SELECT Value FROM DatasetSettings WHERE Name='Version'"),
              "27.0.1");
    EXPECT_EQ(
        Scalar("SRV09\\TAX", "master", "SELECT COUNT(*) FROM master.dbo.sysdatabases WHERE name='TaxData2'"),
        "0");
    EXPECT_EQ(Scalar("SRV09\\TAX", "TaxMaster", "SELECT COUNT(*) FROM KQ22"), "3");

    sandbox::TSuiteSandbox again(suite->Folder());
    again.Build();
    EXPECT_EQ(again.DataSource(), "SRV09\\TAX");
}
