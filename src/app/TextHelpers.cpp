#include "app/TextHelpers.h"

#include "platform/core/Format.h"
#include "platform/core/Strings.h"
#include "platform/os/Guid.h"

namespace tarnwick {

std::string FormatMegabytes(long long megabytes)
{
    if (megabytes < 1024) return Format("%d MB", {megabytes});
    return Format("%.1n GB", {static_cast<double>(megabytes) / 1024.0});
}

bool TextToBool(std::string_view text)
{
    if (text.empty()) return false;
    switch (UpperChar(text[0])) {
    case '-':
    case '1':
    case 'T':
    case 'Y':
        return true;
    case 'O':
        return text.size() > 1 && UpperChar(text[1]) == 'N';
    default:
        return false;
    }
}

std::string NewHexGuidText()
{
    std::string hex;
    for (const char c : os::GuidToString(os::NewGuid()))
        if (c != '{' && c != '}' && c != '-') hex += c;
    return hex;
}

} // namespace tarnwick
