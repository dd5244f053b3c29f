#include "db/VexholmEDescriptions.h"

#include "db/UniqueIDs.h"
#include "platform/core/DateTime.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class VexholmEDescriptionsTest : public ::testing::Test {
protected:
    VexholmEDescriptionsTest()
    {
        connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxData1"));
        ids.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
        sim->Execute("TaxData1", "INSERT INTO KQ20 (EffectiveDate, DescNumber, DescType, DescText, ReadOnly, "
                                 "DefaultAmount, AppliesTo, Indicator1) VALUES "
                                 "('2024-04-06', 7, 2, 'Rent', 1, 12.5, 'SA', 1), "
                                 "('2023-04-06', 7, 2, 'Rent old', 0, 0, NULL, 0), "
                                 "('2023-04-06', 3, 1, 'Wages', 0, NULL, 'CT', 0)");
    }

    TStringList SentTo(const std::string& database)
    {
        TStringList texts;
        for (const auto& entry : sim->Statements())
            if (entry.Database == database) texts.push_back(entry.Text);
        return texts;
    }

    test::SimulatedServer sim;
    TVexholmADOConnection connection;
    TUniqueIDs ids;
    TVexholmEDescriptions list;
};

TEST_F(VexholmEDescriptionsTest, LoadsEveryRowByNumberThenDateAsUnchanged)
{
    ASSERT_TRUE(list.Load(connection));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0).DescNumber, 3);
    EXPECT_EQ(list.Items(0).DefaultAmount, 0);
    EXPECT_EQ(list.Items(1).DescText, "Rent old");
    const TVexholmEDescription& rent = list.Items(2);
    EXPECT_EQ(rent.EffectiveDate, EncodeDate(2024, 4, 6));
    EXPECT_EQ(rent.DescType, 2);
    EXPECT_TRUE(rent.ReadOnly);
    EXPECT_EQ(rent.DefaultAmount, 12.5);
    EXPECT_EQ(rent.AppliesTo, "SA");
    EXPECT_TRUE(rent.Indicator1);
    EXPECT_TRUE(rent.Loaded());
    EXPECT_EQ(rent.ChangeState(), TChangeState::csUnchanged);

    // Unloading a row clears it.
    list.Items(2).SetLoaded(false);
    EXPECT_EQ(list.Items(2).DescNumber, -1);
    EXPECT_EQ(list.Items(2).EffectiveDate, 0);

    sim->Execute("TaxData1", "DELETE FROM KQ20");
    EXPECT_FALSE(list.Load(connection));
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(VexholmEDescriptionsTest, UnchangedRowsWriteNothing)
{
    list.Load(connection);
    sim->ClearLog();
    list.Save(connection, ids);
    EXPECT_TRUE(sim->Statements().empty());
}

TEST_F(VexholmEDescriptionsTest, SavesChangedRowsWithTheirStatementsAndNumbersNewOnes)
{
    list.Load(connection);
    TVexholmEDescription& wages = list.Items(0);
    wages.DescText = "O'Brien's wages";
    wages.DefaultAmount = 1234.5;
    wages.SetChangeState(TChangeState::csModified);
    list.Items(1).SetChangeState(TChangeState::csDeleted);
    auto added = std::make_unique<TVexholmEDescription>();
    added->EffectiveDate = EncodeDate(2025, 4, 6);
    added->DescNumber = 0;
    added->DescType = 4;
    added->DescText = "Fees";
    added->ReadOnly = true;
    added->DefaultAmount = 3;
    list.Add(std::move(added));
    sim->ClearLog();

    list.Save(connection, ids);

    EXPECT_EQ(SentTo("TaxData1"),
              (TStringList{
                  "Update KQ20 Set DescType = 1,DescSubType = 0,DescText = 'O''Brien''s wages',ReadOnly = 0,"
                  "DefaultAmount =  1234.50,ParentType = 0,ParentSubType = 0,AppliesTo = 'CT',Indicator1 = 0 "
                  "Where EffectiveDate = '2023-04-06' And DescNumber = 3",
                  "Delete KQ20 Where EffectiveDate = '2023-04-06' And DescNumber = 7",
                  "Insert KQ20(EffectiveDate,DescNumber,DescType,DescSubType,DescText,ReadOnly,DefaultAmount,"
                  "ParentType,ParentSubType,AppliesTo,Indicator1) "
                  "Values('2025-04-06',1,4,0,'Fees',1,    3.00,0,0,'',0)"}));
    EXPECT_EQ(list.Items(3).DescNumber, 1);
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Items(i).ChangeState(), TChangeState::csUnchanged);

    list.Load(connection);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0).DescNumber, 1);
    EXPECT_EQ(list.Items(1).DescText, "O'Brien's wages");
    EXPECT_EQ(list.Items(1).DefaultAmount, 1234.5);
    EXPECT_EQ(list.Items(2).DescText, "Rent");
}

} // namespace
} // namespace tarnwick
