#include "support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

struct TRun {
    int ExitCode = -1;
    std::string Output;
};

// Runs the simulator's shell with a simulator root and returns its exit code and output
// (standard error included).
TRun SqlSim(const tarnwick::test::TempFolder& root, const std::string& arguments)
{
    const char* bin = std::getenv("TARNWICK_TEST_BIN");
    const std::string program = std::string(bin ? bin : ".") + "/tools/sqlsim/sqlsim";
    const std::string command =
        "'" + program + "' --root '" + root.Path().string() + "' " + arguments + " 2>&1";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe))
        run.Output.append(buffer, read);
    const int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(SimTool, SeedsAServerAndPrintsResultSetsAsCsv)
{
    tarnwick::test::TempFolder root;
    ASSERT_EQ(SqlSim(root, "create 'SRV01\\TAX' --datasets 2").ExitCode, 0);

    const TRun seeded =
        SqlSim(root, "run 'SRV01\\TAX' --login TaxSoft --database TaxData2 -e "
                     "\"INSERT INTO KQ01 (ClientCode, ClientName) VALUES ('ABC', 'Smith, \\\"J\\\" & Co')\"");
    EXPECT_EQ(seeded.ExitCode, 0) << seeded.Output;
    EXPECT_EQ(seeded.Output, "");

    const TRun listed =
        SqlSim(root, "run 'srv01\\tax' --database TaxMaster -e \"SELECT DataNumber, Description FROM KQ22 "
                     "SELECT ClientCode, ClientName FROM TaxData2.dbo.KQ01\"");
    EXPECT_EQ(listed.ExitCode, 0);
    EXPECT_EQ(listed.Output, "DataNumber,Description\n1,Dataset1\n2,Dataset2\n\n"
                             "ClientCode,ClientName\nABC,\"Smith, \"\"J\"\" & Co\"\n");
}

TEST(SimTool, ReportsErrorsWithTheServersTextAndFails)
{
    tarnwick::test::TempFolder root;
    ASSERT_EQ(SqlSim(root, "create SRV01").ExitCode, 0);
    const TRun missing = SqlSim(root, "run SRV01 --database TaxMaster -e 'SELECT * FROM KQ99'");
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_EQ(missing.Output, "Invalid object name 'KQ99'.\n");
    const TRun login = SqlSim(root, "run SRV01 --login TaxSoft --password wrong -e 'SELECT 1'");
    EXPECT_EQ(login.ExitCode, 1);
    EXPECT_EQ(login.Output, "Login failed for user 'TaxSoft'.\n");
    ASSERT_EQ(SqlSim(root, "state SRV01 paused").ExitCode, 0);
    const TRun paused = SqlSim(root, "run SRV01 -e 'SELECT 1'");
    EXPECT_EQ(paused.ExitCode, 1);
    EXPECT_NE(paused.Output.find("paused"), std::string::npos);
    EXPECT_EQ(SqlSim(root, "run NOSERVER -e 'SELECT 1'").Output,
              "SQL Server does not exist or access denied.\n");
}
