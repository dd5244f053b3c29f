#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/Connection.h"
#include "platform/sql/sim/SimRoot.h"
#include "support/SimulatedServer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::sql;
using sim::TServerState;

namespace {

class SimControls : public ::testing::Test {
protected:
    std::string ErrorOf(const std::string& login, const std::string& database, const std::string& sql)
    {
        try {
            TADOConnection connection;
            connection.SetConnectionString(server.ConnectionString(login, database));
            connection.Execute(sql);
        } catch (const EOleException& error) {
            return error.Message();
        }
        return "no error";
    }

    std::vector<std::string> Column(const std::string& login, const std::string& database,
                                    const std::string& sql)
    {
        TADOConnection connection;
        connection.SetConnectionString(server.ConnectionString(login, database));
        std::vector<std::string> values;
        for (auto rows = connection.ExecuteRecordset(sql); !rows->Eof(); rows->MoveNext())
            values.push_back(rows->Fields(0).AsString());
        return values;
    }

    test::SimulatedServer server;
};

} // namespace

TEST_F(SimControls, ServerStatesRefuseNewConnectionsWithServerTexts)
{
    TADOConnection open;
    open.SetConnectionString(server.ConnectionString("TaxSoft", "TaxMaster"));
    open.Open();

    server->SetState(TServerState::Paused);
    const std::string paused = ErrorOf("TaxSoft", "master", "SELECT 1");
    EXPECT_TRUE(StartsText("SQL Server service has been paused.", paused)) << paused;
    EXPECT_NE(paused.find("paused"), std::string::npos);
    EXPECT_EQ(open.Execute("UPDATE KQ22 SET Description = Description"), 2);

    server->SetState(TServerState::Stopped);
    EXPECT_EQ(ErrorOf("TaxSoft", "master", "SELECT 1"), "SQL Server does not exist or access denied.");
    try {
        open.Execute("SELECT 1");
        FAIL() << "a stopped server answered";
    } catch (const EOleException& error) {
        EXPECT_EQ(error.Message(), "General network error. Check your network documentation.");
    }

    server->SetState(TServerState::Running);
    server->RefuseLogin("TaxAdmin");
    EXPECT_EQ(ErrorOf("TaxAdmin", "master", "SELECT 1"), "Login failed for user 'TaxAdmin'.");
    EXPECT_EQ(ErrorOf("TaxSoft", "master", "SELECT 1"), "no error");

    const auto log = server->Log();
    const auto refused = std::count_if(log.begin(), log.end(), [](const sim::TSimLogEntry& entry) {
        return entry.Kind == "connect" && !entry.Text.empty();
    });
    EXPECT_EQ(refused, 3);
}

TEST_F(SimControls, ChosenStatementsFailWithChosenTexts)
{
    server->FailStatement("FROM KQ22", "Deadlock chosen as victim.", 1);
    server->FailStatement("DefaultReturns", "Disk full.");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "select DataNumber from kq22"), "Deadlock chosen as victim.");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "select DataNumber from kq22"), "no error");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxReadOnly", "SELECT * FROM DefaultReturns"), "Disk full.");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxReadOnly", "SELECT * FROM DefaultReturns"), "Disk full.");
    server->ClearFailures();
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxReadOnly", "SELECT * FROM DefaultReturns"), "no error");
}

TEST_F(SimControls, LiveApplicationsHoldTheirAppsInUseRows)
{
    server->Execute(
        "TaxMaster",
        "INSERT INTO AppsInUse (Computer, Handle, User, Application) VALUES ('PC1', 1, 'a', 'Tax');"
        "INSERT INTO AppsInUse (Computer, Handle, User, Application) VALUES ('PC1', 2, 'b', 'Tax');"
        "INSERT INTO AppsInUse (Computer, Handle, User, Application) VALUES ('PC''3', 3, 'c', 'Tax')");
    server->HoldAppsInUseLock("PC1", 1);
    server->HoldAppsInUseLock("PC'3", 3, getpid());
    server->HoldAppsInUseLock("PC1", 2, 999999);

    EXPECT_EQ(Column("TaxSoft", "TaxMaster", "SELECT User FROM AppsInUse WITH (READUNCOMMITTED)"),
              (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "SELECT User FROM AppsInUse"), "Query timeout expired");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "DELETE FROM AppsInUse WHERE Computer='PC1' AND Handle=1"),
              "Query timeout expired");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "DELETE FROM AppsInUse WHERE Computer='PC''3' AND Handle=3"),
              "Query timeout expired");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "DELETE FROM AppsInUse WHERE Computer='PC1' AND Handle=2"),
              "no error");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "UPDATE AppsInUse SET User = 'z'"), "Query timeout expired");
    server->ReleaseRowLocks();
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "DELETE FROM AppsInUse"), "no error");
}

TEST_F(SimControls, ProcessListShowsDirectAndOwnConnections)
{
    server->AddDirectConnection({"KLT Taxation Direct Connection", "  WS1", "TaxData2", "sa"});
    TADOConnection own;
    own.SetConnectionString(server.ConnectionString("TaxSoft", "TaxData1", "Tarnwick"));
    own.Open();
    const auto rows = Column("TaxAdmin", "master",
                             "SELECT hostname FROM master.dbo.sysprocesses WHERE program_name = "
                             "'KLT Taxation Direct Connection'");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "  WS1" + std::string(123, ' '));
    EXPECT_EQ(Column("TaxAdmin", "master",
                     "SELECT sd.name FROM master.dbo.sysprocesses sp JOIN master.dbo.sysdatabases sd ON "
                     "sp.dbid = sd.dbid WHERE sp.program_name = 'Tarnwick'"),
              std::vector<std::string>{"TaxData1"});
    EXPECT_EQ(Column("TaxAdmin", "master",
                     "SELECT loginame FROM master.dbo.sysprocesses WHERE program_name = 'Tarnwick'"),
              std::vector<std::string>{"TaxSoft" + std::string(121, ' ')});
}

