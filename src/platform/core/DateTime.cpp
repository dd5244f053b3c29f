#include "platform/core/DateTime.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/Strings.h"

#include <cctype>
#include <chrono>
#include <cmath>
#include <ctime>

namespace tarnwick {

namespace {

constexpr long long DaysFrom1970To1899_12_30 = -25569; // 1899-12-30 is 25569 days before 1970
constexpr double MsPerDay = 86400000.0;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

constexpr const char* ShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* LongMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
constexpr const char* ShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* LongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                    "Thursday", "Friday", "Saturday"};

std::string TwoDigits(int n) { return Format("%.2d", {n}); }

bool HasTime(TDateTime value)
{
    const TDateParts p = DecodeDateTime(value);
    return p.Hour != 0 || p.Minute != 0 || p.Second != 0 || p.Millisecond != 0;
}

void AppendFormatted(std::string& out, std::string_view pattern, TDateTime value)
{
    const TDateParts p = DecodeDateTime(value);
    const long long serial = static_cast<long long>(std::floor(value));
    const int weekday = static_cast<int>(((serial - 1) % 7 + 7) % 7); // 1899-12-30 was a Saturday
    bool afterHour = false;
    std::size_t i = 0;
    auto run = [&](char c) {
        std::size_t n = 0;
        while (i + n < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + n])) == c) ++n;
        return n;
    };
    while (i < pattern.size()) {
        const char raw = pattern[i];
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(raw)));
        if (raw == '\'' || raw == '"') {
            const std::size_t close = pattern.find(raw, i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            out.append(pattern.substr(i + 1, end - i - 1));
            i = end == pattern.size() ? end : end + 1;
            continue;
        }
        const std::size_t n = (c == '/' || c == ':') ? 1 : run(c);
        switch (c) {
        case 'y':
            out += n <= 2 ? TwoDigits(p.Year % 100) : Format("%.4d", {p.Year});
            break;
        case 'm':
            if (afterHour && n <= 2)
                out += n == 1 ? std::to_string(p.Minute) : TwoDigits(p.Minute);
            else if (n == 1)
                out += std::to_string(p.Month);
            else if (n == 2)
                out += TwoDigits(p.Month);
            else
                out += n == 3 ? ShortMonths[p.Month - 1] : LongMonths[p.Month - 1];
            afterHour = false;
            break;
        case 'd':
            if (n == 1)
                out += std::to_string(p.Day);
            else if (n == 2)
                out += TwoDigits(p.Day);
            else
                out += n == 3 ? ShortDays[weekday] : LongDays[weekday];
            break;
        case 'h':
            out += n == 1 ? std::to_string(p.Hour) : TwoDigits(p.Hour);
            afterHour = true;
            break;
        case 'n':
            out += n == 1 ? std::to_string(p.Minute) : TwoDigits(p.Minute);
            afterHour = false;
            break;
        case 's':
            out += n == 1 ? std::to_string(p.Second) : TwoDigits(p.Second);
            break;
        case 'z':
            out += n == 1 ? std::to_string(p.Millisecond) : Format("%.3d", {p.Millisecond});
            break;
        case 'c':
            AppendFormatted(out, FormatSettings().ShortDateFormat, value);
            if (HasTime(value)) {
                out += ' ';
                AppendFormatted(out, FormatSettings().LongTimeFormat, value);
            }
            break;
        case '/':
            out += FormatSettings().DateSeparator;
            break;
        case ':':
            out += FormatSettings().TimeSeparator;
            break;
        default:
            out.append(pattern.substr(i, n == 0 ? 1 : n));
            break;
        }
        i += n == 0 ? 1 : n;
    }
}

// Reads digits at pos; false when there are none.
bool ReadNumber(std::string_view s, std::size_t& pos, int& value)
{
    const std::size_t start = pos;
    value = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - start < 9)
        value = value * 10 + (s[pos++] - '0');
    return pos > start;
}

} // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               DaysFrom1970To1899_12_30);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / MsPerDay;
}

