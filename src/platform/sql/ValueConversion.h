#pragma once

#include "platform/core/Exceptions.h"
#include "platform/sql/Driver.h"

#include <string>

// How a value read from the server reads as another type, the way a person expects:
// NULL reads as empty text, 0, false, date 0 and no bytes; numbers read as text in the
// system's number format; text reads as a number only when it is one. A value that cannot
// convert raises EConvertError; a number too large for the target EVariantOverflowError.
namespace tarnwick::sql {

TARNWICK_EXCEPTION(EVariantOverflowError, Exception);

bool IsNull(const TValue& value);
std::string ValueToString(const TValue& value);
long long ValueToInt64(const TValue& value);
int ValueToInt(const TValue& value);
double ValueToFloat(const TValue& value);
bool ValueToBoolean(const TValue& value);
TDateTime ValueToDateTime(const TValue& value);
TBytes ValueToBytes(const TValue& value);

// The text of a floating-point number: up to 15 significant digits, no trailing zeros,
// an exponent as E-5 or E20 where the number needs one.
std::string FloatToStr(double value);

// A date-time in the form "yyyy-mm-dd hh:nn:ss.zzz" and back; the reader also takes a
// date alone and a time without seconds or milliseconds.
std::string IsoDateTimeText(TDateTime value);
bool TryIsoDateTime(std::string_view text, TDateTime& value);

} // namespace tarnwick::sql
