#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/sql/Connection.h"
#include "platform/sql/Query.h"
#include "platform/sql/ValueConversion.h"
#include "support/SimulatedServer.h"

#include <gtest/gtest.h>

using namespace tarnwick;
using namespace tarnwick::sql;

namespace {

std::string Hex(std::uint8_t byte)
{
    const char* digits = "0123456789ABCDEF";
    return {digits[byte >> 4], digits[byte & 15]};
}

// A result as text: the column names, then one line per row; NULL as NULL, bytes in hex,
// trailing blanks of text dropped. Works on recordsets and on open queries.
template <typename TRows, typename TNext> std::string Render(TRows& rows, TNext next)
{
    std::string text;
    for (std::size_t c = 0; c < rows.FieldCount(); ++c) text += (c ? "," : "") + rows.Fields(c).FieldName();
    for (; !rows.Eof(); next()) {
        text += "\n";
        for (std::size_t c = 0; c < rows.FieldCount(); ++c) {
            TField& field = rows.Fields(c);
            std::string value;
            if (field.IsNull())
                value = "NULL";
            else if (field.DataType() == TDataType::Bytes) {
                value = "0x";
                for (auto byte : field.AsBytes()) value += Hex(byte);
            } else if (field.DataType() == TDataType::DateTime)
                value = IsoDateTimeText(field.AsDateTime());
            else
                value = TrimRight(field.AsString());
            text += (c ? "," : "") + value;
        }
    }
    return text;
}

// How the system sends a statement: as a command returning a recordset, as a command
// without records, or through a query object with parameter parsing on.
enum class TVia { Recordset, Command, Query };

struct TNamedParameter {
    const char* Name;
    TParamType Type; // Text, Integer, LargeText or Bytes, as the query's parameters take them
    TValue Value;
};

struct TStatementCase {
    const char* Login;
    const char* Database;
    std::string Sql;
    // The rendered first result set, "affected <n>" for a batch run without records, or
    // "error: <message>".
    std::string Expected;
    TVia Via = TVia::Recordset;
    std::vector<TNamedParameter> Parameters = {};
};

// The columns of KQ22 in table order, and a catalogue row as CreateSuiteDataset leaves it.
std::string Kq22Columns()
{
    std::string text = "DataNumber,Description,CreateDate,CreateStaff,ModifyDate,ModifyStaff,ELSTraderID,"
                       "ELSAgentID,ELSTEMPath,ELSTaxOutPath,ELSSubmitAllDataSets,ELSSetupNumber";
    for (int i = 1; i <= 20; ++i) text += ",Sys" + IntToStr(i) + "Count";
    return text + ",UseDefaultDetails,ClientNumber,PracticeName,RefreshDate";
}

std::string Kq22Row(int number)
{
    std::string text = IntToStr(number) + ",Dataset" + IntToStr(number) +
                       ",NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,False,NULL";
    for (int i = 1; i <= 20; ++i) text += ",0";
    return text + ",False,NULL,NULL,NULL";
}

void SetParameter(TQueryParameter& parameter, const TNamedParameter& value)
{
    switch (value.Type) {
    case TParamType::Integer:
        parameter.SetAsInteger(std::get<long long>(value.Value));
        break;
    case TParamType::LargeText:
        parameter.SetAsMemo(std::get<std::string>(value.Value));
        break;
    case TParamType::Bytes:
        parameter.SetAsBlob(std::get<TBytes>(value.Value));
        break;
    default:
        parameter.SetAsString(std::get<std::string>(value.Value));
        break;
    }
}

const std::string MemoWithEuro =
    "<CG><Disposals><Disposal id=\"D1\">\xE2\x82\xAC 5</Disposal></Disposals></CG>";

class SimStatements : public ::testing::Test {
protected:
    SimStatements()
    {
        sim->Execute("TaxMaster",
                     "INSERT INTO MasterSettings (Name, Value) VALUES ('Version', '28.1.0');"
                     "INSERT INTO MasterSettings (Name, Value) VALUES ('SpecialVersion', 'Hotfix 3');"
                     "INSERT INTO MasterSettings (Name, Value) VALUES ('FullVersion', '28.1.16.9999');"
                     "INSERT INTO MasterSettings (Name, Value) VALUES ('O''Brien', 'quoted');"
                     "INSERT INTO MasterSettings (Name, Value) VALUES ('ZBkUpCfg:SQLDestDir', 'D:\\Backups');"
                     "INSERT INTO MasterSettings (Name, Value) VALUES ('ZBkUpActionLatestBkUp:File', "
                     "'D:\\Backups\\TaxMaster.bak');"
                     "INSERT INTO ApplicationVersions VALUES ('Tarnwick.exe', '28.1.0.57');"
                     "INSERT INTO AppsInUse (Computer, Handle, User, Application) VALUES "
                     "('PC1', 5, 'anne', 'Tax');"
                     "INSERT INTO AppsInUse (Computer, Handle, User, Application) VALUES "
                     "('PC''2', 6, 'bob', 'Tax')");
        sim->Execute("TaxReadOnly", "INSERT INTO DatabaseSettings VALUES ('TaxReadOnlyVersion', '5');"
                                    "INSERT INTO DefaultReturns VALUES (2025, 'SA100', 0x00, 0x00)");
        sim->Execute("TaxSecurities", "INSERT INTO DatasetSettings VALUES ('LastUpdated', '2025-01-01')");
        sim->Execute(
            "TaxData1",
            "INSERT INTO DatasetSettings VALUES ('Dataset', '1');"
            "INSERT INTO KQ01 (ClientNumber, ClientCode) VALUES (1, 'ABC001');"
            "INSERT INTO KQ06 (ClientNumber, StartYear, DataType, HString1) VALUES (1, 2019, 151, 'D1');"
            "INSERT INTO KQ07 (AutoNumber, ClientNumber, PeriodId, DataType, Memo1, ReadyForProcessing) "
            "VALUES (10, 1, 2019, 169, ?, 1);"
            "INSERT INTO KQ07 (AutoNumber, ClientNumber, PeriodId, DataType, Memo1, ReadyForProcessing) "
            "VALUES (11, 1, 2010, 169, ?, 1);"
            "INSERT INTO KQ07 (AutoNumber, ClientNumber, PeriodId, DataType, Memo1, ReadyForProcessing) "
            "VALUES (12, 1, 2012, 169, 'A?\x1A\xE2"
            "B?\x1D"
            "C', 1);"
            "INSERT INTO KQ20 (EffectiveDate, DescNumber, DescType, DescText) VALUES (?, 5, 1, 'Shares');"
            "INSERT INTO TaxReturns (ClientNumber, TaxYear, ReturnData) VALUES (1, 2018, 0x3C522F3E);"
            "INSERT INTO ClientSupplementaryData VALUES (307, 2018, 0x2026616D703B20)",
            {{TParamType::LargeText, MemoWithEuro},
             {TParamType::LargeText, MemoWithEuro},
             {TParamType::DateTime, TSqlDateTime{EncodeDate(2019, 4, 6)}}});
        sim->SetFileSizes("TaxMaster", 2048, 1024);
        sim->MakeFolder("C:\\Program Files\\Microsoft SQL Server\\MSSQL\\Backup\\");
        sim->WriteBackupFile("C:\\Program Files\\Microsoft SQL Server\\MSSQL\\Backup\\TaxMaster.bak",
                             "TaxMaster");
        sim->AddDirectConnection({"KLT Taxation Direct Connection", "WS1", "TaxData1", "sa"});
        sim->AddDirectConnection({"KLT Taxation Direct Connection", "WS1", "TaxMaster", "sa"});
        sim->AddDirectConnection({"KLT Taxation Direct Connection", "WS2", "TaxReadOnly", "sa"});
        sim->AddDirectConnection({"Other Program", "WS3", "TaxMaster", "sa"});
        sim->ClearLog();
    }

