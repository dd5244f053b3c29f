#include "db/TaxConnections.h"

#include "platform/core/Strings.h"

namespace tarnwick {

std::string ExtractDataSource(std::string_view connectionString)
{
    constexpr std::string_view key = "Data Source";
    const auto found = connectionString.find(key);
    if (found == std::string_view::npos) return "";
    std::string_view rest = connectionString.substr(found + key.size());
    if (const auto equals = rest.find('='); equals != std::string_view::npos) rest.remove_prefix(equals + 1);
    std::string value = Trim(rest);
    if (const auto semicolon = value.find(';'); semicolon != std::string::npos) value.erase(semicolon);
    return Trim(value);
}

} // namespace tarnwick
