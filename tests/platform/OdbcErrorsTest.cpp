#include "platform/sql/odbc/OdbcErrors.h"

#include <gtest/gtest.h>

using namespace tarnwick::sql::odbc;

TEST(OdbcErrors, CleaningStripsOnlyTheLeadingOriginPrefixes)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"[unixODBC][FreeTDS][SQL Server]Login failed for user 'TaxSoft'.",
         "Login failed for user 'TaxSoft'."},
        {"[unixODBC][Driver Manager]Can't open lib 'x' : file not found",
         "Can't open lib 'x' : file not found"},
        {"[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]Invalid object name 'KQ22'.",
         "Invalid object name 'KQ22'."},
        {"Invalid column name 'x' [in KQ22].", "Invalid column name 'x' [in KQ22]."},
        {"[dbo].[KQ22] is not a table.", "[dbo].[KQ22] is not a table."},
        {"[FreeTDS]", ""},
        {"[unterminated prefix", "[unterminated prefix"},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanOdbcMessage(c.text), c.expected) << c.text;
}

TEST(OdbcErrors, ConnectionFailuresAreClass08OrTheLinkFailureFamily)
{
    EXPECT_TRUE(IsConnectionFailure("08S01", "anything"));
    EXPECT_TRUE(IsConnectionFailure("08001", "Unable to connect to data source"));
    EXPECT_TRUE(IsConnectionFailure("HY000", "Write to the server failed"));
    EXPECT_TRUE(IsConnectionFailure("HY000", "communication link failure"));
    EXPECT_FALSE(IsConnectionFailure("28000", "Login failed for user 'TaxSoft'."));
    EXPECT_FALSE(IsConnectionFailure("HYT00", "Timeout expired"));
    EXPECT_FALSE(IsConnectionFailure("42S02", "Invalid object name 'x'."));
}

TEST(OdbcErrors, MessageIsTheFirstErrorCleaned)
{
    EXPECT_EQ(OdbcErrorMessage({{"01000", "[FreeTDS][SQL Server]printed text"},
                                {"42S02", "[FreeTDS][SQL Server]Invalid object name 'KQ99'."},
                                {"42000", "[FreeTDS][SQL Server]Statement(s) could not be prepared."}}),
              "Invalid object name 'KQ99'.");
    EXPECT_EQ(OdbcErrorMessage({{"28000", "[FreeTDS][SQL Server]Login failed for user 'TaxSoft'."},
                                {"08001", "[FreeTDS][SQL Server]Unable to connect to data source"}}),
              "Login failed for user 'TaxSoft'.");
    // Only informational records: the first one is all there is to say.
    EXPECT_EQ(
        OdbcErrorMessage({{"01000", "[unixODBC][Driver Manager]Can't open lib 'NoSuch' : file not found"}}),
        "Can't open lib 'NoSuch' : file not found");
    EXPECT_EQ(OdbcErrorMessage({}), "Unspecified error");
    EXPECT_EQ(OdbcErrorMessage({{"HY000", "[FreeTDS]"}}), "Unspecified error");
}

TEST(OdbcErrors, ConnectionFailuresLeadWithTheTextTheHandlerRecognises)
{
    EXPECT_EQ(OdbcErrorMessage({{"08S01", "[FreeTDS][SQL Server]Communication link failure"}}),
              "Connection failure: Communication link failure");
    EXPECT_EQ(OdbcErrorMessage(
                  {{"08S01", "[FreeTDS][SQL Server]Unable to connect: Adaptive Server is unavailable or "
                             "does not exist"},
                   {"08001", "[FreeTDS][SQL Server]Unable to connect to data source"}}),
              "Connection failure: Unable to connect: Adaptive Server is unavailable or does not exist");
    EXPECT_EQ(OdbcErrorMessage({{"HY000", "[FreeTDS][SQL Server]Read from the server failed"}}),
              "Connection failure: Read from the server failed");
    // Already recognisable texts are not prefixed twice.
    EXPECT_EQ(
        OdbcErrorMessage({{"08S01", "[DBNETLIB]General network error. Check your network documentation."}}),
        "General network error. Check your network documentation.");
    EXPECT_EQ(OdbcErrorMessage({{"08S01", "Connection failure"}}), "Connection failure");
}
