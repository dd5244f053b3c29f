#include "db/VexholmDataSets.h"

#include "db/TaxConnections.h"
#include "platform/core/DateTime.h"
#include "support/SimulatedSuite.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class VexholmDataSetsTest : public ::testing::Test {
protected:
    VexholmDataSetsTest() { master.SetConnectionString(suite.Sim.ConnectionString("TaxSoft", "TaxMaster")); }

    std::string Scalar(const std::string& sql) { return suite.Sim.Scalar("TaxMaster", sql); }

    test::SimulatedSuite suite{2};
    TVexholmADOConnection master;
    TVexholmDataSets list;
};

TEST_F(VexholmDataSetsTest, LoadsEveryRowWithTheServerItCameFrom)
{
    suite.Sim->Execute("TaxMaster", "UPDATE KQ22 SET CreateDate = '2024-05-01 10:30:00', ELSTraderID = 'T1', "
                                    "ELSSubmitAllDataSets = 1, Sys20Count = 7, PracticeName = 'Smith & Co' "
                                    "WHERE DataNumber = 2");
    ASSERT_TRUE(list.Load(master));
    EXPECT_EQ(list.ServerName, "SRV01");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOfDataNumber(2), 1);
    EXPECT_EQ(list.IndexOfDataNumber(9), -1);

    const TVexholmDataSet& first = list.Items(0);
    EXPECT_EQ(first.DataNumber, 1);
    EXPECT_EQ(first.Description, "Dataset1");
    EXPECT_EQ(first.CreateDate, 0);
    EXPECT_EQ(first.ELSTraderID, "");
    EXPECT_EQ(first.ClientNumber, 0);
    EXPECT_EQ(first.ChangeState(), TChangeState::csUnchanged);

    const TVexholmDataSet& second = list.Items(1);
    EXPECT_EQ(second.CreateDate, EncodeDate(2024, 5, 1) + EncodeTime(10, 30, 0));
    EXPECT_EQ(second.ELSTraderID, "T1");
    EXPECT_TRUE(second.ELSSubmitAllDataSets);
    EXPECT_EQ(second.SysCount[19], 7);
    EXPECT_EQ(second.PracticeName, "Smith & Co");
    EXPECT_EQ(second.DatabaseName(), "TaxData2");
    EXPECT_EQ(second.ConnectionString("SRV09"),
              TTaxConnections::MakeConnectionString("Pw4n8Rz", "TaxSoft", "TaxData2", "SRV09"));
}

TEST_F(VexholmDataSetsTest, AnEmptyCatalogueOpensNothing)
{
    suite.Sim->Execute("TaxMaster", "DELETE FROM KQ22");
    EXPECT_FALSE(list.Load(master));
    EXPECT_EQ(list.IndexOfDataNumber(1), -1);

    TVexholmADOConnection dataset;
    dataset.SetConnectionString(suite.Sim.ConnectionString("TaxSoft", "TaxData1"));
    dataset.Open();
    list.OpenDatasetConnection(dataset, 1);
    EXPECT_FALSE(dataset.Connected());
    EXPECT_EQ(dataset.ConnectionString(), "");
}

TEST_F(VexholmDataSetsTest, OpeningTheDatasetAlreadyOpenKeepsTheConnection)
{
    list.Load(master);
    TVexholmADOConnection dataset;
    int disconnects = 0;
    dataset.OnDisconnect = [&](sql::TADOConnection&, sql::TEventStatus) { ++disconnects; };

    list.OpenDatasetConnection(dataset, 1);
    ASSERT_TRUE(dataset.Connected());
    EXPECT_EQ(dataset.ConnectionString(), list.Items(0).ConnectionString("SRV01"));
    list.OpenDatasetConnection(dataset, 1);
    EXPECT_TRUE(dataset.Connected());
    EXPECT_EQ(disconnects, 0);

    // Another dataset closes it first; a closed one with the same string only opens.
    list.OpenDatasetConnection(dataset, 2);
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(dataset.ConnectionString(), list.Items(1).ConnectionString("SRV01"));
    dataset.Close();
    list.OpenDatasetConnection(dataset, 2);
    EXPECT_TRUE(dataset.Connected());
}

TEST_F(VexholmDataSetsTest, UnchangedRowsSaveNothing)
{
    list.Load(master);
    suite.Sim->ClearLog();
    EXPECT_FALSE(list.Save(master));
    EXPECT_TRUE(suite.Sim->Statements().empty());
}

TEST_F(VexholmDataSetsTest, ChangedRowsAreWrittenBackByState)
{
    list.Load(master);
    TVexholmDataSet& first = list.Items(0);
    first.Description = "Main practice";
    first.ELSAgentID = "A7";
    first.ModifyStaff = 12;
    first.UseDefaultDetails = true;
    first.SetChangeState(TChangeState::csModified);
    list.Items(1).SetChangeState(TChangeState::csDeleted);
    auto added = std::make_unique<TVexholmDataSet>();
    added->DataNumber = 0;
    added->Description = "New branch";
    added->ClientNumber = 44;
    added->RefreshDate = EncodeDate(2025, 1, 31);
    TVexholmDataSet& newRow = *added;
    list.Add(std::move(added));

    EXPECT_TRUE(list.Save(master));

    EXPECT_EQ(Scalar("SELECT Description FROM KQ22 WHERE DataNumber = 1"), "Main practice");
    EXPECT_EQ(Scalar("SELECT ELSAgentID FROM KQ22 WHERE DataNumber = 1"), "A7");
    EXPECT_EQ(Scalar("SELECT ModifyStaff FROM KQ22 WHERE DataNumber = 1"), "12");
    EXPECT_EQ(
        Scalar(
            "SELECT COUNT(*) FROM KQ22 WHERE ModifyDate IS NULL AND ELSTraderID IS NULL AND DataNumber = 1"),
        "1");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM KQ22 WHERE DataNumber = 2"), "0");
    EXPECT_EQ(newRow.DataNumber, 3);
    EXPECT_EQ(Scalar("SELECT Description FROM KQ22 WHERE DataNumber = 3"), "New branch");
    EXPECT_EQ(Scalar("SELECT ClientNumber FROM KQ22 WHERE DataNumber = 3"), "44");
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Items(i).ChangeState(), TChangeState::csUnchanged);

    // A modified row the table no longer holds is stored as a new one.
    suite.Sim->Execute("TaxMaster", "DELETE FROM KQ22 WHERE DataNumber = 3");
    newRow.Description = "Restored";
    newRow.SetChangeState(TChangeState::csModified);
    EXPECT_TRUE(list.Save(master));
    EXPECT_EQ(newRow.DataNumber, 4);
    EXPECT_EQ(Scalar("SELECT ClientNumber FROM KQ22 WHERE Description = 'Restored'"), "44");
    EXPECT_EQ(list.ServerName, "SRV01");
}

} // namespace
} // namespace tarnwick