TDateTime EncodeDateTime(const TDateParts& parts)
{
    return EncodeDate(parts.Year, parts.Month, parts.Day) +
           EncodeTime(parts.Hour, parts.Minute, parts.Second, parts.Millisecond);
}

TDateParts DecodeDateTime(TDateTime value)
{
    TDateParts p;
    long long days = static_cast<long long>(std::trunc(value));
    auto ms = static_cast<long long>(std::llround(std::fabs(value - static_cast<double>(days)) * MsPerDay));
    if (ms >= static_cast<long long>(MsPerDay)) {
        ms -= static_cast<long long>(MsPerDay);
        days += value < 0 ? -1 : 1;
    }
    CivilFromDays(days + DaysFrom1970To1899_12_30, p.Year, p.Month, p.Day);
    p.Millisecond = static_cast<int>(ms % 1000);
    p.Second = static_cast<int>(ms / 1000 % 60);
    p.Minute = static_cast<int>(ms / 60000 % 60);
    p.Hour = static_cast<int>(ms / 3600000);
    return p;
}

std::string FormatDateTime(std::string_view pattern, TDateTime value)
{
    std::string out;
    AppendFormatted(out, pattern, value);
    return out;
}

std::string DateTimeToStr(TDateTime value) { return FormatDateTime("c", value); }
std::string DateToStr(TDateTime value) { return FormatDateTime(FormatSettings().ShortDateFormat, value); }
std::string TimeToStr(TDateTime value) { return FormatDateTime(FormatSettings().LongTimeFormat, value); }

bool TryStrToDateTime(std::string_view text, TDateTime& value)
{
    const std::string t = Trim(text);
    const std::string_view s = t;
    const auto& settings = FormatSettings();
    // Day, month and year in the order the short date format names them.
    std::string order;
    for (char c : LowerCase(settings.ShortDateFormat))
        if ((c == 'd' || c == 'm' || c == 'y') && order.find(c) == std::string::npos) order += c;
    if (order.size() != 3) order = "dmy";
    int parts[3] = {};
    std::size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            if (pos >= s.size() || s[pos] != settings.DateSeparator) return false;
            ++pos;
        }
        if (!ReadNumber(s, pos, parts[k])) return false;
    }
    TDateParts p;
    for (int k = 0; k < 3; ++k) {
        if (order[static_cast<std::size_t>(k)] == 'd') p.Day = parts[k];
        if (order[static_cast<std::size_t>(k)] == 'm') p.Month = parts[k];
        if (order[static_cast<std::size_t>(k)] == 'y') p.Year = parts[k] < 100 ? parts[k] + 2000 : parts[k];
    }
    if (pos < s.size()) {
        if (s[pos] != ' ') return false;
        while (pos < s.size() && s[pos] == ' ') ++pos;
        if (!ReadNumber(s, pos, p.Hour) || pos >= s.size() || s[pos] != settings.TimeSeparator) return false;
        ++pos;
        if (!ReadNumber(s, pos, p.Minute)) return false;
        if (pos < s.size() && s[pos] == settings.TimeSeparator) {
            ++pos;
            if (!ReadNumber(s, pos, p.Second)) return false;
        }
        if (pos != s.size()) return false;
    }
    try {
        value = EncodeDateTime(p);
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

TDateTime StrToDateTime(std::string_view text)
{
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
    return value;
}

TDateTime TSystemClock::Now() const
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ms));
}

namespace {
TServiceSlot<IClock>& Slot()
{
    static TServiceSlot<IClock> slot(MakeService<IClock, TSystemClock>);
    return slot;
}
} // namespace

IClock& Clock() { return Slot().Get(); }

std::shared_ptr<IClock> SetClock(std::shared_ptr<IClock> clock) { return Slot().Set(std::move(clock)); }

TDateTime Now() { return Clock().Now(); }
TDateTime Date() { return std::floor(Now()); }

} // namespace tarnwick
