#pragma once

#include <string>

struct sqlite3;

// The T-SQL functions the simulator offers on top of SQLite's own: PATINDEX (pattern
// matching without regard to Windows-1252 letter case), GETDATE, ISNULL, LEN, DATALENGTH,
// SCOPE_IDENTITY, and the collation SIMDATE that compares date-time texts by their value
// ('2019-04-06' equals '2019-04-06 00:00:00.000').
namespace tarnwick::sql::sim {

void RegisterSqlFunctions(sqlite3* db);

// Position (from 1) of the first match of a LIKE pattern in the text, 0 when none.
long long PatIndex(const std::string& pattern, const std::string& text);

} // namespace tarnwick::sql::sim
