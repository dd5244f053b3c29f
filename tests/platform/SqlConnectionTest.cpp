#include "platform/core/Exceptions.h"
#include "platform/core/MainThreadQueue.h"
#include "platform/sql/Connection.h"
#include "platform/sql/ConnectionString.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>
#include <thread>

using namespace tarnwick;
using namespace tarnwick::sql;
namespace sim = tarnwick::sql::sim;

TEST(SqlConnectionString, KeysIgnoreCaseAndKeepValues)
{
    const TConnectionString text("Provider=SQLOLEDB.1;Password=Pw4n8Rz;Persist Security Info=True;"
                                 "user id=TaxSoft;INITIAL CATALOG=TaxMaster;Data Source=SRV01\\TAX;"
                                 "OLE DB Services=-2;Application Name=Tax Utility;");
    EXPECT_EQ(text.Value("Provider"), "SQLOLEDB.1");
    EXPECT_EQ(text.Value("OLE DB SERVICES"), "-2");
    EXPECT_EQ(text.Value("persist security info"), "True");
    const TConnectParams params = text.ConnectParams(15);
    EXPECT_EQ(params.UserId, "TaxSoft");
    EXPECT_EQ(params.Password, "Pw4n8Rz");
    EXPECT_EQ(params.Database, "TaxMaster");
    EXPECT_EQ(params.Server, "SRV01\\TAX");
    EXPECT_EQ(params.ApplicationName, "Tax Utility");
    EXPECT_EQ(params.ConnectionTimeout, 15);
    EXPECT_EQ(text.Value("Missing"), "");
    EXPECT_EQ(TConnectionString(" Data Source = SRV01 ;Password='a;b'").Value("data source"), "SRV01");
    EXPECT_EQ(TConnectionString("Password=\"a;b\";User ID=x").Value("Password"), "a;b");
}

class SqlConnection : public ::testing::Test {
protected:
    test::SimulatedServer sim;
};

TEST_F(SqlConnection, OpensExecutesAndCloses)
{
    TADOConnection connection;
    EXPECT_EQ(connection.ConnectionTimeout, 15);
    EXPECT_EQ(connection.CommandTimeout, 30);
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(connection.Execute("INSERT INTO MasterSettings (Name, Value) VALUES ('Version', '28.1.0')"), 1);
    EXPECT_TRUE(connection.Connected());
    auto rows = connection.ExecuteRecordset("SELECT Value FROM MasterSettings WHERE Name='Version'");
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields(0).AsString(), "28.1.0");
    connection.Close();
    EXPECT_FALSE(connection.Connected());

    const auto log = sim->Statements();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].Text, "SELECT Value FROM MasterSettings WHERE Name='Version'");
    EXPECT_EQ(log[1].Login, "TaxSoft");
    EXPECT_EQ(log[1].Database, "TaxMaster");
    EXPECT_EQ(log[1].Application, "Tarnwick Tests");
}

namespace {

// Records the notifications of a connection in order, with status and error text.
struct TEventLog {
    explicit TEventLog(TADOConnection& connection)
    {
        connection.OnConnectComplete = [this](TADOConnection&, TEventStatus status,
                                              const std::string& error) {
            Events.push_back(status == TEventStatus::OK ? "connect-complete ok"
                                                        : "connect-complete error: " + error);
        };
        connection.OnAfterConnect = [this](TADOConnection&) { Events.push_back("after-connect"); };
        connection.OnBeforeDisconnect = [this](TADOConnection&) { Events.push_back("before-disconnect"); };
        connection.OnDisconnect = [this](TADOConnection&, TEventStatus) { Events.push_back("disconnect"); };
        connection.OnBeginTransComplete = [this](TADOConnection&, int level, TEventStatus status,
                                                 const std::string&) {
            Events.push_back("begin-transaction " + std::to_string(level) +
                             (status == TEventStatus::OK ? " ok" : " error"));
        };
        connection.OnCommitTransComplete = [this](TADOConnection&, TEventStatus status,
                                                  const std::string& error) {
            Events.push_back(status == TEventStatus::OK ? "commit ok" : "commit error: " + error);
        };
    }
    std::vector<std::string> Events;
};

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EOleException& error) {
        return error.Message();
    }
    return "no error";
}

} // namespace

