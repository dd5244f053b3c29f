#include "platform/sql/sim/SuiteSchema.h"

#include "platform/core/Format.h"
#include "platform/core/Strings.h"

namespace tarnwick::sql::sim {

namespace {

constexpr const char* SettingsTable =
    "(Name VARCHAR(100) COLLATE NOCASE, Value VARCHAR(2000) COLLATE NOCASE)";

const char* TaxMasterTables[] = {
    "CREATE TABLE MasterSettings ",
    "CREATE TABLE KQ22 (DataNumber INTEGER PRIMARY KEY AUTOINCREMENT, Description VARCHAR(100) COLLATE "
    "NOCASE, "
    "CreateDate DATETIME COLLATE SIMDATE, CreateStaff INT, ModifyDate DATETIME COLLATE SIMDATE, ModifyStaff "
    "INT, "
    "ELSTraderID VARCHAR(50) COLLATE NOCASE, ELSAgentID VARCHAR(50) COLLATE NOCASE, "
    "ELSTEMPath VARCHAR(255) COLLATE NOCASE, ELSTaxOutPath VARCHAR(255) COLLATE NOCASE, "
    "ELSSubmitAllDataSets BIT NOT NULL DEFAULT 0, ELSSetupNumber INT, "
    "Sys1Count INT DEFAULT 0, Sys2Count INT DEFAULT 0, Sys3Count INT DEFAULT 0, Sys4Count INT DEFAULT 0, "
    "Sys5Count INT DEFAULT 0, Sys6Count INT DEFAULT 0, Sys7Count INT DEFAULT 0, Sys8Count INT DEFAULT 0, "
    "Sys9Count INT DEFAULT 0, Sys10Count INT DEFAULT 0, Sys11Count INT DEFAULT 0, Sys12Count INT DEFAULT 0, "
    "Sys13Count INT DEFAULT 0, Sys14Count INT DEFAULT 0, Sys15Count INT DEFAULT 0, Sys16Count INT DEFAULT 0, "
    "Sys17Count INT DEFAULT 0, Sys18Count INT DEFAULT 0, Sys19Count INT DEFAULT 0, Sys20Count INT DEFAULT 0, "
    "UseDefaultDetails BIT NOT NULL DEFAULT 0, ClientNumber INT, PracticeName VARCHAR(100) COLLATE NOCASE, "
    "RefreshDate DATETIME COLLATE SIMDATE)",
    "CREATE TABLE UniqueIDs (TableName VARCHAR(50) COLLATE NOCASE, FieldName VARCHAR(50) COLLATE NOCASE, "
    "IDValue INT, PRIMARY KEY (TableName, FieldName))",
    "CREATE TABLE AppsInUse (Computer VARCHAR(50) COLLATE NOCASE, Handle INT, User VARCHAR(50) COLLATE "
    "NOCASE, "
    "Application VARCHAR(100) COLLATE NOCASE, LoginTime DATETIME COLLATE SIMDATE, PRIMARY KEY (Computer, "
    "Handle))",
    "CREATE TABLE ApplicationVersions (FileName VARCHAR(100) PRIMARY KEY COLLATE NOCASE, "
    "FileVersion VARCHAR(50) COLLATE NOCASE)",
};

const char* TaxReadOnlyTables[] = {
    "CREATE TABLE DatabaseSettings ",
    "CREATE TABLE DefaultReturns (TaxYear INT, ReturnType VARCHAR(20) COLLATE NOCASE, Schematron IMAGE, "
    "CalcGuideScript IMAGE, PRIMARY KEY (TaxYear, ReturnType))",
};

const char* TaxSecuritiesTables[] = {
    "CREATE TABLE DatasetSettings ",
};

const char* DatasetTables[] = {
    "CREATE TABLE DatasetSettings ",
    "CREATE TABLE KQ01 (ClientNumber INTEGER PRIMARY KEY AUTOINCREMENT, ClientCode VARCHAR(20) COLLATE "
    "NOCASE, "
    "ClientName VARCHAR(100) COLLATE NOCASE)",
    "CREATE TABLE KQ06 (AutoNumber INTEGER PRIMARY KEY AUTOINCREMENT, ClientNumber INT, StartYear INT, "
    "DataType INT, HString1 VARCHAR(255) COLLATE NOCASE)",
    "CREATE TABLE KQ07 (AutoNumber INTEGER PRIMARY KEY AUTOINCREMENT, ClientNumber INT, PeriodId INT, "
    "DataType INT, Memo1 TEXT, ReadyForProcessing BIT NOT NULL DEFAULT 0)",
    "CREATE TABLE KQ20 (EffectiveDate DATETIME COLLATE SIMDATE, DescNumber INT, DescType INT, DescSubType "
    "INT, "
    "DescText VARCHAR(255) COLLATE NOCASE, ReadOnly BIT NOT NULL DEFAULT 0, DefaultAmount MONEY, "
    "ParentType INT, ParentSubType INT, AppliesTo VARCHAR(50) COLLATE NOCASE, Indicator1 BIT NOT NULL "
    "DEFAULT 0, "
    "PRIMARY KEY (EffectiveDate, DescNumber))",
    "CREATE TABLE TaxReturns (ReturnNumber INTEGER PRIMARY KEY AUTOINCREMENT, ClientNumber INT, TaxYear INT, "
    "ReturnData IMAGE)",
    "CREATE TABLE ClientSupplementaryData (ClientNumber INT, TaxYear INT, Content IMAGE, "
    "PRIMARY KEY (ClientNumber, TaxYear))",
};

template <std::size_t N>
void CreateDatabase(const TSimServer& server, const std::string& name, const char* const (&tables)[N])
{
    server.CreateDatabase(name);
    std::string sql;
    for (const char* table : tables) {
        std::string statement = table;
        if (statement.back() == ' ') statement += SettingsTable;
        sql += statement + ";\r\n";
    }
    server.Execute(name, sql);
}

} // namespace

void CreateSuiteDataset(const TSimServer& server, int number)
{
    CreateDatabase(server, Format("TaxData%d", {number}), DatasetTables);
    RegisterSuiteDataset(server, number);
}

void RegisterSuiteDataset(const TSimServer& server, int number)
{
    server.Execute("TaxMaster", Format("INSERT INTO KQ22 (DataNumber, Description) VALUES (%d, 'Dataset%d')",
                                       {number, number}));
}

void SetSuiteSettings(const TSimServer& server, const std::string& database, const std::string& table,
                      const std::vector<std::pair<std::string, std::string>>& settings)
{
    std::string sql;
    for (const auto& [name, value] : settings) {
        sql += Format("DELETE FROM %s WHERE Name=%s\r\n", {table, QuotedStr(name)});
        sql += Format("INSERT INTO %s (Name, Value) VALUES (%s, %s)\r\n",
                      {table, QuotedStr(name), QuotedStr(value)});
    }
    if (!sql.empty()) server.Execute(database, sql);
}

TSimServer CreateSuiteServer(const std::string& dataSource, int datasets, const std::filesystem::path& root)
{
    TSimServer server(dataSource, root);
    server.Create();
    CreateDatabase(server, "TaxMaster", TaxMasterTables);
    CreateDatabase(server, "TaxReadOnly", TaxReadOnlyTables);
    CreateDatabase(server, "TaxSecurities", TaxSecuritiesTables);
    for (int number = 1; number <= datasets; ++number) CreateSuiteDataset(server, number);
    return server;
}

} // namespace tarnwick::sql::sim
