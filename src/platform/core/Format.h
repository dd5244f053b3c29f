#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tarnwick {

// Separators used by number and date texts; fixed once at start-up.
struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "dd/mm/yyyy";
    std::string LongTimeFormat = "hh:nn:ss";
};

TFormatSettings& FormatSettings();

// One argument of Format: a whole number, a floating-point number or a text.
class FormatArg {
public:
    template <typename T>
        requires std::is_integral_v<T>
    FormatArg(T value) : value_(static_cast<long long>(value))
    {
    }
    FormatArg(double value) : value_(value) {}
    FormatArg(std::string_view value) : value_(std::string(value)) {}
    FormatArg(const std::string& value) : value_(value) {}
    FormatArg(const char* value) : value_(std::string(value)) {}

    const std::variant<long long, double, std::string>& Value() const { return value_; }

private:
    std::variant<long long, double, std::string> value_;
};

// Formats with the pattern language "%[index:][-][width][.precision]type", types
// d u x s f n e g and "%%". f and n default to two decimals; n adds thousands separators.
// A pattern that does not match its arguments raises EConvertError
// "Format '<pattern>' invalid or incompatible with argument".
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

// A floating-point number with a fixed number of decimals, halves rounded away from zero.
std::string FormatFixed(double value, int decimals, bool thousands = false);

} // namespace tarnwick
