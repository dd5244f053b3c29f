#include "db/TaxModule.h"

#include "db/TaxConnections.h"
#include "platform/core/Exceptions.h"
#include "platform/os/CommandLine.h"
#include "platform/sql/sim/SuiteSchema.h"
#include "suite/SuiteEnvironment.h"
#include "suite/VexholmRegistry.h"
#include "support/SimulatedSuite.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class TaxModuleTest : public ::testing::Test {
protected:
    TaxModuleTest()
    {
        for (int dataset : {1, 2}) suite.MakeDatasetCurrent(dataset);
    }

    // The module of an automation client: no connection test, default dataset opened.
    TTaxModule& AutomatedModule()
    {
        os::SetCommandLineArgs({"/AUTOMATION"});
        return GetTaxModule();
    }

    int ConnectsTo(const std::string& database)
    {
        int count = 0;
        for (const auto& entry : suite.Sim->Log())
            if (entry.Kind == "connect" && entry.Database == database) ++count;
        return count;
    }

    test::SimulatedSuite suite{2};
};

TEST_F(TaxModuleTest, CreationTestsTheConnectionThenOpensTheUsersDefaultDataset)
{
    SetDefaultDataset(2);
    TTaxModule& module = GetTaxModule();
    EXPECT_EQ(&module, &GetTaxModule());

    ASSERT_NE(suite.Toolkit->WaitConnect(), nullptr); // the connection test ran
    EXPECT_EQ(module.ServerName, "SRV01");
    EXPECT_EQ(module.MasterCon.Name, "MasterCon");
    EXPECT_EQ(module.adoTaxCon.Name, "adoTaxCon");
    EXPECT_EQ(module.ReadOnlyCon.Name, "ReadOnlyCon");
    EXPECT_EQ(module.MasterCon.ConnectionString(),
              TTaxConnections::MakeConnectionString("Pw4n8Rz", "TaxSoft", "TaxMaster", "SRV01"));
    EXPECT_EQ(module.ReadOnlyCon.ConnectionString(),
              TTaxConnections::MakeConnectionString("Pw4n8Rz", "TaxSoft", "TaxReadOnly", "SRV01"));
    EXPECT_EQ(module.ReadOnlyCon.IsolationLevel, sql::TIsolationLevel::Serializable);
    EXPECT_FALSE(module.ReadOnlyCon.OverrideIsolationDirective);
    EXPECT_FALSE(module.ReadOnlyCon.Connected());
    EXPECT_EQ(
        module.Connections().RegisteredConnections(),
        (std::vector<TVexholmADOConnection*>{&module.MasterCon, &module.adoTaxCon, &module.ReadOnlyCon}));

    EXPECT_EQ(module.CurrentDataNumber, 2);
    EXPECT_EQ(module.CurrentDatabase, "TaxData2");
    EXPECT_TRUE(module.adoTaxCon.Connected());
    EXPECT_EQ(module.adoTaxCon.ConnectionString(),
              TTaxConnections::MakeConnectionString("Pw4n8Rz", "TaxSoft", "TaxData2", "SRV01"));
    EXPECT_EQ(module.DataSets().Count(), 2);
}

TEST_F(TaxModuleTest, AnAutomationClientGetsNoConnectionTest)
{
    for (const char* option : {"/AUTOMATION", "-Embedding"}) {
        suite.Restart();
        os::SetCommandLineArgs({option});
        SetDefaultDataset(1);
        EXPECT_EQ(GetTaxModule().CurrentDataNumber, 1) << option;
        EXPECT_EQ(suite.Toolkit->WaitConnect(), nullptr) << option;
    }
}

TEST_F(TaxModuleTest, AFailedConnectionTestSelectsNoDatasetButLeavesTheModuleUsable)
{
    SetDefaultDataset(1);
    suite.Sim->RefuseLogin("TaxSoft");
    TTaxModule& module = GetTaxModule();
    EXPECT_EQ(module.CurrentDataNumber, 0);
    EXPECT_FALSE(module.adoTaxCon.Connected());
    EXPECT_FALSE(module.MasterCon.ConnectionString().empty());

    suite.Sim->RefuseLogin("TaxSoft", false);
    EXPECT_TRUE(module.MasterHasRows("SELECT DataNumber FROM KQ22"));
}