TEST_F(SqlConnection, NotifiesConnectAndDisconnectInOrder)
{
    TADOConnection connection;
    TEventLog log(connection);
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    connection.Open();
    connection.Open();
    EXPECT_THROW(connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxReadOnly")),
                 EOleException);
    connection.Close();
    connection.Close();
    EXPECT_EQ(log.Events, (std::vector<std::string>{"connect-complete ok", "after-connect",
                                                    "before-disconnect", "disconnect"}));
}

TEST_F(SqlConnection, FailedConnectReportsTheServersTextUnchanged)
{
    struct TCase {
        std::string ConnectionString;
        std::string Error;
    };
    const TCase cases[] = {
        {sim.ConnectionString("TaxSoft", "TaxMaster") + "Password=wrong;",
         "Login failed for user 'TaxSoft'."},
        {sim.ConnectionString("Nobody", "TaxMaster"), "Login failed for user 'Nobody'."},
        {sim.ConnectionString("TaxSoft", "TaxData9"),
         "Cannot open database \"TaxData9\" requested by the login. The login failed."},
        {sim.ConnectionString("TaxSoft", "TaxMaster") + "Data Source=ELSEWHERE;",
         "SQL Server does not exist or access denied."},
    };
    for (const auto& test : cases) {
        TADOConnection connection;
        TEventLog log(connection);
        connection.SetConnectionString(test.ConnectionString);
        const std::string error = ErrorOf([&] { connection.Open(); });
        EXPECT_EQ(error, test.Error);
        EXPECT_EQ(log.Events, std::vector<std::string>{"connect-complete error: " + test.Error});
        EXPECT_FALSE(connection.Connected());
    }
}

TEST_F(SqlConnection, WillExecuteMayRewriteTheCommand)
{
    TADOConnection connection;
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    connection.OnWillExecute = [](TADOConnection&, std::string& text) {
        text = " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED\r\n" + text;
    };
    auto rows = connection.ExecuteRecordset("SELECT COUNT(*) FROM KQ22");
    EXPECT_EQ(rows->Fields(0).AsInteger(), 2);
    EXPECT_EQ(sim->Statements().back().Text,
              " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED\r\nSELECT COUNT(*) FROM KQ22");
}

TEST_F(SqlConnection, ErrorsAndInformationalMessages)
{
    TADOConnection connection;
    connection.SetConnectionString(sim.ConnectionString("TaxHard", "master"));
    EXPECT_EQ(connection.Execute("PRINT 'Hello'\r\nUSE TaxData1\r\nPRINT 'Done'"), -1);
    EXPECT_EQ(ErrorOf([&] { connection.Execute("SELECT * FROM NoSuchTable"); }),
              "Invalid object name 'NoSuchTable'.");
    EXPECT_EQ(ErrorOf([&] { connection.Execute("SELECT NoSuchColumn FROM KQ01"); }),
              "Invalid column name 'NoSuchColumn'.");
    EXPECT_EQ(ErrorOf([&] { connection.Execute("USE TaxData9"); }),
              "Database 'TaxData9' does not exist. Make sure that the name is entered correctly.");
    EXPECT_EQ(ErrorOf([&] { connection.Execute("GO"); }), "Incorrect syntax near 'GO'.");
    EXPECT_EQ(ErrorOf([&] { connection.Execute("SELECT 'open"); }),
              "Unclosed quotation mark after the character string 'open'.");
    EXPECT_TRUE(connection.Connected());
}

TEST_F(SqlConnection, AsynchronousOpenCompletesOnlyUnderTheMessagePump)
{
    RunPostedWork();
    TADOConnection connection;
    TEventLog log(connection);
    connection.ConnectOptions = TConnectOption::Asynchronous;
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    sim->SetConnectDelay(100);
    connection.Open();
    EXPECT_TRUE(connection.Connecting());
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_FALSE(connection.Connected());
    EXPECT_TRUE(log.Events.empty());
    ASSERT_TRUE(test::PumpUntil([&] { return connection.Connected(); }));
    EXPECT_EQ(log.Events, (std::vector<std::string>{"connect-complete ok", "after-connect"}));

    TADOConnection refused;
    TEventLog refusedLog(refused);
    refused.ConnectOptions = TConnectOption::Asynchronous;
    refused.SetConnectionString(sim.ConnectionString("TaxSoft", "master") + "Password=x;");
    refused.Open();
    ASSERT_TRUE(test::PumpUntil([&] { return !refusedLog.Events.empty(); }));
    EXPECT_EQ(refusedLog.Events,
              std::vector<std::string>{"connect-complete error: Login failed for user 'TaxSoft'."});
    EXPECT_FALSE(refused.Connected());
    EXPECT_FALSE(refused.Connecting());
}

