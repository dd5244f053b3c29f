#include "sandbox/SuiteSandbox.h"
#include "platform/os/FileService.h"
#include "platform/os/MachineIdentity.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Recordset.h"
#include "platform/sql/sim/SimRoot.h"
#include "suite/SuiteEnvironment.h"
#include "suite/TaxSuiteStatus.h"
#include "support/OsSandbox.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

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

// Keeps the variables a sandbox sets, so each test leaves the process as it found it.
std::vector<std::unique_ptr<test::ScopedEnvironment>> KeepEnvironment()
{
    std::vector<std::unique_ptr<test::ScopedEnvironment>> kept;
    for (const char* name :
         {"TARNWICK_UNC_ROOT", "TARNWICK_DRIVE_ROOT", "TARNWICK_REGISTRY_USER", "TARNWICK_REGISTRY_MACHINE",
          "TARNWICK_COMMON_APPDATA", "TARNWICK_SIM_ROOT", "TMPDIR"}) {
        const char* value = std::getenv(name);
        kept.push_back(std::make_unique<test::ScopedEnvironment>(
            name, value ? std::optional<std::string>(value) : std::nullopt));
    }
    return kept;
}

class SuiteSandbox : public ::testing::Test {
protected:
    ~SuiteSandbox() override
    {
        ResetSuiteStatus();
        ResetSuiteEnvironment();
        sql::SetDriver(previousDriver);
        sql::sim::SetSimRoot({});
    }

    std::vector<std::unique_ptr<test::ScopedEnvironment>> environment = KeepEnvironment();
    std::shared_ptr<sql::IDriver> previousDriver = sql::SharedDriver();
    test::OsSandbox os;
    test::TempFolder folder;
};

} // namespace

TEST_F(SuiteSandbox, BuildsASuiteNamedAfterThisComputer)
{
    sandbox::TSuiteSandbox suite(folder.Path() / "demo");
    suite.Build();
    InitialiseSuiteEnvironment();

    const std::string computer = os::MachineIdentity().ComputerName();
    EXPECT_EQ(GetDataSource(), computer);
    EXPECT_EQ(GetServerMachineName(), computer);
    EXPECT_EQ(GetDefaultDataset(), 1);
    EXPECT_TRUE(os::Files().DirectoryExists(GetShareFolder() + "Locks\\"));
    EXPECT_EQ(GetLogsFolder(), GetShareFolder() + "Logs\\");
    EXPECT_TRUE(os::Files().DirectoryExists(GetSuiteStatus()->ProgramsDir));

    EXPECT_EQ(Scalar(computer, "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='Version'"),
              "28.1.16");
    EXPECT_EQ(Scalar(computer, "TaxMaster", "SELECT COUNT(*) FROM KQ22"), "3");
    EXPECT_EQ(Scalar(computer, "TaxData3", "SELECT Value FROM DatasetSettings WHERE Name='Dataset'"), "3");
    EXPECT_EQ(Scalar(computer, "TaxData2", "SELECT COUNT(*) FROM KQ01"), "2");
}

TEST_F(SuiteSandbox, OptionsBreakTheSuiteAndAnExistingSandboxIsKept)
{
    sandbox::TSuiteSandbox suite(folder.Path() / "broken");
    sandbox::TSandboxOptions options;
    options.DataSource = "SRV09\\TAX";
    options.DataVersion = "27.0.1";
    options.MissingDatabases = {2};
    suite.Build(options);

    EXPECT_EQ(suite.DataSource(), "SRV09\\TAX");
    EXPECT_EQ(Scalar("SRV09\\TAX", "TaxData1", "SELECT Value FROM DatasetSettings WHERE Name='Version'"),
              "27.0.1");
    EXPECT_EQ(
        Scalar("SRV09\\TAX", "master", "SELECT COUNT(*) FROM master.dbo.sysdatabases WHERE name='TaxData2'"),
        "0");
    EXPECT_EQ(Scalar("SRV09\\TAX", "TaxMaster", "SELECT COUNT(*) FROM KQ22"), "3");

    sandbox::TSuiteSandbox again(folder.Path() / "broken");
    again.Build();
    EXPECT_EQ(again.DataSource(), "SRV09\\TAX");
}
