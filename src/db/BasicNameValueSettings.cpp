#include "db/BasicNameValueSettings.h"

#include "db/TaxConnections.h"
#include "db/TaxDatabases.h"
#include "diag/CrashReportHandOff.h"
#include "platform/core/BoolText.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"

namespace tarnwick {

TBasicNameValueSettings::TBasicNameValueSettings(std::string tableName, TVexholmADOConnection& connection)
    : tableName_(std::move(tableName)), connection_(&connection)
{
}

TBasicNameValueSettings::TBasicNameValueSettings(std::string tableName, std::string_view database)
    : tableName_(std::move(tableName)), ownConnection_(std::make_unique<TVexholmADOConnection>())
{
    ownConnection_->SetConnectionString(TTaxConnections::TaxConnectionString(database));
    connection_ = ownConnection_.get();
}

TBasicNameValueSettings::~TBasicNameValueSettings() = default;

std::string TBasicNameValueSettings::ValueStatement(std::string_view tableName, std::string_view name)
{
    return "SELECT Value FROM " + std::string(tableName) + " WHERE Name=" + QuotedStr(name);
}

std::string TBasicNameValueSettings::GetValue(std::string_view name)
{
    return connection_->GetScalarString(ValueStatement(tableName_, name));
}

bool TBasicNameValueSettings::ValueExists(std::string_view name)
{
    return connection_->HasRows(ValueStatement(tableName_, name));
}

bool TBasicNameValueSettings::GetBool(std::string_view name)
{
    std::string value;
    try {
        value = GetValue(name);
    } catch (const EOleException&) {
        ReportCurrentException(false);
        return false;
    }
    return StrToBool(value);
}

TMasterBasicNameValueSettings::TMasterBasicNameValueSettings()
    : TBasicNameValueSettings("MasterSettings", TaxMasterDatabase)
{
}

TMasterBasicNameValueSettings::TMasterBasicNameValueSettings(TVexholmADOConnection& connection)
    : TBasicNameValueSettings("MasterSettings", connection)
{
}

TTaxReadOnlyBasicNameValueSettings::TTaxReadOnlyBasicNameValueSettings()
    : TBasicNameValueSettings("DatabaseSettings", TaxReadOnlyDatabase)
{
}

TTaxSecuritiesBasicNameValueSettings::TTaxSecuritiesBasicNameValueSettings()
    : TBasicNameValueSettings("DatasetSettings", TaxSecuritiesDatabase)
{
}

TDatasetBasicNameValueSettings::TDatasetBasicNameValueSettings(TVexholmADOConnection& connection)
    : TBasicNameValueSettings("DatasetSettings", connection)
{
}

} // namespace tarnwick
