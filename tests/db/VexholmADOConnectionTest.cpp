#include "db/VexholmADOConnection.h"
#include "platform/core/Exceptions.h"
#include "platform/sql/ValueConversion.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class VexholmADOConnectionTest : public ::testing::Test {
protected:
    VexholmADOConnectionTest()
    {
        connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
        sim->Execute("TaxMaster", "INSERT INTO MasterSettings (Name, Value) VALUES ('Beta', 'two')");
        sim->Execute("TaxMaster", "INSERT INTO MasterSettings (Name, Value) VALUES ('Alpha', 'one')");
        sim->Execute("TaxMaster", "INSERT INTO MasterSettings (Name, Value) VALUES ('Gamma', NULL)");
        sim->ClearLog();
    }

    // The batches the server received, in order.
    TStringList Sent()
    {
        TStringList texts;
        for (const auto& entry : sim->Statements()) texts.push_back(entry.Text);
        return texts;
    }

    test::SimulatedServer sim;
    TVexholmADOConnection connection;
};

TEST_F(VexholmADOConnectionTest, MadeClosedUnnamedReadingUncommittedAndOpensOnFirstUse)
{
    EXPECT_EQ(connection.IsolationLevel, sql::TIsolationLevel::ReadUncommitted);
    EXPECT_TRUE(connection.OverrideIsolationDirective);
    EXPECT_EQ(connection.Name, "");
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(connection.GetScalarString("SELECT Value FROM MasterSettings WHERE Name = 'Alpha'"), "one");
    EXPECT_TRUE(connection.Connected());
    EXPECT_EQ(connection.ExecSQL("UPDATE MasterSettings SET Value = 'x' WHERE Name <> 'Gamma'"), 2);
}

TEST_F(VexholmADOConnectionTest, ExecutionErrorsKeepTheirClassAndGainNameAndSql)
{
    const std::string batch = "UPDATE MasterSettings SET Value = 'x'\r\nSELECT * FROM NoSuchTable";
    try {
        connection.ExecSQL(batch);
        FAIL() << "no error";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.Message(), "Invalid object name 'NoSuchTable'.\r\n\r\n: " + batch);
    }

    connection.Name = "MasterCon";
    for (const auto& run : std::vector<std::function<void()>>{
             [&] { connection.HasRows("SELECT NoColumn FROM MasterSettings"); },
             [&] { connection.GetScalarInteger("SELECT NoColumn FROM MasterSettings", 3); },
             [&] { connection.GetScalarString("SELECT NoColumn FROM MasterSettings"); },
         }) {
        try {
            run();
            ADD_FAILURE() << "no error";
        } catch (const EOleException& error) {
            EXPECT_EQ(
                error.Message(),
                "Invalid column name 'NoColumn'.\r\n\r\nMasterCon: SELECT NoColumn FROM MasterSettings");
        }
    }
}

TEST_F(VexholmADOConnectionTest, ConnectFailuresOnFirstUseStartWithTheProviderText)
{
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    sim->RefuseLogin("TaxSoft");
    connection.Name = "adoTaxCon";
    try {
        connection.ExecSQL("SELECT 1");
        FAIL() << "no error";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.Message(), "Login failed for user 'TaxSoft'.\r\n\r\nadoTaxCon: SELECT 1");
    }
}

TEST_F(VexholmADOConnectionTest, NoRowAndNullGiveTheDefaultsAndEmptyText)
{
    const std::string noRow = "SELECT Value FROM MasterSettings WHERE Name = 'Missing'";
    EXPECT_FALSE(connection.HasRows(noRow));
    EXPECT_TRUE(sql::IsNull(connection.GetScalar(noRow)));
    EXPECT_EQ(connection.GetScalarInteger(noRow, -7), -7);
    EXPECT_EQ(connection.GetScalarString(noRow), "");

    const std::string nullValue = "SELECT Value FROM MasterSettings WHERE Name = 'Gamma'";
    EXPECT_TRUE(connection.HasRows(nullValue));
    EXPECT_TRUE(sql::IsNull(connection.GetScalar(nullValue)));
    EXPECT_EQ(connection.GetScalarInteger(nullValue, 11), 11);
    EXPECT_EQ(connection.GetScalarString(nullValue), "");

    EXPECT_EQ(connection.GetScalarInteger("SELECT COUNT(*), 'ignored' FROM MasterSettings", 0), 3);
    EXPECT_EQ(connection.GetScalarString("SELECT Name FROM MasterSettings ORDER BY Name"), "Alpha");
}

