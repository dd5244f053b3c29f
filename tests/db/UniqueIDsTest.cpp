#include "db/UniqueIDs.h"

#include "platform/core/Exceptions.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class UniqueIDsTest : public ::testing::Test {
protected:
    test::SimulatedServer sim;
    TUniqueIDs ids;
};

TEST_F(UniqueIDsTest, AFieldWithoutARowStartsAtOneAndCountsOn)
{
    ids.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    EXPECT_EQ(ids.NextID("KQ20", "DescNumber"), 1);
    EXPECT_EQ(ids.NextID("KQ20", "DescNumber"), 2);
    EXPECT_EQ(ids.LastID(), 2);
    EXPECT_EQ(sim.Scalar("TaxMaster",
                         "SELECT IDValue FROM UniqueIDs WHERE TableName='KQ20' AND FieldName='DescNumber'"),
              "2");

    // Another field has its own count; a NULL value counts as none.
    sim->Execute("TaxMaster",
                 "INSERT INTO UniqueIDs (TableName, FieldName, IDValue) VALUES ('KQ01', 'Code', NULL)");
    EXPECT_EQ(ids.NextID("KQ01", "Code"), 1);
    sim->Execute("TaxMaster", "UPDATE UniqueIDs SET IDValue = 41 WHERE TableName = 'KQ01'");
    EXPECT_EQ(ids.NextID("KQ01", "Code"), 42);
    EXPECT_EQ(ids.NextID("KQ20", "DescNumber"), 3);
}

TEST_F(UniqueIDsTest, WithoutAConnectionStringTheErrorNamesTableAndField)
{
    try {
        ids.NextID("KQ20", "DescNumber");
        FAIL() << "no error";
    } catch (const EUniqueIDException& error) {
        EXPECT_EQ(error.Message(), "Error creating Unique ID for KQ20.DescNumber.\r\nConnection Not set up");
    }
}

TEST_F(UniqueIDsTest, AFailingReadIsReportedWithItsReason)
{
    ids.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    sim->FailStatement("From UniqueIDs", "Lock request time out period exceeded.", 1);
    try {
        ids.NextID("KQ20", "DescNumber");
        FAIL() << "no error";
    } catch (const EUniqueIDException& error) {
        EXPECT_EQ(error.Message(),
                  "Error creating Unique ID for KQ20.DescNumber.\r\nLock request time out period exceeded.");
    }
    // The next request starts afresh.
    EXPECT_EQ(ids.NextID("KQ20", "DescNumber"), 1);
}

TEST_F(UniqueIDsTest, ANewConnectionStringClosesTheConnectionFirst)
{
    EXPECT_EQ(ids.ConnectionString(), "");
    ids.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    EXPECT_EQ(ids.NextID("KQ20", "DescNumber"), 1);
    ASSERT_TRUE(ids.Connection()->Connected());
    ids.SetConnectionString(sim.ConnectionString("TaxAdmin", "TaxMaster"));
    EXPECT_FALSE(ids.Connection()->Connected());
    EXPECT_EQ(ids.ConnectionString(), sim.ConnectionString("TaxAdmin", "TaxMaster"));
    EXPECT_EQ(ids.NextID("KQ20", "DescNumber"), 2);
    ids.Close();
    EXPECT_FALSE(ids.Connection()->Connected());
}

} // namespace
} // namespace tarnwick
