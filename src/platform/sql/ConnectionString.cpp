#include "platform/sql/ConnectionString.h"

#include "platform/core/Strings.h"

namespace tarnwick::sql {

namespace {

// One "key=value" item; a quoted value runs to its closing quote (doubled quotes inside
// stand for one), so it may hold ";".
std::size_t ReadItem(std::string_view text, std::size_t pos, std::string& key, std::string& value)
{
    const std::size_t equals = text.find('=', pos);
    const std::size_t semicolon = text.find(';', pos);
    if (equals == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < equals)) {
        const std::size_t end = semicolon == std::string_view::npos ? text.size() : semicolon;
        key = Trim(text.substr(pos, end - pos));
        value.clear();
        return end == text.size() ? end : end + 1;
    }
    key = Trim(text.substr(pos, equals - pos));
    std::size_t at = equals + 1;
    while (at < text.size() && text[at] == ' ') ++at;
    if (at < text.size() && (text[at] == '"' || text[at] == '\'')) {
        const char quote = text[at++];
        value.clear();
        while (at < text.size()) {
            if (text[at] == quote) {
                if (at + 1 < text.size() && text[at + 1] == quote) {
                    value += quote;
                    at += 2;
                    continue;
                }
                ++at;
                break;
            }
            value += text[at++];
        }
        const std::size_t end = text.find(';', at);
        return end == std::string_view::npos ? text.size() : end + 1;
    }
    const std::size_t end = semicolon == std::string_view::npos ? text.size() : semicolon;
    value = Trim(text.substr(at, end - at));
    return end == text.size() ? end : end + 1;
}

} // namespace

TConnectionString::TConnectionString(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::string key;
        std::string value;
        pos = ReadItem(text, pos, key, value);
        if (!key.empty()) keys_.emplace_back(std::move(key), std::move(value));
    }
}

std::string TConnectionString::Value(std::string_view key) const
{
    for (auto it = keys_.rbegin(); it != keys_.rend(); ++it)
        if (SameText(it->first, key)) return it->second;
    return {};
}

TConnectParams TConnectionString::ConnectParams(int connectionTimeout) const
{
    TConnectParams params;
    params.Server = Value("Data Source");
    params.Database = Value("Initial Catalog");
    params.UserId = Value("User ID");
    params.Password = Value("Password");
    params.ApplicationName = Value("Application Name");
    params.ConnectionTimeout = connectionTimeout;
    return params;
}

} // namespace tarnwick::sql
