#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::sql::odbc {

// One diagnostic record as the driver manager reports it.
struct TOdbcDiagnostic {
    std::string SqlState;
    std::string Text;
};

// The text without the bracketed origin prefixes ("[unixODBC][FreeTDS][SQL Server]") that
// ODBC puts before a message, so it reads as the server's own words.
std::string CleanOdbcMessage(std::string_view text);

// A lost or refused connection: SQLSTATE class 08, or a message of the
// communication-link-failure family whatever its state.
bool IsConnectionFailure(std::string_view sqlState, std::string_view text);

// The message an error raises: the first record that is not informational (class 01), cleaned;
// a connection failure is led by "Connection failure: " so the handler of lost connections
// recognises it.
std::string OdbcErrorMessage(const std::vector<TOdbcDiagnostic>& records);

} // namespace tarnwick::sql::odbc