TEST_F(VexholmADOConnectionTest, EmptySqlGivesARecordsetNeverOpened)
{
    const sql::TRecordsetPtr rows = connection.OpenRecordset("");
    EXPECT_FALSE(rows->IsOpen());
    EXPECT_THROW(connection.HasRows(""), Exception);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(VexholmADOConnectionTest, ScalarThatIsNoNumberNamesTheValue)
{
    connection.Name = "MasterCon";
    const std::string sql = "SELECT Value FROM MasterSettings WHERE Name = 'Beta'";
    try {
        connection.GetScalarInteger(sql, 0);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'two' is not a valid integer value\r\n\t(two)\r\n\tMasterCon: " + sql);
    }
    sim->Execute("TaxMaster", "UPDATE MasterSettings SET Value = 'abc' WHERE Name = 'Beta'");
    connection.Name = "";
    try {
        connection.GetScalarInteger(sql, 0);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_TRUE(error.Message().ends_with("\r\n\t(abc)\r\n\t: " + sql)) << error.Message();
    }
}

TEST_F(VexholmADOConnectionTest, ScalarTooLargeForAnIntegerNamesOnlyTheConnection)
{
    connection.Name = "ReadOnlyCon";
    const std::string sql = "SELECT 3000000000";
    try {
        connection.GetScalarInteger(sql, 0);
        FAIL() << "no error";
    } catch (const sql::EVariantOverflowError& error) {
        EXPECT_TRUE(error.Message().starts_with("Overflow while converting")) << error.Message();
        EXPECT_TRUE(error.Message().ends_with(")\r\n\tReadOnlyCon: " + sql)) << error.Message();
        EXPECT_EQ(error.Message().find("(3000000000)"), std::string::npos);
    }
}

TEST_F(VexholmADOConnectionTest, IsolationDirectiveOnlyWhereTheConnectionNeedsIt)
{
    connection.OnWillExecute = [this](sql::TADOConnection&, std::string& text) {
        connection.AddIsolationDirective(text);
    };
    connection.ExecSQL("SELECT 1");
    connection.IsolationLevel = sql::TIsolationLevel::Serializable;
    connection.ExecSQL("SELECT 2");
    connection.IsolationLevel = sql::TIsolationLevel::ReadCommitted;
    EXPECT_TRUE(connection.HasRows("SELECT 3"));

    connection.OnWillExecute = nullptr;
    connection.ApplyIsolationDirective();
    connection.OverrideIsolationDirective = false;
    connection.ApplyIsolationDirective();

    EXPECT_EQ(Sent(), (TStringList{
                          "SELECT 1",
                          " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED\r\nSELECT 2",
                          " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED\r\nSELECT 3",
                          " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED",
                      }));
}

TEST_F(VexholmADOConnectionTest, StringListTakesTheFirstColumnInRowOrderAfterClearing)
{
    TStringList list{"left over"};
    connection.GetStringList(
        list, "SELECT Name, Value FROM MasterSettings WHERE Name <> 'Gamma' ORDER BY Name DESC");
    EXPECT_EQ(list, (TStringList{"Beta", "Alpha"}));
    connection.GetStringList(list, "SELECT Value FROM MasterSettings ORDER BY Name");
    EXPECT_EQ(list, (TStringList{"one", "two", ""}));
    connection.GetStringList(list, "SELECT Name FROM MasterSettings WHERE Name = 'Missing'");
    EXPECT_TRUE(list.empty());
    list = {"kept?"};
    EXPECT_THROW(connection.GetStringList(list, "SELECT Name FROM NoSuchTable"), EOleException);
    EXPECT_TRUE(list.empty());
}

TEST_F(VexholmADOConnectionTest, QueriesAreBoundToTheConnection)
{
    const auto query = connection.NewQuery();
    const auto readOnly = connection.NewReadOnlyQuery();
    ASSERT_NE(query, nullptr);
    ASSERT_NE(readOnly, nullptr);
    EXPECT_EQ(query->Connection(), &connection);
    EXPECT_EQ(query->LockType, sql::TLockType::Optimistic);
    EXPECT_EQ(readOnly->Connection(), &connection);
    EXPECT_EQ(readOnly->LockType, sql::TLockType::ReadOnly);
    readOnly->SetSQLText("SELECT Value FROM MasterSettings WHERE Name = :Name");
    readOnly->ParamByName("Name").SetAsString("Alpha");
    readOnly->Open();
    EXPECT_EQ(readOnly->Fields(0).AsString(), "one");
}

} // namespace
} // namespace tarnwick
