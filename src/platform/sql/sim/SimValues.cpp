#include "platform/sql/sim/SimValues.h"

#include "platform/core/Strings.h"
#include "platform/sql/ValueConversion.h"

#include <sqlite3.h>

namespace tarnwick::sql::sim {

namespace {

std::string Bytes(sqlite3_stmt* statement, int column)
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(statement, column));
    return data ? std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                : std::string();
}

TValue ByStorage(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return static_cast<long long>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT:
        return Bytes(statement, column);
    case SQLITE_BLOB: {
        const std::string bytes = Bytes(statement, column);
        return TBytes(bytes.begin(), bytes.end());
    }
    default:
        return std::monostate{};
    }
}

} // namespace

TDataType TypeOfDeclared(const char* declared)
{
    if (!declared) return TDataType::Unknown;
    const std::string type = UpperCase(declared);
    if (type.find("BIT") != std::string::npos) return TDataType::Boolean;
    if (type.find("INT") != std::string::npos) return TDataType::Integer;
    if (type.find("DATE") != std::string::npos || type.find("TIME") != std::string::npos)
        return TDataType::DateTime;
    if (type.find("FLOAT") != std::string::npos || type.find("REAL") != std::string::npos ||
        type.find("MONEY") != std::string::npos || type.find("DECIMAL") != std::string::npos ||
        type.find("NUMERIC") != std::string::npos)
        return TDataType::Float;
    if (type.find("IMAGE") != std::string::npos || type.find("BINARY") != std::string::npos ||
        type.find("BLOB") != std::string::npos)
        return TDataType::Bytes;
    if (type == "TEXT" || type == "NTEXT" || type.find("MAX") != std::string::npos)
        return TDataType::LargeText;
    if (type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos)
        return TDataType::Text;
    return TDataType::Unknown;
}

TValue ReadColumn(sqlite3_stmt* statement, int column, TDataType type)
{
    const int storage = sqlite3_column_type(statement, column);
    if (storage == SQLITE_NULL) return std::monostate{};
    switch (type) {
    case TDataType::Integer:
        if (storage == SQLITE_INTEGER) return static_cast<long long>(sqlite3_column_int64(statement, column));
        break;
    case TDataType::Boolean:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return sqlite3_column_int64(statement, column) != 0;
        break;
    case TDataType::Float:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return sqlite3_column_double(statement, column);
        break;
    case TDataType::DateTime: {
        if (storage == SQLITE_FLOAT || storage == SQLITE_INTEGER)
            return TSqlDateTime{sqlite3_column_double(statement, column)};
        TDateTime value = 0;
        if (TryIsoDateTime(Bytes(statement, column), value)) return TSqlDateTime{value};
        break;
    }
    case TDataType::Text:
    case TDataType::LargeText:
        return Bytes(statement, column);
    case TDataType::Bytes: {
        const std::string bytes = Bytes(statement, column);
        return TBytes(bytes.begin(), bytes.end());
    }
    case TDataType::Unknown:
        break;
    }
    return ByStorage(statement, column);
}

} // namespace tarnwick::sql::sim