TEST_F(TaxModuleTest, TheModuleIsTheSameObjectFromItsCreateStepOn)
{
    // A message handled while the connection test waits asks for the module.
    bool asked = false;
    TTaxModule* duringTest = nullptr;
    suite.Toolkit->OnProcessMessages([&] {
        if (asked) return;
        asked = true;
        duringTest = &GetTaxModule();
    });
    TTaxModule& module = GetTaxModule();
    suite.Toolkit->OnProcessMessages({});
    EXPECT_EQ(duringTest, &module);

    // A create step that fails on the default dataset's database leaves the module usable.
    suite.Restart();
    os::SetCommandLineArgs({"/AUTOMATION"});
    SetDefaultDataset(1);
    suite.Sim->FailStatement("TaxData1.dbo.KQ01", "Database 'TaxData1' cannot be opened.");
    EXPECT_THROW(GetTaxModule(), EOleException);
    TTaxModule& kept = GetTaxModule();
    EXPECT_EQ(kept.CurrentDataNumber, 0);
    EXPECT_FALSE(kept.adoTaxCon.Connected());
    EXPECT_TRUE(kept.MasterHasRows("SELECT DataNumber FROM KQ22"));
}

TEST_F(TaxModuleTest, AnEmptyDataSourceMeansLocalhost)
{
    suite.Os.Registry.SetString(HKEY_CURRENT_USER, std::string(UserSuiteKey), "DataSource", "");
    suite.Restart();
    TTaxModule& module = AutomatedModule();
    EXPECT_EQ(module.ServerName, "localhost");
    EXPECT_NE(module.MasterCon.ConnectionString().find(";Data Source=localhost;"), std::string::npos);
    EXPECT_NE(module.ReadOnlyCon.ConnectionString().find(";Data Source=localhost;"), std::string::npos);
    EXPECT_NE(module.ConnectionStringFor("TaxData1", "TaxSoft", "Pw4n8Rz").find(";Data Source=localhost;"),
              std::string::npos);
}

TEST_F(TaxModuleTest, ValidationNamesTheFirstProblemOrTheLastDataStateProblem)
{
    suite.Sim->Execute("TaxMaster", "INSERT INTO KQ22 (DataNumber, Description) VALUES (5, 'No database')");
    suite.Sim->Execute("TaxData2", "DELETE FROM KQ01");
    TTaxModule& module = AutomatedModule();

    suite.Sim->ClearLog();
    EXPECT_EQ(module.ValidateDataset(9), "Dataset 9 does not exist in KQ22.");
    EXPECT_EQ(ConnectsTo("TaxData9"), 0);
    EXPECT_EQ(module.ValidateDataset(5), "Database TaxData5 does not exist.");
    EXPECT_EQ(module.ValidateDataset(2), "No data exists within this dataset.");
    EXPECT_EQ(module.ValidateDataset(1), "");

    const struct {
        const char* Name;
        const char* Value;
        const char* Reason;
    } states[] = {
        {"Dataset", "7", "The data identification does not match the dataset name."},
        {"Version", "28.2.0.1", "The version of the data is incorrect."},
        {"UpdateComplete", "No", "The conversion has failed to complete."},
        {"TableStructureOK", "0", "One or more table structures were previously marked as incorrect."},
    };
    for (const auto& state : states) {
        suite.MakeDatasetCurrent(1);
        suite.SetDatasetSetting(1, state.Name, state.Value);
        EXPECT_EQ(module.ValidateDataset(1), state.Reason) << state.Name;
    }

    // Every data-state check runs and the later one wins.
    suite.MakeDatasetCurrent(1);
    suite.SetDatasetSetting(1, "UpdateComplete", "False");
    suite.SetDatasetSetting(1, "TableStructureOK", "0");
    EXPECT_EQ(module.ValidateDataset(1), "One or more table structures were previously marked as incorrect.");
    suite.SetDatasetSetting(1, "TableStructureOK", "1");
    suite.SetDatasetSetting(1, "Dataset", "7");
    suite.SetDatasetSetting(1, "Version", "27.0.0.1");
    EXPECT_EQ(module.ValidateDataset(1), "The conversion has failed to complete.");

    // Only the first three version parts count; missing settings pass.
    suite.MakeDatasetCurrent(1);
    suite.SetDatasetSetting(1, "Version", "28.1.0.99");
    EXPECT_EQ(module.ValidateDataset(1), "");
    suite.Sim->Execute("TaxData1", "DELETE FROM DatasetSettings");
    EXPECT_EQ(module.ValidateDataset(1), "");
}

