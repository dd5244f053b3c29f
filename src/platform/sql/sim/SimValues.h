#pragma once

#include "platform/sql/Driver.h"

struct sqlite3_stmt;

// Values of SQLite columns as the server's types: the declared type of a column decides
// (INT -> integer, BIT -> Boolean, DATETIME -> date-time, FLOAT/MONEY/DECIMAL -> float,
// IMAGE/VARBINARY -> bytes, TEXT/NTEXT -> large text, CHAR/VARCHAR -> text); an
// expression without one takes the type of what it holds.
namespace tarnwick::sql::sim {

TDataType TypeOfDeclared(const char* declared);
TValue ReadColumn(sqlite3_stmt* statement, int column, TDataType type);

} // namespace tarnwick::sql::sim
