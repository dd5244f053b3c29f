#include "platform/ui/UtilityWindow.h"

namespace tarnwick::ui {

TStringList MessageAreaLinesOf(std::string_view text)
{
    TStringList lines;
    std::size_t start = 0;
    for (std::size_t at = text.find(CRLF); at != std::string_view::npos; at = text.find(CRLF, start)) {
        lines.emplace_back(text.substr(start, at - start));
        start = at + CRLF.size();
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

} // namespace tarnwick::ui