TEST_F(SqlConnection, ExecutingWaitsForAPendingConnect)
{
    TADOConnection connection;
    TEventLog log(connection);
    connection.ConnectOptions = TConnectOption::Asynchronous;
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    sim->SetConnectDelay(200);
    connection.Open();
    EXPECT_EQ(connection.ExecuteRecordset("SELECT COUNT(*) FROM KQ22")->Fields(0).AsInteger(), 2);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"connect-complete ok", "after-connect"}));
    RunPostedWork();
    EXPECT_EQ(log.Events.size(), 2u);
}

TEST_F(SqlConnection, AbandonedPendingConnectFinishesHarmlessly)
{
    sim->SetState(sim::TServerState::Silent);
    bool notified = false;
    {
        auto connection = std::make_unique<TADOConnection>();
        connection->ConnectOptions = TConnectOption::Asynchronous;
        connection->SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
        connection->OnConnectComplete = [&](TADOConnection&, TEventStatus, const std::string&) {
            notified = true;
        };
        connection->Open();
        TADOConnection closedWhilePending;
        closedWhilePending.ConnectOptions = TConnectOption::Asynchronous;
        closedWhilePending.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
        closedWhilePending.OnConnectComplete = connection->OnConnectComplete;
        closedWhilePending.Open();
        closedWhilePending.Close();
        EXPECT_FALSE(closedWhilePending.Connecting());
    }
    sim->SetState(sim::TServerState::Running);
    const int connects = 2;
    ASSERT_TRUE(test::PumpUntil([&] {
        int seen = 0;
        for (const auto& entry : sim->Log()) seen += entry.Kind == "connect";
        return seen == connects;
    }));
    EXPECT_TRUE(test::PumpUntil([] { return RunPostedWork() == 0; }));
    EXPECT_FALSE(notified);
}

TEST_F(SqlConnection, ConnectionTimeoutEndsAnUnansweredConnect)
{
    sim->SetState(sim::TServerState::Silent);
    TADOConnection connection;
    connection.ConnectionTimeout = 1;
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    EXPECT_EQ(ErrorOf([&] { connection.Open(); }), "Login timeout expired");
}

TEST_F(SqlConnection, TransactionsNotifyAndCloseRollsBack)
{
    TADOConnection connection;
    TEventLog log(connection);
    connection.SetConnectionString(sim.ConnectionString("TaxSoft", "TaxMaster"));
    connection.IsolationLevel = TIsolationLevel::Serializable;
    EXPECT_FALSE(connection.InTransaction());
    EXPECT_EQ(connection.BeginTrans(), 1);
    EXPECT_TRUE(connection.InTransaction());
    EXPECT_THROW(connection.BeginTrans(), EOleException);
    connection.Execute("INSERT INTO MasterSettings VALUES ('Kept', '1')");
    connection.CommitTrans();
    EXPECT_FALSE(connection.InTransaction());
    connection.BeginTrans();
    connection.Execute("INSERT INTO MasterSettings VALUES ('Dropped', '1')");
    connection.Close();
    EXPECT_EQ(
        sim.Scalar("TaxMaster", "SELECT COUNT(*) FROM MasterSettings WHERE Name IN ('Kept', 'Dropped')"),
        "1");
    EXPECT_EQ(log.Events,
              (std::vector<std::string>{"connect-complete ok", "after-connect", "begin-transaction 1 ok",
                                        "begin-transaction 1 error", "commit ok", "begin-transaction 1 ok",
                                        "before-disconnect", "disconnect"}));
    EXPECT_THROW(connection.CommitTrans(), EOleException);
}
