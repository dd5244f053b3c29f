#include "platform/sql/odbc/OdbcErrors.h"

#include "platform/core/Strings.h"

#include <array>

namespace tarnwick::sql::odbc {

namespace {

// A leading "[...]" is an origin prefix when it is short and reads as a component name; a
// server message that starts with a bracketed object name ("[dbo].[T] ...") is left alone.
bool IsOriginPrefix(std::string_view text, std::size_t close)
{
    constexpr std::size_t MaxPrefix = 64;
    const std::string_view name = text.substr(1, close - 1);
    const bool partOfName = close + 1 < text.size() && text[close + 1] == '.';
    return !partOfName && !name.empty() && name.size() <= MaxPrefix &&
           name.find_first_of(".'\"[") == std::string_view::npos;
}

constexpr std::array<std::string_view, 4> LinkFailureTexts = {
    "Communication link failure", "Read from the server failed", "Write to the server failed",
    "DBPROCESS is dead"};

} // namespace

std::string CleanOdbcMessage(std::string_view text)
{
    std::string_view rest = text;
    while (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string_view::npos || !IsOriginPrefix(rest, close)) break;
        rest.remove_prefix(close + 1);
    }
    return Trim(rest);
}

bool IsConnectionFailure(std::string_view sqlState, std::string_view text)
{
    if (sqlState.starts_with("08")) return true;
    for (const auto family : LinkFailureTexts) {
        if (ContainsText(text, family)) return true;
    }
    return false;
}

std::string OdbcErrorMessage(const std::vector<TOdbcDiagnostic>& records)
{
    if (records.empty()) return "Unspecified error";
    const TOdbcDiagnostic* first = &records.front();
    for (const auto& record : records) {
        if (!record.SqlState.starts_with("01")) {
            first = &record;
            break;
        }
    }
    std::string message = CleanOdbcMessage(first->Text);
    if (message.empty()) message = "Unspecified error";
    const bool recognised = message.starts_with("Connection failure") ||
                            message.find("General network error") != std::string::npos;
    if (IsConnectionFailure(first->SqlState, message) && !recognised)
        message = "Connection failure: " + message;
    return message;
}

} // namespace tarnwick::sql::odbc
