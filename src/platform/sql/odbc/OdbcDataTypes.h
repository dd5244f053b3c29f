#pragma once

#include "platform/sql/Driver.h"

namespace tarnwick::sql::odbc {

// The boundary's type for a column the driver describes with the given SQL type, column size
// and decimal digits. Exact numbers without decimals that fit 64 bits are integers; other
// exact and approximate numbers are floats; types without a better home are read as text.
TDataType DataTypeOfSqlType(int sqlType, unsigned long long columnSize, int decimalDigits);

} // namespace tarnwick::sql::odbc
