#include "platform/sql/odbc/OdbcRowSet.h"

#include "platform/core/CodePage.h"
#include "platform/core/DateTime.h"
#include "platform/sql/odbc/OdbcDataTypes.h"
#include "platform/sql/odbc/OdbcDiagnostics.h"

#include <sqlext.h>

#include <algorithm>
#include <array>
#include <string>
#include <type_traits>
#include <vector>

namespace tarnwick::sql::odbc {

namespace {

constexpr std::size_t PieceSize = 8192;
constexpr SQLUSMALLINT NameLength = 256;
constexpr int NanosecondsPerMillisecond = 1000000;

void Check(SQLRETURN result, SQLHSTMT statement) { CheckOdbc(result, SQL_HANDLE_STMT, statement); }

// A text attribute of a column, empty when the driver does not know it.
std::string ColumnText(SQLHSTMT statement, SQLUSMALLINT column, SQLUSMALLINT field)
{
    std::array<SQLWCHAR, NameLength> buffer{};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(
            SQLColAttributeW(statement, column, field, buffer.data(), sizeof(buffer), &length, nullptr)))
        return {};
    return AnsiFromUtf16(reinterpret_cast<const char16_t*>(buffer.data()));
}

// A yes/no attribute of a column, false when the driver does not know it.
bool ColumnFlag(SQLHSTMT statement, SQLUSMALLINT column, SQLUSMALLINT field)
{
    SQLLEN value = SQL_FALSE;
    return SQL_SUCCEEDED(SQLColAttributeW(statement, column, field, nullptr, 0, nullptr, &value)) &&
           value == SQL_TRUE;
}

TColumnInfo DescribeColumn(SQLHSTMT statement, SQLUSMALLINT column, bool& isTime)
{
    std::array<SQLWCHAR, NameLength> name{};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT sqlType = 0;
    SQLULEN columnSize = 0;
    SQLSMALLINT decimalDigits = 0;
    SQLSMALLINT nullable = 0;
    Check(SQLDescribeColW(statement, column, name.data(), NameLength, &nameLength, &sqlType, &columnSize,
                          &decimalDigits, &nullable),
          statement);
    TColumnInfo info;
    info.Name = AnsiFromUtf16(reinterpret_cast<const char16_t*>(name.data()));
    info.Type = DataTypeOfSqlType(sqlType, columnSize, decimalDigits);
    // Drivers name the base table only when the server told them (FreeTDS rarely does).
    info.BaseTable = ColumnText(statement, column, SQL_DESC_BASE_TABLE_NAME);
    // Identity columns are flagged in the column metadata of every result, so an inserted
    // row can read back the value the server assigned.
    info.IsIdentity = ColumnFlag(statement, column, SQL_DESC_AUTO_UNIQUE_VALUE);
    constexpr int SqlServerTime = -154;
    isTime = sqlType == SQL_TYPE_TIME || sqlType == SQL_TIME || sqlType == SqlServerTime;
    return info;
}

// Reads a character or binary value in pieces; false for NULL.
template <typename Char>
bool ReadPieces(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType, std::vector<Char>& value)
{
    // Character data leaves room for the terminator the driver writes after each piece.
    constexpr std::size_t Terminator = std::is_same_v<Char, char16_t> ? 1 : 0;
    std::array<Char, PieceSize> piece{};
    value.clear();
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN result =
            SQLGetData(statement, column, cType, piece.data(), sizeof(piece), &indicator);
        if (result == SQL_NO_DATA) return true;
        Check(result, statement);
        if (indicator == SQL_NULL_DATA) return false;
        const std::size_t room = piece.size() - Terminator;
        const std::size_t available =
            indicator == SQL_NO_TOTAL ? room : static_cast<std::size_t>(indicator) / sizeof(Char);
        value.insert(value.end(), piece.begin(),
                     piece.begin() + static_cast<std::ptrdiff_t>(std::min(available, room)));
        if (result == SQL_SUCCESS) return true;
    }
}

template <typename T> bool ReadFixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT cType, T& value)
{
    SQLLEN indicator = 0;
    Check(SQLGetData(statement, column, cType, &value, sizeof(value), &indicator), statement);
    return indicator != SQL_NULL_DATA;
}

TValue ReadDateTime(SQLHSTMT statement, SQLUSMALLINT column, bool isTime)
{
    SQL_TIMESTAMP_STRUCT stamp{};
    if (!ReadFixed(statement, column, SQL_C_TYPE_TIMESTAMP, stamp)) return std::monostate{};
    const int millisecond = static_cast<int>(stamp.fraction / NanosecondsPerMillisecond);
    if (isTime) return TSqlDateTime{EncodeTime(stamp.hour, stamp.minute, stamp.second, millisecond)};
    return TSqlDateTime{EncodeDateTime(
        TDateParts{stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute, stamp.second, millisecond})};
}

TValue ReadValue(SQLHSTMT statement, SQLUSMALLINT column, TDataType type, bool isTime)
{
    switch (type) {
    case TDataType::Boolean: {
        unsigned char bit = 0;
        if (!ReadFixed(statement, column, SQL_C_BIT, bit)) return std::monostate{};
        return bit != 0;
    }
    case TDataType::Integer: {
        long long number = 0;
        if (!ReadFixed(statement, column, SQL_C_SBIGINT, number)) return std::monostate{};
        return number;
    }
    case TDataType::Float: {
        double number = 0;
        if (!ReadFixed(statement, column, SQL_C_DOUBLE, number)) return std::monostate{};
        return number;
    }
    case TDataType::DateTime:
        return ReadDateTime(statement, column, isTime);
    case TDataType::Bytes: {
        TBytes bytes;
        if (!ReadPieces(statement, column, SQL_C_BINARY, bytes)) return std::monostate{};
        return bytes;
    }
    default: {
        std::vector<char16_t> text;
        if (!ReadPieces(statement, column, SQL_C_WCHAR, text)) return std::monostate{};
        return AnsiFromUtf16(std::u16string_view(text.data(), text.size()));
    }
    }
}

} // namespace

TRowSet ReadRowSet(SQLHSTMT statement, SQLSMALLINT columnCount)
{
    TRowSet rows;
    std::vector<bool> isTime(static_cast<std::size_t>(columnCount));
    for (SQLUSMALLINT column = 1; column <= columnCount; ++column) {
        bool time = false;
        rows.Columns.push_back(DescribeColumn(statement, column, time));
        isTime[column - 1] = time;
    }
    for (;;) {
        const SQLRETURN result = SQLFetch(statement);
        if (result == SQL_NO_DATA) break;
        Check(result, statement);
        auto& row = rows.Rows.emplace_back();
        row.reserve(rows.Columns.size());
        for (SQLUSMALLINT column = 1; column <= columnCount; ++column)
            row.push_back(ReadValue(statement, column, rows.Columns[column - 1].Type, isTime[column - 1]));
    }
    return rows;
}

} // namespace tarnwick::sql::odbc