TEST_F(SimControls, ServerFactsFollowTheirSettings)
{
    server->SetDrives({{'C', 500}, {'e', 123456}});
    EXPECT_EQ(Column("TaxAdmin", "master", "exec master.dbo.xp_fixeddrives"),
              (std::vector<std::string>{"C", "E"}));
    server->SetFileSizes("TaxData1", 4096, 512);
    EXPECT_EQ(Column("TaxSoft", "TaxMaster", "exec TaxData1..sp_helpfile"),
              (std::vector<std::string>{"TaxData1", "TaxData1_log"}));
    TADOConnection admin;
    admin.SetConnectionString(server.ConnectionString("TaxAdmin", "master"));
    auto files = admin.ExecuteRecordset("exec TaxData1..sp_helpfile");
    EXPECT_EQ(files->Fields("size").AsString(), "4096 KB");
    files->MoveNext();
    EXPECT_EQ(files->Fields("size").AsString(), "512 KB");

    server->MakeFolder("E:\\Backups\\Tax Suite");
    std::filesystem::create_directories(server->DiskPath("E:\\Backups\\Other"));
    const std::string listing = "xp_cmdshell 'dir \"E:\\BACKUPS\\\" /A:D /B /L'";
    const std::string blocked = ErrorOf("TaxAdmin", "master", listing);
    EXPECT_TRUE(StartsText("SQL Server blocked access to procedure 'sys.xp_cmdshell'", blocked)) << blocked;
    EXPECT_EQ(ErrorOf("TaxAdmin", "master", "EXEC sp_configure 'xp_cmdshell',1"),
              "The configuration option 'xp_cmdshell' does not exist, or it may be an advanced option.");
    admin.Execute("EXEC sp_configure 'show advanced options',1; RECONFIGURE");
    admin.Execute("EXEC sp_configure 'xp_cmdshell',1; RECONFIGURE");
    EXPECT_EQ(Column("TaxAdmin", "master", listing), (std::vector<std::string>{"other", "tax suite", ""}));
    EXPECT_EQ(
        ErrorOf("TaxSoft", "master", listing),
        "The EXECUTE permission was denied on the object 'xp_cmdshell', database 'mssqlsystemresource', "
        "schema 'sys'.");
    EXPECT_EQ(ErrorOf("TaxSoft", "master", "EXEC sp_configure 'xp_cmdshell',0"),
              "User does not have permission to perform this action.");
    EXPECT_EQ(ErrorOf("TaxSoft", "master", "RECONFIGURE"),
              "You do not have permission to run the RECONFIGURE statement.");

    EXPECT_EQ(
        ErrorOf("TaxAdmin", "master", "RESTORE HEADERONLY FROM DISK='E:\\Backups\\none.bak'"),
        "Cannot open backup device 'E:\\Backups\\none.bak'. Operating system error 2(The system cannot find "
        "the file specified.).");
    std::ofstream(server->DiskPath("E:\\Backups\\junk.bak")) << "not a backup";
    EXPECT_EQ(
        ErrorOf("TaxAdmin", "master", "RESTORE HEADERONLY FROM DISK='E:\\Backups\\junk.bak'"),
        "The media family on device 'E:\\Backups\\junk.bak' is incorrectly formed. SQL Server cannot process "
        "this media family.");
    admin.Execute("BACKUP DATABASE [TaxMaster] TO DISK = 'E:\\Backups\\suite.bak' WITH INIT");
    admin.Execute("BACKUP DATABASE TaxData1 TO DISK = 'E:\\Backups\\suite.bak'");
    EXPECT_EQ(Column("TaxAdmin", "master", "RESTORE HEADERONLY FROM DISK = N'E:\\Backups\\suite.bak'"),
              (std::vector<std::string>{"TaxMaster-Full Database Backup", "TaxData1-Full Database Backup"}));

    admin.Execute("ALTER DATABASE [TaxSecurities] SET READ_ONLY WITH NO_WAIT");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxSecurities", "INSERT INTO DatasetSettings VALUES ('a', 'b')"),
              "Failed to update database \"TaxSecurities\" because the database is read-only.");
    EXPECT_EQ(ErrorOf("TaxSoft", "TaxMaster", "DELETE FROM TaxSecurities.dbo.DatasetSettings"),
              "Failed to update database \"TaxSecurities\" because the database is read-only.");
    EXPECT_EQ(ErrorOf("TaxSoft", "master", "ALTER DATABASE [TaxSecurities] SET READ_WRITE"),
              "User does not have permission to alter database 'TaxSecurities', the database does not exist, "
              "or the "
              "database is not in a state that allows access checks.");
}

TEST_F(SimControls, LocalNamesFindTheServerOfThisComputer)
{
    test::SimulatedServer local(1, sim::LocalComputerName() + "\\TAX");
    TADOConnection connection;
    connection.SetConnectionString(local.ConnectionString("TaxSoft", "TaxMaster") +
                                   "Data Source=localhost\\tax;");
    EXPECT_EQ(connection.ExecuteRecordset("SELECT SERVERPROPERTY('ServerName')")->Fields(0).AsString(),
              sim::LocalComputerName() + "\\TAX");
}
