#pragma once

#include "platform/sql/Driver.h"

#include <sql.h>

namespace tarnwick::sql::odbc {

// Reads the statement's current result set to its end: column names and types, then every
// row, long values in pieces, NULL as monostate.
TRowSet ReadRowSet(SQLHSTMT statement, SQLSMALLINT columnCount);

} // namespace tarnwick::sql::odbc
