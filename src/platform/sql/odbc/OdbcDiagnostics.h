#pragma once

#include "platform/sql/odbc/OdbcErrors.h"

#include <sql.h>

#include <vector>

namespace tarnwick::sql::odbc {

// Every diagnostic record the last call on the handle left.
std::vector<TOdbcDiagnostic> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle);

// Raises EOleException with the message of the handle's first error.
[[noreturn]] void RaiseOdbcError(SQLSMALLINT handleType, SQLHANDLE handle);

// Raises for SQL_ERROR and SQL_INVALID_HANDLE; informational results pass unread.
void CheckOdbc(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle);

} // namespace tarnwick::sql::odbc
