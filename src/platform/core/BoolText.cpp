#include "platform/core/BoolText.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/Strings.h"

#include <charconv>

namespace tarnwick {

namespace {

bool ReadsAsNumber(std::string_view text, double& number)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, error] = std::from_chars(first, last, number, std::chars_format::fixed);
    return first != last && error == std::errc() && end == last;
}

} // namespace

bool TryStrToBool(std::string_view text, bool& value)
{
    double number = 0;
    if (ReadsAsNumber(text, number)) {
        value = number != 0;
        return true;
    }
    if (SameText(text, "True")) {
        value = true;
        return true;
    }
    if (SameText(text, "False")) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBool(std::string_view text)
{
    bool value = false;
    if (!TryStrToBool(text, value)) throw EConvertError(Format("'%s' is not a valid boolean value", {text}));
    return value;
}

} // namespace tarnwick
