#include "platform/sql/Query.h"
#include "platform/core/Exceptions.h"
#include "platform/sql/ValueConversion.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

using namespace tarnwick;
using namespace tarnwick::sql;

namespace {

class Query : public ::testing::Test {
protected:
    Query() { connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxData1")); }

    test::SimulatedServer sim;
    TADOConnection connection;
};

std::string AllBytesText()
{
    std::string text;
    for (int c = 1; c < 256; ++c) text += static_cast<char>(c);
    return text;
}

TBytes AllBytes()
{
    TBytes bytes;
    for (int c = 0; c < 256; ++c) bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(0);
    return bytes;
}

} // namespace

TEST(QueryParameters, ParsesNamedMarkersOutsideQuotesAndComments)
{
    const TParsedSql parsed = ParseParameters("UPDATE T SET A=:Xml, B=':Not', [C:d]=:Value -- :Comment\r\n"
                                              "WHERE X=:Xml AND Y::int = 1");
    EXPECT_EQ(parsed.Text, "UPDATE T SET A=?, B=':Not', [C:d]=? -- :Comment\r\nWHERE X=? AND Y::int = 1");
    EXPECT_EQ(parsed.Markers, (std::vector<std::string>{"Xml", "Value", "Xml"}));
}

TEST_F(Query, ParametersOfEveryKindRoundTripByteForByte)
{
    sim->Execute("TaxData1",
                 "INSERT INTO KQ07 (AutoNumber, ClientNumber, PeriodId, DataType) VALUES (10, 1, 2019, 169);"
                 "INSERT INTO TaxReturns (ClientNumber, TaxYear) VALUES (1, 2018)");
    TADOQuery update(&connection);
    update.SetSQLText("Update Kq07 Set Memo1 = :Xml, ReadyForProcessing = 0 Where AutoNumber = :Value");
    ASSERT_EQ(update.ParameterCount(), 2u);
    update.ParamByName("Xml").SetAsString(AllBytesText());
    update.ParamByName("value").SetAsInteger(10);
    EXPECT_EQ(update.ExecSQL(), 1);

    TADOQuery blob(&connection);
    blob.SetSQL({"UPDATE TaxReturns SET ReturnData=:argXml",
                 "WHERE ClientNumber=:argClientNumber And TaxYear =:argTaxYear"});
    blob.ParamByName("argXml").SetAsBlob(AllBytes());
    blob.ParamByName("argClientNumber").SetAsInteger(1);
    blob.ParamByName("argTaxYear").SetAsInteger(2018);
    EXPECT_EQ(blob.ExecSQL(), 1);
    EXPECT_EQ(sim->Statements().back().Text,
              "UPDATE TaxReturns SET ReturnData=?\r\nWHERE ClientNumber=? And TaxYear =?\r\n");

    TADOQuery memo(&connection);
    memo.SetSQLText("UPDATE KQ01 SET ClientName = :Name WHERE ClientNumber = :Number;"
                    "INSERT INTO KQ01 (ClientNumber, ClientName) VALUES (:Number, :Name)");
    memo.ParamByName("Name").SetAsMemo(std::string(100000, '\xA3'));
    memo.ParamByName("Number").SetAsInteger(2);
    memo.ExecSQL();

    TADOQuery read(&connection);
    read.LockType = TLockType::ReadOnly;
    read.SetSQLText("Select Memo1, ReadyForProcessing From KQ07 where AutoNumber = 10");
    read.Open();
    EXPECT_EQ(read.FieldByName("Memo1").AsString(), AllBytesText());
    EXPECT_FALSE(read.FieldByName("ReadyForProcessing").AsBoolean());
    read.Close();
    read.SetSQLText("Select ReturnData FROM [TaxReturns] WHERE (ClientNumber = 1 And TaxYear = 2018)");
    read.Open();
    EXPECT_EQ(read.FieldByName("ReturnData").AsBytes(), AllBytes());
    read.Close();
    read.SetSQLText("SELECT ClientName FROM KQ01 WHERE ClientNumber = 2");
    read.Open();
    EXPECT_EQ(read.FieldByName("ClientName").AsString(), std::string(100000, '\xA3'));
}

TEST_F(Query, WalksRowsAndRequeries)
{
    TADOQuery query(&connection);
    query.ParamCheck = false;
    query.SetSQLText("SELECT Name, Value FROM DatasetSettings WHERE Name <> ':x'\r\nORDER BY Name");
    EXPECT_EQ(query.ParameterCount(), 0u);
    query.Open();
    EXPECT_TRUE(query.Eof());
    EXPECT_TRUE(query.FieldByName("Value").IsNull());
    EXPECT_EQ(query.FieldByName("Value").AsString(), "");
    sim->Execute(
        "TaxData1",
        "INSERT INTO DatasetSettings VALUES ('B', '2'); INSERT INTO DatasetSettings VALUES ('A', '1')");
    query.Requery();
    std::vector<std::string> seen;
    for (query.First(); !query.Eof(); query.Next()) seen.push_back(query.FieldByName("name").AsString());
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(query.RecordCount(), 2u);
    EXPECT_THROW(query.FieldByName("Missing"), EDatabaseError);

    TADOQuery update(&connection);
    update.SetSQLText("UPDATE KQ01 SET ClientName = 'x'");
    EXPECT_EQ(update.ExecSQL(), 0);
    try {
        update.Open();
        FAIL() << "an update opened as a result set";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message(), "CommandText does not return a result set");
    }
}