TEST_F(TaxModuleTest, ConversionStateReadsTheFirstLetterRule)
{
    TTaxModule& module = AutomatedModule();
    for (const char* yes : {"on", "Yes", "-1", "TRUE"}) {
        suite.SetDatasetSetting(1, "UpdateComplete", yes);
        EXPECT_EQ(module.ValidateDataset(1), "") << yes;
    }
    for (const char* no : {"Off", "No", "0", "F", ""}) {
        suite.SetDatasetSetting(1, "UpdateComplete", no);
        EXPECT_EQ(module.ValidateDataset(1), "The conversion has failed to complete.") << no;
    }
}

TEST_F(TaxModuleTest, ADatasetWithOnlyItsDataStateWrongIsUsableButNotValid)
{
    suite.SetDatasetSetting(2, "Dataset", "2");
    suite.SetDatasetSetting(2, "TableStructureOK", "0");
    suite.Sim->Execute("TaxMaster", "INSERT INTO KQ22 (DataNumber, Description) VALUES (5, 'No database')");
    TTaxModule& module = AutomatedModule();

    EXPECT_FALSE(module.IsDatasetValid(2));
    EXPECT_TRUE(module.IsDatasetUsable(2));
    EXPECT_TRUE(module.IsDatasetValid(1));
    EXPECT_TRUE(module.IsDatasetUsable(1));
    EXPECT_FALSE(module.IsDatasetValid(5));
    EXPECT_FALSE(module.IsDatasetUsable(5));

    // Strict selection refuses it and points adoTaxCon at nothing, keeping the number.
    ASSERT_TRUE(module.SelectDataset(1, true));
    EXPECT_FALSE(module.SelectDataset(2, true));
    EXPECT_FALSE(module.adoTaxCon.Connected());
    EXPECT_EQ(module.adoTaxCon.ConnectionString(), "");
    EXPECT_EQ(module.CurrentDataNumber, 1);
    EXPECT_TRUE(module.SelectDataset(2, false));
    EXPECT_EQ(module.CurrentDatabase, "TaxData2");
    EXPECT_FALSE(module.SelectDataset(5, false));
}

TEST_F(TaxModuleTest, SelectingNoDatasetClosesAndClearsEverything)
{
    suite.Sim->Execute(
        "TaxData1",
        "INSERT INTO KQ20 (EffectiveDate, DescNumber, DescText) VALUES ('2024-04-06', 4, 'Rent')");
    SetDefaultDataset(1);
    TTaxModule& module = AutomatedModule();
    ASSERT_EQ(module.Descriptions().Count(), 1);

    EXPECT_TRUE(module.SelectDataset(-1, true));
    EXPECT_FALSE(module.adoTaxCon.Connected());
    EXPECT_EQ(module.adoTaxCon.ConnectionString(), "");
    EXPECT_EQ(module.CurrentDataNumber, -1);
    EXPECT_EQ(module.CurrentDatabase, "");
    EXPECT_EQ(module.Descriptions().Count(), 0);
    EXPECT_TRUE(module.SelectDataset(-1, false));
}

