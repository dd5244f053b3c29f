#include "platform/sql/odbc/OdbcDataTypes.h"

#include <sql.h>
#include <sqlext.h>

namespace tarnwick::sql::odbc {

namespace {

// SQL Server's own types as FreeTDS reports them.
constexpr int SqlServerXml = -152;
constexpr int SqlServerTime = -154;
constexpr int SqlServerDateTimeOffset = -155;

// The widest decimal a 64-bit integer always holds.
constexpr unsigned long long MaxIntegerDigits = 18;

} // namespace

TDataType DataTypeOfSqlType(int sqlType, unsigned long long columnSize, int decimalDigits)
{
    switch (sqlType) {
    case SQL_BIT:
        return TDataType::Boolean;
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return TDataType::Integer;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        if (decimalDigits == 0 && columnSize <= MaxIntegerDigits) return TDataType::Integer;
        return TDataType::Float;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return TDataType::Float;
    case SQL_DATE:
    case SQL_TIME:
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
    case SqlServerTime:
    case SqlServerDateTimeOffset:
        return TDataType::DateTime;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
    case SqlServerXml:
        return TDataType::LargeText;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return TDataType::Bytes;
    default:
        return TDataType::Text;
    }
}

} // namespace tarnwick::sql::odbc