    std::string Run(const TStatementCase& statement)
    {
        TADOConnection connection;
        connection.SetConnectionString(sim.ConnectionString(statement.Login, statement.Database));
        const bool withoutRecords = StartsText("affected", statement.Expected);
        if (statement.Via == TVia::Query) {
            TADOQuery query(&connection);
            query.SetSQLText(statement.Sql);
            for (const auto& parameter : statement.Parameters)
                SetParameter(query.ParamByName(parameter.Name), parameter);
            if (withoutRecords) return "affected " + IntToStr(query.ExecSQL());
            query.Open();
            return Render(query, [&query] { query.Next(); });
        }
        if (withoutRecords || statement.Via == TVia::Command)
            return "affected " + IntToStr(connection.Execute(statement.Sql));
        auto rows = connection.ExecuteRecordset(statement.Sql);
        return rows->IsOpen() ? Render(*rows, [&rows] { rows->MoveNext(); }) : "closed";
    }

    test::SimulatedServer sim;
};

} // namespace

TEST_F(SimStatements, AnswersEveryStatementFormTheSystemSends)
{
    const std::string dataFolder = "C:\\Program Files\\Microsoft SQL Server\\MSSQL\\Data\\";
    const TStatementCase cases[] = {
        // Database module: dataset validation and the isolation directive.
        {"TaxSoft", "TaxMaster", "SELECT DataNumber FROM KQ22 WHERE DataNumber=1", "DataNumber\n1"},
        {"TaxSoft", "TaxMaster", "SELECT DataNumber FROM KQ22 WHERE DataNumber=9", "DataNumber"},
        {"TaxSoft", "TaxMaster", "SELECT Name FROM master.dbo.sysdatabases WHERE Name='TaxData1'",
         "Name\nTaxData1"},
        {"TaxSoft", "TaxMaster", "SELECT Name FROM master.dbo.sysdatabases WHERE Name='TaxData9'", "Name"},
        {"TaxSoft", "TaxMaster", "SELECT TOP 1 ClientNumber FROM TaxData1.dbo.KQ01", "ClientNumber\n1"},
        {"TaxSoft", "TaxMaster", "SELECT TOP 1 ClientNumber FROM TaxData2.dbo.KQ01", "ClientNumber"},
        {"TaxSoft", "TaxMaster", "SELECT TOP 1 ClientNumber FROM TaxData2.dbo.KQ01Old",
         "error: Invalid object name 'TaxData2.dbo.KQ01Old'."},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM [dbo].[Settings] WHERE Name='Version'",
         "error: Invalid object name 'dbo.Settings'."},
        {"TaxSoft", "TaxData1", "SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED", "closed"},
        {"TaxSoft", "TaxMaster", " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED", "closed"},
        {"TaxSoft", "TaxMaster",
         " SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED\r\nSELECT Value FROM MasterSettings WHERE "
         "Name='Version'",
         "Value\n28.1.0"},
        // Settings tables.
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='Version'", "Value\n28.1.0"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='VERSION'", "Value\n28.1.0"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='O''Brien'", "Value\nquoted"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='SpecialVersion'",
         "Value\nHotfix 3"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='FullVersion'",
         "Value\n28.1.16.9999"},
        {"TaxSoft", "TaxReadOnly", "SELECT Value FROM DatabaseSettings WHERE Name='TaxReadOnlyVersion'",
         "Value\n5"},
        {"TaxSoft", "TaxSecurities", "SELECT Value FROM DatasetSettings WHERE Name='LastUpdated'",
         "Value\n2025-01-01"},
        {"TaxSoft", "TaxData1", "SELECT Value FROM DatasetSettings WHERE Name='Dataset'", "Value\n1"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='ZBkUpCfg:SQLDestDir'",
         "Value\nD:\\Backups"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='ZBkUpActionLatestBkUp:File'",
         "Value\nD:\\Backups\\TaxMaster.bak"},
        {"TaxSoft", "TaxMaster", "SELECT Value FROM MasterSettings WHERE Name='ZBkUpActionLatestBkUp:Date'",
         "Value"},
        // Catalogues.
        {"TaxSoft", "TaxMaster", "Select * From KQ22", Kq22Columns() + "\n" + Kq22Row(1) + "\n" + Kq22Row(2),
         TVia::Query},
        {"TaxSoft", "TaxMaster", "Select * From KQ22 Where DataNumber = 2", Kq22Columns() + "\n" + Kq22Row(2),
         TVia::Query},
        {"TaxSoft", "TaxData1", "Select * From KQ20 Order By DescNumber,EffectiveDate",
         "EffectiveDate,DescNumber,DescType,DescSubType,DescText,ReadOnly,DefaultAmount,ParentType,"
         "ParentSubType,AppliesTo,Indicator1\n2019-04-06 "
         "00:00:00.000,5,1,NULL,Shares,False,NULL,NULL,NULL,NULL,"
         "False",
         TVia::Query},
        {"TaxSoft", "TaxData1",
         "Insert "
         "KQ20(EffectiveDate,DescNumber,DescType,DescSubType,DescText,ReadOnly,DefaultAmount,ParentType,"
         "ParentSubType,AppliesTo,Indicator1) Values('2020-04-06',6,1,2,'Bonds',0,    1.50,0,0,'All',1)",
         "affected 1"},
        {"TaxSoft", "TaxData1",
         "Update KQ20 Set DescType = 3,DescSubType = 0,DescText = 'Shares ''A''',ReadOnly = 1,DefaultAmount "
         "=     "
         "2.25,ParentType = 0,ParentSubType = 0,AppliesTo = '',Indicator1 = 0 Where EffectiveDate = "
         "'2019-04-06' "
         "And DescNumber = 5",
         "affected 1"},
        {"TaxSoft", "TaxData1", "Select DescText, ReadOnly, DefaultAmount From KQ20 Where DescNumber = 5",
         "DescText,ReadOnly,DefaultAmount\nShares 'A',True,2.25"},
        {"TaxSoft", "TaxData1", "Delete KQ20 Where EffectiveDate = '2020-04-06' And DescNumber = 6",
         "affected 1"},
        {"TaxSoft", "TaxMaster",
         "Select * From UniqueIDs Where TableName = 'KQ20' and FieldName = 'DescNumber'",
         "TableName,FieldName,IDValue", TVia::Query},
        {"TaxSoft", "TaxMaster", "select DataNumber from KQ22", "DataNumber\n1\n2", TVia::Query},
        {"TaxSoft", "TaxMaster",
         "PRINT '[SAVETOFILE]'\r\nSELECT DataNumber AS Total,\r\n  Description\r\nFROM KQ22\r\n"
         "ORDER BY DataNumber DESC\r\n",
         "Total,Description\n2,Dataset2\n1,Dataset1", TVia::Query},
        {"TaxSoft", "TaxMaster", "UPDATE KQ22 SET Description = Description\r\n",
         "error: CommandText does not return a result set", TVia::Query},
        {"TaxSoft", "TaxMaster", "Delete From KQ22 Where DataNumber = 2", "affected 1"},
        {"TaxSoft", "TaxMaster", "SELECT DataNumber FROM KQ22", "DataNumber\n1"},
        // Status and version gate.
        {"TaxSoft", "TaxMaster", "SELECT name FROM master.dbo.sysdatabases WHERE name=N'TaxReadOnly'",
         "name\nTaxReadOnly"},
        {"TaxSoft", "TaxMaster", "SELECT name FROM master.dbo.sysdatabases WHERE name=N'TaxSecurities'",
         "name\nTaxSecurities"},
        {"TaxSoft", "TaxMaster", "SELECT FileVersion FROM ApplicationVersions WHERE FileName='Tarnwick.exe'",
         "FileVersion\n28.1.0.57"},
        {"TaxSoft", "TaxMaster", "SELECT FileVersion FROM ApplicationVersions WHERE FileName='Other.exe'",
         "FileVersion"},
        // Users in the software.
        {"TaxSoft", "TaxMaster", "SELECT * FROM AppsInUse WITH (READUNCOMMITTED)",
         "Computer,Handle,User,Application,LoginTime\nPC1,5,anne,Tax,NULL\nPC'2,6,bob,Tax,NULL", TVia::Query},
        {"TaxSoft", "TaxMaster", "DELETE FROM AppsInUse WHERE Computer='PC''2' AND Handle=6", "affected 1"},
        {"TaxAdmin", "master",
         "SELECT DISTINCT hostname FROM master.dbo.sysprocesses AS sp INNER JOIN master.dbo.sysdatabases AS "
         "sd ON "
         "sp.dbid=sd.dbid WHERE program_name='KLT Taxation Direct Connection' AND (name='TaxMaster' or name "
         "LIKE "
         "'TaxData%' OR name='TaxSecurities')",
         "hostname\nWS1"},
        // SQL Server facts.
        {"TaxSoft", "TaxMaster", "SELECT SERVERPROPERTY('ServerName')", "\nSRV01"},
        {"TaxAdmin", "master", "SELECT filename FROM master.dbo.sysdatabases WHERE name='master'",
         "filename\n" + dataFolder + "master.mdf"},
        {"TaxAdmin", "master", "exec master.dbo.xp_fixeddrives", "drive,MB free\nC,102400", TVia::Query},
        {"TaxAdmin", "master", "EXEC sp_configure",
         "name,minimum,maximum,config_value,run_value\nallow updates,0,1,0,0\nnested triggers,0,1,1,1\n"
         "remote access,0,1,1,1\nshow advanced options,0,1,0,0"},
        {"TaxAdmin", "master", "EXEC sp_configure 'show advanced options',1; RECONFIGURE", "affected -1"},
        {"TaxAdmin", "master", "EXEC sp_configure 'xp_cmdshell',1; RECONFIGURE", "affected -1"},
        {"TaxAdmin", "master",
         "xp_cmdshell 'dir \"C:\\Program Files\\Microsoft SQL Server\\MSSQL\\\" /A:D /B /L'",
         "output\nbackup\ndata\nNULL"},
        {"TaxAdmin", "master", "xp_cmdshell 'dir \"C:\\Missing\\\" /A:D /B /L'",
         "output\nThe system cannot find the path specified.\nNULL"},
        {"TaxAdmin", "master", "EXEC sp_configure",
         "name,minimum,maximum,config_value,run_value\nallow updates,0,1,0,0\n"
         "max server memory (MB),16,2147483647,2147483647,2147483647\nnested triggers,0,1,1,1\n"
         "remote access,0,1,1,1\nshow advanced options,0,1,1,1\nuser connections,0,32767,0,0\n"
         "xp_cmdshell,0,1,1,1",
         TVia::Query},
        {"TaxAdmin", "master", "EXEC sp_configure 'xp_cmdshell',0; RECONFIGURE", "affected -1"},
        {"TaxAdmin", "master", "EXEC sp_configure 'show advanced options',0; RECONFIGURE", "affected -1"},
        {"TaxAdmin", "master", "EXEC sp_configure",
         "name,minimum,maximum,config_value,run_value\nallow updates,0,1,0,0\nnested triggers,0,1,1,1\n"
         "remote access,0,1,1,1\nshow advanced options,0,1,0,0",
         TVia::Query},
        {"TaxSoft", "TaxMaster", "SELECT name FROM master.dbo.sysdatabases WHERE name=N'TaxData1'",
         "name\nTaxData1"},
        {"TaxSoft", "TaxMaster", "SELECT name FROM master.dbo.sysdatabases WHERE name=N'TaxData9'", "name"},
        {"TaxSoft", "TaxMaster", "exec TaxMaster..sp_helpfile",
         "name,fileid,filename,filegroup,size,maxsize,growth,usage\nTaxMaster,1," + dataFolder +
             "TaxMaster.mdf,PRIMARY,2048 KB,Unlimited,1024 KB,data only\nTaxMaster_log,2," + dataFolder +
             "TaxMaster_log.ldf,NULL,1024 KB,2147483648 KB,10%,log only"},
        // Backup history (checked below: its dates are the time of the backup).
        {"TaxAdmin", "master",
         "RESTORE HEADERONLY FROM DISK='C:\\Program Files\\Microsoft SQL "
         "Server\\MSSQL\\Backup\\TaxMaster.bak'",
         ""},
        // Repair operations.
        {"TaxSoft", "TaxMaster", "Select DataNumber From Kq22 where Description = 'dataset1'",
         "DataNumber\n1"},
        {"TaxSoft", "TaxData1",
         "Select KQ07.AutoNumber From KQ07 Join Kq01 on Kq01.ClientNumber = Kq07.ClientNumber Where "
         "Kq01.ClientCode = 'ABC001' And KQ07.PeriodId = 2019 and Kq07.Datatype = 169",
         "AutoNumber\n10"},
        {"TaxSoft", "TaxData1",
         "Select HString1 From Kq06 join Kq01 on Kq06.ClientNumber = KQ01.ClientNumber and KQ01.ClientCode = "
         "'ABC001' and Kq06.StartYear = 2019 and Kq06.DataType = 151",
         "HString1\nD1"},
        {"TaxSoft", "TaxMaster", "select DataNumber from KQ22 order by DataNumber", "DataNumber\n1"},
        {"TaxSoft", "TaxData1",
         "Select AutoNumber From KQ07 Where DataType=169 and PeriodID >= 2011 and "
         "PATINDEX('%\xE2\x82\xAC%',Memo1) "
         "> 0",
         "AutoNumber\n10"},
        {"TaxSoft", "TaxData1",
         "Select AutoNumber From KQ07 Where DataType=169 and PeriodID >= 2011 and "
         "PATINDEX('%\xC2\x82\xAC%',Memo1) "
         "> 0",
         "AutoNumber\n10"},
        {"TaxSoft", "TaxData1",
         "Select AutoNumber From KQ07 Where DataType=169 and PeriodID >= 2011 and PATINDEX('%?\x1A?%',Memo1) "
         "> 0",
         "AutoNumber"},
        {"TaxSoft", "TaxData1",
         "Select AutoNumber From KQ07 Where DataType=169 and PeriodID >= 2011 and "
         "PATINDEX('%?\x1A\xC2%',Memo1) "
         "> 0",
         "AutoNumber\n12", TVia::Query},
        {"TaxSoft", "TaxData1",
         "Select AutoNumber From KQ07 Where DataType=169 and PeriodID >= 2011 and PATINDEX('%?\x1D%',Memo1) "
         "> 0",
         "AutoNumber\n12", TVia::Query},
        {"TaxSoft", "TaxData1",
         "Select ClientCode From KQ01 Inner Join KQ07 ON KQ01.ClientNumber = KQ07.ClientNumber WHERE "
         "KQ07.AutoNumber = 10",
         "ClientCode\nABC001"},
        {"TaxSoft", "TaxData1", "Select Memo1 From KQ07 where AutoNumber = 10", "Memo1\n" + MemoWithEuro,
         TVia::Query},
        {"TaxSoft",
         "TaxData1",
         "Update Kq07 Set Memo1 = :Xml, ReadyForProcessing = 0 Where AutoNumber = :Value",
         "affected 1",
         TVia::Query,
         {{"Xml", TParamType::Text, std::string("<CG>EUR \x80\xA3\xFF</CG>")},
          {"Value", TParamType::Integer, 10LL}}},
        {"TaxSoft", "TaxData1", "Select Memo1, ReadyForProcessing From KQ07 where AutoNumber = 10",
         "Memo1,ReadyForProcessing\n<CG>EUR \x80\xA3\xFF</CG>,False", TVia::Query},
        {"TaxSoft", "TaxData1", "Select ClientNumber From Kq01 where ClientCode = 'ABC001'",
         "ClientNumber\n1"},
        {"TaxSoft", "TaxData1", "Select * FROM [TaxReturns] WHERE (ClientNumber = 1 And TaxYear = 2018)",
         "ReturnNumber,ClientNumber,TaxYear,ReturnData\n1,1,2018,0x3C522F3E"},
        {"TaxSoft", "TaxData1",
         "Select * FROM ClientSupplementaryData WHERE (ClientNumber = 307 And TaxYear = 2018)",
         "ClientNumber,TaxYear,Content\n307,2018,0x2026616D703B20", TVia::Query},
        {"TaxSoft",
         "TaxData1",
         "UPDATE TaxReturns SET ReturnData=:argXml WHERE ClientNumber=:argClientNumber And TaxYear "
         "=:argTaxYear",
         "affected 1",
         TVia::Query,
         {{"argXml", TParamType::Bytes, TBytes{0x3C, 0x00, 0x80, 0xFF, 0x3E}},
          {"argClientNumber", TParamType::Integer, 1LL},
          {"argTaxYear", TParamType::Integer, 2018LL}}},
        {"TaxSoft", "TaxData1", "Select * FROM [TaxReturns] WHERE (ClientNumber = 1 And TaxYear = 2018)",
         "ReturnNumber,ClientNumber,TaxYear,ReturnData\n1,1,2018,0x3C0080FF3E", TVia::Query},
        {"TaxSoft",
         "TaxData1",
         "UPDATE ClientSupplementaryData SET Content=:argXml WHERE ClientNumber=:argClientNumber And "
         "TaxYear =:argTaxYear",
         "affected 1",
         TVia::Query,
         {{"argXml", TParamType::Bytes, TBytes{0x20, 0x26, 0x61, 0x6D, 0x70, 0x3B, 0x61, 0x6D, 0x70, 0x3B}},
          {"argClientNumber", TParamType::Integer, 307LL},
          {"argTaxYear", TParamType::Integer, 2018LL}}},
        {"TaxSoft",
         "TaxData1",
         "UPDATE ClientSupplementaryData SET Content=:argXml WHERE ClientNumber=:argClientNumber And "
         "TaxYear =:argTaxYear",
         "affected 0",
         TVia::Query,
         {{"argXml", TParamType::Bytes, TBytes{}},
          {"argClientNumber", TParamType::Integer, 308LL},
          {"argTaxYear", TParamType::Integer, 2018LL}}},
        {"TaxSoft", "TaxData1", "SELECT Content FROM ClientSupplementaryData",
         "Content\n0x2026616D703B616D703B"},
        // Script execution: one batch on master, statements separated by line breaks; and a
        // dataset batch behind its "use" prefix.
        {"TaxHard", "master",
         "PRINT '[TITLE] Vexholm Taxation - Remove Special Case 60 - 2025 R2'\r\nUSE TaxReadOnly;\r\n"
         "ALTER DATABASE [TaxReadOnly] SET READ_WRITE WITH NO_WAIT\r\n"
         "UPDATE [DefaultReturns] SET [Schematron]=0x3C3F786D6C80FF00 WHERE [TaxYear]=2025\r\n"
         "UPDATE [DefaultReturns] SET [CalcGuideScript]=0xABC WHERE [TaxYear]=2025\r\n"
         "ALTER DATABASE [TaxReadOnly] SET READ_ONLY WITH NO_WAIT\r\nPRINT '[SHOW] Done'\r\n",
         "affected 1"},
        {"TaxSoft", "TaxReadOnly",
         "SELECT Schematron, CalcGuideScript FROM DefaultReturns WHERE TaxYear=2025",
         "Schematron,CalcGuideScript\n0x3C3F786D6C80FF00,0x0ABC"},
        {"TaxSoft", "TaxMaster", "SELECT status FROM master.dbo.sysdatabases WHERE name='TaxReadOnly'",
         "status\n1024"},
        {"TaxHard", "master", "use [TaxData1] UPDATE KQ01 SET ClientName = N'Smith & Co'\r\n", "affected 1"},
        {"TaxSoft", "TaxData1", "SELECT ClientName FROM KQ01", "ClientName\nSmith & Co"},
        {"TaxHard", "master", "use [TaxData1] \r\n\r\n", "affected -1"},
        {"TaxHard", "master", "use [TaxData9] UPDATE KQ01 SET ClientName = N'x'\r\n",
         "error: Database 'TaxData9' does not exist. Make sure that the name is entered correctly.",
         TVia::Command},
        {"TaxHard", "master", "use [TaxData] UPDATE KQ01 SET ClientName = N'x'\r\n",
         "error: Database 'TaxData' does not exist. Make sure that the name is entered correctly.",
         TVia::Command},
        {"TaxHard", "master", "USE TaxData1\r\nGO\r\nUPDATE KQ01 SET ClientName = 'GO 1'\r\n",
         "error: Incorrect syntax near 'GO'.", TVia::Command},
        {"TaxHard", "master", "UPDATE TaxData1.dbo.KQ01 SET ClientName = 'GO 2'\r\nPRINT 'Done'\r\nGO\r\n",
         "error: Incorrect syntax near 'GO'.", TVia::Command},
        {"TaxHard", "master",
         "UPDATE TaxData1.dbo.KQ01 SET ClientName = 'GO 3'\r\nALTER DATABASE [TaxReadOnly] SET READ_WRITE "
         "WITH "
         "NO_WAIT\r\nGO\r\n",
         "error: Incorrect syntax near 'GO'.", TVia::Command},
        {"TaxHard", "master", "UPDATE TaxData1.dbo.KQ01 SET ClientName = 'GO 4';\r\ngo\r\n",
         "error: Incorrect syntax near 'go'.", TVia::Command},
        {"TaxSoft", "TaxData1", "SELECT ClientName FROM KQ01", "ClientName\nSmith & Co"},
    };
    for (const auto& statement : cases) {
        SCOPED_TRACE(statement.Sql);
        std::string result;
        try {
            result = Run(statement);
        } catch (const Exception& error) {
            result = "error: " + error.Message();
        }
        if (StartsText("RESTORE", statement.Sql)) {
            EXPECT_TRUE(
                StartsText("BackupName,BackupDescription,BackupType,ExpirationDate,Compressed,Position,"
                           "DeviceType,UserName,ServerName,DatabaseName,",
                           result))
                << result;
            EXPECT_NE(
                result.find("\nTaxMaster-Full Database Backup,NULL,1,NULL,0,1,2,TaxAdmin,SRV01,TaxMaster,"),
                std::string::npos)
                << result;
            continue;
        }
        EXPECT_EQ(result, statement.Expected);
    }
}