TEST_F(TaxModuleTest, SelectingTheOpenDatasetAgainKeepsItsConnectionAndRemembersTheDefault)
{
    TTaxModule& module = AutomatedModule();
    EXPECT_EQ(module.CurrentDataNumber, -1); // no default dataset: the selection was cleared

    ASSERT_TRUE(module.SelectDataset(2, true));
    EXPECT_EQ(GetDefaultDataset(), 2);
    const int connects = ConnectsTo("TaxData2");
    ASSERT_TRUE(module.SelectDataset(2, true));
    EXPECT_TRUE(module.adoTaxCon.Connected());
    EXPECT_EQ(ConnectsTo("TaxData2"), connects + 1); // the validation's own connection only

    ASSERT_TRUE(module.SelectDataset(1, false));
    EXPECT_EQ(GetDefaultDataset(), 1);
    EXPECT_EQ(module.CurrentDatabase, "TaxData1");
}

TEST_F(TaxModuleTest, ADatasetAddedAfterTheCatalogueLoadedCanBeSelected)
{
    TTaxModule& module = AutomatedModule();
    module.MasterHasRows("SELECT DataNumber FROM KQ22");
    ASSERT_EQ(module.DataSets().Count(), 2);

    sql::sim::CreateSuiteDataset(suite.Sim.Server(), 3);
    suite.MakeDatasetCurrent(3);
    EXPECT_TRUE(module.SelectDataset(3, true));
    EXPECT_EQ(module.CurrentDatabase, "TaxData3");
    EXPECT_TRUE(module.adoTaxCon.Connected());
}

TEST_F(TaxModuleTest, ConnectionsForceReadUncommittedAndMasterReloadsTheCatalogue)
{
    TTaxModule& module = AutomatedModule();
    suite.Sim->Execute("TaxMaster", "DELETE FROM KQ22 WHERE DataNumber = 2");
    module.MasterCon.Close();
    suite.Sim->ClearLog();
    EXPECT_TRUE(module.MasterHasRows("SELECT DataNumber FROM KQ22"));
    EXPECT_EQ(module.DataSets().Count(), 1);
    module.MasterCon.BeginTrans();
    module.MasterCon.CommitTrans();

    const std::string directive = " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED";
    TStringList sent;
    for (const auto& entry : suite.Sim->Statements()) sent.push_back(entry.Text);
    // Connect complete and after connect, the catalogue, the query itself, then one after
    // each transaction event; read-uncommitted commands pass unchanged.
    EXPECT_EQ(sent, (TStringList{directive, directive, "Select * From KQ22\r\n",
                                 "SELECT DataNumber FROM KQ22", directive, directive}));
}

TEST_F(TaxModuleTest, ClosingMasterConClosesTheAllocatorsConnection)
{
    TTaxModule& module = AutomatedModule();
    EXPECT_EQ(module.Connections().UniqueIDs().NextID("KQ20", "DescNumber"), 1);
    ASSERT_TRUE(module.Connections().UniqueIDs().Connection()->Connected());
    module.MasterHasRows("SELECT DataNumber FROM KQ22");
    module.MasterCon.Close();
    EXPECT_FALSE(module.Connections().UniqueIDs().Connection()->Connected());
}

TEST_F(TaxModuleTest, DestructionSavesChangedDescriptionsUnlessTheApplicationIsEnding)
{
    SetDefaultDataset(1);
    for (bool ending : {false, true}) {
        suite.Restart();
        suite.Sim->Execute("TaxData1", "DELETE FROM KQ20");
        TTaxModule& module = AutomatedModule();
        auto row = std::make_unique<TVexholmEDescription>();
        row->EffectiveDate = EncodeDate(2025, 4, 6);
        row->DescText = "Added";
        module.Descriptions().Add(std::move(row));
        if (ending) suite.Toolkit->Terminate();
        ReleaseTaxModule();
        EXPECT_EQ(suite.Sim.Scalar("TaxData1", "SELECT COUNT(*) FROM KQ20"), ending ? "0" : "1") << ending;
    }
}

} // namespace
} // namespace tarnwick
