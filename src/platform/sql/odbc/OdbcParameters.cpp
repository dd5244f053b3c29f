#include "platform/sql/odbc/OdbcParameters.h"

#include "platform/core/CodePage.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/sql/odbc/OdbcDiagnostics.h"

#include <sqlext.h>

#include <algorithm>
#include <limits>

namespace tarnwick::sql::odbc {

namespace {

// Longer text goes as a large value: nvarchar holds at most this many characters.
constexpr std::size_t MaxShortText = 4000;

[[noreturn]] void RaiseWrongKind(std::size_t index)
{
    throw EInvalidOperation(
        Format("Parameter %d has a value its type cannot carry", {static_cast<int>(index + 1)}));
}

std::string TextOf(const TValue& value, std::size_t index)
{
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<long long>(&value)) return IntToStr(*number);
    RaiseWrongKind(index);
}

long long IntegerOf(const TValue& value, std::size_t index)
{
    if (const auto* number = std::get_if<long long>(&value)) return *number;
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
    if (const auto* text = std::get_if<std::string>(&value)) return StrToInt64(*text);
    RaiseWrongKind(index);
}

TBytes BytesOf(const TValue& value, std::size_t index)
{
    if (const auto* bytes = std::get_if<TBytes>(&value)) return *bytes;
    if (const auto* text = std::get_if<std::string>(&value)) return TBytes(text->begin(), text->end());
    RaiseWrongKind(index);
}

bool BooleanOf(const TValue& value, std::size_t index)
{
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* number = std::get_if<long long>(&value)) return *number != 0;
    RaiseWrongKind(index);
}

double FloatOf(const TValue& value, std::size_t index)
{
    if (const auto* number = std::get_if<double>(&value)) return *number;
    if (const auto* whole = std::get_if<long long>(&value)) return static_cast<double>(*whole);
    RaiseWrongKind(index);
}

SQL_TIMESTAMP_STRUCT TimestampOf(const TValue& value, std::size_t index)
{
    const auto* moment = std::get_if<TSqlDateTime>(&value);
    if (!moment) RaiseWrongKind(index);
    const TDateParts parts = DecodeDateTime(moment->Value);
    SQL_TIMESTAMP_STRUCT stamp = {};
    stamp.year = static_cast<SQLSMALLINT>(parts.Year);
    stamp.month = static_cast<SQLUSMALLINT>(parts.Month);
    stamp.day = static_cast<SQLUSMALLINT>(parts.Day);
    stamp.hour = static_cast<SQLUSMALLINT>(parts.Hour);
    stamp.minute = static_cast<SQLUSMALLINT>(parts.Minute);
    stamp.second = static_cast<SQLUSMALLINT>(parts.Second);
    stamp.fraction = static_cast<SQLUINTEGER>(parts.Millisecond) * 1000000u;
    return stamp;
}

} // namespace

TOdbcParameters::TOdbcParameters(SQLHSTMT statement, const std::vector<TParameter>& params)
{
    // Sized up front: the driver keeps pointers into these values until execution.
    bound_.resize(params.size());
    for (std::size_t index = 0; index < params.size(); ++index) {
        const TParameter& param = params[index];
        TBound& value = bound_[index];
        const bool isNull = std::holds_alternative<std::monostate>(param.Value);
        SQLSMALLINT cType = SQL_C_WCHAR;
        SQLSMALLINT sqlType = SQL_WVARCHAR;
        SQLPOINTER buffer = value.Text.data();
        SQLLEN bufferLength = 0;
        SQLULEN columnSize = 1;
        SQLSMALLINT digits = 0;
        switch (param.Type) {
        case TParamType::Text:
        case TParamType::LargeText:
            if (!isNull) value.Text = Utf16FromAnsi(TextOf(param.Value, index));
            sqlType = param.Type == TParamType::LargeText || value.Text.size() > MaxShortText
                          ? SQL_WLONGVARCHAR
                          : SQL_WVARCHAR;
            buffer = value.Text.data();
            bufferLength = static_cast<SQLLEN>(value.Text.size() * sizeof(char16_t));
            columnSize = std::max<SQLULEN>(value.Text.size(), 1);
            break;
        case TParamType::Integer:
            if (!isNull) value.Integer = IntegerOf(param.Value, index);
            if (value.Integer >= std::numeric_limits<SQLINTEGER>::min() &&
                value.Integer <= std::numeric_limits<SQLINTEGER>::max()) {
                value.SmallInteger = static_cast<SQLINTEGER>(value.Integer);
                cType = SQL_C_SLONG;
                sqlType = SQL_INTEGER;
                buffer = &value.SmallInteger;
            } else {
                cType = SQL_C_SBIGINT;
                sqlType = SQL_BIGINT;
                buffer = &value.Integer;
            }
            break;
        case TParamType::Bytes:
            if (!isNull) value.Bytes = BytesOf(param.Value, index);
            cType = SQL_C_BINARY;
            sqlType = SQL_LONGVARBINARY;
            // An empty value still needs a valid address.
            if (value.Bytes.empty()) value.Bytes.reserve(1);
            buffer = value.Bytes.data();
            bufferLength = static_cast<SQLLEN>(value.Bytes.size());
            columnSize = std::max<SQLULEN>(value.Bytes.size(), 1);
            break;
        case TParamType::Boolean:
            if (!isNull) value.Bit = BooleanOf(param.Value, index) ? 1 : 0;
            cType = SQL_C_BIT;
            sqlType = SQL_BIT;
            buffer = &value.Bit;
            break;
        case TParamType::Float:
            if (!isNull) value.Float = FloatOf(param.Value, index);
            cType = SQL_C_DOUBLE;
            sqlType = SQL_DOUBLE;
            buffer = &value.Float;
            columnSize = 15;
            break;
        case TParamType::DateTime:
            if (!isNull) value.Timestamp = TimestampOf(param.Value, index);
            cType = SQL_C_TYPE_TIMESTAMP;
            sqlType = SQL_TYPE_TIMESTAMP;
            buffer = &value.Timestamp;
            columnSize = 23; // yyyy-mm-dd hh:mm:ss.fff
            digits = 3;
            break;
        }
        value.Indicator = isNull ? SQL_NULL_DATA : bufferLength;
        CheckOdbc(SQLBindParameter(statement, static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, cType,
                                   sqlType, columnSize, digits, buffer, bufferLength, &value.Indicator),
                  SQL_HANDLE_STMT, statement);
    }
}

} // namespace tarnwick::sql::odbc
