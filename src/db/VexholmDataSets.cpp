#include "db/VexholmDataSets.h"

#include "db/TaxConnections.h"
#include "db/TaxDatabases.h"
#include "db/TaxLogins.h"
#include "platform/core/Format.h"
#include "platform/core/ScopeGuard.h"

namespace tarnwick {

namespace {

std::string SysCountColumn(std::size_t index) { return Format("Sys%dCount", {index + 1}); }

void SetDateOrNull(sql::TField& field, TDateTime value)
{
    if (value == 0)
        field.Clear();
    else
        field.SetAsDateTime(value);
}

void SetIntegerOrNull(sql::TField& field, int value)
{
    if (value == 0)
        field.Clear();
    else
        field.SetAsInteger(value);
}

void SetTextOrNull(sql::TField& field, const std::string& value)
{
    if (value.empty())
        field.Clear();
    else
        field.SetAsString(value);
}

} // namespace

void TVexholmDataSet::Clear()
{
    DataNumber = -1;
    Description.clear();
    CreateDate = 0;
    CreateStaff = 0;
    ModifyDate = 0;
    ModifyStaff = 0;
    ELSTraderID.clear();
    ELSAgentID.clear();
    ELSTEMPath.clear();
    ELSTaxOutPath.clear();
    ELSSubmitAllDataSets = false;
    ELSSetupNumber = 0;
    SysCount.fill(0);
    UseDefaultDetails = false;
    ClientNumber = 0;
    PracticeName.clear();
    RefreshDate = 0;
}

bool TVexholmDataSet::ReadFromQuery(sql::TADOQuery& query)
{
    if (query.Eof()) {
        SetLoaded(false);
        return false;
    }
    DataNumber = query.FieldByName("DataNumber").AsInteger();
    Description = query.FieldByName("Description").AsString();
    CreateDate = query.FieldByName("CreateDate").AsDateTime();
    CreateStaff = query.FieldByName("CreateStaff").AsInteger();
    ModifyDate = query.FieldByName("ModifyDate").AsDateTime();
    ModifyStaff = query.FieldByName("ModifyStaff").AsInteger();
    ELSTraderID = query.FieldByName("ELSTraderID").AsString();
    ELSAgentID = query.FieldByName("ELSAgentID").AsString();
    ELSTEMPath = query.FieldByName("ELSTEMPath").AsString();
    ELSTaxOutPath = query.FieldByName("ELSTaxOutPath").AsString();
    ELSSubmitAllDataSets = query.FieldByName("ELSSubmitAllDataSets").AsBoolean();
    ELSSetupNumber = query.FieldByName("ELSSetupNumber").AsInteger();
    for (std::size_t i = 0; i < SysCount.size(); ++i)
        SysCount[i] = query.FieldByName(SysCountColumn(i)).AsInteger();
    UseDefaultDetails = query.FieldByName("UseDefaultDetails").AsBoolean();
    ClientNumber = query.FieldByName("ClientNumber").AsInteger();
    PracticeName = query.FieldByName("PracticeName").AsString();
    RefreshDate = query.FieldByName("RefreshDate").AsDateTime();
    SetLoaded(true);
    return true;
}

std::string TVexholmDataSet::DatabaseName() const { return DatasetDatabaseName(DataNumber); }

std::string TVexholmDataSet::ConnectionString(const std::string& server) const
{
    return TTaxConnections::MakeConnectionString(TaxSoftPassword, TaxSoftUser, DatabaseName(), server);
}

void TVexholmDataSet::WriteTo(sql::TADOQuery& query) const
{
    query.FieldByName("Description").SetAsString(Description);
    SetDateOrNull(query.FieldByName("CreateDate"), CreateDate);
    SetIntegerOrNull(query.FieldByName("CreateStaff"), CreateStaff);
    SetDateOrNull(query.FieldByName("ModifyDate"), ModifyDate);
    SetIntegerOrNull(query.FieldByName("ModifyStaff"), ModifyStaff);
    SetTextOrNull(query.FieldByName("ELSTraderID"), ELSTraderID);
    SetTextOrNull(query.FieldByName("ELSAgentID"), ELSAgentID);
    SetTextOrNull(query.FieldByName("ELSTEMPath"), ELSTEMPath);
    SetTextOrNull(query.FieldByName("ELSTaxOutPath"), ELSTaxOutPath);
    query.FieldByName("ELSSubmitAllDataSets").SetAsBoolean(ELSSubmitAllDataSets);
    SetIntegerOrNull(query.FieldByName("ELSSetupNumber"), ELSSetupNumber);
    for (std::size_t i = 0; i < SysCount.size(); ++i)
        query.FieldByName(SysCountColumn(i)).SetAsInteger(SysCount[i]);
    query.FieldByName("UseDefaultDetails").SetAsBoolean(UseDefaultDetails);
    SetIntegerOrNull(query.FieldByName("ClientNumber"), ClientNumber);
    SetTextOrNull(query.FieldByName("PracticeName"), PracticeName);
    query.FieldByName("RefreshDate").SetAsDateTime(RefreshDate);
}

bool TVexholmDataSet::Save(TVexholmADOConnection& connection)
{
    const ScopeGuard unchanged([this] { SetChangeState(TChangeState::csUnchanged); });
    return Store(connection);
}

bool TVexholmDataSet::Store(TVexholmADOConnection& connection)
{
    if (ChangeState() == TChangeState::csUnchanged) return false;
    if (ChangeState() == TChangeState::csDeleted) {
        // A row that was never stored has nothing to delete.
        if (DataNumber == 0) return false;
        connection.ExecSQL(Format("Delete From %s Where DataNumber = %d", {DataSetsTable, DataNumber}));
        return true;
    }

    sql::TADOQuery query(&connection);
    query.ParamCheck = false;
    query.SetSQLText(Format("Select * From %s Where DataNumber = %d", {DataSetsTable, DataNumber}));
    query.Open();
    if (query.Eof()) {
        if (ChangeState() == TChangeState::csModified) {
            SetChangeState(TChangeState::csNew);
            return Store(connection);
        }
        query.Insert();
        query.FieldByName("Description").SetAsString(Description);
        query.Post();
        DataNumber = query.FieldByName("DataNumber").AsInteger();
        // Read the new row back as the server made it, defaults included, before writing
        // the remaining columns to it.
        query.Close();
        query.SetSQLText(Format("Select * From %s Where DataNumber = %d", {DataSetsTable, DataNumber}));
        query.Open();
    }
    query.Edit();
    WriteTo(query);
    query.Post();
    return true;
}

bool TVexholmDataSets::Load(TVexholmADOConnection& connection)
{
    Clear();
    ServerName = ExtractDataSource(connection.ConnectionString());
    sql::TADOQuery query(&connection);
    query.LockType = sql::TLockType::ReadOnly;
    query.ParamCheck = false;
    query.SetSQLText(Format("Select * From %s", {DataSetsTable}));
    query.Open();
    LoadFromQuery(query, true);
    return Count() > 0;
}

bool TVexholmDataSets::Save(TVexholmADOConnection& connection)
{
    ServerName = ExtractDataSource(connection.ConnectionString());
    bool written = false;
    for (int i = 0; i < Count(); ++i)
        if (Items(i).Save(connection)) written = true;
    return written;
}

int TVexholmDataSets::IndexOfDataNumber(int dataNumber) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i).DataNumber == dataNumber) return i;
    return -1;
}

void TVexholmDataSets::OpenDatasetConnection(sql::TADOConnection& connection, int dataNumber) const
{
    const int index = IndexOfDataNumber(dataNumber);
    std::string connectionString;
    if (index >= 0) {
        connectionString = Items(index).ConnectionString(ServerName);
        if (connectionString == connection.ConnectionString()) {
            connection.Open();
            return;
        }
    }
    connection.Close();
    connection.SetConnectionString("");
    if (index < 0) return;
    connection.SetConnectionString(connectionString);
    connection.Open();
}

std::unique_ptr<TVexholmBaseObject> TVexholmDataSets::NewItem() const
{
    return std::make_unique<TVexholmDataSet>();
}

} // namespace tarnwick
