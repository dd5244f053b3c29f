#pragma once

#include <string>
#include <string_view>

namespace tarnwick::os {

// The text of an operating-system error code in the wording Windows users know
// ("Access is denied"), so messages read the same whatever the locale.
std::string SysErrorMessage(int errorCode);

// EOSError with "<what>: <the error's text>" for the calling thread's errno.
[[noreturn]] void RaiseLastOSError(std::string_view what);

} // namespace tarnwick::os
