#pragma once

#include <string_view>

namespace tarnwick {

// The standard reading of a setting as a Boolean: a number is true when it is not zero;
// otherwise "True" or "False" in any letter case. EConvertError
// "'<text>' is not a valid boolean value" for anything else, the empty text too.
bool StrToBool(std::string_view text);
bool TryStrToBool(std::string_view text, bool& value);

} // namespace tarnwick
