#include "platform/sql/ValueConversion.h"

#include "platform/core/Format.h"
#include "platform/core/Strings.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tarnwick::sql {

namespace {

const char* TypeName(const TValue& value)
{
    switch (value.index()) {
    case 0:
        return "Null";
    case 1:
        return "Int64";
    case 2:
        return "Double";
    case 3:
        return "Boolean";
    case 4:
        return "Date";
    case 5:
        return "String";
    default:
        return "Array of Byte";
    }
}

std::string BytesText(const TBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A whole text read as a floating-point number with the system's decimal separator.
bool TryTextToFloat(std::string_view text, double& value)
{
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return false;
    const char separator = FormatSettings().DecimalSeparator;
    for (char& c : trimmed) {
        if (c == separator)
            c = '.';
        else if (c == '.' && separator != '.')
            return false;
    }
    for (char c : trimmed)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E'))
            return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(trimmed.c_str(), &end);
    return end == trimmed.c_str() + trimmed.size() && errno != ERANGE;
}

long long RoundToInt64(double value, const TValue& original)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded >= 9223372036854775808.0 || rounded < -9223372036854775808.0)
        throw EVariantOverflowError(
            Format("Overflow while converting variant of type (%s) into type (Int64)", {TypeName(original)}));
    return static_cast<long long>(rounded);
}

} // namespace

bool IsNull(const TValue& value) { return std::holds_alternative<std::monostate>(value); }

std::string FloatToStr(double value)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    std::string exponent;
    if (const auto e = text.find('E'); e != std::string::npos) {
        exponent = text.substr(e + 1);
        text.erase(e);
        const bool negative = exponent[0] == '-';
        exponent.erase(0, 1);
        exponent.erase(0, exponent.find_first_not_of('0'));
        exponent = std::string("E") + (negative ? "-" : "") + exponent;
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    for (char& c : text)
        if (c == '.') c = FormatSettings().DecimalSeparator;
    return text + exponent;
}

std::string IsoDateTimeText(TDateTime value)
{
    return FormatDateTime("yyyy'-'mm'-'dd hh':'nn':'ss'.'zzz", value);
}

bool TryIsoDateTime(std::string_view text, TDateTime& value)
{
    const std::string trimmed = Trim(text);
    TDateParts parts;
    char tail[8] = {};
    const int read =
        std::sscanf(trimmed.c_str(), "%4d-%2d-%2d%*[ T]%2d:%2d:%2d.%3d%1s", &parts.Year, &parts.Month,
                    &parts.Day, &parts.Hour, &parts.Minute, &parts.Second, &parts.Millisecond, tail);
    if (read < 3 || read == 8) return false;
    if (read == 3 && trimmed.size() != 10) return false;
    if (read == 4) return false;
    try {
        value = EncodeDateTime(parts);
    } catch (const Exception&) {
        return false;
    }
    return true;
}

std::string ValueToString(const TValue& value)
{
    switch (value.index()) {
    case 0:
        return {};
    case 1:
        return IntToStr(std::get<long long>(value));
    case 2:
        return FloatToStr(std::get<double>(value));
    case 3:
        return std::get<bool>(value) ? "True" : "False";
    case 4:
        return DateTimeToStr(std::get<TSqlDateTime>(value).Value);
    case 5:
        return std::get<std::string>(value);
    default:
        return BytesText(std::get<TBytes>(value));
    }
}

long long ValueToInt64(const TValue& value)
{
    switch (value.index()) {
    case 0:
        return 0;
    case 1:
        return std::get<long long>(value);
    case 2:
        return RoundToInt64(std::get<double>(value), value);
    case 3:
        return std::get<bool>(value) ? 1 : 0;
    case 4:
        return RoundToInt64(std::trunc(std::get<TSqlDateTime>(value).Value), value);
    default: {
        const std::string text = ValueToString(value);
        long long result = 0;
        if (TryStrToInt64(Trim(text), result)) return result;
        double number = 0;
        if (TryTextToFloat(text, number) && std::fabs(number) >= 9223372036854775808.0)
            throw EVariantOverflowError(Format(
                "Overflow while converting variant of type (%s) into type (Int64)", {TypeName(value)}));
        throw EConvertError(Format("'%s' is not a valid integer value", {text}));
    }
    }
}

int ValueToInt(const TValue& value)
{
    const long long wide = ValueToInt64(value);
    if (wide > std::numeric_limits<int>::max() || wide < std::numeric_limits<int>::min())
        throw EVariantOverflowError(
            Format("Overflow while converting variant of type (%s) into type (Integer)", {TypeName(value)}));
    return static_cast<int>(wide);
}

double ValueToFloat(const TValue& value)
{
    switch (value.index()) {
    case 0:
        return 0;
    case 1:
        return static_cast<double>(std::get<long long>(value));
    case 2:
        return std::get<double>(value);
    case 3:
        return std::get<bool>(value) ? 1 : 0;
    case 4:
        return std::get<TSqlDateTime>(value).Value;
    default: {
        const std::string text = ValueToString(value);
        double result = 0;
        if (TryTextToFloat(text, result)) return result;
        throw EConvertError(Format("'%s' is not a valid floating point value", {text}));
    }
    }
}

bool ValueToBoolean(const TValue& value)
{
    switch (value.index()) {
    case 0:
        return false;
    case 1:
        return std::get<long long>(value) != 0;
    case 2:
        return std::get<double>(value) != 0;
    case 3:
        return std::get<bool>(value);
    case 4:
        return std::get<TSqlDateTime>(value).Value != 0;
    default: {
        const std::string text = ValueToString(value);
        const std::string trimmed = Trim(text);
        if (SameText(trimmed, "True")) return true;
        if (SameText(trimmed, "False")) return false;
        double number = 0;
        if (TryTextToFloat(trimmed, number)) return number != 0;
        throw EConvertError(Format("'%s' is not a valid boolean value", {text}));
    }
    }
}

TDateTime ValueToDateTime(const TValue& value)
{
    switch (value.index()) {
    case 0:
        return 0;
    case 1:
        return static_cast<double>(std::get<long long>(value));
    case 2:
        return std::get<double>(value);
    case 3:
        throw EConvertError(
            Format("Could not convert variant of type (%s) into type (Date)", {TypeName(value)}));
    case 4:
        return std::get<TSqlDateTime>(value).Value;
    default: {
        const std::string text = ValueToString(value);
        TDateTime result = 0;
        if (TryIsoDateTime(text, result) || TryStrToDateTime(Trim(text), result)) return result;
        throw EConvertError(Format("'%s' is not a valid date and time", {text}));
    }
    }
}

TBytes ValueToBytes(const TValue& value)
{
    if (const auto* bytes = std::get_if<TBytes>(&value)) return *bytes;
    const std::string text = ValueToString(value);
    return TBytes(text.begin(), text.end());
}

} // namespace tarnwick::sql
