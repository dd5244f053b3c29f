#pragma once

#include "platform/sql/Driver.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::sql {

// The keys of an OLE DB style connection string ("Key=Value;Key=Value;"), in the order
// written. Keys are matched without regard to case; values are kept as written, blanks
// around keys and values removed. A value may be quoted with " or ' to hold a ";".
class TConnectionString {
public:
    explicit TConnectionString(std::string_view text);

    // The value of the last occurrence of the key, or empty text.
    std::string Value(std::string_view key) const;

    // Login, database, server and application name as a driver needs them.
    TConnectParams ConnectParams(int connectionTimeout) const;

private:
    std::vector<std::pair<std::string, std::string>> keys_;
};

} // namespace tarnwick::sql
