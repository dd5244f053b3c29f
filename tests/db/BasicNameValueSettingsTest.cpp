#include "db/BasicNameValueSettings.h"

#include "db/TaxConnections.h"

#include "platform/core/Exceptions.h"
#include "suite/SuiteEnvironment.h"
#include "support/SimulatedSuite.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class BasicNameValueSettingsTest : public ::testing::Test {
protected:
    BasicNameValueSettingsTest()
    {
        InitialiseSuiteEnvironment();
        master.SetConnectionString(suite.Sim.ConnectionString("TaxSoft", "TaxMaster"));
    }

    TStringList Sent()
    {
        TStringList texts;
        for (const auto& entry : suite.Sim->Statements()) texts.push_back(entry.Text);
        return texts;
    }

    test::SimulatedSuite suite;
    TVexholmADOConnection master;
};

TEST_F(BasicNameValueSettingsTest, ANameWithAQuoteReachesTheServerWithTheQuoteDoubled)
{
    suite.SetSetting("TaxMaster", "MasterSettings", "O'Brien", "x");
    TMasterBasicNameValueSettings settings(master);
    suite.Sim->ClearLog();
    EXPECT_EQ(settings.GetValue("O'Brien"), "x");
    EXPECT_TRUE(settings.ValueExists("O'Brien"));
    EXPECT_EQ(Sent(), (TStringList{"SELECT Value FROM MasterSettings WHERE Name='O''Brien'",
                                   "SELECT Value FROM MasterSettings WHERE Name='O''Brien'"}));
}

TEST_F(BasicNameValueSettingsTest, MissingAndNullValuesReadEmptyButOnlyANullOneExists)
{
    suite.Sim->Execute("TaxMaster", "INSERT INTO MasterSettings (Name, Value) VALUES ('Empty', NULL), "
                                    "('Twice', 'first'), ('Twice', 'second')");
    TMasterBasicNameValueSettings settings(master);
    EXPECT_EQ(settings.GetValue("Missing"), "");
    EXPECT_FALSE(settings.ValueExists("Missing"));
    EXPECT_EQ(settings.GetValue("Empty"), "");
    EXPECT_TRUE(settings.ValueExists("Empty"));
    EXPECT_EQ(settings.GetValue("Twice"), "first");
}

TEST_F(BasicNameValueSettingsTest, GetBoolReadsNumbersAndTrueFalseAndRaisesForAnythingElse)
{
    TMasterBasicNameValueSettings settings(master);
    const struct {
        const char* Value;
        bool Expected;
    } readable[] = {{"1", true},    {"-1", true}, {"2.5", true},   {"TRUE", true},
                    {"true", true}, {"0", false}, {"False", false}};
    for (const auto& c : readable) {
        suite.SetSetting("TaxMaster", "MasterSettings", "Flag", c.Value);
        EXPECT_EQ(settings.GetBool("Flag"), c.Expected) << c.Value;
    }
    for (const std::string value : {"Yes", ""}) {
        suite.SetSetting("TaxMaster", "MasterSettings", "Flag", value);
        try {
            settings.GetBool("Flag");
            ADD_FAILURE() << "no error for '" << value << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), "'" + value + "' is not a valid boolean value");
        }
    }
    // A missing setting reads as empty, which is no Boolean either.
    EXPECT_THROW(settings.GetBool("Missing"), EConvertError);
    EXPECT_TRUE(suite.Reported.empty());
}

TEST_F(BasicNameValueSettingsTest, GetBoolOnAnUnreachableServerIsReportedAndFalse)
{
    suite.SetSetting("TaxMaster", "MasterSettings", "Flag", "1");
    suite.Sim->SetState(sql::sim::TServerState::Stopped);
    TMasterBasicNameValueSettings settings;
    EXPECT_FALSE(settings.GetBool("Flag"));
    ASSERT_EQ(suite.Reported.size(), 1u);

    // Other errors of the statement reach the caller, annotated by the connection.
    suite.Sim->SetState(sql::sim::TServerState::Running);
    TBasicNameValueSettings missingTable("NoSuchSettings", master);
    EXPECT_FALSE(missingTable.GetBool("Flag"));
    EXPECT_EQ(suite.Reported.size(), 2u);
    EXPECT_THROW(missingTable.GetValue("Flag"), EOleException);
}

TEST_F(BasicNameValueSettingsTest, OwnConnectionsUseTheSuitesDataSourceAndTheirOwnTables)
{
    suite.SetSetting("TaxMaster", "MasterSettings", "Where", "master");
    suite.SetSetting("TaxReadOnly", "DatabaseSettings", "Where", "read-only");
    suite.SetSetting("TaxSecurities", "DatasetSettings", "Where", "securities");
    suite.SetSetting("TaxData2", "DatasetSettings", "Where", "dataset 2");

    TMasterBasicNameValueSettings own;
    EXPECT_TRUE(own.OwnsConnection());
    EXPECT_EQ(own.Connection().ConnectionString(), TTaxConnections::TaxConnectionString("TaxMaster"));
    EXPECT_NE(own.Connection().ConnectionString().find(
                  "User ID=TaxSoft;Initial Catalog=TaxMaster;Data Source=SRV01;"),
              std::string::npos);
    EXPECT_EQ(own.GetValue("Where"), "master");
    EXPECT_EQ(TTaxReadOnlyBasicNameValueSettings().GetValue("Where"), "read-only");
    EXPECT_EQ(TTaxSecuritiesBasicNameValueSettings().GetValue("Where"), "securities");

    TVexholmADOConnection dataset;
    dataset.SetConnectionString(suite.Sim.ConnectionString("TaxSoft", "TaxData2"));
    {
        TDatasetBasicNameValueSettings settings(dataset);
        EXPECT_FALSE(settings.OwnsConnection());
        EXPECT_EQ(settings.GetValue("Where"), "dataset 2");
    }
    // The caller's connection outlives the reader, open and usable.
    EXPECT_TRUE(dataset.Connected());
    EXPECT_EQ(dataset.GetScalarString("SELECT Value FROM DatasetSettings WHERE Name='Where'"), "dataset 2");
}

} // namespace
} // namespace tarnwick
