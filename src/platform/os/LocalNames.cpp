#include "platform/os/LocalNames.h"

#include "platform/core/CodePage.h"

namespace tarnwick::os {

std::string LocalNameFromAnsi(std::string_view ansi) { return Utf8FromAnsi(ansi); }

std::string AnsiFromLocalName(std::string_view local)
{
    return IsValidUtf8(local) ? AnsiFromUtf8(local) : std::string(local);
}

} // namespace tarnwick::os
