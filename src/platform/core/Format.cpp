#include "platform/core/Format.h"

#include "platform/core/Exceptions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

namespace tarnwick {

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

namespace {

[[noreturn]] void Invalid(std::string_view pattern)
{
    throw EConvertError("Format '" + std::string(pattern) + "' invalid or incompatible with argument");
}

std::string GroupThousands(const std::string& digits)
{
    std::string grouped;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) grouped += FormatSettings().ThousandSeparator;
        grouped += digits[i];
    }
    return grouped;
}

std::string Pad(std::string text, int width, bool left)
{
    if (width > 0 && static_cast<int>(text.size()) < width) {
        const std::string fill(static_cast<std::size_t>(width) - text.size(), ' ');
        text = left ? text + fill : fill + text;
    }
    return text;
}

} // namespace

std::string FormatFixed(double value, int decimals, bool thousands)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    // Round on the exact decimal expansion so 1.25 gives 1.3, as people expect.
    decimals = std::max(decimals, 0);
    // Sixty digits past the last one shown decide the rounding exactly enough for any double.
    const int precision = decimals + 60;
    const int length = std::snprintf(nullptr, 0, "%.*f", precision, std::fabs(value));
    std::string exact(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(exact.data(), exact.size(), "%.*f", precision, std::fabs(value));
    exact.resize(static_cast<std::size_t>(length));
    const std::size_t dot = exact.find('.');
    std::string digits = exact.substr(0, dot) + exact.substr(dot + 1, static_cast<std::size_t>(decimals));
    const bool roundUp = exact[dot + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) digits.insert(digits.begin(), '1');
    }
    const std::size_t intLength = digits.size() - static_cast<std::size_t>(decimals);
    std::string whole = digits.substr(0, intLength);
    std::string fraction = digits.substr(intLength);
    if (thousands) whole = GroupThousands(whole);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !zero) ? "-" : "";
    text += whole;
    if (decimals > 0) text += FormatSettings().DecimalSeparator + fraction;
    return text;
}

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    const std::vector<FormatArg> argv(args);
    std::string out;
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < pattern.size() && pattern[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        auto readNumber = [&](int& number) {
            bool any = false;
            number = 0;
            while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
                number = number * 10 + (pattern[i++] - '0');
                any = true;
            }
            return any;
        };
        int number = 0;
        const std::size_t mark = i;
        if (readNumber(number) && i < pattern.size() && pattern[i] == ':') {
            next = static_cast<std::size_t>(number);
            ++i;
        } else {
            i = mark;
        }
        bool left = false;
        if (i < pattern.size() && pattern[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        readNumber(width);
        int precision = -1;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            readNumber(precision);
        }
        if (i >= pattern.size() || next >= argv.size()) Invalid(pattern);
        const char type = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i++])));
        const auto& value = argv[next++].Value();
        std::string text;
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            const auto* n = std::get_if<long long>(&value);
            if (!n) Invalid(pattern);
            const bool negative = type == 'd' && *n < 0;
            const auto magnitude =
                negative ? 0ULL - static_cast<unsigned long long>(*n) : static_cast<unsigned long long>(*n);
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, type == 'x' ? "%llX" : "%llu", magnitude);
            text = buffer;
            if (precision > static_cast<int>(text.size()))
                text.insert(0, static_cast<std::size_t>(precision) - text.size(), '0');
            if (negative) text.insert(0, "-");
            break;
        }
        case 's': {
            const auto* s = std::get_if<std::string>(&value);
            if (!s) Invalid(pattern);
            text = precision >= 0 ? s->substr(0, static_cast<std::size_t>(precision)) : *s;
            break;
        }
        case 'f':
        case 'n':
        case 'e':
        case 'g': {
            const auto* d = std::get_if<double>(&value);
            if (!d) Invalid(pattern);
            if (type == 'f' || type == 'n') {
                text = FormatFixed(*d, precision < 0 ? 2 : precision, type == 'n');
            } else {
                char buffer[64];
                const std::string conversion = std::string("%.") +
                                               std::to_string(precision < 0 ? 15 : precision) +
                                               (type == 'e' ? "E" : "G");
                std::snprintf(buffer, sizeof buffer, conversion.c_str(), *d);
                text = buffer;
                for (char& ch : text)
                    if (ch == '.') ch = FormatSettings().DecimalSeparator;
            }
            break;
        }
        default:
            Invalid(pattern);
        }
        out += Pad(std::move(text), width, left);
    }
    return out;
}

} // namespace tarnwick