TEST_F(Query, InsertAndEditBecomeStatementsOnTheBaseTable)
{
    TADOConnection master;
    master.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    TADOQuery ids(&master);
    ids.LockType = TLockType::Pessimistic;
    ids.SetSQLText("Select * From UniqueIDs Where TableName = 'KQ20' and FieldName = 'DescNumber'");
    ids.Open();
    ASSERT_TRUE(ids.Eof());
    ids.Insert();
    ids.FieldByName("TableName").SetAsString("KQ20");
    ids.FieldByName("FieldName").SetAsString("DescNumber");
    ids.FieldByName("IDValue").SetAsInteger(1);
    ids.Post();
    ids.Close();
    ids.Open();
    ids.Edit();
    ids.FieldByName("IDValue").SetAsInteger(ids.FieldByName("IDValue").AsInteger() + 1);
    ids.Post();
    EXPECT_EQ(ids.FieldByName("IDValue").AsInteger(), 2);
    EXPECT_EQ(sim->Statements().back().Text,
              "UPDATE [UniqueIDs] SET [IDValue]=? WHERE [TableName]=? AND [FieldName]=?");
    EXPECT_EQ(sim.Scalar("TaxMaster", "SELECT IDValue FROM UniqueIDs"), "2");

    TADOQuery datasets(&master);
    datasets.SetSQLText("Select * From KQ22 Where DataNumber = 0");
    datasets.Open();
    datasets.Insert();
    datasets.FieldByName("Description").SetAsString("New practice");
    datasets.Post();
    EXPECT_EQ(datasets.FieldByName("DataNumber").AsInteger(), 3);
    datasets.Edit();
    datasets.FieldByName("CreateDate").SetAsDateTime(EncodeDate(2024, 5, 1));
    datasets.FieldByName("ELSSubmitAllDataSets").SetAsBoolean(true);
    datasets.FieldByName("PracticeName").Clear();
    datasets.Post();
    EXPECT_EQ(sim.Scalar("TaxMaster", "SELECT Description FROM KQ22 WHERE DataNumber = 3"), "New practice");
    EXPECT_EQ(sim.Scalar("TaxMaster", "SELECT CreateDate FROM KQ22 WHERE DataNumber = 3"), "01/05/2024");
    EXPECT_EQ(sim.Scalar("TaxMaster", "SELECT ELSSubmitAllDataSets FROM KQ22 WHERE DataNumber = 3"), "True");

    sim->Execute("TaxMaster", "DELETE FROM KQ22 WHERE DataNumber = 3");
    datasets.Edit();
    datasets.FieldByName("Description").SetAsString("Gone");
    try {
        datasets.Post();
        FAIL() << "a vanished row was updated";
    } catch (const EOleException& error) {
        EXPECT_EQ(
            error.Message(),
            "Row cannot be located for updating. Some values may have been changed since it was last read.");
    }
    datasets.Cancel();

    TADOQuery readOnly(&master);
    readOnly.LockType = TLockType::ReadOnly;
    readOnly.SetSQLText("Select * From KQ22");
    readOnly.Open();
    EXPECT_THROW(readOnly.Edit(), EDatabaseError);
    EXPECT_THROW(readOnly.Insert(), EDatabaseError);
    EXPECT_THROW(readOnly.FieldByName("Description").SetAsString("x"), EDatabaseError);

    TADOQuery joined(&master);
    joined.SetSQLText("SELECT COUNT(*) AS Total FROM KQ22");
    joined.Open();
    joined.Edit();
    joined.FieldByName("Total").SetAsInteger(5);
    EXPECT_THROW(joined.Post(), EOleException);
}

TEST_F(Query, CommandTimeoutAppliesToTheQuery)
{
    sim->Execute("TaxMaster",
                 "INSERT INTO AppsInUse (Computer, Handle, User, Application) VALUES ('PC1', 5, 'a', 'Tax')");
    sim->HoldAppsInUseLock("PC1", 5);
    TADOConnection master;
    master.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    TADOQuery remove(&master);
    remove.LockType = TLockType::Pessimistic;
    remove.CommandTimeout = 1;
    remove.SetSQLText("DELETE FROM AppsInUse WHERE Computer='PC1' AND Handle=5");
    try {
        remove.ExecSQL();
        FAIL() << "a locked row was deleted";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.Message(), "Query timeout expired");
    }
    sim->SetRealLockWaits(true);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(remove.ExecSQL(), EOleException);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    sim->ReleaseRowLocks();
    EXPECT_EQ(remove.ExecSQL(), 1);
}
