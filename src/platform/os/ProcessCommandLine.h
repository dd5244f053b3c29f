#pragma once

#include "platform/core/Strings.h"

#include <string_view>

namespace tarnwick::os {

// Splits a Windows command line into its arguments under the C runtime's rules. The program
// (the first argument) runs to the next double quote when it starts with one, else to the
// first blank or tab, with no escapes. In the other arguments blanks and tabs separate
// outside double quotes; 2n backslashes before a double quote give n backslashes and the
// quote opens or closes a quoted part, 2n+1 give n backslashes and a literal quote; other
// backslashes are themselves; "" inside a quoted part is a literal quote.
TStringList CommandLineToArgs(std::string_view commandLine);

} // namespace tarnwick::os
