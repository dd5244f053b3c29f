#include "platform/sql/odbc/OdbcConnectionString.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"

namespace tarnwick::sql::odbc {

namespace {

// The TDS version every SQL Server since 2008 speaks; older servers answer with their own.
constexpr std::string_view TdsVersion = "7.3";

std::string LocalHostName(std::string_view host)
{
    if (host.empty() || host == "." || SameText(host, "(local)")) return "localhost";
    return std::string(host);
}

} // namespace

TServerAddress ParseServerAddress(std::string_view server)
{
    const std::string text = Trim(server);
    std::string_view rest = text;
    TServerAddress address;
    const auto comma = rest.rfind(',');
    if (comma != std::string_view::npos) {
        long long port = 0;
        const std::string portText = Trim(rest.substr(comma + 1));
        if (TryStrToInt64(portText, port) && port > 0 && port <= 65535) {
            address.Port = static_cast<int>(port);
            rest = rest.substr(0, comma);
        }
    }
    const auto slash = rest.find('\\');
    const std::string host = LocalHostName(Trim(rest.substr(0, slash)));
    // An explicit port reaches the instance directly; FreeTDS refuses a port and an instance
    // together.
    if (slash == std::string_view::npos || address.Port != 0) {
        address.Host = host;
    } else {
        address.Host = host + "\\" + Trim(rest.substr(slash + 1));
    }
    return address;
}

std::string OdbcAttribute(std::string_view key, std::string_view value)
{
    const bool plain = value.find_first_of(";{}") == std::string_view::npos &&
                       (value.empty() || (!IsBlank(value.front()) && !IsBlank(value.back())));
    if (plain) return Format("%s=%s;", {key, value});
    if (value.find("};") != std::string_view::npos)
        throw EOleException(
            Format("The %s of the connection cannot be passed to the ODBC driver: it holds \"};\"", {key}));
    return Format("%s={%s};", {key, value});
}

std::string OdbcConnectionString(const TConnectParams& params, std::string_view driverName)
{
    const TServerAddress address = ParseServerAddress(params.Server);
    // The driver name is always braced, as driver managers expect of names with blanks.
    std::string text = Format("Driver={%s};", {driverName});
    text += OdbcAttribute("Server", address.Host);
    if (address.Port != 0) text += OdbcAttribute("Port", IntToStr(address.Port));
    if (!params.Database.empty()) text += OdbcAttribute("Database", params.Database);
    text += OdbcAttribute("UID", params.UserId);
    text += OdbcAttribute("PWD", params.Password);
    if (!params.ApplicationName.empty()) text += OdbcAttribute("APP", params.ApplicationName);
    text += OdbcAttribute("TDS_Version", TdsVersion);
    return text;
}

} // namespace tarnwick::sql::odbc
