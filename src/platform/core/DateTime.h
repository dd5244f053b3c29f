#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// Days since 1899-12-30, the time of day as the fraction (0 = midnight or no time).
using TDateTime = double;

struct TDateParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDateTime EncodeDateTime(const TDateParts& parts);
TDateParts DecodeDateTime(TDateTime value);

// Patterns: yyyy yy m mm mmm mmmm d dd ddd dddd h hh n nn s ss z zzz, "/" and ":" as the
// separators of the format settings, 'quoted' or "quoted" literal text, and c for the
// short date followed by the long time (the time left out at exactly midnight). An m or mm
// straight after an h or hh is minutes.
std::string FormatDateTime(std::string_view pattern, TDateTime value);

// "dd/mm/yyyy hh:nn:ss" under the start-up settings, the time left out at exactly midnight.
std::string DateTimeToStr(TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);

// Reads a date in the short date format, optionally followed by a blank and a time of
// hours and minutes with optional seconds. EConvertError "'<text>' is not a valid date and
// time" otherwise, with or without a time part.
TDateTime StrToDateTime(std::string_view text);
bool TryStrToDateTime(std::string_view text, TDateTime& value);

// Where "now" comes from; tests put a fixed clock in its place.
class IClock {
public:
    virtual ~IClock() = default;
    virtual TDateTime Now() const = 0;
};

class TSystemClock : public IClock {
public:
    TDateTime Now() const override;
};

class TFixedClock : public IClock {
public:
    explicit TFixedClock(TDateTime now) : now_(now) {}
    TDateTime Now() const override { return now_; }
    void Set(TDateTime now) { now_ = now; }

private:
    TDateTime now_;
};

IClock& Clock();
// Puts a clock in place (nullptr restores the system clock) and returns the previous one.
std::shared_ptr<IClock> SetClock(std::shared_ptr<IClock> clock);

TDateTime Now();
TDateTime Date();

} // namespace tarnwick
