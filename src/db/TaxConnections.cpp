#include "db/TaxConnections.h"

#include "db/TaxDatabases.h"
#include "db/TaxLogins.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "suite/AppInfo.h"
#include "suite/SuiteEnvironment.h"

namespace tarnwick {

TTaxConnections::TTaxConnections() : uniqueIDs_(std::make_unique<TUniqueIDs>())
{
    uniqueIDs_->SetConnectionString(TaxConnectionString(TaxMasterDatabase));
}

TTaxConnections::~TTaxConnections() { CloseAll(); }

std::string TTaxConnections::MakeConnectionString(std::string_view password, std::string_view userID,
                                                  std::string_view database, std::string_view dataSource)
{
    return Format("Provider=SQLOLEDB.1;Password=%s;Persist Security Info=True;User ID=%s;Initial Catalog=%s;"
                  "Data Source=%s;OLE DB Services=-2;Application Name=%s;",
                  {password, userID, database, dataSource, GetAppDescription()});
}

std::string TTaxConnections::TaxConnectionString(std::string_view database, std::string_view dataSource)
{
    const std::string server = dataSource.empty() ? GetDataSource() : std::string(dataSource);
    return MakeConnectionString(TaxSoftPassword, TaxSoftUser, database, server);
}

TTaxConnections::TRegistered* TTaxConnections::Find(const TVexholmADOConnection* connection)
{
    for (auto& registered : connections_)
        if (registered.Connection == connection) return &registered;
    return nullptr;
}

void TTaxConnections::RegisterConnection(TVexholmADOConnection& connection)
{
    if (!Find(&connection)) connections_.push_back({&connection, nullptr});
}

void TTaxConnections::RegisterConnection(std::unique_ptr<TVexholmADOConnection> connection)
{
    if (!connection) return;
    if (TRegistered* registered = Find(connection.get())) {
        registered->Owned = std::move(connection);
        return;
    }
    TVexholmADOConnection* raw = connection.get();
    connections_.push_back({raw, std::move(connection)});
}

std::vector<TVexholmADOConnection*> TTaxConnections::RegisteredConnections() const
{
    std::vector<TVexholmADOConnection*> list;
    for (const auto& registered : connections_) list.push_back(registered.Connection);
    return list;
}

void TTaxConnections::CloseAll()
{
    std::vector<TRegistered> closing = std::move(connections_);
    connections_.clear();
    for (auto& registered : closing) registered.Connection->Close();
}

std::string ExtractDataSource(std::string_view connectionString)
{
    constexpr std::string_view key = "Data Source";
    const auto found = connectionString.find(key);
    if (found == std::string_view::npos) return "";
    std::string_view rest = connectionString.substr(found + key.size());
    if (const auto equals = rest.find('='); equals != std::string_view::npos) rest.remove_prefix(equals + 1);
    std::string value = Trim(rest);
    if (const auto semicolon = value.find(';'); semicolon != std::string::npos) value.erase(semicolon);
    return Trim(value);
}

} // namespace tarnwick
