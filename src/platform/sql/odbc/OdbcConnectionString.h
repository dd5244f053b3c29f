#pragma once

#include "platform/sql/Driver.h"

#include <string>
#include <string_view>

namespace tarnwick::sql::odbc {

// The server part of a connection: the host FreeTDS resolves (with "\instance" kept so the
// browser service finds the instance's port) and an explicit port, 0 when none was given.
struct TServerAddress {
    std::string Host;
    int Port = 0;
};

// "machine", "machine\instance", "machine,port" or "machine\instance,port" as SQL Server
// clients accept them; "(local)", "." and an empty name mean this machine.
TServerAddress ParseServerAddress(std::string_view server);

// One "key=value;" pair. A value holding ";", "{", "}" or blanks at either end goes in
// braces. FreeTDS ends a braced value at the first "};" and takes "}}" literally, so a value
// holding "};" cannot reach it intact and raises EOleException naming the key.
std::string OdbcAttribute(std::string_view key, std::string_view value);

// The connection string handed to the driver manager for the given login.
std::string OdbcConnectionString(const TConnectParams& params, std::string_view driverName);

} // namespace tarnwick::sql::odbc
